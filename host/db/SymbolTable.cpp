// AcDbSymbolTable and the six modelled tables: records in table order, found by name
// regardless of case.
#include "DatabaseImpl.h"
#include "ObjectAccess.h"
#include "RawObjects.h"

using veld::db::ObjectAccess;

ACRX_DEFINE_MEMBERS(AcDbSymbolTable, AcDbObject)

namespace {

// The record class a table takes; tables the database does not model take their raw records.
const AcRxClass* recordClassOf(const AcDbSymbolTable& table) {
    if (table.isKindOf(AcDbBlockTable::desc())) {
        return AcDbBlockTableRecord::desc();
    }
    if (table.isKindOf(AcDbLayerTable::desc())) {
        return AcDbLayerTableRecord::desc();
    }
    if (table.isKindOf(AcDbLinetypeTable::desc())) {
        return AcDbLinetypeTableRecord::desc();
    }
    if (table.isKindOf(AcDbTextStyleTable::desc())) {
        return AcDbTextStyleTableRecord::desc();
    }
    if (table.isKindOf(AcDbDimStyleTable::desc())) {
        return AcDbDimStyleTableRecord::desc();
    }
    if (table.isKindOf(AcDbRegAppTable::desc())) {
        return AcDbRegAppTableRecord::desc();
    }
    return AcDbRawTableRecord::desc();
}

// "*U", "*D", "*X"...: an anonymous block that the table numbers.
bool wantsAnonymousNumber(const std::string& name) {
    if (name.size() < 2 || name[0] != '*') {
        return false;
    }
    for (std::size_t i = 1; i < name.size(); ++i) {
        if (!std::isalpha(static_cast<unsigned char>(name[i]))) {
            return false;
        }
    }
    return !veld::db::equalsIgnoreCase(name, "*Model_Space") &&
           !veld::db::equalsIgnoreCase(name, "*Paper_Space");
}

} // namespace

AcDbSymbolTable::AcDbSymbolTable() : records_(std::make_unique<Records>()) {}
AcDbSymbolTable::~AcDbSymbolTable() = default;

Acad::ErrorStatus AcDbSymbolTable::getAt(const char* name, AcDbSymbolTableRecord*& record,
                                         AcDb::OpenMode mode, bool openErased) const {
    return getAt<AcDbSymbolTableRecord>(name, record, mode, openErased);
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const char* name, AcDbObjectId& id, bool getErased) const {
    id = AcDbObjectId::kNull;
    if (name == nullptr) {
        return Acad::eInvalidInput;
    }
    AcDbStub* stub = ObjectAccess::findRecord(const_cast<AcDbSymbolTable&>(*this), name, getErased);
    if (stub == nullptr) {
        return Acad::eKeyNotFound;
    }
    id = AcDbObjectId(stub);
    return Acad::eOk;
}

bool AcDbSymbolTable::has(const char* name) const {
    AcDbObjectId id;
    return getAt(name, id) == Acad::eOk;
}

bool AcDbSymbolTable::has(AcDbObjectId id) const {
    AcDbStub* stub = id.stub();
    return stub != nullptr && stub->isLive() && !stub->erased &&
           stub->owner == ObjectAccess::stub(*this);
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbSymbolTableRecord* record) {
    AcDbObjectId id;
    return add(id, record);
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbObjectId& id, AcDbSymbolTableRecord* record) {
    id = AcDbObjectId::kNull;
    if (record == nullptr) {
        return Acad::eNullObjectPointer;
    }
    AcDbStub* self = ObjectAccess::stub(*this);
    if (self == nullptr) {
        return Acad::eInvalidInput;
    }
    if (!self->writer) {
        return Acad::eNotOpenForWrite;
    }
    if (ObjectAccess::stub(*record) != nullptr) {
        return Acad::eAlreadyInDb;
    }
    if (!record->isKindOf(recordClassOf(*this))) {
        return Acad::eWrongObjectType;
    }
    std::string& name = ObjectAccess::recordName(*record);
    if (name.empty()) {
        return Acad::eInvalidInput;
    }
    veld::db::DatabaseImpl& impl = self->database->impl();
    if (AcDbBlockTableRecord::cast(record) != nullptr && wantsAnonymousNumber(name)) {
        name += std::to_string(impl.nextAnonymousNumber());
    }
    if (ObjectAccess::findRecord(*this, name, false) != nullptr) {
        return Acad::eDuplicateRecordName;
    }
    AcDbStub* stub = impl.addObject(record, self);
    records_->order.push_back(stub);
    records_->byName.emplace(veld::db::upperAscii(name), stub);
    id = AcDbObjectId(stub);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(AcDbSymbolTableIterator*& iterator, bool atBeginning,
                                               bool skipDeleted) const {
    iterator = new AcDbSymbolTableIterator(recordIds(skipDeleted));
    iterator->start(atBeginning);
    return Acad::eOk;
}

AcDbObjectIdArray AcDbSymbolTable::recordIds(bool skipDeleted) const {
    AcDbObjectIdArray ids;
    for (AcDbStub* stub : records_->order) {
        if (stub->isLive() && !(skipDeleted && stub->erased)) {
            ids.append(AcDbObjectId(stub));
        }
    }
    return ids;
}

// The record list is not part of the state: its changes are journaled as creations.
AcDbObject* AcDbSymbolTable::cloneState() const {
    auto* copy = new AcDbSymbolTable;
    copy->copyBaseState(*this);
    return copy;
}

void AcDbSymbolTable::restoreState(const AcDbObject& saved) {
    copyBaseState(saved);
}

#define VELD_DEFINE_TABLE(TABLE)                                                                   \
    ACRX_DEFINE_MEMBERS(TABLE, AcDbSymbolTable)                                                    \
    AcDbObject* TABLE::cloneState() const {                                                        \
        auto* copy = new TABLE;                                                                    \
        copy->restoreState(*this);                                                                 \
        return copy;                                                                               \
    }

VELD_DEFINE_TABLE(AcDbBlockTable)
VELD_DEFINE_TABLE(AcDbLayerTable)
VELD_DEFINE_TABLE(AcDbLinetypeTable)
VELD_DEFINE_TABLE(AcDbTextStyleTable)
VELD_DEFINE_TABLE(AcDbDimStyleTable)
VELD_DEFINE_TABLE(AcDbRegAppTable)
