// Typed and scripted text at the door: UTF-8 kept, Shift-JIS converted (half-width katakana
// included), anything else refused rather than kept as raw bytes.
#include "host/ed/TypedText.h"

#include <gtest/gtest.h>

using veld::ed::typedTextAsUtf8;

TEST(TypedText, ValidTextIsKeptOrConvertedAndEverythingElseRefused) {
    EXPECT_EQ(typedTextAsUtf8("", false), "");
    EXPECT_EQ(typedTextAsUtf8("基礎ﾃｽﾄ F1", false), "基礎ﾃｽﾄ F1");
    // 基礎 in Shift-JIS, then ﾃｽﾄ as half-width katakana (one byte each).
    EXPECT_EQ(typedTextAsUtf8("\x8a\xee\x91\x62\xc3\xbd\xc4", true), "基礎ﾃｽﾄ");
    EXPECT_EQ(typedTextAsUtf8("LINE 0,0", true), "LINE 0,0");

    for (const char* notUtf8 :
         {"\x8a\xee\x91\x62", "Jos\xe9", "\xc0\xaf", "\xed\xa0\x80", "\xe5\x9f"}) {
        EXPECT_FALSE(typedTextAsUtf8(notUtf8, false)) << notUtf8;
    }
    // A lead byte without a valid second byte, a lone lead byte at the end, unassigned bytes.
    for (const char* notSjis : {"\x8a\xee\x81 X", "AB\x81", "\xfd", "\xa0"}) {
        EXPECT_FALSE(typedTextAsUtf8(notSjis, true)) << notSjis;
    }
}
