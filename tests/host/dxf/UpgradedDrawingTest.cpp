// Drawings written in a newer version than they were read in, and new drawings: every layout
// block gets a LAYOUT object that its block record names, the view of an R12 viewport moves from
// its extended data into its own codes, proxy entities keep graphics readers can find, and the
// saved file reads back and saves again unchanged, application records' handles included.
#include "host/dxf/DrawingFile.h"

#include "support/DxfText.h"
#include "support/EzdxfAudit.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;
using veld::test::countOf;
using veld::test::dxfRecord;
using veld::test::dxfTags;
using veld::test::DxfTags;
using veld::test::dxfText;
using veld::test::valueOf;

namespace {

DxfTags block(const std::string& name, const DxfTags& entities = {}) {
    DxfTags tags = {{0, "BLOCK"}, {8, "0"},    {2, name}, {70, "0"}, {10, "0.0"},
                    {20, "0.0"},  {30, "0.0"}, {3, name}, {1, ""}};
    tags.insert(tags.end(), entities.begin(), entities.end());
    tags.insert(tags.end(), {{0, "ENDBLK"}, {8, "0"}});
    return tags;
}

// The MVIEW list of an R12 viewport: view height 8.993 around (5.25, 4.0), UCS icon and fast
// zoom on, grid on, snap and grid 0.5, layer "Hidden" frozen in it.
DxfTags mviewData() {
    DxfTags tags = {{1001, "ACAD"}, {1000, "MVIEW"}, {1002, "{"},    {1070, "16"},  {1010, "0.0"},
                    {1020, "0.0"},  {1030, "0.0"},   {1010, "0.0"},  {1020, "0.0"}, {1030, "1.0"},
                    {1040, "0.0"},  {1040, "8.993"}, {1040, "5.25"}, {1040, "4.0"}, {1040, "50.0"}};
    for (const char* v : {"0.0", "0.0"}) {
        tags.emplace_back(1040, v); // clipping planes
    }
    for (const char* v : {"0", "1000", "1", "1", "0", "1", "0", "0"}) {
        tags.emplace_back(1070, v); // view mode, zoom, fast zoom, UCS icon, snap, grid, style
    }
    for (const char* v : {"0.0", "0.0", "0.0", "0.5", "0.5", "0.5", "0.5"}) {
        tags.emplace_back(1040, v); // snap angle, snap base, snap and grid spacing
    }
    tags.insert(tags.end(), {{1070, "0"}, {1002, "{"}, {1003, "Hidden"}, {1002, "}"}, {1002, "}"}});
    return tags;
}

// An R12 file with a second paper space, block records that name layouts its (skipped) OBJECTS
// section holds, and a paper-space viewport; as a point-cloud program writes it.
std::string r12WithLayouts() {
    DxfTags all = {
        {0, "SECTION"},      {2, "HEADER"},       {9, "$ACADVER"},     {1, "AC1009"},
        {0, "ENDSEC"},       {0, "SECTION"},      {2, "TABLES"},       {0, "TABLE"},
        {2, "LAYER"},        {70, "2"},           {0, "LAYER"},        {2, "0"},
        {70, "0"},           {62, "7"},           {6, "CONTINUOUS"},   {0, "LAYER"},
        {2, "Hidden"},       {70, "0"},           {62, "1"},           {6, "CONTINUOUS"},
        {0, "ENDTAB"},       {0, "TABLE"},        {2, "BLOCK_RECORD"}, {70, "3"},
        {0, "BLOCK_RECORD"}, {2, "*Model_Space"}, {340, "22"},         {0, "BLOCK_RECORD"},
        {2, "*Paper_Space"}, {340, "1E"},         {0, "BLOCK_RECORD"}, {2, "*Paper_Space0"},
        {340, "26"},         {0, "ENDTAB"},       {0, "ENDSEC"},       {0, "SECTION"},
        {2, "BLOCKS"}};
    for (const DxfTags& b : {block("*Model_Space"), block("*Paper_Space"),
                             block("*Paper_Space0", {{0, "LINE"},
                                                     {67, "1"},
                                                     {8, "0"},
                                                     {10, "1.0"},
                                                     {20, "1.0"},
                                                     {30, "0.0"},
                                                     {11, "9.0"},
                                                     {21, "1.0"},
                                                     {31, "0.0"}})}) {
        all.insert(all.end(), b.begin(), b.end());
    }
    const DxfTags entities = {{0, "ENDSEC"}, {0, "SECTION"}, {2, "ENTITIES"}, {0, "VIEWPORT"},
                              {5, "240"},    {67, "1"},      {8, "0"},        {10, "5.25"},
                              {20, "4.0"},   {30, "0.0"},    {40, "19.69"},   {41, "8.993"},
                              {68, "1"},     {69, "1"}};
    all.insert(all.end(), entities.begin(), entities.end());
    const DxfTags mview = mviewData();
    all.insert(all.end(), mview.begin(), mview.end());
    all.insert(all.end(), {{0, "ENDSEC"},
                           {0, "SECTION"},
                           {2, "OBJECTS"},
                           {0, "DICTIONARY"},
                           {5, "C"},
                           {100, "AcDbDictionary"},
                           {0, "ENDSEC"},
                           {0, "EOF"}});
    return dxfText(all);
}

class UpgradedDrawings : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("veld_upgrade_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override {
        if (!HasFailure()) {
            fs::remove_all(dir_);
        }
    }

