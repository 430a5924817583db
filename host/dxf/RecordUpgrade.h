// Entity records of files older than the version the writer writes, put into that version's form:
// the sizes of proxy graphics and proxy data, and the view of an R12 paper-space viewport.
#pragma once
#include "host/dxf/RecordReader.h"

#include <cstdint>
#include <functional>
#include <string>

namespace veld::dxf {

// The handle of a layer by name (0: no such layer).
using LayerHandleOf = std::function<std::uint64_t(const std::string&)>;

// Changes `record` (read from a file of `fileVersion`, "AC1009" ...) in place:
// - before R2013, a proxy entity's graphics are sized by group 92 and its data by 93 and 96;
//   from R2013 on by 160, 161 and 162. Without the new codes, readers find no graphics.
// - an R12 VIEWPORT keeps its view (target, direction, height, snap, grid, frozen layers) in
//   its "ACAD" extended data, list "MVIEW"; later versions hold it in the entity's own codes and
//   read that extended data as foreign. The view moves into the codes, the list is dropped.
// Records in any other shape are left as they are.
void upgradeEntityRecord(const std::string& fileVersion, Record& record,
                         const LayerHandleOf& layerHandle);

} // namespace veld::dxf
