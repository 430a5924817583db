// The three distances at which the foundation dimensions lie from the measured points, and the
// dimension rows that the foundation outlines hand to the drawing code.
#pragma once
#include "acge.h"

#include <string>

// One aligned dimension to draw: it measures first -> second, and its dimension line lies
// `offset` away from them, to the left of the walk first -> second (the dimension-line point is
// the midpoint moved by `offset` at the direction of first -> second plus 90 degrees).
struct CArxComDimensionRow {
    int number = 0; // the row's number in its foundation kind's table (1..12)
    AcGePoint3d first;
    AcGePoint3d second;
    double offset = 0.0;
};

class CArxComDimensionTiers {
public:
    using TextToNumber = double (*)(const char*);

    // All three tiers at distance 0.
    CArxComDimensionTiers();
    // Tiers already multiplied by the scale.
    CArxComDimensionTiers(double first, double second, double third);
    virtual ~CArxComDimensionTiers();

    // From the comma-separated interval list (DIM_INTERVAL_F) and the dimension scale (the
    // system variable USERR1; 0 means 100): tier k is scale x (sum of the first k values), and
    // 0 when the list has fewer than k entries. Each entry is read with `toNumber`. A value
    // that is not finite, or a tier beyond CArxComPlacement::kLargestValue, counts as 0; so does
    // a scale that is not finite.
    static CArxComDimensionTiers FromSettings(const std::string& intervalList, double scale,
                                              TextToNumber toNumber);

    // Distance of tier 1, 2 or 3; 0 for any other number.
    double GetOffset(int tier) const;

private:
    double offsets_[3];
};
