// The command-line print for the settings tests: the module's messages are collected here so
// the tests can check them. (It takes the place of the host's print in this test program.)
#include "SettingsFixture.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {
std::string& capture() {
    static std::string text;
    return text;
}
} // namespace

namespace veld::test {
const std::string& printed() {
    return capture();
}
void clearPrinted() {
    capture().clear();
}
} // namespace veld::test

int acutPrintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    if (length > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, again);
        capture().append(buffer.data(), static_cast<std::size_t>(length));
    }
    va_end(again);
    va_end(args);
    return length;
}
