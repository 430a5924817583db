// Code-page decoding of old drawings and the safe replacement of files.
// Files are written into a fresh temporary folder per test.
#include "host/dxf/SafeFile.h"
#include "host/dxf/TextDecoder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using veld::dxf::TextDecoder;

namespace {

std::string decoded(const TextDecoder& d, std::string_view in) {
    std::string out;
    return d.decode(in, out) ? out : "<invalid>";
}

class SafeFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("veld_safefile_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(dir_);
    }
    std::string read(const std::filesystem::path& p) {
        std::string content, error;
        return veld::dxf::readWholeFile(p.string(), content, error) ? content : "<" + error + ">";
    }
    std::filesystem::path dir_;
};

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

TEST_F(SafeFileTest, ReplacesTheFileAndKeepsThePreviousAsBackup) {
    const auto target = dir_ / "a.txt";
    std::string error;
    ASSERT_TRUE(veld::dxf::replaceFileSafely(target.string(), "one", error)) << error;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "a.txt.bak"));
    ASSERT_TRUE(veld::dxf::replaceFileSafely(target.string(), "two", error)) << error;
    EXPECT_EQ(read(target), "two");
    EXPECT_EQ(read(dir_ / "a.txt.bak"), "one");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 2)
        << "no temporary file is left behind";
}

TEST_F(SafeFileTest, AFailedSaveSaysWhyAndLeavesTheOldFile) {
    const auto target = dir_ / "a.txt";
    std::string error;
    ASSERT_TRUE(veld::dxf::replaceFileSafely(target.string(), "old", error));
    if (::geteuid() != 0) { // root writes into read-only folders
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_read |
                                               std::filesystem::perms::owner_exec);
        EXPECT_FALSE(veld::dxf::replaceFileSafely(target.string(), "new", error));
        EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
        EXPECT_EQ(read(target), "old");
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all);
    }
    EXPECT_FALSE(veld::dxf::replaceFileSafely((dir_ / "missing" / "b.txt").string(), "x", error));
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
    std::filesystem::create_directory(dir_ / "c.txt");
    EXPECT_FALSE(veld::dxf::replaceFileSafely((dir_ / "c.txt").string(), "x", error));
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "c.txt"));
    EXPECT_EQ(read(target), "old");
}
