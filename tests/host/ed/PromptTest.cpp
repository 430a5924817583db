// Point, corner, text and number prompts: RETURN, ESC, the end of the input, rejected answers
// and dialog-action lines, and how prompts and answers appear in the transcript.
#include "aced.h"
#include "host/ed/HeadlessHost.h"

#include <gtest/gtest.h>

using veld::ed::HeadlessHost;

namespace {

int askPoint(HeadlessHost& host, std::vector<std::string> lines, ads_point p) {
    host.answer(std::move(lines));
    return acedGetPoint(nullptr, "\nPick: ", p);
}

} // namespace

TEST(EdPrompt, EveryKindOfPromptTellsReturnEscapeAndEndOfInput) {
    HeadlessHost host;
    ads_point p{};
    ads_real r = 0;
    char text[32];
    const ads_point base{0, 0, 0};
    EXPECT_EQ(askPoint(host, {""}, p), RTNONE);
    EXPECT_EQ(askPoint(host, {"^C"}, p), RTCAN);
    EXPECT_EQ(askPoint(host, {}, p), RTCAN);
    host.answer({"", "^C"});
    EXPECT_EQ(acedGetCorner(base, "\nCorner: ", p), RTNONE);
    EXPECT_EQ(acedGetCorner(base, "\nCorner: ", p), RTCAN);
    host.answer({"", " ^C "});
    EXPECT_EQ(acedGetReal("\nValue: ", &r), RTNONE);
    EXPECT_EQ(acedGetReal("\nValue: ", &r), RTCAN);
    host.answer({"", "^C"});
    EXPECT_EQ(acedGetString(1, "\nText: ", text, sizeof text), RTNORM);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(acedGetString(1, "\nText: ", text, sizeof text), RTCAN);
    EXPECT_FALSE(host.session().aborted());
}

TEST(EdPrompt, TheTranscriptShowsEachPromptWithItsAnswer) {
    HeadlessHost host({"3,4", "", "^C"});
    ads_point p{};
    acedGetPoint(nullptr, "\nFirst: ", p);
    acedGetPoint(nullptr, "\nSecond: ", p);
    acedGetPoint(nullptr, "\nThird: ", p);
    acedGetPoint(nullptr, "\nFourth: ", p);
    EXPECT_EQ(host.transcript(), "\nFirst: 3,4\nSecond: \nThird: *Cancel*\nFourth: *Cancel*");
}

TEST(EdPrompt, ARejectedAnswerGetsTheMessageAndTheSamePromptAgain) {
    HeadlessHost host({"ten,20", "10,20,5"});
    ads_point p{};
    ASSERT_EQ(acedGetPoint(nullptr, "\nPoint: ", p), RTNORM);
    EXPECT_DOUBLE_EQ(p[0], 10);
    EXPECT_DOUBLE_EQ(p[2], 5);
    EXPECT_EQ(host.transcript(), "\nPoint: ten,20\nInvalid point.\nPoint: 10,20,5");
    host.answer({"x", "2.5"});
    ads_real r = 0;
    ASSERT_EQ(acedGetReal("\nReal: ", &r), RTNORM);
    EXPECT_DOUBLE_EQ(r, 2.5);
}

TEST(EdPrompt, ADialogActionWithNoDialogOpenStopsTheRunAtItsLine) {
    HeadlessHost host({"1,1", "set BOTTOM 100", "2,2"});
    ads_point p{};
    EXPECT_EQ(acedGetPoint(nullptr, "\nA: ", p), RTNORM);
    EXPECT_EQ(acedGetPoint(nullptr, "\nB: ", p), RTCAN);
    EXPECT_TRUE(host.session().aborted());
    EXPECT_EQ(host.session().abortReason(),
              "line 2: \"set BOTTOM 100\" is a dialog action, but no dialog is open");
    EXPECT_EQ(acedGetPoint(nullptr, "\nC: ", p), RTCAN);
    EXPECT_EQ(host.unusedAnswers(), 1u);
}

TEST(EdPrompt, ATextPromptTakesDialogWordsAndBlanks) {
    HeadlessHost host({"ok then", "two words"});
    char text[64];
    ASSERT_EQ(acedGetString(1, "\nText: ", text, sizeof text), RTNORM);
    EXPECT_STREQ(text, "ok then");
    ASSERT_EQ(acedGetString(0, "\nWord: ", text, sizeof text), RTNORM);
    EXPECT_STREQ(text, "two");
    EXPECT_FALSE(host.session().aborted());
}

TEST(EdPrompt, AShortTextBufferIsFilledWithoutCuttingACharacter) {
    HeadlessHost host({"基礎符号"});
    char text[8];
    EXPECT_EQ(acedGetString(1, "\nText: ", text, sizeof text), RTINPUTTRUNCATED);
    EXPECT_STREQ(text, "基礎");
}

TEST(EdPrompt, ACornerNeedsItsBasePoint) {
    HeadlessHost host({"1,1"});
    ads_point p{};
    EXPECT_EQ(acedGetCorner(nullptr, "\nCorner: ", p), RTERROR);
    EXPECT_EQ(host.unusedAnswers(), 1u);
}

TEST(EdPrompt, PrintedTextGoesToTheTranscriptAsFormatted) {
    HeadlessHost host;
    EXPECT_EQ(acutPrintf("\n ｼｽﾃﾑ変数 USERR1の値が不正です = %f", 0.0), 59);
    EXPECT_EQ(host.transcript(), "\n ｼｽﾃﾑ変数 USERR1の値が不正です = 0.000000");
}

// LASTPOINT is the base of "@": a point typed follows into the variable, and a value set in the
// variable is what the next "@" input starts from.
TEST(EdPrompt, RelativeInputStartsFromTheLastPointVariable) {
    HeadlessHost host({"10,20,5", "@1,1", "@2,0"});
    ads_point p{};
    ASSERT_EQ(acedGetPoint(nullptr, "\nPoint: ", p), RTNORM);
    resbuf last{};
    ASSERT_EQ(acedGetVar("LASTPOINT", &last), RTNORM);
    EXPECT_DOUBLE_EQ(last.resval.rpoint[0], 10);
    EXPECT_DOUBLE_EQ(last.resval.rpoint[2], 5);
    ASSERT_EQ(acedGetPoint(nullptr, "\nPoint: ", p), RTNORM);
    EXPECT_DOUBLE_EQ(p[0], 11);
    EXPECT_DOUBLE_EQ(p[1], 21);
    last.restype = RT3DPOINT;
    last.resval.rpoint[0] = 100;
    last.resval.rpoint[1] = 200;
    last.resval.rpoint[2] = 0;
    ASSERT_EQ(acedSetVar("LASTPOINT", &last), RTNORM);
    ASSERT_EQ(acedGetPoint(nullptr, "\nPoint: ", p), RTNORM);
    EXPECT_DOUBLE_EQ(p[0], 102);
    EXPECT_DOUBLE_EQ(p[1], 200);
}
