// AcDbAttribute: an attribute of a block reference.
#include "SetterSupport.h"
#include "dbents.h"

ACRX_DEFINE_MEMBERS(AcDbAttribute, AcDbText)

std::string AcDbAttribute::tag() const {
    return tag_;
}

Acad::ErrorStatus AcDbAttribute::setTag(const char* tag) {
    if (tag == nullptr || *tag == '\0') {
        return Acad::eInvalidInput;
    }
    VELD_WRITE_OR_RETURN();
    tag_ = tag;
    return Acad::eOk;
}

bool AcDbAttribute::isInvisible() const {
    return invisible_;
}

Acad::ErrorStatus AcDbAttribute::setInvisible(bool on) {
    VELD_WRITE_OR_RETURN();
    invisible_ = on;
    return Acad::eOk;
}

namespace {

// The uniform scale and the rotation of a block transform, read from its X axis.
void scaleAndRotation(const AcGeMatrix3d& m, double& scale, double& rotation) {
    AcGeVector3d x(1.0, 0.0, 0.0);
    x.transformBy(m);
    scale = std::hypot(x.x, x.y);
    rotation = std::atan2(x.y, x.x);
}

// The direction of a text at `rotation` in the plane of `from`, placed by `m`, as an angle in the
// plane of `to`.
double placedRotation(double rotation, const AcGeVector3d& from, const AcGeMatrix3d& m,
                      const AcGeVector3d& to) {
    AcGeVector3d along(std::cos(rotation), std::sin(rotation), 0.0);
    along.transformBy(AcGeMatrix3d::planeToWorld(from));
    along.transformBy(m);
    along.transformBy(AcGeMatrix3d::worldToPlane(to));
    return std::atan2(along.y, along.x);
}

} // namespace

Acad::ErrorStatus AcDbAttribute::setAttributeFromBlock(const AcDbAttributeDefinition* def,
                                                       const AcGeMatrix3d& blockXform) {
    if (def == nullptr) {
        return Acad::eNullObjectPointer;
    }
    VELD_WRITE_OR_RETURN();
    double scale = 1.0, rotation = 0.0;
    scaleAndRotation(blockXform, scale, rotation);
    AcGePoint3d position = def->position(), alignment = def->alignmentPoint();
    setPosition(position.transformBy(blockXform));
    setAlignmentPoint(alignment.transformBy(blockXform));
    setHeight(def->height() * scale);
    // A reference with a normal of its own puts the definition's plane in another one.
    AcGeVector3d normal = def->normal();
    normal.transformBy(blockXform);
    const AcGeVector3d unit = normal.normal();
    const bool upright = std::fabs(unit.x) < 1e-12 && std::fabs(unit.y) < 1e-12 && unit.z > 0.0;
    if (upright && def->normal() == AcGeVector3d::kZAxis) {
        setRotation(def->rotation() + rotation);
    } else {
        setNormal(normal);
        setRotation(placedRotation(def->rotation(), def->normal(), blockXform, this->normal()));
    }
    setOblique(def->oblique());
    setWidthFactor(def->widthFactor());
    setTextStyle(def->textStyle());
    setHorizontalMode(def->horizontalMode());
    setVerticalMode(def->verticalMode());
    setTextString(def->textString().c_str());
    if (!def->layerId().isNull() && def->layerId().database() == database()) {
        setLayer(def->layerId());
    }
    setColor(def->color());
    tag_ = def->tag();
    invisible_ = def->isInvisible();
    return Acad::eOk;
}

AcDbObject* AcDbAttribute::cloneState() const {
    auto* copy = new AcDbAttribute;
    copy->restoreState(*this);
    return copy;
}

void AcDbAttribute::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbAttribute&>(saved);
    copyTextState(from);
    tag_ = from.tag_;
    invisible_ = from.invisible_;
}
