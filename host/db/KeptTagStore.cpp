// Packing of kept tag lists: per list a u32 count, then per tag its code and the end of its
// value, then the values' bytes back to back. Code and end take 16 bits each, or 32 bits each in
// a list whose values pass 64 KB together (its count then has the top bit set).
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
constexpr std::uint32_t kWide = std::uint32_t{1} << 31;

template <class T> T load(const char* p) {
    T value{};
    std::memcpy(&value, p, sizeof value);
    return value;
}

template <class T> char* store(char* p, T value) {
    std::memcpy(p, &value, sizeof value);
    return p + sizeof value;
}

std::size_t entryBytes(bool wide) {
    return wide ? 2 * sizeof(std::uint32_t) : 2 * sizeof(std::uint16_t);
}

// Most lists are small: 16-bit codes and ends halve what a tag costs beyond its text.
bool needsWide(const std::vector<KeptTag>& tags, std::size_t textBytes) {
    return textBytes > UINT16_MAX || std::any_of(tags.begin(), tags.end(), [](const KeptTag& t) {
               return t.first < INT16_MIN || t.first > INT16_MAX;
           });
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
    const auto head = load<std::uint32_t>(record);
    wide_ = (head & kWide) != 0;
    count_ = head & ~kWide;
    entries_ = record + sizeof head;
    text_ = entries_ + count_ * entryBytes(wide_);
}

KeptTag KeptTagsView::operator[](std::size_t i) const {
    if (wide_) {
        const char* entry = entries_ + i * entryBytes(true);
        const auto begin = i == 0 ? 0 : load<std::uint32_t>(entry - sizeof(std::uint32_t));
        const auto end = load<std::uint32_t>(entry + sizeof(std::uint32_t));
        return {load<std::int32_t>(entry), std::string_view(text_ + begin, end - begin)};
    }
    const char* entry = entries_ + i * entryBytes(false);
    const std::uint32_t begin = i == 0 ? 0 : load<std::uint16_t>(entry - sizeof(std::uint16_t));
    const std::uint32_t end = load<std::uint16_t>(entry + sizeof(std::uint16_t));
    return {load<std::int16_t>(entry), std::string_view(text_ + begin, end - begin)};
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
    const bool wide = needsWide(tags, textBytes);
    const auto count = static_cast<std::uint32_t>(tags.size());
    const std::size_t headBytes = sizeof(std::uint32_t) + count * entryBytes(wide);
    char* record = allocate(headBytes + textBytes);
    char* entry = store(record, wide ? count | kWide : count);
    char* text = record + headBytes;
    std::uint32_t end = 0;
    for (const auto& [code, value] : tags) {
        if (!value.empty()) {
            std::memcpy(text + end, value.data(), value.size());
        }
        end += static_cast<std::uint32_t>(value.size());
        if (wide) {
            entry = store(store(entry, std::int32_t{code}), end);
        } else {
            entry = store(store(entry, static_cast<std::int16_t>(code)),
                          static_cast<std::uint16_t>(end));
        }
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

std::string_view KeptTagStore::keepBytes(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    char* copy = allocate(bytes.size());
    std::memcpy(copy, bytes.data(), bytes.size());
    return {copy, bytes.size()};
}

KeptTagsView KeptTagStore::get(std::uint32_t number) const {
    return number == 0 || number > records_.size() ? KeptTagsView()
                                                   : KeptTagsView(records_[number - 1]);
}

} // namespace veld::db
