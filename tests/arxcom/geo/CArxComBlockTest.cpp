// Tests of the rectangle reference points that both foundation outlines are built from.
#include "arxcom/CArxComBlock.h"

#include <gtest/gtest.h>

TEST(CArxComBlockRectangle, ClockwiseFromTopMiddle) {
    AcGePoint3dArray points;
    CArxComBlock().GetRectanglePoints(4, 2, points);
    const AcGePoint3d expected[8] = {{0, 1, 0},  {2, 1, 0},   {2, 0, 0},  {2, -1, 0},
                                     {0, -1, 0}, {-2, -1, 0}, {-2, 0, 0}, {-2, 1, 0}};
    ASSERT_EQ(points.length(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(points[i], expected[i]) << "point " << i;
    }
}

TEST(CArxComBlockRectangle, InsertedInFrontOfExistingPoints) {
    AcGePoint3dArray points;
    points.append(AcGePoint3d(7, 8, 9));
    points.append(AcGePoint3d(1, 2, 3));
    CArxComBlock().GetRectanglePoints(4, 2, points);
    ASSERT_EQ(points.length(), 10);
    EXPECT_EQ(points[0], AcGePoint3d(0, 1, 0));
    EXPECT_EQ(points[7], AcGePoint3d(-2, 1, 0));
    EXPECT_EQ(points[8], AcGePoint3d(7, 8, 9));
    EXPECT_EQ(points[9], AcGePoint3d(1, 2, 3));
}
