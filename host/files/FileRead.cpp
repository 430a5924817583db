// Whole-file reads that look at the file's type first, and file identity by device and inode.
// Opening a FIFO blocks until a writer comes and a device may never end, so neither is opened.
#include "host/files/FileRead.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/mman.h>
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

// Large buffers in huge pages where the system offers them: a drawing of hundreds of megabytes
// then costs a few hundred page faults instead of tens of thousands. Only advice.
void adviseHugePages(std::string& buffer) {
    constexpr std::uintptr_t kHuge = std::uintptr_t{1} << 21;
    const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data());
    const std::uintptr_t first = (begin + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t last = (begin + buffer.capacity()) & ~(kHuge - 1);
    if (last > first) {
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
}

// Reads straight into `content`, sized for `expected` bytes (the file may still change).
bool readAll(int fd, const std::string& path, std::size_t expected, std::string& content,
             std::string& error) {
    content.reserve(expected + 1);
    if (expected >= (std::size_t{1} << 22)) {
        adviseHugePages(content);
    }
    content.resize(expected + 1); // one more: the end shows without growing
    std::size_t used = 0;
    while (true) {
        if (used == content.size()) {
            content.resize(used + std::max<std::size_t>(used / 2, 1 << 16));
        }
        const ssize_t n = ::read(fd, content.data() + used, content.size() - used);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            error = "cannot read " + path + ": " + std::strerror(errno);
            return false;
        }
        if (n == 0) {
            content.resize(used);
            return true;
        }
        used += static_cast<std::size_t>(n);
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

int openReadableFile(const std::string& path, std::string& error) {
    if (!checkReadableFile(path, error)) {
        return -1;
    }
    // O_NONBLOCK: should the name have become a FIFO since the check, open() still returns.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open " + path + ": " + std::strerror(errno);
    }
    return fd;
}

bool readWholeFile(const std::string& path, std::string& content, std::string& error) {
    const int fd = openReadableFile(path, error);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && isReadableStat(path, info, error);
    if (ok) {
        content.clear();
        ok = readAll(fd, path, static_cast<std::size_t>(info.st_size), content, error);
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
