// Helpers for the tests of the platform file layer: a temporary folder removed at the end, raw
// file access, and a scope that points the profile folder and the search path at a folder.
#pragma once
#include "host/win/CodePage.h"
#include "host/win/FileSearch.h"
#include "host/win/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace veldtest {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "veld-win-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code error;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline bool exists(const std::string& path) {
    return std::filesystem::exists(path);
}

// Number of entries in a folder (to prove that nothing, e.g. a temporary file, was left).
inline int entryCount(const std::string& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

// UTF-8 source text as the Shift-JIS bytes a file holds.
inline std::string sjis(const std::string& utf8) {
    return veld::win::utf8ToSjis(utf8);
}

// Points the profile folder at `folder` and resets the search path; undone at the end.
class ProfileScope {
public:
    explicit ProfileScope(const std::string& folder) {
        veld::win::setProfileFolder(folder);
        veld::win::SearchPath::reset();
    }
    ~ProfileScope() {
        veld::win::setProfileFolder("");
        veld::win::SearchPath::reset();
    }
    ProfileScope(const ProfileScope&) = delete;
    ProfileScope& operator=(const ProfileScope&) = delete;
};

} // namespace veldtest
