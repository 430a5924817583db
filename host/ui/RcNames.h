// The standard names a resource script may use without defining them: window, dialog and
// control styles, and the ids IDOK, IDCANCEL, IDC_STATIC ...
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace veld::ui {

std::optional<std::int64_t> standardNameValue(std::string_view name);

} // namespace veld::ui
