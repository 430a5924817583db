// The text of a resource script as lines of UTF-8, each decoded from the code page that
// `#pragma code_page(N)` set before it.
#include "host/ui/RcSource.h"

#include "host/win/CodePage.h"

#include <charconv>
#include <optional>

namespace veld::ui {

namespace {

constexpr int kUtf8 = 65001;

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            low = c == 0xE0 ? 0xA0 : 0x80;
            high = c == 0xED ? 0x9F : 0xBF;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            low = c == 0xF0 ? 0x90 : 0x80;
            high = c == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (i + length > s.size()) {
            return false;
        }
        const auto second = static_cast<unsigned char>(s[i + 1]);
        if (second < low || second > high) {
            return false;
        }
        for (std::size_t k = 2; k < length; ++k) {
            if (!isContinuation(static_cast<unsigned char>(s[i + k]))) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

// Another code page through the host's conversions; bytes that are not characters of the code
// page come out as U+FFFD there, which no code page's own text maps to.
bool convertCodePage(std::string_view bytes, int codePage, std::string& utf8) {
    const std::string name = "CP" + std::to_string(codePage);
    if (!veld::win::isKnownCodePage(name)) {
        return false;
    }
    std::string out = veld::win::toUtf8(bytes, name);
    if (out.find("\xEF\xBF\xBD") != std::string::npos) {
        return false;
    }
    utf8 = std::move(out);
    return true;
}

std::string_view trimLeft(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    return s;
}

// The code page of a `#pragma code_page(N)` line, nullopt for any other line; throws for a
// pragma whose argument is not a number or DEFAULT.
std::optional<int> codePagePragma(std::string_view line, int number) {
    line = trimLeft(line);
    if (line.empty() || line.front() != '#') {
        return std::nullopt;
    }
    line = trimLeft(line.substr(1));
    if (line.substr(0, 6) != "pragma") {
        return std::nullopt;
    }
    line = trimLeft(line.substr(6));
    if (line.substr(0, 9) != "code_page") {
        return std::nullopt;
    }
    line = trimLeft(line.substr(9));
    const auto open = line.find('(');
    const auto close = line.find(')');
    if (open != 0 || close == std::string_view::npos) {
        throw RcError(number, "malformed code_page pragma");
    }
    std::string_view argument = line.substr(1, close - 1);
    while (!argument.empty() && argument.back() == ' ') {
        argument.remove_suffix(1);
    }
    argument = trimLeft(argument);
    if (argument == "DEFAULT") {
        return kUtf8;
    }
    int codePage = 0;
    const auto [end, error] =
        std::from_chars(argument.data(), argument.data() + argument.size(), codePage);
    if (error != std::errc() || end != argument.data() + argument.size()) {
        throw RcError(number, "code_page needs a number");
    }
    return codePage;
}

} // namespace

bool decodeCodePage(std::string_view bytes, int codePage, std::string& utf8) {
    if (codePage == kUtf8) {
        if (!isValidUtf8(bytes)) {
            return false;
        }
        utf8.assign(bytes);
        return true;
    }
    return convertCodePage(bytes, codePage, utf8);
}

std::vector<RcLine> decodeResourceScript(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
    }
    std::vector<RcLine> lines;
    int codePage = kUtf8;
    int number = 0;
    // Line ends are safe to split on before decoding: neither CR nor LF occurs inside a
    // double-byte character of the code pages scripts use.
    while (!bytes.empty()) {
        ++number;
        const auto end = bytes.find('\n');
        std::string_view raw = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
        }
        if (const auto pragma = codePagePragma(raw, number)) {
            std::string probe;
            if (!decodeCodePage("", *pragma, probe)) {
                throw RcError(number, "unknown code page " + std::to_string(*pragma));
            }
            codePage = *pragma;
            lines.push_back({number, std::string()});
            continue;
        }
        std::string text;
        if (!decodeCodePage(raw, codePage, text)) {
            throw RcError(number, "text is not valid in code page " + std::to_string(codePage));
        }
        lines.push_back({number, std::move(text)});
    }
    return lines;
}

} // namespace veld::ui
