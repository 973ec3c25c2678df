#include "platform/kernel/MulDiv.h"

#include <gtest/gtest.h>

#include <climits>

namespace win {
namespace {

struct Vector {
    int number, numerator, denominator, expected;
};

TEST(MulDiv, RoundsHalvesAwayFromZeroInEverySignCombination) {
    const Vector vectors[] = {
        {10, 3, 4, 8},    {-10, 3, 4, -8},   {10, -3, 4, -8},  {10, 3, -4, -8},
        {-10, -3, 4, 8},  {-10, 3, -4, 8},   {10, -3, -4, 8},  {-10, -3, -4, -8},
        {1, 1, 2, 1},     {-1, 1, 2, -1},    {1, 1, -2, -1},   {3, 1, 2, 2},
        {-3, 1, 2, -2},   {5, 1, 2, 3},      {-5, 1, 2, -3},
    };
    for (const Vector& v : vectors)
        EXPECT_EQ(MulDiv(v.number, v.numerator, v.denominator), v.expected)
            << v.number << " * " << v.numerator << " / " << v.denominator;
}

TEST(MulDiv, RoundsToNearestBelowAndAboveHalf) {
    EXPECT_EQ(MulDiv(4, 1, 3), 1);    // 1.33
    EXPECT_EQ(MulDiv(5, 1, 3), 2);    // 1.67
    EXPECT_EQ(MulDiv(-4, 1, 3), -1);
    EXPECT_EQ(MulDiv(-5, 1, 3), -2);
    EXPECT_EQ(MulDiv(2, 2, 5), 1);    // 0.8
    EXPECT_EQ(MulDiv(1, 2, 5), 0);    // 0.4
    EXPECT_EQ(MulDiv(0, 12345, 7), 0);
    EXPECT_EQ(MulDiv(96, 72, 96), 72);
}

TEST(MulDiv, KeepsTheFullProductBeforeDividing) {
    EXPECT_EQ(MulDiv(100000, 100000, 1000), 10000000);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(MulDiv(INT_MIN, INT_MAX, INT_MAX), INT_MIN);
    EXPECT_EQ(MulDiv(INT_MIN, INT_MIN, INT_MIN), INT_MIN);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MIN), -2147483646);
    EXPECT_EQ(MulDiv(INT_MAX, 1, 2), 1073741824);    // .5 up
    EXPECT_EQ(MulDiv(-INT_MAX, 1, 2), -1073741824);  // .5 down
    EXPECT_EQ(MulDiv(INT_MIN, 1, 1), INT_MIN);
    EXPECT_EQ(MulDiv(INT_MAX, -1, 1), -INT_MAX);
}

TEST(MulDiv, ReturnsMinusOneOutsideTheIntRangeOrForZeroDenominator) {
    EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDiv(INT_MIN, -1, 1), -1);
    EXPECT_EQ(MulDiv(INT_MIN, 1, -1), -1);
    EXPECT_EQ(MulDiv(INT_MIN, 2, 1), -1);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, 1), -1);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(0, 0, 0), -1);
    EXPECT_EQ(MulDiv(INT_MIN, INT_MIN, 0), -1);
}

}  // namespace
}  // namespace win
