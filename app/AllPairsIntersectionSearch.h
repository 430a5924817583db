// The plain bulk-placement intersection search: every pair of entity positions is intersected.
// It defines the result the faster IntersectionSearch must reproduce.
#pragma once
#include "acge.h"
#include "app/EntityGeometry.h"

class AllPairsIntersectionSearch {
public:
    // For i from 0, for j after i (pairs holding the same entity skipped), appends the points
    // where positions i and j meet. Points are not merged: a place where k entities cross gives
    // one point per pair that meets there.
    void collect(const EntityGeometry& geometry, AcGePoint3dArray& points) const;
};
