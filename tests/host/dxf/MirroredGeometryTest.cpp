// Entities drawn in a plane whose normal is not +Z (as MIRROR leaves them): the object coordinate
// system of a few normals, mirrored entities read from a file answering in world coordinates,
// their crossings, snaps, picks and picture where they are drawn, their writing back, and texts
// placed by their alignment point.
#include "host/db/EntityPlane.h"
#include "host/dxf/DrawingFile.h"
#include "host/ed/EntityGeometry.h"
#include "host/render/SvgExport.h"
#include "host/snap/ObjectSnap.h"

#include <dbents.h>
#include <dbsymtb.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

using Tags = std::initializer_list<std::pair<int, std::string>>;

std::string tags(Tags list) {
    std::string out;
    for (const auto& [code, value] : list) {
        out += std::to_string(code) + "\n" + value + "\n";
    }
    return out;
}

const std::string kMirrored = tags({{210, "0.0"}, {220, "0.0"}, {230, "-1.0"}});

// A vertical grid line at world x 1000 drawn as a mirrored polyline (its own x is -1000), a
// world line across it at y 2000, a mirrored circle, arc and right-aligned text.
std::string mirroredDrawing() {
    return tags({{0, "SECTION"}, {2, "ENTITIES"}}) +
           tags({{0, "LWPOLYLINE"},
                 {5, "20"},
                 {100, "AcDbEntity"},
                 {8, "G"},
                 {100, "AcDbPolyline"},
                 {90, "2"},
                 {70, "0"},
                 {10, "-1000.0"},
                 {20, "-500.0"},
                 {10, "-1000.0"},
                 {20, "4500.0"}}) +
           kMirrored +
           tags({{0, "LINE"},
                 {5, "21"},
                 {100, "AcDbEntity"},
                 {8, "G"},
                 {100, "AcDbLine"},
                 {10, "500"},
                 {20, "2000"},
                 {30, "0"},
                 {11, "5500"},
                 {21, "2000"},
                 {31, "0"}}) +
           tags({{0, "CIRCLE"},
                 {5, "22"},
                 {100, "AcDbEntity"},
                 {8, "0"},
                 {100, "AcDbCircle"},
                 {10, "-8000.00"},
                 {20, "1000.00"},
                 {30, "0.0"},
                 {40, "300.0"}}) +
           kMirrored +
           tags({{0, "ARC"},
                 {5, "23"},
                 {100, "AcDbEntity"},
                 {8, "0"},
                 {100, "AcDbCircle"},
                 {10, "-8000.0"},
                 {20, "2000.0"},
                 {30, "0.0"},
                 {40, "250.0"}}) +
           kMirrored + tags({{100, "AcDbArc"}, {50, "0.0"}, {51, "90.0"}}) +
           tags({{0, "TEXT"},
                 {5, "24"},
                 {100, "AcDbEntity"},
                 {8, "0"},
                 {100, "AcDbText"},
                 {10, "-8100.0"},
                 {20, "3000.0"},
                 {30, "0.0"},
                 {40, "100.0"},
                 {1, "MARK"},
                 {72, "2"},
                 {11, "-8000.0"},
                 {21, "3000.0"},
                 {31, "0.0"}}) +
           kMirrored + tags({{100, "AcDbText"}, {0, "ENDSEC"}, {0, "EOF"}});
}

std::unique_ptr<AcDbDatabase> read(const std::string& data) {
    std::string error;
    auto db = veld::dxf::readDrawingData(data, error);
    EXPECT_NE(db, nullptr) << error;
    return db;
}

AcDbObjectId byHandle(AcDbDatabase& db, const char* handle) {
    AcDbObjectId id;
    EXPECT_EQ(db.getAcDbObjectId(id, false, AcDbHandle(handle)), Acad::eOk) << handle;
    return id;
}

// Opens an entity for read for the test's scope.
template <class T> struct Opened {
    T* entity = nullptr;
    Opened(AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead) {
        EXPECT_EQ(acdbOpenObject(entity, id, mode), Acad::eOk);
    }
    ~Opened() {
        if (entity != nullptr) {
            entity->close();
        }
    }
    T* operator->() const { return entity; }
};

void expectNear(const AcGePoint3d& p, double x, double y, double z) {
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
    EXPECT_NEAR(p.z, z, 1e-9);
}

class MirroredDrawing : public ::testing::Test {
protected:
    MirroredDrawing() : db_(read(mirroredDrawing())) {
        acdbHostApplicationServices()->setWorkingDatabase(db_.get());
    }
    ~MirroredDrawing() override { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }
    AcDbDatabase& db() { return *db_; }
    AcDbObjectId id(const char* handle) { return byHandle(*db_, handle); }

private:
    std::unique_ptr<AcDbDatabase> db_;
};

} // namespace

