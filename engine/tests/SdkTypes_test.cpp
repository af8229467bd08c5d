// Digits, candidate sets, fields, doubles and the grid numbering.
#include "engine/SdkDouble.h"
#include "engine/SdkTypes.h"
#include "engine/Sudoku.h"

#include <gtest/gtest.h>

namespace {
SdkResultSet SetOf(std::initializer_list<unsigned> digits)
{
    SdkResultSet set;
    for (unsigned d : digits)
        set.AddValue(SdkDigit(d));
    return set;
}
} // namespace

TEST(SdkResultSet, KeepsDigitsOrderedAndUnique)
{
    SdkResultSet set;
    EXPECT_TRUE(set.AddValue(SdkDigit7));
    EXPECT_TRUE(set.AddValue(SdkDigit2));
    EXPECT_TRUE(set.AddValue(SdkDigit9));
    EXPECT_FALSE(set.AddValue(SdkDigit7));
    EXPECT_FALSE(set.AddValue(SdkDigitEmpty));
    EXPECT_FALSE(set.AddValue(SdkDigit(10)));
    ASSERT_EQ(set.Count(), 3);
    EXPECT_EQ(set.GetValue(0), SdkDigit2);
    EXPECT_EQ(set.GetValue(1), SdkDigit7);
    EXPECT_EQ(set.GetValue(2), SdkDigit9);
    EXPECT_EQ(set.GetValue(3), SdkDigitEmpty);
    EXPECT_EQ(set.GetValue(-1), SdkDigitEmpty);
    EXPECT_EQ(set.ToString(), "{ 2, 7, 9 }");
    EXPECT_EQ(SdkResultSet().ToString(), "{  }");
}

TEST(SdkResultSet, FindsAndRemovesDigits)
{
    SdkResultSet set = SetOf({1, 5, 8});
    int index = 99;
    EXPECT_TRUE(set.HasValue(SdkDigit8, &index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(set.HasValue(SdkDigit3, &index));
    EXPECT_EQ(index, -1);
    EXPECT_FALSE(set.HasValue(SdkDigitEmpty, &index));
    EXPECT_EQ(index, -1);
    EXPECT_TRUE(set.RemoveValue(SdkDigit5));
    EXPECT_FALSE(set.RemoveValue(SdkDigit5));
    EXPECT_FALSE(set.RemoveValue(SdkDigitEmpty));
    EXPECT_EQ(set, SetOf({1, 8}));
    EXPECT_NE(set, SetOf({1, 8, 9}));
    set.Empty();
    EXPECT_EQ(set.Count(), 0);
}
