// Dashed linetypes: the segments of an entity's picture replaced by the dashes, gaps and dots
// of its linetype's pattern, in drawing units.
#pragma once
#include "host/render/DisplayList.h"

#include <vector>

namespace veld::render {

// Dash lengths as a linetype holds them (positive a dash, negative a gap, zero a dot), already
// multiplied by the linetype scales.
struct DashPattern {
    std::vector<double> dashes;
    double length = 0.0; // of one repeat
};

// A pattern for `dashes` at `scale`; none (continuous) when it has no length.
bool makeDashPattern(const std::vector<double>& dashes, double scale, DashPattern& out);

// Adds the segments of `drawn` to `out` dashed: the pattern runs on along each chain of joined
// segments (an arc's pieces, a polyline's). A chain that would repeat the pattern more than
// a few thousand times, finer than any zoom that shows the whole chain can tell, is left whole.
void addDashed(Geometry& out, const std::vector<double>& drawn, const DashPattern& pattern);

// `drawn` into `out`, its lines dashed, its fills, points and texts as they are.
void addDashedGeometry(Geometry& out, const Geometry& drawn, const DashPattern& pattern);

} // namespace veld::render
