// Objects kept as read: their type name and tags, journaled like any other change.
#include "RawObjects.h"

#include "ObjectAccess.h"
#include "SetterSupport.h"

ACRX_DEFINE_MEMBERS(AcDbRawEntity, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbRawObject, AcDbObject)
ACRX_DEFINE_MEMBERS(AcDbRawSymbolTable, AcDbSymbolTable)
ACRX_DEFINE_MEMBERS(AcDbRawTableRecord, AcDbSymbolTableRecord)

#define VELD_DEFINE_RAW_TAGS(CLASS)                                                                \
    Acad::ErrorStatus CLASS::setTags(std::string dxfType, veld::db::Tags tags) {                   \
        VELD_WRITE_OR_RETURN();                                                                    \
        dxfType_ = std::move(dxfType);                                                             \
        tags_ = veld::db::RawTags(std::move(tags));                                                \
        return Acad::eOk;                                                                          \
    }

VELD_DEFINE_RAW_TAGS(AcDbRawEntity)
VELD_DEFINE_RAW_TAGS(AcDbRawObject)
VELD_DEFINE_RAW_TAGS(AcDbRawSymbolTable)
VELD_DEFINE_RAW_TAGS(AcDbRawTableRecord)

AcDbObject* AcDbRawEntity::cloneState() const {
    auto* copy = new AcDbRawEntity(dxfType_, tags_);
    copy->copyEntityState(*this);
    return copy;
}

void AcDbRawEntity::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbRawEntity&>(saved);
    copyEntityState(from);
    dxfType_ = from.dxfType_;
    tags_ = from.tags_;
}

AcDbObject* AcDbRawObject::cloneState() const {
    auto* copy = new AcDbRawObject(dxfType_, tags_);
    copy->copyBaseState(*this);
    return copy;
}

void AcDbRawObject::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbRawObject&>(saved);
    copyBaseState(from);
    dxfType_ = from.dxfType_;
    tags_ = from.tags_;
}

AcDbObject* AcDbRawSymbolTable::cloneState() const {
    auto* copy = new AcDbRawSymbolTable(dxfType_, tags_);
    copy->copyBaseState(*this);
    return copy;
}

void AcDbRawSymbolTable::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbRawSymbolTable&>(saved);
    copyBaseState(from);
    dxfType_ = from.dxfType_;
    tags_ = from.tags_;
}

AcDbRawTableRecord::AcDbRawTableRecord(std::string dxfType, const std::string& name,
                                       veld::db::RawTags tags)
    : dxfType_(std::move(dxfType)), tags_(std::move(tags)) {
    veld::db::ObjectAccess::recordName(*this) = name;
}

AcDbObject* AcDbRawTableRecord::cloneState() const {
    auto* copy = new AcDbRawTableRecord;
    copy->restoreState(*this);
    return copy;
}

void AcDbRawTableRecord::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbRawTableRecord&>(saved);
    copyRecordState(from);
    dxfType_ = from.dxfType_;
    tags_ = from.tags_;
}
