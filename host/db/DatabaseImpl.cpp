// Stubs, handles, loading and iteration of one database.
#include "DatabaseImpl.h"

#include "Containers.h"
#include "DefaultDrawing.h"
#include "HandleLimit.h"
#include "ObjectAccess.h"
#include "dbdict.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <unordered_set>

namespace veld::db {

namespace {

// Every database alive in the process: entity names are checked against their stubs.
std::unordered_set<DatabaseImpl*>& liveDatabases() {
    static std::unordered_set<DatabaseImpl*> set;
    return set;
}

std::vector<AcDbObjectId> sortedIds(std::vector<AcDbStub*>& stubs) {
    std::sort(stubs.begin(), stubs.end(),
              [](const AcDbStub* a, const AcDbStub* b) { return a->handle < b->handle; });
    std::vector<AcDbObjectId> ids;
    ids.reserve(stubs.size());
    for (AcDbStub* stub : stubs) {
        ids.emplace_back(stub);
    }
    return ids;
}

std::string handleText(const AcDbStub* stub) {
    return AcDbHandle(stub->handle).text();
}

std::uint64_t nextInstanceNumber() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}

} // namespace

DatabaseImpl::DatabaseImpl(AcDbDatabase& database)
    : database_(database), instanceNumber_(nextInstanceNumber()), journal_(*this) {
    liveDatabases().insert(this);
}

DatabaseImpl::~DatabaseImpl() {
    liveDatabases().erase(this);
    if (acdbHostApplicationServices()->workingDatabase() == &database_) {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }
    journal_.clear();
    for (AcDbStub& stub : stubs_) {
        delete stub.object;
        stub.object = nullptr;
    }
}

AcDbStub* DatabaseImpl::newStub(std::uint64_t handle) {
    AcDbStub& stub = stubs_.emplace_back();
    stub.database = &database_;
    stub.handle = handle;
    byHandle_.set(handle, &stub);
    return &stub;
}

std::uint64_t DatabaseImpl::freeHandleFrom(std::uint64_t handle) const {
    while (handle == 0 || handle > kMaxHandle || byHandle_.contains(handle)) {
        handle = handle == 0 || handle > kMaxHandle ? 1 : handle + 1;
    }
    return handle;
}

AcDbHandle DatabaseImpl::allocateHandle() {
    handseed_ = freeHandleFrom(handseed_);
    return AcDbHandle(handseed_++);
}

AcDbStub* DatabaseImpl::addObject(AcDbObject* object, AcDbStub* owner) {
    AcDbStub* stub = newStub(allocateHandle().value());
    stub->object = object;
    stub->owner = owner;
    stub->writer = true;
    stub->fresh = true;
    stub->journaled = true;
    ObjectAccess::setStub(*object, stub);
    ++openCount_;
    journal_.recordCreated(stub);
    noteChanged(stub);
    return stub;
}

std::vector<AcDbStub*> DatabaseImpl::changedSince(std::uint64_t serial) const {
    std::vector<AcDbStub*> out;
    if (serial >= changeSerial_) {
        return out;
    }
    for (const AcDbStub& stub : stubs_) {
        if (stub.stamp > serial) {
            out.push_back(const_cast<AcDbStub*>(&stub));
        }
    }
    return out;
}

AcDbStub* DatabaseImpl::findStub(std::uint64_t handle) const {
    return byHandle_.find(handle);
}

void DatabaseImpl::setHandseed(std::uint64_t seed) {
    handseed_ = std::max(handseed_, seed);
}

std::pair<AcDbHandle, AcDbHandle> DatabaseImpl::blockMarkers(AcDbObjectId blockRecord) {
    auto* block = AcDbBlockTableRecord::cast(liveObject(blockRecord.stub()));
    if (block == nullptr) {
        return {};
    }
    auto& contents = ObjectAccess::blockContents(*block);
    if (contents.beginHandle == 0) {
        contents.beginHandle = allocateHandle().value();
        contents.endHandle = allocateHandle().value();
    }
    return {AcDbHandle(contents.beginHandle), AcDbHandle(contents.endHandle)};
}

