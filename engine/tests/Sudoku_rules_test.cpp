// Rules, played values, given digits, user marks, counts, checks and conflict marks.
#include "SdkTestUtil.h"

#include <gtest/gtest.h>

using Peer = SudokuTestPeer;

TEST(ValueAllowed, ChecksRowColumnAndQuad)
{
    Sudoku g;
    ASSERT_TRUE(g.Fix(SdkDigit5, 0, 0));
    EXPECT_FALSE(g.ValueAllowed(SdkDigit5, 0, 8, false));
    EXPECT_FALSE(g.ValueAllowed(SdkDigit5, 8, 0, false));
    EXPECT_FALSE(g.ValueAllowed(SdkDigit5, 2, 2, false));
    EXPECT_TRUE(g.ValueAllowed(SdkDigit5, 3, 3, false));
    EXPECT_TRUE(g.ValueAllowed(SdkDigit4, 0, 8, false));
    // The field's own digit does not count against it.
    EXPECT_TRUE(g.ValueAllowed(SdkDigit5, 0, 0, false));
    EXPECT_TRUE(g.ValueAllowed(SdkDigitEmpty, 0, 1, false));
    EXPECT_FALSE(g.ValueAllowed(SdkDigit1, 9, 0, false));
    EXPECT_FALSE(g.ValueAllowed(SdkDigit1, 0, 9, false));
    EXPECT_FALSE(g.ValueAllowed(SdkDigit(10), 4, 4, false));
}

TEST(ValueAllowed, DeepCountsSingleCandidates)
{
    Sudoku g;
    Peer::SetResultSet(g, 0, 6, SetOf({5}));
    EXPECT_FALSE(g.ValueAllowed(SdkDigit5, 0, 1, true));
    EXPECT_TRUE(g.ValueAllowed(SdkDigit5, 0, 1, false));
    // Not against the field itself, and a field with a value is no single.
    EXPECT_TRUE(g.ValueAllowed(SdkDigit5, 0, 6, true));
    Peer::SetResultSet(g, 0, 6, SetOf({5, 6}));
    EXPECT_TRUE(g.ValueAllowed(SdkDigit5, 0, 1, true));
}

TEST(ValueAllowed, ValueScanStopsAtTheFieldItself)
{
    // Only reachable in a broken grid: the same digit twice in a row. The scan
    // meets the field's own digit first and looks no further.
    Sudoku g;
    Peer::Put(g, 0, 1, 4);
    Peer::Put(g, 0, 7, 4);
    EXPECT_TRUE(g.ValueAllowed(SdkDigit4, 0, 1, false));
    EXPECT_FALSE(g.ValueAllowed(SdkDigit4, 0, 7, false));
}

class PlayedValues : public ::testing::Test
{
protected:
    void SetUp() override { StartRiddle(g); }
    Sudoku g;
};

TEST_F(PlayedValues, SetValueRecordsReportsAndReduces)
{
    EventRecorder events(g);
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    EXPECT_EQ(g.GetField(0, 2).GetValue(), SdkDigit4);
    EXPECT_TRUE(g.GetField(0, 2).GetResultSet().IsEmpty());
    EXPECT_TRUE(g.GetField(0, 2).IsLastChanged());
    EXPECT_TRUE(g.IsStateChanged());
    EXPECT_EQ(events.Lines(), std::vector<std::string>{ValueSolved(true, 4, 0, 2)});
    // The listener already sees the new value.
    EXPECT_EQ(events.Events()[0].valueSeen, 4u);
    EXPECT_EQ(events.Events()[0].game, &g);
    SdkSolvedField e;
    ASSERT_TRUE(g.GetUserStack(0, e));
    EXPECT_EQ(e, SdkSolvedField(SdkDigit4, SdkDigitEmpty, 0, 2));
    // 4 left the candidates of the row, the column and the quad.
    for (unsigned i = 0; i < 9; ++i) {
        EXPECT_FALSE(g.GetField(0, i).GetResultSet().HasValue(SdkDigit4));
        EXPECT_FALSE(g.GetField(i, 2).GetResultSet().HasValue(SdkDigit4));
    }
    EXPECT_FALSE(g.GetField(1, 1).GetResultSet().HasValue(SdkDigit4));
}

TEST_F(PlayedValues, SameDigitAgainIsANoOp)
{
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    EventRecorder events(g);
    EXPECT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    EXPECT_TRUE(events.Events().empty());
    EXPECT_EQ(g.GetUserStackCount(), 1u);
}

