// Whole-file reads and temporary-file-and-rename writes with POSIX calls.
#include "host/win/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace veld::win {

namespace {

std::mutex& hookMutex() {
    static std::mutex mutex;
    return mutex;
}

BeforeRenameHook& hook() {
    static BeforeRenameHook beforeRename;
    return beforeRename;
}

bool runHook(const std::string& temporaryPath) {
    BeforeRenameHook current;
    {
        std::lock_guard lock(hookMutex());
        current = hook();
    }
    return !current || current(temporaryPath);
}

std::string temporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp" + std::to_string(::getpid()) + "." + std::to_string(counter++);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The file the rename must replace: the target of a symbolic link, the path itself otherwise.
std::string renameTarget(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        auto resolved = std::filesystem::weakly_canonical(path, error);
        if (!error) {
            return resolved.string();
        }
    }
    return path;
}

// Creates and fills the temporary file; its path, or "" when that failed (nothing left behind).
std::string writeTemporary(const std::string& target, std::string_view bytes) {
    const std::string temporary = temporaryNameFor(target);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return "";
    }
    struct stat existing {};
    bool ok = true;
    if (::stat(target.c_str(), &existing) == 0) {
        ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
    }
    ok = ok && writeAll(fd, bytes) && ::fdatasync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        ::unlink(temporary.c_str());
        return "";
    }
    return temporary;
}

} // namespace

std::optional<std::string> readFileBytes(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

bool isReadOnlyFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return false;
    }
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

bool replaceFileContents(const std::string& path, std::string_view bytes) {
    const std::string target = renameTarget(path);
    const std::string temporary = writeTemporary(target, bytes);
    if (temporary.empty()) {
        return false;
    }
    if (!runHook(temporary) || std::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

void setBeforeRenameHookForTesting(BeforeRenameHook beforeRename) {
    std::lock_guard lock(hookMutex());
    hook() = std::move(beforeRename);
}

} // namespace veld::win
