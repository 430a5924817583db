// Tests of the square foundation's geometry: body and outer rectangles, their placement, the
// dimension rows with their thickening conditions, and what degenerate sizes give.
#include "square/SquareOutline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>

namespace {

constexpr double kPi = 3.141592653589793;

SquareSizes body(double f1 = 0, double f2 = 0, double f3 = 0, double f4 = 0) {
    SquareSizes s;
    s.sizeX = 2000;
    s.sizeY = 1000;
    s.shiftX1 = 500;
    s.shiftY1 = 300;
    s.thickening = {f1, f2, f3, f4};
    return s;
}

const CArxComDimensionTiers kTiers(500, 1000, 1500);

std::vector<int> rowNumbers(const SquareSizes& s) {
    std::vector<int> numbers;
    for (const CArxComDimensionRow& row : SquareOutline(s, {}, 0).dimensionRows(kTiers)) {
        numbers.push_back(row.number);
    }
    return numbers;
}

const CArxComDimensionRow& row(const std::vector<CArxComDimensionRow>& rows, int number) {
    for (const CArxComDimensionRow& r : rows) {
        if (r.number == number) {
            return r;
        }
    }
    ADD_FAILURE() << "no row " << number;
    return rows.front();
}

double length(const CArxComDimensionRow& r) {
    return std::hypot(r.second.x - r.first.x, r.second.y - r.first.y);
}

AcGePoint3d dimensionLinePoint(const CArxComDimensionRow& r) {
    const double a = std::atan2(r.second.y - r.first.y, r.second.x - r.first.x);
    return {(r.first.x + r.second.x) / 2 + r.offset * std::cos(a + kPi / 2),
            (r.first.y + r.second.y) / 2 + r.offset * std::sin(a + kPi / 2), 0.0};
}

void expectXY(const AcGePoint3d& p, double x, double y, const char* what) {
    EXPECT_NEAR(p.x, x, 1e-9) << what;
    EXPECT_NEAR(p.y, y, 1e-9) << what;
}

} // namespace

TEST(SquareRectangles, LookCornersStartTopRightGoingDown) {
    const SquareOutline outline(body(), AcGePoint3d(0, 0, 4), 0.0);
    const AcGePoint3dArray corners = outline.lookCorners();
    ASSERT_EQ(corners.length(), 4);
    expectXY(corners[0], 1500, 700, "top-right");
    expectXY(corners[1], 1500, -300, "bottom-right");
    expectXY(corners[2], -500, -300, "bottom-left");
    expectXY(corners[3], -500, 700, "top-left");
    EXPECT_EQ(corners[2].z, 4.0);
}

TEST(SquareRectangles, OuterGrowsByEachThickening) {
    const SquareOutline outline(body(10, 20, 30, 40), AcGePoint3d::kOrigin, 0.0);
    const AcGePoint3dArray l = outline.outerPoints();
    ASSERT_EQ(l.length(), 8);
    expectXY(l[1], 1520, 730, "L1 top-right");
    expectXY(l[3], 1520, -340, "L3 bottom-right");
    expectXY(l[5], -510, -340, "L5 bottom-left");
    expectXY(l[0], 505, 730, "L0 top middle");
    expectXY(l[2], 1520, 195, "L2 right middle");
    EXPECT_EQ(outline.outerWidth(), 2030.0);
    EXPECT_EQ(outline.outerDepth(), 1070.0);
}

TEST(SquareRectangles, NoThickeningOuterEqualsBody) {
    const SquareOutline outline(body(), AcGePoint3d(30, 40, 0), 1.1);
    for (int k = 0; k < 8; ++k) {
        EXPECT_NEAR(outline.outerPoints()[k].x, outline.bodyPoints()[k].x, 1e-9);
        EXPECT_NEAR(outline.outerPoints()[k].y, outline.bodyPoints()[k].y, 1e-9);
    }
}

TEST(SquarePlacement, QuarterTurnAboutBasePoint) {
    const SquareOutline plain(body(10, 20, 30, 40), AcGePoint3d::kOrigin, 0.0);
    const SquareOutline turned(body(10, 20, 30, 40), AcGePoint3d(1000, 2000, 0), kPi / 2);
    for (int k = 0; k < 8; ++k) {
        const AcGePoint3d& p = plain.outerPoints()[k];
        expectXY(turned.outerPoints()[k], 1000 - p.y, 2000 + p.x, "outer");
    }
    // The local right side's dimensions now lie above the foundation.
    double top = -1e300;
    for (const AcGePoint3d& p : turned.outerPoints()) {
        top = std::max(top, p.y);
    }
    const auto rows = turned.dimensionRows(kTiers);
    for (const CArxComDimensionRow& r : rows) {
        if (r.number <= 6) {
            EXPECT_GT(dimensionLinePoint(r).y, top) << "row " << r.number;
        }
    }
}

