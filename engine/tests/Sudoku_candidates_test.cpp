// The candidate calculation: elimination, deep singles, doubles, fixed point.
#include "SdkTestUtil.h"

#include <gtest/gtest.h>

#include <random>

using Peer = SudokuTestPeer;

namespace {
// The digits no value of the field's row, column or quad excludes.
SdkResultSet Open(const Sudoku &g, unsigned row, unsigned col)
{
    SdkResultSet set;
    for (unsigned d = 1; d <= 9; ++d)
        if (g.ValueAllowed(D(d), row, col, false))
            set.AddValue(D(d));
    return set;
}

// A literal pass as the rules describe it, one digit at a time through
// ValueAllowed, to check the engine's faster pass against.
bool ReferencePass(Sudoku &g, bool full, bool deep)
{
    if (full)
        for (unsigned i = 0; i < 81; ++i)
            Peer::SetResultSet(g, i / 9, i % 9, SdkResultSet());
    bool changed = false;
    for (unsigned r = 0; r < 9; ++r)
        for (unsigned c = 0; c < 9; ++c) {
            SdkField &f = Peer::Field(g, r, c);
            if (f.IsFix() || f.GetValue() != SdkDigitEmpty)
                continue;
            for (unsigned d = 1; d <= 9; ++d) {
                SdkResultSet set = f.GetResultSet();
                if (!g.ValueAllowed(D(d), r, c, deep)) {
                    if (set.RemoveValue(D(d))) {
                        changed = true;
                        Peer::SetLastChanged(g, r, c, true);
                    }
                } else if (full && set.AddValue(D(d))) {
                    changed = true;
                }
                Peer::SetResultSet(g, r, c, set);
            }
        }
    return changed;
}

// The field at a position of a block.
SdkField &BlockField(Sudoku &g, SdkBlockType type, unsigned b, unsigned pos)
{
    unsigned row = b, col = pos;
    if (type == SdkBlockColumn)
        std::swap(row, col);
    else if (type == SdkBlockQuad)
        Sudoku::GetRowAndCol(b, pos, row, col);
    return Peer::Field(g, row, col);
}

// Doubles cleaning as the rules describe it, with a list made from scratch.
unsigned ReferenceClean(Sudoku &g, SdkBlockType type)
{
    unsigned removed = 0;
    for (unsigned b = 0; b < 9; ++b) {
        SdkDoubleList list;
        for (unsigned pos = 0; pos < 9; ++pos)
            if (BlockField(g, type, b, pos).GetValue() == SdkDigitEmpty)
                list.Add(BlockField(g, type, b, pos).GetResultSet(), pos);
        list.Clean();
        for (unsigned pos = 0; pos < 9; ++pos) {
            SdkField &f = BlockField(g, type, b, pos);
            if (f.IsFix() || f.GetValue() != SdkDigitEmpty)
                continue;
            for (int i = 0; i < list.Count(); ++i) {
                const SdkResultSet &dbl = list.GetDouble(i)->GetResultSet();
                SdkResultSet set = f.GetResultSet();
                if (set == dbl)
                    continue;
                for (int k = 0; k < dbl.Count(); ++k)
                    removed += set.RemoveValue(dbl.GetValue(k)) ? 1 : 0;
                if (set != f.GetResultSet()) {
                    unsigned row = 0, col = 0;
                    for (unsigned j = 0; j < 81; ++j)
                        if (&Peer::Field(g, j / 9, j % 9) == &f)
                            row = j / 9, col = j % 9;
                    Peer::SetResultSet(g, row, col, set);
                    Peer::SetLastChanged(g, row, col, true);
                }
            }
        }
    }
    return removed;
}

void ReferenceMark(Sudoku &g)
{
    for (unsigned i = 0; i < 81; ++i)
        Peer::SetDoubleResult(g, i / 9, i % 9, false);
    for (SdkBlockType type : SdkBlockTypes)
        for (unsigned b = 0; b < 9; ++b)
            for (unsigned i = 0; i < 9; ++i) {
                const SdkField &f = BlockField(g, type, b, i);
                const SdkDigit v = f.GetValue();
                const SdkResultSet s = f.GetResultSet();
                const int capacity = v != SdkDigitEmpty ? 1 : s.Count();
                std::vector<unsigned> group = {i};
                for (unsigned j = i + 1; j < 9; ++j) {
                    const SdkField &h = BlockField(g, type, b, j);
                    const SdkDigit w = h.GetValue();
                    const SdkResultSet t = h.GetResultSet();
                    const bool joins = (v != 0 && w != 0 && w == v) ||
                                       (v != 0 && w == 0 && t.Count() == 1 && t.GetValue(0) == v) ||
                                       (v == 0 && w == 0 && s.Count() >= 1 && t == s) ||
                                       (v == 0 && w != 0 && s.Count() == 1 && s.GetValue(0) == w);
                    if (joins)
                        group.push_back(j);
                }
                if (static_cast<int>(group.size()) > capacity)
                    for (unsigned j : group) {
                        unsigned row = 0, col = 0;
                        for (unsigned k = 0; k < 81; ++k)
                            if (&Peer::Field(g, k / 9, k % 9) == &BlockField(g, type, b, j))
                                row = k / 9, col = k % 9;
                        Peer::SetDoubleResult(g, row, col, true);
                    }
            }
}

void ReferenceRecalc(Sudoku &g)
{
    bool deep = g.IsDeepCalcResultSets();
    bool again = true;
    while (again) {
        const bool changed = ReferencePass(g, false, deep);
        bool cleaned = false;
        if (g.GetUnsolvedCount() > 0) {
            const unsigned rows = ReferenceClean(g, SdkBlockRow);
            const unsigned cols = ReferenceClean(g, SdkBlockColumn);
            const unsigned quads = ReferenceClean(g, SdkBlockQuad);
            cleaned = rows + cols + quads > 0;
        }
        deep = false;
        again = changed || cleaned;
    }
    ReferenceMark(g);
}

void ExpectSameFields(const Sudoku &a, const Sudoku &b)
{
    for (unsigned r = 0; r < 9; ++r)
        for (unsigned c = 0; c < 9; ++c) {
            const SdkField fa = a.GetField(r, c);
            const SdkField fb = b.GetField(r, c);
            EXPECT_EQ(fa.GetResultSet(), fb.GetResultSet()) << r << "," << c;
            EXPECT_EQ(fa.IsLastChanged(), fb.IsLastChanged()) << r << "," << c;
            EXPECT_EQ(fa.IsDoubleResult(), fb.IsDoubleResult()) << r << "," << c;
            EXPECT_EQ(fa.GetValue(), fb.GetValue()) << r << "," << c;
        }
}
} // namespace

