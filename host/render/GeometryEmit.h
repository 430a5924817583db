// Entity shapes to display geometry: segments, arcs and bulges broken into short segments,
// triangles and texts, each point taken through one matrix (block placement, and the entity's
// own coordinate system where it has one).
#pragma once
#include "host/render/DisplayList.h"

#include <acge.h>

class AcDbText;

namespace veld::render {

void addSegment(Geometry& g, const AcGeMatrix3d& m, AcGePoint3d a, AcGePoint3d b);
// Counter-clockwise from a0 to a1 (radians); a full turn when they are equal.
void addArc(Geometry& g, const AcGeMatrix3d& m, const AcGePoint3d& centre, double radius, double a0,
            double a1);
// A polyline piece from a to b bowed by `bulge` (tan of a quarter of the included angle).
void addBulge(Geometry& g, const AcGeMatrix3d& m, const AcGePoint3d& a, const AcGePoint3d& b,
              double bulge);
// The same piece as a filled band whose width runs from `startWidth` at a to `endWidth` at b, as
// CAD programs fill wide polylines (the joins between pieces are not mitred); nothing when both
// widths are zero.
void addWidePiece(Geometry& g, const AcGeMatrix3d& m, const AcGePoint3d& a, const AcGePoint3d& b,
                  double bulge, double startWidth, double endWidth);
// A closed filled arrowhead of length `size` (a third as wide) with its tip on `tip`, pointing
// away from `from`.
void addArrowhead(Geometry& g, const AcGeMatrix3d& m, const AcGePoint3d& tip,
                  const AcGePoint3d& from, double size);
void addTriangle(Geometry& g, const AcGeMatrix3d& m, AcGePoint3d a, AcGePoint3d b, AcGePoint3d c);
void addPoint(Geometry& g, const AcGeMatrix3d& m, AcGePoint3d p);

// Position, size and alignment of a single-line text placed by `m`.
// `m` takes the text's own plane (its object coordinates) to the picture.
TextItem textItemOf(const AcDbText& t, const AcGeMatrix3d& m);

// Uniform scale and rotation (radians) of a placement matrix in the drawing plane.
double scaleOf(const AcGeMatrix3d& m);
double angleOf(const AcGeMatrix3d& m);

} // namespace veld::render
