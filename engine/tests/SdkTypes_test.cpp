// Digits, candidate sets, fields, doubles and the grid numbering.
#include "SdkTestUtil.h"
#include "engine/SdkDouble.h"
#include "engine/SdkTypes.h"
#include "engine/Sudoku.h"

#include <gtest/gtest.h>

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

TEST(SdkField, SetValueRespectsGivenDigitsAndDropsCandidates)
{
    Sudoku g;
    ASSERT_TRUE(g.Fix(SdkDigit4, 0, 0));
    SdkField fixed = g.GetField(0, 0);
    EXPECT_FALSE(fixed.SetValue(SdkDigit5));
    EXPECT_EQ(fixed.GetValue(), SdkDigit4);
    EXPECT_TRUE(fixed.IsFix());

    ASSERT_TRUE(g.StartGame(false, false, true));
    SdkField open = g.GetField(0, 1);
    ASSERT_FALSE(open.GetResultSet().IsEmpty());
    open.SetCustomInc(SetOf({1, 2}));
    EXPECT_TRUE(open.SetValue(SdkDigitEmpty));
    EXPECT_TRUE(open.GetResultSet().IsEmpty());
    EXPECT_EQ(open.GetCustomInc(), SetOf({1, 2}));
    EXPECT_TRUE(open.SetValue(SdkDigit7));
    EXPECT_EQ(static_cast<SdkDigit>(open), SdkDigit7);
    open.Empty();
    EXPECT_EQ(open.GetValue(), SdkDigitEmpty);
    EXPECT_TRUE(open.GetCustomInc().IsEmpty());
}

TEST(SdkField, UnfixKeepsOrEmptiesTheDigit)
{
    Sudoku g;
    ASSERT_TRUE(g.Fix(SdkDigit6, 2, 2));
    ASSERT_TRUE(g.Fix(SdkDigit7, 3, 3));
    SudokuTestPeer::Unfix(g, 2, 2, false);
    EXPECT_FALSE(g.GetField(2, 2).IsFix());
    EXPECT_EQ(g.GetField(2, 2).GetValue(), SdkDigit6);
    SudokuTestPeer::Unfix(g, 3, 3, true);
    EXPECT_FALSE(g.GetField(3, 3).IsFix());
    EXPECT_EQ(g.GetField(3, 3).GetValue(), SdkDigitEmpty);
}

TEST(Geometry, NumbersQuadsAndPositions)
{
    unsigned row = 77, col = 77, quad = 77;
    EXPECT_TRUE(Sudoku::GetRowAndCol(4, 0, row, col));
    EXPECT_EQ(row, 3u);
    EXPECT_EQ(col, 3u);
    EXPECT_TRUE(Sudoku::GetRowAndCol(8, 8, row, col));
    EXPECT_EQ(row, 8u);
    EXPECT_EQ(col, 8u);
    EXPECT_TRUE(Sudoku::GetRowAndCol(2, 5, row, col));
    EXPECT_EQ(row, 1u);
    EXPECT_EQ(col, 8u);
    EXPECT_FALSE(Sudoku::GetRowAndCol(9, 0, row, col));
    EXPECT_EQ(row, 0u);
    EXPECT_EQ(col, 0u);

    EXPECT_TRUE(Sudoku::GetQuad(4, 7, quad));
    EXPECT_EQ(quad, 5u);
    EXPECT_FALSE(Sudoku::GetQuad(9, 0, quad));
    EXPECT_FALSE(Sudoku::GetQuad(0, 9, quad));
    EXPECT_EQ(quad, 5u);
}

