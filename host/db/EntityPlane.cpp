// Plane normals of the modelled entities and of the planar kinds kept as read (SOLID, TRACE,
// HATCH, 2D POLYLINE: 210/220/230).
#include "host/db/EntityPlane.h"

#include "dbents.h"
#include "host/db/RawObjects.h"

#include <charconv>
#include <cmath>

namespace veld::db {

namespace {

double tagNumber(const std::string& value, double fallback) {
    double v = fallback;
    const std::size_t start = value.find_first_not_of(' ');
    if (start != std::string::npos) {
        std::from_chars(value.data() + start, value.data() + value.size(), v);
    }
    return std::isfinite(v) ? v : fallback;
}

// A POLYLINE is planar unless it is a 3D polyline or a mesh (flags 8, 16, 64).
bool isPlanarRaw(const AcDbRawEntity& raw) {
    if (raw.dxfType() == "SOLID" || raw.dxfType() == "TRACE" || raw.dxfType() == "HATCH") {
        return true;
    }
    if (raw.dxfType() != "POLYLINE") {
        return false;
    }
    for (const auto& [code, value] : raw.tags()) {
        if (code == 70) {
            return (static_cast<int>(tagNumber(value, 0.0)) & (8 | 16 | 64)) == 0;
        }
    }
    return true;
}

AcGeVector3d rawNormal(const AcDbRawEntity& raw) {
    if (!isPlanarRaw(raw)) {
        return AcGeVector3d::kZAxis;
    }
    AcGeVector3d n = AcGeVector3d::kZAxis;
    for (const auto& [code, value] : raw.tags()) {
        if (code == 210) {
            n.x = tagNumber(value, 0.0);
        } else if (code == 220) {
            n.y = tagNumber(value, 0.0);
        } else if (code == 230) {
            n.z = tagNumber(value, 1.0);
        }
    }
    return n.length() > 0.0 ? n.normal() : AcGeVector3d::kZAxis;
}

} // namespace

AcGeVector3d planeNormalOf(const AcDbEntity& e) {
    if (auto* circle = AcDbCircle::cast(&e)) {
        return circle->normal();
    }
    if (auto* arc = AcDbArc::cast(&e)) {
        return arc->normal();
    }
    if (auto* polyline = AcDbPolyline::cast(&e)) {
        return polyline->normal();
    }
    if (auto* text = AcDbText::cast(&e)) {
        return text->normal();
    }
    if (auto* raw = AcDbRawEntity::cast(&e)) {
        return rawNormal(*raw);
    }
    return AcGeVector3d::kZAxis;
}

AcGeMatrix3d planeToWorldOf(const AcDbEntity& e) {
    const AcGeVector3d n = planeNormalOf(e);
    return n == AcGeVector3d::kZAxis ? AcGeMatrix3d::kIdentity : AcGeMatrix3d::planeToWorld(n);
}

AcGePoint3d toPlaneOf(const AcDbEntity& e, const AcGePoint3d& world) {
    const AcGeVector3d n = planeNormalOf(e);
    AcGePoint3d p = world;
    return n == AcGeVector3d::kZAxis ? p : p.transformBy(AcGeMatrix3d::worldToPlane(n));
}

} // namespace veld::db