TEST_F(PlayedValues, ConflictIsRefusedAndReported)
{
    const SdkField before = g.GetField(0, 2);
    EventRecorder events(g);
    // 9 stands in the quad at (2, 1).
    EXPECT_FALSE(g.SetValue(SdkDigit9, 0, 2));
    EXPECT_EQ(events.Lines(), std::vector<std::string>{ValueSolved(false, 9, 0, 2)});
    const SdkField after = g.GetField(0, 2);
    EXPECT_EQ(after.GetValue(), SdkDigitEmpty);
    EXPECT_EQ(after.GetResultSet(), before.GetResultSet());
    EXPECT_EQ(g.GetUserStackCount(), 0u);
    EXPECT_FALSE(g.IsStateChanged());
}

TEST_F(PlayedValues, OffGridAndGivenFieldsAreRefusedSilently)
{
    EventRecorder events(g);
    EXPECT_FALSE(g.SetValue(SdkDigit1, 9, 0));
    EXPECT_FALSE(g.SetValue(SdkDigit1, 0, 9));
    EXPECT_FALSE(g.SetValue(SdkDigit3, 0, 0));
    EXPECT_FALSE(g.EmptyValue(0, 0));
    EXPECT_TRUE(events.Events().empty());
    EXPECT_EQ(g.GetField(0, 0).GetValue(), SdkDigit5);
}

TEST_F(PlayedValues, DigitAboveNineIsRefused)
{
    EventRecorder events(g);
    EXPECT_FALSE(g.SetValue(SdkDigit(12), 0, 2));
    EXPECT_EQ(g.GetField(0, 2).GetValue(), SdkDigitEmpty);
    EXPECT_EQ(events.Lines(), std::vector<std::string>{ValueSolved(false, 12, 0, 2)});
}

TEST_F(PlayedValues, ReplacementRecordsOnceAndReportsTwice)
{
    // (0, 2) may take 1, 2 or 4; (2, 0) then only 2.
    ASSERT_TRUE(g.SetValue(SdkDigit1, 0, 2));
    ASSERT_TRUE(g.SetValue(SdkDigit2, 2, 0));
    EventRecorder events(g);
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    EXPECT_EQ(events.Lines(),
              (std::vector<std::string>{ValueSolved(true, 0, 0, 2), ValueSolved(true, 4, 0, 2)}));
    EXPECT_EQ(events.Events()[0].valueSeen, 0u);
    EXPECT_EQ(g.GetUserStackCount(), 3u);
    SdkSolvedField e;
    ASSERT_TRUE(g.GetUserStack(2, e));
    EXPECT_EQ(e, SdkSolvedField(SdkDigit4, SdkDigit1, 0, 2));
    // The emptying cleared the earlier move's mark.
    EXPECT_FALSE(g.GetField(2, 0).IsLastChanged());
    EXPECT_TRUE(g.GetField(0, 2).IsLastChanged());
    EXPECT_FALSE(g.GetField(0, 2).GetResultSet().HasValue(SdkDigit1));
}

TEST_F(PlayedValues, ReplacementByAConflictingDigitChangesNothing)
{
    ASSERT_TRUE(g.SetValue(SdkDigit1, 0, 2));
    EventRecorder events(g);
    EXPECT_FALSE(g.SetValue(SdkDigit9, 0, 2));
    EXPECT_EQ(events.Lines(), std::vector<std::string>{ValueSolved(false, 9, 0, 2)});
    EXPECT_EQ(g.GetField(0, 2).GetValue(), SdkDigit1);
    EXPECT_EQ(g.GetUserStackCount(), 1u);
}

TEST_F(PlayedValues, EmptyingRecordsTheOldDigitAndReportsZero)
{
    EventRecorder events(g);
    EXPECT_TRUE(g.EmptyValue(0, 2));
    EXPECT_TRUE(events.Events().empty());
    EXPECT_EQ(g.GetUserStackCount(), 0u);

    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    events.Clear();
    ASSERT_TRUE(g.EmptyValue(0, 2));
    EXPECT_EQ(events.Lines(), std::vector<std::string>{ValueSolved(true, 0, 0, 2)});
    SdkSolvedField e;
    ASSERT_TRUE(g.GetUserStack(1, e));
    EXPECT_EQ(e, SdkSolvedField(SdkDigitEmpty, SdkDigit4, 0, 2));
    EXPECT_TRUE(g.GetField(0, 2).IsLastChanged());
    EXPECT_TRUE(g.GetField(0, 2).GetResultSet().HasValue(SdkDigit4));
}

