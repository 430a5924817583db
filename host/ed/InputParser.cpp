// Reading typed answers: strict decimal numbers, points, keywords and dialog-action lines.
#include "host/ed/InputParser.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

namespace veld::ed {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Decimal form only: [sign] digits [. digits] [e [sign] digits], at least one digit.
bool isDecimalForm(std::string_view t) {
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
        ++i;
        ++digits;
    }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
            ++i;
        }
        std::size_t expDigits = 0;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) {
            return false;
        }
    }
    return i == t.size();
}

std::vector<std::string_view> splitCommas(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return parts;
        }
        start = comma + 1;
    }
}

} // namespace

std::string InputParser::trim(std::string_view text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && isBlank(text[b])) {
        ++b;
    }
    while (e > b && isBlank(text[e - 1])) {
        --e;
    }
    return std::string(text.substr(b, e - b));
}

std::string InputParser::upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

std::optional<double> InputParser::number(std::string_view text) {
    std::string t = trim(text);
    if (!isDecimalForm(t)) {
        return std::nullopt;
    }
    const char* begin = t.data() + (t.front() == '+' ? 1 : 0);
    double value = 0.0;
    auto [end, ec] = std::from_chars(begin, t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<long> InputParser::integer(std::string_view text, long low, long high) {
    std::string t = trim(text);
    const char* begin = t.data() + (!t.empty() && t.front() == '+' ? 1 : 0);
    long value = 0;
    auto [end, ec] = std::from_chars(begin, t.data() + t.size(), value);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size() || value < low ||
        value > high) {
        return std::nullopt;
    }
    return value;
}

std::optional<AcGePoint3d> InputParser::point(std::string_view text, const AcGePoint3d& last) {
    std::string t = trim(text);
    bool relative = !t.empty() && t.front() == '@';
    if (relative) {
        t.erase(0, 1);
    }
    std::vector<std::string_view> parts = splitCommas(t);
    if (parts.size() < 2 || parts.size() > 3) {
        return std::nullopt;
    }
    std::array<double, 3> c{0.0, 0.0, 0.0};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::optional<double> v = number(parts[i]);
        if (!v) {
            return std::nullopt;
        }
        c[i] = *v;
    }
    AcGePoint3d p(c[0], c[1], c[2]);
    if (relative) {
        p = AcGePoint3d(last.x + p.x, last.y + p.y, last.z + p.z);
    }
    for (int i = 0; i < 3; ++i) {
        if (!(std::fabs(p[i]) <= kLargestCoordinate)) { // also false for NaN
            return std::nullopt;
        }
    }
    return p;
}

std::optional<std::string> InputParser::keyword(std::string_view text,
                                                const std::vector<std::string>& keywords) {
    std::string answer = upper(trim(text));
    if (!answer.empty() && answer.front() == '_') {
        answer.erase(0, 1);
    }
    if (answer.empty()) {
        return std::nullopt;
    }
    for (const std::string& kw : keywords) {
        std::size_t abbreviation = 0;
        while (abbreviation < kw.size() &&
               !std::islower(static_cast<unsigned char>(kw[abbreviation]))) {
            ++abbreviation;
        }
        std::string full = upper(kw);
        if (answer.size() >= abbreviation && answer.size() <= full.size() &&
            full.compare(0, answer.size(), answer) == 0) {
            return kw;
        }
    }
    return std::nullopt;
}

bool InputParser::isDialogAction(std::string_view line) {
    static const std::array<const char*, 7> actions{"SET",   "LEAVE", "SELECT", "CHECK",
                                                    "CLICK", "OK",    "CANCEL"};
    std::string t = trim(line);
    std::string first = upper(t.substr(0, t.find_first_of(" \t")));
    for (const char* action : actions) {
        if (first == action) {
            return true;
        }
    }
    return false;
}

bool InputParser::matchesWildcard(std::string_view pattern, std::string_view name) {
    if (pattern.empty()) {
        return name.empty();
    }
    if (pattern.front() == '*') {
        for (std::size_t i = 0; i <= name.size(); ++i) {
            if (matchesWildcard(pattern.substr(1), name.substr(i))) {
                return true;
            }
        }
        return false;
    }
    if (name.empty()) {
        return false;
    }
    if (pattern.front() == '?') {
        // One character: a UTF-8 lead byte with its continuation bytes.
        std::size_t length = 1;
        while (length < name.size() && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80) {
            ++length;
        }
        return matchesWildcard(pattern.substr(1), name.substr(length));
    }
    auto fold = [](char c) { return std::toupper(static_cast<unsigned char>(c)); };
    return fold(pattern.front()) == fold(name.front()) &&
           matchesWildcard(pattern.substr(1), name.substr(1));
}

std::string InputParser::formatNumber(double value) {
    if (value == 0.0) {
        return "0";
    }
    std::array<char, 64> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return ec == std::errc() ? std::string(buffer.data(), end) : std::string("0");
}

std::string InputParser::formatPoint(const AcGePoint3d& p) {
    return formatNumber(p.x) + "," + formatNumber(p.y) + "," + formatNumber(p.z);
}

} // namespace veld::ed
