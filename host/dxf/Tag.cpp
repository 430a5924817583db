// Number and handle parsing for tag values, locale-independent and strict.
// std::from_chars does the work; hexadecimal, infinity and NaN are refused before it.
#include "host/dxf/Tag.h"

#include "host/db/HandleLimit.h"

#include <charconv>
#include <cmath>

namespace veld::dxf {

namespace {

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

bool parseDouble(std::string_view text, double& out) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return false;
    }
    // from_chars would take "inf", "nan" and hexadecimal digits after 0x is refused anyway.
    const char first = text.front() == '-' && text.size() > 1 ? text[1] : text.front();
    if (!(first == '.' || (first >= '0' && first <= '9'))) {
        return false;
    }
    double value = 0.0;
    auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return false;
    }
    out = value;
    return true;
}

bool parseInteger(std::string_view text, std::int64_t& out) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return false;
    }
    std::int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc() && end == text.data() + text.size()) {
        out = value;
        return true;
    }
    // Some programs write integers as reals ("1.0"); take them when they are whole.
    double real = 0.0;
    if (parseDouble(text, real) && real == std::floor(real) && std::fabs(real) < 9.0e15) {
        out = static_cast<std::int64_t>(real);
        return true;
    }
    return false;
}

bool parseHandle(std::string_view text, std::uint64_t& out) {
    text = trimBlanks(text);
    if (text.empty() || text.size() > 16) {
        return false;
    }
    std::uint64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || end != text.data() + text.size() || value > veld::db::kMaxHandle) {
        return false;
    }
    out = value;
    return true;
}

} // namespace veld::dxf
