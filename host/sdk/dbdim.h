// Aligned dimensions. The measured value is computed from the two extension-line points; the
// geometry block (extension lines, dimension line, arrows, text) is computed from the dimension
// style by the host when the drawing is saved or shown.
#pragma once
#include "dbents.h"

class AcDbDimension : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbDimension)
    AcDbObjectId dimensionStyle() const;
    Acad::ErrorStatus setDimensionStyle(AcDbObjectId style);
    // Empty text shows the measured value.
    std::string dimensionText() const;
    Acad::ErrorStatus setDimensionText(const char* text);
    double textLineSpacingFactor() const;
    // Stored as given; the file writer keeps the written value inside the valid 0.25..4 range.
    Acad::ErrorStatus setTextLineSpacingFactor(double factor);
    AcGePoint3d textPosition() const;
    Acad::ErrorStatus setTextPosition(const AcGePoint3d& p);
    bool isUsingDefaultTextPosition() const;
    // The anonymous block that holds the computed geometry, null until the host builds it.
    AcDbObjectId dimBlockId() const;
    Acad::ErrorStatus setDimBlockId(AcDbObjectId block);
    virtual double measurement() const = 0;

protected:
    void copyDimensionState(const AcDbDimension& from);

private:
    AcDbObjectId style_;
    std::string text_;
    double lineSpacing_ = 1.0;
    AcGePoint3d textPosition_;
    bool userTextPosition_ = false;
    AcDbObjectId block_;
};

class AcDbAlignedDimension : public AcDbDimension {
public:
    ACRX_DECLARE_MEMBERS(AcDbAlignedDimension)
    AcDbAlignedDimension() = default;
    AcDbAlignedDimension(const AcGePoint3d& xLine1, const AcGePoint3d& xLine2,
                         const AcGePoint3d& dimLine, const char* text = nullptr,
                         AcDbObjectId style = AcDbObjectId::kNull);
    AcGePoint3d xLine1Point() const;
    Acad::ErrorStatus setXLine1Point(const AcGePoint3d& p);
    AcGePoint3d xLine2Point() const;
    Acad::ErrorStatus setXLine2Point(const AcGePoint3d& p);
    AcGePoint3d dimLinePoint() const;
    Acad::ErrorStatus setDimLinePoint(const AcGePoint3d& p);
    double oblique() const;
    Acad::ErrorStatus setOblique(double o);
    double measurement() const override; // distance of the two extension-line points
    VELD_DECLARE_STATE_COPY

private:
    AcGePoint3d xLine1_, xLine2_, dimLine_;
    double oblique_ = 0.0;
};
