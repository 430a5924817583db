// AcDbEntity::intersectWith for lines, arcs, circles and lightweight polylines.
//
// Points come in the order they lie along this entity: by piece (the polyline's segment order),
// then by the parameter along the piece in the entity's direction (from the start point of a
// line or segment; for a circle counter-clockwise from angle 0; for an arc counter-clockwise
// from its start angle). Points closer than the tolerance (1e-9 of the entities' size) count
// once: a tangent contact, a line through a polyline vertex.
#include "CurvePieces.h"
#include "dbents.h"

#include <algorithm>
#include <cmath>

namespace {

using veld::db::CurvePiece;

// The largest coordinate magnitude of the pieces: what "relative to size" measures against.
double sizeOf(const std::vector<CurvePiece>& pieces) {
    double size = 0.0;
    for (const CurvePiece& p : pieces) {
        for (double v : {p.a.x, p.a.y, p.b.x, p.b.y, p.center.x, p.center.y}) {
            size = std::max(size, std::fabs(v));
        }
        size = std::max(size, 2.0 * p.radius);
    }
    return size;
}

struct OrderedHit {
    std::size_t piece;
    double parameter;
    AcGePoint3d point;
};

} // namespace

Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity* other, AcDb::Intersect mode,
                                            AcGePoint3dArray& points, int, int) const {
    if (other == nullptr) {
        return Acad::eNullEntityPointer;
    }
    std::vector<CurvePiece> mine, theirs;
    if (!veld::db::curvePiecesOf(*this, mine) || !veld::db::curvePiecesOf(*other, theirs)) {
        return Acad::eNotApplicable;
    }
    const bool extendMine = mode == AcDb::kExtendThis || mode == AcDb::kExtendBoth;
    const bool extendTheirs = mode == AcDb::kExtendArg || mode == AcDb::kExtendBoth;
    const double tolerance = 1e-9 * std::max({sizeOf(mine), sizeOf(theirs), 1e-300});

    std::vector<OrderedHit> hits;
    for (std::size_t i = 0; i < mine.size(); ++i) {
        for (const CurvePiece& q : theirs) {
            std::vector<veld::db::PieceHit> found;
            veld::db::intersectPieces(mine[i], extendMine && mine[i].extendable, q,
                                      extendTheirs && q.extendable, tolerance, found);
            for (const auto& h : found) {
                hits.push_back(
                    {i, h.parameter,
                     AcGePoint3d(h.point.x, h.point.y, veld::db::pieceZ(mine[i], h.point))});
            }
        }
    }
    std::stable_sort(hits.begin(), hits.end(), [](const OrderedHit& a, const OrderedHit& b) {
        return a.piece != b.piece ? a.piece < b.piece : a.parameter < b.parameter;
    });
    std::vector<AcGePoint3d> kept;
    for (const OrderedHit& h : hits) {
        const bool repeated = std::any_of(kept.begin(), kept.end(), [&](const AcGePoint3d& k) {
            return std::hypot(k.x - h.point.x, k.y - h.point.y) <= tolerance;
        });
        if (!repeated) {
            kept.push_back(h.point);
            points.append(h.point);
        }
    }
    return Acad::eOk;
}
