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

namespace veld::dxf {

void writeXData(TagWriter& out, const AcDbObject& object);

// Gives `object` the extended data of the tags (1001 first), as a file holds it. Text longer
// than 255 bytes is cut at a character boundary; applications past the 16 KB limit are left out.
// `registered` is told every application name. Throws DxfError for values that do not fit
// their codes.
void readXData(AcDbObject& object, const std::vector<OwnedTag>& tags,
               const std::function<void(const std::string&)>& registered);

} // namespace veld::dxf
