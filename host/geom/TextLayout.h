// Where a single-line text stands: its baseline start (the first alignment point), direction,
// width and height, worked out from its alignment as drawing programs do. Widths are estimated
// from the character count; a program with the font's metrics may place the start a little
// differently.
#pragma once
#include <acge.h>
#include <array>

class AcDbText;

namespace veld::geom {

// The share of the height one character takes, at width factor 1 (a typical single-line font).
inline constexpr double kCharacterWidth = 0.8;

// All in the text's object coordinates (the plane of its normal).
struct TextLayout {
    AcGePoint3d start;  // left end of the baseline
    AcGeVector3d along; // unit vector along the baseline
    AcGeVector3d up;    // unit vector from the baseline to the top
    double width = 0.0, height = 0.0;

    // Baseline start, baseline end, top end, top start.
    std::array<AcGePoint3d, 4> corners() const;
};

// The estimated width of the text at its height (1 when it has none) and width factor.
double estimatedWidth(const AcDbText& text);

// Left on the baseline, aligned and fit are placed by the position; every other alignment by the
// alignment point, which the start is computed back from.
TextLayout textLayoutOf(const AcDbText& text);

// Whether the alignment point rather than the position places the text.
bool placedByAlignmentPoint(const AcDbText& text);

} // namespace veld::geom
