// Whole-file reads that look at the file's type first, and file identity by device and inode.
// Opening a FIFO blocks until a writer comes and a device may never end, so neither is opened.
#include "host/files/FileRead.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace veld::files {

namespace {

bool isReadableStat(const std::string& path, const struct stat& info, std::string& error) {
    if (S_ISDIR(info.st_mode)) {
        error = "cannot read " + path + ": it is a folder";
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = "cannot read " + path + ": not a regular file";
        return false;
    }
    return true;
}

bool readAll(int fd, const std::string& path, std::string& content, std::string& error) {
    char buffer[1 << 16];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            error = "cannot read " + path + ": " + std::strerror(errno);
            return false;
        }
        if (n == 0) {
            return true;
        }
        content.append(buffer, static_cast<std::size_t>(n));
    }
}

} // namespace

bool checkReadableFile(const std::string& path, std::string& error) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    return isReadableStat(path, info, error);
}

bool readWholeFile(const std::string& path, std::string& content, std::string& error) {
    if (!checkReadableFile(path, error)) {
        return false;
    }
    // O_NONBLOCK: should the name have become a FIFO since the check, open() still returns.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && isReadableStat(path, info, error);
    if (ok) {
        content.clear();
        content.reserve(static_cast<std::size_t>(info.st_size));
        ok = readAll(fd, path, content, error);
    }
    ::close(fd);
    return ok;
}

std::optional<std::string> readFileBytes(const std::string& path) {
    std::string content, error;
    if (!readWholeFile(path, content, error)) {
        return std::nullopt;
    }
    return content;
}

bool sameFile(const std::string& first, const std::string& second) {
    struct stat a {
    }, b{};
    if (::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0) {
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
    }
    std::error_code ec;
    const auto one = std::filesystem::weakly_canonical(std::filesystem::absolute(first, ec), ec);
    const auto two = std::filesystem::weakly_canonical(std::filesystem::absolute(second, ec), ec);
    return one == two;
}

} // namespace veld::files
