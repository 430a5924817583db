// Where the office's standards drawing lives.
#include "host/win/StandardsFile.h"

#include "host/win/Paths.h"
#include "winprofile.h"

#include <filesystem>

namespace veld::win {

namespace fs = std::filesystem;

std::string templateFolder() {
    char value[256] = {};
    const std::string config = resolveProfileFile("VELDOR.ini");
    GetPrivateProfileStringA("PATH", "TEMPLATE", "TEMPLATE", value, sizeof value, config.c_str());
    const fs::path folder = nativePath(value[0] != '\0' ? value : "TEMPLATE");
    return folder.is_absolute() ? folder.string() : (fs::path(profileFolder()) / folder).string();
}

std::string standardsDrawingPath() {
    return (fs::path(templateFolder()) / kStandardsFileName).string();
}

} // namespace veld::win