// Expected values as ezdxf's OCS class gives them for the point (1, 2, 3).
TEST(ObjectCoordinates, ThePlaneOfANormalFollowsTheArbitraryAxisRule) {
    struct Case {
        AcGeVector3d normal;
        AcGePoint3d world;
    };
    const Case cases[] = {
        {{0, 0, 1}, {1, 2, 3}},
        {{0, 0, -1}, {-1, 2, -3}},
        {{1, 1, 1}, {0.20844744545460392, 1.622661007827699, 3.36504396942433}},
        {{0.01, 0, -1}, {-0.9699515036371971, 2.0, -3.0098495112865598}},
        {{0, 1, 0}, {-1, 3, 2}},
    };
    for (const Case& c : cases) {
        AcGePoint3d p(1, 2, 3);
        p.transformBy(AcGeMatrix3d::planeToWorld(c.normal));
        expectNear(p, c.world.x, c.world.y, c.world.z);
        p.transformBy(AcGeMatrix3d::worldToPlane(c.normal));
        expectNear(p, 1, 2, 3);
    }
    EXPECT_EQ(AcGeMatrix3d::planeToWorld(AcGeVector3d::kZAxis), AcGeMatrix3d::kIdentity);
}

TEST_F(MirroredDrawing, ReadEntitiesAnswerInWorldCoordinates) {
    {
        Opened<AcDbPolyline> line(id("20"));
        AcGePoint3d world;
        AcGePoint2d own;
        ASSERT_EQ(line->getPointAt(1, world), Acad::eOk);
        ASSERT_EQ(line->getPointAt(1, own), Acad::eOk);
        expectNear(world, 1000, 4500, 0);
        EXPECT_EQ(own, AcGePoint2d(-1000, 4500)) << "the 2D form stays in the plane";
        EXPECT_EQ(line->normal(), AcGeVector3d(0, 0, -1));
    }
    expectNear(Opened<AcDbCircle>(id("22"))->center(), 8000, 1000, 0);
    expectNear(Opened<AcDbArc>(id("23"))->center(), 8000, 2000, 0);
    expectNear(Opened<AcDbText>(id("24"))->alignmentPoint(), 8000, 3000, 0);

    // A mirrored reference places its block's +X towards world -X.
    AcDbBlockReference ref(AcGePoint3d(9000, 2000, 0), AcDbObjectId::kNull);
    ASSERT_EQ(ref.setNormal(AcGeVector3d(0, 0, -2)), Acad::eOk);
    EXPECT_EQ(ref.setNormal(AcGeVector3d(0, 0, 0)), Acad::eInvalidInput);
    AcGePoint3d inBlock(100, 10, 0);
    expectNear(inBlock.transformBy(ref.blockTransform()), 8900, 2010, 0);
}

TEST_F(MirroredDrawing, CrossingsSnapsAndPicksLandWhereTheLinesAreDrawn) {
    AcGePoint3dArray points;
    {
        Opened<AcDbPolyline> grid(id("20"));
        Opened<AcDbLine> across(id("21"));
        ASSERT_EQ(grid->intersectWith(across.entity, AcDb::kOnBothOperands, points), Acad::eOk);
    }
    ASSERT_EQ(points.length(), 1);
    expectNear(points[0], 1000, 2000, 0);

    const auto scene = veld::snap::SnapScene::build(&db());
    veld::snap::ObjectSnap snap(scene, veld::snap::kIntersection, 20.0);
    const auto hit = snap.find(AcGePoint2d(1006, 1995));
    ASSERT_TRUE(hit);
    EXPECT_NEAR(hit->point.x, 1000, 1e-9);
    EXPECT_NEAR(hit->point.y, 2000, 1e-9);
    veld::snap::ObjectSnap centre(scene, veld::snap::kCenter, 20.0);
    const auto centreHit = centre.find(AcGePoint2d(8005, 1003));
    ASSERT_TRUE(centreHit);
    EXPECT_EQ(centreHit->point, AcGePoint2d(8000, 1000));

    using veld::ed::EntityGeometry;
    const auto grid = EntityGeometry::outline(id("20"));
    EXPECT_NEAR(EntityGeometry::distance(grid, AcGePoint2d(1000, 3000)), 0.0, 1e-9);
    EXPECT_GT(EntityGeometry::distance(grid, AcGePoint2d(-1000, 3000)), 1000.0);
    const auto circle = EntityGeometry::outline(id("22"));
    EXPECT_NEAR(EntityGeometry::distance(circle, AcGePoint2d(8300, 1000)), 0.0, 1e-6);
    // The arc's quarter runs from world -X round to +Y about its centre.
    const auto arc = EntityGeometry::outline(id("23"));
    EXPECT_NEAR(EntityGeometry::distance(arc, AcGePoint2d(7750, 2000)), 0.0, 1e-6);
    EXPECT_GT(EntityGeometry::distance(arc, AcGePoint2d(8250, 2000)), 100.0);
    EXPECT_TRUE(EntityGeometry::inside(circle, veld::ed::Rectangle({7600, 600}, {8400, 1400})));
}

