// AcDbDimStyleTableRecord: the dimension variables the geometry computation reads.
#include "ObjectAccess.h"
#include "SetterSupport.h"

ACRX_DEFINE_MEMBERS(AcDbDimStyleTableRecord, AcDbSymbolTableRecord)

// Sizes are finite and not negative.
#define VELD_SET_SIZE(member, value)                                                               \
    if (value < 0.0) {                                                                             \
        return Acad::eInvalidInput;                                                                \
    }                                                                                              \
    VELD_SET_FINITE(member, value);

Acad::ErrorStatus AcDbDimStyleTableRecord::setDimasz(double v){
    VELD_SET_SIZE(dimasz_, v)} Acad::ErrorStatus AcDbDimStyleTableRecord::setDimexe(double v){
    VELD_SET_SIZE(dimexe_, v)} Acad::ErrorStatus AcDbDimStyleTableRecord::setDimexo(double v){
    VELD_SET_SIZE(dimexo_, v)} Acad::ErrorStatus AcDbDimStyleTableRecord::setDimgap(double v) {
    VELD_SET_FINITE(dimgap_, v);
}
Acad::ErrorStatus AcDbDimStyleTableRecord::setDimtxt(double v){
    VELD_SET_SIZE(dimtxt_, v)} Acad::ErrorStatus AcDbDimStyleTableRecord::setDimscale(double v){
    VELD_SET_SIZE(dimscale_, v)} Acad::ErrorStatus AcDbDimStyleTableRecord::setDimtsz(double v){
    VELD_SET_SIZE(dimtsz_, v)}

Acad::ErrorStatus AcDbDimStyleTableRecord::setDimdec(int v) {
    if (v < 0 || v > 8) {
        return Acad::eInvalidInput;
    }
    VELD_WRITE_OR_RETURN();
    dimdec_ = v;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimStyleTableRecord::setDimtad(bool v) {
    VELD_WRITE_OR_RETURN();
    dimtad_ = v;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimStyleTableRecord::setDimtxsty(AcDbObjectId v) {
    if (!v.isNull() && AcDbTextStyleTableRecord::cast(veld::db::liveObject(v.stub())) == nullptr) {
        return Acad::eWrongObjectType;
    }
    VELD_WRITE_OR_RETURN();
    dimtxsty_ = v;
    return Acad::eOk;
}

AcDbObject* AcDbDimStyleTableRecord::cloneState() const {
    auto* copy = new AcDbDimStyleTableRecord;
    copy->restoreState(*this);
    return copy;
}

void AcDbDimStyleTableRecord::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbDimStyleTableRecord&>(saved);
    copyRecordState(from);
    dimasz_ = from.dimasz_;
    dimexe_ = from.dimexe_;
    dimexo_ = from.dimexo_;
    dimgap_ = from.dimgap_;
    dimtxt_ = from.dimtxt_;
    dimscale_ = from.dimscale_;
    dimtsz_ = from.dimtsz_;
    dimdec_ = from.dimdec_;
    dimtad_ = from.dimtad_;
    dimtxsty_ = from.dimtxsty_;
}