TEST(SquareDimensionRows, ConditionsOnIntegerParts) {
    EXPECT_EQ(rowNumbers(body()), (std::vector<int>{1, 3, 4, 7, 9, 10}));
    EXPECT_EQ(rowNumbers(body(0, 0, 200, 0)), (std::vector<int>{1, 2, 3, 4, 5, 7, 9, 10}));
    EXPECT_EQ(rowNumbers(body(-50, 0, 0, 0)), (std::vector<int>{1, 3, 4, 7, 8, 9, 10}));
    EXPECT_EQ(rowNumbers(body(0.5, 0.5, 0.5, 0.5)), (std::vector<int>{1, 3, 4, 7, 9, 10}));
    EXPECT_EQ(rowNumbers(body(-0.9, 1.9, 0, -3)), (std::vector<int>{1, 2, 3, 4, 7, 8, 9, 10, 11}));
    EXPECT_EQ(rowNumbers(body(5, 6, 7, 8)),
              (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

TEST(SquareDimensionRows, TopThickeningMeasures) {
    const auto rows = SquareOutline(body(0, 0, 200, 0), {}, 0).dimensionRows(kTiers);
    EXPECT_NEAR(length(row(rows, 2)), 1000.0, 1e-9); // Y
    EXPECT_NEAR(length(row(rows, 5)), 200.0, 1e-9);  // F3
    EXPECT_NEAR(length(row(rows, 1)), 1200.0, 1e-9); // H
    EXPECT_EQ(row(rows, 2).offset, 500.0);
    EXPECT_EQ(row(rows, 3).offset, 1000.0);
    EXPECT_EQ(row(rows, 1).offset, 1500.0);
}

TEST(SquareDimensionRows, MeasuresAndSidesWithAllThickenings) {
    const SquareOutline outline(body(10, 20, 30, 40), {}, 0);
    const auto rows = outline.dimensionRows(kTiers);
    const double expected[13] = {0, 1070, 1000, 700, 300, 30, 40, 2030, 2000, 1500, 500, 20, 10};
    ASSERT_EQ(rows.size(), 12u);
    for (const CArxComDimensionRow& r : rows) {
        EXPECT_NEAR(length(r), expected[r.number], 1e-9) << "row " << r.number;
        const AcGePoint3d d = dimensionLinePoint(r);
        if (r.number <= 6) {
            EXPECT_GT(d.x, outline.outerPoints()[1].x) << "row " << r.number;
        } else {
            EXPECT_LT(d.y, outline.outerPoints()[3].y) << "row " << r.number;
        }
    }
}

TEST(SquareDimensionRows, NegativeLeftThickeningLiesInsideBody) {
    const SquareOutline outline(body(-50, 0, 0, 0), {}, 0);
    EXPECT_NEAR(outline.outerPoints()[5].x, -450.0, 1e-9);
    const auto rows = outline.dimensionRows(kTiers);
    EXPECT_NEAR(length(row(rows, 8)), 2000.0, 1e-9);
    EXPECT_NEAR(length(row(rows, 10)), 500.0, 1e-9); // R1, reaching past the outer line
}

TEST(SquareDimensionRows, SingleIntervalPutsOuterRowsOnTheOutline) {
    const auto toNumber = [](const char* text) { return std::atof(text); };
    const auto tiers = CArxComDimensionTiers::FromSettings("5", 0.0, toNumber);
    for (const CArxComDimensionRow& r :
         SquareOutline(body(9, 9, 9, 9), {}, 0).dimensionRows(tiers)) {
        const bool firstTier =
            r.number == 2 || r.number == 5 || r.number == 6 || r.number >= 11 || r.number == 8;
        EXPECT_EQ(r.offset, firstTier ? 500.0 : 0.0) << "row " << r.number;
    }
}

TEST(SquareDegenerate, UnusableSizesDrawNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const auto drawable = [](const SquareSizes& s, AcGePoint3d base = {}, double angle = 0.0) {
        const SquareOutline outline(s, base, angle);
        if (!outline.isDrawable()) {
            EXPECT_TRUE(outline.outerPoints().isEmpty());
            EXPECT_TRUE(outline.lookCorners().isEmpty());
            EXPECT_TRUE(outline.dimensionRows(kTiers).empty());
            EXPECT_EQ(outline.outerWidth(), 0.0);
        }
        return outline.isDrawable();
    };
    EXPECT_TRUE(drawable(body()));
    SquareSizes s = body();
    s.sizeX = 0;
    EXPECT_FALSE(drawable(s));
    s = body();
    s.sizeY = -10;
    EXPECT_FALSE(drawable(s));
    EXPECT_FALSE(drawable(body(-2000, 0, 0, 0)));   // no outer width left
    EXPECT_FALSE(drawable(body(0, 0, -600, -400))); // outer depth negative
    EXPECT_FALSE(drawable(body(nan, 0, 0, 0)));
    EXPECT_FALSE(drawable(body(0, 0, 1e300, 0)));
    s = body();
    s.shiftX1 = inf;
    EXPECT_FALSE(drawable(s));
    EXPECT_FALSE(drawable(body(), AcGePoint3d(0, -inf, 0)));
    EXPECT_FALSE(drawable(body(), AcGePoint3d(0, 0, 0), nan));
}

TEST(SquareDegenerate, RandomSizesNeverGiveNonFiniteCoordinates) {
    std::mt19937 random(7331);
    const double magnitudes[] = {0.0, 1e-7, 1e-3, 1.0, 1e3, 1e6, 1e11, 1e12};
    std::uniform_int_distribution<int> pick(0, 7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    const auto value = [&] { return magnitudes[pick(random)] * unit(random); };
    int drawn = 0;
    for (int n = 0; n < 3000; ++n) {
        SquareSizes s{value(), value(), value(), value(), {value(), value(), value(), value()}};
        const SquareOutline outline(s, AcGePoint3d(value(), value(), value()), value());
        for (const CArxComDimensionRow& r :
             outline.dimensionRows(CArxComDimensionTiers(value(), value(), value()))) {
            ASSERT_TRUE(std::isfinite(r.first.x + r.first.y + r.first.z + r.second.x + r.second.y +
                                      r.second.z + r.offset));
        }
        for (const AcGePoint3d& p : outline.outerPoints()) {
            ASSERT_TRUE(std::isfinite(p.x + p.y + p.z));
        }
        drawn += outline.isDrawable() ? 1 : 0;
    }
    EXPECT_GT(drawn, 100);
}
