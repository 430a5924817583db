// Geometry of a square (rectangular) foundation: the body rectangle (look lines), the outer
// rectangle enlarged by the thickenings, both placed in the drawing, and its dimension rows.
#pragma once
#include "acge.h"
#include "arxcom/CArxComDimensionTiers.h"
#include "arxcom/CArxComPlacement.h"

#include <array>
#include <vector>

// The sizes of a square foundation as numbers (the caller reads the parameter texts).
struct SquareSizes {
    double sizeX = 0.0;   // X (BASE_SIZE_X): body width
    double sizeY = 0.0;   // Y (BASE_SIZE_Y): body depth
    double shiftX1 = 0.0; // R1 (SHIFT_X1): base point right of the body's left face
    double shiftY1 = 0.0; // R3 (SHIFT_Y1): base point above the body's bottom face
    // F1..F4 (FUKASHI1..4): thickening added on the left, right, top and bottom.
    std::array<double, 4> thickening{};
};

// Computes everything on construction. Rectangle point lists follow
// CArxComBlock::GetRectanglePoints: top middle, top-right, right middle, bottom-right, bottom
// middle, bottom-left, left middle, top-left.
//
// Degenerate input gives "nothing to draw" (isDrawable() false, every list empty): a body or
// outer width or depth below kMinimumSize (zero and negatives included), or any size, shift,
// thickening, base point coordinate or rotation that is not finite or beyond
// CArxComPlacement::kLargestValue. Every coordinate produced is finite.
class SquareOutline {
public:
    static constexpr double kMinimumSize = 0.001;

    SquareOutline(const SquareSizes& sizes, const AcGePoint3d& basePoint, double rotation);

    bool isDrawable() const { return drawable_; }

    // Local frame (origin at the base point): size of the outer rectangle.
    double outerWidth() const { return outerWidth_; }
    double outerDepth() const { return outerDepth_; }

    // The body rectangle's eight points, placed.
    const AcGePoint3dArray& bodyPoints() const { return body_; }
    // The look lines' corners, placed: top-right, bottom-right, bottom-left, top-left; the
    // closed chain through them is the four look lines.
    AcGePoint3dArray lookCorners() const;
    // L0..L7, the outer rectangle's eight points, placed; the closed chain through them is the
    // eight outer lines (each side as two lines meeting at its midpoint).
    const AcGePoint3dArray& outerPoints() const { return outer_; }

    // The dimensions that apply, in drawing order: right side (rows 1..6), then bottom (rows
    // 7..12), each with the tier offset of its row.
    std::vector<CArxComDimensionRow> dimensionRows(const CArxComDimensionTiers& tiers) const;

private:
    void computeLocalFrame();
    bool inputUsable() const;
    AcGePoint3dArray placedRectangle(double width, double depth, const AcGePoint3d& centre) const;
    bool allFinite() const;

    SquareSizes sizes_;
    CArxComPlacement placement_;
    bool drawable_ = false;
    AcGePoint3d bodyCentre_;
    AcGePoint3d outerCentre_;
    double outerWidth_ = 0.0;
    double outerDepth_ = 0.0;
    AcGePoint3dArray body_;
    AcGePoint3dArray outer_;
};
