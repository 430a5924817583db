// AcDbText: single-line text.
#include "ObjectAccess.h"
#include "SetterSupport.h"
#include "dbsymtb.h"

ACRX_DEFINE_MEMBERS(AcDbText, AcDbEntity)

AcDbText::AcDbText(const AcGePoint3d& position, const char* text, AcDbObjectId style, double height,
                   double rotation)
    : position_(position), alignment_(position), height_(height), rotation_(rotation),
      text_(text != nullptr ? text : ""), style_(style) {}

AcGePoint3d AcDbText::position() const {
    return position_;
}
Acad::ErrorStatus AcDbText::setPosition(const AcGePoint3d& p) {
    VELD_SET_FINITE(position_, p);
}
AcGePoint3d AcDbText::alignmentPoint() const {
    return alignment_;
}
Acad::ErrorStatus AcDbText::setAlignmentPoint(const AcGePoint3d& p) {
    VELD_SET_FINITE(alignment_, p);
}
double AcDbText::height() const {
    return height_;
}
Acad::ErrorStatus AcDbText::setHeight(double h) {
    if (h < 0.0) {
        return Acad::eInvalidInput;
    }
    VELD_SET_FINITE(height_, h);
}
double AcDbText::rotation() const {
    return rotation_;
}
Acad::ErrorStatus AcDbText::setRotation(double r) {
    VELD_SET_FINITE(rotation_, r);
}
double AcDbText::oblique() const {
    return oblique_;
}
Acad::ErrorStatus AcDbText::setOblique(double o) {
    VELD_SET_FINITE(oblique_, o);
}
double AcDbText::widthFactor() const {
    return widthFactor_;
}
Acad::ErrorStatus AcDbText::setWidthFactor(double w) {
    if (!(w > 0.0)) {
        return Acad::eInvalidInput;
    }
    VELD_SET_FINITE(widthFactor_, w);
}
std::string AcDbText::textString() const {
    return text_;
}

Acad::ErrorStatus AcDbText::setTextString(const char* text) {
    VELD_WRITE_OR_RETURN();
    text_ = text != nullptr ? text : "";
    return Acad::eOk;
}

AcDbObjectId AcDbText::textStyle() const {
    return style_;
}

Acad::ErrorStatus AcDbText::setTextStyle(AcDbObjectId style) {
    if (!style.isNull() &&
        AcDbTextStyleTableRecord::cast(veld::db::liveObject(style.stub())) == nullptr) {
        return Acad::eWrongObjectType;
    }
    VELD_WRITE_OR_RETURN();
    style_ = style;
    return Acad::eOk;
}

AcDb::TextHorzMode AcDbText::horizontalMode() const {
    return horz_;
}

Acad::ErrorStatus AcDbText::setHorizontalMode(AcDb::TextHorzMode mode) {
    if (mode < AcDb::kTextLeft || mode > AcDb::kTextFit) {
        return Acad::eInvalidInput;
    }
    VELD_WRITE_OR_RETURN();
    horz_ = mode;
    return Acad::eOk;
}

AcDb::TextVertMode AcDbText::verticalMode() const {
    return vert_;
}

Acad::ErrorStatus AcDbText::setVerticalMode(AcDb::TextVertMode mode) {
    if (mode < AcDb::kTextBase || mode > AcDb::kTextTop) {
        return Acad::eInvalidInput;
    }
    VELD_WRITE_OR_RETURN();
    vert_ = mode;
    return Acad::eOk;
}

AcGeVector3d AcDbText::normal() const {
    return normal_;
}
Acad::ErrorStatus AcDbText::setNormal(const AcGeVector3d& n) {
    VELD_SET_NORMAL(normal_, n);
}

void AcDbText::copyTextState(const AcDbText& from) {
    copyEntityState(from);
    position_ = from.position_;
    alignment_ = from.alignment_;
    height_ = from.height_;
    rotation_ = from.rotation_;
    oblique_ = from.oblique_;
    widthFactor_ = from.widthFactor_;
    text_ = from.text_;
    style_ = from.style_;
    horz_ = from.horz_;
    vert_ = from.vert_;
    normal_ = from.normal_;
}

AcDbObject* AcDbText::cloneState() const {
    auto* copy = new AcDbText;
    copy->copyTextState(*this);
    return copy;
}

void AcDbText::restoreState(const AcDbObject& saved) {
    copyTextState(static_cast<const AcDbText&>(saved));
}
