// Tests of the triangular foundation's geometry: both hexagons, their placement, the dimension
// rows and what degenerate sizes give.
#include "delta/DeltaOutline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>

namespace {

constexpr double kPi = 3.141592653589793;
const double kExactHeight = 1100.0 * std::sqrt(3.0) / 2.0; // (B + F) * sqrt(3) / 2

DeltaSizes standardSizes(double height = 952.63) {
    DeltaSizes s;
    s.bottom = 1000.0;
    s.surface = 100.0;
    s.height = height;
    return s;
}

void expectNear(const AcGePoint3d& actual, double x, double y, double tol, const char* what) {
    EXPECT_NEAR(actual.x, x, tol) << what;
    EXPECT_NEAR(actual.y, y, tol) << what;
}

std::vector<int> rowNumbers(const std::vector<CArxComDimensionRow>& rows) {
    std::vector<int> numbers;
    for (const CArxComDimensionRow& row : rows) {
        numbers.push_back(row.number);
    }
    return numbers;
}

double length(const CArxComDimensionRow& row) {
    return std::hypot(row.second.x - row.first.x, row.second.y - row.first.y);
}

// Where the dimension line of `row` passes: its midpoint moved by the offset to the left.
AcGePoint3d dimensionLinePoint(const CArxComDimensionRow& row) {
    const double a = std::atan2(row.second.y - row.first.y, row.second.x - row.first.x);
    return {(row.first.x + row.second.x) / 2 + row.offset * std::cos(a + kPi / 2),
            (row.first.y + row.second.y) / 2 + row.offset * std::sin(a + kPi / 2), 0.0};
}

bool allFinite(const AcGePoint3dArray& points) {
    for (const AcGePoint3d& p : points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) {
            return false;
        }
    }
    return true;
}

} // namespace

TEST(DeltaLookOutline, VerticesAroundOrigin) {
    const DeltaOutline outline(standardSizes(), AcGePoint3d::kOrigin, 0.0);
    const AcGePoint3dArray o = outline.lookAround(AcGePoint3d::kOrigin);
    ASSERT_EQ(o.length(), 6);
    expectNear(o[0], -500, -476.315, 5e-4, "O0");
    expectNear(o[1], -550, -389.712, 5e-4, "O1");
    expectNear(o[2], -50, 476.313, 5e-4, "O2");
    expectNear(o[3], 50, 476.313, 5e-4, "O3");
    expectNear(o[4], 550, -389.712, 5e-4, "O4");
    expectNear(o[5], 500, -476.315, 5e-4, "O5");
    const AcGePoint3dArray moved = outline.lookAround(AcGePoint3d(10, 20, 0));
    expectNear(moved[2], -40, 496.313, 5e-4, "O2 around (10, 20)");
}

TEST(DeltaLookOutline, PlacedByShiftsAndBasePoint) {
    DeltaSizes s = standardSizes();
    s.shiftX1 = 300;
    s.shiftY1 = 100;
    const AcGePoint3dArray p = DeltaOutline(s, AcGePoint3d(0, 0, 0), 0.0).placedLook();
    ASSERT_EQ(p.length(), 6);
    expectNear(p[0], -300, -100, 1e-9, "bottom-left");
    expectNear(p[5], 700, -100, 1e-9, "bottom-right");
    const AcGePoint3dArray raised = DeltaOutline(s, AcGePoint3d(0, 0, 7.5), 0.0).placedLook();
    EXPECT_EQ(raised[3].z, 7.5);
}

TEST(DeltaOuterOutline, NoThickeningCoincidesWithLook) {
    DeltaSizes s = standardSizes(kExactHeight);
    s.shiftX1 = 250;
    s.shiftY1 = 40;
    s.thickening = {0, -20, 0, -5, 0, 0}; // negative thickenings leave their edges alone
    const DeltaOutline outline(s, AcGePoint3d(100, 200, 0), 0.3);
    const AcGePoint3dArray look = outline.placedLook();
    const AcGePoint3dArray outer = outline.placedOuter();
    ASSERT_EQ(outer.length(), 6);
    for (int k = 0; k < 6; ++k) {
        expectNear(outer[k], look[k].x, look[k].y, 1e-7, "vertex");
    }
}

