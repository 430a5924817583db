// MTEXT paragraphs wrap as CAD programs wrap them at the reference rectangle's width: Latin text
// at spaces only (a word too long keeps its own line), Japanese between any two characters, and
// not at all without a width.
#include "host/render/MTextWrap.h"

#include <gtest/gtest.h>

using veld::render::wrapParagraph;
using Lines = std::vector<std::string>;

TEST(MTextWrap, LatinBreaksAtSpacesAndDropsTheSpaceAtTheBreak) {
    // 0.55 of the height a character: "aaaa bbbb" is 4.95 wide.
    EXPECT_EQ(wrapParagraph("aaaa bbbb cccc", 1.0, 4.0), (Lines{"aaaa", "bbbb", "cccc"}));
    EXPECT_EQ(wrapParagraph("aaaa bbbb cccc", 1.0, 5.0), (Lines{"aaaa bbbb", "cccc"}));
    EXPECT_EQ(wrapParagraph("aaaa bbbb cccc", 2.0, 10.0), (Lines{"aaaa bbbb", "cccc"}));
    EXPECT_EQ(wrapParagraph("reinforcement of", 1.0, 3.0), (Lines{"reinforcement", "of"}));
}

TEST(MTextWrap, JapaneseBreaksBetweenAnyCharactersAndNothingWrapsWithoutAWidth) {
    EXPECT_EQ(wrapParagraph("基礎の配筋図", 1.0, 3.5), (Lines{"基礎の", "配筋図"}));
    EXPECT_EQ(wrapParagraph("F1 基礎", 1.0, 2.0), (Lines{"F1", "基礎"}));
    EXPECT_EQ(wrapParagraph("aaaa bbbb cccc", 1.0, 0.0), (Lines{"aaaa bbbb cccc"}));
    EXPECT_EQ(wrapParagraph("", 1.0, 5.0), (Lines{""}));
}
