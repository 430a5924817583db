// Tests of the toolkit's plane geometry: direction angles, segment and line intersections and
// the pick test, with the tolerance edges that the drawing and placement code depend on.
#include "arxcom/CArxComGeo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kPi = 3.141592653589793;

AcGePoint3d p3(double x, double y) {
    return {x, y, 0.0};
}

AcGePoint3dArray square(double size) {
    AcGePoint3dArray corners;
    corners.append(p3(0, 0));
    corners.append(p3(size, 0));
    corners.append(p3(size, size));
    corners.append(p3(0, size));
    return corners;
}

} // namespace

TEST(CArxComGeoDirection, QuadrantsAndAxes) {
    CArxComGeo geo;
    EXPECT_EQ(geo.GetDirectionAngle(p3(3, 4), p3(3, 4)), 0.0);
    EXPECT_DOUBLE_EQ(geo.GetDirectionAngle(p3(0, 0), p3(0, 5)), kPi / 2);
    EXPECT_DOUBLE_EQ(geo.GetDirectionAngle(p3(0, 0), p3(0, -5)), 3 * kPi / 2);
    EXPECT_DOUBLE_EQ(geo.GetDirectionAngle(p3(0, 0), p3(-5, 0)), kPi);
    EXPECT_DOUBLE_EQ(geo.GetDirectionAngle(p3(0, 0), p3(-5, 5)), 3 * kPi / 4);
    EXPECT_DOUBLE_EQ(geo.GetDirectionAngle(p3(0, 0), p3(-5, -5)), 5 * kPi / 4);
    EXPECT_DOUBLE_EQ(geo.GetDirectionAngle(AcGePoint2d(1, 1), AcGePoint2d(2, 2)), kPi / 4);
}

TEST(CArxComGeoDirection, SnapsOnlySmallPositiveAngles) {
    CArxComGeo geo;
    const double belowFullTurn = geo.GetDirectionAngle(p3(0, 0), p3(5, -0.00001));
    EXPECT_LT(belowFullTurn, 2 * kPi);
    EXPECT_GT(belowFullTurn, 2 * kPi - 1e-5);
    EXPECT_EQ(geo.GetDirectionAngle(p3(0, 0), p3(std::cos(0.00005), std::sin(0.00005))), 0.0);
    EXPECT_NEAR(geo.GetDirectionAngle(p3(0, 0), p3(std::cos(0.0002), std::sin(0.0002))), 0.0002,
                1e-12);
    // Runs below 1e-5 on one axis count as exactly on the other axis.
    EXPECT_DOUBLE_EQ(geo.GetDirectionAngle(p3(0, 0), p3(0.000009, 5)), kPi / 2);
    EXPECT_DOUBLE_EQ(geo.GetDirectionAngle(p3(0, 0), p3(-5, 0.000009)), kPi);
}

TEST(CArxComGeoDirection, HairBelowZeroDoesNotReachFullTurn) {
    CArxComGeo geo;
    const double angle = geo.GetDirectionAngle(p3(0, 0), p3(1e20, -1e-3));
    EXPECT_GE(angle, 0.0);
    EXPECT_LT(angle, geo.DegToRad(360.0));
}

TEST(CArxComGeoAngles, ConversionsAndAngleBetween) {
    CArxComGeo geo;
    EXPECT_EQ(geo.DegToRad(90.0), 90.0 * 3.141592653589793 * 0.005555555555555556);
    EXPECT_NEAR(geo.DegToRad(360.0), 2 * kPi, 1e-15);
    EXPECT_NEAR(geo.RadToDeg(kPi / 3), 60.0, 1e-12);
    // Dot products beyond [-1, 1] from rounding or non-unit vectors are clamped.
    EXPECT_EQ(geo.GetAngleBetween(AcGeVector2d(2, 0), AcGeVector2d(3, 0)), 0.0);
    EXPECT_DOUBLE_EQ(geo.GetAngleBetween(AcGeVector2d(2, 0), AcGeVector2d(-3, 0)), kPi);
}

TEST(CArxComGeoMidpoint, PolarStepWithZeroZ) {
    CArxComGeo geo;
    AcGePoint3d mid(7, 7, 7);
    double angle = -1;
    double half = -1;
    geo.GetSegmentMidpoint(AcGePoint3d(0, 0, 5), AcGePoint3d(0, -10, 9), mid, angle, half);
    EXPECT_NEAR(mid.x, 0.0, 1e-12);
    EXPECT_NEAR(mid.y, -5.0, 1e-12);
    EXPECT_EQ(mid.z, 0.0);
    EXPECT_DOUBLE_EQ(angle, 3 * kPi / 2);
    EXPECT_EQ(half, 5.0);
}