TEST(DeltaOuterOutline, EqualThickeningsEncloseAtThatDistance) {
    DeltaSizes s = standardSizes(kExactHeight);
    s.shiftX1 = 300;
    s.shiftY1 = 100;
    s.thickening = {50, 50, 50, 50, 50, 50};
    const DeltaOutline outline(s, AcGePoint3d::kOrigin, 0.0);
    const AcGePoint3dArray look = outline.placedLook();
    const AcGePoint3dArray outer = outline.placedOuter();
    const double outward[6] = {270, 210, 150, 90, 30, 330};
    const int lookFrom[6] = {0, 0, 1, 2, 3, 4};
    for (int k = 0; k < 6; ++k) {
        // Edge k of the outer outline runs from V(k-1) to V(k).
        const double n[2] = {std::cos(outward[k] * kPi / 180), std::sin(outward[k] * kPi / 180)};
        for (const AcGePoint3d& v : {outer[(k + 5) % 6], outer[k]}) {
            const AcGePoint3d& o = look[lookFrom[k]];
            EXPECT_NEAR((v.x - o.x) * n[0] + (v.y - o.y) * n[1], 50.0, 1e-7) << "edge " << k;
        }
    }
}

TEST(DeltaOuterOutline, BottomThickeningAloneIsDisplaced) {
    DeltaSizes s = standardSizes();
    s.thickening = {50, 0, 0, 0, 0, 0};
    const DeltaOutline outline(s, AcGePoint3d::kOrigin, 0.0);
    const AcGePoint3dArray v = outline.outerAround(AcGePoint3d::kOrigin);
    expectNear(v[0], -471.132, -526.315, 5e-4, "V0");
    expectNear(v[5], 471.132, -526.315, 5e-4, "V5");
    // Enclosing position: the unplaced outline moved like the look outline.
    const AcGePoint3dArray t = outline.placedOuter();
    for (int k = 0; k < 6; ++k) {
        // H is the rounded height, so the vertical displacement is 25.001.
        expectNear(t[k], v[k].x + 500 - 57.735, v[k].y + 476.315 - 25.000, 2e-3, "vertex");
    }
}

TEST(DeltaOuterOutline, NegativeBottomThickeningStillShiftsVertically) {
    DeltaSizes s = standardSizes(kExactHeight);
    s.thickening = {-30, 0, 0, 0, 0, 0};
    const DeltaOutline outline(s, AcGePoint3d::kOrigin, 0.0);
    EXPECT_NEAR(outline.placedOuter()[0].y - outline.placedLook()[0].y, 30.0, 1e-7);
}

TEST(DeltaPlacement, QuarterTurnAboutInsertionPoint) {
    DeltaSizes s = standardSizes();
    s.shiftX1 = 300;
    s.shiftY1 = 100;
    s.thickening = {10, 20, 30, 40, 50, 60};
    const DeltaOutline plain(s, AcGePoint3d::kOrigin, 0.0);
    const DeltaOutline turned(s, AcGePoint3d(1000, 2000, 0), kPi / 2);
    for (int k = 0; k < 6; ++k) {
        const AcGePoint3d& p = plain.placedLook()[k];
        expectNear(turned.placedLook()[k], 1000 - p.y, 2000 + p.x, 1e-9, "look");
        const AcGePoint3d& q = plain.placedOuter()[k];
        expectNear(turned.placedOuter()[k], 1000 - q.y, 2000 + q.x, 1e-9, "outer");
    }
}

