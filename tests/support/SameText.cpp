// Line-by-line comparison of long texts with a bounded failure message.
#include "support/SameText.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace veld::test {
namespace {

constexpr std::size_t kShownChars = 300;

std::size_t countLines(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}

std::string_view lineAt(std::string_view text, std::size_t start) {
    const std::size_t end = text.find('\n', start);
    return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

std::string shown(std::string_view line) {
    std::string text(line.substr(0, kShownChars));
    if (line.size() > kShownChars) {
        text += "...";
    }
    return "\"" + text + "\"";
}

} // namespace

::testing::AssertionResult sameText(std::string_view expected, std::string_view actual) {
    if (expected == actual) {
        return ::testing::AssertionSuccess();
    }
    const auto mismatch =
        std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    const auto offset = static_cast<std::size_t>(mismatch.first - expected.begin());
    const std::size_t lineStart = expected.rfind('\n', offset == 0 ? 0 : offset - 1);
    const std::size_t start =
        (lineStart == std::string_view::npos || offset == 0) ? 0 : lineStart + 1;
    return ::testing::AssertionFailure()
           << "texts differ at line " << countLines(expected.substr(0, start)) << ": expected "
           << shown(lineAt(expected, start)) << ", actual " << shown(lineAt(actual, start)) << " ("
           << countLines(expected) << " lines expected, " << countLines(actual) << " actual)";
}

} // namespace veld::test
