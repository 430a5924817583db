// Dashed lines: the pattern's dashes, gaps and dots laid along each chain of joined segments,
// running on across the joints; a chain too long for its pattern stays whole.
#include "host/render/LinetypeDash.h"

#include <cmath>
#include <gtest/gtest.h>

using veld::render::addDashed;
using veld::render::DashPattern;
using veld::render::Geometry;
using veld::render::makeDashPattern;

namespace {

double drawnLength(const Geometry& g) {
    double length = 0;
    for (std::size_t i = 0; i + 3 < g.lines.size(); i += 4) {
        length += std::hypot(g.lines[i + 2] - g.lines[i], g.lines[i + 3] - g.lines[i + 1]);
    }
    return length;
}

Geometry dashed(const std::vector<double>& lines, const std::vector<double>& pattern,
                double scale = 1.0) {
    DashPattern p;
    EXPECT_TRUE(makeDashPattern(pattern, scale, p));
    Geometry g;
    addDashed(g, lines, p);
    return g;
}

} // namespace

TEST(LinetypeDash, DashesAndGapsRunOnAcrossTheJointsOfAChain) {
    // 2 drawn, 1 left out along 10: 0-2, 3-5, 6-8, 9-10.
    const Geometry straight = dashed({0, 0, 10, 0}, {2, -1});
    ASSERT_EQ(straight.lines.size(), 16u);
    EXPECT_NEAR(straight.lines[4], 3, 1e-9);
    EXPECT_NEAR(straight.lines[14], 10, 1e-9);
    EXPECT_NEAR(drawnLength(straight), 7, 1e-9);
    // The same 10 cut into pieces of 2.5 that join: the same dashes (a dash crossing a joint
    // is drawn as its two parts).
    const Geometry chained =
        dashed({0, 0, 2.5, 0, 2.5, 0, 5, 0, 5, 0, 7.5, 0, 7.5, 0, 10, 0}, {2, -1});
    EXPECT_NEAR(drawnLength(chained), 7, 1e-9);
    // Two separate lines each start the pattern afresh; the scale stretches it.
    EXPECT_NEAR(drawnLength(dashed({0, 0, 3, 0, 0, 5, 3, 5}, {2, -2})), 4, 1e-9);
    EXPECT_NEAR(drawnLength(dashed({0, 0, 10, 0}, {2, -1}, 2.0)), 4 + 4, 1e-9);
}

TEST(LinetypeDash, DotsAreDrawnWherePatternsPlaceThemAndDensePatternsStayWhole) {
    // A dot, then a gap of 1: dots at 0, 1, 2 and 3 along a line of 3.5.
    const Geometry dots = dashed({0, 0, 3.5, 0}, {0, -1});
    EXPECT_TRUE(dots.lines.empty());
    ASSERT_EQ(dots.points.size(), 8u);
    EXPECT_NEAR(dots.points[6], 3, 1e-9);
    // Dash, gap, dot, gap (a centre line's kind).
    const Geometry centre = dashed({0, 0, 8, 0}, {4, -1, 0, -1});
    EXPECT_NEAR(drawnLength(centre), 4 + 2, 1e-9);
    EXPECT_EQ(centre.points.size(), 2u);
    // Finer than a few thousand repeats over the chain: drawn whole.
    const Geometry dense = dashed({0, 0, 1e6, 0}, {2, -1});
    EXPECT_EQ(dense.lines, (std::vector<double>{0, 0, 1e6, 0}));
    DashPattern none;
    EXPECT_FALSE(makeDashPattern({0, 0}, 1.0, none));
    EXPECT_FALSE(makeDashPattern({}, 1.0, none));
}
