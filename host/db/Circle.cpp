// AcDbCircle.
#include "SetterSupport.h"
#include "dbents.h"

ACRX_DEFINE_MEMBERS(AcDbCircle, AcDbCurve)

AcGePoint3d AcDbCircle::center() const {
    return center_;
}
Acad::ErrorStatus AcDbCircle::setCenter(const AcGePoint3d& c) {
    VELD_SET_FINITE(center_, c);
}
double AcDbCircle::radius() const {
    return radius_;
}

Acad::ErrorStatus AcDbCircle::setRadius(double r) {
    if (!(r > 0.0)) {
        return Acad::eInvalidInput;
    }
    VELD_SET_FINITE(radius_, r);
}

AcGeVector3d AcDbCircle::normal() const {
    return normal_;
}
Acad::ErrorStatus AcDbCircle::setNormal(const AcGeVector3d& n) {
    VELD_SET_NORMAL(normal_, n);
}

AcDbObject* AcDbCircle::cloneState() const {
    auto* copy = new AcDbCircle(center_, radius_);
    copy->copyEntityState(*this);
    copy->normal_ = normal_;
    return copy;
}

void AcDbCircle::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbCircle&>(saved);
    copyEntityState(from);
    center_ = from.center_;
    radius_ = from.radius_;
    normal_ = from.normal_;
}