TEST(FullCalculation, CandidatesAreTheOpenDigitsReducedByDoubles)
{
    Sudoku g;
    StartRiddle(g);
    for (unsigned r = 0; r < 9; ++r)
        for (unsigned c = 0; c < 9; ++c) {
            const SdkField f = g.GetField(r, c);
            if (f.GetValue() != SdkDigitEmpty) {
                EXPECT_TRUE(f.GetResultSet().IsEmpty());
                continue;
            }
            // Reductions only remove digits, and never the solution's digit.
            const SdkResultSet open = Open(g, r, c);
            EXPECT_EQ(f.GetResultSet().GetMask() & ~open.GetMask(), 0) << r << "," << c;
            EXPECT_TRUE(f.GetResultSet().HasValue(D(kSolution[r * 9 + c] - '0')));
        }
    // This riddle reduces below the open digits: (4, 4) can only be 5.
    EXPECT_EQ(g.GetField(4, 4).GetResultSet(), SetOf({5}));
}

TEST(FullCalculation, GivenAndPlayedFieldsGetNoCandidates)
{
    Sudoku g;
    StartRiddle(g);
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    Peer::CalcResultSets(g, true, false);
    EXPECT_TRUE(g.GetField(0, 0).GetResultSet().IsEmpty());
    EXPECT_TRUE(g.GetField(0, 2).GetResultSet().IsEmpty());
}

