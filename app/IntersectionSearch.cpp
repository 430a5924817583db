// Bulk-placement intersection search over the entities whose extents reach into the window,
// paired by a sort-and-sweep along X.
#include "app/IntersectionSearch.h"

#include <algorithm>
#include <cmath>

namespace {

EntityExtents grown(const EntityExtents& box, double margin) {
    return {box.minX - margin, box.minY - margin, box.maxX + margin, box.maxY + margin};
}

double rounding(const EntityExtents& box) {
    const double largest = std::max(
        {std::fabs(box.minX), std::fabs(box.minY), std::fabs(box.maxX), std::fabs(box.maxY)});
    return IntersectionSearch::kAbsoluteMargin + IntersectionSearch::kRelativeMargin * largest;
}

// Extents that could contain no point (not finite, or inverted) are treated as unknown.
bool isUsable(const EntityExtents& box) {
    return std::isfinite(box.minX) && std::isfinite(box.minY) && std::isfinite(box.maxX) &&
           std::isfinite(box.maxY) && box.minX <= box.maxX && box.minY <= box.maxY;
}

bool overlapInY(const EntityExtents& a, const EntityExtents& b) {
    return a.minY <= b.maxY && b.minY <= a.maxY;
}

// The part of `box` inside `limit`; false when they do not meet.
bool clip(const EntityExtents& box, const EntityExtents& limit, EntityExtents& out) {
    out = {std::max(box.minX, limit.minX), std::max(box.minY, limit.minY),
           std::min(box.maxX, limit.maxX), std::min(box.maxY, limit.maxY)};
    return out.minX <= out.maxX && out.minY <= out.maxY;
}

} // namespace

std::vector<IntersectionSearch::Candidate>
IntersectionSearch::candidatesInside(const EntityGeometry& geometry,
                                     const EntityExtents& searchBox) const {
    std::vector<Candidate> candidates;
    const int n = geometry.count();
    for (int i = 0; i < n; ++i) {
        EntityExtents box;
        if (!geometry.extents(i, box) || !isUsable(box)) {
            candidates.push_back({i, searchBox}); // unknown extents: could be anywhere
            continue;
        }
        EntityExtents clipped;
        if (clip(grown(box, rounding(box)), searchBox, clipped)) {
            candidates.push_back({i, clipped});
        }
    }
    return candidates;
}

std::vector<std::pair<int, int>>
IntersectionSearch::candidatePairs(const EntityGeometry& geometry, const BulkWindow& window) const {
    std::vector<std::pair<int, int>> pairs;
    EntityExtents searchBox;
    if (!window.searchBox(searchBox)) {
        return pairs;
    }
    std::vector<Candidate> sweep = candidatesInside(geometry, searchBox);
    std::sort(sweep.begin(), sweep.end(), [](const Candidate& a, const Candidate& b) {
        return a.box.minX < b.box.minX || (a.box.minX == b.box.minX && a.position < b.position);
    });
    for (size_t a = 0; a < sweep.size(); ++a) {
        const Candidate& first = sweep[a];
        for (size_t b = a + 1; b < sweep.size() && sweep[b].box.minX <= first.box.maxX; ++b) {
            const Candidate& second = sweep[b];
            if (!overlapInY(first.box, second.box)) {
                continue;
            }
            const int i = std::min(first.position, second.position);
            const int j = std::max(first.position, second.position);
            if (!geometry.sameEntity(i, j)) {
                pairs.emplace_back(i, j);
            }
        }
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

void IntersectionSearch::collect(const EntityGeometry& geometry, const BulkWindow& window,
                                 AcGePoint3dArray& points) const {
    for (const auto& [i, j] : candidatePairs(geometry, window)) {
        geometry.intersect(i, j, points);
    }
}