TEST_F(PlayedValues, SettingMarksOnlyTheFieldAndWhatItReduced)
{
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    Sudoku before(g);
    ASSERT_TRUE(g.SetValue(SdkDigit2, 2, 0));
    EXPECT_TRUE(g.GetField(2, 0).IsLastChanged());
    // The earlier mark stays: setting clears nothing.
    EXPECT_TRUE(g.GetField(0, 2).IsLastChanged());
    for (unsigned r = 0; r < 9; ++r)
        for (unsigned c = 0; c < 9; ++c) {
            if ((r == 2 && c == 0) || (r == 0 && c == 2))
                continue;
            const bool reduced =
                g.GetField(r, c).GetResultSet() != before.GetField(r, c).GetResultSet();
            EXPECT_EQ(g.GetField(r, c).IsLastChanged(),
                      reduced || before.GetField(r, c).IsLastChanged())
                << r << "," << c;
        }
}

TEST_F(PlayedValues, RawTwinHonoursRecordAndNotify)
{
    EventRecorder events(g);
    ASSERT_TRUE(Peer::SetValueRaw(g, SdkDigit4, 0, 2, false, false));
    EXPECT_TRUE(events.Events().empty());
    EXPECT_EQ(g.GetUserStackCount(), 0u);
    EXPECT_FALSE(Peer::SetValueRaw(g, SdkDigit9, 0, 3, true, false));
    EXPECT_TRUE(events.Events().empty());
    // The emptying half of a replacement is reported even without notify.
    ASSERT_TRUE(Peer::SetValueRaw(g, SdkDigit1, 0, 2, true, false));
    EXPECT_EQ(events.Lines(), std::vector<std::string>{ValueSolved(true, 0, 0, 2)});
    EXPECT_EQ(g.GetUserStackCount(), 1u);
}

TEST(GivenDigits, RefusedWhilePlayedValuesExist)
{
    Sudoku g;
    StartRiddle(g);
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    EXPECT_FALSE(g.Fix(SdkDigit1, 8, 0));
    EXPECT_FALSE(g.Unfix(0, 0));
    EXPECT_EQ(g.GetField(8, 0).GetValue(), SdkDigitEmpty);
    EXPECT_TRUE(g.GetField(0, 0).IsFix());

    ASSERT_TRUE(g.EmptyValue(0, 2));
    ASSERT_GT(g.GetUserStackCount(), 0u);
    EXPECT_TRUE(g.Fix(SdkDigit1, 8, 0));
    EXPECT_TRUE(g.GetField(8, 0).IsFix());
    EXPECT_EQ(g.GetUserStackCount(), 0u);
    EXPECT_TRUE(g.IsDefinitionChanged());
}

TEST(GivenDigits, ConflictEmptiesTheFieldAndStillCountsAsChange)
{
    Sudoku g;
    Peer::Put(g, 3, 0, 7, true);
    Peer::Put(g, 3, 5, 2, true);
    ASSERT_FALSE(g.IsDefinitionChanged());
    // 7 stands in row 3 already: the 2 at (3, 5) goes, nothing takes its place.
    EXPECT_FALSE(g.Fix(SdkDigit7, 3, 5));
    EXPECT_EQ(g.GetField(3, 5).GetValue(), SdkDigitEmpty);
    EXPECT_FALSE(g.GetField(3, 5).IsFix());
    EXPECT_TRUE(g.IsDefinitionChanged());
}

TEST(GivenDigits, ReplacingAGivenDigitKeepsUserMarksOfGivenFields)
{
    Sudoku g;
    ASSERT_TRUE(g.Fix(SdkDigit7, 0, 0));
    g.SetUserCandidates(SetOf({1}), 0, 0);
    g.SetUserCandidates(SetOf({2}), 0, 1);
    ASSERT_TRUE(g.Fix(SdkDigit8, 0, 0));
    EXPECT_EQ(g.GetField(0, 0).GetValue(), SdkDigit8);
    EXPECT_EQ(g.GetUserCandidates(0, 0), SetOf({1}));
    // A field that was not given is emptied completely, marks included.
    ASSERT_TRUE(g.Fix(SdkDigit3, 0, 1));
    EXPECT_TRUE(g.GetUserCandidates(0, 1).IsEmpty());
}