TEST(FullCalculation, UserMarksAreNeverTouched)
{
    Sudoku g;
    LoadGrid(g, kRiddle);
    g.SetUserCandidates(SetOf({1, 9}), 0, 2);
    g.SetUserExcludes(SetOf({4}), 0, 2);
    g.SetUserCandidates(SetOf({2}), 0, 0);
    ASSERT_TRUE(g.StartGame(true, true, false));
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    ASSERT_TRUE(g.EmptyValue(0, 2));
    g.SetDeepCalcResultSets(true);
    Peer::RecalcResultSets(g);
    EXPECT_EQ(g.GetUserCandidates(0, 2), SetOf({1, 9}));
    EXPECT_EQ(g.GetUserExcludes(0, 2), SetOf({4}));
    EXPECT_EQ(g.GetUserCandidates(0, 0), SetOf({2}));
}

TEST(FullCalculation, RemovingAValueRestoresWhatOnlyItExcluded)
{
    Sudoku g;
    StartRiddle(g);
    const Sudoku before(g);
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    EXPECT_FALSE(g.GetField(0, 6).GetResultSet().HasValue(SdkDigit4));
    ASSERT_TRUE(g.EmptyValue(0, 2));
    for (unsigned i = 0; i < 81; ++i)
        EXPECT_EQ(g.GetField(i / 9, i % 9).GetResultSet(),
                  before.GetField(i / 9, i % 9).GetResultSet())
            << i;
}

TEST(EliminationPass, MatchesTheDigitByDigitRules)
{
    // Random positions of the riddle with random candidate sets: the engine's
    // pass must give the same sets, marks and result as the literal rules.
    std::mt19937 random(20261206);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        Sudoku g;
        StartRiddle(g);
        for (unsigned i = 0; i < 81; ++i) {
            if (g.GetField(i / 9, i % 9).GetValue() == SdkDigitEmpty && random() % 4 == 0) {
                ASSERT_TRUE(
                    Peer::SetValueRaw(g, D(kSolution[i] - '0'), i / 9, i % 9, false, false));
            }
        }
        for (unsigned i = 0; i < 81; ++i) {
            if (g.GetField(i / 9, i % 9).GetValue() != SdkDigitEmpty)
                continue;
            SdkResultSet set;
            set.SetMask(static_cast<uint16_t>(random() & SdkResultSet::AllDigits));
            if (random() % 3 == 0)
                set = SetOf({static_cast<unsigned>(1 + random() % 9)});
            Peer::SetResultSet(g, i / 9, i % 9, set);
        }
        g.ResetLastChanges();
        const bool deep = random() % 2 == 0;
        Sudoku expected(g);
        Sudoku actual(g);
        const bool expectedChanged = ReferencePass(expected, false, deep);
        EXPECT_EQ(Peer::CalcResultSets(actual, false, deep), expectedChanged);
        ExpectSameFields(expected, actual);
    }
}

TEST(Reduction, PlayedSequencesMatchTheLiteralRules)
{
    // Random games of setting and emptying values, with and without the deep
    // option, replayed on a second game by the literal rules: the engine's
    // reduction must leave the same candidates and marks after every move.
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        Sudoku g;
        StartRiddle(g);
        g.SetDeepCalcResultSets(round % 2 == 1);
        Sudoku ref(g);
        ExpectSameFields(ref, g);
        for (int move = 0; move < 25; ++move) {
            const unsigned i = random() % 81;
            const unsigned row = i / 9, col = i % 9;
            if (g.GetField(row, col).IsFix())
                continue;
            if (g.GetField(row, col).GetValue() == SdkDigitEmpty) {
                const SdkDigit d = D(kSolution[i] - '0');
                ASSERT_TRUE(g.SetValue(d, row, col));
                Peer::Field(ref, row, col).SetValue(d);
                Peer::SetLastChanged(ref, row, col, true);
                ReferenceRecalc(ref);
            } else {
                ASSERT_TRUE(g.EmptyValue(row, col));
                Peer::Field(ref, row, col).SetValue(SdkDigitEmpty);
                ReferencePass(ref, true, false);
                ReferenceRecalc(ref);
                ReferenceRecalc(ref);
                ref.ResetLastChanges();
                Peer::SetLastChanged(ref, row, col, true);
            }
            ExpectSameFields(ref, g);
            if (HasFailure())
                return;
        }
    }
}

