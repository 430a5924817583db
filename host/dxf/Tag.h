// One DXF group: a code and its value as text, with where it was found for error messages.
// Values of binary files are turned into the same text an ASCII file would hold.
#pragma once
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace veld::dxf {

struct Tag {
    int code = 0;
    // Valid until the next tag is read.
    std::string_view value;
    // ASCII: the line of the group code (1-based); binary: the byte offset of the code.
    std::size_t line = 0;
    // The value is the reader's own text form (binary numbers), not the file's bytes.
    bool transient = false;
};

// A tag handed on by the reader and kept for a while (the tags of one object). The value points
// into the file's bytes, which outlive the reading, or into `owned` when it had to be converted
// (decoded text, binary numbers); moving the tag keeps it valid.
struct ReadTag {
    int code = 0;
    std::string_view value;
    std::size_t line = 0;
    std::unique_ptr<std::string> owned;

    void own(std::string text) {
        owned = std::make_unique<std::string>(std::move(text));
        value = *owned;
    }
};

// A tag kept beyond the reading of the next one (raw objects, extended data).
struct OwnedTag {
    int code = 0;
    std::string value;
    bool operator==(const OwnedTag&) const = default;
};

// A malformed file. `what()` names the place ("line 12: ...") and what was expected.
class DxfError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Numbers as the format writes them: optional blanks, sign, digits, point, exponent. Hexadecimal,
// infinity and NaN are not numbers. Returns false when the whole text is not one number.
bool parseDouble(std::string_view text, double& out);
bool parseInteger(std::string_view text, std::int64_t& out);
// A hexadecimal handle ("1F"); false for empty or non-hexadecimal text and past the largest
// handle a drawing may hold (db::kMaxHandle).
bool parseHandle(std::string_view text, std::uint64_t& out);

} // namespace veld::dxf
