// Host-internal access to the private data of database objects, for the database, the undo
// journal and the file reader and writer. Module code never sees this.
#pragma once
#include "Containers.h"
#include "Stub.h"
#include "XData.h"
#include "dbents.h"

namespace veld::db {

class DatabaseImpl;

struct ObjectAccess {
    static AcDbStub* stub(const AcDbObject& object) { return object.stub_; }
    static void setStub(AcDbObject& object, AcDbStub* stub) { object.stub_ = stub; }

    // Not in a database, or open for write.
    static bool canWrite(const AcDbObject& object) {
        return object.stub_ == nullptr || object.stub_->writer;
    }

    static ObjectExtras* extras(const AcDbObject& object) { return object.extras_.get(); }
    static ObjectExtras& ensureExtras(AcDbObject& object);
    static void dropEmptyExtras(AcDbObject& object);
    // Reactor list changes that bypass the open rules (a group planting itself on a member).
    static void insertReactor(AcDbObject& object, AcDbStub* reactor, std::size_t index);
    static bool eraseReactor(AcDbObject& object, AcDbStub* reactor, std::size_t* index);
    static void setXDataBytes(AcDbObject& object, std::string_view encoded);
    // `kept` lives as long as the object: the store of its database.
    static void setKeptXDataBytes(AcDbObject& object, std::string_view kept);

    // Undo of a creation: the object leaves its owner's list and every iteration; it is deleted
    // unless still open (then its last close deletes it).
    static void uncreate(DatabaseImpl& database, AcDbStub* stub);
    // Takes an object out of its owner's list (block record, symbol table, block reference,
    // dictionary).
    static void removeFromOwner(AcDbStub* stub);
    // The record of a table with that name (any case); erased records only when asked for.
    static AcDbStub* findRecord(AcDbSymbolTable& table, std::string_view name, bool includeErased);
    // Gives an entity entering `database` that database's layer and linetype: its own ones
    // looked up by name, layer "0" and ByLayer when unset or missing.
    static void prepareEntity(AcDbEntity& entity, AcDbDatabase& database);
    // Takes a new entity into the database with `owner` (open for write) as its owner: the
    // common checks and steps of appending to a block and attaching an attribute.
    static Acad::ErrorStatus addOwnedEntity(AcDbObject& owner, AcDbEntity* entity,
                                            AcDbStub*& added);
    // Dictionary entries, changed by the journal without the open rules.
    static void dictionaryEraseAt(AcDbObject& dictionary, std::size_t index);
    static void dictionaryInsertAt(AcDbObject& dictionary, std::size_t index,
                                   const std::string& key, AcDbStub* value);
    static void dictionarySetValueAt(AcDbObject& dictionary, std::size_t index, AcDbStub* value);

    static std::vector<AcDbStub*>& blockEntities(AcDbBlockTableRecord& record) {
        return record.contents_->entities;
    }
    static AcDbBlockTableRecord::Contents& blockContents(AcDbBlockTableRecord& record) {
        return *record.contents_;
    }
    static AcDbSymbolTable::Records& tableRecords(AcDbSymbolTable& table) {
        return *table.records_;
    }
    static AcDbDictionary::Entries& dictEntries(AcDbDictionary& dict) { return *dict.entries_; }
    static AcDbGroup::Members& groupMembers(AcDbGroup& group) { return *group.members_; }
    static AcDbObjectIdArray& attributes(AcDbBlockReference& ref) { return ref.attributes_; }
    static std::string& recordName(AcDbSymbolTableRecord& record) { return record.name_; }

    static void setRawLayer(AcDbEntity& e, AcDbObjectId id) { e.layer_ = id; }
    static void setRawLinetype(AcDbEntity& e, AcDbObjectId id) { e.linetype_ = id; }
};

// The object behind a stub when it is in the database (erased or not), else null.
inline AcDbObject* liveObject(const AcDbStub* stub) {
    return stub != nullptr && stub->isLive() ? stub->object : nullptr;
}

} // namespace veld::db
