// Writes a whole drawing as ASCII DXF R2013 (AC1027, UTF-8): header, classes, every table,
// blocks (with the computed geometry blocks of aligned dimensions), entities and objects
// (dictionaries, groups, objects kept as read). Handles are the database's own.
#pragma once
#include "host/dxf/TagWriter.h"

#include <dbmain.h>

namespace veld::dxf {

void writeDrawing(const AcDbDatabase& db, TagSink& sink);

} // namespace veld::dxf
