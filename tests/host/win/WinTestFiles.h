// Helpers for the tests of the platform file layer: folder checks, Shift-JIS text, and a scope
// that points the profile folder and the search path at a folder.
#pragma once
#include "host/win/CodePage.h"
#include "host/win/FileSearch.h"
#include "host/win/Paths.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <string>

namespace veld::test {

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

} // namespace veld::test
