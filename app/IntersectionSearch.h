// The bulk-placement intersection search that tests only pairs able to meet inside the window.
// After the window test it places exactly the points the all-pairs search places, in the same
// order and with the same duplicates.
#pragma once
#include "acge.h"
#include "app/BulkWindow.h"
#include "app/EntityGeometry.h"

#include <utility>
#include <vector>

// Entities whose extents miss the window's search box are dropped; the others are clipped to
// it and paired by a sort-and-sweep over their clipped boxes. The pairs are intersected in the
// all-pairs order (i ascending, then j), so every point that passes the window test comes out
// where the all-pairs search puts it. A skipped pair cannot have a point inside the window:
// its two clipped boxes do not overlap, and a point on both entities lies in both.
class IntersectionSearch {
public:
    // How far an intersection point may stray outside its entities' extents through rounding,
    // as an absolute part and a part relative to the coordinates' magnitude.
    static constexpr double kAbsoluteMargin = 1e-6;
    static constexpr double kRelativeMargin = 1e-9;

    // Appends the points of every candidate pair, in pair order.
    void collect(const EntityGeometry& geometry, const BulkWindow& window,
                 AcGePoint3dArray& points) const;

    // The pairs (i < j, not the same entity) that can meet inside the window, in all-pairs order.
    std::vector<std::pair<int, int>> candidatePairs(const EntityGeometry& geometry,
                                                    const BulkWindow& window) const;

private:
    struct Candidate {
        int position;
        EntityExtents box; // clipped to the search box
    };

    std::vector<Candidate> candidatesInside(const EntityGeometry& geometry,
                                            const EntityExtents& searchBox) const;
};
