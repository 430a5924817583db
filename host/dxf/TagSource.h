// Tags of a DXF file one at a time with one tag of look-ahead, text values converted to UTF-8
// (code page of old files, \U+XXXX escapes, caret-encoded control characters).
#pragma once
#include "host/dxf/TagReader.h"
#include "host/dxf/TextDecoder.h"

#include <optional>
#include <string>

namespace veld::dxf {

class TagSource {
public:
    explicit TagSource(std::string_view data) : reader_(data) {}

    // The next tag without taking it; null at the end of the data.
    const ReadTag* peek();
    // Takes the next tag; throws DxfError at the end of the data, saying what was expected.
    ReadTag take(const char* expected);
    bool atEnd() { return peek() == nullptr; }

    // Text of files before R2007 is in their code page; later files are UTF-8.
    void setEncoding(const std::string& acadVersion, const std::string& codePage);
    std::string where(std::size_t line) const;
    [[noreturn]] void fail(std::size_t line, const std::string& what) const;
    std::size_t lastLine() const { return lastLine_; }
    // Where in the data the first byte is that a tag not yet taken may point to.
    std::size_t heldFrom() const { return next_ ? nextStart_ : reader_.position(); }
    // Where the value of a tag is: the line after its group code (ASCII), or its byte offset.
    std::size_t valueLine(const ReadTag& tag) const {
        return reader_.isBinary() ? tag.line : tag.line + 1;
    }

private:
    void decodeText(ReadTag& tag);
    TagReader reader_;
    TextDecoder decoder_ = TextDecoder::forCodePage("ANSI_1252");
    bool legacy_ = true;    // before R2007: code page and \U+ escapes
    bool declared_ = false; // the header named the version; else UTF-8 where the text is UTF-8
    std::optional<ReadTag> next_;
    std::size_t lastLine_ = 0;
    std::size_t nextStart_ = 0;
};

} // namespace veld::dxf
