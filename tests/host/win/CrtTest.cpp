// The old runtime's text-to-number rule and locale-independent formatting.
#include "crt.h"

#include "WinTestFiles.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace {

TEST(VeldAtof, TakesTheLeadingDecimalNumberAsTheOldRuntimeDid) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"1e5", 100000.0}, {" 12abc", 12.0},
        {"\t-3.5", -3.5},  {"+.5", 0.5},
        {"5.", 5.0},       {"1d5", 100000.0},
        {"2D-1", 0.2},     {"1e", 1.0},
        {"1e+", 1.0},      {"7E+2x", 700.0},
        {"-0.25e1", -2.5}, {"1588.68", 1588.68},
        {"00012", 12.0},   {"1,5", 1.0},
        {"3 4", 3.0},      {"12345678901234567890", 1.2345678901234567e19},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(veldAtof(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(VeldAtof, WhatIsNotADecimalNumberReadsAsZero) {
    const char* const zeros[] = {
        "",     "abc",  ".",     "-",        "+-1",    "0x10",
        "inf",  "nan",  "INF",   "Infinity", "e5",     "\n5",
        " - 1", "１２", "1e400", "-1e400",   "1e-400", "9e99999999999999999999"};
    for (const char* text : zeros) {
        EXPECT_EQ(veldAtof(text), 0.0) << '"' << text << '"';
    }
    EXPECT_EQ(veldAtof(nullptr), 0.0);
    EXPECT_TRUE(std::isfinite(veldAtof("1e308")));
}

// A locale whose decimal point is a comma, made with localedef into a temporary folder.
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string command =
            "localedef -i de_DE -f UTF-8 " + folder.file("de_DE.UTF-8") + " >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0) {
            GTEST_SKIP() << "localedef cannot build de_DE here";
        }
        ::setenv("LOCPATH", folder.path().c_str(), 1);
        if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
            GTEST_SKIP() << "de_DE.UTF-8 could not be loaded";
        }
    }
    void TearDown() override {
        std::setlocale(LC_ALL, "C");
        ::unsetenv("LOCPATH");
    }
    veld::test::TempFolder folder;
};

TEST_F(CommaLocale, FormattingAndParsingIgnoreTheProcessLocale) {
    char check[32];
    std::snprintf(check, sizeof check, "%.2f", 1.5);
    ASSERT_STREQ(check, "1,50") << "the locale should really use a comma";
    EXPECT_EQ(veldFormat("%.2f", 1588.675), "1588.67");
    EXPECT_EQ(veldFormat("%s=%.2f;%d", "H", 2751.6666, 3), "H=2751.67;3");
    EXPECT_DOUBLE_EQ(veldAtof("1588.68"), 1588.68);
    EXPECT_DOUBLE_EQ(veldAtof("1,5"), 1.0);
}

TEST(VeldFormat, BehavesLikeSnprintf) {
    EXPECT_EQ(veldFormat("%.2f", 794.34), "794.34");
    EXPECT_EQ(veldFormat("%d", 0), "0");
    EXPECT_EQ(veldFormat("%s", ""), "");
    EXPECT_EQ(veldFormat("%s", std::string(1000, 'x').c_str()).size(), 1000u);
    EXPECT_EQ(veldFormat("%.2f", -0.004), "-0.00");
}

} // namespace