TEST(GivenDigits, FixRefusesBadInputWithoutChange)
{
    Sudoku g;
    EXPECT_FALSE(g.Fix(SdkDigitEmpty, 0, 0));
    EXPECT_FALSE(g.Fix(SdkDigit1, 9, 0));
    EXPECT_FALSE(g.Fix(SdkDigit(10), 0, 0));
    EXPECT_FALSE(g.IsDefinitionChanged());
    EXPECT_EQ(g.GetFixCount(), 0u);
}

TEST(GivenDigits, UnfixAndTheRawTwins)
{
    Sudoku g;
    StartRiddle(g);
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    ASSERT_TRUE(g.EmptyValue(0, 2));
    ASSERT_EQ(g.GetUserStackCount(), 2u);

    // Without record the history survives.
    EXPECT_TRUE(Peer::FixRaw(g, SdkDigit4, 0, 2, false));
    EXPECT_EQ(g.GetUserStackCount(), 2u);
    EXPECT_TRUE(Peer::UnfixRaw(g, 0, 2, false));
    EXPECT_EQ(g.GetUserStackCount(), 2u);
    EXPECT_FALSE(Peer::UnfixRaw(g, 9, 2, true));

    EXPECT_TRUE(g.Unfix(0, 0));
    EXPECT_FALSE(g.GetField(0, 0).IsFix());
    EXPECT_EQ(g.GetField(0, 0).GetValue(), SdkDigitEmpty);
    EXPECT_EQ(g.GetUserStackCount(), 0u);
    EXPECT_TRUE(g.IsDefinitionChanged());
    EXPECT_FALSE(g.Unfix(0, 9));
}

TEST(UserMarks, CandidatesAndExcludesAreSeparateSets)
{
    Sudoku g;
    StartRiddle(g);
    const bool definitionChanged = g.IsDefinitionChanged();
    EXPECT_TRUE(g.AddUserCandidate(SdkDigit2, 0, 2));
    EXPECT_FALSE(g.AddUserCandidate(SdkDigit2, 0, 2));
    EXPECT_TRUE(g.AddUserCandidate(SdkDigit7, 0, 2));
    EXPECT_TRUE(g.AddUserExclude(SdkDigit9, 0, 2));
    EXPECT_EQ(g.GetUserCandidates(0, 2), SetOf({2, 7}));
    EXPECT_EQ(g.GetUserExcludes(0, 2), SetOf({9}));
    EXPECT_EQ(g.GetField(0, 2).GetCustomExc(), SetOf({9}));
    EXPECT_TRUE(g.RemoveUserCandidate(SdkDigit2, 0, 2));
    EXPECT_FALSE(g.RemoveUserCandidate(SdkDigit2, 0, 2));
    EXPECT_FALSE(g.RemoveUserExclude(SdkDigit2, 0, 2));
    EXPECT_TRUE(g.RemoveUserExclude(SdkDigit9, 0, 2));
    EXPECT_TRUE(g.SetUserExcludes(SetOf({1, 3}), 0, 2));
    EXPECT_TRUE(g.SetUserCandidates(SetOf({4}), 1, 1));
    EXPECT_TRUE(g.EmptyUserExcludes(0, 2));
    EXPECT_TRUE(g.GetUserExcludes(0, 2).IsEmpty());
    EXPECT_EQ(g.GetUserCandidates(0, 2), SetOf({7}));
    EXPECT_TRUE(g.EmptyUserCandidates(0, 2));
    EXPECT_TRUE(g.GetUserCandidates(0, 2).IsEmpty());

    // Neither changed flag moves and nothing is recorded.
    EXPECT_FALSE(g.IsStateChanged());
    EXPECT_EQ(g.IsDefinitionChanged(), definitionChanged);
    EXPECT_EQ(g.GetUserStackCount(), 0u);
}

TEST(UserMarks, OffGridIsRefused)
{
    Sudoku g;
    EXPECT_FALSE(g.SetUserCandidates(SetOf({1}), 9, 0));
    EXPECT_FALSE(g.AddUserCandidate(SdkDigit1, 0, 9));
    EXPECT_FALSE(g.RemoveUserCandidate(SdkDigit1, 9, 9));
    EXPECT_FALSE(g.EmptyUserCandidates(9, 0));
    EXPECT_FALSE(g.SetUserExcludes(SetOf({1}), 9, 0));
    EXPECT_FALSE(g.AddUserExclude(SdkDigit1, 0, 9));
    EXPECT_FALSE(g.RemoveUserExclude(SdkDigit1, 9, 0));
    EXPECT_FALSE(g.EmptyUserExcludes(0, 9));
    EXPECT_TRUE(g.GetUserCandidates(9, 0).IsEmpty());
    EXPECT_TRUE(g.GetUserExcludes(0, 9).IsEmpty());
}

