// Collecting the shapes of the current space for object snaps.
#include "host/snap/SnapScene.h"

#include "dbents.h"
#include "dbsymtb.h"
#include "host/db/EntityPlane.h"
#include "host/db/LayerVisibility.h"
#include "host/db/RawObjects.h"
#include "host/render/CurveFlatten.h"
#include "host/render/OldPolylineDisplay.h"

#include <cmath>

namespace veld::snap {

namespace {

constexpr int kMaximumNesting = 8;
constexpr double kTwoPi = 2.0 * M_PI;

double normalized(double angle) {
    angle = std::fmod(angle, kTwoPi);
    return angle < 0.0 ? angle + kTwoPi : angle;
}

AcGePoint2d place(const AcGeMatrix3d& m, const AcGePoint3d& p) {
    AcGePoint3d q = p;
    q.transformBy(m);
    return q.convert2d();
}

// A vertex in the polyline's own plane, at its elevation.
AcGePoint3d planePoint(const AcDbPolyline& pl, unsigned int index) {
    AcGePoint2d p;
    pl.getPointAt(index, p);
    return {p.x, p.y, pl.elevation()};
}

const AcDbRawEntity* rawOfKind(const AcDbEntity* e, const char* kind) {
    const auto* raw = AcDbRawEntity::cast(e);
    return raw != nullptr && raw->dxfType() == kind ? raw : nullptr;
}

} // namespace

bool SnapArc::covers(double angle) const {
    if (full) {
        return true;
    }
    double sweep = normalized(end - start);
    return normalized(angle - start) <= (sweep == 0.0 ? kTwoPi : sweep) + 1e-12;
}

AcGePoint2d SnapArc::at(double angle) const {
    return AcGePoint2d(center.x + radius * std::cos(angle), center.y + radius * std::sin(angle));
}

SnapScene SnapScene::build(AcDbDatabase* db) {
    SnapScene scene;
    if (db != nullptr) {
        scene.addBlock(db->currentSpaceId(), AcGeMatrix3d::kIdentity, 0);
    }
    return scene;
}

// An old-style POLYLINE is followed by its VERTEX entities; anything else ends it.
void SnapScene::addBlock(AcDbObjectId blockId, const AcGeMatrix3d& toWorld, int depth) {
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk) {
        return;
    }
    AcDbObjectIdArray ids = block->entityIds();
    block->close();
    OldPolyline pending;
    for (const AcDbObjectId& id : ids) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) {
            continue;
        }
        if (const auto* vertex = rawOfKind(entity, "VERTEX"); vertex && pending.open) {
            pending.vertices.push_back(render::polylineVertexOf(vertex->tags()));
        } else {
            addOldPolyline(pending);
            if (db::isOnVisibleLayer(entity)) {
                addEntity(entity, toWorld, depth, pending);
            }
        }
        entity->close();
    }
    addOldPolyline(pending);
}

// Circles, arcs and polylines lie in their own plane: `m` takes that plane's coordinates.
void SnapScene::addEntity(const AcDbEntity* e, const AcGeMatrix3d& container, int depth,
                          OldPolyline& polyline) {
    const AcGeMatrix3d m = container * db::planeToWorldOf(*e);
    if (const auto* raw = rawOfKind(e, "POLYLINE")) {
        polyline.open = true;
        polyline.m = m;
        polyline.flags = static_cast<int>(render::firstNumber(raw->tags(), 70));
        polyline.elevation = render::firstNumber(raw->tags(), 30);
    } else if (auto* line = AcDbLine::cast(e)) {
        segments.push_back({place(m, line->startPoint()), place(m, line->endPoint())});
    } else if (auto* point = AcDbPoint::cast(e)) {
        nodes.push_back(place(m, point->position()));
    } else if (auto* arc = AcDbArc::cast(e)) {
        addArc(m, db::toPlaneOf(*e, arc->center()), arc->radius(), arc->startAngle(),
               arc->endAngle(), false);
    } else if (auto* circle = AcDbCircle::cast(e)) {
        addArc(m, db::toPlaneOf(*e, circle->center()), circle->radius(), 0.0, kTwoPi, true);
    } else if (auto* pl = AcDbPolyline::cast(e)) {
        addPolyline(m, *pl);
    } else if (auto* ref = AcDbBlockReference::cast(e)) {
        if (depth < kMaximumNesting) {
            addBlock(ref->blockTableRecord(), m * ref->blockTransform(), depth + 1);
        }
    }
}

