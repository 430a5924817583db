// Display geometry of entities the database keeps as read without modelling them: filled
// SOLID and TRACE corners, MTEXT as plain text a paragraph per line, ellipses, splines, hatches,
// 3D faces, leaders and multileaders, multilines, the frames of images and wipeouts, and the
// name of the geometry block through which a DIMENSION of a kind the database does not model is
// drawn. POLYLINE, whose vertices are entities of their own, has its own.
#pragma once
#include "host/render/DisplayList.h"

#include <acge.h>
#include <string>

class AcDbRawEntity;

namespace veld::render {

// Adds what the entity shows to `g`; false for kinds that show nothing here. A LEADER's
// arrowhead takes `leaderArrowSize` (its dimension style's, in drawing units).
bool addRawEntity(Geometry& g, const AcGeMatrix3d& m, const AcDbRawEntity& e,
                  double leaderArrowSize = 0.0);

// The geometry block's name of a DIMENSION (code 2), empty for other kinds.
std::string dimensionBlockName(const AcDbRawEntity& e);

// MTEXT contents without formatting codes, one paragraph per line.
std::string plainMText(const std::string& raw);

} // namespace veld::render
