// The profile folder: installation on first use and the search path.
#include "host/shell/Profile.h"

#include "dbmain.h"
#include "host/dxf/DrawingFile.h"
#include "host/files/FileRead.h"
#include "host/files/SafeReplace.h"
#include "host/shell/InstallLayout.h"
#include "host/win/CodePage.h"
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
    // The module reads the profile's paths from Shift-JIS files: a name they cannot hold would
    // come back with '?' in it and every file under it would be missing.
    if (win::sjisToUtf8(win::utf8ToSjis(profile.string())) != profile.string()) {
        error = "the profile folder " + profile.string() +
                " has characters that Shift-JIS cannot hold; choose another with --profile DIR";
        return false;
    }
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
    for (const std::string& each : folders) {
        files::removeLeftovers(each + "/"); // of defaults files whose save was killed
    }
    win::SearchPath::setSupportFolders(folders);
    return true;
}

// The file name of the new drawing stays empty, so SAVE asks for one.
std::unique_ptr<AcDbDatabase> Profile::newDrawing(const std::string& templateOption,
                                                  std::string& error) {
    if (templateOption == "none") {
        return std::make_unique<AcDbDatabase>();
    }
    if (!templateOption.empty()) {
        return dxf::openDrawing(templateOption, error);
    }
    // The installation's own standards drawing: read without the notes a user's file gets (it
    // was written by another program, so the reader has things to say about every new drawing).
    const std::string path = win::standardsDrawingPath();
    std::error_code ec;
    std::string data;
    if (!fs::is_regular_file(path, ec) || !files::readWholeFile(path, data, error)) {
        return std::make_unique<AcDbDatabase>();
    }
    std::unique_ptr<AcDbDatabase> db = dxf::readDrawingData(data, error);
    if (!db) {
        error = path + ": " + error;
    }
    return db;
}

} // namespace veld::shell