// A placed arc keeps its shape under the uniform scales and rotations blocks are inserted
// with; a mirrored placement turns its direction round.
void SnapScene::addArc(const AcGeMatrix3d& m, const AcGePoint3d& center, double radius,
                       double start, double end, bool full) {
    AcGePoint2d c = place(m, center);
    AcGePoint2d onX = place(m, center + AcGeVector3d(radius, 0.0, 0.0));
    AcGePoint2d onY = place(m, center + AcGeVector3d(0.0, radius, 0.0));
    AcGeVector2d xAxis = onX - c;
    AcGeVector2d yAxis = onY - c;
    double turn = std::atan2(xAxis.y, xAxis.x);
    bool mirrored = xAxis.x * yAxis.y - xAxis.y * yAxis.x < 0.0;
    SnapArc arc;
    arc.center = c;
    arc.radius = xAxis.length();
    arc.full = full;
    arc.start = normalized(mirrored ? turn - end : turn + start);
    arc.end = normalized(mirrored ? turn - start : turn + end);
    arcs.push_back(arc);
}

void SnapScene::addPolyline(const AcGeMatrix3d& m, const AcDbPolyline& pl) {
    std::vector<AcGePoint3d> points;
    std::vector<double> bulges;
    for (unsigned int i = 0; i < pl.numVerts(); ++i) {
        double bulge = 0.0;
        pl.getBulgeAt(i, bulge);
        points.push_back(planePoint(pl, i));
        bulges.push_back(bulge);
    }
    addPath(m, points, bulges, pl.isClosed());
}

// Old-style 2D and 3D polylines as their paths; meshes offer no snaps.
void SnapScene::addOldPolyline(OldPolyline& polyline) {
    if (polyline.open) {
        const render::PolylinePath path =
            render::polylinePath(polyline.flags, polyline.elevation, polyline.vertices);
        addPath(polyline.m, path.points, path.bulges, path.closed);
    }
    polyline = OldPolyline();
}

// Straight segments as segments; bulged ones (bulge = tan(sweep / 4)) as arcs.
void SnapScene::addPath(const AcGeMatrix3d& m, const std::vector<AcGePoint3d>& points,
                        const std::vector<double>& bulges, bool closed) {
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < n; ++i) {
        const AcGePoint3d& a = points[i];
        if (n == 1) {
            nodes.push_back(place(m, a));
        }
        if (i + 1 == n && !closed) {
            break;
        }
        const AcGePoint3d& b = points[(i + 1) % n];
        const double bulge = bulges[i];
        double chord = std::hypot(b.x - a.x, b.y - a.y);
        if (std::abs(bulge) < 1e-12 || chord == 0.0) {
            segments.push_back({place(m, a), place(m, b)});
            continue;
        }
        double sweep = 4.0 * std::atan(bulge);
        double radius = chord / (2.0 * std::sin(std::abs(sweep) / 2.0));
        double toCenter = std::atan2(b.y - a.y, b.x - a.x) + (M_PI / 2.0 - sweep / 2.0);
        AcGePoint3d center(a.x + radius * std::cos(toCenter), a.y + radius * std::sin(toCenter),
                           a.z);
        double angleA = std::atan2(a.y - center.y, a.x - center.x);
        double angleB = std::atan2(b.y - center.y, b.x - center.x);
        addArc(m, center, radius, sweep > 0 ? angleA : angleB, sweep > 0 ? angleB : angleA, false);
    }
}

} // namespace veld::snap