TEST(UserMarks, EmptyAllClearsEveryField)
{
    Sudoku g;
    for (unsigned i = 0; i < 9; ++i) {
        g.AddUserCandidate(SdkDigit1, i, i);
        g.AddUserExclude(SdkDigit2, i, 8 - i);
    }
    g.EmptyAllUserCandidates();
    for (unsigned i = 0; i < 9; ++i) {
        EXPECT_TRUE(g.GetUserCandidates(i, i).IsEmpty());
        EXPECT_EQ(g.GetUserExcludes(i, 8 - i), SetOf({2}));
    }
    g.EmptyAllUserExcludes();
    for (unsigned i = 0; i < 9; ++i)
        EXPECT_TRUE(g.GetUserExcludes(i, 8 - i).IsEmpty());
}

TEST(Counts, GivenPlayedAndEmpty)
{
    Sudoku g;
    EXPECT_EQ(g.GetUnsolvedCount(), 81u);
    EXPECT_FALSE(g.IsCompleted());
    StartRiddle(g);
    EXPECT_EQ(g.GetFixCount(), 30u);
    EXPECT_EQ(g.GetSolvedCount(), 0u);
    EXPECT_EQ(g.GetUnsolvedCount(), 51u);
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    ASSERT_TRUE(g.SetValue(SdkDigit2, 2, 0));
    EXPECT_EQ(g.GetFixCount(), 30u);
    EXPECT_EQ(g.GetSolvedCount(), 2u);
    EXPECT_EQ(g.GetUnsolvedCount(), 49u);
}

TEST(Checks, VerifyNamesTheLaterFieldOfTheFirstBrokenBlock)
{
    Sudoku g;
    unsigned row = 9, col = 9;
    bool completed = true;
    EXPECT_TRUE(g.Verify(&row, &col, &completed));
    EXPECT_EQ(row, 0u);
    EXPECT_EQ(col, 0u);
    EXPECT_FALSE(completed);

    Peer::Put(g, 2, 4, 7);
    Peer::Put(g, 6, 4, 7);
    EXPECT_FALSE(g.Verify(&row, &col, &completed));
    EXPECT_EQ(row, 6u);
    EXPECT_EQ(col, 4u);
    EXPECT_FALSE(completed);

    // Rows come before columns.
    Peer::Put(g, 8, 0, 3);
    Peer::Put(g, 8, 8, 3);
    EXPECT_FALSE(g.Verify(&row, &col));
    EXPECT_EQ(row, 8u);
    EXPECT_EQ(col, 8u);
}

TEST(Checks, VerifyReportsQuadConflictsInGridCoordinates)
{
    Sudoku g;
    Peer::Put(g, 3, 6, 2);
    Peer::Put(g, 5, 8, 2);
    unsigned row = 0, col = 0;
    EXPECT_FALSE(g.Verify(&row, &col, nullptr));
    EXPECT_EQ(row, 5u);
    EXPECT_EQ(col, 8u);
}

TEST(Checks, CompletedIsNotValid)
{
    Sudoku g;
    StartRiddle(g);
    LoadGrid(g, kSolution, true);
    bool completed = false;
    EXPECT_TRUE(g.IsCompleted());
    EXPECT_TRUE(g.Verify(nullptr, nullptr, &completed));
    EXPECT_TRUE(completed);

    Sudoku broken;
    for (unsigned i = 0; i < 81; ++i)
        Peer::Put(broken, i / 9, i % 9, 1 + i % 9);
    EXPECT_TRUE(broken.IsCompleted());
    EXPECT_FALSE(broken.Verify(nullptr, nullptr, &completed));
    EXPECT_FALSE(completed);
}

