// Layer names for -LAYER: name lists ("A,B*") matched with wildcards, and making a new layer with
// the defaults of the original host (colour 7, Continuous).
#pragma once
#include "dbmain.h"

#include <string>
#include <utility>
#include <vector>

namespace veld::ed {

class LayerNames {
public:
    static std::vector<std::string> split(const std::string& list);
    // The layers whose names match one of the patterns of the list, in table order.
    static std::vector<std::pair<AcDbObjectId, std::string>> matching(const std::string& list);
    // Adds a layer; false (and the host's message) when the name is not valid.
    static bool create(const std::string& name);
    static std::string linetypeName(AcDbObjectId linetypeId);
};

} // namespace veld::ed
