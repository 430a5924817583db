// Code-page conversion of DXF text through the host's code-page layer, with Windows-1252 done by
// table (it is the most common one, and its five unassigned bytes are kept as the C1 codes
// Windows maps them to).
#include "host/dxf/TextDecoder.h"

#include "host/win/CodePage.h"

namespace veld::dxf {

namespace {

// Windows-1252 bytes 0x80..0x9F; unassigned ones map to the C1 control of the same value.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

} // namespace

TextDecoder TextDecoder::forCodePage(std::string_view dwgCodePage) {
    TextDecoder decoder;
    decoder.mode_ = Mode::Windows1252;
    decoder.name_ = "ANSI_1252";
    // Any page but Windows-1252 under another spelling ("ansi_1252", "CP1252", "ASCII").
    if (veld::win::isKnownCodePage(dwgCodePage) &&
        veld::win::toUtf8("\x80", dwgCodePage) != veld::win::toUtf8("\x80", "ANSI_1252")) {
        decoder.mode_ = Mode::CodePage;
        decoder.name_ = std::string(dwgCodePage);
    }
    return decoder;
}

bool TextDecoder::decode(std::string_view in, std::string& out) const {
    if (isAscii(in)) {
        out.append(in);
        return true;
    }
    switch (mode_) {
    case Mode::Utf8:
        if (!isValidUtf8(in)) {
            return false;
        }
        out.append(in);
        return true;
    case Mode::Windows1252:
        for (char c : in) {
            const auto byte = static_cast<unsigned char>(c);
            appendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte);
        }
        return true;
    case Mode::CodePage:
        break;
    }
    {
        // The host's conversion marks what does not convert with U+FFFD, which no legacy code
        // page holds itself.
        std::string converted = veld::win::toUtf8(in, name_);
        if (converted.find("\xEF\xBF\xBD") != std::string::npos) {
            return false;
        }
        out += converted;
        return true;
    }
}

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        char32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            extra = 1, cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2, cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3, cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= text.size()) {
            return false;
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        const bool overlong = (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
        if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += extra + 1;
    }
    return true;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void decodeUnicodeEscapes(std::string& text) {
    std::size_t at = text.find("\\U+");
    if (at == std::string::npos) {
        return;
    }
    std::string out(text, 0, at);
    while (at < text.size()) {
        if (text.compare(at, 3, "\\U+") == 0 && at + 7 <= text.size()) {
            char32_t cp = 0;
            bool ok = true;
            for (std::size_t k = 0; k < 4 && ok; ++k) {
                const int v = hexValue(text[at + 3 + k]);
                ok = v >= 0;
                cp = (cp << 4) | static_cast<char32_t>(v < 0 ? 0 : v);
            }
            if (ok && !(cp >= 0xD800 && cp <= 0xDFFF)) {
                appendUtf8(out, cp);
                at += 7;
                continue;
            }
        }
        out += text[at++];
    }
    text = std::move(out);
}

} // namespace veld::dxf
