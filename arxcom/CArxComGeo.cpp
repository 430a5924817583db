// Plane geometry of the toolkit. The numeric rules (tolerances, constants, snapping) are part of
// the behaviour the drawing code relies on, so they are kept exactly as written here.
#include "arxcom/CArxComGeo.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;
// Runs below this count as zero in GetDirectionAngle.
constexpr double kDirectionRunTolerance = 1e-05;
// Direction angles in (0, this) are returned as 0.
constexpr double kDirectionSnap = 0.0001;
// IntersectLines compares against this shortened value of pi.
constexpr double kShortPi = 3.14159265;
// ClassifyPointInPolygon: a full turn, and how far the winding sum may stray from it.
constexpr double kFullTurn = 6.2831852;
constexpr double kQuarterTurn = 1.5707963;
// Edges seen under a smaller angle than this add nothing to the winding sum.
constexpr double kNegligibleAngle = 0.001;

double clampUnit(double v) {
    return std::clamp(v, -1.0, 1.0);
}

} // namespace

CArxComGeo::~CArxComGeo() = default;

double CArxComGeo::GetDistance(AcGePoint3d p1, AcGePoint3d p2) const {
    const double dx = p2.x - p1.x;
    const double dy = p2.y - p1.y;
    return std::sqrt(dx * dx + dy * dy);
}

double CArxComGeo::GetDistance(const AcGePoint2d& p1, const AcGePoint2d& p2) const {
    const double dx = p2.x - p1.x;
    const double dy = p2.y - p1.y;
    return std::sqrt(dx * dx + dy * dy);
}

void CArxComGeo::GetPolarPoint(AcGePoint3d base, double angle, double distance,
                               AcGePoint3d& out) const {
    out.x = base.x + distance * std::cos(angle);
    out.y = base.y + distance * std::sin(angle);
}

void CArxComGeo::GetPolarPoint(AcGePoint2d base, double angle, double distance,
                               AcGePoint2d& out) const {
    out.x = base.x + distance * std::cos(angle);
    out.y = base.y + distance * std::sin(angle);
}

int CArxComGeo::GetUnitVector(const AcGePoint2d& from, const AcGePoint2d& to,
                              AcGeVector2d& out) const {
    out = to - from;
    const double length = GetDistance(from, to);
    if (length < 0.01) {
        return -1;
    }
    out = out * (1.0 / length);
    return 0;
}

double CArxComGeo::GetAngleBetween(const AcGeVector2d& v1, const AcGeVector2d& v2) const {
    return std::acos(clampUnit(v1.dotProduct(v2)));
}

double CArxComGeo::GetAngleBetween(const CArxComLineCoefficients& l1,
                                   const CArxComLineCoefficients& l2) const {
    return GetAngleBetween(AcGeVector2d(l1.a, l1.b), AcGeVector2d(l2.a, l2.b));
}

double CArxComGeo::RadToDeg(double radians) const {
    return (180.0 / kPi) * radians;
}

double CArxComGeo::DegToRad(double degrees) const {
    return degrees * kPi * 0.005555555555555556;
}

int CArxComGeo::GetLineCoefficients(const AcGePoint2d& a, const AcGePoint2d& b, double tolerance,
                                    CArxComLineCoefficients& out) const {
    if (GetDistance(a, b) < tolerance) {
        return -1;
    }
    const double theta = std::atan2(b.y - a.y, b.x - a.x);
    out.a = std::sin(theta);
    out.b = -std::cos(theta);
    out.c = -(out.a * a.x + out.b * a.y);
    return 0;
}

int CArxComGeo::GetPerpendicularFoot(const AcGePoint2d& p, const CArxComLineCoefficients& line,
                                     AcGePoint2d& foot, double& distance) const {
    const double d = -(line.a * line.a + line.b * line.b);
    if (std::fabs(d) <= 0.0001) {
        return -1;
    }
    const double e = line.b * p.x - line.a * p.y;
    foot.x = (line.a * line.c - line.b * e) / d;
    foot.y = (line.a * e + line.b * line.c) / d;
    distance = GetDistance(p, foot);
    return 0;
}

double CArxComGeo::GetDirectionAngle(AcGePoint3d p1, AcGePoint3d p2) const {
    const double dx = p2.x - p1.x;
    const double dy = p2.y - p1.y;
    const double tol = kDirectionRunTolerance;
    double angle = 0.0;
    if (std::fabs(dx) < tol) {
        if (dy >= tol) {
            angle = kPi / 2.0;
        } else if (dy <= -tol) {
            angle = -kPi / 2.0;
        } else {
            return 0.0;
        }
    } else if (dx >= tol) {
        angle = std::atan(dy / dx);
    } else if (dy > tol) {
        angle = std::atan(dy / dx) + kPi;
    } else if (dy <= -tol) {
        angle = std::atan(dy / dx) - kPi;
    } else {
        angle = kPi;
    }
    if (angle < 0.0) {
        const double fullTurn = DegToRad(360.0);
        const double wrapped = angle + fullTurn;
        // A direction a hair below 0 can round up to a whole turn; that direction is 0.
        return wrapped < fullTurn ? wrapped : 0.0;
    }
    if (angle > 0.0 && angle < kDirectionSnap) {
        return 0.0;
    }
    return angle;
}

double CArxComGeo::GetDirectionAngle(const AcGePoint2d& p1, const AcGePoint2d& p2) const {
    return GetDirectionAngle(AcGePoint3d(p1.x, p1.y, 0.0), AcGePoint3d(p2.x, p2.y, 0.0));
}

