// AcDbPoint.
#include "SetterSupport.h"
#include "dbents.h"

ACRX_DEFINE_MEMBERS(AcDbPoint, AcDbEntity)

AcGePoint3d AcDbPoint::position() const {
    return position_;
}
Acad::ErrorStatus AcDbPoint::setPosition(const AcGePoint3d& p) {
    VELD_SET_FINITE(position_, p);
}

AcDbObject* AcDbPoint::cloneState() const {
    auto* copy = new AcDbPoint(position_);
    copy->copyEntityState(*this);
    return copy;
}

void AcDbPoint::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbPoint&>(saved);
    copyEntityState(from);
    position_ = from.position_;
}
