// The selection sets of a session: made by acedSSGet, read by acedSSLength/acedSSName, freed by
// acedSSFree. At most 128 sets exist at a time, as on the original host.
#pragma once
#include "adsdef.h"
#include "dbmain.h"

#include <cstdint>
#include <map>
#include <vector>

namespace veld::ed {

class SelectionSets {
public:
    static constexpr std::size_t kMaximumSets = 128;

    // Makes a set of the ids; false when 128 sets are in use already.
    bool create(std::vector<AcDbObjectId> ids, ads_name name);
    const std::vector<AcDbObjectId>* find(const ads_name name) const;
    bool free(const ads_name name);
    std::size_t count() const { return sets_.size(); }

private:
    std::map<std::int64_t, std::vector<AcDbObjectId>> sets_;
    std::int64_t nextSerial_ = 1;
};

} // namespace veld::ed
