// Intersections of lines, arcs, circles and polylines: modes, tangents, parallels, bulges and
// the order of the points.
#include "dbents.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>

namespace {

AcGePoint3d P(double x, double y) {
    return AcGePoint3d(x, y, 0.0);
}

std::unique_ptr<AcDbLine> line(double x0, double y0, double x1, double y1) {
    return std::make_unique<AcDbLine>(P(x0, y0), P(x1, y1));
}

std::unique_ptr<AcDbPolyline> pline(std::initializer_list<std::array<double, 3>> vertices,
                                    bool closed = false) {
    auto p = std::make_unique<AcDbPolyline>();
    unsigned i = 0;
    for (const auto& v : vertices) {
        p->addVertexAt(i++, AcGePoint2d(v[0], v[1]), v[2]);
    }
    p->setClosed(closed);
    return p;
}

AcGePoint3dArray hits(const AcDbEntity& a, const AcDbEntity& b,
                      AcDb::Intersect mode = AcDb::kOnBothOperands) {
    AcGePoint3dArray points;
    EXPECT_EQ(a.intersectWith(&b, mode, points), Acad::eOk);
    return points;
}

void expectPoint(const AcGePoint3d& p, double x, double y) {
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
}

TEST(DbIntersect, LinesCrossOnlyWithinBothUnlessExtended) {
    auto a = line(0, 0, 1, 0);
    auto b = line(2, -1, 2, 1); // beyond the end of a
    EXPECT_EQ(hits(*a, *b).length(), 0);
    EXPECT_EQ(hits(*a, *b, AcDb::kExtendArg).length(), 0);
    const AcGePoint3dArray extended = hits(*a, *b, AcDb::kExtendThis);
    ASSERT_EQ(extended.length(), 1);
    expectPoint(extended[0], 2, 0);
    auto c = line(2, 1, 2, 3); // beyond both
    EXPECT_EQ(hits(*a, *c, AcDb::kExtendThis).length(), 0);
    ASSERT_EQ(hits(*a, *c, AcDb::kExtendBoth).length(), 1);
}

TEST(DbIntersect, ParallelAndCollinearLines) {
    auto a = line(0, 0, 2, 0);
    EXPECT_EQ(hits(*a, *line(0, 1, 2, 1), AcDb::kExtendBoth).length(), 0);
    // Collinear and overlapping: no single point.
    EXPECT_EQ(hits(*a, *line(1, 0, 3, 0)).length(), 0);
    // Collinear and touching end to end: the shared point.
    const AcGePoint3dArray touch = hits(*a, *line(2, 0, 3, 0));
    ASSERT_EQ(touch.length(), 1);
    expectPoint(touch[0], 2, 0);
}

TEST(DbIntersect, LineAndArcKeepOnlyPointsOnTheArc) {
    const AcDbArc upper(P(0, 0), 1.0, 0.0, M_PI);
    const AcDbArc lower(P(0, 0), 1.0, M_PI, 2 * M_PI);
    auto l = line(-2, 0.5, 2, 0.5);
    const AcGePoint3dArray up = hits(*l, upper);
    ASSERT_EQ(up.length(), 2);
    // Ordered along the line from its start point.
    expectPoint(up[0], -std::sqrt(0.75), 0.5);
    expectPoint(up[1], std::sqrt(0.75), 0.5);
    EXPECT_EQ(hits(*l, lower).length(), 0);
    EXPECT_EQ(hits(*l, lower, AcDb::kExtendArg).length(), 2);
}

TEST(DbIntersect, CirclesMeetTwiceOnceWhenTangentAndNeverWhenConcentric) {
    const AcDbCircle a(P(0, 0), 1.0);
    const AcDbCircle b(P(1, 0), 1.0);
    const AcGePoint3dArray two = hits(a, b);
    ASSERT_EQ(two.length(), 2);
    EXPECT_NEAR(two[0].x, 0.5, 1e-12);
    EXPECT_NEAR(std::fabs(two[0].y), std::sqrt(0.75), 1e-12);
    const AcGePoint3dArray outer = hits(a, AcDbCircle(P(2, 0), 1.0));
    ASSERT_EQ(outer.length(), 1);
    expectPoint(outer[0], 1, 0);
    const AcGePoint3dArray inner = hits(a, AcDbCircle(P(0.5, 0), 0.5));
    ASSERT_EQ(inner.length(), 1);
    expectPoint(inner[0], 1, 0);
    EXPECT_EQ(hits(a, AcDbCircle(P(0, 0), 0.5)).length(), 0);
    EXPECT_EQ(hits(a, AcDbCircle(P(0, 0), 1.0)).length(), 0);
}

TEST(DbIntersect, TangentLineCountsOnceAlsoFarFromTheOrigin) {
    const double far = 1e6;
    const AcDbCircle circle(P(far, far), 10.0);
    auto tangent = line(far - 20, far + 10, far + 20, far + 10);
    const AcGePoint3dArray points = hits(*tangent, circle);
    ASSERT_EQ(points.length(), 1);
    EXPECT_NEAR(points[0].x, far, 1e-6);
    EXPECT_NEAR(points[0].y, far + 10, 1e-6);
}

TEST(DbIntersect, PolylineBulgeFollowsItsSign) {
    // Bulge 1 from (0,0) to (2,0): a half circle turning counter-clockwise, i.e. below.
    auto below = pline({{0, 0, 1.0}, {2, 0, 0}});
    auto above = pline({{0, 0, -1.0}, {2, 0, 0}});
    auto vertical = line(1, -5, 1, 5);
    const AcGePoint3dArray b = hits(*vertical, *below);
    ASSERT_EQ(b.length(), 1);
    expectPoint(b[0], 1, -1);
    const AcGePoint3dArray a = hits(*vertical, *above);
    ASSERT_EQ(a.length(), 1);
    expectPoint(a[0], 1, 1);
    // A quarter bulge (tan 22.5 deg) gives a 90 degree arc of radius sqrt(2).
    auto quarter = pline({{0, 0, std::tan(M_PI / 8)}, {2, 0, 0}});
    const AcGePoint3dArray q = hits(*vertical, *quarter);
    ASSERT_EQ(q.length(), 1);
    expectPoint(q[0], 1, 1 - std::sqrt(2.0));
}

TEST(DbIntersect, LineThroughAPolylineVertexCountsOnceAndPointsFollowThisEntity) {
    auto square = pline({{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}}, true);
    auto diagonal = line(-1, -1, 3, 3); // through the corners (0,0) and (2,2)
    const AcGePoint3dArray corners = hits(*diagonal, *square);
    ASSERT_EQ(corners.length(), 2);
    expectPoint(corners[0], 0, 0);
    expectPoint(corners[1], 2, 2);
    // From the polyline's side the order follows its segments: (1,0) on the first segment
    // comes before (1,2) on the third, whatever the line's direction.
    auto across = line(1, 3, 1, -1);
    const AcGePoint3dArray fromSquare = hits(*square, *across);
    ASSERT_EQ(fromSquare.length(), 2);
    expectPoint(fromSquare[0], 1, 0);
    expectPoint(fromSquare[1], 1, 2);
    const AcGePoint3dArray fromLine = hits(*across, *square);
    expectPoint(fromLine[0], 1, 2);
}

TEST(DbIntersect, ArcsOfOneCircleMeetOnlyWhereTheyTouch) {
    const AcDbArc a(P(0, 0), 1.0, 0.0, M_PI / 2);
    const AcDbArc b(P(0, 0), 1.0, M_PI / 2, M_PI);
    const AcGePoint3dArray touch = hits(a, b);
    ASSERT_EQ(touch.length(), 1);
    expectPoint(touch[0], 0, 1);
    EXPECT_EQ(hits(a, AcDbArc(P(0, 0), 1.0, M_PI / 4, M_PI)).length(), 0);
}

TEST(DbIntersect, OtherEntityKindsAreNotApplicable) {
    const AcDbPoint point(P(0, 0));
    auto l = line(-1, 0, 1, 0);
    AcGePoint3dArray points;
    EXPECT_EQ(l->intersectWith(&point, AcDb::kOnBothOperands, points), Acad::eNotApplicable);
    EXPECT_EQ(points.length(), 0);
    EXPECT_EQ(l->intersectWith(nullptr, AcDb::kOnBothOperands, points), Acad::eNullEntityPointer);
}

} // namespace