TEST(SdkBlockRef, PointsIntoItsOwnGame)
{
    Sudoku g;
    SudokuTestPeer::Put(g, 4, 5, 8);
    const SdkBlockRef &row = g.GetBlock(SdkBlockRow, 4);
    const SdkBlockRef &col = g.GetBlock(SdkBlockColumn, 5);
    const SdkBlockRef &quad = g.GetBlock(SdkBlockQuad, 4);
    EXPECT_EQ(&row[5], &SudokuTestPeer::Field(g, 4, 5));
    EXPECT_EQ(&col[4], &SudokuTestPeer::Field(g, 4, 5));
    EXPECT_EQ(&quad[5], &SudokuTestPeer::Field(g, 4, 5));

    Sudoku copy(g);
    const SdkBlockRef &copiedRow = copy.GetBlock(SdkBlockRow, 4);
    EXPECT_EQ(&copiedRow[5], &SudokuTestPeer::Field(copy, 4, 5));
    EXPECT_EQ(copiedRow[5].GetValue(), SdkDigit8);
}

TEST(SdkBlockRef, PlaceholderBeyondPosition8)
{
    Sudoku g;
    SdkBlockRef &row = const_cast<SdkBlockRef &>(g.GetBlock(SdkBlockRow, 0));
    SdkField &outside = row[9];
    for (unsigned c = 0; c < 9; ++c)
        EXPECT_NE(&outside, &SudokuTestPeer::Field(g, 0, c));
    outside.SetValue(SdkDigit3);
    // Handed out emptied every time.
    EXPECT_EQ(row.GetField(12).GetValue(), SdkDigitEmpty);
    EXPECT_EQ(g.GetUnsolvedCount(), 81u);
}

TEST(SdkBlockRef, FindsDigitsAndVerifies)
{
    Sudoku g;
    SudokuTestPeer::Put(g, 0, 2, 5);
    SudokuTestPeer::Put(g, 0, 4, 1);
    const SdkBlockRef &row = g.GetBlock(SdkBlockRow, 0);
    unsigned pos = 99;
    EXPECT_TRUE(row.HasDigit(SdkDigit5, &pos));
    EXPECT_EQ(pos, 2u);
    EXPECT_FALSE(row.HasDigit(SdkDigit9, &pos));
    EXPECT_EQ(pos, 0u);
    EXPECT_EQ(row.GetIndex(SdkDigit1), 4);
    EXPECT_EQ(row.GetIndex(SdkDigit9), -1);
    pos = 99;
    EXPECT_TRUE(row.Verify(&pos));
    EXPECT_EQ(pos, 0u);

    SudokuTestPeer::Put(g, 0, 6, 5);
    EXPECT_FALSE(row.Verify(&pos));
    EXPECT_EQ(pos, 6u);
    // The first repeat in scan order is reported, not the first digit.
    SudokuTestPeer::Put(g, 0, 5, 1);
    EXPECT_FALSE(row.Verify(&pos));
    EXPECT_EQ(pos, 5u);
}

TEST(SdkDouble, PositionsAreOrderedAndUnique)
{
    SdkDouble dbl;
    EXPECT_TRUE(dbl.AddIndex(6));
    EXPECT_TRUE(dbl.AddIndex(1));
    EXPECT_FALSE(dbl.AddIndex(6));
    EXPECT_FALSE(dbl.AddIndex(9));
    EXPECT_EQ(dbl.IndexCount(), 2);
    EXPECT_EQ(dbl.GetIndex(0), 1);
    EXPECT_EQ(dbl.GetIndex(1), 6);
    EXPECT_EQ(dbl.GetIndex(2), -1);
    int i = 99;
    EXPECT_TRUE(dbl.HasIndex(6, &i));
    EXPECT_EQ(i, 1);
    EXPECT_FALSE(dbl.HasIndex(2, &i));
    EXPECT_EQ(i, -1);
    dbl.SetResultSet(SetOf({2, 8}));
    SdkDouble copy = dbl;
    EXPECT_EQ(copy.GetResultSet(), SetOf({2, 8}));
    EXPECT_EQ(copy.GetIndex(1), 6);
    dbl.Empty();
    EXPECT_EQ(dbl.IndexCount(), 0);
    EXPECT_TRUE(dbl.GetResultSet().IsEmpty());
}

