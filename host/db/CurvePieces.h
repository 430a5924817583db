// Entities seen as plane pieces for intersection: straight segments and circular arcs in the
// XY plane, each with a parameter that runs along the entity's own direction.
#pragma once
#include "acge.h"

#include <vector>

class AcDbEntity;

namespace veld::db {

struct CurvePiece {
    enum class Kind { Segment, Arc };
    Kind kind = Kind::Segment;
    // Segment: from a to b, z from za to zb. Parameter: 0 at a, 1 at b.
    AcGePoint2d a, b;
    double za = 0.0, zb = 0.0;
    // Arc: counter-clockwise from startAngle over sweep (2 pi for a circle). Parameter: the
    // angle travelled from the piece's start in the entity's direction.
    AcGePoint2d center;
    double radius = 0.0, startAngle = 0.0, sweep = 0.0, z = 0.0;
    bool reversed = false; // a clockwise polyline arc: the entity runs from the end angle back
    // An extended piece is the whole line or circle it lies on.
    bool extendable = false;
};

// The pieces of a line, circle, arc or lightweight polyline; false for other entity kinds.
bool curvePiecesOf(const AcDbEntity& entity, std::vector<CurvePiece>& pieces);

// A point where two pieces meet, with the parameter on the first piece.
struct PieceHit {
    AcGePoint2d point;
    double parameter = 0.0;
};

// Intersections of two pieces, each taken whole (extended) or within its bounds. Tangent
// contacts give one point; overlapping collinear segments or coincident arcs give none (except
// where they only touch at an end).
void intersectPieces(const CurvePiece& p, bool extendP, const CurvePiece& q, bool extendQ,
                     double tolerance, std::vector<PieceHit>& hits);

// The z of a point of a piece (segment z interpolated, arc z constant).
double pieceZ(const CurvePiece& piece, const AcGePoint2d& point);

} // namespace veld::db
