// Entity outlines for selection: lines, points, circles, arcs, polylines, texts, dimensions
// and block references (their block's entities placed by the reference, and their attributes).
#include "host/ed/EntityGeometry.h"

#include "dbdim.h"
#include "dbsymtb.h"
#include "host/db/EntityPlane.h"
#include "host/geom/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace veld::ed {

namespace {

constexpr int kMaximumNesting = 8;
constexpr int kChordsPerCircle = 64;

AcGePoint2d place(const AcGeMatrix3d& m, const AcGePoint3d& p) {
    AcGePoint3d q = p;
    q.transformBy(m);
    return q.convert2d();
}

void addSegment(Outline& out, const AcGeMatrix3d& m, const AcGePoint3d& a, const AcGePoint3d& b) {
    out.segments.emplace_back(place(m, a), place(m, b));
}

void addArc(Outline& out, const AcGeMatrix3d& m, const AcGePoint3d& center, double radius,
            double start, double end) {
    double sweep = end - start;
    while (sweep <= 0.0) {
        sweep += 2.0 * M_PI;
    }
    int chords = std::max(2, static_cast<int>(std::ceil(kChordsPerCircle * sweep / (2 * M_PI))));
    auto at = [&](double a) {
        return AcGePoint3d(center.x + radius * std::cos(a), center.y + radius * std::sin(a),
                           center.z);
    };
    for (int i = 0; i < chords; ++i) {
        addSegment(out, m, at(start + sweep * i / chords), at(start + sweep * (i + 1) / chords));
    }
}

// A bulged polyline segment is an arc; bulge = tan(sweep / 4), positive counter-clockwise.
void addBulge(Outline& out, const AcGeMatrix3d& m, const AcGePoint3d& a, const AcGePoint3d& b,
              double bulge) {
    double chord = std::hypot(b.x - a.x, b.y - a.y);
    if (std::abs(bulge) < 1e-12 || chord == 0.0) {
        addSegment(out, m, a, b);
        return;
    }
    double sweep = 4.0 * std::atan(bulge);
    double radius = chord / (2.0 * std::sin(std::abs(sweep) / 2.0));
    double toCenter = std::atan2(b.y - a.y, b.x - a.x) + (M_PI / 2.0 - sweep / 2.0);
    AcGePoint3d center(a.x + radius * std::cos(toCenter), a.y + radius * std::sin(toCenter), a.z);
    double startAngle = std::atan2(a.y - center.y, a.x - center.x);
    double endAngle = std::atan2(b.y - center.y, b.x - center.x);
    if (sweep > 0) {
        addArc(out, m, center, radius, startAngle, endAngle);
    } else {
        addArc(out, m, center, radius, endAngle, startAngle);
    }
}

// A vertex in the polyline's own plane, at its elevation.
AcGePoint3d planePoint(const AcDbPolyline& pl, unsigned int index) {
    AcGePoint2d p;
    pl.getPointAt(index, p);
    return {p.x, p.y, pl.elevation()};
}

void addPolyline(Outline& out, const AcGeMatrix3d& m, const AcDbPolyline& pl) {
    unsigned int n = pl.numVerts();
    for (unsigned int i = 0; i < n; ++i) {
        if (i + 1 == n && !pl.isClosed()) {
            break;
        }
        double bulge = 0.0;
        pl.getBulgeAt(i, bulge);
        addBulge(out, m, planePoint(pl, i), planePoint(pl, (i + 1) % n), bulge);
    }
    if (n == 1) {
        out.points.push_back(place(m, planePoint(pl, 0)));
    }
}

// The box a single-line text covers, where its alignment puts it (`m` includes its plane).
void addText(Outline& out, const AcGeMatrix3d& m, const AcDbText& text) {
    const auto corners = geom::textLayoutOf(text).corners();
    for (int i = 0; i < 4; ++i) {
        addSegment(out, m, corners[i], corners[(i + 1) % 4]);
    }
}

// Extension lines and the dimension line through the dimension-line point.
void addDimension(Outline& out, const AcGeMatrix3d& m, const AcDbAlignedDimension& dim) {
    AcGePoint3d a = dim.xLine1Point();
    AcGePoint3d b = dim.xLine2Point();
    AcGeVector3d along = (b - a).normal();
    AcGeVector3d toLine = dim.dimLinePoint() - a;
    AcGeVector3d offset = toLine - along * toLine.dotProduct(along);
    addSegment(out, m, a, a + offset);
    addSegment(out, m, b, b + offset);
    addSegment(out, m, a + offset, b + offset);
}

double segmentDistance(const AcGePoint2d& p, const AcGePoint2d& a, const AcGePoint2d& b) {
    AcGeVector2d ab = b - a;
    double lengthSquared = ab.dotProduct(ab);
    double t =
        lengthSquared > 0.0 ? std::clamp((p - a).dotProduct(ab) / lengthSquared, 0.0, 1.0) : 0.0;
    return p.distanceTo(a + ab * t);
}

// Liang-Barsky: whether some part of the segment lies in the rectangle.
bool segmentTouches(const AcGePoint2d& a, const AcGePoint2d& b, const Rectangle& r) {
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - r.min.x, r.max.x - a.x, a.y - r.min.y, r.max.y - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return false;
            }
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return false;
        }
    }
    return true;
}

} // namespace

