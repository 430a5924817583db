// Reads a DXF file (ASCII or binary, R12 to R2018) into a new database. The database is handed
// over only when the whole file was read; a malformed file raises one DxfError naming the line
// (or byte) and what was expected there.
#pragma once
#include <dbmain.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace veld::dxf {

// `notes` (when given) gets one line per kind of loss or change the drawing made to the file.
// With `releaseAsRead`, the memory of `data` already read is handed back to the system as the
// reading goes on (those bytes read as zeros after): for a buffer dropped after the reading.
std::unique_ptr<AcDbDatabase> readDrawing(std::string_view data,
                                          std::vector<std::string>* notes = nullptr,
                                          bool releaseAsRead = false);

} // namespace veld::dxf
