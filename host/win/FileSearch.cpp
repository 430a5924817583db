// acedFindFile and the search path it walks (order documented in FileSearch.h).
#include "host/win/FileSearch.h"

#include "aced.h"
#include "host/win/Paths.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>

namespace veld::win {

namespace {

namespace fs = std::filesystem;

struct SearchState {
    std::mutex mutex;
    std::string drawingFolder;
    std::vector<std::string> supportFolders;
};

SearchState& state() {
    static SearchState s;
    return s;
}

std::vector<std::string> environmentFolders() {
    std::vector<std::string> folders;
    const char* value = std::getenv("VELD_SUPPORT_PATH");
    if (value == nullptr) {
        return folders;
    }
    std::string_view rest(value);
    while (true) {
        const std::size_t colon = rest.find(':');
        folders.emplace_back(rest.substr(0, colon));
        if (colon == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(colon + 1);
    }
    return folders;
}

bool isRegularFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

std::string absoluteText(const fs::path& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(path, error);
    if (error) {
        absolute = path;
    }
    return absolute.lexically_normal().generic_string();
}

} // namespace

void SearchPath::setDrawingFolder(const std::string& folder) {
    std::lock_guard lock(state().mutex);
    state().drawingFolder = nativePath(folder);
}

void SearchPath::setSupportFolders(const std::vector<std::string>& folders) {
    std::lock_guard lock(state().mutex);
    state().supportFolders.clear();
    for (const std::string& folder : folders) {
        state().supportFolders.push_back(nativePath(folder));
    }
}

void SearchPath::reset() {
    std::lock_guard lock(state().mutex);
    state().drawingFolder.clear();
    state().supportFolders.clear();
}

std::vector<std::string> SearchPath::folders() {
    std::vector<std::string> all;
    {
        std::lock_guard lock(state().mutex);
        all.push_back(state().drawingFolder);
        if (state().supportFolders.empty() && !profileFolder().empty()) {
            all.push_back(profileFolder());
        } else {
            all.insert(all.end(), state().supportFolders.begin(), state().supportFolders.end());
        }
    }
    for (std::string& folder : environmentFolders()) {
        all.push_back(nativePath(folder));
    }
    std::erase_if(all, [](const std::string& folder) { return folder.empty(); });
    return all;
}

std::optional<std::string> SearchPath::find(std::string_view fileName) {
    const std::string name = nativePath(fileName);
    if (name.empty()) {
        return std::nullopt;
    }
    if (isRegularFile(name)) {
        return absoluteText(name);
    }
    if (name.find('/') != std::string::npos) {
        return std::nullopt;
    }
    for (const std::string& folder : folders()) {
        const fs::path candidate = fs::path(folder) / name;
        if (isRegularFile(candidate)) {
            return absoluteText(candidate);
        }
    }
    return std::nullopt;
}

} // namespace veld::win

int acedFindFile(const char* fileName, char* result, std::size_t bufferLength) {
    if (fileName == nullptr || result == nullptr || bufferLength == 0) {
        return RTERROR;
    }
    const auto found = veld::win::SearchPath::find(fileName);
    if (!found || found->size() + 1 > bufferLength) {
        result[0] = '\0';
        return RTERROR;
    }
    std::memcpy(result, found->c_str(), found->size() + 1);
    return RTNORM;
}
