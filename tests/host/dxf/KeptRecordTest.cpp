// Drawings from other programs: what was read and not changed is written back as read, a changed
// object keeps every code it does not model, values no reader takes are never written, and the
// reader takes what real programs write before the first section and outside TABLES.
#include "host/dxf/KeptRecord.h"
#include "host/dxf/DrawingFile.h"
#include "host/dxf/Tag.h"
#include "support/DxfText.h"

#include <algorithm>
#include <dbsymtb.h>
#include <gtest/gtest.h>

namespace {

using veld::dxf::KeptTags;

// True when the tags hold `run` one after the other.
bool hasRun(const std::string& text, const KeptTags& run) {
    const KeptTags all = veld::test::dxfTags(text);
    return std::search(all.begin(), all.end(), run.begin(), run.end()) != all.end();
}

bool has(const KeptTags& tags, int code, const std::string& value) {
    return veld::test::countOf(tags, code, value) > 0;
}

const KeptTags kHeader = {{0, "SECTION"},   {2, "HEADER"},       {9, "$ACADVER"},
                          {1, "AC1032"},    {9, "$DWGCODEPAGE"}, {3, "ANSI_1251"},
                          {9, "$HANDSEED"}, {5, "FFF"},          {0, "ENDSEC"}};

KeptTags tables() {
    return {{0, "SECTION"},
            {2, "TABLES"},
            {0, "TABLE"},
            {2, "VPORT"},
            {5, "8"},
            {330, "0"},
            {100, "AcDbSymbolTable"},
            {70, "1"},
            {0, "VPORT"},
            {5, "29"},
            {330, "8"},
            {100, "AcDbSymbolTableRecord"},
            {100, "AcDbViewportTableRecord"},
            {2, "*Active"},
            {70, "0"},
            {72, "inf"},
            {40, "10.0"},
            {0, "ENDTAB"},
            {0, "TABLE"},
            {2, "LAYER"},
            {5, "2"},
            {330, "0"},
            {100, "AcDbSymbolTable"},
            {70, "1"},
            {0, "LAYER"},
            {5, "10"},
            {330, "2"},
            {100, "AcDbSymbolTableRecord"},
            {100, "AcDbLayerTableRecord"},
            {2, "Walls"},
            {70, "2"},
            {62, "3"},
            {6, "Continuous"},
            {370, "35"},
            {420, "1151726"},
            {0, "ENDTAB"},
            {0, "TABLE"},
            {2, "APPID"},
            {5, "9"},
            {330, "0"},
            {100, "AcDbSymbolTable"},
            {70, "1"},
            {0, "APPID"},
            {5, "12"},
            {330, "9"},
            {100, "AcDbSymbolTableRecord"},
            {100, "AcDbRegAppTableRecord"},
            {2, "AcCmTransparency"},
            {70, "0"},
            {0, "ENDTAB"},
            {0, "ENDSEC"}};
}

// A mirrored line (extrusion 0,0,-1) with thickness, lineweight, true colour, transparency,
// extended data and a reactor, and an unmirrored text: what other programs write.
KeptTags entities(const std::string& bigData) {
    KeptTags tags = {{0, "SECTION"},
                     {2, "ENTITIES"},
                     {0, "LINE"},
                     {5, "40"},
                     {102, "{ACAD_REACTORS"},
                     {330, "50"},
                     {102, "}"},
                     {330, "1F"},
                     {100, "AcDbEntity"},
                     {8, "Walls"},
                     {370, "50"},
                     {420, "255"},
                     {440, "33554534"},
                     {100, "AcDbLine"},
                     {39, "2.5"},
                     {10, "1.0"},
                     {20, "2.0"},
                     {30, "0.0"},
                     {11, "5.0"},
                     {21, "2.0"},
                     {31, "0.0"},
                     {210, "0.0"},
                     {220, "0.0"},
                     {230, "-1.0"},
                     {1001, "AcCmTransparency"},
                     {1071, "33554534"}};
    for (int i = 0; i < 200 && !bigData.empty(); ++i) {
        tags.emplace_back(1000, bigData);
    }
    tags.insert(tags.end(), {{0, "ENDSEC"},
                             {0, "SECTION"},
                             {2, "OBJECTS"},
                             {0, "DICTIONARY"},
                             {5, "C"},
                             {330, "0"},
                             {100, "AcDbDictionary"},
                             {281, "1"},
                             {0, "DIMASSOC"},
                             {5, "50"},
                             {330, "C"},
                             {100, "AcDbDimAssoc"},
                             {90, "1"},
                             {0, "ENDSEC"},
                             {0, "EOF"}});
    return tags;
}

std::string otherProgramsDrawing(const std::string& bigData = {}) {
    KeptTags all = kHeader;
    const KeptTags t = tables();
    all.insert(all.end(), t.begin(), t.end());
    const KeptTags e = entities(bigData);
    all.insert(all.end(), e.begin(), e.end());
    return veld::test::dxfText(all);
}

std::unique_ptr<AcDbDatabase> read(const std::string& text, std::vector<std::string>* notes = {}) {
    std::string error;
    auto db = veld::dxf::readDrawingData(text, error, notes);
    EXPECT_NE(db, nullptr) << error;
    return db;
}

AcDbObjectId idOf(AcDbDatabase& db, std::uint64_t handle) {
    AcDbObjectId id;
    EXPECT_EQ(db.getAcDbObjectId(id, false, AcDbHandle(handle)), Acad::eOk);
    return id;
}

} // namespace

