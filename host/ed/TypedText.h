// Text that comes in from a person or a script, made the host's UTF-8 at the door: converted
// from Shift-JIS when the session reads Shift-JIS, checked otherwise, refused when it is not
// valid text in that encoding (never kept as raw bytes).
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace veld::ed {

// The line as UTF-8, or nullopt when it is not valid text in the input's encoding.
std::optional<std::string> typedTextAsUtf8(std::string_view line, bool shiftJis);

} // namespace veld::ed