TEST(CArxComGeoLines, CoefficientsGiveSignedDistanceRightPositive) {
    CArxComGeo geo;
    CArxComLineCoefficients line;
    ASSERT_EQ(geo.GetLineCoefficients({0, 0}, {10, 0}, 1e-5, line), 0);
    EXPECT_NEAR(line.a * 5 + line.b * -3 + line.c, 3.0, 1e-12); // right of a walk to +X
    EXPECT_NEAR(line.a * 5 + line.b * 2 + line.c, -2.0, 1e-12);
    CArxComLineCoefficients untouched{7, 8, 9};
    EXPECT_EQ(geo.GetLineCoefficients({1, 1}, {1, 1.000001}, 1e-5, untouched), -1);
    EXPECT_EQ(untouched.c, 9.0);
}

TEST(CArxComGeoLines, PerpendicularFootWithAnyNormal) {
    CArxComGeo geo;
    AcGePoint2d foot;
    double distance = 0;
    // 2x + 2y - 4 = 0 is x + y = 2; the normal is not a unit vector.
    ASSERT_EQ(geo.GetPerpendicularFoot({0, 0}, {2, 2, -4}, foot, distance), 0);
    EXPECT_NEAR(foot.x, 1.0, 1e-12);
    EXPECT_NEAR(foot.y, 1.0, 1e-12);
    EXPECT_NEAR(distance, std::sqrt(2.0), 1e-12);
    EXPECT_EQ(geo.GetPerpendicularFoot({0, 0}, {0.007, 0.007, 1}, foot, distance), -1);
}

TEST(CArxComGeoLines, UnitVectorOfShortRunIsRawDifference) {
    CArxComGeo geo;
    AcGeVector2d v;
    EXPECT_EQ(geo.GetUnitVector({1, 1}, {4, 5}, v), 0);
    EXPECT_NEAR(v.x, 0.6, 1e-12);
    EXPECT_NEAR(v.y, 0.8, 1e-12);
    EXPECT_EQ(geo.GetUnitVector({1, 1}, {1.005, 1}, v), -1);
    EXPECT_NEAR(v.x, 0.005, 1e-12);
}

TEST(CArxComGeoLines, IntersectLinesNeverGivesNonFinitePoints) {
    CArxComGeo geo;
    AcGePoint2d out(42, 42);
    // Normals of lengths 0.5 and 1 along the same axis pass the angle test (60 degrees
    // apart by their dot product) but are parallel: det is exactly 0.
    EXPECT_EQ(geo.IntersectLines({0.5, 0, 1}, {1, 0, 3}, 1e-5, out), 0);
    // Nearly parallel with huge offsets: the quotient overflows.
    EXPECT_EQ(geo.IntersectLines({0.5, 0, 1e308}, {1, 1e-300, 1}, 1e-5, out), 0);
    EXPECT_EQ(out, AcGePoint2d(42, 42));
    // Unit normals 1e-6 rad apart are parallel within the tolerance.
    CArxComLineCoefficients l1;
    CArxComLineCoefficients l2;
    geo.GetLineCoefficients({0, 0}, {1, 0}, 1e-5, l1);
    geo.GetLineCoefficients({0, 1}, {1, 1 + 1e-6}, 1e-5, l2);
    EXPECT_EQ(geo.IntersectLines(l1, l2, 1e-5, out), 0);
    // Opposite directions are parallel too.
    geo.GetLineCoefficients({1, 1}, {0, 1}, 1e-5, l2);
    EXPECT_EQ(geo.IntersectLines(l1, l2, 1e-5, out), 0);
}

TEST(CArxComGeoSegments, CrossingOfInfiniteLines) {
    CArxComGeo geo;
    AcGePoint2d out;
    ASSERT_EQ(geo.IntersectSegments({0, 0}, {1, 1}, {5, 0}, {6, -1}, 1e-5, 1e-5, out),
              CArxComGeo::kCrossing);
    EXPECT_NEAR(out.x, 2.5, 1e-12);
    EXPECT_NEAR(out.y, 2.5, 1e-12);
    EXPECT_EQ(geo.IntersectSegments({0, 0}, {0, 0.000001}, {5, 0}, {6, -1}, 1e-5, 1e-5, out),
              CArxComGeo::kNoLine);
}