TEST(Checks, FindUnsolvableField)
{
    Sudoku g;
    StartRiddle(g);
    unsigned row = 42, col = 42;
    EXPECT_FALSE(g.FindUnsolvableField(row, col, false));
    EXPECT_EQ(row, 42u);

    // Row 1 misses only 2; a given 2 in the column of (1, 1) kills that field,
    // which only a calculation notices.
    Sudoku dead;
    const unsigned rowDigits[8] = {1, 3, 4, 5, 6, 7, 8, 9};
    for (unsigned c = 0; c < 8; ++c)
        ASSERT_TRUE(dead.Fix(D(rowDigits[c]), 1, c == 0 ? 0 : c + 1));
    ASSERT_TRUE(dead.StartGame(false, false, true));
    ASSERT_EQ(dead.GetField(1, 1).GetResultSet(), SetOf({2}));
    Peer::Put(dead, 5, 1, 2, true);
    EXPECT_FALSE(dead.FindUnsolvableField(row, col, false));
    EXPECT_TRUE(dead.FindUnsolvableField(row, col, true));
    EXPECT_EQ(row, 1u);
    EXPECT_EQ(col, 1u);
    EXPECT_TRUE(dead.GetField(1, 1).IsDoubleResult());

    Sudoku full;
    StartRiddle(full);
    LoadGrid(full, kSolution, true);
    EXPECT_FALSE(full.FindUnsolvableField(row, col, true));
}

TEST(Marks, ResetLastChangesClearsEveryMark)
{
    Sudoku g;
    StartRiddle(g);
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    g.ResetLastChanges();
    for (unsigned i = 0; i < 81; ++i)
        EXPECT_FALSE(g.GetField(i / 9, i % 9).IsLastChanged());
    EXPECT_EQ(g.GetField(0, 2).GetValue(), SdkDigit4);
}

TEST(Marks, DoubleResults)
{
    struct Case
    {
        const char *what;
        std::vector<std::pair<unsigned, unsigned>> values;      // (col, digit) in row 0
        std::vector<std::pair<unsigned, SdkResultSet>> empties; // (col, set) in row 0
        std::vector<unsigned> marked;                           // columns of row 0
    };
    const SdkResultSet all = SetOf({1, 2, 3, 4, 5, 6, 7, 8, 9});
    const std::vector<Case> cases = {
        {"two equal values", {{1, 5}, {6, 5}}, {}, {1, 6}},
        {"value and a single of it", {{2, 3}}, {{7, SetOf({3})}}, {2, 7}},
        {"single before its value", {{7, 3}}, {{2, SetOf({3})}}, {2, 7}},
        {"two equal singles", {}, {{0, SetOf({4})}, {5, SetOf({4})}}, {0, 5}},
        {"three fields on two digits",
         {},
         {{0, SetOf({1, 2})}, {3, SetOf({1, 2})}, {8, SetOf({1, 2})}},
         {0, 3, 8}},
        {"valid pair", {}, {{0, SetOf({1, 2})}, {3, SetOf({1, 2})}}, {}},
        {"field without candidates", {}, {{4, SetOf({})}}, {4}},
        {"different singles", {{0, 1}}, {{1, SetOf({2})}, {2, SetOf({3})}}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Sudoku g;
        // Every other field holds all nine digits, so it joins no group.
        for (unsigned i = 0; i < 81; ++i)
            Peer::SetResultSet(g, i / 9, i % 9, all);
        for (auto [col, d] : c.values) {
            Peer::SetResultSet(g, 0, col, SdkResultSet());
            Peer::Put(g, 0, col, d);
        }
        for (auto [col, set] : c.empties)
            Peer::SetResultSet(g, 0, col, set);
        EXPECT_EQ(g.MarkDoubleResults(), !c.marked.empty());
        for (unsigned col = 0; col < 9; ++col) {
            const bool expected =
                std::find(c.marked.begin(), c.marked.end(), col) != c.marked.end();
            EXPECT_EQ(g.GetField(0, col).IsDoubleResult(), expected) << col;
        }
    }
}

TEST(Marks, DoubleResultsAreRefreshed)
{
    Sudoku g;
    Peer::Put(g, 0, 0, 5);
    Peer::Put(g, 0, 8, 5);
    EXPECT_TRUE(g.MarkDoubleResults());
    EXPECT_TRUE(g.GetField(0, 0).IsDoubleResult());
    Peer::Put(g, 0, 8, 6);
    // Every empty field of the fresh game has no candidates: all are marked.
    // Give them all so only the values matter.
    for (unsigned i = 0; i < 81; ++i)
        if (g.GetField(i / 9, i % 9).GetValue() == SdkDigitEmpty)
            Peer::SetResultSet(g, i / 9, i % 9, SetOf({1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_FALSE(g.MarkDoubleResults());
    EXPECT_FALSE(g.GetField(0, 0).IsDoubleResult());
}