TEST(KeptRecords, UnchangedObjectsAreWrittenAsReadWithVersionCodePageAndAppNames) {
    std::vector<std::string> notes;
    auto db = read(otherProgramsDrawing(), &notes);
    ASSERT_NE(db, nullptr);
    const std::string out = veld::dxf::drawingToDxf(*db);
    const KeptTags line = veld::test::dxfRecord(out, "40");
    for (const auto& [code, value] : KeptTags{{370, "50"},
                                              {420, "255"},
                                              {440, "33554534"},
                                              {39, "2.5"},
                                              {230, "-1.0"},
                                              {330, "50"},
                                              {1001, "AcCmTransparency"}}) {
        EXPECT_TRUE(has(line, code, value)) << code << " " << value;
    }
    const KeptTags layer = veld::test::dxfRecord(out, "10");
    EXPECT_TRUE(has(layer, 370, "35") && has(layer, 420, "1151726") && has(layer, 70, "2"));
    EXPECT_TRUE(hasRun(out, {{9, "$ACADVER"}, {1, "AC1032"}}));
    EXPECT_TRUE(hasRun(out, {{9, "$DWGCODEPAGE"}, {3, "ANSI_1251"}}));
    // "72 inf" is never written back, and the loss is told.
    EXPECT_FALSE(has(veld::test::dxfRecord(out, "29"), 72, "inf"));
    EXPECT_TRUE(std::any_of(notes.begin(), notes.end(), [](const std::string& n) {
        return n.find("do not fit their group codes") != std::string::npos;
    }));
    std::string error;
    EXPECT_NE(veld::dxf::readDrawingData(out, error), nullptr) << error;
}

TEST(KeptRecords, ChangedObjectsKeepEveryCodeTheyDoNotModel) {
    auto db = read(otherProgramsDrawing());
    ASSERT_NE(db, nullptr);
    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, idOf(*db, 0x40), AcDb::kForWrite), Acad::eOk);
    line->setEndPoint(AcGePoint3d(9.0, 2.0, 0.0));
    line->close();
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, idOf(*db, 0x10), AcDb::kForWrite), Acad::eOk);
    layer->setIsFrozen(true);
    layer->close();

    const std::string out = veld::dxf::drawingToDxf(*db);
    const KeptTags written = veld::test::dxfRecord(out, "40");
    EXPECT_TRUE(has(written, 11, "9.0"));
    EXPECT_FALSE(has(written, 11, "5.0"));
    for (const auto& [code, value] :
         KeptTags{{39, "2.5"}, {230, "-1.0"}, {370, "50"}, {440, "33554534"}, {330, "50"}}) {
        EXPECT_TRUE(has(written, code, value)) << code << " " << value;
    }
    // Frozen is modelled; "frozen in new viewports" (2) is kept from the file.
    EXPECT_TRUE(has(veld::test::dxfRecord(out, "10"), 70, "3"));
    EXPECT_TRUE(has(veld::test::dxfRecord(out, "10"), 370, "35"));
}

