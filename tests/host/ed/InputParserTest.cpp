// Typed answers: numbers, points, keywords, wildcards and dialog-action lines.
#include "host/ed/InputParser.h"

#include <gtest/gtest.h>

using veld::ed::InputParser;

TEST(EdInputParser, NumbersAreWholeDecimalTexts) {
    EXPECT_EQ(InputParser::number("12.5"), 12.5);
    EXPECT_EQ(InputParser::number("  -3 "), -3.0);
    EXPECT_EQ(InputParser::number("1e5"), 100000.0);
    EXPECT_EQ(InputParser::number(".5"), 0.5);
    for (const char* notANumber : {"", "abc", "12abc", "0x10", "inf", "nan", "1e", "1e999", "."}) {
        EXPECT_FALSE(InputParser::number(notANumber)) << notANumber;
    }
}

TEST(EdInputParser, IntegersKeepToTheirRange) {
    EXPECT_EQ(InputParser::integer("32767", -32768, 32767), 32767);
    EXPECT_FALSE(InputParser::integer("32768", -32768, 32767));
    EXPECT_FALSE(InputParser::integer("1.5", -32768, 32767));
    EXPECT_EQ(InputParser::integer(" +7 ", 0, 10), 7);
}

TEST(EdInputParser, PointsAreTwoOrThreeCoordinates) {
    AcGePoint3d last(1, 2, 3);
    EXPECT_EQ(InputParser::point("10,20", last), AcGePoint3d(10, 20, 0));
    EXPECT_EQ(InputParser::point(" 1.5 , -2 , 4 ", last), AcGePoint3d(1.5, -2, 4));
    EXPECT_EQ(InputParser::point("@1,1", last), AcGePoint3d(2, 3, 3));
    for (const char* notAPoint : {"10", "1,2,3,4", "a,b", "1,,2", "inf,0", ""}) {
        EXPECT_FALSE(InputParser::point(notAPoint, last)) << notAPoint;
    }
}

// "@1e308,0" after a point at 1e308 gave an infinite point, which the writer then saved as 0.
TEST(EdInputParser, PointsBeyondTheDrawingsRangeAreRefused) {
    const AcGePoint3d far(1e308, 0, 0);
    EXPECT_FALSE(InputParser::point("@1e308,0", far));
    EXPECT_FALSE(InputParser::point("@0,0", far)) << "already beyond the range";
    EXPECT_FALSE(InputParser::point("1e100,0", AcGePoint3d()));
    EXPECT_FALSE(InputParser::point("0,0,-1e100", AcGePoint3d()));
    EXPECT_EQ(InputParser::point("1e99,-1e99", AcGePoint3d()), AcGePoint3d(1e99, -1e99, 0));
    EXPECT_EQ(InputParser::point("@-1e99,0", AcGePoint3d(1e99, 0, 0)), AcGePoint3d(0, 0, 0));
}

TEST(EdInputParser, KeywordsNeedTheirCapitalisedAbbreviation) {
    std::vector<std::string> undo{"BEgin", "End", "Mark", "Back", "Group"};
    EXPECT_EQ(InputParser::keyword("be", undo), "BEgin");
    EXPECT_EQ(InputParser::keyword("BEGIN", undo), "BEgin");
    EXPECT_EQ(InputParser::keyword("b", undo), "Back");
    EXPECT_EQ(InputParser::keyword("_g", undo), "Group");
    EXPECT_FALSE(InputParser::keyword("begins", undo));
    std::vector<std::string> layer{"ON", "OFF"};
    EXPECT_FALSE(InputParser::keyword("o", layer));
    EXPECT_EQ(InputParser::keyword("off", layer), "OFF");
}

TEST(EdInputParser, DialogActionsAreRecognisedByTheirFirstWord) {
    for (const char* action : {"ok", "Cancel", "set 1032 5", "leave BOTTOM", "select X Y",
                               "check 1040 on", "click 1050"}) {
        EXPECT_TRUE(InputParser::isDialogAction(action)) << action;
    }
    for (const char* other : {"okay", "LINE", "setvar", "0,0"}) {
        EXPECT_FALSE(InputParser::isDialogAction(other)) << other;
    }
}

TEST(EdInputParser, WildcardQuestionMarkTakesOneUtf8Character) {
    EXPECT_TRUE(InputParser::matchesWildcard("x*", "X-GRID"));
    EXPECT_TRUE(InputParser::matchesWildcard("基礎?号", "基礎符号"));
    EXPECT_FALSE(InputParser::matchesWildcard("基礎?号", "基礎号"));
    EXPECT_FALSE(InputParser::matchesWildcard("A?", "A"));
}

TEST(EdInputParser, NumbersAreFormattedShortestAndLocaleFree) {
    EXPECT_EQ(InputParser::formatNumber(10.0), "10");
    EXPECT_EQ(InputParser::formatNumber(0.1), "0.1");
    EXPECT_EQ(InputParser::formatNumber(-0.0), "0");
    EXPECT_EQ(InputParser::formatPoint(AcGePoint3d(1, 2.5, 0)), "1,2.5,0");
}