TEST(CArxComGeoSegments, ParallelAndCollinearCodes) {
    CArxComGeo geo;
    AcGePoint2d out(9, 9);
    const AcGePoint2d a1(0, 0);
    const AcGePoint2d a2(10, 0);
    EXPECT_EQ(geo.IntersectSegments(a1, a2, {12, 0}, {15, 0}, 1e-5, 1e-5, out),
              CArxComGeo::kParallel);
    EXPECT_EQ(geo.IntersectSegments(a1, a2, {-3, 0}, {-1, 0}, 1e-5, 1e-5, out),
              CArxComGeo::kParallel);
    EXPECT_EQ(geo.IntersectSegments(a1, a2, {0, 3}, {10, 3}, 1e-5, 1e-5, out),
              CArxComGeo::kParallel);
    EXPECT_EQ(geo.IntersectSegments(a1, a2, {5, 0}, {15, 0}, 1e-5, 1e-5, out),
              CArxComGeo::kCollinear);
    EXPECT_EQ(geo.IntersectSegments(a1, a2, {-5, 0}, {15, 0}, 1e-5, 1e-5, out),
              CArxComGeo::kCollinear);
    EXPECT_EQ(geo.IntersectSegments(a1, a2, {10, 0}, {15, 0}, 1e-5, 1e-5, out),
              CArxComGeo::kCollinear);
    EXPECT_EQ(out, AcGePoint2d(9, 9));
}

TEST(CArxComGeoPointOnSegment, PositionCodes) {
    CArxComGeo geo;
    const AcGePoint2d a(0, 0);
    const AcGePoint2d b(10, 0);
    EXPECT_EQ(geo.ClassifyPointOnSegment({0.5, 0.5}, a, b, 1.0), CArxComGeo::kAtA);
    EXPECT_EQ(geo.ClassifyPointOnSegment({9.5, 0}, a, b, 1.0), CArxComGeo::kAtB);
    EXPECT_EQ(geo.ClassifyPointOnSegment({5, 0.9}, a, b, 1.0), CArxComGeo::kBetween);
    EXPECT_EQ(geo.ClassifyPointOnSegment({5, 1.0}, a, b, 1.0), CArxComGeo::kNotOnLine);
    EXPECT_EQ(geo.ClassifyPointOnSegment({-4, 0}, a, b, 1.0), CArxComGeo::kBeyondA);
    EXPECT_EQ(geo.ClassifyPointOnSegment({14, 0}, a, b, 1.0), CArxComGeo::kBeyondB);
    // The end tests come before the degenerate-segment test.
    EXPECT_EQ(geo.ClassifyPointOnSegment({3, 3}, {3, 3}, {3, 3}, 1e-5), CArxComGeo::kAtA);
    EXPECT_EQ(geo.ClassifyPointOnSegment({0, 0}, {3, 3}, {3, 3}, 1e-5),
              CArxComGeo::kSegmentDegenerate);
}

TEST(CArxComGeoPointInPolygon, InsideOutsideEitherOrientation) {
    CArxComGeo geo;
    AcGePoint3dArray ccw = square(100);
    AcGePoint3dArray cw;
    for (int i = ccw.length() - 1; i >= 0; --i) {
        cw.append(ccw[i]);
    }
    for (const AcGePoint3dArray* polygon : {&ccw, &cw}) {
        EXPECT_EQ(geo.ClassifyPointInPolygon(AcGePoint3d(50, 50, 99), *polygon, 1.0),
                  CArxComGeo::kInside);
        EXPECT_EQ(geo.ClassifyPointInPolygon(p3(1.5, 1.5), *polygon, 1.0), CArxComGeo::kInside);
        EXPECT_EQ(geo.ClassifyPointInPolygon(p3(150, 50), *polygon, 1.0), CArxComGeo::kOutside);
        EXPECT_EQ(geo.ClassifyPointInPolygon(p3(-30, -30), *polygon, 1.0), CArxComGeo::kOutside);
    }
}

TEST(CArxComGeoPointInPolygon, NearVertexOrEdgeIsBoundary) {
    CArxComGeo geo;
    const AcGePoint3dArray polygon = square(100);
    // Within the tolerance of a corner, even when the winding sum says inside.
    EXPECT_EQ(geo.ClassifyPointInPolygon(p3(0.5, 0.5), polygon, 1.0), CArxComGeo::kOnBoundary);
    EXPECT_EQ(geo.ClassifyPointInPolygon(p3(100, 100), polygon, 1.0), CArxComGeo::kOnBoundary);
    EXPECT_EQ(geo.ClassifyPointInPolygon(p3(50, 0), polygon, 1.0), CArxComGeo::kOnBoundary);
    EXPECT_EQ(geo.ClassifyPointInPolygon(p3(50, 99.2), polygon, 1.0), CArxComGeo::kOnBoundary);
    EXPECT_EQ(geo.ClassifyPointInPolygon(p3(50, 100.5), polygon, 1.0), CArxComGeo::kOnBoundary);
}

TEST(CArxComGeoPointInPolygon, NonFinitePointIsOutside) {
    CArxComGeo geo;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(geo.ClassifyPointInPolygon(p3(nan, 5), square(100), 1.0), CArxComGeo::kOutside);
    EXPECT_EQ(geo.ClassifyPointInPolygon(p3(inf, 5), square(100), 1.0), CArxComGeo::kOutside);
}
