// Tag output in ASCII DXF form or into memory.
// Numbers go through std::to_chars; the file sink fills a buffer and writes it in large blocks.
#include "host/dxf/TagWriter.h"

#include "host/dxf/GroupCode.h"
#include "host/files/SafeReplace.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>

namespace veld::dxf {

namespace {

char* writeReal(char* out, char* limit, double value) {
    if (!std::isfinite(value)) {
        value = 0.0; // never write what no reader takes
    }
    auto [end, ec] = std::to_chars(out, limit, value);
    if (ec != std::errc()) {
        *out = '0';
        end = out + 1;
    }
    bool hasPointOrExponent = false;
    for (char* p = out; p != end; ++p) {
        if (*p == '.' || *p == 'e') {
            hasPointOrExponent = true;
            break;
        }
    }
    if (!hasPointOrExponent) {
        *end++ = '.';
        *end++ = '0';
    }
    return end;
}

bool needsCaret(std::string_view value, bool freeText) {
    for (char c : value) {
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || (c == '^' && freeText)) {
            return true;
        }
    }
    return false;
}

} // namespace

void TextTagSink::put(int code, std::string_view value) {
    char buffer[16];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, code);
    const auto width = static_cast<std::size_t>(ec == std::errc() ? end - buffer : 0);
    if (width < 3) {
        out_.append(3 - width, ' ');
    }
    out_.append(buffer, width);
    out_ += '\n';
    out_.append(value);
    out_ += '\n';
}

constexpr std::size_t kFileBuffer = 1 << 20;

FileTagSink::FileTagSink(int fd) : fd_(fd), buffer_(new char[kFileBuffer]) {}

void FileTagSink::put(int code, std::string_view value) {
    if (used_ + value.size() + 16 > kFileBuffer) {
        flush();
        if (value.size() + 16 > kFileBuffer) { // longer than the buffer: through a string
            std::string line;
            TextTagSink(line).put(code, value);
            if (errno_ == 0 && !files::writeAll(fd_, line)) {
                errno_ = errno;
            }
            return;
        }
    }
    char* p = buffer_.get() + used_;
    char digits[12];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, code);
    const auto width = static_cast<std::size_t>(ec == std::errc() ? end - digits : 0);
    for (std::size_t i = width; i < 3; ++i) {
        *p++ = ' ';
    }
    std::memcpy(p, digits, width);
    p += width;
    *p++ = '\n';
    std::memcpy(p, value.data(), value.size());
    p += value.size();
    *p++ = '\n';
    used_ = static_cast<std::size_t>(p - buffer_.get());
}

void FileTagSink::flush() {
    if (errno_ == 0 && !files::writeAll(fd_, std::string_view(buffer_.get(), used_))) {
        errno_ = errno;
    }
    used_ = 0;
}

bool FileTagSink::finish() {
    flush();
    errno = errno_;
    return errno_ == 0;
}

std::string formatReal(double value) {
    char buffer[40];
    return std::string(buffer, writeReal(buffer, buffer + 36, value));
}

void TagWriter::text(int code, std::string_view value) {
    const bool freeText = isFreeText(code);
    if (!needsCaret(value, freeText)) {
        sink_.put(code, value);
        return;
    }
    scratch_.clear();
    for (char c : value) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
            scratch_ += '^';
            scratch_ += static_cast<char>(c + 0x40);
        } else if (c == '^' && freeText) {
            scratch_ += "^ "; // a caret of the text itself
        } else {
            scratch_ += c;
        }
    }
    sink_.put(code, scratch_);
}

void TagWriter::real(int code, double value) {
    if (!std::isfinite(value)) {
        sink_.noteNonFiniteReal();
    }
    char buffer[40];
    sink_.put(code, std::string_view(buffer, writeReal(buffer, buffer + 36, value) - buffer));
}

void TagWriter::integer(int code, std::int64_t value) {
    char buffer[24];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    sink_.put(code, std::string_view(buffer, ec == std::errc() ? end - buffer : 0));
}

void TagWriter::point(int code, const AcGePoint3d& p) {
    real(code, p.x);
    real(code + 10, p.y);
    real(code + 20, p.z);
}

void TagWriter::point2d(int code, double x, double y) {
    real(code, x);
    real(code + 10, y);
}

void TagWriter::handle(int code, std::uint64_t handle) {
    char buffer[20];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, handle, 16);
    for (char* p = buffer; p != end; ++p) {
        if (*p >= 'a' && *p <= 'f') {
            *p = static_cast<char>(*p - 'a' + 'A');
        }
    }
    sink_.put(code, std::string_view(buffer, ec == std::errc() ? end - buffer : 0));
}

} // namespace veld::dxf
