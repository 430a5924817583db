// Code-page conversion through glibc's iconv, with the replacement rules stated in CodePage.h.
// Conversion descriptors are cached per thread, because iconv descriptors carry state.
#include "host/win/CodePage.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <iconv.h>
#include <map>
#include <optional>
#include <set>

namespace veld::win {

namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD"; // U+FFFD
constexpr char kReplacementByte = '?';
constexpr std::string_view kUtf8 = "UTF-8";

std::string upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](unsigned char c) { return std::isdigit(c) != 0; });
}

// Every code page this layer offers maps 0x00-0x7F to ASCII, so pure ASCII text never needs
// iconv (DOS864, whose '%' differs, is left out on purpose).
const std::set<std::string, std::less<>>& windowsCodePages() {
    static const std::set<std::string, std::less<>> pages = {
        "437",  "737",  "775",  "850",  "852",  "855",  "857",  "860", "861", "862",
        "863",  "865",  "866",  "869",  "874",  "932",  "936",  "949", "950", "1250",
        "1251", "1252", "1253", "1254", "1255", "1256", "1257", "1258"};
    return pages;
}

// The iconv name for a code-page name, or nullopt when the name is not one this layer knows.
std::optional<std::string> iconvName(std::string_view codePageName) {
    const std::string name = upper(codePageName);
    if (name == "UTF-8" || name == "UTF8") {
        return std::string(kUtf8);
    }
    if (name == "SJIS" || name == "SHIFT_JIS" || name == "SHIFT-JIS" || name == "WINDOWS-31J") {
        return std::string("CP932");
    }
    static const std::map<std::string, std::string, std::less<>> aliases = {{"ASCII", "CP1252"},
                                                                            {"GB2312", "CP936"},
                                                                            {"BIG5", "CP950"},
                                                                            {"KSC5601", "CP949"},
                                                                            {"JOHAB", "JOHAB"}};
    if (auto it = aliases.find(name); it != aliases.end()) {
        return it->second;
    }
    for (std::string_view prefix : {"ANSI_", "DOS", "CP"}) {
        if (name.starts_with(prefix)) {
            std::string number = name.substr(prefix.size());
            if (allDigits(number) && windowsCodePages().contains(number)) {
                return "CP" + number;
            }
        }
    }
    if (name.starts_with("ISO8859-") || name.starts_with("ISO-8859-")) {
        std::string number = name.substr(name.rfind('-') + 1);
        // At most two digits: a longer number is no ISO 8859 part and would overflow stoi.
        if (number.size() <= 2 && allDigits(number) && std::stoi(number) >= 1 &&
            std::stoi(number) <= 10) {
            return "ISO-8859-" + number;
        }
    }
    return std::nullopt;
}

std::string resolvedIconvName(std::string_view codePageName) {
    return iconvName(codePageName).value_or("CP1252");
}

// One thread's open descriptors, keyed by "from>to"; closed when the thread ends.
class DescriptorCache {
public:
    ~DescriptorCache() {
        for (auto& [key, cd] : descriptors_) {
            iconv_close(cd);
        }
    }
    std::optional<iconv_t> get(const std::string& from, const std::string& to) {
        const std::string key = from + '>' + to;
        if (auto it = descriptors_.find(key); it != descriptors_.end()) {
            iconv(it->second, nullptr, nullptr, nullptr, nullptr); // back to the initial state
            return it->second;
        }
        iconv_t cd = iconv_open(to.c_str(), from.c_str());
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            return std::nullopt;
        }
        descriptors_.emplace(key, cd);
        return cd;
    }

private:
    std::map<std::string, iconv_t> descriptors_;
};

DescriptorCache& descriptors() {
    thread_local DescriptorCache cache;
    return cache;
}

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// What to do at a byte sequence iconv refuses: how many input bytes to skip and what to emit.
struct Refusal {
    std::size_t skip;
    std::string_view emit;
};
using RefusalRule = Refusal (*)(std::string_view rest);

