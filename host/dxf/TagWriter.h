// Writes tags: to an ASCII DXF text (group codes right-aligned in three columns, one value per
// line, reals in their shortest form that reads back to the same double) or to a list in memory
// so that tests can compare (code, value) runs directly.
#pragma once
#include "host/dxf/Tag.h"

#include <acge.h>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace veld::dxf {

class TagSink {
public:
    virtual ~TagSink() = default;
    virtual void put(int code, std::string_view value) = 0;

    // Reals that were not finite numbers (written as 0 so the file stays well-formed); a save
    // with any is refused, never kept with a changed value.
    int nonFiniteReals() const { return nonFiniteReals_; }
    void noteNonFiniteReal() { ++nonFiniteReals_; }

private:
    int nonFiniteReals_ = 0;
};

// ASCII DXF text with LF line ends, appended to a string.
class TextTagSink : public TagSink {
public:
    explicit TextTagSink(std::string& out) : out_(out) {}
    void put(int code, std::string_view value) override;

private:
    std::string& out_;
};

// ASCII DXF text written to a file descriptor through a buffer.
class FileTagSink : public TagSink {
public:
    explicit FileTagSink(int fd);
    void put(int code, std::string_view value) override;
    // Writes what is buffered; false when any write failed (errno of the failure kept).
    bool finish();

private:
    void flush();
    int fd_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    int errno_ = 0;
};

class MemoryTagSink : public TagSink {
public:
    void put(int code, std::string_view value) override {
        tags.push_back({code, std::string(value)});
    }
    std::vector<OwnedTag> tags;
};

// The shortest text that reads back as the same double ("1.5", "0.1", "2.0", "1e+300").
std::string formatReal(double value);

class TagWriter {
public:
    explicit TagWriter(TagSink& sink) : sink_(sink) {}

    // Control characters are written in caret form (^J for a line feed), as the format keeps one
    // value per line; in free text a caret itself becomes "^ ".
    void text(int code, std::string_view value);
    void real(int code, double value);
    void integer(int code, std::int64_t value);
    // A point: `code`, `code + 10`, `code + 20`.
    void point(int code, const AcGePoint3d& p);
    void point2d(int code, double x, double y);
    void handle(int code, std::uint64_t handle);
    // Writes a tag kept as read (objects the database does not model).
    void raw(int code, std::string_view value) { text(code, value); }

private:
    TagSink& sink_;
    std::string scratch_;
};

} // namespace veld::dxf
