// What the bulk placement needs to know about the entities found in a drawing: where each one
// lies and where two of them meet. The command plugs in the host's entities; tests and
// benchmarks plug in plain segments.
#pragma once
#include "acge.h"

// An axis-aligned extent in the XY plane (min <= max on both axes).
struct EntityExtents {
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;
};

// A list of entity positions 0..count()-1. A position may repeat an entity found earlier.
class EntityGeometry {
public:
    virtual ~EntityGeometry();

    virtual int count() const = 0;
    // True when positions i and j hold the same entity: such a pair is never intersected.
    virtual bool sameEntity(int i, int j) const = 0;
    // The XY extents of the entity at position i. Every point intersect() gives for it must lie
    // within them (up to rounding). False when not known (an unbounded entity, or one that
    // cannot be opened): the entity is then paired with every other one.
    virtual bool extents(int i, EntityExtents& out) const = 0;
    // Appends the points where the entities at i and j meet (points on both), in the order the
    // geometry gives them; appends nothing when either cannot be opened.
    virtual void intersect(int i, int j, AcGePoint3dArray& points) const = 0;
};
