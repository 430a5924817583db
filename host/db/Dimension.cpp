// AcDbDimension: what every dimension has (style, text, text position, geometry block).
#include "ObjectAccess.h"
#include "SetterSupport.h"
#include "dbdim.h"
#include "dbsymtb.h"

ACRX_DEFINE_MEMBERS(AcDbDimension, AcDbEntity)

AcDbObjectId AcDbDimension::dimensionStyle() const {
    return style_;
}

Acad::ErrorStatus AcDbDimension::setDimensionStyle(AcDbObjectId style) {
    if (!style.isNull() &&
        AcDbDimStyleTableRecord::cast(veld::db::liveObject(style.stub())) == nullptr) {
        return Acad::eWrongObjectType;
    }
    VELD_WRITE_OR_RETURN();
    style_ = style;
    return Acad::eOk;
}

std::string AcDbDimension::dimensionText() const {
    return text_;
}

Acad::ErrorStatus AcDbDimension::setDimensionText(const char* text) {
    VELD_WRITE_OR_RETURN();
    text_ = text != nullptr ? text : "";
    return Acad::eOk;
}

double AcDbDimension::textLineSpacingFactor() const {
    return lineSpacing_;
}

Acad::ErrorStatus AcDbDimension::setTextLineSpacingFactor(double factor) {
    VELD_SET_FINITE(lineSpacing_, factor);
}

AcGePoint3d AcDbDimension::textPosition() const {
    return textPosition_;
}

Acad::ErrorStatus AcDbDimension::setTextPosition(const AcGePoint3d& p) {
    if (!veld::db::isFinite(p)) {
        return Acad::eInvalidInput;
    }
    VELD_WRITE_OR_RETURN();
    textPosition_ = p;
    userTextPosition_ = true;
    return Acad::eOk;
}

bool AcDbDimension::isUsingDefaultTextPosition() const {
    return !userTextPosition_;
}
AcDbObjectId AcDbDimension::dimBlockId() const {
    return block_;
}

Acad::ErrorStatus AcDbDimension::setDimBlockId(AcDbObjectId block) {
    if (!block.isNull() &&
        AcDbBlockTableRecord::cast(veld::db::liveObject(block.stub())) == nullptr) {
        return Acad::eWrongObjectType;
    }
    VELD_WRITE_OR_RETURN();
    block_ = block;
    return Acad::eOk;
}

void AcDbDimension::copyDimensionState(const AcDbDimension& from) {
    copyEntityState(from);
    style_ = from.style_;
    text_ = from.text_;
    lineSpacing_ = from.lineSpacing_;
    textPosition_ = from.textPosition_;
    userTextPosition_ = from.userTextPosition_;
    block_ = from.block_;
}
