// Entities read from R12 files carry no subclass markers; DXF R2013 needs them. This adds the
// markers (100 AcDbEntity, then the kind's own) to the kept tags of such entities, gathering the
// common codes (layer, linetype, colour ...) in front; every tag stays as it was read.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace veld::dxf {

using KeptTags = std::vector<std::pair<int, std::string>>;

// Does nothing when the tags already hold a subclass marker. A leading (0, type) stays in front.
void addSubclassMarkers(const std::string& dxfType, KeptTags& tags);

} // namespace veld::dxf
