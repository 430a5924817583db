// AcDbObject: ids, the open/close rules, erasure, extended data and persistent reactors; the
// open functions of the SDK.
#include "DatabaseImpl.h"
#include "ObjectAccess.h"
#include "XData.h"
#include "dbsymtb.h"

#include <algorithm>

using veld::db::ObjectAccess;
using veld::db::ObjectExtras;

ACRX_DEFINE_MEMBERS(AcDbObject, AcRxObject)

namespace {

veld::db::DatabaseImpl& implOf(const AcDbStub* stub) {
    return stub->database->impl();
}

// Extended data names must be in the APPID table of the object's database (or, for an object
// not yet in one, of the working database).
veld::db::AppRegistered registeredIn(AcDbDatabase* database) {
    if (database == nullptr) {
        database = acdbHostApplicationServices()->workingDatabase();
    }
    if (database == nullptr) {
        return {};
    }
    return [database](const std::string& name) {
        auto* table = AcDbSymbolTable::cast(veld::db::liveObject(database->regAppTableId().stub()));
        return table != nullptr && ObjectAccess::findRecord(*table, name, false) != nullptr;
    };
}

} // namespace

AcDbObject::AcDbObject() = default;
AcDbObject::~AcDbObject() = default;

AcDbObjectId AcDbObject::objectId() const {
    return AcDbObjectId(stub_);
}

AcDbObjectId AcDbObject::ownerId() const {
    return stub_ != nullptr ? AcDbObjectId(stub_->owner) : AcDbObjectId::kNull;
}

AcDbDatabase* AcDbObject::database() const {
    return stub_ != nullptr ? stub_->database : nullptr;
}

void AcDbObject::getAcDbHandle(AcDbHandle& handle) const {
    handle = stub_ != nullptr ? AcDbHandle(stub_->handle) : AcDbHandle();
}

