// Copying the default installation into a profile folder and pointing its VELDOR.ini at it.
#include "host/win/ProfileInstaller.h"

#include "host/win/Paths.h"
#include "winprofile.h"

#include <filesystem>

namespace veld::win {

namespace {

namespace fs = std::filesystem;

constexpr const char* kConfigFile = "VELDOR.ini";

// Copies the files that are missing in `to`; sets `copiedConfig` when VELDOR.ini was one.
bool copyMissing(const fs::path& from, const fs::path& to, bool& copiedConfig) {
    std::error_code error;
    fs::create_directories(to, error);
    if (error) {
        return false;
    }
    for (fs::recursive_directory_iterator it(from, error), end; !error && it != end;
         it.increment(error)) {
        const fs::path target = to / fs::relative(it->path(), from);
        if (it->is_directory()) {
            fs::create_directories(target, error);
        } else if (!fs::exists(target)) {
            // A copy is the user's own: writable even when the checkout's file is not.
            if (fs::copy_file(it->path(), target, error)) {
                fs::permissions(target, fs::perms::owner_write, fs::perm_options::add, error);
            }
            copiedConfig = copiedConfig || target == to / kConfigFile;
        }
        if (error) {
            return false;
        }
    }
    return !error;
}

} // namespace

bool installProfile(const std::string& supportFolder, const std::string& profileFolder) {
    std::error_code error;
    const fs::path profile = fs::absolute(nativePath(profileFolder), error).lexically_normal();
    if (error) {
        return false;
    }
    bool copiedConfig = false;
    if (!copyMissing(nativePath(supportFolder), profile, copiedConfig)) {
        return false;
    }
    if (!copiedConfig) {
        return true;
    }
    std::string folder = profile.generic_string();
    if (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    const std::string config = (profile / kConfigFile).generic_string();
    return WritePrivateProfileStringA("VELDOR", "INI", folder.c_str(), config.c_str()) &&
           WritePrivateProfileStringA("VELDOR", "PROG", folder.c_str(), config.c_str());
}

} // namespace veld::win
