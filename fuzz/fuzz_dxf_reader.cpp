// Feeds arbitrary bytes to the DXF reader: it must report an error or read a drawing, never
// crash, hang or allocate without bound; whatever it reads can be written again.
#include "host/dxf/DrawingFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    auto db = veld::dxf::readDrawingData(bytes, error);
    if (db) {
        (void)veld::dxf::drawingToDxf(*db);
    }
    return 0;
}