Refusal refuseWhileReading(std::string_view /*rest*/) {
    return {1, kReplacementUtf8};
}

Refusal refuseWhileWriting(std::string_view rest) {
    static constexpr char question[] = {kReplacementByte};
    const std::size_t length = utf8SequenceLength(rest);
    return {length > 0 ? length : 1, std::string_view(question, 1)};
}

std::string convert(iconv_t cd, std::string_view input, RefusalRule refuse) {
    std::string out;
    out.reserve(input.size() * 2 + 16);
    char buffer[1024];
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG) {
            continue;
        }
        // EILSEQ: a refused sequence; EINVAL: a character cut off by the end of the text.
        const Refusal refusal = refuse(std::string_view(in, inLeft));
        out.append(refusal.emit);
        const std::size_t skip = std::min(refusal.skip, inLeft);
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

// UTF-8 to UTF-8 with the invalid bytes replaced (`emit` for each of them).
std::string sanitizeUtf8(std::string_view text, std::string_view emit) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = utf8SequenceLength(text);
        if (length == 0) {
            out.append(emit);
            text.remove_prefix(1);
        } else {
            out.append(text.substr(0, length));
            text.remove_prefix(length);
        }
    }
    return out;
}

std::string decode(std::string_view bytes, const std::string& from) {
    if (isAscii(bytes)) {
        return std::string(bytes);
    }
    if (from == kUtf8) {
        return sanitizeUtf8(bytes, kReplacementUtf8);
    }
    auto cd = descriptors().get(from, std::string(kUtf8));
    if (!cd) {
        return sanitizeUtf8(bytes, kReplacementUtf8);
    }
    return convert(*cd, bytes, refuseWhileReading);
}

std::string encode(std::string_view utf8, const std::string& to) {
    if (isAscii(utf8)) {
        return std::string(utf8);
    }
    if (to == kUtf8) {
        return sanitizeUtf8(utf8, std::string_view("?", 1));
    }
    auto cd = descriptors().get(std::string(kUtf8), to);
    if (!cd) {
        return sanitizeUtf8(utf8, std::string_view("?", 1));
    }
    return convert(*cd, utf8, refuseWhileWriting);
}

} // namespace

std::size_t utf8SequenceLength(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char minSecond = 0x80;
    unsigned char maxSecond = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minSecond = lead == 0xE0 ? 0xA0 : 0x80; // no overlong forms
        maxSecond = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minSecond = lead == 0xF0 ? 0x90 : 0x80;
        maxSecond = lead == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < minSecond || byte(1) > maxSecond) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

int sjisCharLength(unsigned char lead) {
    return ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) ? 2 : 1;
}

std::size_t sjisPrefixLength(std::string_view sjis, std::size_t maxBytes) {
    std::size_t position = 0;
    while (position < sjis.size()) {
        const auto length =
            static_cast<std::size_t>(sjisCharLength(static_cast<unsigned char>(sjis[position])));
        const std::size_t next = std::min(position + length, sjis.size());
        if (next > maxBytes) {
            break;
        }
        position = next;
    }
    return position;
}

std::string sjisToUtf8(std::string_view sjis) {
    return decode(sjis, "CP932");
}

std::string utf8ToSjis(std::string_view utf8) {
    return encode(utf8, "CP932");
}

std::string toUtf8(std::string_view bytes, std::string_view codePageName) {
    return decode(bytes, resolvedIconvName(codePageName));
}

std::string fromUtf8(std::string_view utf8, std::string_view codePageName) {
    return encode(utf8, resolvedIconvName(codePageName));
}

bool isKnownCodePage(std::string_view codePageName) {
    auto name = iconvName(codePageName);
    return name && (*name == kUtf8 || descriptors().get(*name, std::string(kUtf8)).has_value());
}

} // namespace veld::win
