// Saving and opening drawings: every modelled entity kind, extended data, groups, a block with
// attributes and dimensions survive save, open and save again unchanged; ezdxf accepts every
// file written; the shared corpus of real files opens and saves with its entities intact.
#include "host/dxf/DrawingFile.h"

#include "host/db/Dump.h"
#include "host/render/SvgExport.h"
#include "support/EzdxfAudit.h"
#include "support/FileBytes.h"
#include "support/SameText.h"
#include "support/TempFolder.h"
#include "support/TestDrawing.h"

#include <dbdict.h>
#include <dbdim.h>
#include <dbsymtb.h>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class DxfFiles : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return folder_.file(name); }
    veld::test::TempFolder folder_{"veld-dxf"};
};

template <class T> void closeAll(T* object) {
    object->close();
}

void registerApp(AcDbDatabase& db, const char* name) {
    AcDbRegAppTable* table = nullptr;
    ASSERT_EQ(db.getRegAppTable(table, AcDb::kForWrite), Acad::eOk);
    if (!table->has(name)) {
        auto* record = new AcDbRegAppTableRecord();
        record->setName(name);
        table->add(record);
        record->close();
    }
    table->close();
}

AcDbObjectId blockWithAttribute(AcDbDatabase& db) {
    const veld::test::TestDrawing drawing(db);
    const AcDbObjectId id = drawing.defineBlock("PILE");
    drawing.appendTo(id, new AcDbCircle(AcGePoint3d(0, 0, 0), 150));
    auto* def = new AcDbAttributeDefinition();
    def->setTag("NO");
    def->setPrompt("杭番号");
    def->setTextString("P1");
    def->setHeight(100);
    def->setPosition(AcGePoint3d(200, 0, 0));
    drawing.appendTo(id, def);
    return id;
}

// A drawing with every modelled entity kind, extended data, a group and a block reference.
std::unique_ptr<AcDbDatabase> sampleDrawing() {
    auto db = std::make_unique<AcDbDatabase>();
    registerApp(*db, "VELD_FOUNDATION");
    const AcDbObjectId line = veld::test::TestDrawing(*db).append(
        new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1500, 0, 0)));
    const AcDbObjectId point =
        veld::test::TestDrawing(*db).append(new AcDbPoint(AcGePoint3d(750, 0.1, 0)));
    veld::test::TestDrawing(*db).append(
        new AcDbText(AcGePoint3d(0, 300, 0), "基礎 ｶﾅ test", AcDbObjectId(), 200, 0.5));
    auto* aligned = new AcDbText(AcGePoint3d(0, 600, 0), "右下", AcDbObjectId(), 150);
    aligned->setHorizontalMode(AcDb::kTextRight);
    aligned->setVerticalMode(AcDb::kTextBottom);
    aligned->setAlignmentPoint(AcGePoint3d(900, 600, 0));
    veld::test::TestDrawing(*db).append(aligned);
    veld::test::TestDrawing(*db).append(new AcDbCircle(AcGePoint3d(10, 20, 0), 5));
    veld::test::TestDrawing(*db).append(new AcDbArc(AcGePoint3d(0, 0, 0), 100, 0.25, 2.5));
    auto* pline = new AcDbPolyline();
    pline->addVertexAt(0, AcGePoint2d(0, 0), 0.5);
    pline->addVertexAt(1, AcGePoint2d(100, 0));
    pline->addVertexAt(2, AcGePoint2d(100, 100));
    pline->setClosed(true);
    pline->setPlinegen(true);
    veld::test::TestDrawing(*db).append(pline);
    auto* dim = new AcDbAlignedDimension(AcGePoint3d(0, 0, 0), AcGePoint3d(1500, 0, 0),
                                         AcGePoint3d(500, -400, 0));
    dim->setTextLineSpacingFactor(9.0); // stored outside the valid range on purpose
    const AcDbObjectId dimId = veld::test::TestDrawing(*db).append(dim);
    const AcDbObjectId block = blockWithAttribute(*db);
    auto* ref = new AcDbBlockReference(AcGePoint3d(3000, 0, 0), block);
    const AcDbObjectId refId = veld::test::TestDrawing(*db).append(ref);
    AcDbBlockReference* opened = nullptr;
    EXPECT_EQ(acdbOpenObject(opened, refId, AcDb::kForWrite), Acad::eOk);
    auto* attribute = new AcDbAttribute();
    attribute->setTag("NO");
    attribute->setTextString("P-12");
    attribute->setHeight(100);
    attribute->setPosition(AcGePoint3d(3200, 0, 0));
    opened->appendAttribute(attribute);
    attribute->close();
    opened->close();
    const double where[3] = {1.5, -2, 3};
    veld::test::TestDrawing::setXData(
        line, acutBuildList(1001, "VELD_FOUNDATION", 1000, "日本語の文字列", 1002, "{", 1070,
                            static_cast<short>(-7), 1010, where, 1002, "}", 1005, "1F", 0));
    veld::test::TestDrawing::setXData(
        point, acutBuildList(1001, "VELD_FOUNDATION", 1070, static_cast<short>(32767), 1040, 0.1,
                             1071, static_cast<std::int32_t>(123456789), 0));
    AcDbDictionary* groups = nullptr;
    EXPECT_EQ(db->getGroupDictionary(groups, AcDb::kForWrite), Acad::eOk);
    auto* group = new AcDbGroup("基礎 1");
    AcDbObjectId groupId;
    groups->setAt("*", group, groupId);
    group->append(line);
    group->append(dimId);
    group->append(point);
    group->close();
    groups->close();
    return db;
}

} // namespace

