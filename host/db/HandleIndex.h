// The stubs of one database by handle. A drawing's handles are mostly dense from 1 up: those go
// to a table indexed by the handle itself (8 bytes each, no allocation per object); handles far
// past the others go to a map until the table reaches them.
#pragma once
#include "Stub.h"

#include <cstdint>
#include <map>
#include <vector>

namespace veld::db {

class HandleIndex {
public:
    // Room for about `count` handles; an estimate. A file's handles do not come in order (a
    // block's entities before the model space's): the table then takes them from the start.
    void reserve(std::size_t count) {
        expected_ = count;
        dense_.reserve(count);
    }
    // Puts `stub` under `handle` (in place of one there).
    void set(std::uint64_t handle, AcDbStub* stub);
    AcDbStub* find(std::uint64_t handle) const;
    bool contains(std::uint64_t handle) const { return find(handle) != nullptr; }
    std::size_t size() const { return count_; }

private:
    bool fitsTable(std::uint64_t handle) const;
    void growTable(std::uint64_t handle);

    std::vector<AcDbStub*> dense_;                 // by handle; null where none
    std::map<std::uint64_t, AcDbStub*> scattered_; // ordered: the table takes a range of them
    std::size_t count_ = 0;
    std::size_t expected_ = 0;
};

} // namespace veld::db