TEST(SdkDouble, OrdersBySizeThenDigits)
{
    SdkDouble a, b;
    a.SetResultSet(SetOf({4, 9}));
    b.SetResultSet(SetOf({1, 2, 3}));
    EXPECT_LT(SdkDouble::Compare(a, b), 0);
    EXPECT_GT(SdkDouble::Compare(b, a), 0);
    b.SetResultSet(SetOf({4, 7}));
    EXPECT_EQ(SdkDouble::Compare(a, b), 2);
    b.SetResultSet(SetOf({4, 9}));
    EXPECT_EQ(SdkDouble::Compare(a, b), 0);
}

TEST(SdkDoubleList, CollectsOrderedAndCleans)
{
    SdkDoubleList list;
    EXPECT_FALSE(list.Add(SetOf({5}), 0));
    EXPECT_TRUE(list.Add(SetOf({1, 4, 6}), 0));
    EXPECT_TRUE(list.Add(SetOf({2, 8}), 1));
    EXPECT_TRUE(list.Add(SetOf({1, 4, 6}), 3));
    EXPECT_FALSE(list.Add(SetOf({1, 4, 6}), 3));
    EXPECT_TRUE(list.Add(SetOf({2, 8}), 7));
    EXPECT_TRUE(list.Add(SetOf({1, 4}), 5));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetDouble(0)->GetResultSet(), SetOf({1, 4}));
    EXPECT_EQ(list.GetDouble(1)->GetResultSet(), SetOf({2, 8}));
    EXPECT_EQ(list.GetDouble(2)->GetResultSet(), SetOf({1, 4, 6}));
    EXPECT_EQ(list.GetDouble(3), nullptr);
    EXPECT_EQ(list.GetDouble(-1), nullptr);

    // {1,4} has one field, {1,4,6} two fields for three digits: only {2,8} stays.
    list.Clean();
    ASSERT_EQ(list.Count(), 1);
    const SdkDouble *pair = list.FindDouble(SetOf({2, 8}));
    ASSERT_NE(pair, nullptr);
    EXPECT_EQ(pair->GetIndex(0), 1);
    EXPECT_EQ(pair->GetIndex(1), 7);
    EXPECT_EQ(list.FindDouble(SetOf({1, 4, 6})), nullptr);
    list.Empty();
    EXPECT_EQ(list.Count(), 0);
}

TEST(SdkDoubleList, HoldsNineDistinctSetsBeforeCleaning)
{
    const SdkResultSet sets[9] = {SetOf({1, 2}), SetOf({1, 3}), SetOf({1, 4}),
                                  SetOf({1, 5}), SetOf({1, 6}), SetOf({1, 7}),
                                  SetOf({1, 8}), SetOf({1, 9}), SetOf({2, 3})};
    SdkDoubleList list;
    for (unsigned i = 0; i < 9; ++i)
        EXPECT_TRUE(list.Add(sets[8 - i], i));
    EXPECT_EQ(list.Count(), 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(list.GetDouble(i)->GetResultSet(), sets[i]);
    list.Clean();
    EXPECT_EQ(list.Count(), 0);
}

TEST(SdkDouble, CompareAgreesWithPositionByPositionOrder)
{
    // The reference: sizes first, then the first differing digit in ascending order.
    auto reference = [](const SdkResultSet &a, const SdkResultSet &b) {
        if (a.Count() != b.Count())
            return a.Count() - b.Count();
        for (int i = 0; i < a.Count(); ++i)
            if (a.GetValue(i) != b.GetValue(i))
                return static_cast<int>(a.GetValue(i)) - static_cast<int>(b.GetValue(i));
        return 0;
    };
    SdkDouble a, b;
    for (uint16_t ma = 0; ma < 1024; ma += 2)
        for (uint16_t mb = 0; mb < 1024; mb += 2) {
            SdkResultSet sa, sb;
            sa.SetMask(ma);
            sb.SetMask(mb);
            a.SetResultSet(sa);
            b.SetResultSet(sb);
            ASSERT_EQ(SdkDouble::Compare(a, b), reference(sa, sb)) << ma << " " << mb;
        }
}