TEST_F(DxfFiles, SaveOpenSaveGivesTheSameFileAndEzdxfAcceptsIt) {
    auto db = sampleDrawing();
    std::string error;
    ASSERT_TRUE(veld::dxf::saveDrawing(*db, path("a.dxf"), error)) << error;
    auto reopened = veld::dxf::openDrawing(path("a.dxf"), error);
    ASSERT_NE(reopened, nullptr) << error;
    ASSERT_TRUE(veld::dxf::saveDrawing(*reopened, path("b.dxf"), error)) << error;
    EXPECT_EQ(veld::test::readBytes(path("a.dxf")), veld::test::readBytes(path("b.dxf")));
    auto again = veld::dxf::openDrawing(path("b.dxf"), error);
    ASSERT_NE(again, nullptr) << error;
    EXPECT_TRUE(
        veld::test::sameText(veld::db::dumpDatabase(*reopened), veld::db::dumpDatabase(*again)));
    EXPECT_NE(veld::db::dumpDatabase(*reopened).find("plinegen"), std::string::npos)
        << "the polyline's linetype generation (70 bit 128) survives";
    const auto report = veld::test::runEzdxfCheck(path("a.dxf"));
    ASSERT_TRUE(report.clean()) << report.json;
    EXPECT_EQ(report.counts.at("LINE"), 1);
    EXPECT_EQ(report.counts.at("DIMENSION"), 1) << "the dimension keeps its geometry block";
    EXPECT_EQ(report.counts.at("ATTRIB(attached)"), 1);
    EXPECT_EQ(report.counts.at("LWPOLYLINE"), 1);
    const std::string text = veld::test::readBytes(path("a.dxf"));
    EXPECT_NE(text.find(" 41\n4.0\n"), std::string::npos) << "line spacing written clamped";
    EXPECT_NE(text.find("日本語の文字列"), std::string::npos);
    EXPECT_NE(text.find("102\n{ACAD_REACTORS"), std::string::npos);
}

