// AcDbDictionary: named entries in insertion order; keys compare regardless of case; "*"
// makes a fresh anonymous key. Entry changes are journaled one by one.
#include "DatabaseImpl.h"
#include "ObjectAccess.h"
#include "SetterSupport.h"

#include <algorithm>

using veld::db::ObjectAccess;
using veld::db::upperAscii;

ACRX_DEFINE_MEMBERS(AcDbDictionary, AcDbObject)

namespace {

bool isListed(const AcDbStub* value) {
    return value->isLive() && !value->erased;
}

// Takes an object already in the database under this dictionary, journaling the old owner.
void adopt(AcDbStub* value, AcDbStub* dictionary) {
    if (value->owner != dictionary) {
        dictionary->database->impl().journal().recordOwner(value, value->owner);
        value->owner = dictionary;
    }
}

} // namespace

AcDbDictionary::AcDbDictionary() : entries_(std::make_unique<Entries>()) {}
AcDbDictionary::~AcDbDictionary() = default;

Acad::ErrorStatus AcDbDictionary::getAt(const char* key, AcDbObject*& object,
                                        AcDb::OpenMode mode) const {
    object = nullptr;
    AcDbObjectId id;
    const Acad::ErrorStatus es = getAt(key, id);
    return es == Acad::eOk ? acdbOpenAcDbObject(object, id, mode) : es;
}

Acad::ErrorStatus AcDbDictionary::getAt(const char* key, AcDbObjectId& id) const {
    id = AcDbObjectId::kNull;
    if (key == nullptr) {
        return Acad::eInvalidInput;
    }
    auto found = entries_->byKey.find(upperAscii(key));
    if (found == entries_->byKey.end() || !isListed(found->second)) {
        return Acad::eKeyNotFound;
    }
    id = AcDbObjectId(found->second);
    return Acad::eOk;
}

bool AcDbDictionary::has(const char* key) const {
    AcDbObjectId id;
    return getAt(key, id) == Acad::eOk;
}

bool AcDbDictionary::has(AcDbObjectId id) const {
    std::string key;
    return !id.isNull() && isListed(id.stub()) && nameAt(id, key) == Acad::eOk;
}

Adesk::UInt32 AcDbDictionary::numEntries() const {
    Adesk::UInt32 n = 0;
    for (const auto& entry : entries_->list) {
        n += isListed(entry.value) ? 1 : 0;
    }
    return n;
}

