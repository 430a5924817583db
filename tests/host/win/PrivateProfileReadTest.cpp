// Reading private-profile files: the original platform's parsing, lookup and buffer rules.
#include "WinTestFiles.h"
#include "winprofile.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using veld::test::sjis;

class ProfileRead : public ::testing::Test {
protected:
    veld::test::TempFolder folder;
    veld::test::ProfileScope scope{folder.path()};
    std::string file = folder.file("test.ini");

    // The value and the returned count of one read with a buffer of nSize.
    struct Read {
        std::string text;
        DWORD count;
    };
    Read read(const char* section, const char* key, DWORD nSize = 256,
              const char* defaultValue = "", const std::string& path = "") {
        std::vector<char> buffer(VELD_PROFILE_UTF8_CAPACITY(nSize), '#');
        const DWORD count =
            GetPrivateProfileStringA(section, key, defaultValue, buffer.data(), nSize,
                                     path.empty() ? file.c_str() : path.c_str());
        return {buffer.data(), count};
    }
};

TEST_F(ProfileRead, NamesCompareWithoutCaseAndBlanksAreTrimmed) {
    veld::test::writeBytes(file, "  [ Path ]  \r\n   Dwg   =   symbols  \r\n");
    EXPECT_EQ(read("PATH", "DWG").text, "symbols");
    EXPECT_EQ(read("path", "dwg").text, "symbols");
    EXPECT_EQ(read(" PATH ", " DWG ").text, "symbols");
    EXPECT_EQ(read("PATH", "DWG").count, 7u);
}

TEST_F(ProfileRead, OnePairOfMatchingQuotesIsRemoved) {
    veld::test::writeBytes(file, "[S]\r\nA=\"x y\"\r\nB='z'\r\nC=\"mixed'\r\nD=\"\"q\"\"\r\n"
                                 "E=a ; b\r\nF=\"\"\r\n");
    EXPECT_EQ(read("S", "A").text, "x y");
    EXPECT_EQ(read("S", "B").text, "z");
    EXPECT_EQ(read("S", "C").text, "\"mixed'");
    EXPECT_EQ(read("S", "D").text, "\"q\"");
    EXPECT_EQ(read("S", "E").text, "a ; b"); // text after ';' inside a value stays
    EXPECT_EQ(read("S", "F").count, 0u);
}

TEST_F(ProfileRead, CommentsAreNeverKeysAndTheFirstDuplicateWins) {
    veld::test::writeBytes(file, ";K=comment\r\n[S]\r\n;K=commented\r\nK=first\r\nk=second\r\n"
                                 "[T]\r\nX=1\r\n[s]\r\nK=other section\r\nL=only here\r\n");
    EXPECT_EQ(read("S", "K").text, "first");
    EXPECT_EQ(read("S", ";K").text, "");
    // Only the first section of a name is searched.
    EXPECT_EQ(read("S", "L", 256, "dflt").text, "dflt");
}

TEST_F(ProfileRead, EmptyValueGivesZeroAndMissingKeyGivesTheDefault) {
    veld::test::writeBytes(file, "[S]\r\nMARK=\r\nLINE WITHOUT EQUALS\r\n");
    const auto empty = read("S", "MARK", 256, "dflt");
    EXPECT_EQ(empty.text, "");
    EXPECT_EQ(empty.count, 0u);
    const auto missing = read("S", "MARK_SIZE", 256, "dflt  \t ");
    EXPECT_EQ(missing.text, "dflt");
    EXPECT_EQ(missing.count, 4u);
    EXPECT_EQ(read("S", "LINE WITHOUT EQUALS", 256, "d").text, "d");
    EXPECT_EQ(read("NOPE", "MARK", 256, nullptr).count, 0u);
    const auto noFile = read("S", "MARK", 256, "from default", folder.file("none.ini"));
    EXPECT_EQ(noFile.text, "from default");
}

