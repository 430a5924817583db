// File-level open and save around the reader and writer.
// Errors of the reader become one line with the file name; saving streams into a safe file.
#include "host/dxf/DrawingFile.h"

#include "host/dxf/DxfReader.h"
#include "host/dxf/DxfWriter.h"
#include "host/files/MappedFile.h"
#include "host/files/SafeReplace.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <new>

namespace veld::dxf {

namespace {

bool hasDwgExtension(const std::string& path) {
    if (path.size() < 4) {
        return false;
    }
    std::string extension = path.substr(path.size() - 4);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".dwg";
}

// A DWG file opens with its version, "AC1015" and the like; no DXF file starts that way.
bool looksLikeDwg(std::string_view data) {
    return data.size() >= 6 && data.substr(0, 2) == "AC" &&
           std::all_of(data.begin() + 2, data.begin() + 6,
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

} // namespace

std::string drawingToDxf(const AcDbDatabase& db) {
    std::string text;
    text.reserve(1 << 20);
    TextTagSink sink(text);
    writeDrawing(db, sink);
    return text;
}

bool saveDrawing(const AcDbDatabase& db, const std::string& path, std::string& error) {
    if (hasDwgExtension(path)) {
        error = "cannot write " + path + ": DWG files are not supported; save as .dxf";
        return false;
    }
    return files::replaceFile(
        path,
        [&](int fd, std::string& why) {
            FileTagSink sink(fd);
            try {
                writeDrawing(db, sink);
            } catch (const std::bad_alloc&) {
                why = "out of memory";
                return false;
            }
            if (sink.nonFiniteReals() > 0) {
                why = "the drawing holds a number that is not finite";
                return false;
            }
            return sink.finish();
        },
        {.keepBackup = true}, error);
}

namespace {

std::unique_ptr<AcDbDatabase> readChecked(std::string_view data, std::string& error,
                                          std::vector<std::string>* notes, bool releaseAsRead) {
    try {
        return readDrawing(data, notes, releaseAsRead);
    } catch (const DxfError& e) {
        error = e.what();
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    } catch (const std::exception& e) {
        error = std::string("unreadable drawing: ") + e.what();
    }
    return nullptr;
}

} // namespace

std::unique_ptr<AcDbDatabase> readDrawingData(std::string_view data, std::string& error,
                                              std::vector<std::string>* notes) {
    return readChecked(data, error, notes, false);
}

std::unique_ptr<AcDbDatabase> openDrawing(const std::string& path, std::string& error) {
    files::MappedFile file;
    if (!file.open(path, error)) {
        return nullptr;
    }
    const std::string_view data = file.bytes();
    if (looksLikeDwg(data)) {
        error = path + ": this is a DWG file, not DXF";
        return nullptr;
    }
    std::vector<std::string> notes;
    auto db = readChecked(data, error, &notes, true); // the buffer goes after the reading
    if (file.cutShort()) {
        db.reset();
        error = "the file was cut short by another program while it was read; open it again";
    }
    if (!db) {
        error = path + ": " + error;
    }
    for (const std::string& note : notes) {
        std::fprintf(stderr, "veld: %s: %s\n", path.c_str(), note.c_str());
    }
    return db;
}

} // namespace veld::dxf