TEST(KeptRecords, ExtendedDataOverTheLimitForNewDataIsKept) {
    const std::string big(200, 'x'); // 200 strings of 200 bytes: about 40 KB for one application
    auto db = read(otherProgramsDrawing(big));
    ASSERT_NE(db, nullptr);
    const std::string out = veld::dxf::drawingToDxf(*db);
    const KeptTags line = veld::test::dxfRecord(out, "40");
    EXPECT_EQ(std::count(line.begin(), line.end(), std::make_pair(1000, big)), 200);
}

TEST(KeptRecords, MergePutsModelledValuesInPlaceAndKeepsTheRest) {
    using veld::dxf::OwnedTag;
    const KeptTags kept = {{100, "AcDbEntity"}, {8, "A"},  {62, "1"},  {370, "25"},
                           {100, "AcDbText"},   {10, "0"}, {1, "old"}, {71, "2"}};
    // Colour back to ByLayer (62 left out), text changed, a new subclass at the end.
    const std::vector<OwnedTag> generated = {
        {100, "AcDbEntity"}, {8, "B"},          {100, "AcDbText"}, {10, "0"},
        {1, "new"},          {100, "AcDbText"}, {73, "2"}};
    const KeptTags merged = veld::dxf::mergeRecord(kept, generated);
    const KeptTags expected = {{100, "AcDbEntity"}, {8, "B"},          {370, "25"},
                               {100, "AcDbText"},   {10, "0"},         {1, "new"},
                               {71, "2"},           {100, "AcDbText"}, {73, "2"}};
    EXPECT_EQ(merged, expected);

    // A vertex count that changed: the generated list, then the kept codes not modelled.
    const KeptTags poly = {{100, "AcDbPolyline"}, {90, "1"}, {10, "0"}, {20, "0"}, {39, "3"}};
    const std::vector<OwnedTag> twoVertices = {
        {100, "AcDbPolyline"}, {90, "2"}, {10, "0"}, {20, "0"}, {10, "1"}, {20, "1"}};
    const KeptTags expectedPoly = {
        {100, "AcDbPolyline"}, {90, "2"}, {10, "0"}, {20, "0"}, {10, "1"}, {20, "1"}, {39, "3"}};
    EXPECT_EQ(veld::dxf::mergeRecord(poly, twoVertices), expectedPoly);
}

TEST(KeptRecords, ReaderTakesWhatRealProgramsWrite) {
    // A comment and the version before the first section.
    const std::string leading =
        veld::test::dxfText(
            {{999, "written by a garment program"}, {9, "$ACADVER"}, {1, "AC1009"}}) +
        veld::test::dxfText({{0, "SECTION"}, {2, "ENTITIES"}, {0, "INSERT"},  {8, "0"},
                             {2, "LATER"},   {10, "1"},       {20, "2"},      {0, "ENDSEC"},
                             {0, "SECTION"}, {2, "BLOCKS"},   {0, "BLOCK"},   {8, "0"},
                             {2, "LATER"},   {70, "0"},       {10, "0"},      {20, "0"},
                             {0, "LINE"},    {8, "0"},        {6, "BYBLOCK"}, {10, "0"},
                             {20, "0"},      {11, "1"},       {21, "1"},      {0, "ENDBLK"},
                             {8, "0"},       {0, "ENDSEC"},   {0, "EOF"}});
    auto db = read(leading);
    ASSERT_NE(db, nullptr);
    const std::string out = veld::dxf::drawingToDxf(*db);
    EXPECT_TRUE(hasRun(out, {{100, "AcDbBlockReference"}, {2, "LATER"}}))
        << "the block defined after its reference keeps its name";
    EXPECT_TRUE(hasRun(out, {{6, "BYBLOCK"}}));

    // An R12 table outside the TABLES section.
    const std::string outside = veld::test::dxfText({{0, "SECTION"},
                                                     {2, "HEADER"},
                                                     {9, "$ACADVER"},
                                                     {1, "AC1009"},
                                                     {0, "ENDSEC"},
                                                     {0, "TABLE"},
                                                     {2, "LAYER"},
                                                     {70, "1"},
                                                     {0, "LAYER"},
                                                     {2, "Outside"},
                                                     {70, "0"},
                                                     {62, "5"},
                                                     {6, "CONTINUOUS"},
                                                     {0, "ENDTAB"},
                                                     {0, "EOF"}});
    auto db2 = read(outside);
    ASSERT_NE(db2, nullptr);
    EXPECT_TRUE(hasRun(veld::dxf::drawingToDxf(*db2), {{2, "Outside"}}));

    // A damaged file is still refused with its line.
    std::string error;
    EXPECT_EQ(veld::dxf::readDrawingData(veld::test::dxfText({{999, "x"},
                                                              {0, "SECTION"},
                                                              {2, "ENTITIES"},
                                                              {0, "ENDSEC"},
                                                              {9, "$EXTMIN"},
                                                              {10, "0"}}),
                                         error),
              nullptr);
    EXPECT_NE(error.find("line 9"), std::string::npos) << error;
}

