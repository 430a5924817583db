// Display geometry of POLYLINE entities, whose vertices follow them as VERTEX entities: 2D
// polylines with bulges, 3D polylines, polygon meshes and polyface meshes.
#pragma once
#include "host/db/RawObjects.h"
#include "host/render/DisplayList.h"
#include "host/render/LinetypeDash.h"

#include <acge.h>
#include <utility>
#include <vector>

namespace veld::render {

struct PolylineVertex {
    AcGePoint3d at;
    double bulge = 0.0;
    double startWidth = -1.0, endWidth = -1.0; // below zero: the polyline's default widths
    int flags = 0;
    int corners[4] = {0, 0, 0, 0}; // a polyface's face record: vertex numbers from 1, < 0 hidden
};

PolylineVertex polylineVertexOf(const veld::db::Tags& vertexTags);

// What a 2D or 3D polyline passes through, in its own coordinates (a 2D one at its elevation),
// with the bulge of the piece that starts at each point; a spline frame's control points are
// left out. Empty for meshes, which are no path.
struct PolylinePath {
    std::vector<AcGePoint3d> points;
    std::vector<double> bulges;
    std::vector<std::pair<double, double>> widths; // start and end width of each piece
    bool closed = false;
};
// `defaultWidths`: the POLYLINE's own start and end widths (40, 41), which vertices without
// widths of their own take.
PolylinePath polylinePath(int polylineFlags, double elevation,
                          const std::vector<PolylineVertex>& vertices,
                          std::pair<double, double> defaultWidths = {0.0, 0.0});

// `m` takes the polyline's own coordinates (object coordinates for a 2D polyline) to the
// picture. With `dashes`, the lines are dashed: along the whole path with linetype generation
// (70 bit 128), else afresh from each vertex.
void addOldPolyline(Geometry& g, const AcGeMatrix3d& m, const veld::db::Tags& polylineTags,
                    const std::vector<PolylineVertex>& vertices,
                    const DashPattern* dashes = nullptr);

} // namespace veld::render
