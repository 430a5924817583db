// Handle lookup: a table for the dense handles, an ordered map for the scattered ones.
#include "HandleIndex.h"

#include <algorithm>

namespace veld::db {

namespace {

// The table may hold up to about twice as many slots as handles (or as handles expected), plus
// this many.
constexpr std::uint64_t kSlack = 4096;

} // namespace

bool HandleIndex::fitsTable(std::uint64_t handle) const {
    const std::uint64_t expected = std::max<std::uint64_t>(count_ + 1, expected_);
    return handle < 2 * expected + kSlack;
}

void HandleIndex::growTable(std::uint64_t handle) {
    dense_.resize(handle + 1, nullptr);
    // Scattered handles the table now reaches move into it.
    const auto reached = scattered_.lower_bound(dense_.size());
    for (auto it = scattered_.begin(); it != reached; ++it) {
        dense_[it->first] = it->second;
    }
    scattered_.erase(scattered_.begin(), reached);
}

void HandleIndex::set(std::uint64_t handle, AcDbStub* stub) {
    if (handle >= dense_.size() && fitsTable(handle)) {
        growTable(handle);
    }
    if (handle < dense_.size()) {
        count_ += dense_[handle] == nullptr ? 1 : 0;
        dense_[handle] = stub;
        return;
    }
    count_ += scattered_.insert_or_assign(handle, stub).second ? 1 : 0;
}

AcDbStub* HandleIndex::find(std::uint64_t handle) const {
    if (handle < dense_.size()) {
        return dense_[handle];
    }
    if (scattered_.empty()) {
        return nullptr;
    }
    const auto found = scattered_.find(handle);
    return found != scattered_.end() ? found->second : nullptr;
}

} // namespace veld::db
