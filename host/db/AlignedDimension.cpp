// AcDbAlignedDimension: measures the distance of its two extension-line points.
#include "SetterSupport.h"
#include "dbdim.h"

ACRX_DEFINE_MEMBERS(AcDbAlignedDimension, AcDbDimension)

AcDbAlignedDimension::AcDbAlignedDimension(const AcGePoint3d& xLine1, const AcGePoint3d& xLine2,
                                           const AcGePoint3d& dimLine, const char* text,
                                           AcDbObjectId style)
    : xLine1_(xLine1), xLine2_(xLine2), dimLine_(dimLine) {
    if (text != nullptr) {
        setDimensionText(text);
    }
    if (!style.isNull()) {
        setDimensionStyle(style);
    }
}

AcGePoint3d AcDbAlignedDimension::xLine1Point() const {
    return xLine1_;
}
Acad::ErrorStatus AcDbAlignedDimension::setXLine1Point(const AcGePoint3d& p) {
    VELD_SET_FINITE(xLine1_, p);
}
AcGePoint3d AcDbAlignedDimension::xLine2Point() const {
    return xLine2_;
}
Acad::ErrorStatus AcDbAlignedDimension::setXLine2Point(const AcGePoint3d& p) {
    VELD_SET_FINITE(xLine2_, p);
}
AcGePoint3d AcDbAlignedDimension::dimLinePoint() const {
    return dimLine_;
}
Acad::ErrorStatus AcDbAlignedDimension::setDimLinePoint(const AcGePoint3d& p) {
    VELD_SET_FINITE(dimLine_, p);
}
double AcDbAlignedDimension::oblique() const {
    return oblique_;
}
Acad::ErrorStatus AcDbAlignedDimension::setOblique(double o) {
    VELD_SET_FINITE(oblique_, o);
}

double AcDbAlignedDimension::measurement() const {
    return xLine1_.distanceTo(xLine2_);
}

AcDbObject* AcDbAlignedDimension::cloneState() const {
    auto* copy = new AcDbAlignedDimension;
    copy->restoreState(*this);
    return copy;
}

void AcDbAlignedDimension::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbAlignedDimension&>(saved);
    copyDimensionState(from);
    xLine1_ = from.xLine1_;
    xLine2_ = from.xLine2_;
    dimLine_ = from.dimLine_;
    oblique_ = from.oblique_;
}