TEST(Doubles, PairInARowLeavesTheOtherFields)
{
    Sudoku g;
    const SdkResultSet all = SetOf({1, 2, 3, 4, 5, 6, 7, 8, 9});
    for (unsigned i = 0; i < 81; ++i)
        Peer::SetResultSet(g, i / 9, i % 9, all);
    Peer::SetResultSet(g, 0, 0, SetOf({2, 8}));
    Peer::SetResultSet(g, 0, 4, SetOf({2, 8}));
    Peer::SetResultSet(g, 0, 7, SetOf({2, 5, 8}));
    EXPECT_EQ(Peer::CleanBlockResultSets(g, SdkBlockRow), 14u);
    EXPECT_EQ(g.GetField(0, 0).GetResultSet(), SetOf({2, 8}));
    EXPECT_EQ(g.GetField(0, 4).GetResultSet(), SetOf({2, 8}));
    EXPECT_EQ(g.GetField(0, 7).GetResultSet(), SetOf({5}));
    EXPECT_EQ(g.GetField(0, 1).GetResultSet(), SetOf({1, 3, 4, 5, 6, 7, 9}));
    EXPECT_TRUE(g.GetField(0, 1).IsLastChanged());
    EXPECT_FALSE(g.GetField(0, 0).IsLastChanged());
    EXPECT_EQ(g.GetField(1, 1).GetResultSet(), all);

    const SdkDoubleList &list = g.GetBlock(SdkBlockRow, 0).GetDoubleList();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.GetDouble(0)->GetIndex(0), 0);
    EXPECT_EQ(list.GetDouble(0)->GetIndex(1), 4);
}

TEST(Doubles, TriplesNeedThreeEqualFields)
{
    Sudoku g;
    const SdkResultSet all = SetOf({1, 2, 3, 4, 5, 6, 7, 8, 9});
    for (unsigned i = 0; i < 81; ++i)
        Peer::SetResultSet(g, i / 9, i % 9, all);
    Peer::SetResultSet(g, 0, 0, SetOf({1, 4, 6}));
    Peer::SetResultSet(g, 1, 1, SetOf({1, 4, 6}));
    Peer::SetResultSet(g, 2, 2, SetOf({1, 4}));
    Peer::CalcDoubles(g, SdkBlockQuad, 0);
    EXPECT_EQ(g.GetBlock(SdkBlockQuad, 0).GetDoubleList().Count(), 0);

    Peer::SetResultSet(g, 2, 2, SetOf({1, 4, 6}));
    Peer::CalcDoubles(g, SdkBlockQuad, 0);
    const SdkDoubleList &list = g.GetBlock(SdkBlockQuad, 0).GetDoubleList();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.GetDouble(0)->GetResultSet(), SetOf({1, 4, 6}));
    EXPECT_EQ(list.GetDouble(0)->IndexCount(), 3);
    EXPECT_EQ(list.GetDouble(0)->GetIndex(2), 8);
}

TEST(Doubles, SinglesFormNoDoubleButAConflict)
{
    Sudoku g;
    const SdkResultSet all = SetOf({1, 2, 3, 4, 5, 6, 7, 8, 9});
    for (unsigned i = 0; i < 81; ++i)
        Peer::SetResultSet(g, i / 9, i % 9, all);
    Peer::SetResultSet(g, 4, 2, SetOf({7}));
    Peer::SetResultSet(g, 4, 6, SetOf({7}));
    EXPECT_EQ(Peer::CleanBlockResultSets(g, SdkBlockRow), 0u);
    EXPECT_EQ(g.GetBlock(SdkBlockRow, 4).GetDoubleList().Count(), 0);
    EXPECT_TRUE(g.MarkDoubleResults());
    EXPECT_TRUE(g.GetField(4, 2).IsDoubleResult());
    EXPECT_TRUE(g.GetField(4, 6).IsDoubleResult());
}

TEST(Doubles, AppliedInListOrderAgainstTheCurrentSet)
{
    // The pair {1,2} comes first and turns {1,2,3,4} into {3,4}, which is then
    // the set of the second pair and keeps its digits.
    Sudoku g;
    const SdkResultSet all = SetOf({1, 2, 3, 4, 5, 6, 7, 8, 9});
    for (unsigned i = 0; i < 81; ++i)
        Peer::SetResultSet(g, i / 9, i % 9, all);
    Peer::SetResultSet(g, 0, 0, SetOf({1, 2}));
    Peer::SetResultSet(g, 0, 1, SetOf({1, 2}));
    Peer::SetResultSet(g, 0, 2, SetOf({3, 4}));
    Peer::SetResultSet(g, 0, 3, SetOf({3, 4}));
    Peer::SetResultSet(g, 0, 4, SetOf({1, 2, 3, 4}));
    Peer::CleanBlockResultSets(g, SdkBlockRow);
    EXPECT_EQ(g.GetField(0, 4).GetResultSet(), SetOf({3, 4}));
    EXPECT_EQ(g.GetField(0, 5).GetResultSet(), SetOf({5, 6, 7, 8, 9}));
}