TEST(KeptRecords, LayoutBlocksAndDimensionBlocksKeepTheirEntities) {
    // A second layout's block with a viewport-less line, and a dimension with a block whose
    // geometry (a tick drawn as a line) no style would compute.
    KeptTags all = kHeader;
    const KeptTags blocks = {{0, "SECTION"},
                             {2, "BLOCKS"},
                             {0, "BLOCK"},
                             {5, "60"},
                             {100, "AcDbEntity"},
                             {8, "0"},
                             {100, "AcDbBlockBegin"},
                             {2, "*Paper_Space0"},
                             {70, "0"},
                             {10, "0"},
                             {20, "0"},
                             {30, "0"},
                             {3, "*Paper_Space0"},
                             {0, "LINE"},
                             {5, "61"},
                             {100, "AcDbEntity"},
                             {67, "1"},
                             {8, "0"},
                             {100, "AcDbLine"},
                             {10, "7.5"},
                             {20, "0"},
                             {30, "0"},
                             {11, "8.5"},
                             {21, "0"},
                             {31, "0"},
                             {0, "ENDBLK"},
                             {5, "62"},
                             {100, "AcDbEntity"},
                             {8, "0"},
                             {100, "AcDbBlockEnd"},
                             {0, "BLOCK"},
                             {5, "63"},
                             {100, "AcDbEntity"},
                             {8, "0"},
                             {100, "AcDbBlockBegin"},
                             {2, "*D7"},
                             {70, "1"},
                             {10, "0"},
                             {20, "0"},
                             {30, "0"},
                             {3, "*D7"},
                             {0, "LINE"},
                             {5, "64"},
                             {100, "AcDbEntity"},
                             {8, "0"},
                             {100, "AcDbLine"},
                             {10, "0.25"},
                             {20, "-0.25"},
                             {30, "0"},
                             {11, "-0.25"},
                             {21, "0.25"},
                             {31, "0"},
                             {0, "ENDBLK"},
                             {5, "65"},
                             {100, "AcDbEntity"},
                             {8, "0"},
                             {100, "AcDbBlockEnd"},
                             {0, "ENDSEC"},
                             {0, "SECTION"},
                             {2, "ENTITIES"},
                             {0, "DIMENSION"},
                             {5, "70"},
                             {100, "AcDbEntity"},
                             {8, "0"},
                             {100, "AcDbDimension"},
                             {2, "*D7"},
                             {10, "4"},
                             {20, "1"},
                             {30, "0"},
                             {11, "2"},
                             {21, "1"},
                             {31, "0"},
                             {70, "33"},
                             {1, "4'-0 1/4\""},
                             {3, "STANDARD"},
                             {100, "AcDbAlignedDimension"},
                             {13, "0"},
                             {23, "0"},
                             {33, "0"},
                             {14, "4"},
                             {24, "0"},
                             {34, "0"},
                             {0, "ENDSEC"},
                             {0, "EOF"}};
    all.insert(all.end(), blocks.begin(), blocks.end());
    auto db = read(veld::test::dxfText(all));
    ASSERT_NE(db, nullptr);
    const std::string out = veld::dxf::drawingToDxf(*db);
    EXPECT_TRUE(has(veld::test::dxfRecord(out, "61"), 10, "7.5")) << "the layout's line is written";
    EXPECT_TRUE(has(veld::test::dxfRecord(out, "64"), 10, "0.25"))
        << "the dimension's block as read";
    EXPECT_TRUE(has(veld::test::dxfRecord(out, "70"), 1, "4'-0 1/4\""));
    EXPECT_FALSE(hasRun(out, {{2, "*D8"}})) << "no block computed for an unchanged dimension";
}
