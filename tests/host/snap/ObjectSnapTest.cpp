// Object snaps: exact crossings of grid lines, the closest snap within the aperture, the OSMODE
// bits, nearest as the last resort, circles and arcs, shapes placed by block references, and
// old-style polylines.
#include "host/snap/ObjectSnap.h"
#include "host/dxf/DrawingFile.h"
#include "host/ed/CurrentDrawing.h"
#include "host/ed/HeadlessHost.h"

#include <gtest/gtest.h>

#include <cmath>

using veld::snap::ObjectSnap;
using veld::snap::SnapArc;
using veld::snap::SnapScene;
using veld::snap::SnapSegment;
namespace snap = veld::snap;

namespace {

SnapScene gridOf(std::initializer_list<double> xs, std::initializer_list<double> ys) {
    SnapScene scene;
    for (double x : xs) {
        scene.segments.push_back({AcGePoint2d(x, -1e5), AcGePoint2d(x, 1e5)});
    }
    for (double y : ys) {
        scene.segments.push_back({AcGePoint2d(-1e5, y), AcGePoint2d(1e5, y)});
    }
    return scene;
}

SnapArc circle(double x, double y, double r) {
    SnapArc arc;
    arc.center = AcGePoint2d(x, y);
    arc.radius = r;
    return arc;
}

} // namespace

TEST(ObjectSnap, AGridCrossingIsExactWhateverTheCoordinates) {
    // Values with no exact binary form: the computed crossing would be off in the last digits.
    SnapScene scene = gridOf({0.1 * 3, 6000.7}, {0.7, 12000.3});
    ObjectSnap snapper(scene, snap::kIntersection, 1.0);
    auto hit = snapper.find(AcGePoint2d(0.5, 0.4));
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->point.x, 0.1 * 3);
    EXPECT_EQ(hit->point.y, 0.7);
    hit = snapper.find(AcGePoint2d(6000.2, 12000.9));
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->point, AcGePoint2d(6000.7, 12000.3));
    EXPECT_EQ(hit->mode, snap::kIntersection);
    EXPECT_FALSE(snapper.find(AcGePoint2d(6002.0, 12000.3))) << "outside the aperture";
}

TEST(ObjectSnap, TheClosestSnapInReachWinsAndOnlyEnabledModesCount) {
    SnapScene scene;
    scene.segments.push_back({AcGePoint2d(0, 0), AcGePoint2d(10, 0)});
    scene.segments.push_back({AcGePoint2d(10, 0), AcGePoint2d(10, 10)});
    scene.nodes.push_back(AcGePoint2d(5, 1));
    const int all = snap::kEndpoint | snap::kMidpoint | snap::kNode | snap::kIntersection;
    auto hit = ObjectSnap(scene, all, 2.0).find(AcGePoint2d(5, 0.6));
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->mode, snap::kNode) << "the node at 0.4 beats the midpoint at 0.6";
    hit = ObjectSnap(scene, snap::kMidpoint, 2.0).find(AcGePoint2d(5, 0.6));
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->point, AcGePoint2d(5, 0));
    EXPECT_FALSE(ObjectSnap(scene, snap::kEndpoint, 2.0).find(AcGePoint2d(5, 0.6)));
    EXPECT_FALSE(ObjectSnap(scene, all | snap::kSnapsOff, 2.0).find(AcGePoint2d(10, 0)))
        << "bit 16384 turns every snap off";
}

TEST(ObjectSnap, NearestOnlyWhenNothingElseIsInReach) {
    SnapScene scene;
    scene.segments.push_back({AcGePoint2d(0, 0), AcGePoint2d(100, 0)});
    const int modes = snap::kEndpoint | snap::kNearest;
    auto hit = ObjectSnap(scene, modes, 5.0).find(AcGePoint2d(40, 3));
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->mode, snap::kNearest);
    EXPECT_EQ(hit->point, AcGePoint2d(40, 0));
    hit = ObjectSnap(scene, modes, 5.0).find(AcGePoint2d(3, 1));
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->mode, snap::kEndpoint) << "the end beats the nearer point on the line";
}