namespace {

TEST(DbIntersectCurves, BulgedPolylineAgainstCircleAndArcs) {
    // Half circle above the X axis from (0,0) to (2,0), centre (1,0), radius 1.
    auto dome = pline({{0, 0, -1.0}, {2, 0, 0}});
    const AcDbCircle circle(P(1, 1), 1.0);
    const AcGePoint3dArray points = hits(*dome, circle);
    // The circles of radius 1 around (1,0) and (1,1) meet at y = 0.5, both on the upper half.
    ASSERT_EQ(points.length(), 2);
    // Along the polyline: from (0,0) clockwise over the top, so the left point comes first.
    expectPoint(points[0], 1 - std::sqrt(0.75), 0.5);
    expectPoint(points[1], 1 + std::sqrt(0.75), 0.5);
    const AcDbArc rightQuarter(P(1, 1), 1.0, -M_PI / 2, 0.0);
    const AcGePoint3dArray one = hits(*dome, rightQuarter);
    ASSERT_EQ(one.length(), 1);
    expectPoint(one[0], 1 + std::sqrt(0.75), 0.5);
    EXPECT_EQ(hits(*dome, rightQuarter, AcDb::kExtendArg).length(), 2);
    // Extending the polyline does nothing: a polyline has no carrier line or circle.
    EXPECT_EQ(hits(*dome, rightQuarter, AcDb::kExtendThis).length(), 1);
}

TEST(DbIntersectCurves, ElevationOfThisEntityGivesTheZ) {
    auto p = pline({{0, 0, 0}, {2, 0, 0}});
    p->setElevation(7.0);
    const AcGePoint3dArray points = hits(*p, *line(1, -1, 1, 1));
    ASSERT_EQ(points.length(), 1);
    EXPECT_EQ(points[0].z, 7.0);
}

} // namespace
