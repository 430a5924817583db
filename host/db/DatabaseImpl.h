// Host-internal side of a drawing database: the stubs and handles of its objects, the undo
// journal, the well-known objects, and what the file reader and writer need beyond the SDK
// surface (objects with given handles, iteration in handle order, raw data kept for round trips).
#pragma once
#include "GroupIndex.h"
#include "HandleIndex.h"
#include "KeptTagStore.h"
#include "Stub.h"
#include "UndoJournal.h"
#include "dbmain.h"

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace veld::db {

// What finishing a load repaired: every repair counted, one line for each of the first ones (a
// damaged large drawing may need hundreds of thousands, and the file reader tells the first).
struct LoadRepairs {
    static constexpr std::size_t kLinesKept = 100;
    std::size_t count = 0;
    std::vector<std::string> lines;

    // `line` makes the text, called only for a line that is kept.
    template <class Line> void add(Line&& line) {
        if (count++ < kLinesKept) {
            lines.push_back(line());
        }
    }
};

// The objects every drawing has, found without a lookup.
struct WellKnownIds {
    AcDbObjectId blockTable, layerTable, linetypeTable, textStyleTable, dimStyleTable, regAppTable;
    AcDbObjectId namedObjects, groupDictionary;
    AcDbObjectId modelSpace, paperSpace, currentSpace;
    AcDbObjectId layerZero, byBlock, byLayer, continuous, standardTextStyle, standardDimStyle;
    AcDbObjectId clayer, textstyle, dimstyle;
};

class DatabaseImpl {
public:
    explicit DatabaseImpl(AcDbDatabase& database);
    ~DatabaseImpl();
    DatabaseImpl(const DatabaseImpl&) = delete;
    DatabaseImpl& operator=(const DatabaseImpl&) = delete;

    AcDbDatabase& database() { return database_; }
    const AcDbDatabase& database() const { return database_; }
    UndoJournal& journal() { return journal_; }
    const UndoJournal& journal() const { return journal_; }
    WellKnownIds& ids() { return ids_; }
    const WellKnownIds& ids() const { return ids_; }

    // --- Objects and handles ---------------------------------------------------------------
    // Takes a new object into the database with the next handle and `owner` (null: the
    // database), leaves it open for write and journals the creation.
    AcDbStub* addObject(AcDbObject* object, AcDbStub* owner);
    // The stub with that handle (also erased and undone ones), or null.
    AcDbStub* findStub(std::uint64_t handle) const;
    // The next handle to be given out. It only grows: setting a lower value does nothing.
    std::uint64_t handseed() const { return handseed_; }
    void setHandseed(std::uint64_t seed);
    // `handle` when it is free and within kMaxHandle, else the next free one, starting again at
    // 1 past kMaxHandle.
    std::uint64_t freeHandleFrom(std::uint64_t handle) const;
    // A fresh handle for something the file writer must name (BLOCK/ENDBLK of a block record).
    AcDbHandle allocateHandle();

    // The handles of the BLOCK and ENDBLK entities of a block record: given out on first ask and
    // kept, so every save writes the same ones. Null handles for an id that is no block record.
    std::pair<AcDbHandle, AcDbHandle> blockMarkers(AcDbObjectId blockRecord);
    // The reader keeps the handles it read (and the seed moves past them).
    Acad::ErrorStatus setBlockMarkers(AcDbObjectId blockRecord, AcDbHandle begin, AcDbHandle end);

    // --- Loading (nothing here is journaled) ------------------------------------------------
    // The id for a handle the reader met as a reference before the object itself: a reserved
    // stub that addLoadedObject fills later. Unfilled reservations are dropped by finishLoading.
    AcDbObjectId reserveHandle(AcDbHandle handle);
    // Takes a read object into the database with its own handle and owner (null: the
    // database); moves the handle seed past it. The object is closed. A block table record or
    // symbol table owner gets it appended to its list, a block reference to its attributes.
    // eNullHandle, eHandleInUse (another object has the handle), eAlreadyInDb.
    Acad::ErrorStatus addLoadedObject(AcDbObject* object, AcDbHandle handle, AcDbObjectId owner,
                                      AcDbObjectId& id);
    // A dictionary entry or a group member that may refer to a reserved handle.
    Acad::ErrorStatus addLoadedDictionaryEntry(AcDbObjectId dictionary, const std::string& key,
                                               AcDbObjectId value);
    Acad::ErrorStatus addLoadedGroupMember(AcDbObjectId group, AcDbObjectId member);
    // Ends a load: drops reservations never filled (and the references to them), plants missing
    // group reactors on members, finds the standard tables, records and dictionaries (filling
    // ids()) and adds those missing, empties the journal. Returns the repairs made.
    LoadRepairs finishLoading();

    // --- Iteration --------------------------------------------------------------------------
    // Every object in the database (not undone creations), sorted by handle.
    std::vector<AcDbObjectId> objectsInHandleOrder(bool includeErased = true) const;
    std::vector<AcDbObjectId> objectsOwnedBy(AcDbObjectId owner, bool includeErased = true) const;
    // Room for about `count` objects in the handle index, before loading a large file.
    void reserveObjects(std::size_t count) { byHandle_.reserve(count); }

    // --- What the database keeps for the file without modelling it --------------------------
    // Tables the database does not model (VPORT, VIEW, UCS), in file order.
    std::vector<AcDbObjectId>& rawTables() { return rawTables_; }
    // The CLASSES section, one tag list per class.
    std::vector<Tags>& classes() { return classes_; }
    // Header variables not modelled, in file order: ("$NAME", tags after the 9 tag).
    std::vector<std::pair<std::string, Tags>>& headerVariables() { return headerVariables_; }

    // The handle of the SEQEND that ends a block reference's attributes in a file, by the
    // reference's handle: kept from the file read so that saving writes it again.
    std::unordered_map<std::uint64_t, std::uint64_t>& sequenceEnds() { return sequenceEnds_; }
    const std::unordered_map<std::uint64_t, std::uint64_t>& sequenceEnds() const {
        return sequenceEnds_;
    }

    // The record an object was read with (every tag but its type, handle and extended data),
    // written back as read while the object is unchanged and merged with its values otherwise.
    // Packed into one store for the whole drawing; the stub holds the record's number.
    void keepRecord(AcDbStub* stub, const std::vector<KeptTag>& tags) {
        stub->keptRecord = keptRecords_.add(tags);
    }
    void keepRecord(AcDbStub* stub, const Tags& tags) { stub->keptRecord = keptRecords_.add(tags); }
    // Empty for an object without one.
    KeptTagsView keptRecord(const AcDbStub* stub) const {
        return keptRecords_.get(stub->keptRecord);
    }

    // A copy of bytes read from a file (extended data), kept with the kept records.
    std::string_view keepBytes(std::string_view bytes) { return keptRecords_.keepBytes(bytes); }

    // Tags of an object kept without being modelled, packed with the kept records.
    KeptTagsView packTags(const std::vector<KeptTag>& tags) {
        return keptRecords_.get(keptRecords_.add(tags));
    }

    // The BLOCK and ENDBLK records of a block record as read (each starting with its type),
    // packed with the kept records: a drawing may have tens of thousands of blocks.
    void keepBlockMarkers(const AcDbStub* record, const Tags& begin, const Tags& end) {
        keptBlockMarkers_[record] = {keptRecords_.add(begin), keptRecords_.add(end)};
    }
    // Nothing for a block record that has none.
    std::optional<std::pair<KeptTagsView, KeptTagsView>>
    keptBlockMarkers(const AcDbStub* record) const {
        const auto it = keptBlockMarkers_.find(record);
        if (it == keptBlockMarkers_.end()) {
            return std::nullopt;
        }
        return std::pair{keptRecords_.get(it->second.first), keptRecords_.get(it->second.second)};
    }

    // USERR1..USERR5 (i = 1..5), saved in the drawing; 0.0 in a new drawing.
    double userR(int i) const;
    // Journaled unless `journaled` is false (the journal's own undo).
    void setUserR(int i, double value, bool journaled = true);

    // --- Anonymous names -------------------------------------------------------------------
    // The next number for "*A<n>" (groups) or "*U<n>"/"*D<n>" (blocks); never reused.
    std::uint64_t nextAnonymousNumber() { return ++anonymousCounter_; }
    // A name "*X<digits>" taken from a file moves the counter past its number.
    void noteAnonymousName(const std::string& name);

    // --- Groups ----------------------------------------------------------------------------
    // Memberships and the groups that may have become empty, kept by every change that can
    // empty a group (undo included).
    GroupIndex& groupIndex() { return groupIndex_; }

    // --- Change stamps ---------------------------------------------------------------------
    // Every creation, modification, erasure and undo stamps the object with a new serial, so
    // that a view of the drawing can bring itself up to date with what changed since it looked.
    void noteChanged(AcDbStub* stub) {
        if (stub != nullptr) {
            stub->stamp = ++changeSerial_;
        }
    }
    std::uint64_t changeSerial() const { return changeSerial_; }
    // The objects (erased and taken-back ones too) stamped after `serial`.
    std::vector<AcDbStub*> changedSince(std::uint64_t serial) const;
    // Tells two databases apart for the life of the process (an address may be reused).
    std::uint64_t instanceNumber() const { return instanceNumber_; }

    // --- Open objects ----------------------------------------------------------------------
    void noteOpened() { ++openCount_; }
    void noteClosed() { --openCount_; }
    int openObjectCount() const { return openCount_; }
    std::vector<AcDbObjectId> openObjects() const;

    // The live stub an ads_name (stub pointer, handle) stands for, in any database, or null.
    // Never follows the pointer before it is found among the live stubs.
    static AcDbStub* stubForName(std::int64_t pointer, std::int64_t handle);

private:
    AcDbStub* newStub(std::uint64_t handle);
    void appendToOwnerList(AcDbStub* stub);
    void dropReservation(AcDbStub* stub, LoadRepairs& repairs);
    void linkPendingOwners();
    void repairGroup(AcDbStub& stub, LoadRepairs& repairs);
    void repairDictionary(AcDbStub& stub, LoadRepairs& repairs);
    void indexGroups();

    AcDbDatabase& database_;
    std::deque<AcDbStub> stubs_;
    HandleIndex byHandle_;
    std::uint64_t handseed_ = 1;
    std::uint64_t anonymousCounter_ = 0;
    int openCount_ = 0;
    std::uint64_t changeSerial_ = 0;
    std::uint64_t instanceNumber_;
    WellKnownIds ids_;
    std::vector<AcDbStub*> pendingOwnerLinks_; // loaded before their owner
    std::vector<AcDbObjectId> rawTables_;
    std::vector<Tags> classes_;
    std::vector<std::pair<std::string, Tags>> headerVariables_;
    std::array<double, 5> userR_{};
    std::unordered_map<std::uint64_t, std::uint64_t> sequenceEnds_;
    GroupIndex groupIndex_;
    KeptTagStore keptRecords_;
    // BLOCK and ENDBLK: numbers in keptRecords_.
    std::unordered_map<const AcDbStub*, std::pair<std::uint32_t, std::uint32_t>> keptBlockMarkers_;
    UndoJournal journal_; // last: destroyed first, while the stubs still exist
};

// Objects of `database` still open; the editor reports them at the end of a command.
int openObjectCount(const AcDbDatabase& database);
std::vector<AcDbObjectId> openObjects(const AcDbDatabase& database);

} // namespace veld::db
