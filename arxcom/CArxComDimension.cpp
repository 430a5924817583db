// Aligned dimensions with a named dimension style.
#include "arxcom/CArxComDimension.h"

#include "arxcom/ArxOpened.h"
#include "arxcom/CArxComGeo.h"
#include "dbdim.h"

CArxComDimension::CArxComDimension(const char* styleName)
    : dimStyleName(styleName != nullptr && *styleName != '\0' ? styleName : "STANDARD") {}

CArxComDimension::~CArxComDimension() = default;

std::string CArxComDimension::GetDimStyleName() const {
    return dimStyleName;
}

void CArxComDimension::AddAlignedDimension(AcDbObjectId& id, const AcGePoint3d& dimLinePoint,
                                           const AcGePoint3d& xLine1Point,
                                           const AcGePoint3d& xLine2Point, const char* text) {
    ArxOpened<AcDbAlignedDimension> dimension(new AcDbAlignedDimension);
    dimension->setDimLinePoint(dimLinePoint);
    dimension->setXLine1Point(xLine1Point);
    dimension->setXLine2Point(xLine2Point);
    dimension->setDimensionStyle(FindDimStyle(dimStyleName.c_str()));
    dimension->setLayer(layer.c_str());
    dimension->setTextLineSpacingFactor(3.0 * spacingBase);
    if (text != nullptr && *text != '\0') {
        dimension->setDimensionText(text);
    }
    const bool appended = ApplyPropertiesAndAppend(dimension.get()) == Acad::eOk;
    dimension.close();
    id = appended ? lastId : AcDbObjectId::kNull;
}

void CArxComDimension::GetDimensionLinePoint(const AcGePoint3d& first, const AcGePoint3d& second,
                                             double offset, AcGePoint3d& point) const {
    const CArxComGeo geo;
    AcGePoint3d midpoint;
    double angle = 0.0;
    double halfLength = 0.0;
    geo.GetSegmentMidpoint(first, second, midpoint, angle, halfLength);
    angle += geo.DegToRad(90.0);
    if (angle > geo.DegToRad(360.0)) {
        angle -= geo.DegToRad(360.0);
    }
    point = midpoint;
    geo.GetPolarPoint(midpoint, angle, offset, point);
}