// Opening a file hands the memory of what was read back as it goes; nothing still needed may be
// among it. A drawing of some tens of megabytes, saved, opened and saved again, is unchanged.
TEST_F(DxfFiles, ALargeDrawingOpensAndSavesUnchanged) {
    auto db = sampleDrawing();
    veld::test::TestDrawing drawing(*db);
    for (int i = 0; i < 200000; ++i) {
        drawing.append(
            new AcDbLine(AcGePoint3d(i * 1.25, -i / 3.0, 0), AcGePoint3d(i, i + 0.5, 0)));
    }
    std::string error;
    ASSERT_TRUE(veld::dxf::saveDrawing(*db, path("a.dxf"), error)) << error;
    ASSERT_GT(std::filesystem::file_size(path("a.dxf")), 20u << 20);
    auto reopened = veld::dxf::openDrawing(path("a.dxf"), error);
    ASSERT_NE(reopened, nullptr) << error;
    ASSERT_TRUE(veld::dxf::saveDrawing(*reopened, path("b.dxf"), error)) << error;
    EXPECT_TRUE(veld::test::readBytes(path("a.dxf")) == veld::test::readBytes(path("b.dxf")));
}

TEST_F(DxfFiles, SavingKeepsThePreviousFileAsBackup) {
    auto db = sampleDrawing();
    std::string error;
    ASSERT_TRUE(veld::dxf::saveDrawing(*db, path("a.dxf"), error));
    ASSERT_TRUE(veld::dxf::saveDrawing(*db, path("a.dxf"), error));
    EXPECT_TRUE(fs::exists(path("a.dxf.bak")));
    EXPECT_EZDXF_CLEAN(path("a.dxf"));
    EXPECT_FALSE(veld::dxf::saveDrawing(*db, path("no/such/dir/a.dxf"), error));
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
}

TEST_F(DxfFiles, SvgShowsGeometryTextsAndDimensions) {
    auto db = sampleDrawing();
    std::string error;
    ASSERT_TRUE(veld::render::exportSvg(*db, path("a.svg"), error)) << error;
    const std::string svg = veld::test::readBytes(path("a.svg"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("基礎 ｶﾅ test"), std::string::npos);
    EXPECT_NE(svg.find(">P-12</text>"), std::string::npos) << "attributes are drawn";
    EXPECT_NE(svg.find(">1500.0000</text>"), std::string::npos) << "dimension text";
    EXPECT_NE(svg.find("Noto Sans CJK JP"), std::string::npos);
}

TEST_F(DxfFiles, CorpusFilesOpenAndSaveWithTheirEntities) {
    const fs::path corpus = fs::path(VELD_SHARED_DIR) / "corpus" / "dxf";
    if (!fs::is_directory(corpus)) {
        GTEST_SKIP() << "no shared corpus at " << corpus;
    }
    std::vector<std::string> originals, saved;
    for (const auto& entry : fs::directory_iterator(corpus)) {
        if (entry.path().extension() != ".dxf") {
            continue;
        }
        SCOPED_TRACE(entry.path().filename().string());
        std::string error;
        auto db = veld::dxf::openDrawing(entry.path().string(), error);
        if (!db) {
            // The broken ones: one line naming the file and the place.
            EXPECT_NE(error.find(entry.path().string() + ": line "), std::string::npos) << error;
            continue;
        }
        const std::string out = path(entry.path().filename().string());
        ASSERT_TRUE(veld::dxf::saveDrawing(*db, out, error)) << error;
        originals.push_back(entry.path().string());
        saved.push_back(out);
    }
    EXPECT_GE(saved.size(), 20u) << "most of the corpus opens";
    const auto before = veld::test::runEzdxfChecks(originals, true);
    const auto after = veld::test::runEzdxfChecks(saved);
    for (std::size_t i = 0; i < saved.size(); ++i) {
        SCOPED_TRACE(originals[i]);
        EXPECT_TRUE(after[i].clean()) << after[i].json;
        if (before[i].loaded) {
            EXPECT_EQ(after[i].counts, before[i].counts) << after[i].json;
        }
    }
}