TEST(DeltaDimensionRows, RowsFollowThickenings) {
    const CArxComDimensionTiers tiers(500, 1000, 1500);
    DeltaSizes s = standardSizes();
    EXPECT_EQ(rowNumbers(DeltaOutline(s, {}, 0).dimensionRows(tiers)),
              (std::vector<int>{4, 5, 6, 10, 11, 12}));
    s.thickening = {10, 20, 30, 40, 50, 60};
    EXPECT_EQ(rowNumbers(DeltaOutline(s, {}, 0).dimensionRows(tiers)),
              (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    s.thickening = {0, -5, 0, 0, 0, 7};
    EXPECT_EQ(rowNumbers(DeltaOutline(s, {}, 0).dimensionRows(tiers)),
              (std::vector<int>{2, 3, 4, 5, 6, 10, 11, 12}));
    s.thickening = {0, 0, 0, 9, 0, -1};
    EXPECT_EQ(rowNumbers(DeltaOutline(s, {}, 0).dimensionRows(tiers)),
              (std::vector<int>{4, 5, 6, 8, 9, 10, 11, 12}));
}

TEST(DeltaDimensionRows, PairOrderDependsOnFaceThickening) {
    const CArxComDimensionTiers tiers(500, 1000, 1500);
    DeltaSizes s = standardSizes();
    s.thickening = {5, 0, 0, 0, 0, 0};
    const DeltaOutline flat(s, {}, 0);
    s.thickening = {5, 8, 0, 0, 0, 8};
    const DeltaOutline faced(s, {}, 0);
    const auto flatRows = flat.dimensionRows(tiers);
    const auto facedRows = faced.dimensionRows(tiers);
    EXPECT_EQ(flatRows[0].first, flat.placedOuter()[0]);    // (T0, A)
    EXPECT_EQ(facedRows[0].second, faced.placedOuter()[0]); // (A, T0)
    EXPECT_EQ(flatRows[2].second, flat.placedOuter()[5]);   // (C, T5)
    EXPECT_EQ(facedRows[2].first, faced.placedOuter()[5]);  // (T5, C)
}

TEST(DeltaDimensionRows, TierOffsetsWithAllThickenings) {
    DeltaSizes s = standardSizes();
    s.thickening = {10, 20, 30, 40, 50, 60};
    const auto rows = DeltaOutline(s, {}, 0).dimensionRows(CArxComDimensionTiers(500, 1000, 1500));
    ASSERT_EQ(rows.size(), 12u);
    const double expectedOffset[12] = {500, 500, 500, 1000, 1000, 1500,
                                       500, 500, 500, 1000, 1000, 1500};
    for (size_t k = 0; k < 12; ++k) {
        EXPECT_EQ(rows[k].offset, expectedOffset[k]) << "row " << k + 1;
    }
}

TEST(DeltaDimensionRows, MeasuresAndSidesWhenOuterEncloses) {
    DeltaSizes s = standardSizes(kExactHeight);
    s.shiftX1 = 300;
    s.shiftY1 = 100;
    s.thickening = {50, 50, 50, 50, 50, 50};
    const DeltaOutline outline(s, AcGePoint3d::kOrigin, 0.0);
    const auto rows = outline.dimensionRows(CArxComDimensionTiers(500, 1000, 1500));
    ASSERT_EQ(rows.size(), 12u);
    const AcGePoint3d& t0 = outline.placedOuter()[0];
    const AcGePoint3d& t5 = outline.placedOuter()[5];
    EXPECT_NEAR(length(rows[1]), 1000.0, 1e-7); // look base side
    EXPECT_NEAR(length(rows[0]) + length(rows[1]) + length(rows[2]), t0.distanceTo(t5), 1e-7);
    EXPECT_NEAR(length(rows[3]), 300.0, 1e-7);                    // R1
    EXPECT_NEAR(length(rows[3]) + length(rows[4]), 1000.0, 1e-7); // R1 + R2
    EXPECT_NEAR(length(rows[5]), t0.distanceTo(t5), 1e-9);        // outer width
    EXPECT_NEAR(length(rows[6]), 50.0, 1e-7);                     // F1
    EXPECT_NEAR(length(rows[7]), kExactHeight, 1e-7);             // look height
    EXPECT_NEAR(length(rows[8]), 50.0, 1e-7);                     // F4
    EXPECT_NEAR(length(rows[9]), 100.0, 1e-7);                    // R3
    EXPECT_NEAR(length(rows[11]), outline.outerHeight(), 1e-7);   // Ht
    // Every dimension line lies outside: below the bottom or right of the right side.
    for (size_t k = 0; k < 12; ++k) {
        const AcGePoint3d d = dimensionLinePoint(rows[k]);
        if (k < 6) {
            EXPECT_LT(d.y, t0.y) << "row " << k + 1;
        } else {
            EXPECT_GT(d.x, t5.x) << "row " << k + 1;
        }
    }
}

TEST(DeltaDimensionRows, SingleIntervalPutsOuterTiersOnTheOutline) {
    const auto toNumber = [](const char* text) { return std::atof(text); };
    const CArxComDimensionTiers tiers = CArxComDimensionTiers::FromSettings("5", 0.0, toNumber);
    const auto rows = DeltaOutline(standardSizes(), {}, 0).dimensionRows(tiers);
    ASSERT_EQ(rows.size(), 6u);
    for (const CArxComDimensionRow& row : rows) {
        EXPECT_EQ(row.offset, 0.0) << "row " << row.number;
    }
}

TEST(DeltaDegenerate, NoFacePartDrawsPlainTriangle) {
    DeltaSizes s = standardSizes(kExactHeight);
    s.thickening = {50, 50, 50, 50, 50, 50};
    for (double face : {0.0, -40.0, 1e-9}) {
        s.surface = face;
        const DeltaOutline outline(s, AcGePoint3d(5, 5, 0), 0.2);
        ASSERT_TRUE(outline.isDrawable()) << face;
        const AcGePoint3dArray o = outline.lookAround(AcGePoint3d::kOrigin);
        EXPECT_NEAR(o[0].distanceTo(o[1]), 0.0, 1e-6);
        EXPECT_NEAR(o[2].distanceTo(o[3]), 0.0, 1e-6);
        const AcGePoint3dArray v = outline.outerAround(AcGePoint3d::kOrigin);
        // The top face line passes 50 above the apex.
        EXPECT_NEAR(v[2].y, o[2].y + 50, 1e-6);
        EXPECT_NEAR(v[3].y, o[2].y + 50, 1e-6);
        EXPECT_TRUE(allFinite(outline.placedOuter()));
        EXPECT_EQ(outline.dimensionRows(CArxComDimensionTiers(1, 2, 3)).size(), 12u);
    }
}

TEST(DeltaDegenerate, UnusableSizesDrawNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const auto drawable = [](DeltaSizes s, AcGePoint3d base = {}, double rotation = 0.0) {
        const DeltaOutline outline(s, base, rotation);
        if (!outline.isDrawable()) {
            EXPECT_TRUE(outline.placedLook().isEmpty());
            EXPECT_TRUE(outline.placedOuter().isEmpty());
            EXPECT_TRUE(outline.dimensionRows(CArxComDimensionTiers(1, 2, 3)).empty());
        }
        return outline.isDrawable();
    };
    DeltaSizes s = standardSizes();
    EXPECT_TRUE(drawable(s));
    for (double bottom : {0.0, -100.0, 0.0005, nan, inf, 1e13}) {
        DeltaSizes t = s;
        t.bottom = bottom;
        EXPECT_FALSE(drawable(t)) << bottom;
    }
    s.height = nan;
    EXPECT_FALSE(drawable(s));
    s = standardSizes();
    s.thickening[3] = 1e300;
    EXPECT_FALSE(drawable(s));
    s = standardSizes();
    s.shiftY1 = -inf;
    EXPECT_FALSE(drawable(s));
    EXPECT_FALSE(drawable(standardSizes(), AcGePoint3d(nan, 0, 0)));
    EXPECT_FALSE(drawable(standardSizes(), AcGePoint3d(0, 0, 0), inf));
    s = standardSizes();
    s.bottom = 0.001;
    s.surface = 0;
    s.height = 0;
    EXPECT_TRUE(drawable(s));
}

TEST(DeltaDegenerate, RandomSizesNeverGiveNonFiniteCoordinates) {
    std::mt19937 random(20240611);
    const double magnitudes[] = {0.0, 1e-7, 1e-3, 1.0, 1e3, 1e6, 1e11, 1e12};
    std::uniform_int_distribution<int> pick(0, 7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    const auto value = [&] { return magnitudes[pick(random)] * unit(random); };
    int drawn = 0;
    for (int n = 0; n < 3000; ++n) {
        DeltaSizes s{value(), value(), value(), value(), value(), {}};
        for (double& f : s.thickening) {
            f = value();
        }
        const DeltaOutline outline(s, AcGePoint3d(value(), value(), value()), value());
        const auto rows = outline.dimensionRows(CArxComDimensionTiers(value(), value(), value()));
        ASSERT_TRUE(allFinite(outline.placedLook()) && allFinite(outline.placedOuter()));
        for (const CArxComDimensionRow& row : rows) {
            ASSERT_TRUE(std::isfinite(row.first.x + row.first.y + row.second.x + row.second.y +
                                      row.offset));
        }
        drawn += outline.isDrawable() ? 1 : 0;
    }
    EXPECT_GT(drawn, 100);
}
