// Dictionaries (the named-object dictionary, ACAD_GROUP) and groups.
#pragma once
#include "dbmain.h"

#include <string>
#include <vector>

class AcDbDictionaryIterator {
public:
    struct Entry {
        std::string name;
        AcDbObjectId id;
    };
    explicit AcDbDictionaryIterator(std::vector<Entry> entries) : entries_(std::move(entries)) {}
    const char* name() const { return entries_[index_].name.c_str(); }
    AcDbObjectId objectId() const { return entries_[index_].id; }
    Acad::ErrorStatus getObject(AcDbObject*& object, AcDb::OpenMode mode) const {
        return acdbOpenAcDbObject(object, objectId(), mode);
    }
    bool done() const { return index_ >= entries_.size(); }
    bool next() {
        ++index_;
        return !done();
    }

private:
    std::vector<Entry> entries_;
    std::size_t index_ = 0;
};

class AcDbDictionary : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbDictionary)
    AcDbDictionary();
    ~AcDbDictionary() override;

    Acad::ErrorStatus getAt(const char* key, AcDbObject*& object, AcDb::OpenMode mode) const;
    Acad::ErrorStatus getAt(const char* key, AcDbObjectId& id) const;
    bool has(const char* key) const;
    bool has(AcDbObjectId id) const;
    Adesk::UInt32 numEntries() const;
    // Adds (or replaces) an entry and takes ownership of the object. The key "*" makes an
    // anonymous entry "*A<n>" with n one more than the highest used so far. The dictionary must
    // be open for write and in a database; the new object is left open for write.
    Acad::ErrorStatus setAt(const char* key, AcDbObject* newValue, AcDbObjectId& retObjId);
    Acad::ErrorStatus remove(const char* key);
    Acad::ErrorStatus remove(const char* key, AcDbObjectId& returnId);
    Acad::ErrorStatus nameAt(AcDbObjectId id, std::string& key) const;
    // Entries in the order they were added; entries of erased objects are skipped.
    AcDbDictionaryIterator* newIterator() const; // the caller deletes it
    // Host extension for walks that erase the empty groups they pass on their way to one entry:
    // like newIterator, but only the entries that are groups without a listed member and the
    // entries of `id` and of `key` (any case; either may be null). The host keeps the groups
    // that may have become empty indexed, so this costs what it lists, not what the dictionary
    // holds. The caller deletes it.
    AcDbDictionaryIterator* newEmptyGroupIterator(AcDbObjectId id, const char* key) const;

    AcDbObject* cloneState() const override;
    void restoreState(const AcDbObject& saved) override;

private:
    friend struct veld::db::ObjectAccess;
    struct Entries;
    std::unique_ptr<Entries> entries_;
};

// A named selection of entities. Adding a member plants this group as a persistent reactor on
// it; an erased member is not counted or listed, and is listed again once unerased.
class AcDbGroup : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbGroup)
    explicit AcDbGroup(const char* description = nullptr, bool selectable = true);
    ~AcDbGroup() override;

    // The group must be in a database (in the dictionary) and open for write.
    Acad::ErrorStatus append(AcDbObjectId id);
    Acad::ErrorStatus append(const AcDbObjectIdArray& ids);
    Acad::ErrorStatus remove(AcDbObjectId id);
    Acad::ErrorStatus clear();
    bool has(const AcDbEntity* entity) const;
    Adesk::UInt32 numEntities() const;
    // Member ids in member order, erased members left out; returns their number.
    Adesk::UInt32 allEntityIds(AcDbObjectIdArray& ids) const;

    std::string description() const;
    Acad::ErrorStatus setDescription(const char* text);
    bool isSelectable() const;
    Acad::ErrorStatus setSelectable(bool on);
    bool isAnonymous() const;
    // The dictionary key of the group ("*A3"); empty when it is in no dictionary.
    std::string name() const;

    AcDbObject* cloneState() const override;
    void restoreState(const AcDbObject& saved) override;

private:
    friend struct veld::db::ObjectAccess;
    struct Members;
    std::unique_ptr<Members> members_;
};
