// Feeds arbitrary bytes to the DXF reader: it must report an error or read a drawing, never
// crash, hang or allocate without bound.
#include "host/dxf/TagReader.h"

#include <cstddef>
#include <cstdint>
#include <string>

#if __has_include("host/db/RawObjects.h")
#include "host/dxf/DrawingFile.h"
#define VELD_FUZZ_WHOLE_READER 1
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
#ifdef VELD_FUZZ_WHOLE_READER
    std::string error;
    auto db = veld::dxf::readDrawingData(bytes, error);
    if (db) {
        (void)veld::dxf::drawingToDxf(*db); // whatever was read can be written
    }
#else
    try {
        veld::dxf::TagReader reader(bytes);
        veld::dxf::Tag tag;
        while (reader.next(tag)) {
        }
    } catch (const veld::dxf::DxfError&) {
    }
#endif
    return 0;
}
