// Extended data between the database and DXF tags, in the database's own compact form (see
// host/db/XData.h): written after an object's own codes, one 1001 group per application; read
// from the tags of a file straight into an object.
#pragma once
#include "host/dxf/Tag.h"
#include "host/dxf/TagWriter.h"

#include <dbmain.h>
#include <functional>
#include <string>
#include <vector>

namespace veld::db {
class DatabaseImpl;
}

namespace veld::dxf {

void writeXData(TagWriter& out, const AcDbObject& object);

// Gives `object` the extended data of the tags (1001 first), as a file holds it, application
// names with their case. Text longer than 255 bytes is cut at a character boundary. Data past
// the limit for new data (16 KB) is kept; an application whose data exceeds 64 KB is left out.
// Returns how many applications were left out. `registered` is told every application name.
// With `keptIn` (the database the object goes to) the encoded data is kept in that database's
// store of what it read instead of a copy of the object's own. Throws DxfError for values that
// do not fit their codes.
std::size_t readXData(AcDbObject& object, const std::vector<ReadTag>& tags,
                      const std::function<void(const std::string&)>& registered,
                      veld::db::DatabaseImpl* keptIn = nullptr);

} // namespace veld::dxf