Acad::ErrorStatus DatabaseImpl::setBlockMarkers(AcDbObjectId blockRecord, AcDbHandle begin,
                                                AcDbHandle end) {
    auto* block = AcDbBlockTableRecord::cast(liveObject(blockRecord.stub()));
    if (block == nullptr) {
        return Acad::eWrongObjectType;
    }
    if (begin.isNull() || end.isNull() || begin == end) {
        return Acad::eInvalidInput;
    }
    auto& contents = ObjectAccess::blockContents(*block);
    contents.beginHandle = begin.value();
    contents.endHandle = end.value();
    setHandseed(std::max(begin.value(), end.value()) + 1);
    return Acad::eOk;
}

AcDbObjectId DatabaseImpl::reserveHandle(AcDbHandle handle) {
    if (handle.isNull()) {
        return AcDbObjectId::kNull;
    }
    AcDbStub* stub = findStub(handle.value());
    if (stub == nullptr) {
        stub = newStub(handle.value());
        setHandseed(handle.value() + 1);
    }
    return AcDbObjectId(stub);
}

Acad::ErrorStatus DatabaseImpl::addLoadedObject(AcDbObject* object, AcDbHandle handle,
                                                AcDbObjectId owner, AcDbObjectId& id) {
    id = AcDbObjectId::kNull;
    if (object == nullptr) {
        return Acad::eNullObjectPointer;
    }
    if (handle.isNull()) {
        return Acad::eNullHandle;
    }
    if (ObjectAccess::stub(*object) != nullptr) {
        return Acad::eAlreadyInDb;
    }
    AcDbStub* stub = findStub(handle.value());
    if (stub != nullptr && (stub->object != nullptr || stub->gone)) {
        return Acad::eHandleInUse;
    }
    if (stub == nullptr) {
        stub = newStub(handle.value());
    }
    setHandseed(handle.value() + 1);
    stub->object = object;
    stub->owner = owner.stub();
    ObjectAccess::setStub(*object, stub);
    if (auto* record = AcDbBlockTableRecord::cast(object)) {
        noteAnonymousName(record->name());
    }
    appendToOwnerList(stub);
    id = AcDbObjectId(stub);
    return Acad::eOk;
}

// Puts a loaded object into its owner's list; an owner not loaded yet is linked at the end.
void DatabaseImpl::appendToOwnerList(AcDbStub* stub) {
    AcDbObject* owner = liveObject(stub->owner);
    if (owner == nullptr) {
        if (stub->owner != nullptr) {
            pendingOwnerLinks_.push_back(stub);
        }
        return;
    }
    if (auto* block = AcDbBlockTableRecord::cast(owner)) {
        if (AcDbEntity::cast(stub->object) != nullptr) {
            ObjectAccess::blockEntities(*block).push_back(stub);
        }
    } else if (auto* table = AcDbSymbolTable::cast(owner)) {
        if (auto* record = AcDbSymbolTableRecord::cast(stub->object)) {
            auto& records = ObjectAccess::tableRecords(*table);
            records.order.push_back(stub);
            records.byName.emplace(upperAscii(record->name()), stub);
        }
    } else if (auto* ref = AcDbBlockReference::cast(owner)) {
        if (AcDbAttribute::cast(stub->object) != nullptr) {
            ObjectAccess::attributes(*ref).append(AcDbObjectId(stub));
        }
    }
}

Acad::ErrorStatus DatabaseImpl::addLoadedDictionaryEntry(AcDbObjectId dictionary,
                                                         const std::string& key,
                                                         AcDbObjectId value) {
    auto* dict = AcDbDictionary::cast(liveObject(dictionary.stub()));
    if (dict == nullptr || value.isNull() || key.empty()) {
        return Acad::eInvalidInput;
    }
    auto& entries = ObjectAccess::dictEntries(*dict);
    const std::string upper = upperAscii(key);
    if (entries.byKey.count(upper) != 0) {
        return Acad::eDuplicateKey;
    }
    entries.insertAt(entries.list.size(), key, value.stub());
    noteAnonymousName(key);
    return Acad::eOk;
}