TEST_F(MirroredDrawing, ThePictureDrawsThemOnTheirWorldSide) {
    const std::string svg = veld::render::modelSpaceSvg(db());
    EXPECT_NE(svg.find("M1000 -500 L1000 4500"), std::string::npos) << svg;
    EXPECT_EQ(svg.find("-1000 -500"), std::string::npos);
    EXPECT_NE(svg.find("7700 1000"), std::string::npos) << "the circle's start, at world -X";
    EXPECT_EQ(svg.find("-7700"), std::string::npos);
}

TEST_F(MirroredDrawing, UnchangedTheyAreWrittenAsReadChangedInTheirOwnPlane) {
    std::string written = veld::dxf::drawingToDxf(db());
    EXPECT_NE(written.find("10\n-8000.00\n 20\n1000.00\n 30\n0.0\n 40\n300.0\n210\n0.0\n220\n0.0\n"
                           "230\n-1.0"),
              std::string::npos)
        << written;
    {
        Opened<AcDbCircle> circle(id("22"), AcDb::kForWrite);
        ASSERT_EQ(circle->setRadius(350), Acad::eOk);
    }
    written = veld::dxf::drawingToDxf(db());
    EXPECT_NE(written.find("10\n-8000.0\n 20\n1000.0\n 30\n0.0\n 40\n350.0\n210\n0.0\n220\n0.0\n"
                           "230\n-1.0"),
              std::string::npos)
        << written;
    auto again = read(written);
    Opened<AcDbCircle> circle(byHandle(*again, "22"));
    expectNear(circle->center(), 8000, 1000, 0);
    EXPECT_EQ(circle->radius(), 350.0);
}

// A right-aligned text made by a program: the file gets its start (code 10) worked back from the
// alignment point, and a pick finds it left of that point, where it is drawn.
TEST_F(MirroredDrawing, TextsPlacedByTheirAlignmentPointArePickedAndWrittenFromIt) {
    auto* text = new AcDbText(AcGePoint3d(100, 50, 0), "MARK", AcDbObjectId::kNull, 10.0);
    ASSERT_EQ(text->setHorizontalMode(AcDb::kTextRight), Acad::eOk);
    ASSERT_EQ(text->setVerticalMode(AcDb::kTextBottom), Acad::eOk);
    ASSERT_EQ(text->setAlignmentPoint(AcGePoint3d(100, 50, 0)), Acad::eOk);
    AcDbObjectId textId;
    {
        Opened<AcDbBlockTableRecord> space(db().modelSpaceId(), AcDb::kForWrite);
        ASSERT_EQ(space->appendAcDbEntity(textId, text), Acad::eOk);
        text->close();
    }
    using veld::ed::EntityGeometry;
    const auto box = EntityGeometry::outline(textId);
    EXPECT_NEAR(EntityGeometry::distance(box, AcGePoint2d(80, 50)), 0.0, 1e-9);
    EXPECT_NEAR(EntityGeometry::distance(box, AcGePoint2d(120, 50)), 20.0, 1e-9);

    // Four characters at 0.8 of the height each: 32 wide, so the start is 32 left of the point.
    const std::string written = veld::dxf::drawingToDxf(db());
    EXPECT_NE(written.find(" 10\n68.0\n 20\n50.0\n 30\n0.0\n 40\n10.0\n  1\nMARK\n"),
              std::string::npos)
        << written;
    EXPECT_NE(written.find(" 11\n100.0\n 21\n50.0\n 31\n0.0\n"), std::string::npos);

    // The mirrored one read from the file is picked at its world alignment point.
    const auto mirrored = EntityGeometry::outline(id("24"));
    EXPECT_LT(EntityGeometry::distance(mirrored, AcGePoint2d(8000, 3000)), 1e-6);
    EXPECT_GT(EntityGeometry::distance(mirrored, AcGePoint2d(-8000, 3000)), 1000.0);
}
