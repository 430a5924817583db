// The plain all-pairs intersection search of the bulk placement.
#include "app/AllPairsIntersectionSearch.h"

void AllPairsIntersectionSearch::collect(const EntityGeometry& geometry,
                                         AcGePoint3dArray& points) const {
    const int n = geometry.count();
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (!geometry.sameEntity(i, j)) {
                geometry.intersect(i, j, points);
            }
        }
    }
}
