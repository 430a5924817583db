// The private parts of the container classes (tables, block records, dictionaries, groups),
// shared by their own sources, the journal and the file code.
#pragma once
#include "Stub.h"
#include "dbdict.h"
#include "dbsymtb.h"

#include <string>
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
    };
    std::vector<Entry> list;                          // insertion order
    std::unordered_map<std::string, AcDbStub*> byKey; // upper-case key
};

struct AcDbGroup::Members {
    std::vector<AcDbStub*> ids; // member order, erased members kept
    std::string description;
    bool selectable = true;
};
