// Host-internal operations across object kinds: owner lists, record lookup, entity defaults.
#include "ObjectAccess.h"

#include "DatabaseImpl.h"

#include <algorithm>

namespace veld::db {

namespace {

template <class List> void eraseFromBack(List& list, AcDbStub* stub) {
    for (auto it = list.end(); it != list.begin();) {
        --it;
        if (*it == stub) {
            list.erase(it);
            return;
        }
    }
}

AcDbObjectId lookupInTable(AcDbObjectId tableId, const std::string& name) {
    auto* table = AcDbSymbolTable::cast(liveObject(tableId.stub()));
    AcDbStub* record = table != nullptr ? ObjectAccess::findRecord(*table, name, false) : nullptr;
    return AcDbObjectId(record);
}

std::string recordNameOf(AcDbObjectId id) {
    auto* record = AcDbSymbolTableRecord::cast(liveObject(id.stub()));
    return record != nullptr ? record->name() : std::string();
}

} // namespace

void ObjectAccess::removeFromOwner(AcDbStub* stub) {
    AcDbObject* owner = liveObject(stub->owner);
    if (owner == nullptr) {
        return;
    }
    if (auto* block = AcDbBlockTableRecord::cast(owner)) {
        eraseFromBack(block->contents_->entities, stub);
    } else if (auto* table = AcDbSymbolTable::cast(owner)) {
        eraseFromBack(table->records_->order, stub);
    } else if (auto* ref = AcDbBlockReference::cast(owner)) {
        const int index = ref->attributes_.find(AcDbObjectId(stub));
        if (index >= 0) {
            ref->attributes_.removeAt(index);
        }
    } else if (auto* dict = AcDbDictionary::cast(owner)) {
        const std::vector<std::size_t> positions = dict->entries_->positionsOf(stub);
        if (!positions.empty()) {
            dictionaryEraseAt(*dict, positions.back());
        }
    }
}

AcDbStub* ObjectAccess::findRecord(AcDbSymbolTable& table, std::string_view name,
                                   bool includeErased) {
    auto& records = *table.records_;
    const AcDbStub* tableStub = table.stub_;
    auto range = records.byName.equal_range(upperAscii(name));
    AcDbStub* erasedMatch = nullptr;
    for (auto it = range.first; it != range.second; ++it) {
        AcDbStub* stub = it->second;
        auto* record = AcDbSymbolTableRecord::cast(liveObject(stub));
        if (record == nullptr || stub->owner != tableStub ||
            !equalsIgnoreCase(record->name_, name)) {
            continue;
        }
        if (!stub->erased) {
            return stub;
        }
        erasedMatch = stub;
    }
    return includeErased ? erasedMatch : nullptr;
}

Acad::ErrorStatus ObjectAccess::addOwnedEntity(AcDbObject& owner, AcDbEntity* entity,
                                               AcDbStub*& added) {
    added = nullptr;
    if (entity == nullptr) {
        return Acad::eNullEntityPointer;
    }
    AcDbStub* self = stub(owner);
    if (self == nullptr) {
        return Acad::eInvalidInput;
    }
    if (!self->writer) {
        return Acad::eNotOpenForWrite;
    }
    if (stub(*entity) != nullptr) {
        return Acad::eAlreadyInDb;
    }
    prepareEntity(*entity, *self->database);
    added = self->database->impl().addObject(entity, self);
    return Acad::eOk;
}

void ObjectAccess::prepareEntity(AcDbEntity& entity, AcDbDatabase& database) {
    const WellKnownIds& ids = database.impl().ids();
    if (entity.layer_.isNull() || entity.layer_.database() != &database) {
        const std::string name = entity.layer_.isNull() ? "0" : recordNameOf(entity.layer_);
        const AcDbObjectId layer = lookupInTable(ids.layerTable, name);
        entity.layer_ = layer.isNull() ? ids.layerZero : layer;
    }
    if (entity.linetype_.isNull() || entity.linetype_.database() != &database) {
        AcDbObjectId linetype;
        if (!entity.linetype_.isNull()) {
            linetype = lookupInTable(ids.linetypeTable, recordNameOf(entity.linetype_));
        }
        entity.linetype_ = linetype.isNull() ? ids.byLayer : linetype;
    }
}

} // namespace veld::db