Acad::ErrorStatus AcDbObject::close() {
    AcDbStub* stub = stub_;
    if (stub == nullptr) {
        delete this;
        return Acad::eOk;
    }
    if (stub->writer) {
        if (stub->journaled || stub->fresh) {
            // Stamped again at the end of the change: a reader that found it open meanwhile
            // (and passed over it) looks again.
            implOf(stub).noteChanged(stub);
        }
        stub->writer = false;
        stub->journaled = false;
        stub->fresh = false;
    } else if (stub->readers > 0) {
        --stub->readers;
    } else {
        return Acad::eNotOpenForRead;
    }
    if (!stub->isOpen()) {
        implOf(stub).noteClosed();
        if (stub->gone) {
            // Its creation was undone while it was open: nothing refers to it any more.
            stub->object = nullptr;
            delete this;
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::upgradeOpen() {
    if (stub_ == nullptr || stub_->writer) {
        return Acad::eOk;
    }
    if (stub_->readers == 0) {
        return Acad::eNotOpenForRead;
    }
    if (stub_->readers > 1) {
        return Acad::eWasOpenForRead;
    }
    stub_->readers = 0;
    stub_->writer = true;
    stub_->journaled = false;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen() {
    if (stub_ == nullptr) {
        return Acad::eOk;
    }
    if (!stub_->writer) {
        return Acad::eNotOpenForWrite;
    }
    stub_->writer = false;
    stub_->journaled = false;
    stub_->fresh = false;
    stub_->readers = 1;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::erase(bool erasing) {
    if (stub_ == nullptr) {
        return Acad::eInvalidInput;
    }
    if (!stub_->writer) {
        return Acad::eNotOpenForWrite;
    }
    if (stub_->erased == erasing) {
        return erasing ? Acad::eWasErased : Acad::eOk;
    }
    implOf(stub_).journal().recordErased(stub_, stub_->erased);
    implOf(stub_).noteChanged(stub_);
    stub_->erased = erasing;
    implOf(stub_).groupIndex().noteListingChanged(stub_);
    return Acad::eOk;
}

bool AcDbObject::isErased() const {
    return stub_ != nullptr && (stub_->erased || stub_->gone);
}
bool AcDbObject::isReadEnabled() const {
    return stub_ == nullptr || stub_->isOpen();
}
bool AcDbObject::isWriteEnabled() const {
    return stub_ == nullptr || stub_->writer;
}
bool AcDbObject::isNewObject() const {
    return stub_ != nullptr && stub_->fresh;
}

resbuf* AcDbObject::xData(const char* regappName) const {
    if (extras_ == nullptr || extras_->xdataSize == 0) {
        return nullptr;
    }
    return veld::db::decodeXData(extras_->bytes(), regappName);
}

Acad::ErrorStatus AcDbObject::setXData(const resbuf* xdata) {
    if (!isWriteEnabled()) {
        return Acad::eNotOpenForWrite;
    }
    const std::string_view current = extras_ != nullptr ? extras_->bytes() : std::string_view();
    std::string updated;
    const Acad::ErrorStatus es =
        veld::db::applyXDataChain(current, xdata, registeredIn(database()), updated);
    if (es != Acad::eOk) {
        return es;
    }
    if (stub_ != nullptr && !stub_->journaled && implOf(stub_).journal().needsEntry(stub_)) {
        implOf(stub_).journal().recordXData(stub_, std::string(current));
    }
    ObjectAccess::setXDataBytes(*this, updated);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::addPersistentReactor(AcDbObjectId reactorId) {
    if (reactorId.isNull()) {
        return Acad::eNullObjectId;
    }
    const Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk) {
        return es;
    }
    ObjectExtras& extras = ObjectAccess::ensureExtras(*this);
    if (std::find(extras.reactors.begin(), extras.reactors.end(), reactorId.stub()) ==
        extras.reactors.end()) {
        extras.reactors.push_back(reactorId.stub());
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::removePersistentReactor(AcDbObjectId reactorId) {
    const Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk) {
        return es;
    }
    ObjectAccess::eraseReactor(*this, reactorId.stub(), nullptr);
    return Acad::eOk;
}

AcDbObjectIdArray AcDbObject::persistentReactors() const {
    AcDbObjectIdArray ids;
    if (extras_ != nullptr) {
        for (AcDbStub* reactor : extras_->reactors) {
            if (!reactor->gone) {
                ids.append(AcDbObjectId(reactor));
            }
        }
    }
    return ids;
}

Acad::ErrorStatus AcDbObject::assertWriteEnabled() {
    if (stub_ == nullptr) {
        return Acad::eOk;
    }
    if (!stub_->writer) {
        return Acad::eNotOpenForWrite;
    }
    stub_->changed = true;
    implOf(stub_).noteChanged(stub_);
    if (!stub_->journaled) {
        stub_->journaled = true;
        veld::db::UndoJournal& journal = implOf(stub_).journal();
        if (journal.needsEntry(stub_)) {
            journal.recordModified(stub_, cloneState());
        }
    }
    return Acad::eOk;
}

void AcDbObject::assertReadEnabled() const {}

void AcDbObject::copyBaseState(const AcDbObject& from) {
    if (from.extras_ == nullptr || from.extras_->empty()) {
        extras_.reset();
        return;
    }
    ObjectExtras& extras = ObjectAccess::ensureExtras(*this);
    extras.setBytes(from.extras_->bytes());
    extras.reactors = from.extras_->reactors;
}

// --- Host-internal access ---------------------------------------------------------------------

namespace veld::db {

ObjectExtras& ObjectAccess::ensureExtras(AcDbObject& object) {
    if (object.extras_ == nullptr) {
        object.extras_ = std::make_unique<ObjectExtras>();
    }
    return *object.extras_;
}

void ObjectAccess::dropEmptyExtras(AcDbObject& object) {
    if (object.extras_ != nullptr && object.extras_->empty()) {
        object.extras_.reset();
    }
}

void ObjectAccess::insertReactor(AcDbObject& object, AcDbStub* reactor, std::size_t index) {
    auto& reactors = ensureExtras(object).reactors;
    index = std::min(index, reactors.size());
    reactors.insert(reactors.begin() + static_cast<std::ptrdiff_t>(index), reactor);
}

bool ObjectAccess::eraseReactor(AcDbObject& object, AcDbStub* reactor, std::size_t* index) {
    if (object.extras_ == nullptr) {
        return false;
    }
    auto& reactors = object.extras_->reactors;
    auto found = std::find(reactors.begin(), reactors.end(), reactor);
    if (found == reactors.end()) {
        return false;
    }
    if (index != nullptr) {
        *index = static_cast<std::size_t>(found - reactors.begin());
    }
    reactors.erase(found);
    dropEmptyExtras(object);
    return true;
}

void ObjectAccess::setXDataBytes(AcDbObject& object, std::string_view encoded) {
    if (encoded.empty() && object.extras_ == nullptr) {
        return;
    }
    ensureExtras(object).setBytes(encoded);
    dropEmptyExtras(object);
}

void ObjectAccess::setKeptXDataBytes(AcDbObject& object, std::string_view kept) {
    ensureExtras(object).setKeptBytes(kept);
}

void ObjectAccess::uncreate(DatabaseImpl& database, AcDbStub* stub) {
    stub->gone = true;
    removeFromOwner(stub);
    database.groupIndex().noteListingChanged(stub);
    if (stub->isOpen()) {
        return; // deleted by its last close
    }
    delete stub->object;
    stub->object = nullptr;
}

} // namespace veld::db

// --- Opening ---------------------------------------------------------------------------------

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased) {
    object = nullptr;
    AcDbStub* stub = id.stub();
    if (stub == nullptr) {
        return Acad::eNullObjectId;
    }
    if (stub->gone) {
        return Acad::ePermanentlyErased;
    }
    if (stub->object == nullptr) {
        return Acad::eUnknownHandle;
    }
    if (stub->erased && !openErased) {
        return Acad::eWasErased;
    }
    if (stub->writer) {
        return Acad::eWasOpenForWrite;
    }
    const bool wasOpen = stub->isOpen();
    if (mode == AcDb::kForWrite) {
        if (stub->readers > 0) {
            return Acad::eWasOpenForRead;
        }
        stub->writer = true;
        stub->journaled = false;
    } else {
        if (stub->readers == UINT16_MAX) {
            return Acad::eInvalidOpenState;
        }
        ++stub->readers;
    }
    if (!wasOpen) {
        implOf(stub).noteOpened();
    }
    object = stub->object;
    return Acad::eOk;
}

Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& entity, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased) {
    return acdbOpenObject(entity, id, mode, openErased);
}
