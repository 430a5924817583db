// AcDbLayerTableRecord: colour, state flags and linetype of a layer.
#include "ObjectAccess.h"
#include "SetterSupport.h"

ACRX_DEFINE_MEMBERS(AcDbLayerTableRecord, AcDbSymbolTableRecord)

AcCmColor AcDbLayerTableRecord::color() const {
    return color_;
}

Acad::ErrorStatus AcDbLayerTableRecord::setColor(const AcCmColor& color) {
    // A layer cannot take its colour from a layer (256).
    if (color.colorIndex() > 255) {
        return Acad::eInvalidInput;
    }
    VELD_WRITE_OR_RETURN();
    color_ = color;
    return Acad::eOk;
}

#define VELD_SET_LAYER_FLAG(member, value)                                                         \
    VELD_WRITE_OR_RETURN();                                                                        \
    member = value;                                                                                \
    return Acad::eOk;

bool AcDbLayerTableRecord::isOff() const {
    return off_;
}
Acad::ErrorStatus AcDbLayerTableRecord::setIsOff(bool off) {
    VELD_SET_LAYER_FLAG(off_, off)
}
bool AcDbLayerTableRecord::isFrozen() const {
    return frozen_;
}
Acad::ErrorStatus AcDbLayerTableRecord::setIsFrozen(bool frozen) {
    VELD_SET_LAYER_FLAG(frozen_, frozen)
}
bool AcDbLayerTableRecord::isLocked() const {
    return locked_;
}
Acad::ErrorStatus AcDbLayerTableRecord::setIsLocked(bool locked) {
    VELD_SET_LAYER_FLAG(locked_, locked)
}
bool AcDbLayerTableRecord::isPlottable() const {
    return plottable_;
}
Acad::ErrorStatus AcDbLayerTableRecord::setIsPlottable(bool plot){
    VELD_SET_LAYER_FLAG(plottable_, plot)}

AcDbObjectId AcDbLayerTableRecord::linetypeObjectId() const {
    return linetype_;
}

Acad::ErrorStatus AcDbLayerTableRecord::setLinetypeObjectId(AcDbObjectId linetype) {
    if (AcDbLinetypeTableRecord::cast(veld::db::liveObject(linetype.stub())) == nullptr) {
        return linetype.isNull() ? Acad::eNullObjectId : Acad::eWrongObjectType;
    }
    VELD_WRITE_OR_RETURN();
    linetype_ = linetype;
    return Acad::eOk;
}

AcDbObject* AcDbLayerTableRecord::cloneState() const {
    auto* copy = new AcDbLayerTableRecord;
    copy->restoreState(*this);
    return copy;
}

void AcDbLayerTableRecord::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbLayerTableRecord&>(saved);
    copyRecordState(from);
    color_ = from.color_;
    off_ = from.off_;
    frozen_ = from.frozen_;
    locked_ = from.locked_;
    plottable_ = from.plottable_;
    linetype_ = from.linetype_;
}
