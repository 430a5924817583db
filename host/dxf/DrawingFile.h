// Opening and saving drawings: the host's entry points for DXF files.
// The runner's --out, SAVE and --drawing go through these two functions.
#pragma once
#include <dbmain.h>
#include <memory>
#include <string>
#include <vector>

namespace veld::dxf {

// Saves the drawing as ASCII DXF R2013 (AC1027, UTF-8). The file is written beside the target
// under a temporary name, flushed to disk and renamed over the target; the previous file is kept
// as `<path>.bak`. On failure returns false with the reason in `error` ("cannot write x.dxf:
// Permission denied") and leaves the old file untouched.
bool saveDrawing(const AcDbDatabase& db, const std::string& path, std::string& error);

// Opens an ASCII or binary DXF file (R12 to R2018) into a new database. Null on failure, with
// one line in `error` naming the file, the line (or byte) and what was expected there. No
// half-read drawing is ever returned.
std::unique_ptr<AcDbDatabase> openDrawing(const std::string& path, std::string& error);

// The same for DXF data in memory (tests, the fuzzer); `error` has no file name. `notes` gets
// one line for each kind of thing the drawing could not keep as the file holds it (openDrawing
// prints them on standard error).
std::unique_ptr<AcDbDatabase> readDrawingData(std::string_view data, std::string& error,
                                              std::vector<std::string>* notes = nullptr);
// The DXF text of a drawing.
std::string drawingToDxf(const AcDbDatabase& db);

} // namespace veld::dxf
