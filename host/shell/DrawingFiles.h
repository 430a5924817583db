// Reading and writing drawing files for the runner: the DXF reader and writer and the SVG
// export. Each returns false (or null) with a one-line reason.
#pragma once
#include "dbmain.h"

#include <memory>
#include <string>

namespace veld::shell {

class DrawingFiles {
public:
    static std::unique_ptr<AcDbDatabase> read(const std::string& path, std::string& error);
    static bool save(const AcDbDatabase& db, const std::string& path, std::string& error);
    static bool exportSvg(const AcDbDatabase& db, const std::string& path, std::string& error);
};

} // namespace veld::shell