TEST(Doubles, CleaningOnlyWhereFieldsAreEmpty)
{
    Sudoku g;
    StartRiddle(g);
    LoadGrid(g, kSolution, true);
    EXPECT_FALSE(Peer::CleanAllBlockResultSets(g));
    EXPECT_EQ(Peer::CleanBlockResultSets(g, SdkBlockType(7)), 0u);
}

TEST(DeepCalculation, SingleCandidatesExcludeTheirNeighboursInTheFirstPass)
{
    // Row 0 holds 1..6, column 6 holds 8 and 9 below the top quad: (0, 6) can
    // only be 7, its row neighbours (0, 7) and (0, 8) 7, 8 or 9.
    Sudoku g;
    for (unsigned c = 0; c < 6; ++c)
        ASSERT_TRUE(g.Fix(D(c + 1), 0, c));
    ASSERT_TRUE(g.Fix(SdkDigit8, 5, 6));
    ASSERT_TRUE(g.Fix(SdkDigit9, 6, 6));
    ASSERT_TRUE(g.StartGame(false, false, true));
    ASSERT_EQ(g.GetField(0, 6).GetResultSet(), SetOf({7}));
    EXPECT_EQ(g.GetField(0, 7).GetResultSet(), SetOf({7, 8, 9}));
    EXPECT_TRUE(g.GetField(3, 6).GetResultSet().HasValue(SdkDigit7));
    EXPECT_TRUE(g.GetField(1, 8).GetResultSet().HasValue(SdkDigit7));

    g.SetDeepCalcResultSets(true);
    EXPECT_TRUE(g.IsDeepCalcResultSets());
    ASSERT_TRUE(g.StartGame(true, true, false));
    EXPECT_EQ(g.GetField(0, 6).GetResultSet(), SetOf({7}));
    // (0, 7) and (0, 8) become the pair {8, 9}, which then leaves the quad.
    EXPECT_EQ(g.GetField(0, 7).GetResultSet(), SetOf({8, 9}));
    EXPECT_FALSE(g.GetField(3, 6).GetResultSet().HasValue(SdkDigit7));
    EXPECT_FALSE(g.GetField(1, 8).GetResultSet().HasValue(SdkDigit7));
    EXPECT_FALSE(g.GetField(1, 8).GetResultSet().HasValue(SdkDigit8));
    EXPECT_FALSE(g.GetField(0, 6).IsDoubleResult());
}

TEST(Recalculation, FixedPointReportsNoChangeButRefreshesMarks)
{
    Sudoku g;
    StartRiddle(g);
    EXPECT_FALSE(Peer::RecalcResultSets(g));
    // A stale conflict mark goes, a real one comes back.
    Peer::Put(g, 0, 2, 5);
    Peer::RecalcResultSets(g);
    EXPECT_TRUE(g.GetField(0, 0).IsDoubleResult());
    EXPECT_TRUE(g.GetField(0, 2).IsDoubleResult());
    Peer::Put(g, 0, 2, 0);
    Peer::RecalcResultSets(g);
    EXPECT_FALSE(g.GetField(0, 0).IsDoubleResult());
}

TEST(Recalculation, ChangesReportedAndFieldsMarked)
{
    Sudoku g;
    StartRiddle(g);
    Peer::Put(g, 0, 2, 4);
    g.ResetLastChanges();
    EXPECT_TRUE(Peer::RecalcResultSets(g));
    EXPECT_FALSE(g.GetField(0, 6).GetResultSet().HasValue(SdkDigit4));
    EXPECT_TRUE(g.GetField(0, 6).IsLastChanged());
    // A pass alone reports its own changes only.
    EXPECT_FALSE(Peer::CalcResultSets(g, false, false));
}
