// Splits the bytes of a DXF file into tags: ASCII files (CR LF or LF line ends, blanks around
// group codes, 999 comments skipped) and binary files (the 22-byte sentinel, 1- or 2-byte group
// codes, typed values). Malformed input raises DxfError naming the line or byte offset.
#pragma once
#include "host/dxf/Tag.h"

#include <string>
#include <string_view>

namespace veld::dxf {

class TagReader {
public:
    // `data` must outlive the reader; tag values point into it.
    explicit TagReader(std::string_view data);

    // The next tag; false at the end of the data. Throws DxfError on malformed input.
    bool next(Tag& tag);
    bool isBinary() const { return binary_; }
    // The byte offset where the tag last read starts, and where the next one will.
    std::size_t tagStart() const { return tagStart_; }
    std::size_t position() const { return pos_; }
    // "line 12" or "byte 345" for the tag last read, for messages.
    std::string where(const Tag& tag) const;

    static bool looksBinary(std::string_view data);

private:
    bool nextAscii(Tag& tag);
    bool nextBinary(Tag& tag);
    bool readLine(std::string_view& line);
    int readBinaryCode();
    // True when the value is in scratch_ (numbers), false when it points into the data (text).
    bool readBinaryValue(int code, std::string_view& value);
    void need(std::size_t bytes, int code);
    [[noreturn]] void fail(std::size_t where, const std::string& what) const;

    std::string_view data_;
    std::size_t pos_ = 0;
    std::size_t tagStart_ = 0;
    std::size_t line_ = 0; // lines consumed so far
    bool binary_ = false;
    bool oneByteCodes_ = false;
    std::string scratch_; // text form of a binary value
};

} // namespace veld::dxf
