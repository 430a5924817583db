// Code-page conversion: Shift-JIS and the DXF code pages to UTF-8 and back, and what happens to
// bytes and characters that do not convert.
#include "host/win/CodePage.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace veld::win;

const std::string kReplacement = "\xEF\xBF\xBD";

bool isValidUtf8(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = utf8SequenceLength(text);
        if (length == 0) {
            return false;
        }
        text.remove_prefix(length);
    }
    return true;
}

TEST(ShiftJis, JapaneseTextRoundTripsWithTheBytesOfCodePage932) {
    // Ideographic space 0x81 0x40, half-width katakana single bytes, a backslash kept as 0x5C.
    const std::string text = "施工図　基礎 ﾀﾞｲｱﾛｸﾞ C:\\x ～①";
    const std::string bytes = utf8ToSjis(text);
    EXPECT_EQ(bytes.substr(0, 8), "\x8E\x7B\x8D\x48\x90\x7D\x81\x40");
    EXPECT_EQ(bytes.substr(13, 3), "\xC0\xDE\xB2");
    EXPECT_NE(bytes.find("C:\\x"), std::string::npos);
    EXPECT_EQ(sjisToUtf8(bytes), text);
}

TEST(ShiftJis, InvalidBytesBecomeReplacementCharacters) {
    EXPECT_EQ(sjisToUtf8("a\x80z"), "a" + kReplacement + "z");
    // A lead byte followed by a byte that cannot trail: the lead alone is replaced.
    EXPECT_EQ(sjisToUtf8("\x81\x20x"), kReplacement + " x");
    // A lead byte cut off by the end of the text.
    EXPECT_EQ(sjisToUtf8("ab\x82"), "ab" + kReplacement);
    EXPECT_EQ(sjisToUtf8(std::string("\0\xFF", 2)), std::string("\0", 1) + kReplacement);
}

TEST(ShiftJis, RandomBytesNeverCrashAndAlwaysGiveValidUtf8) {
    std::mt19937 random(20240601);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 40, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random() & 0xFF);
        }
        const std::string utf8 = sjisToUtf8(bytes);
        ASSERT_TRUE(isValidUtf8(utf8)) << "round " << round;
        // Back and forth again gives the same text, except that U+FFFD has no Shift-JIS form.
        std::string expected = utf8;
        for (std::size_t at; (at = expected.find(kReplacement)) != std::string::npos;) {
            expected.replace(at, kReplacement.size(), "?");
        }
        EXPECT_EQ(sjisToUtf8(utf8ToSjis(utf8)), expected) << "round " << round;
    }
}

TEST(ShiftJis, CharactersWithoutAShiftJisFormAndBrokenUtf8BecomeQuestionMarks) {
    EXPECT_EQ(utf8ToSjis("a€b"), "a?b");          // the euro sign is not in code page 932
    EXPECT_EQ(utf8ToSjis("x😀y"), "x?y");          // one '?' for the whole four-byte character
    EXPECT_EQ(utf8ToSjis("a\xC3z"), "a?z");       // a lead byte without its continuation
    EXPECT_EQ(utf8ToSjis("\xED\xA0\x80"), "???"); // an encoded surrogate is not UTF-8
    EXPECT_EQ(utf8ToSjis("end\xE3\x81"), "end??");
}

TEST(ShiftJis, PrefixLengthNeverEndsInsideACharacter) {
    const std::string bytes = utf8ToSjis("aあｱい"); // 1 + 2 + 1 + 2 bytes
    EXPECT_EQ(sjisPrefixLength(bytes, 0), 0u);
    EXPECT_EQ(sjisPrefixLength(bytes, 2), 1u);
    EXPECT_EQ(sjisPrefixLength(bytes, 3), 3u);
    EXPECT_EQ(sjisPrefixLength(bytes, 5), 4u);
    EXPECT_EQ(sjisPrefixLength(bytes, 100), 6u);
    EXPECT_EQ(sjisPrefixLength("a\x82", 2), 2u); // a lone lead byte at the end is one character
}

