// Plane geometry of segments and arcs: the pieces of curve entities and their intersections.
#include "CurvePieces.h"

#include "dbents.h"
#include "host/db/EntityPlane.h"

#include <algorithm>
#include <cmath>

namespace veld::db {

namespace {

constexpr double kTwoPi = 2.0 * M_PI;

double cross(const AcGeVector2d& u, const AcGeVector2d& v) {
    return u.x * v.y - u.y * v.x;
}

// Angle of `d` counter-clockwise from `from`, in [0, 2 pi).
double angleFrom(double from, double d) {
    double a = std::fmod(d - from, kTwoPi);
    return a < 0.0 ? a + kTwoPi : a;
}

CurvePiece segment(const AcGePoint3d& a, const AcGePoint3d& b, bool extendable) {
    CurvePiece piece;
    piece.a = a.convert2d();
    piece.b = b.convert2d();
    piece.za = a.z;
    piece.zb = b.z;
    piece.extendable = extendable;
    return piece;
}

CurvePiece arc(const AcGePoint3d& center, double radius, double start, double sweep,
               bool extendable) {
    CurvePiece piece;
    piece.kind = CurvePiece::Kind::Arc;
    piece.center = center.convert2d();
    piece.z = center.z;
    piece.radius = radius;
    piece.startAngle = start;
    piece.sweep = sweep;
    piece.extendable = extendable;
    return piece;
}

// The arc of a polyline segment from a to b with the given bulge (tan of a quarter of the
// included angle; positive counter-clockwise).
CurvePiece bulgeArc(const AcGePoint2d& a, const AcGePoint2d& b, double bulge, double z) {
    const double theta = 4.0 * std::atan(std::fabs(bulge));
    const AcGePoint2d from = bulge > 0.0 ? a : b;
    const AcGePoint2d to = bulge > 0.0 ? b : a;
    const AcGeVector2d chord = to - from;
    const double c = chord.length();
    const AcGeVector2d left(-chord.y / c, chord.x / c);
    const AcGePoint2d mid(from.x + chord.x / 2.0, from.y + chord.y / 2.0);
    const AcGePoint2d center = mid + left * ((c / 2.0) / std::tan(theta / 2.0));
    CurvePiece piece = arc(AcGePoint3d(center.x, center.y, z), c / (2.0 * std::sin(theta / 2.0)),
                           (from - center).angle(), theta, false);
    piece.reversed = bulge < 0.0;
    return piece;
}

AcGePoint3d placed(const AcGeMatrix3d& m, const AcGePoint3d& p) {
    AcGePoint3d q = p;
    return q.transformBy(m);
}

// An arc of a plane parallel to XY stays an arc: turned, or mirrored when the plane is seen from
// below (then it runs the other way round).
CurvePiece placedArc(const AcGeMatrix3d& m, const CurvePiece& a) {
    CurvePiece out = a;
    const AcGePoint3d c = placed(m, AcGePoint3d(a.center.x, a.center.y, a.z));
    out.center = c.convert2d();
    out.z = c.z;
    const double turn = std::atan2(m.entry[1][0], m.entry[0][0]);
    const bool mirrored = m.entry[0][0] * m.entry[1][1] - m.entry[0][1] * m.entry[1][0] < 0.0;
    out.startAngle = angleFrom(0.0, mirrored ? turn - a.startAngle - a.sweep : turn + a.startAngle);
    out.reversed = mirrored != a.reversed;
    return out;
}

// An arc of a tilted plane looks like an ellipse from above: taken as its chords.
void arcChords(const AcGeMatrix3d& m, const CurvePiece& a, std::vector<CurvePiece>& out) {
    const int chords = std::max(2, static_cast<int>(std::ceil(64.0 * a.sweep / kTwoPi)));
    auto at = [&](int i) {
        const double angle = a.reversed ? a.startAngle + a.sweep * (1.0 - double(i) / chords)
                                        : a.startAngle + a.sweep * i / chords;
        return placed(m, AcGePoint3d(a.center.x + a.radius * std::cos(angle),
                                     a.center.y + a.radius * std::sin(angle), a.z));
    };
    for (int i = 0; i < chords; ++i) {
        out.push_back(segment(at(i), at(i + 1), false));
    }
}

bool keepsCircles(const AcGeMatrix3d& m) {
    const double xx = m.entry[0][0], xy = m.entry[1][0], yx = m.entry[0][1], yy = m.entry[1][1];
    constexpr double kSlack = 1e-12;
    return std::fabs(xx * yx + xy * yy) < kSlack && std::fabs(xx * xx + xy * xy - 1.0) < kSlack &&
           std::fabs(yx * yx + yy * yy - 1.0) < kSlack;
}

// The pieces from `first` on, made in an entity's own plane, in world coordinates.
void placePieces(const AcGeMatrix3d& m, std::vector<CurvePiece>& pieces, std::size_t first) {
    std::vector<CurvePiece> own(pieces.begin() + static_cast<std::ptrdiff_t>(first), pieces.end());
    pieces.resize(first);
    const bool round = keepsCircles(m);
    for (const CurvePiece& p : own) {
        if (p.kind == CurvePiece::Kind::Segment) {
            CurvePiece s = segment(placed(m, AcGePoint3d(p.a.x, p.a.y, p.za)),
                                   placed(m, AcGePoint3d(p.b.x, p.b.y, p.zb)), p.extendable);
            pieces.push_back(s);
        } else if (round) {
            pieces.push_back(placedArc(m, p));
        } else {
            arcChords(m, p, pieces);
        }
    }
}

void polylinePieces(const AcDbPolyline& pline, std::vector<CurvePiece>& pieces) {
    const unsigned n = pline.numVerts();
    const unsigned segments = pline.isClosed() ? n : (n > 0 ? n - 1 : 0);
    const double z = pline.elevation();
    for (unsigned i = 0; i < segments && n > 1; ++i) {
        AcGePoint2d a, b;
        double bulge = 0.0;
        pline.getPointAt(i, a);
        pline.getPointAt((i + 1) % n, b);
        pline.getBulgeAt(i, bulge);
        if (a.distanceTo(b) == 0.0) {
            continue; // a repeated vertex has no extent
        }
        if (bulge == 0.0) {
            pieces.push_back(segment(AcGePoint3d(a.x, a.y, z), AcGePoint3d(b.x, b.y, z), false));
        } else {
            pieces.push_back(bulgeArc(a, b, bulge, z));
        }
    }
}

// Whether a parameter lies on the piece's bounded part.
bool withinSegment(double t, const CurvePiece& s, double tolerance) {
    const double len = s.a.distanceTo(s.b);
    const double slack = len > 0.0 ? tolerance / len : 0.0;
    return t >= -slack && t <= 1.0 + slack;
}

// The piece parameter of a point on an arc's circle, or a negative value when outside the arc.
double arcParameter(const CurvePiece& a, const AcGePoint2d& p, bool extend, double tolerance) {
    const double angle = (p - a.center).angle();
    double d = angleFrom(a.startAngle, angle);
    const double slack = tolerance / a.radius;
    if (!extend && a.sweep < kTwoPi) {
        if (d > a.sweep + slack) {
            if (d < kTwoPi - slack) {
                return -1.0;
            }
            d = 0.0; // just before the start
        }
        d = std::min(d, a.sweep);
    }
    return a.reversed ? a.sweep - d : d;
}

double parameterOn(const CurvePiece& piece, const AcGePoint2d& p, bool extend, double tolerance,
                   bool& inside) {
    if (piece.kind == CurvePiece::Kind::Segment) {
        const AcGeVector2d d = piece.b - piece.a;
        const double t = (p - piece.a).dotProduct(d) / d.dotProduct(d);
        inside = extend || withinSegment(t, piece, tolerance);
        return t;
    }
    const double t = arcParameter(piece, p, extend, tolerance);
    inside = t >= 0.0;
    return t;
}

// Candidate points where the carrier lines of two segments meet. Parallel segments meet only
// when they are collinear and share exactly one end (no extension: whole lines would overlap).
void lineLine(const CurvePiece& s, const CurvePiece& q, bool extend, double tolerance,
              std::vector<AcGePoint2d>& out) {
    const AcGeVector2d u = s.b - s.a, v = q.b - q.a;
    const double denom = cross(u, v);
    const double len = u.length();
    if (std::fabs(denom) > 1e-12 * len * v.length()) {
        out.push_back(s.a + u * (cross(q.a - s.a, v) / denom));
        return;
    }
    if (extend || std::fabs(cross(q.a - s.a, u)) / len > tolerance) {
        return;
    }
    const double tA = (q.a - s.a).dotProduct(u) / (len * len);
    const double tB = (q.b - s.a).dotProduct(u) / (len * len);
    const double lo = std::max(0.0, std::min(tA, tB));
    const double hi = std::min(1.0, std::max(tA, tB));
    if (hi >= lo - tolerance / len && (hi - lo) * len <= tolerance) {
        out.push_back(s.a + u * ((lo + hi) / 2.0));
    }
}

void lineCircle(const CurvePiece& s, const AcGePoint2d& c, double r, double tolerance,
                std::vector<AcGePoint2d>& out) {
    const AcGeVector2d d = s.b - s.a;
    const double len = d.length();
    const AcGeVector2d dir(d.x / len, d.y / len);
    const double along = (c - s.a).dotProduct(dir);
    const AcGePoint2d foot = s.a + dir * along;
    const double dist = foot.distanceTo(c);
    if (dist > r + tolerance) {
        return;
    }
    if (dist >= r - tolerance) {
        out.push_back(foot); // tangent: one point
        return;
    }
    const double h = std::sqrt(r * r - dist * dist);
    out.push_back(foot - dir * h);
    out.push_back(foot + dir * h);
}

void circleCircle(const AcGePoint2d& c1, double r1, const AcGePoint2d& c2, double r2,
                  double tolerance, std::vector<AcGePoint2d>& out) {
    const double d = c1.distanceTo(c2);
    if (d <= tolerance) {
        return; // concentric: none, or the same circle everywhere
    }
    if (d > r1 + r2 + tolerance || d < std::fabs(r1 - r2) - tolerance) {
        return;
    }
    const AcGeVector2d u((c2.x - c1.x) / d, (c2.y - c1.y) / d);
    const double a = (d * d + r1 * r1 - r2 * r2) / (2.0 * d);
    const AcGePoint2d base = c1 + u * a;
    const double h2 = r1 * r1 - a * a;
    const bool tangent = std::fabs(d - (r1 + r2)) <= tolerance ||
                         std::fabs(d - std::fabs(r1 - r2)) <= tolerance || h2 <= 0.0;
    if (tangent) {
        out.push_back(base);
        return;
    }
    const double h = std::sqrt(h2);
    const AcGeVector2d n(-u.y, u.x);
    out.push_back(base + n * h);
    out.push_back(base - n * h);
}

AcGePoint2d pointAt(const CurvePiece& a, double angle) {
    return a.center + AcGeVector2d(std::cos(angle), std::sin(angle)) * a.radius;
}

bool onArc(const CurvePiece& a, const AcGePoint2d& p, double tolerance) {
    bool inside = false;
    parameterOn(a, p, false, tolerance, inside);
    return inside;
}

// Two arcs of one circle meet only where an end of one is an end of the other and they do not
// overlap (then they would share a whole stretch).
void sameCircleTouch(const CurvePiece& p, const CurvePiece& q, double tolerance,
                     std::vector<AcGePoint2d>& out) {
    if (onArc(q, pointAt(p, p.startAngle + p.sweep / 2.0), tolerance) ||
        onArc(p, pointAt(q, q.startAngle + q.sweep / 2.0), tolerance)) {
        return;
    }
    for (double pe : {p.startAngle, p.startAngle + p.sweep}) {
        for (double qe : {q.startAngle, q.startAngle + q.sweep}) {
            const AcGePoint2d a = pointAt(p, pe), b = pointAt(q, qe);
            if (a.distanceTo(b) <= tolerance) {
                out.push_back(a);
            }
        }
    }
}

// The pieces in the entity's own plane (world XY for a line).
bool planePiecesOf(const AcDbEntity& entity, std::vector<CurvePiece>& pieces) {
    if (auto* line = AcDbLine::cast(&entity)) {
        if (line->startPoint().convert2d() != line->endPoint().convert2d()) {
            pieces.push_back(segment(line->startPoint(), line->endPoint(), true));
        }
        return true;
    }
    if (auto* circle = AcDbCircle::cast(&entity)) {
        pieces.push_back(
            arc(toPlaneOf(entity, circle->center()), circle->radius(), 0.0, kTwoPi, false));
        return true;
    }
    if (auto* a = AcDbArc::cast(&entity)) {
        double sweep = angleFrom(a->startAngle(), a->endAngle());
        pieces.push_back(arc(toPlaneOf(entity, a->center()), a->radius(), a->startAngle(),
                             sweep == 0.0 ? kTwoPi : sweep, true));
        return true;
    }
    if (auto* pline = AcDbPolyline::cast(&entity)) {
        polylinePieces(*pline, pieces);
        return true;
    }
    return false;
}

} // namespace

bool curvePiecesOf(const AcDbEntity& entity, std::vector<CurvePiece>& pieces) {
    const std::size_t first = pieces.size();
    if (!planePiecesOf(entity, pieces)) {
        return false;
    }
    const AcGeMatrix3d toWorld = planeToWorldOf(entity);
    if (toWorld != AcGeMatrix3d::kIdentity) {
        placePieces(toWorld, pieces, first);
    }
    return true;
}

void intersectPieces(const CurvePiece& p, bool extendP, const CurvePiece& q, bool extendQ,
                     double tolerance, std::vector<PieceHit>& hits) {
    using Kind = CurvePiece::Kind;
    std::vector<AcGePoint2d> candidates;
    if (p.kind == Kind::Segment && q.kind == Kind::Segment) {
        lineLine(p, q, extendP || extendQ, tolerance, candidates);
    } else if (p.kind == Kind::Segment) {
        lineCircle(p, q.center, q.radius, tolerance, candidates);
    } else if (q.kind == Kind::Segment) {
        lineCircle(q, p.center, p.radius, tolerance, candidates);
    } else if (p.center.distanceTo(q.center) > tolerance ||
               std::fabs(p.radius - q.radius) > tolerance) {
        circleCircle(p.center, p.radius, q.center, q.radius, tolerance, candidates);
    } else if (!extendP && !extendQ) {
        sameCircleTouch(p, q, tolerance, candidates);
    }
    for (const AcGePoint2d& c : candidates) {
        bool onP = false, onQ = false;
        const double t = parameterOn(p, c, extendP, tolerance, onP);
        parameterOn(q, c, extendQ, tolerance, onQ);
        if (onP && onQ) {
            hits.push_back({c, t});
        }
    }
}

double pieceZ(const CurvePiece& piece, const AcGePoint2d& point) {
    if (piece.kind == CurvePiece::Kind::Arc) {
        return piece.z;
    }
    const AcGeVector2d d = piece.b - piece.a;
    const double t = (point - piece.a).dotProduct(d) / d.dotProduct(d);
    return piece.za + (piece.zb - piece.za) * t;
}

} // namespace veld::db
