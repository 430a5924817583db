// ASCII and binary DXF tokenizer.
// Values point into the file's bytes; binary values are turned into their text form.
#include "host/dxf/TagReader.h"

#include "host/dxf/GroupCode.h"

#include <charconv>
#include <cstring>

namespace veld::dxf {

namespace {

constexpr std::string_view kBinarySentinel("AutoCAD Binary DXF\r\n\x1a\0", 22);

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::string shown(std::string_view text) {
    std::string out;
    for (char c : text.substr(0, 40)) {
        const auto u = static_cast<unsigned char>(c);
        out += (u < 0x20 || u == 0x7f) ? '?' : c;
    }
    return text.size() > 40 ? out + "..." : out;
}

template <class T> T loadLittleEndian(const char* p) {
    T value;
    std::memcpy(&value, p, sizeof(T)); // the host is little-endian, as the format
    return value;
}

void appendNumber(std::string& out, double value) {
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, ec == std::errc() ? end : buffer);
}

void appendNumber(std::string& out, std::int64_t value) {
    char buffer[24];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, ec == std::errc() ? end : buffer);
}

} // namespace

TagReader::TagReader(std::string_view data) : data_(data) {
    binary_ = looksBinary(data);
    if (binary_) {
        pos_ = kBinarySentinel.size();
        // Files before R13 use one-byte group codes; the first tag ("0 SECTION") tells: with
        // two-byte codes its second byte is the high byte of 0.
        oneByteCodes_ = pos_ + 1 < data_.size() && data_[pos_ + 1] != '\0';
    } else if (data_.substr(0, 3) == "\xEF\xBB\xBF") {
        pos_ = 3; // UTF-8 byte-order mark
    }
}

bool TagReader::looksBinary(std::string_view data) {
    return data.substr(0, kBinarySentinel.size()) == kBinarySentinel;
}

std::string TagReader::where(const Tag& tag) const {
    return (binary_ ? "byte " : "line ") + std::to_string(tag.line);
}

void TagReader::fail(std::size_t where, const std::string& what) const {
    throw DxfError((binary_ ? "byte " : "line ") + std::to_string(where) + ": " + what);
}

bool TagReader::next(Tag& tag) {
    tagStart_ = pos_;
    while (binary_ ? nextBinary(tag) : nextAscii(tag)) {
        if (tag.code != 999) {
            return true;
        }
        tagStart_ = pos_;
    }
    return false;
}

bool TagReader::readLine(std::string_view& line) {
    if (pos_ >= data_.size()) {
        return false;
    }
    const std::size_t end = data_.find('\n', pos_);
    const std::size_t stop = end == std::string_view::npos ? data_.size() : end;
    line = data_.substr(pos_, stop - pos_);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    pos_ = end == std::string_view::npos ? data_.size() : end + 1;
    ++line_;
    return true;
}

bool TagReader::nextAscii(Tag& tag) {
    std::string_view codeLine;
    if (!readLine(codeLine)) {
        return false;
    }
    tag.line = line_;
    const std::string_view codeText = trim(codeLine);
    int code = 0;
    auto [end, ec] = std::from_chars(codeText.data(), codeText.data() + codeText.size(), code);
    if (codeText.empty() || ec != std::errc() || end != codeText.data() + codeText.size()) {
        fail(line_, "expected a group code, found \"" + shown(codeLine) + "\"");
    }
    if (!isValidGroupCode(code)) {
        fail(line_, "group code " + std::to_string(code) + " is not a DXF group code");
    }
    std::string_view value;
    if (!readLine(value)) {
        fail(line_,
             "the file ends after group code " + std::to_string(code) + " without its value");
    }
    tag.code = code;
    tag.value = value;
    tag.transient = false;
    return true;
}

void TagReader::need(std::size_t bytes, int code) {
    if (data_.size() - pos_ < bytes) {
        fail(pos_, "the file ends inside the value of group code " + std::to_string(code));
    }
}

int TagReader::readBinaryCode() {
    if (oneByteCodes_) {
        need(1, 0);
        const auto first = static_cast<unsigned char>(data_[pos_++]);
        if (first != 255) {
            return first;
        }
        need(2, 255); // extended data: 255, then the real two-byte code
    } else {
        need(2, 0);
    }
    const auto code = loadLittleEndian<std::int16_t>(data_.data() + pos_);
    pos_ += 2;
    return code;
}

bool TagReader::nextBinary(Tag& tag) {
    if (pos_ >= data_.size()) {
        return false;
    }
    tag.line = pos_;
    const int code = readBinaryCode();
    if (!isValidGroupCode(code)) {
        fail(tag.line, "group code " + std::to_string(code) + " is not a DXF group code");
    }
    tag.code = code;
    tag.transient = readBinaryValue(code, tag.value);
    return true;
}

bool TagReader::readBinaryValue(int code, std::string_view& value) {
    scratch_.clear();
    const char* p = data_.data() + pos_;
    switch (valueKind(code)) {
    case ValueKind::Double:
        need(8, code);
        appendNumber(scratch_, loadLittleEndian<double>(p));
        pos_ += 8;
        value = scratch_;
        return true;
    case ValueKind::Int16:
        need(2, code);
        appendNumber(scratch_, std::int64_t{loadLittleEndian<std::int16_t>(p)});
        pos_ += 2;
        value = scratch_;
        return true;
    case ValueKind::Int32:
        need(4, code);
        appendNumber(scratch_, std::int64_t{loadLittleEndian<std::int32_t>(p)});
        pos_ += 4;
        value = scratch_;
        return true;
    case ValueKind::Int64:
        need(8, code);
        appendNumber(scratch_, loadLittleEndian<std::int64_t>(p));
        pos_ += 8;
        value = scratch_;
        return true;
    case ValueKind::Bool:
        need(1, code);
        appendNumber(scratch_, std::int64_t{static_cast<unsigned char>(*p)});
        pos_ += 1;
        value = scratch_;
        return true;
    case ValueKind::Binary: {
        need(1, code);
        const auto length = static_cast<unsigned char>(*p);
        need(1u + length, code);
        static constexpr char kHex[] = "0123456789ABCDEF";
        for (std::size_t i = 0; i < length; ++i) {
            const auto byte = static_cast<unsigned char>(p[1 + i]);
            scratch_ += kHex[byte >> 4];
            scratch_ += kHex[byte & 15];
        }
        pos_ += 1u + length;
        value = scratch_;
        return true;
    }
    case ValueKind::String:
    case ValueKind::Handle:
        break;
    }
    const std::size_t end = data_.find('\0', pos_);
    if (end == std::string_view::npos) {
        fail(pos_, "the text of group code " + std::to_string(code) + " has no end");
    }
    value = data_.substr(pos_, end - pos_); // text is the file's own bytes
    pos_ = end + 1;
    return false;
}

} // namespace veld::dxf
