// The tag lists of objects kept as read from a file, packed one after another into large blocks
// owned by the database: no allocation per tag or per record, a few bytes beyond the text.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veld::db {

using Tags = std::vector<std::pair<int, std::string>>;
using KeptTag = std::pair<int, std::string_view>;

// One kept list, read-only; empty for an object that has none. Valid while its store lives.
class KeptTagsView {
public:
    KeptTagsView() = default;
    explicit KeptTagsView(const char* record);

    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    KeptTag operator[](std::size_t i) const;
    KeptTag front() const { return (*this)[0]; }
    // An owned copy of the tags from `first` on.
    Tags toTags(std::size_t first = 0) const;

    class Iterator {
    public:
        Iterator(const KeptTagsView* view, std::size_t i) : view_(view), i_(i) {}
        KeptTag operator*() const { return (*view_)[i_]; }
        Iterator& operator++() {
            ++i_;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return i_ != other.i_; }

    private:
        const KeptTagsView* view_;
        std::size_t i_;
    };
    Iterator begin() const { return {this, 0}; }
    Iterator end() const { return {this, count_}; }

private:
    // Per tag: its code and where its value ends among the text bytes.
    const char* entries_ = nullptr;
    const char* text_ = nullptr;
    std::uint32_t count_ = 0;
    bool wide_ = false; // 32-bit codes and ends instead of 16-bit ones
};

class KeptTagStore {
public:
    // Adds a list and returns its number (from 1; 0 stands for none).
    std::uint32_t add(const std::vector<KeptTag>& tags);
    std::uint32_t add(const Tags& tags);
    KeptTagsView get(std::uint32_t number) const;
    // A copy of `bytes` kept with the lists (extended data as read).
    std::string_view keepBytes(std::string_view bytes);

private:
    char* allocate(std::size_t bytes);

    std::vector<std::unique_ptr<char[]>> blocks_;
    char* cursor_ = nullptr;
    std::size_t left_ = 0;
    std::size_t blockBytes_ = 0; // the size of the current block
    std::vector<const char*> records_;
    std::vector<KeptTag> scratch_;
};

} // namespace veld::db
