// The database's record of one object (the target of an AcDbObjectId): where the object is,
// its permanent handle, owner, open state and erased state. Stubs live as long as their database.
#pragma once
#include "dbmain.h"

#include <cstdint>

struct AcDbStub {
    AcDbObject* object = nullptr; // null for a handle reserved by the reader but never filled
    AcDbDatabase* database = nullptr;
    AcDbStub* owner = nullptr; // null: owned by the database itself (tables, root dictionary)
    std::uint64_t handle = 0;
    std::uint16_t readers = 0;
    bool writer = false;
    bool erased = false;
    // The creation was undone: the object is gone from every container and iteration, and
    // opening it gives ePermanentlyErased.
    bool gone = false;
    // The state before the first change of the current write open is in the journal.
    bool journaled = false;
    // Appended in the current write open (isNewObject()).
    bool fresh = false;
    // Opened for a change since the drawing was read: its kept file record is no longer all true.
    bool changed = false;
    // When the object last changed in any way (created, modified, erased, taken back): the
    // database's change serial at that moment. Readers that follow the drawing compare it.
    std::uint64_t stamp = 0;
    // The number of the record it was read with in its database's kept records; 0: none.
    std::uint32_t keptRecord = 0;

    bool isOpen() const { return writer || readers > 0; }
    bool isLive() const { return object != nullptr && !gone; }
};
