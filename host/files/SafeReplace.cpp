// Temporary file beside the target, flush, backup link and rename; the rules of replaceFile().
// The temporary file lives in the target's folder so that the rename never crosses file systems.
#include "host/files/SafeReplace.h"

#include "host/files/FileRead.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace veld::files {

namespace {

// Temporary files are named ".<name>.veld-save-<pid>-<n>.tmp": hidden, and carrying the id of
// the process that writes them so that a later run can tell a dead writer's leftovers.
constexpr std::string_view kTempMarker = ".veld-save-";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr int kMaxLinkDepth = 40;

std::string reason() {
    return std::strerror(errno);
}

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

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

std::string temporaryNameFor(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return directoryOf(target) + "/." + baseNameOf(target) + std::string(kTempMarker) +
           std::to_string(::getpid()) + "-" + std::to_string(counter++) + std::string(kTempSuffix);
}

// The process id in a temporary file's name, or 0 when the name is not one of ours.
pid_t writerOf(std::string_view name) {
    if (name.size() < kTempSuffix.size() || name.front() != '.' ||
        name.substr(name.size() - kTempSuffix.size()) != kTempSuffix) {
        return 0;
    }
    const auto marker = name.rfind(kTempMarker);
    if (marker == std::string_view::npos) {
        return 0;
    }
    long pid = 0;
    for (auto i = marker + kTempMarker.size(); i < name.size() && name[i] != '-'; ++i) {
        if (name[i] < '0' || name[i] > '9' || pid > 1 << 30) {
            return 0;
        }
        pid = pid * 10 + (name[i] - '0');
    }
    return static_cast<pid_t>(pid);
}

bool isRunning(pid_t pid) {
    return pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH;
}

// Follows symbolic links to the file they name; a dangling link gives the name it points to,
// which a save then creates. Empty with `error` set for a loop.
std::string followLinks(std::string path, std::string& error) {
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return path;
        }
        char target[4096];
        const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
        if (n < 0) {
            return path;
        }
        std::string next(target, static_cast<std::size_t>(n));
        path = next.front() == '/' ? next : directoryOf(path) + "/" + next;
    }
    error = "cannot write " + path + ": too many levels of symbolic links";
    return "";
}

// What the rules say about the existing target: nothing (new name), or a reason to refuse.
bool checkTarget(const std::string& path, const struct stat* info, std::string& error) {
    if (info == nullptr) {
        return true;
    }
    if (!S_ISREG(info->st_mode)) {
        error = "cannot write " + path +
                (S_ISDIR(info->st_mode) ? ": it is a folder" : ": not a regular file");
        return false;
    }
    if ((info->st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0) {
        error = "cannot write " + path + ": the file is read-only";
        return false;
    }
    return true;
}

// Gives the temporary file the target's owner and mode (a new file keeps the umask's mode).
// The owner goes first: changing it clears the set-id bits that the mode then restores.
void copyOwnerAndMode(int fd, const struct stat* target) {
    if (target == nullptr) {
        return;
    }
    if (::fchown(fd, target->st_uid, target->st_gid) != 0) {
        [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), target->st_gid);
    }
    ::fchmod(fd, target->st_mode & 07777);
}

bool fillAndClose(int fd, const ContentWriter& write, std::string& why) {
    bool ok = write(fd, why);
    if (ok && ::fsync(fd) != 0) {
        why = reason();
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        why = reason();
        ok = false;
    }
    if (!ok && why.empty()) {
        why = reason();
    }
    return ok;
}

bool copyForBackup(const std::string& from, const std::string& to, const struct stat& info) {
    std::string content, ignored;
    if (!readWholeFile(from, content, ignored)) {
        return false;
    }
    const int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    copyOwnerAndMode(fd, &info);
    std::string why;
    return fillAndClose(
        fd, [&](int out, std::string&) { return writeAll(out, content); }, why);
}

// Keeps the current target as `.bak`: a hard link where the file system has them, else a copy.
bool keepBackup(const std::string& path, const struct stat& info, std::string& error) {
    const std::string backup = path + ".bak";
    if (::unlink(backup.c_str()) != 0 && errno != ENOENT) {
        error = "cannot replace " + backup + ": " + reason();
        return false;
    }
    if (::link(path.c_str(), backup.c_str()) == 0 || copyForBackup(path, backup, info)) {
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

// The folder takes no new file, but the file itself is writable: rewrite it where it is.
bool rewriteInPlace(const std::string& path, const ContentWriter& write, std::string& error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC);
    std::string why;
    if (fd < 0 || !fillAndClose(fd, write, why)) {
        error = "cannot write " + path + ": " + (fd < 0 ? reason() : why);
        return false;
    }
    return true;
}

bool folderRefusesNewFiles(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

bool replaceThroughTemporary(const std::string& target, const struct stat* existing,
                             const ContentWriter& write, const ReplaceOptions& options,
                             std::string& error) {
    const std::string temporary = temporaryNameFor(target);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (existing != nullptr && folderRefusesNewFiles(errno)) {
            return rewriteInPlace(target, write, error);
        }
        error = "cannot write " + target + ": " + reason();
        return false;
    }
    copyOwnerAndMode(fd, existing);
    std::string why;
    if (!fillAndClose(fd, write, why)) {
        error = "cannot write " + target + ": " + why;
        ::unlink(temporary.c_str());
        return false;
    }
    if (options.keepBackup && existing != nullptr && !keepBackup(target, *existing, error)) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (!runHook(temporary) || ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = "cannot replace " + target + ": " + reason();
        ::unlink(temporary.c_str());
        return false;
    }
    syncDirectory(directoryOf(target));
    return true;
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

bool replaceFile(const std::string& path, const ContentWriter& write, const ReplaceOptions& options,
                 std::string& error) {
    if (path.empty()) {
        error = "no file name given";
        return false;
    }
    const std::string target = followLinks(path, error);
    if (target.empty()) {
        return false;
    }
    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (!checkTarget(target, exists ? &info : nullptr, error)) {
        return false;
    }
    removeLeftovers(target);
    return replaceThroughTemporary(target, exists ? &info : nullptr, write, options, error);
}

bool replaceFile(const std::string& path, std::string_view content, const ReplaceOptions& options,
                 std::string& error) {
    return replaceFile(
        path,
        [&](int fd, std::string& why) {
            if (writeAll(fd, content)) {
                return true;
            }
            why = reason();
            return false;
        },
        options, error);
}

void removeLeftovers(const std::string& path) {
    const std::string folder = directoryOf(path);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t writer = writerOf(entry->d_name);
        if (writer > 0 && !isRunning(writer)) {
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

void setBeforeRenameHookForTesting(BeforeRenameHook beforeRename) {
    std::lock_guard lock(hookMutex());
    hook() = std::move(beforeRename);
}

} // namespace veld::files
