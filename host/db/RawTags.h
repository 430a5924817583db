// The tags of an object kept without being modelled: packed among the database's kept records
// while they are as read, an owned list once they are set or asked for as a list.
#pragma once
#include "KeptTagStore.h"

#include <string_view>
#include <utility>

namespace veld::db {

class RawTags {
public:
    RawTags() = default;
    RawTags(Tags tags) : owned_(std::move(tags)) {} // implicit: a list stands for itself
    // `packed` points into the database's store and lives as long as the database.
    explicit RawTags(KeptTagsView packed) : packed_(packed) {}

    // The tags as a list. Tags still packed are copied out the first time: few callers need a
    // list, and a large drawing holds tens of thousands of these.
    const Tags& list() const;
    bool packed() const { return !packed_.empty(); }
    std::size_t size() const { return packed() ? packed_.size() : owned_.size(); }
    bool hasCode(int code) const;

    // Calls visit(code, std::string_view value) for each tag in order, without copying them.
    template <class Visit> void forEach(Visit&& visit) const {
        if (packed()) {
            for (const auto [code, value] : packed_) {
                visit(code, value);
            }
            return;
        }
        for (const auto& [code, value] : owned_) {
            visit(code, std::string_view(value));
        }
    }

private:
    mutable Tags owned_;
    mutable KeptTagsView packed_; // empty once copied out or for an owned list
};

} // namespace veld::db