Acad::ErrorStatus DatabaseImpl::addLoadedGroupMember(AcDbObjectId group, AcDbObjectId member) {
    auto* grp = AcDbGroup::cast(liveObject(group.stub()));
    if (grp == nullptr || member.isNull()) {
        return Acad::eInvalidInput;
    }
    auto& ids = ObjectAccess::groupMembers(*grp).ids;
    if (std::find(ids.begin(), ids.end(), member.stub()) != ids.end()) {
        return Acad::eAlreadyInGroup;
    }
    ids.push_back(member.stub());
    return Acad::eOk;
}

void DatabaseImpl::dropReservation(AcDbStub* stub, LoadRepairs& repairs) {
    stub->gone = true;
    repairs.add([&] { return "object " + handleText(stub) + " is referenced but missing"; });
}

void DatabaseImpl::linkPendingOwners() {
    std::vector<AcDbStub*> pending = std::move(pendingOwnerLinks_);
    pendingOwnerLinks_.clear();
    std::sort(pending.begin(), pending.end(),
              [](const AcDbStub* a, const AcDbStub* b) { return a->handle < b->handle; });
    for (AcDbStub* stub : pending) {
        appendToOwnerList(stub);
    }
    pendingOwnerLinks_.clear(); // owners still missing stay unlinked
}

// Members must be entities of the drawing, each carrying the group as a reactor.
void DatabaseImpl::repairGroup(AcDbStub& stub, LoadRepairs& repairs) {
    auto& ids = ObjectAccess::groupMembers(*static_cast<AcDbGroup*>(stub.object)).ids;
    std::erase_if(ids, [&](AcDbStub* m) {
        const bool missing = m->object == nullptr || AcDbEntity::cast(m->object) == nullptr;
        if (missing) {
            stub.changed = true;
            repairs.add(
                [&] { return "group " + handleText(&stub) + " lost member " + handleText(m); });
        }
        return missing;
    });
    for (AcDbStub* member : ids) {
        ObjectExtras* extras = ObjectAccess::extras(*member->object);
        const bool planted = extras != nullptr &&
                             std::find(extras->reactors.begin(), extras->reactors.end(), &stub) !=
                                 extras->reactors.end();
        if (!planted) {
            ObjectAccess::insertReactor(*member->object, &stub, SIZE_MAX);
            repairs.add([&] {
                return "group " + handleText(&stub) + " reactor added to member " +
                       handleText(member);
            });
        }
    }
}

void DatabaseImpl::repairDictionary(AcDbStub& stub, LoadRepairs& repairs) {
    auto& entries = ObjectAccess::dictEntries(*static_cast<AcDbDictionary*>(stub.object));
    std::erase_if(entries.list, [&](const auto& e) {
        const bool missing = e.value->object == nullptr;
        if (missing) {
            stub.changed = true;
            entries.byKey.erase(upperAscii(e.key));
            repairs.add([&] { return "dictionary " + handleText(&stub) + " lost entry " + e.key; });
        }
        return missing;
    });
    entries.reindex();
}

// Every group listed in the index with its members, and taken as possibly empty.
void DatabaseImpl::indexGroups() {
    groupIndex_.clearMembers();
    for (AcDbStub& stub : stubs_) {
        if (auto* group = AcDbGroup::cast(liveObject(&stub))) {
            for (AcDbStub* member : ObjectAccess::groupMembers(*group).ids) {
                groupIndex_.addMember(&stub, member);
            }
            groupIndex_.noteMaybeEmpty(&stub);
        }
    }
}