void CArxComGeo::GetSegmentMidpoint(AcGePoint3d p1, AcGePoint3d p2, AcGePoint3d& midpoint,
                                    double& angle, double& halfLength) const {
    angle = GetDirectionAngle(p1, p2);
    halfLength = GetDistance(p1, p2) * 0.5;
    midpoint.z = 0.0;
    GetPolarPoint(p1, angle, halfLength, midpoint);
}

void CArxComGeo::GetSegmentMidpoint(const AcGePoint2d& p1, const AcGePoint2d& p2,
                                    AcGePoint2d& midpoint, double& angle,
                                    double& halfLength) const {
    angle = GetDirectionAngle(p1, p2);
    halfLength = GetDistance(p1, p2) * 0.5;
    GetPolarPoint(p1, angle, halfLength, midpoint);
}

int CArxComGeo::ClassifyPointOnSegment(const AcGePoint2d& p, const AcGePoint2d& a,
                                       const AcGePoint2d& b, double tolerance) const {
    const double toA = GetDistance(p, a);
    if (toA < tolerance) {
        return kAtA;
    }
    const double toB = GetDistance(p, b);
    if (toB < tolerance) {
        return kAtB;
    }
    CArxComLineCoefficients line;
    if (GetLineCoefficients(a, b, tolerance, line) != 0) {
        return kSegmentDegenerate;
    }
    if (std::fabs(line.a * p.x + line.b * p.y + line.c) >= tolerance) {
        return kNotOnLine;
    }
    AcGeVector2d towardA;
    AcGeVector2d towardB;
    GetUnitVector(p, a, towardA);
    GetUnitVector(p, b, towardB);
    if (towardA.dotProduct(towardB) < 0.5) {
        return kBetween;
    }
    return toA < toB ? kBeyondA : kBeyondB;
}

int CArxComGeo::IntersectLines(const CArxComLineCoefficients& l1, const CArxComLineCoefficients& l2,
                               double angleTolerance, AcGePoint2d& out) const {
    const double phi = GetAngleBetween(l1, l2);
    if (phi < angleTolerance || std::fabs(kShortPi - phi) < angleTolerance) {
        return 0;
    }
    // The angle test keeps det away from 0 for unit normals only. Coefficients that are not
    // unit normals, or lines that are parallel to rounding, can still give det = 0 or an
    // overflowing quotient: such lines are reported as parallel rather than meeting at an
    // infinite or undefined point.
    const double det = l1.a * l2.b - l1.b * l2.a;
    if (det == 0.0) {
        return 0;
    }
    const double x = (l1.b * l2.c - l1.c * l2.b) / det;
    const double y = (l2.a * l1.c - l1.a * l2.c) / det;
    if (!std::isfinite(x) || !std::isfinite(y)) {
        return 0;
    }
    out.set(x, y);
    return 1;
}

int CArxComGeo::IntersectSegments(const AcGePoint2d& a1, const AcGePoint2d& a2,
                                  const AcGePoint2d& b1, const AcGePoint2d& b2,
                                  double angleTolerance, double distanceTolerance,
                                  AcGePoint2d& out) const {
    CArxComLineCoefficients lineB;
    CArxComLineCoefficients lineA;
    if (GetLineCoefficients(b1, b2, distanceTolerance, lineB) != 0 ||
        GetLineCoefficients(a1, a2, distanceTolerance, lineA) != 0) {
        return kNoLine;
    }
    if (IntersectLines(lineA, lineB, angleTolerance, out) == 1) {
        return kCrossing;
    }
    const int first = ClassifyPointOnSegment(b1, a1, a2, distanceTolerance);
    const int second = ClassifyPointOnSegment(b2, a1, a2, distanceTolerance);
    if (first == kNotOnLine) {
        return kParallel;
    }
    if ((first == kBeyondA || first == kBeyondB) && second == first) {
        return kParallel;
    }
    return kCollinear;
}

int CArxComGeo::ClassifyPointInPolygon(AcGePoint3d p, const AcGePoint3dArray& vertices,
                                       double tolerance) const {
    std::vector<AcGePoint2d> ring;
    ring.reserve(static_cast<size_t>(vertices.length()));
    for (const AcGePoint3d& v : vertices) {
        ring.emplace_back(v.x, v.y);
    }
    const AcGePoint2d point(p.x, p.y);
    double sum = 0.0;
    bool onBoundary = false;
    bool haveReference = false;
    double referenceCross = 0.0;
    const size_t n = ring.size();
    for (size_t i = 0; i < n; ++i) {
        const AcGePoint2d& here = ring[i];
        const AcGePoint2d& next = ring[i + 1 < n ? i + 1 : 0];
        const double toHere = GetDistance(point, here);
        if (toHere < tolerance) {
            onBoundary = true;
            continue;
        }
        const double toNext = GetDistance(point, next);
        if (toNext < tolerance) {
            onBoundary = true;
            continue;
        }
        const AcGeVector2d u = (here - point) * (1.0 / toHere);
        const AcGeVector2d w = (next - point) * (1.0 / toNext);
        const double alpha = std::acos(clampUnit(u.dotProduct(w)));
        if (std::fabs(alpha) < kNegligibleAngle) {
            continue;
        }
        const double cross = u.x * w.y - w.x * u.y;
        if (!haveReference) {
            haveReference = true;
            referenceCross = cross;
            sum += alpha;
        } else {
            sum += referenceCross * cross < 0.0 ? -alpha : alpha;
        }
        if (ClassifyPointOnSegment(point, here, next, tolerance) == kBetween) {
            onBoundary = true;
        }
    }
    if (onBoundary) {
        return kOnBoundary;
    }
    return std::fabs(std::fabs(sum) - kFullTurn) <= kQuarterTurn ? kInside : kOutside;
}
