// AcDbBlockReference: an inserted block with its attributes.
#include "DatabaseImpl.h"
#include "ObjectAccess.h"
#include "SetterSupport.h"
#include "dbsymtb.h"

ACRX_DEFINE_MEMBERS(AcDbBlockReference, AcDbEntity)

using veld::db::ObjectAccess;

AcGePoint3d AcDbBlockReference::position() const {
    return position_;
}
Acad::ErrorStatus AcDbBlockReference::setPosition(const AcGePoint3d& p) {
    VELD_SET_FINITE(position_, p);
}
AcDbObjectId AcDbBlockReference::blockTableRecord() const {
    return block_;
}

Acad::ErrorStatus AcDbBlockReference::setBlockTableRecord(AcDbObjectId block) {
    if (AcDbBlockTableRecord::cast(veld::db::liveObject(block.stub())) == nullptr) {
        return block.isNull() ? Acad::eNullObjectId : Acad::eWrongObjectType;
    }
    VELD_WRITE_OR_RETURN();
    block_ = block;
    return Acad::eOk;
}

AcGeScale3d AcDbBlockReference::scaleFactors() const {
    return scale_;
}

Acad::ErrorStatus AcDbBlockReference::setScaleFactors(const AcGeScale3d& scale) {
    const double factors[3] = {scale.sx, scale.sy, scale.sz};
    for (double f : factors) {
        if (f == 0.0 || !std::isfinite(f)) {
            return Acad::eInvalidInput;
        }
    }
    VELD_WRITE_OR_RETURN();
    scale_ = scale;
    return Acad::eOk;
}

double AcDbBlockReference::rotation() const {
    return rotation_;
}
Acad::ErrorStatus AcDbBlockReference::setRotation(double r) {
    VELD_SET_FINITE(rotation_, r);
}

AcGeVector3d AcDbBlockReference::normal() const {
    return normal_;
}
Acad::ErrorStatus AcDbBlockReference::setNormal(const AcGeVector3d& n) {
    VELD_SET_NORMAL(normal_, n);
}

AcGeMatrix3d AcDbBlockReference::blockTransform() const {
    AcGePoint3d origin;
    if (auto* block = AcDbBlockTableRecord::cast(veld::db::liveObject(block_.stub()))) {
        origin = block->origin();
    }
    AcGeMatrix3d scale;
    scale.entry[0][0] = scale_.sx;
    scale.entry[1][1] = scale_.sy;
    scale.entry[2][2] = scale_.sz;
    return AcGeMatrix3d::translation(position_.asVector()) * AcGeMatrix3d::planeToWorld(normal_) *
           AcGeMatrix3d::rotation(rotation_, AcGeVector3d::kZAxis) * scale *
           AcGeMatrix3d::translation(-origin.asVector());
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbAttribute* attribute) {
    AcDbObjectId id;
    return appendAttribute(id, attribute);
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbObjectId& id, AcDbAttribute* attribute) {
    id = AcDbObjectId::kNull;
    AcDbStub* stub = nullptr;
    const Acad::ErrorStatus es = ObjectAccess::addOwnedEntity(*this, attribute, stub);
    if (es != Acad::eOk) {
        return es;
    }
    id = AcDbObjectId(stub);
    attributes_.append(id);
    return Acad::eOk;
}

AcDbObjectIdArray AcDbBlockReference::attributeIds() const {
    AcDbObjectIdArray ids;
    for (const AcDbObjectId& id : attributes_) {
        if (id.isValid() && !id.stub()->erased) {
            ids.append(id);
        }
    }
    return ids;
}

AcDbObjectIterator* AcDbBlockReference::attributeIterator() const {
    return new AcDbObjectIterator(attributeIds());
}

// The attribute list is not part of the state: its changes are journaled as creations.
AcDbObject* AcDbBlockReference::cloneState() const {
    auto* copy = new AcDbBlockReference(position_, block_);
    copy->restoreState(*this);
    return copy;
}

void AcDbBlockReference::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbBlockReference&>(saved);
    copyEntityState(from);
    position_ = from.position_;
    block_ = from.block_;
    scale_ = from.scale_;
    rotation_ = from.rotation_;
    normal_ = from.normal_;
}
