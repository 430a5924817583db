// Block helpers of the toolkit: the eight reference points of a rectangle, from which the
// foundation outlines are built.
#pragma once
#include "acge.h"

class CArxComBlock {
public:
    CArxComBlock() = default;
    virtual ~CArxComBlock();

    // Inserts, at positions 0..7 in front of any points already held, the eight points of a
    // width x height rectangle centred on the origin (Z = 0): top middle first, then clockwise
    // through corners and side midpoints (top-right, right middle, bottom-right, bottom middle,
    // bottom-left, left middle, top-left).
    void GetRectanglePoints(double width, double height, AcGePoint3dArray& points) const;
};
