// AcDbLine.
#include "SetterSupport.h"
#include "dbents.h"

ACRX_DEFINE_MEMBERS(AcDbLine, AcDbCurve)

AcGePoint3d AcDbLine::startPoint() const {
    return start_;
}
AcGePoint3d AcDbLine::endPoint() const {
    return end_;
}
Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& p) {
    VELD_SET_FINITE(start_, p);
}
Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& p) {
    VELD_SET_FINITE(end_, p);
}

AcDbObject* AcDbLine::cloneState() const {
    auto* copy = new AcDbLine(start_, end_);
    copy->copyEntityState(*this);
    return copy;
}

void AcDbLine::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbLine&>(saved);
    copyEntityState(from);
    start_ = from.start_;
    end_ = from.end_;
}
