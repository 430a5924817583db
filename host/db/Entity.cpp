// AcDbEntity: the properties every entity has (layer, colour, linetype, linetype scale).
#include "ObjectAccess.h"
#include "SetterSupport.h"
#include "dbsymtb.h"

ACRX_DEFINE_MEMBERS(AcDbEntity, AcDbObject)
ACRX_DEFINE_MEMBERS(AcDbCurve, AcDbEntity)

using veld::db::liveObject;
using veld::db::ObjectAccess;

namespace {

// The database whose tables name the entity's layer and linetype.
AcDbDatabase* tablesFor(const AcDbEntity& entity) {
    AcDbDatabase* db = entity.database();
    return db != nullptr ? db : acdbHostApplicationServices()->workingDatabase();
}

AcDbObjectId findRecordId(AcDbObjectId tableId, const char* name) {
    auto* table = AcDbSymbolTable::cast(liveObject(tableId.stub()));
    if (table == nullptr || name == nullptr) {
        return AcDbObjectId::kNull;
    }
    return AcDbObjectId(ObjectAccess::findRecord(*table, name, false));
}

std::string nameOf(AcDbObjectId recordId, const char* fallback) {
    auto* record = AcDbSymbolTableRecord::cast(liveObject(recordId.stub()));
    return record != nullptr ? record->name() : std::string(fallback);
}

// A record id an entity may take: of the right class, not erased.
Acad::ErrorStatus checkRecord(AcDbObjectId id, const AcRxClass* cls) {
    if (id.isNull()) {
        return Acad::eNullObjectId;
    }
    AcDbObject* object = liveObject(id.stub());
    if (object == nullptr) {
        return Acad::ePermanentlyErased;
    }
    if (!object->isKindOf(cls)) {
        return Acad::eWrongObjectType;
    }
    return id.stub()->erased ? Acad::eWasErased : Acad::eOk;
}

} // namespace

AcDbEntity::AcDbEntity() = default;
AcDbEntity::~AcDbEntity() = default;

AcDbObjectId AcDbEntity::blockId() const {
    for (AcDbStub* owner = objectId().isNull() ? nullptr : objectId().stub()->owner;
         owner != nullptr; owner = owner->owner) {
        if (AcDbBlockTableRecord::cast(liveObject(owner)) != nullptr) {
            return AcDbObjectId(owner);
        }
    }
    return AcDbObjectId::kNull;
}

Acad::ErrorStatus AcDbEntity::setLayer(const char* layerName) {
    if (!ObjectAccess::canWrite(*this)) {
        return Acad::eNotOpenForWrite;
    }
    AcDbDatabase* db = tablesFor(*this);
    const AcDbObjectId id =
        db != nullptr ? findRecordId(db->layerTableId(), layerName) : AcDbObjectId::kNull;
    if (id.isNull()) {
        return Acad::eKeyNotFound;
    }
    VELD_WRITE_OR_RETURN();
    layer_ = id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId layerId) {
    const Acad::ErrorStatus es = checkRecord(layerId, AcDbLayerTableRecord::desc());
    if (es != Acad::eOk) {
        return es;
    }
    VELD_WRITE_OR_RETURN();
    layer_ = layerId;
    return Acad::eOk;
}

std::string AcDbEntity::layer() const {
    return nameOf(layer_, "0");
}
AcDbObjectId AcDbEntity::layerId() const {
    return layer_;
}

Acad::ErrorStatus AcDbEntity::setColor(const AcCmColor& color) {
    if (color.colorIndex() > 256) {
        return Acad::eInvalidInput;
    }
    VELD_WRITE_OR_RETURN();
    color_ = color;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setColorIndex(Adesk::UInt16 index) {
    AcCmColor color;
    color.setColorIndex(index);
    return setColor(color);
}

AcCmColor AcDbEntity::color() const {
    return color_;
}
Adesk::UInt16 AcDbEntity::colorIndex() const {
    return color_.colorIndex();
}

Acad::ErrorStatus AcDbEntity::setLinetype(const char* linetypeName) {
    if (!ObjectAccess::canWrite(*this)) {
        return Acad::eNotOpenForWrite;
    }
    AcDbDatabase* db = tablesFor(*this);
    const AcDbObjectId id =
        db != nullptr ? findRecordId(db->linetypeTableId(), linetypeName) : AcDbObjectId::kNull;
    if (id.isNull()) {
        return Acad::eKeyNotFound;
    }
    VELD_WRITE_OR_RETURN();
    linetype_ = id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLinetype(AcDbObjectId linetypeId) {
    const Acad::ErrorStatus es = checkRecord(linetypeId, AcDbLinetypeTableRecord::desc());
    if (es != Acad::eOk) {
        return es;
    }
    VELD_WRITE_OR_RETURN();
    linetype_ = linetypeId;
    return Acad::eOk;
}

std::string AcDbEntity::linetype() const {
    return nameOf(linetype_, "ByLayer");
}
AcDbObjectId AcDbEntity::linetypeId() const {
    return linetype_;
}

Acad::ErrorStatus AcDbEntity::setLinetypeScale(double scale) {
    if (!(scale > 0.0) || !std::isfinite(scale)) {
        return Acad::eInvalidInput;
    }
    VELD_WRITE_OR_RETURN();
    linetypeScale_ = scale;
    return Acad::eOk;
}

double AcDbEntity::linetypeScale() const {
    return linetypeScale_;
}

void AcDbEntity::copyEntityState(const AcDbEntity& from) {
    copyBaseState(from);
    layer_ = from.layer_;
    linetype_ = from.linetype_;
    linetypeScale_ = from.linetypeScale_;
    color_ = from.color_;
}
