// Path mapping and the profile folder setting.
#include "host/win/Paths.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>

namespace veld::win {

namespace {

std::mutex& folderMutex() {
    static std::mutex mutex;
    return mutex;
}

std::string& explicitFolder() {
    static std::string folder;
    return folder;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string defaultProfileFolder() {
    if (std::string folder = environment("VELD_PROFILE"); !folder.empty()) {
        return folder;
    }
    if (std::string config = environment("XDG_CONFIG_HOME"); !config.empty()) {
        return config + "/veld";
    }
    if (std::string home = environment("HOME"); !home.empty()) {
        return home + "/.config/veld";
    }
    return ""; // not the current folder: a profile there would be lost or misplaced
}

} // namespace

std::string nativePath(std::string_view windowsPath) {
    std::string path(windowsPath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string profileFolder() {
    {
        std::lock_guard lock(folderMutex());
        if (!explicitFolder().empty()) {
            return explicitFolder();
        }
    }
    return defaultProfileFolder();
}

void setProfileFolder(const std::string& folder) {
    std::lock_guard lock(folderMutex());
    explicitFolder() = nativePath(folder);
}

std::string resolveProfileFile(std::string_view fileName) {
    std::string path = nativePath(fileName);
    if (path.find('/') != std::string::npos) {
        return path;
    }
    std::string folder = profileFolder();
    if (!folder.empty() && folder.back() != '/') {
        folder.push_back('/');
    }
    return folder + path;
}

} // namespace veld::win
