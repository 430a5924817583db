// The plane an entity's own coordinates lie in: circles, arcs, lightweight polylines, texts and
// the planar kinds kept as read (SOLID, TRACE, HATCH, 2D POLYLINE) store them in their object
// coordinate system.
#pragma once
#include "dbmain.h"

namespace veld::db {

// The entity's normal; +Z for kinds whose points are world points (lines, points, dimensions,
// block references, whose transform already holds their normal).
AcGeVector3d planeNormalOf(const AcDbEntity& entity);

// Object coordinates to world; the identity for a +Z normal.
AcGeMatrix3d planeToWorldOf(const AcDbEntity& entity);

// A world point in the entity's object coordinates.
AcGePoint3d toPlaneOf(const AcDbEntity& entity, const AcGePoint3d& world);

} // namespace veld::db