    // Reads the text, saves it (checked by ezdxf), reads that and saves again: the same text.
    std::string saveTwice(const std::string& text) {
        std::string error;
        auto db = veld::dxf::readDrawingData(text, error);
        EXPECT_NE(db, nullptr) << error;
        if (db == nullptr) {
            return {};
        }
        const std::string out = veld::dxf::drawingToDxf(*db);
        const std::string path = (dir_ / "saved.dxf").string();
        std::ofstream(path, std::ios::binary) << out;
        EXPECT_EZDXF_CLEAN(path);
        auto again = veld::dxf::readDrawingData(out, error);
        EXPECT_NE(again, nullptr) << error;
        if (again != nullptr) {
            EXPECT_EQ(veld::dxf::drawingToDxf(*again), out) << "a second save changes nothing";
        }
        return out;
    }

    fs::path dir_;
};

// The handle of the block record with that name in DXF text.
std::string blockRecordNamed(const std::string& text, const std::string& name) {
    const DxfTags all = dxfTags(text);
    for (std::size_t i = 0; i + 2 < all.size(); ++i) {
        if (all[i] == std::make_pair(0, std::string("BLOCK_RECORD"))) {
            const DxfTags record = dxfRecord(text, all[i + 1].second);
            if (countOf(record, 2, name) == 1) {
                return all[i + 1].second;
            }
        }
    }
    return {};
}

// The last group 330 of a LAYOUT: its block record.
std::string layoutBlock(const DxfTags& layout) {
    std::string last;
    for (const auto& [code, value] : layout) {
        if (code == 330) {
            last = value;
        }
    }
    return last;
}

} // namespace

TEST_F(UpgradedDrawings, EveryLayoutBlockOfAnR12FileGetsTheLayoutItsRecordNames) {
    const std::string out = saveTwice(r12WithLayouts());
    const struct {
        const char* block;
        const char* layout;
        const char* name;
    } expected[] = {{"*Model_Space", "22", "Model"},
                    {"*Paper_Space", "1E", "Layout1"},
                    {"*Paper_Space0", "26", "Layout2"}};
    const DxfTags all = dxfTags(out);
    std::string dictionary;
    for (std::size_t i = 0; i + 1 < all.size(); ++i) {
        if (all[i] == std::make_pair(3, std::string("ACAD_LAYOUT"))) {
            dictionary = all[i + 1].second;
        }
    }
    ASSERT_FALSE(dictionary.empty()) << "the named-object dictionary lists ACAD_LAYOUT";
    const DxfTags layouts = dxfRecord(out, dictionary);
    for (const auto& e : expected) {
        SCOPED_TRACE(e.block);
        const std::string record = blockRecordNamed(out, e.block);
        EXPECT_EQ(countOf(dxfRecord(out, record), 340, e.layout), 1);
        const DxfTags layout = dxfRecord(out, e.layout);
        EXPECT_EQ(valueOf(layout, 0), "LAYOUT");
        EXPECT_EQ(countOf(layout, 1, e.name), 1);
        EXPECT_EQ(layoutBlock(layout), record);
        EXPECT_EQ(valueOf(layout, 330), dictionary) << "owned by ACAD_LAYOUT";
        EXPECT_EQ(countOf(layouts, 3, e.name), 1);
        EXPECT_EQ(countOf(layouts, 350, e.layout), 1);
    }
    EXPECT_EQ(countOf(all, 1, "AcDbLayout") + countOf(all, 2, "AcDbLayout"), 1)
        << "one CLASS record for LAYOUT";
}

