// The selection sets of a session, named by a serial number that is never reused.
#include "host/ed/SelectionSets.h"

namespace veld::ed {

namespace {
// The second half of a set's name tells set names from entity names.
constexpr std::int64_t kSetMarker = 0x5E7;
} // namespace

bool SelectionSets::create(std::vector<AcDbObjectId> ids, ads_name name) {
    if (sets_.size() >= kMaximumSets) {
        return false;
    }
    std::int64_t serial = nextSerial_++;
    sets_.emplace(serial, std::move(ids));
    name[0] = serial;
    name[1] = kSetMarker;
    return true;
}

const std::vector<AcDbObjectId>* SelectionSets::find(const ads_name name) const {
    if (name == nullptr || name[1] != kSetMarker) {
        return nullptr;
    }
    auto it = sets_.find(name[0]);
    return it != sets_.end() ? &it->second : nullptr;
}

bool SelectionSets::free(const ads_name name) {
    if (find(name) == nullptr) {
        return false;
    }
    sets_.erase(name[0]);
    return true;
}

} // namespace veld::ed
