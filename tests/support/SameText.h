// Compares two long texts (database dumps, saved drawings) line by line and reports only the
// first difference, so a failing comparison of large texts stays cheap to print.
#pragma once
#include <gtest/gtest.h>

#include <string_view>

namespace veld::test {

// Success when the texts are equal; otherwise the first differing line (number and both
// versions, each cut to a few hundred characters) and the two line counts. GoogleTest's own
// EXPECT_EQ on multi-line strings builds an edit-distance table of lines x lines, which for a
// dump of tens of thousands of lines takes gigabytes: use this instead for anything large.
::testing::AssertionResult sameText(std::string_view expected, std::string_view actual);

} // namespace veld::test
