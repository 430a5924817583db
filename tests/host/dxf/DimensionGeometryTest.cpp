// Geometry of aligned dimensions from their points and style values.
// The same computation feeds the DXF geometry block and the SVG picture.
#include "host/geom/DimensionGeometry.h"

#include <gtest/gtest.h>

using namespace veld::geom;

namespace {

void expectNear(const AcGePoint3d& a, const AcGePoint3d& b) {
    EXPECT_NEAR(a.x, b.x, 1e-9);
    EXPECT_NEAR(a.y, b.y, 1e-9);
}

AlignedDimensionInput horizontal(double length, double offset) {
    AlignedDimensionInput in;
    in.xLine1 = {0, 0, 0};
    in.xLine2 = {length, 0, 0};
    in.dimLine = {length / 3, offset, 0};
    return in;
}

} // namespace

TEST(DimensionGeometry, ExtensionLinesAndArrowsFollowTheScaledStyle) {
    DimStyleValues style;
    style.extensionOffset = 1;
    style.extensionBeyond = 2;
    style.arrowSize = 3;
    style.scale = 10;
    style.decimals = 2;
    const auto g = computeAlignedDimension(horizontal(1500, 200), style);
    EXPECT_DOUBLE_EQ(g.measurement, 1500);
    expectNear(g.dimLineStart, {0, 200, 0});
    expectNear(g.dimLineEnd, {1500, 200, 0});
    ASSERT_GE(g.lines.size(), 3u);
    expectNear(g.lines[0].start, {0, 10, 0});
    expectNear(g.lines[0].end, {0, 220, 0});
    expectNear(g.lines[1].start, {1500, 10, 0});
    ASSERT_EQ(g.solids.size(), 2u);
    expectNear(g.solids[0].corners[0], {0, 200, 0});
    expectNear(g.solids[0].corners[1], {30, 205, 0});
    expectNear(g.solids[1].corners[2], {1470, 195, 0});
    EXPECT_EQ(g.text.text, "1500.00");
    EXPECT_DOUBLE_EQ(g.text.height, 1.8);
    expectNear(g.text.position, {750, 200, 0});
    EXPECT_EQ(g.lines.size(), 4u) << "the dimension line is broken around the text";
}

TEST(DimensionGeometry, TicksTextAboveAndReadableDirection) {
    DimStyleValues style;
    style.tickSize = 1;
    style.textAbove = true;
    style.decimals = 0;
    auto in = horizontal(-100, -10); // measured right to left, dimension line below
    in.text = "L=<>";
    const auto g = computeAlignedDimension(in, style);
    EXPECT_TRUE(g.solids.empty());
    ASSERT_EQ(g.lines.size(), 5u) << "two extension lines, one dimension line, two ticks";
    EXPECT_EQ(g.text.text, "L=100");
    EXPECT_NEAR(g.text.rotation, 0.0, 1e-12) << "text is never upside down";
    EXPECT_NEAR(g.text.position.y, -10 + 0.09 + 0.09, 1e-12);
    in.xLine2 = {0, -50, 0}; // downwards: text reads bottom to top
    EXPECT_NEAR(computeAlignedDimension(in, style).text.rotation, M_PI / 2, 1e-12);
}

TEST(DimensionGeometry, FormatsMeasurementsWithoutLocaleOrNegativeZero) {
    EXPECT_EQ(formatMeasurement(2.345, 1), "2.3");
    EXPECT_EQ(formatMeasurement(-0.0001, 2), "0.00");
    EXPECT_EQ(formatMeasurement(12, 0), "12");
    EXPECT_EQ(dimensionText("fixed", 3, 2), "fixed");
}
