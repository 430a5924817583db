// Text of DXF files to UTF-8: files before R2007 store text in the code page that $DWGCODEPAGE
// names (ANSI_932 is Shift-JIS, ANSI_1252 Western European, ...) with characters outside it
// written as \U+XXXX; later files store UTF-8. Unlike the host's general conversion (which
// replaces what does not convert), a drawing with bytes that are no text is refused.
#pragma once
#include <string>
#include <string_view>

namespace veld::dxf {

class TextDecoder {
public:
    // UTF-8 text (R2007 and later): checked, never changed.
    TextDecoder() = default;

    // A decoder for the code page a header names ("ANSI_932", "ANSI_1252", "dos932"); unknown
    // names fall back to ANSI_1252, as other programs do.
    static TextDecoder forCodePage(std::string_view dwgCodePage);

    // Appends the UTF-8 form of `in` to `out`; false when `in` holds bytes that are not text in
    // the code page (or not UTF-8).
    bool decode(std::string_view in, std::string& out) const;
    const std::string& codePageName() const { return name_; }

private:
    enum class Mode { Utf8, Windows1252, CodePage };
    Mode mode_ = Mode::Utf8;
    std::string name_ = "UTF-8";
};

// True when `text` is well-formed UTF-8.
bool isValidUtf8(std::string_view text);
// Replaces every \U+XXXX escape by the character's UTF-8 form (in place).
void decodeUnicodeEscapes(std::string& text);
// Appends the UTF-8 form of a code point.
void appendUtf8(std::string& out, char32_t codePoint);

} // namespace veld::dxf
