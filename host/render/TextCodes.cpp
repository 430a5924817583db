// Decoding of the %% codes. A switch that is turned on anywhere marks the whole text: the view
// draws one underline or overline per text, which is what the codes are used for in practice.
#include "host/render/TextCodes.h"

#include <cctype>

namespace veld::render {

namespace {

void appendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Handles the code after "%%" at raw[i]; returns how many characters it used (0: not a code).
std::size_t decodeOne(const std::string& raw, std::size_t i, DecodedText& out) {
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(raw[i])));
    switch (c) {
    case 'd':
        appendUtf8(out.text, 0x00B0);
        return 1;
    case 'p':
        appendUtf8(out.text, 0x00B1);
        return 1;
    case 'c':
        appendUtf8(out.text, 0x2300);
        return 1;
    case 'u':
        out.underline = true;
        return 1;
    case 'o':
        out.overline = true;
        return 1;
    case '%':
        out.text += '%';
        return 1;
    default:
        break;
    }
    std::size_t digits = 0;
    while (digits < 3 && i + digits < raw.size() &&
           std::isdigit(static_cast<unsigned char>(raw[i + digits]))) {
        ++digits;
    }
    if (digits == 3) {
        appendUtf8(out.text, static_cast<unsigned>(std::stoi(raw.substr(i, 3))));
    }
    return digits == 3 ? 3 : 0;
}

} // namespace

DecodedText decodeTextCodes(const std::string& raw) {
    DecodedText out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw.compare(i, 2, "%%") == 0 && i + 2 < raw.size()) {
            if (const std::size_t used = decodeOne(raw, i + 2, out)) {
                i += 1 + used;
                continue;
            }
        }
        out.text += raw[i];
    }
    return out;
}

} // namespace veld::render
