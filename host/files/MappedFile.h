// A regular file's bytes mapped read-only instead of copied: a drawing of hundreds of megabytes
// is read straight from the page cache, without first filling as much fresh memory.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace veld::files {

class MappedFile {
public:
    MappedFile() = default;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    // Maps `path`, a regular file (as checkReadableFile says); false with the reason in `error`.
    // A file that cannot be mapped (empty, or on a file system without mmap) is read instead.
    bool open(const std::string& path, std::string& error);

    std::string_view bytes() const { return {data_, size_}; }

    // True once the file has shrunk under the mapping since it was opened: the part that is
    // gone reads as zero bytes instead of stopping the process, and what was read is not the
    // file.
    bool cutShort() const;

private:
    void unmap();
    bool readInstead(const std::string& path, std::string& error);

    const char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t mappedBytes_ = 0; // 0 when the bytes are a copy in `copy_`
    int guard_ = -1;              // this mapping's place among the guarded ones
    std::string copy_;
};

} // namespace veld::files
