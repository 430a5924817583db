// Small operations on display geometry: appending batches, bounds, and the content hashes that
// identify equal shapes and tell which chunks changed between two builds.
#pragma once
#include "host/render/DisplayList.h"

namespace veld::render {

void append(Geometry& to, const Geometry& from);

// Moves every point and text anchor by (dx, dy).
void translate(Geometry& g, double dx, double dy);

// Grows box (min x, min y, max x, max y; `empty` until the first point) by the geometry;
// texts count with their anchor point.
void growBounds(double box[4], bool& empty, const Geometry& g);

// Sets shape.bbox from its parts.
void shapeBounds(Shape& shape);

// Rounds the shape's numbers to the millionths that shapeKey compares, so that shapes with
// one key are one picture whichever of them was met first.
void snapToKeyGrid(Shape& shape);

// The same text for shapes whose geometry agrees to a millionth of a unit.
std::string shapeKey(const Shape& shape);

std::uint64_t hashChunk(const Chunk& chunk);

} // namespace veld::render
