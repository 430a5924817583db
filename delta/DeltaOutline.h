// Geometry of a triangular foundation: the look outline (a triangle with its corners cut by
// three faces), the outer outline (each edge moved out by its thickening), both placed in the
// drawing, and the points and rows of its dimensions.
#pragma once
#include "acge.h"
#include "arxcom/CArxComDimensionTiers.h"
#include "arxcom/CArxComPlacement.h"

#include <array>
#include <vector>

// The sizes of a triangular foundation as numbers (the caller reads the parameter texts).
struct DeltaSizes {
    double bottom = 0.0;  // B (BOTTOM): bottom edge and the two slanted sides
    double surface = 0.0; // F (SURFACE): length of each of the three corner faces
    double height = 0.0;  // H (HEIGHT): from the bottom edge to the top face
    double shiftX1 = 0.0; // R1 (SHIFT_X1): insertion point right of the bottom edge's left end
    double shiftY1 = 0.0; // R3 (SHIFT_Y1): insertion point above the bottom edge
    // F1..F6 (FUKASHI1..6): outward thickening of the bottom edge, lower-left face, left side,
    // top face, right side and lower-right face. Only values above 0 move an edge.
    std::array<double, 6> thickening{};
};

// Computes everything on construction. Vertex lists are hexagons: vertex k to k + 1, and the
// last back to the first, are the six edges.
//
// Degenerate input gives "nothing to draw" (isDrawable() false, every list empty): a bottom
// B below kMinimumBottom (zero and negatives included), any size, shift, thickening, base point
// coordinate or rotation that is not finite or beyond CArxComPlacement::kLargestValue. A face
// part F of 0 or less is drawn as F = 0, a plain triangle: the faces shrink to the corners
// (their look edges have zero length) and each outer face line keeps the face's direction
// through its corner, moved out by its thickening as usual. Every coordinate produced is finite.
class DeltaOutline {
public:
    static constexpr double kMinimumBottom = 0.001;

    DeltaOutline(const DeltaSizes& sizes, const AcGePoint3d& basePoint, double rotation);

    bool isDrawable() const { return drawable_; }

    // Unplaced look outline O0..O5 around `centre`: bottom-left, top of the lower-left face,
    // left and right end of the top face, top of the lower-right face, bottom-right.
    AcGePoint3dArray lookAround(const AcGePoint3d& centre) const;
    // Unplaced outer outline V0..V5 around `centre`, V_k the outer corner at look vertex O_k:
    // bottom edge with lower-left face, lower-left face with left side, left side with top face,
    // top face with right side, right side with lower-right face, lower-right face with bottom.
    AcGePoint3dArray outerAround(const AcGePoint3d& centre) const;
    // Ht: distance of the unplaced V3 from the line through V0 and V5.
    double outerHeight() const { return heightOfOuter_; }

    // Placed look outline P0..P5 and outer outline T0..T5 (drawing coordinates). The outer
    // outline is moved as if its bottom edge were centred on the local origin and V0 lay left of
    // the foot of O0 on it: with equal thickenings it encloses the look outline at that
    // distance, with unequal ones it is displaced against that position.
    const AcGePoint3dArray& placedLook() const { return look_; }
    const AcGePoint3dArray& placedOuter() const { return outer_; }

    // The dimensions that apply, in drawing order: along the bottom (rows 1..6), then along the
    // right side (rows 7..12), each with the tier offset of its row.
    std::vector<CArxComDimensionRow> dimensionRows(const CArxComDimensionTiers& tiers) const;

private:
    // The feet and shift points the dimension rows are built from.
    struct DimensionPoints {
        AcGePoint3d a, c, aRight, cRight, e, r, rRight;
    };

    bool inputUsable(const DeltaSizes& sizes) const;
    AcGePoint3dArray computeLook(const AcGePoint3d& centre) const;
    bool computeOuter(const AcGePoint3d& centre, AcGePoint3dArray& v) const;
    bool build();
    bool placeOuter(const AcGePoint3dArray& outerLocal, const AcGePoint3dArray& lookLocal);
    bool prepareDimensions();
    bool allFinite() const;

    DeltaSizes sizes_;
    CArxComPlacement placement_;
    bool drawable_ = false;
    double heightOfOuter_ = 0.0;
    AcGePoint3dArray look_;
    AcGePoint3dArray outer_;
    DimensionPoints dims_;
};
