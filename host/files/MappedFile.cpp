// File mappings guarded against a file that shrinks while it is read: another program may cut a
// file short at any time, and touching a mapped page past its new end raises SIGBUS. The guard
// puts zero pages in place of what is gone and tells the reader, so the open fails with a reason.
#include "host/files/MappedFile.h"

#include "host/files/FileRead.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstdint>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veld::files {

namespace {

struct GuardedRange {
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> cut{false};
};

std::array<GuardedRange, 16> guarded;
std::mutex guardLock; // taking and freeing places; the signal handler only reads
struct sigaction previousAction {};
std::atomic<bool> handlerInstalled{false};

// Replaces the pages from the faulting one to the end of the range with zero pages.
bool fillWithZeros(GuardedRange& range, std::uintptr_t at) {
    const auto pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t page = at & ~(pageSize - 1);
    void* filled = ::mmap(reinterpret_cast<void*>(page), range.end.load() - page, PROT_READ,
                          MAP_PRIVATE | MAP_FIXED | MAP_ANONYMOUS, -1, 0);
    if (filled == MAP_FAILED) {
        return false;
    }
    range.cut.store(true);
    return true;
}

void onBusError(int signal, siginfo_t* info, void*) {
    const auto at = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (GuardedRange& range : guarded) {
        if (at >= range.begin.load() && at < range.end.load() && fillWithZeros(range, at)) {
            return; // the read is tried again and now sees zeros
        }
    }
    // Not a mapping of ours: whoever handled SIGBUS before (by default, the end of the process)
    // gets it again once this handler returns.
    ::sigaction(signal, &previousAction, nullptr);
    handlerInstalled.store(false);
    ::raise(signal);
}

void installHandler() {
    if (handlerInstalled.load()) {
        return;
    }
    struct sigaction action {};
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    handlerInstalled.store(::sigaction(SIGBUS, &action, &previousAction) == 0);
}

int takeGuard(const char* data, std::size_t bytes) {
    std::lock_guard lock(guardLock);
    installHandler();
    for (std::size_t i = 0; i < guarded.size(); ++i) {
        if (guarded[i].begin.load() == 0) {
            guarded[i].cut.store(false);
            guarded[i].end.store(reinterpret_cast<std::uintptr_t>(data) + bytes);
            guarded[i].begin.store(reinterpret_cast<std::uintptr_t>(data));
            return static_cast<int>(i);
        }
    }
    return -1;
}

void freeGuard(int place) {
    std::lock_guard lock(guardLock);
    guarded[place].begin.store(0);
    guarded[place].end.store(0);
}

} // namespace

MappedFile::~MappedFile() {
    unmap();
}

void MappedFile::unmap() {
    if (guard_ >= 0) {
        freeGuard(guard_);
        guard_ = -1;
    }
    if (mappedBytes_ > 0) {
        ::munmap(const_cast<char*>(data_), mappedBytes_);
        mappedBytes_ = 0;
    }
    copy_.clear();
    data_ = nullptr;
    size_ = 0;
}

bool MappedFile::open(const std::string& path, std::string& error) {
    unmap();
    const int fd = openReadableFile(path, error);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    void* mapped = MAP_FAILED;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        mapped =
            ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    }
    ::close(fd);
    if (mapped == MAP_FAILED) {
        return readInstead(path, error);
    }
    data_ = static_cast<const char*>(mapped);
    size_ = mappedBytes_ = static_cast<std::size_t>(info.st_size);
    guard_ = takeGuard(data_, mappedBytes_);
    if (guard_ < 0) { // more files open at once than places: no mapping without a guard
        unmap();
        return readInstead(path, error);
    }
    return true;
}

bool MappedFile::readInstead(const std::string& path, std::string& error) {
    if (!readWholeFile(path, copy_, error)) {
        return false;
    }
    data_ = copy_.data();
    size_ = copy_.size();
    return true;
}

bool MappedFile::cutShort() const {
    return guard_ >= 0 && guarded[guard_].cut.load();
}

} // namespace veld::files