Acad::ErrorStatus AcDbDictionary::setAt(const char* key, AcDbObject* newValue,
                                        AcDbObjectId& retObjId) {
    retObjId = AcDbObjectId::kNull;
    if (key == nullptr || *key == '\0') {
        return Acad::eInvalidInput;
    }
    if (newValue == nullptr) {
        return Acad::eNullObjectPointer;
    }
    AcDbStub* self = ObjectAccess::stub(*this);
    if (self == nullptr) {
        return Acad::eInvalidInput;
    }
    if (!self->writer) {
        return Acad::eNotOpenForWrite;
    }
    AcDbStub* value = ObjectAccess::stub(*newValue);
    if (value != nullptr && value->database != self->database) {
        return Acad::eWrongDatabase;
    }
    if (value == self) {
        return Acad::eInvalidInput;
    }
    veld::db::DatabaseImpl& impl = self->database->impl();
    std::string name = key;
    // A fresh anonymous name is looked up in the key index only: scanning the entry list would
    // make every new group cost as much as all the groups before it.
    const bool anonymous = name == "*";
    if (anonymous) {
        do {
            name = "*A" + std::to_string(impl.nextAnonymousNumber());
        } while (entries_->byKey.count(upperAscii(name)) != 0);
    }
    const std::size_t index = anonymous ? std::string::npos : entries_->positionOfKey(name);
    if (index != std::string::npos && entries_->list[index].value == value) {
        retObjId = AcDbObjectId(value);
        return Acad::eOk;
    }
    if (value == nullptr) {
        value = impl.addObject(newValue, self);
    } else {
        adopt(value, self);
    }
    if (index != std::string::npos) {
        impl.journal().recordDictionaryReplace(self, index, entries_->list[index].value);
        ObjectAccess::dictionarySetValueAt(*this, index, value);
    } else {
        ObjectAccess::dictionaryInsertAt(*this, entries_->list.size(), name, value);
        impl.journal().recordDictionaryInsert(self, entries_->list.size() - 1);
    }
    retObjId = AcDbObjectId(value);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(const char* key) {
    AcDbObjectId id;
    return remove(key, id);
}

Acad::ErrorStatus AcDbDictionary::remove(const char* key, AcDbObjectId& returnId) {
    returnId = AcDbObjectId::kNull;
    if (key == nullptr) {
        return Acad::eInvalidInput;
    }
    if (!ObjectAccess::canWrite(*this)) {
        return Acad::eNotOpenForWrite;
    }
    const std::size_t index = entries_->positionOfKey(key);
    if (index == std::string::npos) {
        return Acad::eKeyNotFound;
    }
    const Entries::Entry entry = entries_->list[index];
    if (AcDbStub* self = ObjectAccess::stub(*this)) {
        self->database->impl().journal().recordDictionaryRemove(self, index, entry.key,
                                                                entry.value);
    }
    ObjectAccess::dictionaryEraseAt(*this, index);
    returnId = AcDbObjectId(entry.value);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::nameAt(AcDbObjectId id, std::string& key) const {
    const std::size_t at = id.isNull() ? std::string::npos : entries_->firstPositionOf(id.stub());
    if (at == std::string::npos) {
        return Acad::eKeyNotFound;
    }
    key = entries_->list[at].key;
    return Acad::eOk;
}

AcDbDictionaryIterator* AcDbDictionary::newIterator() const {
    std::vector<AcDbDictionaryIterator::Entry> listed;
    for (const auto& entry : entries_->list) {
        if (isListed(entry.value)) {
            listed.push_back({entry.key, AcDbObjectId(entry.value)});
        }
    }
    return new AcDbDictionaryIterator(std::move(listed));
}

// The empty groups come from the database's group index; their places from the value index.
AcDbDictionaryIterator* AcDbDictionary::newEmptyGroupIterator(AcDbObjectId id,
                                                              const char* key) const {
    std::vector<std::size_t> positions;
    auto take = [&](const std::vector<std::size_t>& more) {
        positions.insert(positions.end(), more.begin(), more.end());
    };
    if (AcDbStub* self = ObjectAccess::stub(*this)) {
        for (AcDbStub* group : self->database->impl().groupIndex().emptyGroups()) {
            take(entries_->positionsOf(group));
        }
    }
    if (!id.isNull()) {
        take(entries_->positionsOf(id.stub()));
    }
    const std::size_t keyed = key != nullptr ? entries_->positionOfKey(key) : std::string::npos;
    if (keyed != std::string::npos) {
        positions.push_back(keyed);
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    std::vector<AcDbDictionaryIterator::Entry> listed;
    for (std::size_t at : positions) {
        const auto& entry = entries_->list[at];
        if (isListed(entry.value)) {
            listed.push_back({entry.key, AcDbObjectId(entry.value)});
        }
    }
    return new AcDbDictionaryIterator(std::move(listed));
}

// The entries are not part of the state: each change to them is journaled on its own.
AcDbObject* AcDbDictionary::cloneState() const {
    auto* copy = new AcDbDictionary;
    copy->copyBaseState(*this);
    return copy;
}

void AcDbDictionary::restoreState(const AcDbObject& saved) {
    copyBaseState(saved);
}

namespace veld::db {

namespace {

// A value entering a dictionary may be an empty group the walks must find.
void noteNewValue(AcDbObject& dictionary, AcDbStub* value) {
    if (AcDbStub* self = ObjectAccess::stub(dictionary); self != nullptr && value != nullptr) {
        self->database->impl().groupIndex().noteMaybeEmpty(value);
    }
}

} // namespace

void ObjectAccess::dictionaryEraseAt(AcDbObject& dictionary, std::size_t index) {
    static_cast<AcDbDictionary&>(dictionary).entries_->eraseAt(index);
}

void ObjectAccess::dictionaryInsertAt(AcDbObject& dictionary, std::size_t index,
                                      const std::string& key, AcDbStub* value) {
    static_cast<AcDbDictionary&>(dictionary).entries_->insertAt(index, key, value);
    noteNewValue(dictionary, value);
}

void ObjectAccess::dictionarySetValueAt(AcDbObject& dictionary, std::size_t index,
                                        AcDbStub* value) {
    static_cast<AcDbDictionary&>(dictionary).entries_->setValueAt(index, value);
    noteNewValue(dictionary, value);
}

} // namespace veld::db
