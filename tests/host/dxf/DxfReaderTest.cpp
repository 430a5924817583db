// What the reader makes of files from other programs: code pages, files without handles,
// binary files, groups, extended data and attributes.
#include "host/db/DatabaseImpl.h"
#include "host/dxf/DrawingFile.h"

#include <dbdict.h>
#include <dbdim.h>
#include <dbsymtb.h>
#include <gtest/gtest.h>

namespace {

std::string tags(std::initializer_list<std::pair<int, std::string>> list) {
    std::string out;
    for (const auto& [code, value] : list) {
        out += std::to_string(code) + "\n" + value + "\n";
    }
    return out;
}

std::unique_ptr<AcDbDatabase> read(const std::string& data) {
    std::string error;
    auto db = veld::dxf::readDrawingData(data, error);
    EXPECT_NE(db, nullptr) << error;
    return db;
}

std::vector<AcDbObjectId> modelSpace(AcDbDatabase& db) {
    AcDbBlockTableRecord* space = nullptr;
    EXPECT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForRead), Acad::eOk);
    const AcDbObjectIdArray ids = space->entityIds();
    space->close();
    return {ids.begin(), ids.end()};
}

template <class T> std::string textOf(AcDbObjectId id) {
    T* t = nullptr;
    EXPECT_EQ(acdbOpenObject(t, id, AcDb::kForRead), Acad::eOk);
    if (t == nullptr) {
        return {};
    }
    std::string s = t->textString();
    t->close();
    return s;
}

const std::string kEntities = tags({{0, "SECTION"}, {2, "ENTITIES"}});
const std::string kEnd = tags({{0, "ENDSEC"}, {0, "EOF"}});

} // namespace

TEST(DxfReader, ConvertsTheCodePageOfOldFilesAndUnicodeEscapes) {
    const std::string header = tags({{0, "SECTION"},
                                     {2, "HEADER"},
                                     {9, "$ACADVER"},
                                     {1, "AC1015"},
                                     {9, "$DWGCODEPAGE"},
                                     {3, "ANSI_932"},
                                     {0, "ENDSEC"}});
    auto db = read(header + kEntities +
                   tags({{0, "TEXT"},
                         {5, "20"},
                         {8, "0"},
                         {10, "0"},
                         {20, "0"},
                         {40, "1"},
                         {1, "\x8a\xee\x91\x62 \xb6\xc5 \\U+00E9"},
                         {0, "TEXT"},
                         {8, "0"},
                         {10, "0"},
                         {20, "0"},
                         {40, "1"},
                         {1, "x^ 2^Jnext"}}) +
                   kEnd);
    ASSERT_NE(db, nullptr);
    const auto ids = modelSpace(*db);
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(textOf<AcDbText>(ids[0]), "基礎 ｶﾅ é");
    EXPECT_EQ(textOf<AcDbText>(ids[1]), "x^2\nnext") << "caret notation";
    EXPECT_EQ(ids[0].handle().value(), 0x20u) << "handles are kept";
}

