// Tests of the bulk-placement intersection search: the window test, and the fast search against
// the all-pairs search on fixed and random drawings.
#include "app/IntersectionSearch.h"
#include "app/AllPairsIntersectionSearch.h"
#include "app/BulkWindow.h"
#include "support/SegmentGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <set>

namespace {

using Kind = SegmentGeometry::Kind;

AcGePoint3dArray placedByAllPairs(const SegmentGeometry& g, const BulkWindow& window) {
    AcGePoint3dArray points;
    AllPairsIntersectionSearch().collect(g, points);
    return window.pointsInside(points);
}

AcGePoint3dArray placedByFastSearch(const SegmentGeometry& g, const BulkWindow& window) {
    AcGePoint3dArray points;
    IntersectionSearch().collect(g, window, points);
    return window.pointsInside(points);
}

// Both searches place the same points, and no pair the fast search leaves out has a point
// inside the window.
void expectSearchesAgree(const SegmentGeometry& g, const BulkWindow& window) {
    const AcGePoint3dArray expected = placedByAllPairs(g, window);
    ASSERT_EQ(placedByFastSearch(g, window), expected);
    const auto pairs = IntersectionSearch().candidatePairs(g, window);
    const std::set<std::pair<int, int>> kept(pairs.begin(), pairs.end());
    for (int i = 0; i < g.count(); ++i) {
        for (int j = i + 1; j < g.count(); ++j) {
            if (kept.count({i, j}) != 0 || g.sameEntity(i, j)) {
                continue;
            }
            AcGePoint3dArray points;
            g.intersect(i, j, points);
            ASSERT_TRUE(window.pointsInside(points).isEmpty()) << "pair " << i << ", " << j;
        }
    }
}

} // namespace

TEST(BulkWindow, CornersAndInsideTest) {
    const BulkWindow window(AcGePoint3d(0, 0, 3), AcGePoint3d(100, 50, 7));
    ASSERT_EQ(window.corners().length(), 4);
    EXPECT_EQ(window.corners()[0], AcGePoint3d(100, 0, 0));
    EXPECT_EQ(window.corners()[1], AcGePoint3d(100, 50, 7));
    EXPECT_EQ(window.corners()[2], AcGePoint3d(0, 50, 0));
    EXPECT_EQ(window.corners()[3], AcGePoint3d(0, 0, 3));
    EXPECT_TRUE(window.contains(AcGePoint3d(50, 25, 0)));
    EXPECT_TRUE(window.contains(AcGePoint3d(1.01, 25, 0)));
    EXPECT_FALSE(window.contains(AcGePoint3d(0.99, 25, 0)));
    EXPECT_FALSE(window.contains(AcGePoint3d(100, 25, 0)));
    EXPECT_FALSE(window.contains(AcGePoint3d(150, 25, 0)));
    EntityExtents box;
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(BulkWindow(AcGePoint3d(0, 0, 0), AcGePoint3d(inf, 5, 0)).searchBox(box));
}

TEST(IntersectionSearch, GridInsideWindowAndCrossingsOnItsEdge) {
    SegmentGeometry g;
    for (double c : {10.0, 50.0, 90.0}) {
        g.addSegment(c, -20, c, 120);
        g.addSegment(-20, c, 120, c);
    }
    g.addSegment(100, -20, 100, 120); // on the window's right edge
    const BulkWindow window(AcGePoint3d(0, 0, 0), AcGePoint3d(100, 100, 0));
    const AcGePoint3dArray placed = placedByFastSearch(g, window);
    EXPECT_EQ(placed.length(), 9);
    EXPECT_EQ(placed, placedByAllPairs(g, window));
}

TEST(IntersectionSearch, EveryPairThroughOnePointCounts) {
    SegmentGeometry g;
    g.addSegment(0, 0, 100, 100);
    g.addSegment(0, 100, 100, 0);
    g.addSegment(50, -10, 50, 110);
    const BulkWindow window(AcGePoint3d(10, 10, 0), AcGePoint3d(90, 90, 0));
    const AcGePoint3dArray placed = placedByFastSearch(g, window);
    ASSERT_EQ(placed.length(), 3);
    EXPECT_EQ(placed[0], placed[2]);
    EXPECT_EQ(placed, placedByAllPairs(g, window));
}

