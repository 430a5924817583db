// A HATCH kept as read, as CAD programs show it: a solid fill as triangles inside its boundary
// paths (even-odd, so islands stay open), a pattern as its families of dashed lines clipped to
// the same region. Boundaries of lines, arcs, elliptic arcs, splines and bulged polylines.
#pragma once
#include "host/db/RawObjects.h"
#include "host/render/DisplayList.h"

#include <acge.h>

namespace veld::render {

void addHatch(Geometry& g, const AcGeMatrix3d& m, const veld::db::Tags& tags);

} // namespace veld::render
