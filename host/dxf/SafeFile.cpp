// Temporary file, fsync, backup link and rename.
// The temporary file lives beside the target so that the rename never crosses file systems.
#include "host/dxf/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veld::dxf {

namespace {

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string reason() {
    return std::strerror(errno);
}

bool copyFile(const std::string& from, const std::string& to) {
    std::string content, ignored;
    if (!readWholeFile(from, content, ignored)) {
        return false;
    }
    const int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    const bool ok = writeAll(fd, content) && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

// Keeps the current target as `.bak`: a hard link where the file system has them, else a copy.
bool keepBackup(const std::string& path, std::string& error) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return true; // nothing to keep
    }
    const std::string backup = path + ".bak";
    if (::unlink(backup.c_str()) != 0 && errno != ENOENT) {
        error = "cannot replace " + backup + ": " + reason();
        return false;
    }
    if (::link(path.c_str(), backup.c_str()) == 0 || copyFile(path, backup)) {
        return true;
    }
    error = "cannot keep the previous file as " + backup + ": " + reason();
    return false;
}

void syncDirectory(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool replaceFileSafely(const std::string& path, std::string_view content, std::string& error) {
    return replaceFileSafely(
        path,
        [&](int fd, std::string& why) {
            if (writeAll(fd, content)) {
                return true;
            }
            why = reason();
            return false;
        },
        error);
}

bool replaceFileSafely(const std::string& path,
                       const std::function<bool(int fd, std::string& error)>& write,
                       std::string& error) {
    if (path.empty()) {
        error = "no file name given";
        return false;
    }
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = "cannot write " + path + ": " + reason();
        return false;
    }
    ::fchmod(fd, 0644);
    std::string why;
    if (!write(fd, why) || ::fsync(fd) != 0) {
        error = "cannot write " + path + ": " + (why.empty() ? reason() : why);
        ::close(fd);
        ::unlink(temp.c_str());
        return false;
    }
    if (::close(fd) != 0) {
        error = "cannot write " + path + ": " + reason();
        ::unlink(temp.c_str());
        return false;
    }
    if (!keepBackup(path, error)) {
        ::unlink(temp.c_str());
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        error = "cannot replace " + path + ": " + reason();
        ::unlink(temp.c_str());
        return false;
    }
    syncDirectory(directoryOf(path));
    return true;
}

bool readWholeFile(const std::string& path, std::string& content, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open " + path + ": " + reason();
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = "cannot read " + path + ": not a regular file";
        ::close(fd);
        return false;
    }
    content.clear();
    content.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            error = "cannot read " + path + ": " + reason();
            ::close(fd);
            return false;
        }
        if (n == 0) {
            break;
        }
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

} // namespace veld::dxf