LoadRepairs DatabaseImpl::finishLoading() {
    LoadRepairs repairs;
    for (AcDbStub& stub : stubs_) {
        stub.changed = false; // the reader's own opens are no change to what the file holds
    }
    linkPendingOwners();
    for (AcDbStub& stub : stubs_) {
        if (stub.object == nullptr && !stub.gone) {
            dropReservation(&stub, repairs);
        }
    }
    for (AcDbStub& stub : stubs_) {
        if (stub.object == nullptr) {
            continue;
        }
        if (stub.owner != nullptr && stub.owner->object == nullptr) {
            repairs.add([&] { return "object " + handleText(&stub) + " had a missing owner"; });
            stub.owner = nullptr;
        }
        if (AcDbGroup::cast(stub.object) != nullptr) {
            repairGroup(stub, repairs);
        } else if (AcDbDictionary::cast(stub.object) != nullptr) {
            repairDictionary(stub, repairs);
        }
        if (ObjectExtras* extras = ObjectAccess::extras(*stub.object)) {
            std::erase_if(extras->reactors, [](AcDbStub* r) { return r->object == nullptr; });
        }
    }
    for (std::string& line : completeStandardContents(database_)) {
        repairs.add([&] { return std::move(line); });
    }
    indexGroups();
    journal_.clear();
    return repairs;
}

std::vector<AcDbObjectId> DatabaseImpl::objectsInHandleOrder(bool includeErased) const {
    std::vector<AcDbStub*> stubs;
    stubs.reserve(stubs_.size());
    for (const AcDbStub& stub : stubs_) {
        if (stub.isLive() && (includeErased || !stub.erased)) {
            stubs.push_back(const_cast<AcDbStub*>(&stub));
        }
    }
    return sortedIds(stubs);
}

std::vector<AcDbObjectId> DatabaseImpl::objectsOwnedBy(AcDbObjectId owner,
                                                       bool includeErased) const {
    std::vector<AcDbStub*> stubs;
    for (const AcDbStub& stub : stubs_) {
        if (stub.isLive() && stub.owner == owner.stub() && (includeErased || !stub.erased)) {
            stubs.push_back(const_cast<AcDbStub*>(&stub));
        }
    }
    return sortedIds(stubs);
}

double DatabaseImpl::userR(int i) const {
    return i >= 1 && i <= 5 ? userR_[static_cast<std::size_t>(i - 1)] : 0.0;
}

void DatabaseImpl::setUserR(int i, double value, bool journaled) {
    if (i >= 1 && i <= 5) {
        double& slot = userR_[static_cast<std::size_t>(i - 1)];
        if (journaled && slot != value) {
            journal_.recordUserReal(i, slot);
        }
        slot = value;
    }
}

void DatabaseImpl::noteAnonymousName(const std::string& name) {
    if (name.size() < 3 || name[0] != '*' || !std::isalpha(static_cast<unsigned char>(name[1]))) {
        return;
    }
    std::uint64_t number = 0;
    for (std::size_t i = 2; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])) || number > (UINT64_MAX / 10)) {
            return;
        }
        number = number * 10 + static_cast<std::uint64_t>(name[i] - '0');
    }
    anonymousCounter_ = std::max(anonymousCounter_, number);
}

std::vector<AcDbObjectId> DatabaseImpl::openObjects() const {
    std::vector<AcDbObjectId> open;
    if (openCount_ == 0) {
        return open;
    }
    for (const AcDbStub& stub : stubs_) {
        if (stub.isOpen()) {
            open.emplace_back(const_cast<AcDbStub*>(&stub));
        }
    }
    return open;
}

AcDbStub* DatabaseImpl::stubForName(std::int64_t pointer, std::int64_t handle) {
    for (DatabaseImpl* db : liveDatabases()) {
        AcDbStub* stub = db->findStub(static_cast<std::uint64_t>(handle));
        if (stub != nullptr && reinterpret_cast<std::int64_t>(stub) == pointer) {
            return stub;
        }
    }
    return nullptr;
}

int openObjectCount(const AcDbDatabase& database) {
    return database.impl().openObjectCount();
}

std::vector<AcDbObjectId> openObjects(const AcDbDatabase& database) {
    return database.impl().openObjects();
}

} // namespace veld::db
