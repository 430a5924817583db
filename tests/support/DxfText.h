// DXF text for tests: built from (code, value) pairs, split back into pairs, and one record of
// it found by handle, so that a test can state a small file and look at what was written.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace veld::test {

using DxfTags = std::vector<std::pair<int, std::string>>;

// "code\nvalue\n" for every pair.
std::string dxfText(const DxfTags& tags);
// The pairs of DXF text (codes with their blanks taken off).
DxfTags dxfTags(const std::string& text);
// The record with that handle (group 5 or 105): its "0 TYPE" and its tags up to the next group
// 0; empty when the text has none.
DxfTags dxfRecord(const std::string& text, const std::string& handle);
// The first value of `code` in the tags; "" when none.
std::string valueOf(const DxfTags& tags, int code);
// How many times the pair occurs.
int countOf(const DxfTags& tags, int code, const std::string& value);

} // namespace veld::test
