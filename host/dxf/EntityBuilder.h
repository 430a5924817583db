// Makes the database's entities from the records of a DXF file: LINE, POINT, TEXT, ATTDEF,
// ATTRIB, INSERT, aligned DIMENSION, LWPOLYLINE, CIRCLE and ARC become modelled entities; every
// other entity (and dimensions of other kinds) is kept as read.
#pragma once
#include "host/dxf/RecordReader.h"

#include <dbmain.h>
#include <functional>
#include <string>

namespace veld::dxf {

// Looks a table record up by name (case-insensitive); null id when the table has none.
struct NameLookup {
    std::function<AcDbObjectId(const std::string&)> layer, linetype, textStyle, dimStyle, block;
};

// A new entity (not in a database) for the record; null for a record isModelledEntity refuses
// (the drawing keeps those as read). Raises DxfError for values that do not fit their group codes.
AcDbEntity* buildEntity(const Record& record, const NameLookup& names);

// True for records buildEntity turns into modelled entities.
bool isModelledEntity(const Record& record);

} // namespace veld::dxf
