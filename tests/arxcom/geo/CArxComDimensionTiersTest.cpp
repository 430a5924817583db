// Tests of the dimension tier distances: the interval list's running sums, missing entries and
// the dimension scale.
#include "arxcom/CArxComDimensionTiers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

namespace {

double toNumber(const char* text) {
    return std::atof(text);
}

void expectTiers(const CArxComDimensionTiers& tiers, double first, double second, double third) {
    EXPECT_EQ(tiers.GetOffset(1), first);
    EXPECT_EQ(tiers.GetOffset(2), second);
    EXPECT_EQ(tiers.GetOffset(3), third);
}

} // namespace

TEST(CArxComDimensionTiers, RunningSumsTimesScale) {
    expectTiers(CArxComDimensionTiers::FromSettings("5,5,5", 0.0, toNumber), 500, 1000, 1500);
    expectTiers(CArxComDimensionTiers::FromSettings("2,3,4,9", 10.0, toNumber), 20, 50, 90);
    expectTiers(CArxComDimensionTiers::FromSettings("2, 3 ,x", 10.0, toNumber), 20, 50, 50);
    EXPECT_EQ(CArxComDimensionTiers(1, 2, 3).GetOffset(0), 0.0);
    EXPECT_EQ(CArxComDimensionTiers(1, 2, 3).GetOffset(4), 0.0);
}

TEST(CArxComDimensionTiers, MissingEntriesGiveZeroTiers) {
    expectTiers(CArxComDimensionTiers::FromSettings("5", 0.0, toNumber), 500, 0, 0);
    expectTiers(CArxComDimensionTiers::FromSettings("5,5", 1.0, toNumber), 5, 10, 0);
    // An empty entry is present, with the value 0.
    expectTiers(CArxComDimensionTiers::FromSettings("5,,5", 1.0, toNumber), 5, 5, 10);
    expectTiers(CArxComDimensionTiers::FromSettings("", 1.0, toNumber), 0, 0, 0);
}

TEST(CArxComDimensionTiers, UnusableValuesCountAsZero) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    expectTiers(CArxComDimensionTiers::FromSettings("1e308,1e308,1", 100.0, toNumber), 0, 0, 0);
    expectTiers(CArxComDimensionTiers::FromSettings("nan,2,3", 1.0, toNumber), 0, 2, 5);
    expectTiers(CArxComDimensionTiers::FromSettings("1,2,3", nan, toNumber), 100, 300, 600);
    expectTiers(CArxComDimensionTiers::FromSettings("1,2,3", 1e300, toNumber), 0, 0, 0);
}
