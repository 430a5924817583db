// AcDbDatabase: the tables and dictionaries of a drawing, its current settings and handle
// lookup. The host-internal side lives in DatabaseImpl.
#include "DatabaseImpl.h"
#include "DefaultDrawing.h"
#include "ObjectAccess.h"
#include "dbdict.h"
#include "dbsymtb.h"

using veld::db::liveObject;

ACRX_DEFINE_MEMBERS(AcDbDatabase, AcRxObject)

namespace {

// The id when it names a live, unerased object; else the fallback.
AcDbObjectId usableOr(AcDbObjectId id, AcDbObjectId fallback) {
    return id.isValid() && !id.stub()->erased ? id : fallback;
}

} // namespace

AcDbDatabase::AcDbDatabase(bool buildDefaultDrawing, bool /*noDocument*/)
    : impl_(std::make_unique<veld::db::DatabaseImpl>(*this)) {
    if (buildDefaultDrawing) {
        veld::db::buildDefaultDrawing(*this);
    }
}

AcDbDatabase::~AcDbDatabase() = default;

Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode) {
    return acdbOpenObject(table, blockTableId(), mode);
}
Acad::ErrorStatus AcDbDatabase::getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode) {
    return acdbOpenObject(table, layerTableId(), mode);
}
Acad::ErrorStatus AcDbDatabase::getLinetypeTable(AcDbLinetypeTable*& table, AcDb::OpenMode mode) {
    return acdbOpenObject(table, linetypeTableId(), mode);
}
Acad::ErrorStatus AcDbDatabase::getTextStyleTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode) {
    return acdbOpenObject(table, textStyleTableId(), mode);
}
Acad::ErrorStatus AcDbDatabase::getDimStyleTable(AcDbDimStyleTable*& table, AcDb::OpenMode mode) {
    return acdbOpenObject(table, dimStyleTableId(), mode);
}
Acad::ErrorStatus AcDbDatabase::getRegAppTable(AcDbRegAppTable*& table, AcDb::OpenMode mode) {
    return acdbOpenObject(table, regAppTableId(), mode);
}
Acad::ErrorStatus AcDbDatabase::getNamedObjectsDictionary(AcDbDictionary*& dict,
                                                          AcDb::OpenMode mode) {
    return acdbOpenObject(dict, namedObjectsDictionaryId(), mode);
}
Acad::ErrorStatus AcDbDatabase::getGroupDictionary(AcDbDictionary*& dict, AcDb::OpenMode mode) {
    return acdbOpenObject(dict, groupDictionaryId(), mode);
}

AcDbObjectId AcDbDatabase::blockTableId() const {
    return impl_->ids().blockTable;
}
AcDbObjectId AcDbDatabase::layerTableId() const {
    return impl_->ids().layerTable;
}
AcDbObjectId AcDbDatabase::linetypeTableId() const {
    return impl_->ids().linetypeTable;
}
AcDbObjectId AcDbDatabase::textStyleTableId() const {
    return impl_->ids().textStyleTable;
}
AcDbObjectId AcDbDatabase::dimStyleTableId() const {
    return impl_->ids().dimStyleTable;
}
AcDbObjectId AcDbDatabase::regAppTableId() const {
    return impl_->ids().regAppTable;
}
AcDbObjectId AcDbDatabase::namedObjectsDictionaryId() const {
    return impl_->ids().namedObjects;
}
AcDbObjectId AcDbDatabase::groupDictionaryId() const {
    return impl_->ids().groupDictionary;
}
AcDbObjectId AcDbDatabase::modelSpaceId() const {
    return impl_->ids().modelSpace;
}
AcDbObjectId AcDbDatabase::paperSpaceId() const {
    return impl_->ids().paperSpace;
}

AcDbObjectId AcDbDatabase::currentSpaceId() const {
    return usableOr(impl_->ids().currentSpace, modelSpaceId());
}

AcDbObjectId AcDbDatabase::continuousLinetype() const {
    return impl_->ids().continuous;
}
AcDbObjectId AcDbDatabase::byLayerLinetype() const {
    return impl_->ids().byLayer;
}
AcDbObjectId AcDbDatabase::byBlockLinetype() const {
    return impl_->ids().byBlock;
}

AcDbObjectId AcDbDatabase::clayer() const {
    return usableOr(impl_->ids().clayer, impl_->ids().layerZero);
}

// The current layer must be a layer of this drawing that is not erased and not frozen.
Acad::ErrorStatus AcDbDatabase::setClayer(AcDbObjectId layerId) {
    if (layerId.isNull()) {
        return Acad::eNullObjectId;
    }
    if (layerId.database() != this) {
        return Acad::eWrongDatabase;
    }
    auto* layer = AcDbLayerTableRecord::cast(liveObject(layerId.stub()));
    if (layer == nullptr) {
        return Acad::eWrongObjectType;
    }
    if (layerId.stub()->erased) {
        return Acad::eWasErased;
    }
    if (layer->isFrozen()) {
        return Acad::eInvalidInput;
    }
    if (impl_->ids().clayer != layerId) {
        impl_->journal().recordCurrentLayer(impl_->ids().clayer.stub());
    }
    impl_->ids().clayer = layerId;
    return Acad::eOk;
}

AcDbObjectId AcDbDatabase::textstyle() const {
    return usableOr(impl_->ids().textstyle, impl_->ids().standardTextStyle);
}

AcDbObjectId AcDbDatabase::dimstyle() const {
    return usableOr(impl_->ids().dimstyle, impl_->ids().standardDimStyle);
}

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound,
                                                const AcDbHandle& handle, Adesk::UInt32) {
    id = AcDbObjectId::kNull;
    if (createIfNotFound) {
        return Acad::eInvalidInput;
    }
    if (handle.isNull()) {
        return Acad::eNullHandle;
    }
    AcDbStub* stub = impl_->findStub(handle.value());
    if (stub == nullptr || (stub->object == nullptr && !stub->gone)) {
        return Acad::eUnknownHandle;
    }
    if (stub->gone) {
        return Acad::ePermanentlyErased;
    }
    id = AcDbObjectId(stub);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObjectId& id, AcDbObject* object) {
    id = AcDbObjectId::kNull;
    if (object == nullptr) {
        return Acad::eNullObjectPointer;
    }
    if (veld::db::ObjectAccess::stub(*object) != nullptr) {
        return Acad::eAlreadyInDb;
    }
    if (AcDbEntity::cast(object) != nullptr) {
        return Acad::eIllegalEntityType;
    }
    id = AcDbObjectId(impl_->addObject(object, nullptr));
    return Acad::eOk;
}