TEST(IntersectionSearch, PairsOnlyWhatReachesTheWindow) {
    SegmentGeometry g;
    g.addSegment(0, 50, 100, 50);                // 0: inside
    g.addSegment(500, 0, 500, 100);              // 1: far right
    g.addSegment(450, 50, 600, 50);              // 2: far right, meets 1
    g.add(Kind::InfiniteLine, {50, 0}, {50, 1}); // 3: unbounded
    g.add(Kind::Unopenable, {0, 0}, {1, 1});     // 4: unknown
    g.repeat(0);                                 // 5: entity 0 again
    const BulkWindow window(AcGePoint3d(0, 0, 0), AcGePoint3d(100, 100, 0));
    const auto pairs = IntersectionSearch().candidatePairs(g, window);
    EXPECT_EQ(pairs, (std::vector<std::pair<int, int>>{{0, 3}, {0, 4}, {3, 4}, {3, 5}, {4, 5}}));
    EXPECT_EQ(placedByFastSearch(g, window).length(), 2); // 0 x 3 and its repeat 3 x 5
    expectSearchesAgree(g, window);
}

TEST(IntersectionSearch, AgreesWithAllPairsOnRandomDrawings) {
    std::mt19937 random(424242);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto within = [&](double lo, double hi) { return lo + (hi - lo) * unit(random); };
    const double offsets[] = {0.0, 1e6, 1e9};
    const double nearEdge[] = {0.0, 1.0, -1.0, 0.999, 1.001, 1e-9, -1e-9};
    int placedTotal = 0;
    for (int drawing = 0; drawing < 300; ++drawing) {
        const double o = offsets[drawing % 3];
        const double x1 = o + within(-1000, 1000);
        const double y1 = o + within(-1000, 1000);
        const double x2 = x1 + (unit(random) < 0.5 ? -1 : 1) * within(10, 2000);
        const double y2 = y1 + (unit(random) < 0.5 ? -1 : 1) * within(10, 2000);
        const BulkWindow window(AcGePoint3d(x1, y1, 0), AcGePoint3d(x2, y2, 0));
        const double lx = std::min(x1, x2) - 1500;
        const double hx = std::max(x1, x2) + 1500;
        const double ly = std::min(y1, y2) - 1500;
        const double hy = std::max(y1, y2) + 1500;
        SegmentGeometry g;
        for (int k = 0; k < 30; ++k) { // random directions anywhere around the window
            g.addSegment(within(lx, hx), within(ly, hy), within(lx, hx), within(ly, hy));
        }
        for (int k = 0; k < 4; ++k) { // on, just inside and just outside the window's edges
            const double dx = nearEdge[random() % 7];
            const double dy = nearEdge[random() % 7];
            g.addSegment(x1 + dx, ly, x1 + dx, hy);
            g.addSegment(lx, y2 + dy, hx, y2 + dy);
            g.addSegment(x2 + dx, y1 + dy, x2 + dx, within(ly, hy)); // ends on an edge
        }
        const AcGePoint2d hub(within(x1, x2), within(y1, y2));
        for (int k = 0; k < 3; ++k) { // lines through a common point
            const double a = within(0, 6.3);
            g.addSegment(hub.x - 800 * std::cos(a), hub.y - 800 * std::sin(a),
                         hub.x + 900 * std::cos(a), hub.y + 900 * std::sin(a));
        }
        const double cx = x2 + within(-1.5, 1.5); // crossings around a corner
        const double cy = y1 + within(-1.5, 1.5);
        g.addSegment(cx - 10, cy - 7, cx + 10, cy + 7);
        g.addSegment(cx - 10, cy + 9, cx + 10, cy - 9);
        g.add(Kind::InfiniteLine, {within(lx, hx), within(ly, hy)},
              {within(lx, hx), within(ly, hy)});
        g.add(Kind::Unopenable, {x1, y1}, {x2, y2});
        g.repeat(static_cast<int>(random() % 30));
        g.repeat(g.count() - 4);
        expectSearchesAgree(g, window);
        if (HasFatalFailure()) {
            FAIL() << "drawing " << drawing;
        }
        placedTotal += placedByAllPairs(g, window).length();
    }
    EXPECT_GT(placedTotal, 3000);
}
