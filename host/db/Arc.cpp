// AcDbArc: counter-clockwise from the start angle to the end angle.
#include "SetterSupport.h"
#include "dbents.h"

ACRX_DEFINE_MEMBERS(AcDbArc, AcDbCurve)

AcGePoint3d AcDbArc::center() const {
    return center_;
}
Acad::ErrorStatus AcDbArc::setCenter(const AcGePoint3d& c) {
    VELD_SET_FINITE(center_, c);
}
double AcDbArc::radius() const {
    return radius_;
}

Acad::ErrorStatus AcDbArc::setRadius(double r) {
    if (!(r > 0.0)) {
        return Acad::eInvalidInput;
    }
    VELD_SET_FINITE(radius_, r);
}

double AcDbArc::startAngle() const {
    return start_;
}
Acad::ErrorStatus AcDbArc::setStartAngle(double a) {
    VELD_SET_FINITE(start_, a);
}
double AcDbArc::endAngle() const {
    return end_;
}
Acad::ErrorStatus AcDbArc::setEndAngle(double a) {
    VELD_SET_FINITE(end_, a);
}

AcGeVector3d AcDbArc::normal() const {
    return normal_;
}
Acad::ErrorStatus AcDbArc::setNormal(const AcGeVector3d& n) {
    VELD_SET_NORMAL(normal_, n);
}

AcDbObject* AcDbArc::cloneState() const {
    auto* copy = new AcDbArc(center_, radius_, start_, end_);
    copy->copyEntityState(*this);
    copy->normal_ = normal_;
    return copy;
}

void AcDbArc::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbArc&>(saved);
    copyEntityState(from);
    center_ = from.center_;
    radius_ = from.radius_;
    start_ = from.start_;
    end_ = from.end_;
    normal_ = from.normal_;
}
