// Packing of kept tag lists: per list a u32 count, then per tag its code and the end of its
// value (both 32-bit), then the values' bytes back to back.
#include "KeptTagStore.h"

#include <algorithm>
#include <cstring>
#include <sys/mman.h>

namespace veld::db {

namespace {

constexpr std::size_t kFirstBlockBytes = std::size_t{1} << 16; // a small drawing stays small
constexpr std::size_t kBlockBytes = std::size_t{1} << 22;
constexpr std::uintptr_t kHugePage = std::uintptr_t{1} << 21;
constexpr std::size_t kAlign = alignof(std::uint32_t);
constexpr std::size_t kEntryBytes = 2 * sizeof(std::uint32_t);

std::uint32_t load32(const char* p) {
    std::uint32_t value = 0;
    std::memcpy(&value, p, sizeof value);
    return value;
}

// Only advice: fewer page faults for a large drawing where the system offers huge pages.
void adviseHugePages(char* block, std::size_t size) {
    const auto begin = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = (begin + size) & ~(kHugePage - 1);
    if (last > first) {
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
}

} // namespace

KeptTagsView::KeptTagsView(const char* record) {
    count_ = load32(record);
    entries_ = record + sizeof count_;
    text_ = entries_ + count_ * kEntryBytes;
}

KeptTag KeptTagsView::operator[](std::size_t i) const {
    const char* entry = entries_ + i * kEntryBytes;
    const std::uint32_t begin = i == 0 ? 0 : load32(entry - sizeof(std::uint32_t));
    const std::uint32_t end = load32(entry + sizeof(std::uint32_t));
    return {static_cast<std::int32_t>(load32(entry)), std::string_view(text_ + begin, end - begin)};
}

Tags KeptTagsView::toTags(std::size_t first) const {
    Tags tags;
    tags.reserve(count_ > first ? count_ - first : 0);
    for (std::size_t i = first; i < count_; ++i) {
        const auto [code, value] = (*this)[i];
        tags.emplace_back(code, std::string(value));
    }
    return tags;
}

char* KeptTagStore::allocate(std::size_t bytes) {
    bytes = (bytes + kAlign - 1) / kAlign * kAlign;
    if (bytes > left_) {
        // Blocks double up to their full size. A list larger than a block gets a block of its
        // own; the current one stays in use.
        const std::size_t blockBytes =
            blockBytes_ == 0 ? kFirstBlockBytes : std::min(2 * blockBytes_, kBlockBytes);
        const std::size_t size = std::max(bytes, blockBytes);
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
        adviseHugePages(blocks_.back().get(), size);
        if (size > blockBytes) {
            return blocks_.back().get();
        }
        blockBytes_ = size;
        cursor_ = blocks_.back().get();
        left_ = size;
    }
    char* at = cursor_;
    cursor_ += bytes;
    left_ -= bytes;
    return at;
}

std::uint32_t KeptTagStore::add(const std::vector<KeptTag>& tags) {
    std::size_t textBytes = 0;
    for (const auto& tag : tags) {
        textBytes += tag.second.size();
    }
    const auto count = static_cast<std::uint32_t>(tags.size());
    const std::size_t headBytes = sizeof(std::uint32_t) + count * kEntryBytes;
    char* record = allocate(headBytes + textBytes);
    std::memcpy(record, &count, sizeof count);
    char* entry = record + sizeof count;
    char* text = record + headBytes;
    std::uint32_t end = 0;
    for (const auto& [code, value] : tags) {
        if (!value.empty()) {
            std::memcpy(text + end, value.data(), value.size());
        }
        end += static_cast<std::uint32_t>(value.size());
        const std::int32_t code32 = code;
        std::memcpy(entry, &code32, sizeof code32);
        std::memcpy(entry + sizeof code32, &end, sizeof end);
        entry += kEntryBytes;
    }
    records_.push_back(record);
    return static_cast<std::uint32_t>(records_.size());
}

std::uint32_t KeptTagStore::add(const Tags& tags) {
    scratch_.clear();
    for (const auto& [code, value] : tags) {
        scratch_.emplace_back(code, value);
    }
    return add(scratch_);
}

KeptTagsView KeptTagStore::get(std::uint32_t number) const {
    return number == 0 || number > records_.size() ? KeptTagsView()
                                                   : KeptTagsView(records_[number - 1]);
}

} // namespace veld::db
