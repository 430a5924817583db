// The selection filter of acedSSGet: entity type (group code 0, the DXF name such as "LINE")
// and layer (group code 8); both take wildcards and several comma-separated names.
#pragma once
#include "adsdef.h"
#include "dbmain.h"

#include <string>
#include <vector>

namespace veld::ed {

class SelectionFilter {
public:
    // False when the filter uses a group code this host does not filter on.
    bool parse(const resbuf* filter);
    bool accepts(AcDbObjectId id) const;
    // The DXF name of an entity's class ("LINE", "INSERT"; "" for one the host does not model).
    static std::string dxfName(const AcDbEntity* entity);

private:
    std::vector<std::string> types_;
    std::vector<std::string> layers_;
};

} // namespace veld::ed
