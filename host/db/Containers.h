// The private parts of the container classes (tables, block records, dictionaries, groups),
// shared by their own sources, the journal and the file code.
#pragma once
#include "Stub.h"
#include "dbdict.h"
#include "dbsymtb.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct AcDbSymbolTable::Records {
    std::vector<AcDbStub*> order;
    // Upper-case name -> record. Entries are never removed on rename (the journal may bring an
    // old name back); a lookup checks that the record still has the name and is in the table.
    std::unordered_multimap<std::string, AcDbStub*> byName;
};

struct AcDbBlockTableRecord::Contents {
    std::vector<AcDbStub*> entities; // append order; membership is journaled by creation
    AcGePoint3d origin;
    std::string pathName;
    // Handles of the BLOCK and ENDBLK entities a drawing file writes for the block (0: none yet).
    std::uint64_t beginHandle = 0, endHandle = 0;
};

struct AcDbDictionary::Entries {
    struct Entry {
        std::string key;
        AcDbStub* value = nullptr;
        std::uint64_t order = 0; // grows along the list: finds an entry's place by bisection
    };
    std::vector<Entry> list;                          // insertion order
    std::unordered_map<std::string, AcDbStub*> byKey; // upper-case key
    // Value -> order of each entry holding it (an object is normally under one key only).
    std::unordered_multimap<AcDbStub*, std::uint64_t> ordersOfValue;

    // Every change of the list goes through these, so that the indexes follow.
    void insertAt(std::size_t index, const std::string& key, AcDbStub* value);
    void eraseAt(std::size_t index);
    void setValueAt(std::size_t index, AcDbStub* value);
    // After the list was edited directly (a load dropping entries): orders and indexes anew.
    void reindex();
    // Positions of the entries holding `value`, ascending; the first one's or npos.
    std::vector<std::size_t> positionsOf(const AcDbStub* value) const;
    std::size_t firstPositionOf(const AcDbStub* value) const;
    // Position of the entry with that key (any case), or npos.
    std::size_t positionOfKey(std::string_view key) const;
};

struct AcDbGroup::Members {
    std::vector<AcDbStub*> ids; // member order, erased members kept
    std::string description;
    bool selectable = true;
};
