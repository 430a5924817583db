// A picture of model space as SVG, drawn from its display list as a CAD program plots it on
// white: lines, arcs, circles, polylines with bulges, points, texts, block references with their
// attributes and aligned dimensions, scaled to fit, y up.
#pragma once
#include <dbmain.h>
#include <string>

namespace veld::render {

// The SVG text of model space.
std::string modelSpaceSvg(const AcDbDatabase& db);

// Writes it to `path` (safely, as drawings are saved); false with the reason in `error`.
bool exportSvg(const AcDbDatabase& db, const std::string& path, std::string& error);

} // namespace veld::render
