// Reads a DXF file (ASCII or binary, R12 to R2018) into a new database. The database is handed
// over only when the whole file was read; a malformed file raises one DxfError naming the line
// (or byte) and what was expected there.
#pragma once
#include <dbmain.h>
#include <memory>
#include <string_view>

namespace veld::dxf {

std::unique_ptr<AcDbDatabase> readDrawing(std::string_view data);

} // namespace veld::dxf
