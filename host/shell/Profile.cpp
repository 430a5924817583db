// The profile folder: installation on first use and the search path.
#include "host/shell/Profile.h"

#include "dbmain.h"
#include "host/dxf/DrawingFile.h"
#include "host/shell/InstallLayout.h"
#include "host/win/FileSearch.h"
#include "host/win/Paths.h"
#include "host/win/ProfileInstaller.h"
#include "host/win/StandardsFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace veld::shell {

namespace fs = std::filesystem;

std::string Profile::folder(const std::string& option) {
    return option.empty() ? win::profileFolder() : option;
}

std::string Profile::supportFolder() {
    const char* fromEnvironment = std::getenv("VELD_SUPPORT_DIR");
    return fromEnvironment != nullptr && *fromEnvironment != '\0'
               ? fromEnvironment
               : InstallLayout::defaultSupportFolder();
}

bool Profile::prepare(const std::string& folder, std::string& error) {
    std::error_code ec;
    if (folder.empty()) {
        error = "no profile folder (give --profile, or set VELD_PROFILE or HOME)";
        return false;
    }
    const fs::path profile = fs::absolute(folder, ec).lexically_normal();
    const std::string support = supportFolder();
    if (ec || !fs::is_directory(support, ec)) {
        error = "the installation folder " + support + " is missing (set VELD_SUPPORT_DIR)";
        return false;
    }
    if (!win::installProfile(support, profile.string())) {
        error = "cannot install the profile in " + profile.string();
        return false;
    }
    win::setProfileFolder(profile.string());
    std::vector<std::string> folders{profile.string()};
    std::vector<std::string> children;
    for (const auto& entry : fs::directory_iterator(profile, ec)) {
        if (entry.is_directory()) {
            children.push_back(entry.path().string());
        }
    }
    std::sort(children.begin(), children.end());
    folders.insert(folders.end(), children.begin(), children.end());
    win::SearchPath::setSupportFolders(folders);
    return true;
}

// The file name of the new drawing stays empty, so SAVE asks for one.
std::unique_ptr<AcDbDatabase> Profile::newDrawing(const std::string& templateOption,
                                                  std::string& error) {
    if (templateOption == "none") {
        return std::make_unique<AcDbDatabase>();
    }
    const std::string path = templateOption.empty() ? win::standardsDrawingPath() : templateOption;
    std::error_code ec;
    if (templateOption.empty() && !fs::is_regular_file(path, ec)) {
        return std::make_unique<AcDbDatabase>();
    }
    return dxf::openDrawing(path, error);
}

} // namespace veld::shell
