// What the writer puts into a file, compared as (code, value) runs: groups and their reactors,
// paper space, kept header values and objects, what the database does not model.
#include "host/dxf/DxfWriter.h"
#include "host/db/DatabaseImpl.h"
#include "host/dxf/DrawingFile.h"
#include "support/TempFolder.h"
#include "support/TestDrawing.h"

#include <algorithm>
#include <dbdict.h>
#include <dbdim.h>
#include <dbsymtb.h>
#include <filesystem>
#include <gtest/gtest.h>

using veld::dxf::OwnedTag;

namespace {

std::vector<OwnedTag> tagsOf(const AcDbDatabase& db) {
    veld::dxf::MemoryTagSink sink;
    veld::dxf::writeDrawing(db, sink);
    return sink.tags;
}

// The tags of the first object of that type whose handle is `handle` (empty: the first).
std::vector<OwnedTag> objectTags(const std::vector<OwnedTag>& all, const std::string& type,
                                 const std::string& handle = {}) {
    for (std::size_t i = 0; i + 1 < all.size(); ++i) {
        if (all[i].code == 0 && all[i].value == type &&
            (handle.empty() || all[i + 1].value == handle)) {
            std::vector<OwnedTag> out{all[i]};
            for (std::size_t k = i + 1; k < all.size() && all[k].code != 0; ++k) {
                out.push_back(all[k]);
            }
            return out;
        }
    }
    return {};
}

AcDbObjectId append(AcDbEntity* e, AcDbObjectId space) {
    return veld::test::TestDrawing(*space.database()).appendTo(space, e);
}

std::string hex(AcDbObjectId id) {
    return id.handle().text();
}

} // namespace

TEST(DxfWriter, GroupsListMembersInOrderAndMembersCarryTheGroupAsReactor) {
    AcDbDatabase db;
    const auto a =
        append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)), db.modelSpaceId());
    const auto b = append(new AcDbPoint(AcGePoint3d(2, 0, 0)), db.modelSpaceId());
    AcDbDictionary* dict = nullptr;
    ASSERT_EQ(db.getGroupDictionary(dict, AcDb::kForWrite), Acad::eOk);
    auto* group = new AcDbGroup("説明", false);
    AcDbObjectId groupId;
    dict->setAt("*", group, groupId);
    group->append(b);
    group->append(a);
    group->close();
    dict->close();

    const auto all = tagsOf(db);
    const std::string g = hex(groupId), d = hex(db.groupDictionaryId());
    EXPECT_EQ(objectTags(all, "GROUP"), (std::vector<OwnedTag>{{0, "GROUP"},
                                                               {5, g},
                                                               {102, "{ACAD_REACTORS"},
                                                               {330, d},
                                                               {102, "}"},
                                                               {330, d},
                                                               {100, "AcDbGroup"},
                                                               {300, "説明"},
                                                               {70, "1"},
                                                               {71, "0"},
                                                               {340, hex(b)},
                                                               {340, hex(a)}}));
    const auto line = objectTags(all, "LINE");
    ASSERT_GE(line.size(), 6u);
    EXPECT_EQ(std::vector<OwnedTag>(line.begin() + 2, line.begin() + 6),
              (std::vector<OwnedTag>{
                  {102, "{ACAD_REACTORS"}, {330, g}, {102, "}"}, {330, hex(db.modelSpaceId())}}));
}

TEST(DxfWriter, PaperSpaceEntitiesAreMarkedAndUserRealsSaved) {
    AcDbDatabase db;
    append(new AcDbCircle(AcGePoint3d(0, 0, 0), 1), db.paperSpaceId());
    db.impl().setUserR(2, 0.125);
    const auto all = tagsOf(db);
    const auto circle = objectTags(all, "CIRCLE");
    EXPECT_NE(std::find(circle.begin(), circle.end(), OwnedTag{67, "1"}), circle.end());
    const auto at = std::find(all.begin(), all.end(), OwnedTag{9, "$USERR2"});
    ASSERT_NE(at, all.end());
    EXPECT_EQ(*(at + 1), (OwnedTag{40, "0.125"}));

    std::string error;
    auto reread = veld::dxf::readDrawingData(veld::dxf::drawingToDxf(db), error);
    ASSERT_NE(reread, nullptr) << error;
    EXPECT_EQ(reread->impl().userR(2), 0.125);
}

TEST(DxfWriter, WhatTheDatabaseDoesNotModelIsWrittenBackAsRead) {
    const std::string file =
        "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1027\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n"
        "0\nSECTION\n2\nCLASSES\n0\nCLASS\n1\nX\n2\nXClass\n0\nENDSEC\n"
        "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nVPORT\n5\n8\n0\nVPORT\n5\n30\n2\n*Active\n41\n1.5\n"
        "0\nENDTAB\n0\nENDSEC\n"
        "0\nSECTION\n2\nENTITIES\n0\nMTEXT\n5\n40\n330\n1F\n100\nAcDbEntity\n8\n0\n100\nAcDbMText\n"
        "1\nline one^Jline two\n1001\nAPP\n1000\nkept\n0\nENDSEC\n"
        "0\nSECTION\n2\nOBJECTS\n0\nDICTIONARY\n5\nC\n330\n0\n100\nAcDbDictionary\n3\nMINE\n350\n41"
        "\n"
        "0\nXRECORD\n5\n41\n330\nC\n100\nAcDbXrecord\n1\nrecord text\n0\nENDSEC\n0\nEOF\n";
    std::string error;
    auto db = veld::dxf::readDrawingData(file, error);
    ASSERT_NE(db, nullptr) << error;
    const auto all = tagsOf(*db);
    const auto mtext = objectTags(all, "MTEXT", "40");
    ASSERT_FALSE(mtext.empty());
    EXPECT_NE(std::find(mtext.begin(), mtext.end(), OwnedTag{1, "line one^Jline two"}),
              mtext.end());
    EXPECT_EQ(mtext.back(), (OwnedTag{1000, "kept"}));
    EXPECT_EQ(
        objectTags(all, "XRECORD", "41"),
        (std::vector<OwnedTag>{
            {0, "XRECORD"}, {5, "41"}, {330, "C"}, {100, "AcDbXrecord"}, {1, "record text"}}));
    EXPECT_EQ(objectTags(all, "VPORT", "30"),
              (std::vector<OwnedTag>{{0, "VPORT"}, {5, "30"}, {2, "*Active"}, {41, "1.5"}}));
    EXPECT_EQ(objectTags(all, "CLASS"),
              (std::vector<OwnedTag>{{0, "CLASS"}, {1, "X"}, {2, "XClass"}}));
    const auto units = std::find(all.begin(), all.end(), OwnedTag{9, "$INSUNITS"});
    ASSERT_NE(units, all.end());
    EXPECT_EQ(*(units + 1), (OwnedTag{70, "4"}));
}

// A value that overflows while the file is written (a dimension measuring 2e308) was written as
// 0: the save is refused instead, and the previous file stays.
TEST(DxfWriter, ASaveWithANumberThatIsNotFiniteIsRefused) {
    AcDbDatabase db;
    append(new AcDbAlignedDimension(AcGePoint3d(-1e308, 0, 0), AcGePoint3d(1e308, 0, 0),
                                    AcGePoint3d(0, 10, 0)),
           db.modelSpaceId());
    const veld::test::TempFolder folder("veld-nonfinite");
    const std::string path = folder.file("a.dxf");
    std::string error;
    EXPECT_FALSE(veld::dxf::saveDrawing(db, path, error));
    EXPECT_NE(error.find("a number that is not finite"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(path));
}
