// Writes the view's scene body for a DXF file, and with a second file the delta from the first
// to the second: the browser tests and the benchmark serve these bytes as the server would.
//   veld_scene_dump IN.dxf OUT.scene [NEXT.dxf DELTA.scene]
#include "host/dxf/DrawingFile.h"
#include "host/render/DisplayList.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>

namespace {

bool writeFile(const char* path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::unique_ptr<AcDbDatabase> open(const char* path) {
    std::string error;
    auto db = veld::dxf::openDrawing(path, error);
    if (!db) {
        std::cerr << error << "\n";
    }
    return db;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::cerr << "usage: veld_scene_dump IN.dxf OUT.scene [NEXT.dxf DELTA.scene]\n";
        return 2;
    }
    const auto db = open(argv[1]);
    if (!db) {
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    const auto list = veld::render::DisplayList::build(*db);
    const auto built = std::chrono::steady_clock::now();
    const std::string scene = list.serialize();
    const auto end = std::chrono::steady_clock::now();
    using Ms = std::chrono::duration<double, std::milli>;
    std::printf("{\"chunks\":%zu,\"shapes\":%zu,\"bytes\":%zu,\"build_ms\":%.1f,"
                "\"build_and_serialize_ms\":%.1f}\n",
                list.chunks().size(), list.shapes().size(), scene.size(), Ms(built - start).count(),
                Ms(end - start).count());
    if (!writeFile(argv[2], scene)) {
        return 1;
    }
    if (argc == 5) {
        const auto next = open(argv[3]);
        if (!next) {
            return 1;
        }
        const auto after = veld::render::DisplayList::build(*next);
        if (!writeFile(argv[4], after.serializeDelta(list))) {
            return 1;
        }
    }
    return 0;
}
