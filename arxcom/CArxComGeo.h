// Plane geometry of the toolkit: distances, polar points, direction angles, line equations,
// perpendicular feet, line and segment intersections and the point-in-polygon pick test.
#pragma once
#include "acge.h"

// A line a*x + b*y + c = 0. When made by GetLineCoefficients, (a, b) is a unit normal and
// a*x + b*y + c is the signed distance of (x, y), positive on the right when walking A -> B.
struct CArxComLineCoefficients {
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;
};

// Stateless calculator; callers create a local instance per routine. All work is in the XY
// plane: Z of inputs is ignored. Angles are radians counter-clockwise from +X unless named
// degrees. No operation throws or prints; failures are the return codes listed per operation.
class CArxComGeo {
public:
    // Position codes of ClassifyPointOnSegment.
    static constexpr int kSegmentDegenerate = -1;
    static constexpr int kNotOnLine = 0;
    static constexpr int kBeyondA = 1;
    static constexpr int kAtA = 2;
    static constexpr int kBetween = 3;
    static constexpr int kAtB = 4;
    static constexpr int kBeyondB = 5;

    // Results of IntersectSegments.
    static constexpr int kNoLine = -1;
    static constexpr int kCrossing = 0;
    static constexpr int kParallel = 1;
    static constexpr int kCollinear = 2;

    // Results of ClassifyPointInPolygon.
    static constexpr int kInside = 0;
    static constexpr int kOnBoundary = 1;
    static constexpr int kOutside = 2;

    CArxComGeo() = default;
    virtual ~CArxComGeo();

    double GetDistance(AcGePoint3d p1, AcGePoint3d p2) const;
    double GetDistance(const AcGePoint2d& p1, const AcGePoint2d& p2) const;

    // out.x/out.y become base + distance in direction `angle`; out.z is left as the caller set it.
    void GetPolarPoint(AcGePoint3d base, double angle, double distance, AcGePoint3d& out) const;
    void GetPolarPoint(AcGePoint2d base, double angle, double distance, AcGePoint2d& out) const;

    // 0 with the unit vector from -> to; -1 when shorter than 0.01 (out is then the plain
    // difference to - from).
    int GetUnitVector(const AcGePoint2d& from, const AcGePoint2d& to, AcGeVector2d& out) const;

    // acos of the dot product, clamped to [-1, 1] first.
    double GetAngleBetween(const AcGeVector2d& v1, const AcGeVector2d& v2) const;
    double GetAngleBetween(const CArxComLineCoefficients& l1,
                           const CArxComLineCoefficients& l2) const;

    double RadToDeg(double radians) const;
    double DegToRad(double degrees) const;

    // 0 with the line through A and B; -1 when A and B are closer than `tolerance` (out untouched).
    int GetLineCoefficients(const AcGePoint2d& a, const AcGePoint2d& b, double tolerance,
                            CArxComLineCoefficients& out) const;

    // 0 with the foot of the perpendicular from P and its distance; -1 when a^2 + b^2 is
    // practically 0. The normal need not be a unit vector.
    int GetPerpendicularFoot(const AcGePoint2d& p, const CArxComLineCoefficients& line,
                             AcGePoint2d& foot, double& distance) const;

    // Angle of P1 -> P2 in [0, 2*pi); runs below 1e-5 count as 0, angles below 0.0001 snap to 0.
    double GetDirectionAngle(AcGePoint3d p1, AcGePoint3d p2) const;
    double GetDirectionAngle(const AcGePoint2d& p1, const AcGePoint2d& p2) const;

    // Midpoint reached from P1 by half the length in the direction P1 -> P2 (Z of the 3D
    // midpoint is 0), with that direction and the half length.
    void GetSegmentMidpoint(AcGePoint3d p1, AcGePoint3d p2, AcGePoint3d& midpoint, double& angle,
                            double& halfLength) const;
    void GetSegmentMidpoint(const AcGePoint2d& p1, const AcGePoint2d& p2, AcGePoint2d& midpoint,
                            double& angle, double& halfLength) const;

    // Where P lies relative to segment A-B: one of the position codes above.
    int ClassifyPointOnSegment(const AcGePoint2d& p, const AcGePoint2d& a, const AcGePoint2d& b,
                               double tolerance) const;

    // 1 with the crossing of two lines; 0 when they are parallel within `angleTolerance`.
    int IntersectLines(const CArxComLineCoefficients& l1, const CArxComLineCoefficients& l2,
                       double angleTolerance, AcGePoint2d& out) const;

    // kCrossing with the crossing of the two infinite lines (not checked against the
    // segments); kParallel, kCollinear (touching or overlapping) or kNoLine (a segment shorter
    // than `distanceTolerance`) leave `out` untouched.
    int IntersectSegments(const AcGePoint2d& a1, const AcGePoint2d& a2, const AcGePoint2d& b1,
                          const AcGePoint2d& b2, double angleTolerance, double distanceTolerance,
                          AcGePoint2d& out) const;

    // Winding-angle test of P against the closed polygon `vertices`: kInside, kOnBoundary
    // (within `tolerance` of a vertex or on an edge) or kOutside.
    int ClassifyPointInPolygon(AcGePoint3d p, const AcGePoint3dArray& vertices,
                               double tolerance) const;
};
