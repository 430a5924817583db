// Code-page decoding of old drawings: Shift-JIS, the Windows code pages, UTF-8 checks and the
// \U+ escapes.
#include "host/dxf/TextDecoder.h"

#include <gtest/gtest.h>

using veld::dxf::TextDecoder;

namespace {

std::string decoded(const TextDecoder& d, std::string_view in) {
    std::string out;
    return d.decode(in, out) ? out : "<invalid>";
}

} // namespace

TEST(DxfTextDecoder, ConvertsShiftJisAndWindows1252) {
    const auto sjis = TextDecoder::forCodePage("ANSI_932");
    EXPECT_EQ(decoded(sjis, "\x93\xfa\x96\x7b abc \xb6\xc5"), "日本 abc ｶﾅ")
        << "half-width kana stay";
    EXPECT_EQ(decoded(sjis, "\x82"), "<invalid>") << "a lead byte without its trail byte";
    EXPECT_EQ(decoded(TextDecoder::forCodePage("dos932"), "\x82\xa0"), "あ");
    const auto latin = TextDecoder::forCodePage("ANSI_1252");
    EXPECT_EQ(decoded(latin, "\x80 \xe9 \x81"), "€ é \xc2\x81") << "unassigned bytes stay C1 codes";
    EXPECT_EQ(decoded(TextDecoder::forCodePage("ANSI_1251"), "\xc4"), "Д");
    EXPECT_EQ(TextDecoder::forCodePage("nonsense").codePageName(), "ANSI_1252");
    EXPECT_EQ(TextDecoder::forCodePage("ISO8859-99999999999").codePageName(), "ANSI_1252")
        << "a number too large for any part falls back, it does not throw";
    EXPECT_EQ(TextDecoder::forCodePage("ISO8859-").codePageName(), "ANSI_1252");
}

TEST(DxfTextDecoder, ChecksUtf8AndDecodesUnicodeEscapes) {
    const TextDecoder utf8;
    EXPECT_EQ(decoded(utf8, "基礎"), "基礎");
    EXPECT_EQ(decoded(utf8, "\xe5\x9f"), "<invalid>");
    EXPECT_EQ(decoded(utf8, "\xc0\xaf"), "<invalid>") << "overlong form";
    std::string text = "A\\U+57FA\\U+790E \\U+zz \\U+00";
    veld::dxf::decodeUnicodeEscapes(text);
    EXPECT_EQ(text, "A基礎 \\U+zz \\U+00");
}