// Every edge of the lead-byte ranges (0x81-0x9F, 0xE0-0xFC) and of the half-width katakana
// (0xA1-0xDF): a value cut at a byte limit keeps whole characters only when each edge is right.
TEST(ShiftJis, LeadAndSingleByteRangesAreRightAtEveryEdge) {
    for (const unsigned lead : {0x81u, 0x9Fu, 0xE0u, 0xFCu}) {
        SCOPED_TRACE(lead);
        EXPECT_EQ(sjisCharLength(static_cast<unsigned char>(lead)), 2);
        const std::string twoChars = {static_cast<char>(lead), '\x40', 'x'};
        EXPECT_EQ(sjisPrefixLength(twoChars, 1), 0u);
        EXPECT_EQ(sjisPrefixLength(twoChars, 2), 2u);
    }
    for (const unsigned single : {0x7Fu, 0x80u, 0xA0u, 0xA1u, 0xDFu, 0xFDu}) {
        SCOPED_TRACE(single);
        EXPECT_EQ(sjisCharLength(static_cast<unsigned char>(single)), 1);
        const std::string text = {static_cast<char>(single), '\x40'};
        EXPECT_EQ(sjisPrefixLength(text, 1), 1u);
    }
    // The half-width katakana edges decode to themselves, one byte each.
    EXPECT_EQ(sjisToUtf8("\xA1\xDF"), "\xEF\xBD\xA1\xEF\xBE\x9F"); // U+FF61, U+FF9F
    EXPECT_EQ(utf8ToSjis("\xEF\xBD\xA1\xEF\xBE\x9F"), "\xA1\xDF");
    // A double-byte character at each lead edge stays one character through the round trip.
    for (const char* bytes : {"\x81\x40", "\x9F\x40", "\xE0\x40", "\xEA\x40"}) {
        SCOPED_TRACE(bytes);
        const std::string utf8 = sjisToUtf8(bytes);
        EXPECT_EQ(utf8.find(kReplacement), std::string::npos);
        EXPECT_EQ(utf8ToSjis(utf8), bytes);
    }
    EXPECT_EQ(sjisToUtf8("\xFC\x40"), "\xE9\xAB\x9C"); // U+9ADC, the IBM extension's last row
}

TEST(DxfCodePages, NamedCodePagesConvertBothWays) {
    EXPECT_EQ(toUtf8("caf\xE9", "ANSI_1252"), "café");
    EXPECT_EQ(fromUtf8("café", "ansi_1252"), "caf\xE9");
    EXPECT_EQ(toUtf8("\x8A\xEE\x91\x62", "ANSI_932"), "基礎");
    EXPECT_EQ(toUtf8("\xBB\xF9\xB4\xA1", "ANSI_936"), "基础");
    EXPECT_EQ(fromUtf8("基础", "ANSI_936"), "\xBB\xF9\xB4\xA1");
    EXPECT_EQ(toUtf8("\xC0\xE0", "ANSI_1251"), "Аа");
    EXPECT_EQ(toUtf8("\x82", "DOS437"), "é");
    EXPECT_EQ(toUtf8("plain", "ANSI_949"), "plain");
}

TEST(DxfCodePages, UnknownNamesReadAsAnsi1252AndUtf8IsCleaned) {
    EXPECT_FALSE(isKnownCodePage("ANSI_99999"));
    EXPECT_FALSE(isKnownCodePage(""));
    EXPECT_TRUE(isKnownCodePage("ANSI_932"));
    EXPECT_TRUE(isKnownCodePage("utf-8"));
    EXPECT_EQ(toUtf8("caf\xE9", "ANSI_99999"), "café");
    EXPECT_EQ(toUtf8("caf\xE9", ""), "café");
    EXPECT_EQ(toUtf8("ok\xFFé", "UTF-8"), "ok" + kReplacement + "é");
    EXPECT_EQ(fromUtf8("ok\xFF", "UTF8"), "ok?");
    // Undefined in code page 1252.
    EXPECT_EQ(toUtf8("a\x81", "ANSI_1252"), "a" + kReplacement);
}

} // namespace
