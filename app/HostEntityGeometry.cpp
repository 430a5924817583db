// Extents of the host's curves and their crossings through intersectWith.
#include "app/HostEntityGeometry.h"

#include "arxcom/ArxOpened.h"
#include "dbents.h"

#include <algorithm>
#include <cmath>

namespace {

void include(EntityExtents& box, double x, double y) {
    box.minX = std::min(box.minX, x);
    box.minY = std::min(box.minY, y);
    box.maxX = std::max(box.maxX, x);
    box.maxY = std::max(box.maxY, y);
}

EntityExtents pointBox(double x, double y) {
    return {x, y, x, y};
}

EntityExtents circleBox(const AcGePoint3d& center, double radius) {
    const double r = std::fabs(radius);
    return {center.x - r, center.y - r, center.x + r, center.y + r};
}

// A polyline segment from a to b with the given bulge. An arc of at most a half turn
// (|bulge| <= 1) stays within its sagitta of the chord; a larger one within its circle.
void includeSegment(EntityExtents& box, const AcGePoint2d& a, const AcGePoint2d& b, double bulge) {
    include(box, a.x, a.y);
    include(box, b.x, b.y);
    if (bulge == 0.0) {
        return;
    }
    const double chord = std::hypot(b.x - a.x, b.y - a.y);
    const double b2 = std::fabs(bulge);
    double reach = 0.0;
    if (b2 <= 1.0) {
        reach = b2 * chord / 2.0;
    } else {
        reach = chord * (1.0 + b2 * b2) / (4.0 * b2) * 2.0; // the diameter covers the circle
    }
    include(box, std::min(a.x, b.x) - reach, std::min(a.y, b.y) - reach);
    include(box, std::max(a.x, b.x) + reach, std::max(a.y, b.y) + reach);
}

// A vertex in world coordinates (the 2D form gives it in the polyline's own plane, which is
// mirrored for a polyline whose normal points down).
AcGePoint2d worldVertex(const AcDbPolyline& polyline, unsigned int index) {
    AcGePoint3d p;
    polyline.getPointAt(index, p);
    return p.convert2d();
}

bool polylineBox(const AcDbPolyline& polyline, EntityExtents& box) {
    const unsigned int n = polyline.numVerts();
    if (n == 0) {
        return false;
    }
    const AcGePoint2d first = worldVertex(polyline, 0);
    box = pointBox(first.x, first.y);
    const unsigned int segments = polyline.isClosed() ? n : n - 1;
    for (unsigned int k = 0; k < segments; ++k) {
        double bulge = 0.0;
        polyline.getBulgeAt(k, bulge);
        includeSegment(box, worldVertex(polyline, k), worldVertex(polyline, (k + 1) % n), bulge);
    }
    return true;
}

// The XY box of a curve; false for a curve kind it does not know (then unknown: paired with
// every other entity).
bool curveBox(const AcDbEntity& entity, EntityExtents& box) {
    if (const AcDbLine* line = AcDbLine::cast(&entity)) {
        const AcGePoint3d s = line->startPoint();
        const AcGePoint3d e = line->endPoint();
        box = pointBox(s.x, s.y);
        include(box, e.x, e.y);
        return true;
    }
    if (const AcDbArc* arc = AcDbArc::cast(&entity)) {
        box = circleBox(arc->center(), arc->radius());
        return true;
    }
    if (const AcDbCircle* circle = AcDbCircle::cast(&entity)) {
        box = circleBox(circle->center(), circle->radius());
        return true;
    }
    if (const AcDbPolyline* polyline = AcDbPolyline::cast(&entity)) {
        return polylineBox(*polyline, box);
    }
    return false;
}

} // namespace

HostEntityGeometry::HostEntityGeometry(const AcDbObjectIdArray& ids) {
    items_.reserve(ids.length());
    for (const AcDbObjectId& id : ids) {
        ArxOpened<AcDbCurve> curve;
        if (curve.open(id, AcDb::kForRead) != Acad::eOk) {
            continue; // not a curve, or cannot be opened: it meets nothing
        }
        Item item;
        item.id = id;
        item.boxKnown = curveBox(*curve.get(), item.box);
        items_.push_back(item);
    }
}

HostEntityGeometry::~HostEntityGeometry() = default;

int HostEntityGeometry::count() const {
    return static_cast<int>(items_.size());
}

bool HostEntityGeometry::sameEntity(int i, int j) const {
    return items_[i].id == items_[j].id;
}

bool HostEntityGeometry::extents(int i, EntityExtents& out) const {
    if (!items_[i].boxKnown) {
        return false;
    }
    out = items_[i].box;
    return true;
}

namespace {

void intersectPair(AcDbObjectId first, AcDbObjectId second, AcGePoint3dArray& points) {
    ArxOpened<AcDbEntity> a;
    ArxOpened<AcDbEntity> b;
    if (a.open(first, AcDb::kForRead) != Acad::eOk || b.open(second, AcDb::kForRead) != Acad::eOk) {
        return;
    }
    a->intersectWith(b.get(), AcDb::kOnBothOperands, points);
}

} // namespace

void HostEntityGeometry::intersect(int i, int j, AcGePoint3dArray& points) const {
    intersectPair(items_[i].id, items_[j].id, points);
}

void HostEntityGeometry::collectAllPairs(const AcDbObjectIdArray& ids, AcGePoint3dArray& points) {
    const int n = ids.length();
    for (int i = 0; i < n; ++i) {
        for (int j = i; j < n; ++j) {
            if (ids[i] != ids[j]) {
                intersectPair(ids[i], ids[j], points);
            }
        }
    }
}
