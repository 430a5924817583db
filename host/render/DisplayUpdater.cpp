// What a change touches: an entity of model space (or an attribute of one) rebuilds its chunks;
// a change to a layer, block definition or style the picture has read rebuilds everything;
// dictionaries, groups and the other objects that draw nothing are passed over.
#include "host/render/DisplayUpdater.h"

#include "host/db/DatabaseImpl.h"

#include <dbents.h>
#include <dbsymtb.h>

namespace veld::render {

namespace {

enum class Touch { Nothing, Entity, Owner, Everything, Names };

bool sameChunks(const DisplayList& a, const DisplayList& b) {
    if (a.chunks().size() != b.chunks().size()) {
        return false;
    }
    auto other = b.chunks().begin();
    for (const auto& [id, chunk] : a.chunks()) {
        if (id != other->first || chunk->hash != other->second->hash) {
            return false;
        }
        ++other;
    }
    return true;
}

// The block record an entity sits in, through the references holding attributes.
const AcDbStub* containingBlock(const AcDbStub* stub) {
    for (int depth = 0; stub != nullptr && depth < 4; ++depth) {
        stub = stub->owner;
        if (stub != nullptr && stub->object != nullptr &&
            AcDbBlockTableRecord::cast(stub->object) != nullptr) {
            return stub;
        }
    }
    return nullptr;
}

Touch touchOf(const AcDbStub* stub, const AcDbStub* modelSpace, const DisplayListBuilder& builder) {
    const AcDbObject* object = stub->object;
    if (stub == modelSpace) {
        return Touch::Nothing;
    }
    if (object == nullptr) {
        // A creation taken back: the object is gone, what it was is known by where it was.
        if (stub->owner == modelSpace) {
            return Touch::Entity;
        }
        if (stub->owner != nullptr && stub->owner->owner == modelSpace) {
            return Touch::Owner;
        }
        const bool used = builder.usesLayer(stub) || builder.usesBlock(stub) ||
                          (stub->owner != nullptr && builder.usesBlock(stub->owner));
        return used ? Touch::Everything : Touch::Names;
    }
    if (AcDbEntity::cast(object) != nullptr) {
        if (stub->owner == modelSpace) {
            return Touch::Entity;
        }
        if (stub->owner != nullptr && stub->owner->owner == modelSpace) {
            return Touch::Owner; // an attribute of a reference in model space
        }
        const AcDbStub* block = containingBlock(stub);
        return block != nullptr && builder.usesBlock(block) ? Touch::Everything : Touch::Nothing;
    }
    if (AcDbLayerTableRecord::cast(object) != nullptr) {
        return builder.usesLayer(stub) ? Touch::Everything : Touch::Names;
    }
    if (AcDbBlockTableRecord::cast(object) != nullptr) {
        return builder.usesBlock(stub) ? Touch::Everything : Touch::Names;
    }
    if (AcDbDimStyleTableRecord::cast(object) != nullptr ||
        AcDbTextStyleTableRecord::cast(object) != nullptr ||
        AcDbLinetypeTableRecord::cast(object) != nullptr) {
        return Touch::Everything;
    }
    return Touch::Nothing;
}

} // namespace

bool DisplayUpdater::update(const AcDbDatabase& db) {
    const db::DatabaseImpl& impl = db.impl();
    if (!list_ || !builder_ || impl.instanceNumber() != database_ || db.dimstyle() != dimstyle_) {
        rebuildAll(db);
        return true;
    }
    if (impl.changeSerial() == serial_) {
        return false;
    }
    std::vector<const AcDbStub*> entities;
    if (!changedEntities(db, entities)) {
        const auto before = list_;
        rebuildAll(db);
        return !sameChunks(*before, *list_);
    }
    serial_ = impl.changeSerial();
    if (entities.empty()) {
        return false;
    }
    auto next = std::make_shared<const DisplayList>(builder_->update(*list_, entities));
    const bool changed = !sameChunks(*list_, *next);
    list_ = std::move(next);
    return changed;
}

bool DisplayUpdater::changedEntities(const AcDbDatabase& db,
                                     std::vector<const AcDbStub*>& entities) {
    const AcDbStub* modelSpace = db.modelSpaceId().stub();
    bool namesAdded = false;
    for (const AcDbStub* stub : db.impl().changedSince(serial_)) {
        switch (touchOf(stub, modelSpace, *builder_)) {
        case Touch::Entity:
            entities.push_back(stub);
            break;
        case Touch::Owner:
            entities.push_back(stub->owner);
            break;
        case Touch::Everything:
            return false;
        case Touch::Names:
            namesAdded = true;
            break;
        case Touch::Nothing:
            break;
        }
    }
    if (namesAdded) {
        builder_->forgetNames();
    }
    return true;
}

void DisplayUpdater::rebuildAll(const AcDbDatabase& db) {
    builder_ = std::make_unique<DisplayListBuilder>(db);
    list_ = std::make_shared<const DisplayList>(builder_->run());
    database_ = db.impl().instanceNumber();
    serial_ = db.impl().changeSerial();
    dimstyle_ = db.dimstyle();
}

} // namespace veld::render
