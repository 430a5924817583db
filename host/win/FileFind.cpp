// CFileFind: the framework's file finder over std::filesystem, wildcards in the last part.
#include "afxfile.h"

#include "host/win/Paths.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

namespace {

namespace fs = std::filesystem;

char fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// '*' and '?' matching without regard to ASCII case (iterative, with one backtrack point).
bool wildcardMatch(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = std::string_view::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || fold(pattern[p]) == fold(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

bool isDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

} // namespace

BOOL CFileFind::FindFile(const char* name, DWORD /*unused*/) {
    Close();
    const std::string path = veld::win::nativePath(name != nullptr ? name : "*.*");
    const std::size_t slash = path.rfind('/');
    folder_ = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string pattern = slash == std::string::npos ? path : path.substr(slash + 1);
    if (pattern.empty()) {
        return FALSE;
    }
    if (pattern.find_first_of("*?") == std::string::npos) {
        std::error_code error;
        if (fs::exists(path, error)) {
            names_.push_back(pattern);
            directories_.push_back(isDirectory(path));
        }
        return names_.empty() ? FALSE : TRUE;
    }
    if (pattern == "*.*") {
        pattern = "*";
    }
    std::error_code error;
    const fs::path folder = folder_.empty() ? fs::path(".") : fs::path(folder_);
    std::vector<std::pair<std::string, bool>> found;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        if (wildcardMatch(pattern, entry)) {
            found.emplace_back(entry, isDirectory(it->path()));
        }
    }
    std::sort(found.begin(), found.end());
    for (auto& [entry, directory] : found) {
        names_.push_back(entry);
        directories_.push_back(directory);
    }
    return names_.empty() ? FALSE : TRUE;
}

BOOL CFileFind::FindNextFile() {
    if (current_ + 1 >= static_cast<int>(names_.size())) {
        return FALSE;
    }
    ++current_;
    return current_ + 1 < static_cast<int>(names_.size()) ? TRUE : FALSE;
}

std::string CFileFind::GetFilePath() const {
    return current_ < 0 ? std::string() : folder_ + names_[static_cast<std::size_t>(current_)];
}

std::string CFileFind::GetFileName() const {
    return current_ < 0 ? std::string() : names_[static_cast<std::size_t>(current_)];
}

BOOL CFileFind::IsDirectory() const {
    return current_ >= 0 && directories_[static_cast<std::size_t>(current_)] ? TRUE : FALSE;
}

void CFileFind::Close() {
    folder_.clear();
    names_.clear();
    directories_.clear();
    current_ = -1;
}
