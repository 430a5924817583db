// Extended data between the database and DXF tags: written after an object's own codes, one
// 1001 group per application; read from the tags of an entity into the database.
#pragma once
#include "host/dxf/Tag.h"
#include "host/dxf/TagWriter.h"

#include <dbmain.h>
#include <vector>

namespace veld::dxf {

void writeXData(TagWriter& out, const AcDbObject& object);

// Builds a result-buffer chain from extended-data tags (1001 first). Text longer than the
// database takes is cut at a character boundary. Throws DxfError for values that are no numbers.
resbuf* xdataChainFromTags(const std::vector<OwnedTag>& tags);

} // namespace veld::dxf
