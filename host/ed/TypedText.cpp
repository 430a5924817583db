// Input text checked and converted to UTF-8.
#include "host/ed/TypedText.h"

#include "host/dxf/TextDecoder.h"
#include "host/win/CodePage.h"

namespace veld::ed {

std::optional<std::string> typedTextAsUtf8(std::string_view line, bool shiftJis) {
    if (!shiftJis) {
        return dxf::isValidUtf8(line) ? std::optional<std::string>(line) : std::nullopt;
    }
    // The conversion marks what is not Shift-JIS; only a line that converts back byte for
    // byte was Shift-JIS throughout.
    std::string utf8 = win::sjisToUtf8(line);
    return win::utf8ToSjis(utf8) == line ? std::optional<std::string>(std::move(utf8))
                                         : std::nullopt;
}

} // namespace veld::ed