TEST(DxfReader, GivesHandlesToObjectsThatHaveNone) {
    auto db = read(kEntities +
                   tags({{0, "LINE"},
                         {8, "WALL"},
                         {10, "0"},
                         {20, "0"},
                         {11, "1"},
                         {21, "1"},
                         {0, "LINE"},
                         {5, "1A0"},
                         {8, "WALL"},
                         {10, "0"},
                         {20, "0"},
                         {11, "2"},
                         {21, "2"}}) +
                   kEnd);
    ASSERT_NE(db, nullptr);
    const auto ids = modelSpace(*db);
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(ids[1].handle().value(), 0x1A0u);
    EXPECT_NE(ids[0].handle().value(), 0x1A0u) << "a new handle is one the file does not use";
    EXPECT_FALSE(ids[0].handle().isNull());
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db->getLayerTable(layers, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(layers->has("WALL")) << "a layer used but not listed is made";
    layers->close();
}

TEST(DxfReader, ReadsBinaryFiles) {
    std::string data("AutoCAD Binary DXF\r\n\x1a\0", 22);
    auto code = [&](int c) {
        data += static_cast<char>(c & 255), data += static_cast<char>(c >> 8);
    };
    auto text = [&](int c, const std::string& v) { code(c), data += v, data += '\0'; };
    auto real = [&](int c, double v) { code(c), data.append(reinterpret_cast<char*>(&v), 8); };
    text(0, "SECTION");
    text(2, "ENTITIES");
    text(0, "CIRCLE");
    text(5, "2B");
    text(8, "0");
    real(10, 0.1);
    real(20, 2.5);
    real(40, 7.25);
    text(0, "ENDSEC");
    text(0, "EOF");
    auto db = read(data);
    ASSERT_NE(db, nullptr);
    const auto ids = modelSpace(*db);
    ASSERT_EQ(ids.size(), 1u);
    AcDbCircle* circle = nullptr;
    ASSERT_EQ(acdbOpenObject(circle, ids[0], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(circle->center(), AcGePoint3d(0.1, 2.5, 0));
    EXPECT_EQ(circle->radius(), 7.25);
    circle->close();
}

TEST(DxfReader, GroupsExtendedDataAndAttributesBecomeTheDatabasesOwn) {
    auto db = read(
        kEntities + tags({{0, "LINE"},   {5, "30"},   {8, "0"},       {10, "0"},      {20, "0"},
                          {11, "1"},     {21, "0"},   {1001, "VELD"}, {1000, "基礎"}, {1070, "12"},
                          {1010, "1"},   {1020, "2"}, {1030, "3"},    {0, "POINT"},   {5, "31"},
                          {8, "0"},      {10, "5"},   {20, "5"},      {0, "INSERT"},  {5, "32"},
                          {8, "0"},      {66, "1"},   {2, "B"},       {10, "0"},      {20, "0"},
                          {0, "ATTRIB"}, {5, "33"},   {8, "0"},       {10, "0"},      {20, "0"},
                          {40, "1"},     {1, "V1"},   {2, "TAG"},     {70, "0"},      {0, "SEQEND"},
                          {5, "34"},     {8, "0"},    {0, "ENDSEC"}}) +
        tags({{0, "SECTION"},    {2, "OBJECTS"}, {0, "DICTIONARY"}, {5, "C"},    {330, "0"},
              {3, "ACAD_GROUP"}, {350, "D"},     {0, "DICTIONARY"}, {5, "D"},    {330, "C"},
              {3, "G1"},         {350, "E"},     {0, "GROUP"},      {5, "E"},    {330, "D"},
              {300, "desc"},     {70, "0"},      {71, "1"},         {340, "31"}, {340, "30"},
              {0, "ENDSEC"},     {0, "EOF"}}));
    ASSERT_NE(db, nullptr);
    AcDbDictionary* groups = nullptr;
    ASSERT_EQ(db->getGroupDictionary(groups, AcDb::kForRead), Acad::eOk);
    AcDbObject* object = nullptr;
    ASSERT_EQ(groups->getAt("G1", object, AcDb::kForRead), Acad::eOk);
    groups->close();
    auto* group = AcDbGroup::cast(object);
    ASSERT_NE(group, nullptr);
    AcDbObjectIdArray members;
    EXPECT_EQ(group->allEntityIds(members), 2u);
    EXPECT_EQ(members[0].handle().value(), 0x31u) << "members keep their order";
    EXPECT_EQ(group->description(), "desc");
    object->close();

    const auto ids = modelSpace(*db);
    ASSERT_EQ(ids.size(), 3u);
    AcDbEntity* line = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(line, ids[0], AcDb::kForRead), Acad::eOk);
    resbuf* xdata = line->xData("VELD");
    line->close();
    ASSERT_NE(xdata, nullptr);
    ASSERT_NE(xdata->rbnext, nullptr);
    EXPECT_STREQ(xdata->rbnext->resval.rstring, "基礎");
    EXPECT_EQ(xdata->rbnext->rbnext->resval.rint, 12);
    EXPECT_EQ(xdata->rbnext->rbnext->rbnext->resval.rpoint[2], 3.0);
    acutRelRb(xdata);
    AcDbRegAppTable* apps = nullptr;
    ASSERT_EQ(db->getRegAppTable(apps, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(apps->has("VELD")) << "applications used by extended data are registered";
    apps->close();

    AcDbBlockReference* ref = nullptr;
    ASSERT_EQ(acdbOpenObject(ref, ids[2], AcDb::kForRead), Acad::eOk);
    const AcDbObjectIdArray attributes = ref->attributeIds();
    ref->close();
    ASSERT_EQ(attributes.length(), 1);
    EXPECT_EQ(textOf<AcDbAttribute>(attributes[0]), "V1");
    const std::string again = veld::dxf::drawingToDxf(*db);
    EXPECT_NE(again.find("  0\nSEQEND\n  5\n34\n"), std::string::npos) << "SEQEND keeps its handle";
}

// Extended data read from a file is kept with the drawing's other records as read; a change
// gives the object its own copy, and undo brings back what was read.
TEST(DxfReader, ExtendedDataAsReadSurvivesAChangeAndItsUndo) {
    auto db = read(kEntities +
                   tags({{0, "LINE"},
                         {5, "30"},
                         {8, "0"},
                         {10, "0"},
                         {20, "0"},
                         {11, "1"},
                         {21, "0"},
                         {1001, "VELD"},
                         {1000, "基礎"}}) +
                   kEnd);
    ASSERT_NE(db, nullptr);
    const AcDbObjectId id = modelSpace(*db)[0];
    auto firstText = [&] {
        AcDbEntity* line = nullptr;
        EXPECT_EQ(acdbOpenAcDbEntity(line, id, AcDb::kForRead), Acad::eOk);
        resbuf* xdata = line->xData("VELD");
        line->close();
        std::string text = xdata && xdata->rbnext ? xdata->rbnext->resval.rstring : "";
        acutRelRb(xdata);
        return text;
    };
    auto& journal = db->impl().journal();
    journal.beginCommand("EDIT");
    AcDbEntity* line = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(line, id, AcDb::kForWrite), Acad::eOk);
    resbuf* changed = acutBuildList(1001, "VELD", 1000, "changed", 0);
    EXPECT_EQ(line->setXData(changed), Acad::eOk);
    acutRelRb(changed);
    line->close();
    journal.endCommand();
    EXPECT_EQ(firstText(), "changed");
    journal.undo(1);
    EXPECT_EQ(firstText(), "基礎");
    EXPECT_NE(veld::dxf::drawingToDxf(*db).find("1000\n基礎\n"), std::string::npos);
}