TEST_F(UpgradedDrawings, AnR12ViewportKeepsItsViewInItsOwnCodes) {
    const std::string out = saveTwice(r12WithLayouts());
    const DxfTags viewport = dxfRecord(out, "240");
    ASSERT_EQ(valueOf(viewport, 0), "VIEWPORT");
    EXPECT_EQ(valueOf(viewport, 45), "8.993") << "view height, as written in the file";
    EXPECT_EQ(valueOf(viewport, 12), "5.25");
    EXPECT_EQ(valueOf(viewport, 22), "4.0");
    EXPECT_EQ(valueOf(viewport, 14), "0.5");
    EXPECT_EQ(valueOf(viewport, 15), "0.5");
    EXPECT_EQ(valueOf(viewport, 36), "1.0") << "looking down";
    EXPECT_EQ(valueOf(viewport, 72), "1000");
    EXPECT_EQ(valueOf(viewport, 90), std::to_string(32 + 128 + 512)) << "icon, fast zoom, grid";
    const std::string frozen = valueOf(viewport, 331);
    EXPECT_EQ(countOf(dxfRecord(out, frozen), 2, "Hidden"), 1) << "the frozen layer by handle";
    EXPECT_EQ(countOf(viewport, 1000, "MVIEW"), 0) << "the list is not left as foreign data";
    EXPECT_EQ(countOf(viewport, 1001, "ACAD"), 0);
}

TEST_F(UpgradedDrawings, AnR14ProxyEntityKeepsItsGraphicsSizedForTheWrittenVersion) {
    const std::string graphics = "0800000001000000";
    const DxfTags file = {{0, "SECTION"},   {2, "HEADER"},
                          {9, "$ACADVER"},  {1, "AC1014"},
                          {9, "$HANDSEED"}, {5, "800"},
                          {0, "ENDSEC"},    {0, "SECTION"},
                          {2, "ENTITIES"},  {0, "ACAD_PROXY_ENTITY"},
                          {5, "732"},       {100, "AcDbEntity"},
                          {8, "0"},         {92, "8"},
                          {310, graphics},  {100, "AcDbProxyEntity"},
                          {90, "498"},      {91, "500"},
                          {92, "8"},        {310, graphics},
                          {96, "0"},        {93, "64"},
                          {310, graphics},  {94, "0"},
                          {0, "ENDSEC"},    {0, "EOF"}};
    std::string error;
    auto db = veld::dxf::readDrawingData(dxfText(file), error);
    ASSERT_NE(db, nullptr) << error;
    const DxfTags proxy = dxfRecord(veld::dxf::drawingToDxf(*db), "732");
    const DxfTags expected = {{100, "AcDbProxyEntity"},
                              {90, "498"},
                              {91, "500"},
                              {160, "8"},
                              {310, graphics},
                              {162, "0"},
                              {161, "64"},
                              {310, graphics},
                              {94, "0"}};
    EXPECT_NE(std::search(proxy.begin(), proxy.end(), expected.begin(), expected.end()),
              proxy.end());
    EXPECT_EQ(countOf(proxy, 92, "8"), 1) << "the entity's own graphics size stays as read";
}

TEST_F(UpgradedDrawings, ANewDrawingHasAModelAndAPaperLayout) {
    AcDbDatabase db;
    const std::string out = saveTwice(veld::dxf::drawingToDxf(db));
    int layouts = 0;
    for (const auto& [code, value] : dxfTags(out)) {
        layouts += code == 0 && value == "LAYOUT";
    }
    EXPECT_EQ(layouts, 2);
    for (const char* name : {"*Model_Space", "*Paper_Space"}) {
        const std::string link = valueOf(dxfRecord(out, blockRecordNamed(out, name)), 340);
        EXPECT_EQ(layoutBlock(dxfRecord(out, link)), blockRecordNamed(out, name)) << name;
    }
}