TEST(ObjectSnap, CirclesAndArcsGiveCentreQuadrantsEndsAndCrossings) {
    SnapScene scene;
    scene.arcs.push_back(circle(0, 0, 10));
    SnapArc arc = circle(30, 0, 10);
    arc.full = false;
    arc.start = 0.0;
    arc.end = M_PI; // the upper half
    scene.arcs.push_back(arc);
    scene.segments.push_back({AcGePoint2d(-20, 6), AcGePoint2d(50, 6)});
    auto centre = ObjectSnap(scene, snap::kCenter, 1.0).find(AcGePoint2d(0.3, -9.6));
    ASSERT_TRUE(centre) << "the cursor on the curve finds the centre";
    EXPECT_EQ(centre->point, AcGePoint2d(0, 0));
    auto quadrant = ObjectSnap(scene, snap::kQuadrant, 1.0).find(AcGePoint2d(0.5, 9.7));
    ASSERT_TRUE(quadrant);
    EXPECT_NEAR(quadrant->point.y, 10.0, 1e-12);
    auto end = ObjectSnap(scene, snap::kEndpoint, 1.0).find(AcGePoint2d(20.4, 0.3));
    ASSERT_TRUE(end);
    EXPECT_NEAR(end->point.x, 20.0, 1e-12);
    auto crossing = ObjectSnap(scene, snap::kIntersection, 1.0).find(AcGePoint2d(8.2, 6.3));
    ASSERT_TRUE(crossing);
    EXPECT_NEAR(crossing->point.x, 8.0, 1e-12);
    EXPECT_NEAR(crossing->point.y, 6.0, 1e-12);
    EXPECT_TRUE(ObjectSnap::intersect(scene.segments[0], arc).size() == 2);
    SnapSegment below{AcGePoint2d(20, -6), AcGePoint2d(40, -6)};
    EXPECT_TRUE(ObjectSnap::intersect(below, arc).empty()) << "the lower half is not there";
    EXPECT_EQ(ObjectSnap::intersect(scene.arcs[0], circle(10, 0, 10)).size(), 2u);
}

TEST(ObjectSnap, TheSceneTakesBlockShapesWhereTheReferencePlacesThem) {
    veld::ed::HeadlessHost host;
    AcDbDatabase* db = host.database();
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(db->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    auto* block = new AcDbBlockTableRecord();
    block->setName("MARK");
    AcDbObjectId blockId;
    ASSERT_EQ(table->add(blockId, block), Acad::eOk);
    table->close();
    for (AcDbEntity* shape : std::initializer_list<AcDbEntity*>{
             new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)),
             new AcDbArc(AcGePoint3d(0, 0, 0), 5.0, 0.0, M_PI / 2)}) {
        ASSERT_EQ(block->appendAcDbEntity(shape), Acad::eOk);
        shape->close();
    }
    block->close();
    auto* ref = new AcDbBlockReference(AcGePoint3d(100, 200, 0), blockId);
    ref->setRotation(M_PI / 2);
    AcDbObjectId refId;
    ASSERT_EQ(veld::ed::CurrentDrawing::append(ref, refId), Acad::eOk);

    SnapScene scene = SnapScene::build(db);
    ASSERT_EQ(scene.segments.size(), 1u);
    EXPECT_NEAR(scene.segments[0].b.x, 100.0, 1e-9);
    EXPECT_NEAR(scene.segments[0].b.y, 210.0, 1e-9);
    ASSERT_EQ(scene.arcs.size(), 1u);
    EXPECT_TRUE(scene.arcs[0].covers(M_PI * 0.75)) << "turned a quarter with the reference";
    EXPECT_FALSE(scene.arcs[0].covers(M_PI * 0.25));
}

TEST(ObjectSnap, OldStylePolylinesSnapAtTheirVerticesAndAlongTheirBulges) {
    // A closed 2D polyline seen from below (extrusion -Z) at elevation 5: object (10, 0) is world
    // (-10, 0); its first piece bulges. The polygon mesh after it offers nothing.
    auto vertex = [](double x, double y, double bulge, int flags) {
        return "0\nVERTEX\n8\n0\n10\n" + std::to_string(x) + "\n20\n" + std::to_string(y) +
               "\n30\n0\n42\n" + std::to_string(bulge) + "\n70\n" + std::to_string(flags) + "\n";
    };
    const std::string entities =
        "0\nPOLYLINE\n8\n0\n66\n1\n10\n0\n20\n0\n30\n5\n70\n1\n210\n0\n220\n0\n230\n-1\n" +
        vertex(0, 0, 1, 0) + vertex(10, 0, 0, 0) + vertex(50, 50, 0, 16) + vertex(10, 10, 0, 0) +
        "0\nSEQEND\n8\n0\n0\nPOLYLINE\n8\n0\n66\n1\n70\n16\n71\n2\n72\n2\n" + vertex(0, 0, 0, 64) +
        vertex(0, 1, 0, 64) + vertex(1, 0, 0, 64) + vertex(1, 1, 0, 64) + "0\nSEQEND\n8\n0\n";
    std::string error;
    auto db = veld::dxf::readDrawingData(
        "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n", error);
    ASSERT_NE(db, nullptr) << error;
    const SnapScene scene = SnapScene::build(db.get());
    EXPECT_EQ(scene.segments.size(), 2u) << "two straight sides; the control point is skipped";
    ASSERT_EQ(scene.arcs.size(), 1u);
    auto corner = ObjectSnap(scene, snap::kEndpoint, 1.0).find(AcGePoint2d(-9.7, 9.6));
    ASSERT_TRUE(corner);
    EXPECT_EQ(corner->point.x, -10.0);
    EXPECT_EQ(corner->point.y, 10.0);
    auto middle = ObjectSnap(scene, snap::kMidpoint, 1.0).find(AcGePoint2d(-5.2, -4.7));
    ASSERT_TRUE(middle) << "the bulge's middle lies below its chord";
    EXPECT_NEAR(middle->point.x, -5.0, 1e-9);
    EXPECT_NEAR(middle->point.y, -5.0, 1e-9);
}
