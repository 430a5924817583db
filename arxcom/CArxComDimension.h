// Aligned dimensions with a named dimension style, on top of the figure's drawing properties.
#pragma once
#include "arxcom/CArxComFigure.h"

class CArxComDimension : public CArxComFigure {
public:
    // An empty (or missing) style name means "STANDARD".
    explicit CArxComDimension(const char* styleName = "STANDARD");
    ~CArxComDimension() override;

    std::string dimStyleName;

    std::string GetDimStyleName() const;

    // An aligned dimension measuring first -> second extension-line point, its dimension line
    // through `dimLinePoint`, on the layer property, with the named style (a null style when the
    // drawing has none of that name) and a text line spacing factor of 3 x spacingBase. An empty
    // text shows the measured value. The id is null when the dimension could not be appended.
    void AddAlignedDimension(AcDbObjectId& id, const AcGePoint3d& dimLinePoint,
                             const AcGePoint3d& xLine1Point, const AcGePoint3d& xLine2Point,
                             const char* text);

    // The point at `offset` on the left of the direction first -> second, square to the
    // segment's midpoint: where the dimension line of that segment goes. Z is 0.
    void GetDimensionLinePoint(const AcGePoint3d& first, const AcGePoint3d& second, double offset,
                               AcGePoint3d& point) const;
};