TEST_F(UpgradedDrawings, ALayoutMissingFromTheDictionaryIsAddedToItUnderAFreeName) {
    // Model space and a second paper space have layouts ("Layout1" the second's); the first
    // paper space has none.
    auto record = [](const char* handle, const char* name, const char* layout) {
        DxfTags tags = {
            {0, "BLOCK_RECORD"},           {5, handle}, {330, "1"}, {100, "AcDbSymbolTableRecord"},
            {100, "AcDbBlockTableRecord"}, {2, name}};
        if (*layout != 0) {
            tags.emplace_back(340, layout);
        }
        return tags;
    };
    auto layout = [](const char* handle, const char* name, const char* tab, const char* block) {
        return DxfTags{
            {0, "LAYOUT"},      {5, handle},         {330, "D"}, {100, "AcDbPlotSettings"},
            {2, "none_device"}, {100, "AcDbLayout"}, {1, name},  {70, "1"},
            {71, tab},          {330, block}};
    };
    DxfTags file = {{0, "SECTION"},
                    {2, "HEADER"},
                    {9, "$ACADVER"},
                    {1, "AC1027"},
                    {9, "$HANDSEED"},
                    {5, "100"},
                    {0, "ENDSEC"},
                    {0, "SECTION"},
                    {2, "TABLES"},
                    {0, "TABLE"},
                    {2, "BLOCK_RECORD"},
                    {5, "1"},
                    {330, "0"},
                    {100, "AcDbSymbolTable"},
                    {70, "3"}};
    for (const DxfTags& part :
         {record("17", "*Model_Space", "1A"), record("18", "*Paper_Space", ""),
          record("19", "*Paper_Space1", "1B"),
          DxfTags{{0, "ENDTAB"},
                  {0, "ENDSEC"},
                  {0, "SECTION"},
                  {2, "OBJECTS"},
                  {0, "DICTIONARY"},
                  {5, "C"},
                  {330, "0"},
                  {100, "AcDbDictionary"},
                  {281, "1"},
                  {3, "ACAD_LAYOUT"},
                  {350, "D"},
                  {0, "DICTIONARY"},
                  {5, "D"},
                  {330, "C"},
                  {100, "AcDbDictionary"},
                  {281, "1"},
                  {3, "Model"},
                  {350, "1A"},
                  {3, "Layout1"},
                  {350, "1B"}},
          layout("1A", "Model", "0", "17"), layout("1B", "Layout1", "1", "19"),
          DxfTags{{0, "ENDSEC"}, {0, "EOF"}}}) {
        file.insert(file.end(), part.begin(), part.end());
    }
    const std::string out = saveTwice(dxfText(file));
    EXPECT_EQ(dxfRecord(out, "1A"), layout("1A", "Model", "0", "17")) << "kept as read";
    const DxfTags dictionary = dxfRecord(out, "D");
    const std::string paper = valueOf(dxfRecord(out, "18"), 340);
    EXPECT_EQ(countOf(dictionary, 3, "Layout2"), 1);
    EXPECT_EQ(countOf(dictionary, 350, paper), 1);
    const DxfTags added = dxfRecord(out, paper);
    EXPECT_EQ(countOf(added, 1, "Layout2"), 1);
    EXPECT_EQ(countOf(added, 71, "2"), 1) << "the tab after the others";
    EXPECT_EQ(layoutBlock(added), "18");
}

TEST_F(UpgradedDrawings, ApplicationsUsedBeforeTheirTableKeepTheTablesHandles) {
    // A layer's extended data names an application before the APPID table comes.
    const DxfTags file = {{0, "SECTION"},
                          {2, "HEADER"},
                          {9, "$ACADVER"},
                          {1, "AC1027"},
                          {9, "$HANDSEED"},
                          {5, "100"},
                          {0, "ENDSEC"},
                          {0, "SECTION"},
                          {2, "TABLES"},
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
                          {70, "0"},
                          {62, "3"},
                          {6, "Continuous"},
                          {1001, "MyApp"},
                          {1000, "standard"},
                          {0, "ENDTAB"},
                          {0, "TABLE"},
                          {2, "APPID"},
                          {5, "9"},
                          {330, "0"},
                          {100, "AcDbSymbolTable"},
                          {70, "2"},
                          {0, "APPID"},
                          {5, "12"},
                          {330, "9"},
                          {100, "AcDbSymbolTableRecord"},
                          {100, "AcDbRegAppTableRecord"},
                          {2, "ACAD"},
                          {70, "0"},
                          {0, "APPID"},
                          {5, "13"},
                          {330, "9"},
                          {100, "AcDbSymbolTableRecord"},
                          {100, "AcDbRegAppTableRecord"},
                          {2, "MyApp"},
                          {70, "0"},
                          {0, "ENDTAB"},
                          {0, "ENDSEC"},
                          {0, "EOF"}};
    const std::string out = saveTwice(dxfText(file));
    const DxfTags all = dxfTags(out), table = {{0, "TABLE"}, {2, "APPID"}, {5, "9"}};
    EXPECT_NE(std::search(all.begin(), all.end(), table.begin(), table.end()), all.end());
    EXPECT_EQ(countOf(dxfRecord(out, "13"), 2, "MyApp"), 1);
    EXPECT_EQ(countOf(all, 2, "MyApp"), 1) << "registered once";
    EXPECT_EQ(valueOf(dxfRecord(out, "10"), 1001), "MyApp");
}
