// The locale-independent number conversions of crt.h: the old runtime's atof rule built on
// std::from_chars, and printf formatting under a per-thread C locale.
#include "crt.h"

#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <locale.h>
#include <string_view>
#include <vector>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Appends the run of digits at `text` to `out` and returns the first character after it.
const char* copyDigits(const char* text, std::string& out) {
    while (isDigit(*text)) {
        out.push_back(*text++);
    }
    return text;
}

// The leading number of `text` rewritten for std::from_chars ("-12.5e+3", no leading '+'),
// or "" when the text does not start with a number.
std::string leadingNumber(const char* text) {
    while (*text == ' ' || *text == '\t') {
        ++text;
    }
    std::string number;
    if (*text == '+' || *text == '-') {
        if (*text == '-') {
            number.push_back('-');
        }
        ++text;
    }
    std::string integer;
    std::string fraction;
    text = copyDigits(text, integer);
    if (*text == '.') {
        text = copyDigits(text + 1, fraction);
    }
    if (integer.empty() && fraction.empty()) {
        return "";
    }
    number += integer.empty() ? "0" : integer;
    if (!fraction.empty()) {
        number += '.' + fraction;
    }
    const char marker = *text;
    if (marker == 'e' || marker == 'E' || marker == 'd' || marker == 'D') {
        const char* exponent = text + 1;
        std::string digits = "e";
        if (*exponent == '+' || *exponent == '-') {
            digits.push_back(*exponent++);
        }
        if (isDigit(*exponent)) {
            copyDigits(exponent, digits);
            number += digits;
        }
    }
    return number;
}

locale_t cLocale() {
    static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

double veldAtof(const char* text) {
    if (text == nullptr) {
        return 0.0;
    }
    const std::string number = leadingNumber(text);
    if (number.empty()) {
        return 0.0;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || !std::isfinite(value)) {
        return 0.0;
    }
    return value;
}

std::string veldFormat(const char* format, ...) {
    if (format == nullptr) {
        return "";
    }
    const locale_t previous = uselocale(cLocale());
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    std::string result;
    const int length = std::vsnprintf(nullptr, 0, format, args);
    if (length > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, again);
        result.assign(buffer.data(), static_cast<std::size_t>(length));
    }
    va_end(again);
    va_end(args);
    uselocale(previous);
    return result;
}
