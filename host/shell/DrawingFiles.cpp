// Reading and writing drawing files for the runner.
#include "host/shell/DrawingFiles.h"

namespace veld::shell {

std::unique_ptr<AcDbDatabase> DrawingFiles::read(const std::string& path, std::string& error) {
    error = "cannot read " + path + ": this build has no DXF reader yet";
    return nullptr;
}

bool DrawingFiles::save(const AcDbDatabase&, const std::string& path, std::string& error) {
    error = "cannot save " + path + ": this build has no DXF writer yet";
    return false;
}

bool DrawingFiles::exportSvg(const AcDbDatabase&, const std::string& path, std::string& error) {
    error = "cannot write " + path + ": this build has no SVG export yet";
    return false;
}

} // namespace veld::shell
