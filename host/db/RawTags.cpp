// Tags of objects kept as read: copied out of the database's store only when asked for as a list.
#include "RawTags.h"

namespace veld::db {

const Tags& RawTags::list() const {
    if (packed()) {
        owned_ = packed_.toTags();
        packed_ = KeptTagsView();
    }
    return owned_;
}

bool RawTags::hasCode(int code) const {
    bool found = false;
    forEach([&](int c, std::string_view) { found = found || c == code; });
    return found;
}

} // namespace veld::db
