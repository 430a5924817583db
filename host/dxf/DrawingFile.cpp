// File-level open and save around the reader and writer.
// Errors of the reader become one line with the file name; saving streams into a safe file.
#include "host/dxf/DrawingFile.h"

#include "host/dxf/DxfReader.h"
#include "host/dxf/DxfWriter.h"
#include "host/dxf/SafeFile.h"

#include <cstdio>
#include <new>

namespace veld::dxf {

std::string drawingToDxf(const AcDbDatabase& db) {
    std::string text;
    text.reserve(1 << 20);
    TextTagSink sink(text);
    writeDrawing(db, sink);
    return text;
}

bool saveDrawing(const AcDbDatabase& db, const std::string& path, std::string& error) {
    return replaceFileSafely(
        path,
        [&](int fd, std::string& why) {
            FileTagSink sink(fd);
            try {
                writeDrawing(db, sink);
            } catch (const std::bad_alloc&) {
                why = "out of memory";
                return false;
            }
            return sink.finish();
        },
        error);
}

std::unique_ptr<AcDbDatabase> readDrawingData(std::string_view data, std::string& error,
                                              std::vector<std::string>* notes) {
    try {
        return readDrawing(data, notes);
    } catch (const DxfError& e) {
        error = e.what();
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    } catch (const std::exception& e) {
        error = std::string("unreadable drawing: ") + e.what();
    }
    return nullptr;
}

std::unique_ptr<AcDbDatabase> openDrawing(const std::string& path, std::string& error) {
    std::string data;
    if (!readWholeFile(path, data, error)) {
        return nullptr;
    }
    std::vector<std::string> notes;
    auto db = readDrawingData(data, error, &notes);
    if (!db) {
        error = path + ": " + error;
    }
    for (const std::string& note : notes) {
        std::fprintf(stderr, "veld: %s: %s\n", path.c_str(), note.c_str());
    }
    return db;
}

} // namespace veld::dxf
