// One object of a DXF file (entity, table record, object) as read: its type, handle, owner,
// persistent reactors, its own tags and its extended data, with typed access for the builders.
#pragma once
#include "host/db/KeptTagStore.h"
#include "host/dxf/TagSource.h"

#include <acge.h>
#include <cstdint>
#include <string>
#include <vector>

namespace veld::dxf {

struct Record {
    std::string type;
    std::size_t line = 0;
    std::uint64_t handle = 0; // 0: the file gave none
    std::uint64_t owner = 0;
    std::vector<std::uint64_t> reactors;
    std::vector<ReadTag> body;  // all tags but the type, handle and extended data
    std::vector<ReadTag> xdata; // from the first 1001 on
    const TagSource* source = nullptr;
    // Values keptTags() left out because they do not fit their codes ("70 inf").
    mutable std::size_t refusedValues = 0;

    // The first tag with the code, or null.
    const ReadTag* find(int code) const;
    std::string text(int code, const std::string& fallback = {}) const;
    double real(int code, double fallback = 0.0) const;
    std::int64_t integer(int code, std::int64_t fallback = 0) const;
    // x from `code`, y and z from code + 10 and code + 20 (missing parts 0).
    AcGePoint3d point(int code) const;
    // Raises the error for a tag whose value does not fit its code.
    [[noreturn]] void badValue(const ReadTag& tag, const char* expected) const;
    double realOf(const ReadTag& tag) const;
    std::int64_t integerOf(const ReadTag& tag) const;
    // The tags as written back for an object kept as read (owner and reactors included), without
    // values that do not fit their codes.
    std::vector<std::pair<int, std::string>> keptTags() const;
    // The same starting with (0, type), as views into the record (valid while it lives); true
    // when they hold a subclass marker.
    bool keptTagViews(std::vector<veld::db::KeptTag>& out) const;
};

// False for a number code whose value is no number of its kind.
bool fitsItsCode(int code, std::string_view value);

// Reads tags up to the next group 0 into a record. The current tag must be the group 0 that
// starts it; dimension styles carry their handle in group 105, all others in group 5.
Record readRecord(TagSource& source);
// The same into `r`, whose storage is used again: no allocation once it has grown.
void readRecord(TagSource& source, Record& r);

} // namespace veld::dxf