TEST_F(ProfileRead, ShortBufferCutsAtShiftJisCharacterBoundaries) {
    // あいう: three double-byte characters; ｱｲｳ: three single-byte half-width katakana.
    veld::test::writeBytes(file, sjis("[S]\r\nW=あいう\r\nH=ｱｲｳ\r\n"));
    EXPECT_EQ(read("S", "W", 7).text, "あいう");
    EXPECT_EQ(read("S", "W", 7).count, 6u);
    const auto cut = read("S", "W", 5); // room for 4 bytes: two characters
    EXPECT_EQ(cut.text, "あい");
    EXPECT_EQ(cut.count, 4u);
    const auto odd = read("S", "W", 4); // room for 3 bytes: never half a character
    EXPECT_EQ(odd.text, "あ");
    EXPECT_EQ(odd.count, 3u); // nSize-1 signals the cut
    const auto katakana = read("S", "H", 3);
    EXPECT_EQ(katakana.text, "ｱｲ");
    EXPECT_EQ(katakana.count, 2u);
    EXPECT_EQ(read("S", "W", 1).text, "");
}

TEST_F(ProfileRead, ValueOf300BytesReadsAsItsFirst255) {
    // 1 ASCII byte, then 'あ' pairs: byte 255 ends a character, so all 255 are taken.
    std::string value = "x";
    while (value.size() < 300) {
        value += sjis("あ");
    }
    veld::test::writeBytes(file, "[S]\r\nV=" + value + "\r\n");
    const auto cut = read("S", "V");
    EXPECT_EQ(cut.count, 255u);
    EXPECT_EQ(sjis(cut.text), value.substr(0, 255));

    // Two ASCII bytes first: byte 255 would be a lead byte, so 254 are taken.
    std::string even = "xy";
    while (even.size() < 300) {
        even += sjis("あ");
    }
    veld::test::writeBytes(file, "[S]\r\nV=" + even + "\r\n");
    EXPECT_EQ(sjis(read("S", "V").text), even.substr(0, 254));
}

TEST_F(ProfileRead, ZeroSizeLeavesTheBufferAlone) {
    veld::test::writeBytes(file, "[S]\r\nK=v\r\n");
    char buffer[4] = {'a', 'b', 'c', '\0'};
    EXPECT_EQ(GetPrivateProfileStringA("S", "K", "", buffer, 0, file.c_str()), 0u);
    EXPECT_STREQ(buffer, "abc");
}

TEST_F(ProfileRead, TrailBytesAreNeverFoldedOrTakenForBrackets) {
    // ア is 0x83 0x41 and ヂ is 0x83 0x61: folding the trail byte would make them equal.
    // ゼ is 0x83 0x5D: its trail byte looks like ']'.
    veld::test::writeBytes(file, sjis("[基礎ゼ]\r\nヂ=1\r\nソ=\\\r\n"));
    EXPECT_EQ(read("基礎ゼ", "ヂ").text, "1");
    EXPECT_EQ(read("基礎ゼ", "ア", 256, "none").text, "none");
    EXPECT_EQ(read("基礎ゼ", "ソ").text, "\\");
}

TEST_F(ProfileRead, BareNamesLiveInTheProfileFolderAndBackslashesSeparateFolders) {
    veld::test::writeBytes(folder.file("VELDOR.ini"), "[VELDOR]\r\nINI=here\r\n");
    EXPECT_EQ(read("VELDOR", "INI", 256, "", "VELDOR.ini").text, "here");
    std::filesystem::create_directory(folder.file("DAT"));
    veld::test::writeBytes(folder.file("DAT/X.DAT"), "[S]\nK=lf only\n");
    const std::string windowsPath = folder.path() + "\\DAT\\X.DAT";
    EXPECT_EQ(read("S", "K", 256, "", windowsPath).text, "lf only");
}

TEST_F(ProfileRead, NullNamesListSectionsAndKeys) {
    veld::test::writeBytes(file, "[A]\r\nk1=1\r\n;c=2\r\nk2=\r\n[BB]\r\n");
    std::vector<char> buffer(VELD_PROFILE_UTF8_CAPACITY(64));
    DWORD count = GetPrivateProfileStringA(nullptr, nullptr, "", buffer.data(), 64, file.c_str());
    EXPECT_EQ(count, 5u);
    EXPECT_EQ(std::string(buffer.data(), 6), std::string("A\0BB\0\0", 6));
    count = GetPrivateProfileStringA("a", nullptr, "", buffer.data(), 64, file.c_str());
    EXPECT_EQ(count, 6u);
    EXPECT_EQ(std::string(buffer.data(), 7), std::string("k1\0k2\0\0", 7));
    count = GetPrivateProfileStringA("A", nullptr, "", buffer.data(), 5, file.c_str());
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(std::string(buffer.data(), 5), std::string("k1\0\0\0", 5));
}

} // namespace