Rectangle::Rectangle(const AcGePoint2d& a, const AcGePoint2d& b)
    : min(std::min(a.x, b.x), std::min(a.y, b.y)), max(std::max(a.x, b.x), std::max(a.y, b.y)) {}

bool Rectangle::contains(const AcGePoint2d& p) const {
    return p.x >= min.x && p.x <= max.x && p.y >= min.y && p.y <= max.y;
}

Outline EntityGeometry::outline(AcDbObjectId id) {
    Outline out;
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) {
        return out;
    }
    addEntity(entity, AcGeMatrix3d::kIdentity, 0, out);
    entity->close();
    return out;
}

// Circles, arcs, polylines and texts are drawn in their own plane: `m` then takes that plane's
// coordinates, and their points are turned into it.
void EntityGeometry::addEntity(const AcDbEntity* e, const AcGeMatrix3d& container, int depth,
                               Outline& out) {
    const AcGeMatrix3d m = container * db::planeToWorldOf(*e);
    if (auto* line = AcDbLine::cast(e)) {
        addSegment(out, m, line->startPoint(), line->endPoint());
    } else if (auto* point = AcDbPoint::cast(e)) {
        out.points.push_back(place(m, point->position()));
    } else if (auto* arc = AcDbArc::cast(e)) {
        addArc(out, m, db::toPlaneOf(*e, arc->center()), arc->radius(), arc->startAngle(),
               arc->endAngle());
    } else if (auto* circle = AcDbCircle::cast(e)) {
        addArc(out, m, db::toPlaneOf(*e, circle->center()), circle->radius(), 0.0, 2.0 * M_PI);
    } else if (auto* pl = AcDbPolyline::cast(e)) {
        addPolyline(out, m, *pl);
    } else if (auto* text = AcDbText::cast(e)) {
        addText(out, m, *text);
    } else if (auto* dim = AcDbAlignedDimension::cast(e)) {
        addDimension(out, m, *dim);
    } else if (auto* ref = AcDbBlockReference::cast(e)) {
        out.points.push_back(place(m, ref->position()));
        if (depth < kMaximumNesting) {
            addBlock(ref->blockTableRecord(), m * ref->blockTransform(), depth + 1, out);
        }
        for (const AcDbObjectId& attributeId : ref->attributeIds()) {
            AcDbEntity* attribute = nullptr;
            if (acdbOpenAcDbEntity(attribute, attributeId, AcDb::kForRead) == Acad::eOk) {
                addEntity(attribute, m, depth + 1, out);
                attribute->close();
            }
        }
    }
}

void EntityGeometry::addBlock(AcDbObjectId blockId, const AcGeMatrix3d& m, int depth,
                              Outline& out) {
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk) {
        return;
    }
    AcDbObjectIdArray ids = block->entityIds();
    block->close();
    for (const AcDbObjectId& id : ids) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) == Acad::eOk) {
            if (!AcDbAttributeDefinition::cast(entity)) {
                addEntity(entity, m, depth, out);
            }
            entity->close();
        }
    }
}

double EntityGeometry::distance(const Outline& outline, const AcGePoint2d& p) {
    double best = std::numeric_limits<double>::infinity();
    for (const auto& [a, b] : outline.segments) {
        best = std::min(best, segmentDistance(p, a, b));
    }
    for (const AcGePoint2d& q : outline.points) {
        best = std::min(best, p.distanceTo(q));
    }
    return best;
}

bool EntityGeometry::inside(const Outline& outline, const Rectangle& window) {
    if (outline.empty()) {
        return false;
    }
    for (const auto& [a, b] : outline.segments) {
        if (!window.contains(a) || !window.contains(b)) {
            return false;
        }
    }
    return std::all_of(outline.points.begin(), outline.points.end(),
                       [&](const AcGePoint2d& p) { return window.contains(p); });
}

bool EntityGeometry::touches(const Outline& outline, const Rectangle& crossing) {
    for (const auto& [a, b] : outline.segments) {
        if (segmentTouches(a, b, crossing)) {
            return true;
        }
    }
    return std::any_of(outline.points.begin(), outline.points.end(),
                       [&](const AcGePoint2d& p) { return crossing.contains(p); });
}

} // namespace veld::ed
