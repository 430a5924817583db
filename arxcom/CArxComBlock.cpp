// Block helpers of the toolkit: rectangle reference points.
#include "arxcom/CArxComBlock.h"

CArxComBlock::~CArxComBlock() = default;

void CArxComBlock::GetRectanglePoints(double width, double height, AcGePoint3dArray& points) const {
    const double w = width / 2.0;
    const double h = height / 2.0;
    const AcGePoint3d rectangle[8] = {{0.0, h, 0.0},  {w, h, 0.0},   {w, 0.0, 0.0},  {w, -h, 0.0},
                                      {0.0, -h, 0.0}, {-w, -h, 0.0}, {-w, 0.0, 0.0}, {-w, h, 0.0}};
    for (int i = 0; i < 8; ++i) {
        points.insertAt(i, rectangle[i]);
    }
}
