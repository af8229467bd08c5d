// Move history: the user stack, undo and redo, the solved stack, game states.
#include "SdkTestUtil.h"

#include <gtest/gtest.h>

using Peer = SudokuTestPeer;

TEST(SdkSolvedField, RowsAndColumnsBeyond8AreInvalid)
{
    SdkSolvedField empty;
    EXPECT_FALSE(empty.IsValid());
    EXPECT_EQ(empty.GetRow(), SdkSolvedField::Invalid);
    const SdkSolvedField e(SdkDigit5, SdkDigit3, 2, 9);
    EXPECT_FALSE(e.IsValid());
    EXPECT_EQ(e.GetRow(), 2u);
    EXPECT_EQ(e.GetColumn(), SdkSolvedField::Invalid);
    SdkField f;
    f.SetValue(SdkDigit7);
    const SdkSolvedField fromField(f, SdkDigit1, 4, 5);
    EXPECT_TRUE(fromField.IsValid());
    EXPECT_EQ(fromField.GetValue(), SdkDigit7);
    EXPECT_EQ(fromField.GetPrevValue(), SdkDigit1);
    EXPECT_EQ(fromField, SdkSolvedField(SdkDigit7, SdkDigit1, 4, 5));
    EXPECT_FALSE(fromField == SdkSolvedField(SdkDigit7, SdkDigit2, 4, 5));
    SdkSolvedField cleared = fromField;
    cleared.Empty();
    EXPECT_EQ(cleared, SdkSolvedField());
}

TEST(SdkUserStack, PushKeepsOrDropsTheRedoPart)
{
    SdkUserStack s;
    const SdkSolvedField a(SdkDigit1, SdkDigitEmpty, 0, 0);
    const SdkSolvedField b(SdkDigit2, SdkDigitEmpty, 0, 1);
    const SdkSolvedField c(SdkDigit3, SdkDigitEmpty, 0, 2);
    EXPECT_FALSE(s.Push(SdkSolvedField(SdkDigit1, SdkDigitEmpty, 9, 0)));
    EXPECT_EQ(s.Count(), 0u);
    ASSERT_TRUE(s.Push(a));
    ASSERT_TRUE(s.Push(b));
    ASSERT_TRUE(s.Push(c));
    SdkSolvedField out;
    ASSERT_TRUE(s.StepBack(out));
    EXPECT_EQ(out, c);
    ASSERT_TRUE(s.StepBack(out));
    EXPECT_EQ(out, b);
    EXPECT_EQ(s.GetPtr(), 1u);
    EXPECT_TRUE(s.CanUndo());
    EXPECT_TRUE(s.CanRedo());

    // The next redo entry again: only the cursor moves.
    ASSERT_TRUE(s.Push(b));
    EXPECT_EQ(s.Count(), 3u);
    EXPECT_EQ(s.GetPtr(), 2u);
    // Anything else drops the rest.
    ASSERT_TRUE(s.Push(a));
    EXPECT_EQ(s.Count(), 3u);
    EXPECT_EQ(s.GetAt(2), a);
    EXPECT_FALSE(s.CanRedo());
    EXPECT_FALSE(s.StepForward(out));
    ASSERT_TRUE(s.GetTop(out));
    EXPECT_EQ(out, a);
    EXPECT_EQ(s.GetAt(3), SdkSolvedField());
    EXPECT_EQ(s.GetAt(-1), SdkSolvedField());

    SdkUserStack copy(s);
    s.Empty(true);
    EXPECT_EQ(s.Count(), 3u);
    EXPECT_EQ(s.GetPtr(), 0u);
    EXPECT_FALSE(s.CanUndo());
    EXPECT_FALSE(s.GetTop(out));
    EXPECT_EQ(copy.GetPtr(), 3u);
    s.Empty(false);
    EXPECT_EQ(s.Count(), 0u);
    EXPECT_FALSE(s.CanRedo());
    s = copy;
    EXPECT_EQ(s.Count(), 3u);
    EXPECT_EQ(s.GetPtr(), 3u);
}

TEST(SdkSolvedStack, TakesEveryEntryWhateverTheCursor)
{
    SdkUserStack s;
    s.Push(SdkSolvedField(SdkDigit1, SdkDigitEmpty, 0, 0));
    s.Push(SdkSolvedField(SdkDigit2, SdkDigitEmpty, 0, 1));
    s.Empty(true);
    const SdkSolvedStack solved(s);
    EXPECT_EQ(solved.Count(), 2u);
    EXPECT_EQ(solved.GetAt(1), SdkSolvedField(SdkDigit2, SdkDigitEmpty, 0, 1));
    EXPECT_FALSE(solved.GetAt(2).IsValid());
    const SdkSolvedStack copy(solved);
    EXPECT_EQ(copy.Count(), 2u);
}

class History : public ::testing::Test
{
protected:
    void SetUp() override { StartRiddle(g); }
    SdkSolvedField Entry(unsigned i)
    {
        SdkSolvedField e;
        EXPECT_TRUE(g.GetUserStack(i, e));
        return e;
    }
    Sudoku g;
};

TEST_F(History, FreshGameHasNothingToUndo)
{
    Sudoku fresh;
    EXPECT_FALSE(fresh.CanUndo());
    EXPECT_FALSE(fresh.CanRedo());
    EXPECT_FALSE(fresh.Undo());
    EXPECT_FALSE(fresh.Redo());
    EXPECT_EQ(fresh.GetUserStackPtr(), 0u);
    EXPECT_EQ(fresh.GetUserStackCount(), 0u);
    EXPECT_EQ(fresh.GetSolutionStackCount(), 0u);
    SdkSolvedField out(SdkDigit9, SdkDigit9, 1, 1);
    EXPECT_FALSE(fresh.GetUserStack(0, out));
    EXPECT_FALSE(fresh.GetSolution(0, out));
    EXPECT_EQ(out, SdkSolvedField(SdkDigit9, SdkDigit9, 1, 1));
}

TEST_F(History, UndoReportsTheMoveThatIsNowTheLatest)
{
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    ASSERT_TRUE(g.SetValue(SdkDigit5, 4, 4));
    EXPECT_EQ(Entry(0), SdkSolvedField(SdkDigit4, SdkDigitEmpty, 0, 2));
    EXPECT_EQ(Entry(1), SdkSolvedField(SdkDigit5, SdkDigitEmpty, 4, 4));
    EXPECT_EQ(g.GetUserStackPtr(), 2u);

    EventRecorder events(g);
    ASSERT_TRUE(g.Undo());
    EXPECT_EQ(g.GetUserStackPtr(), 1u);
    EXPECT_EQ(g.GetUserStackCount(), 2u);
    EXPECT_EQ(g.GetField(4, 4).GetValue(), SdkDigitEmpty);
    EXPECT_EQ(g.GetField(0, 2).GetValue(), SdkDigit4);
    EXPECT_TRUE(g.GetField(0, 2).IsLastChanged());
    EXPECT_FALSE(g.GetField(4, 4).IsLastChanged());
    EXPECT_EQ(events.Lines(), std::vector<std::string>{ValueSolved(true, 4, 0, 2)});
    EXPECT_TRUE(g.CanRedo());

    events.Clear();
    ASSERT_TRUE(g.Redo());
    EXPECT_EQ(g.GetUserStackPtr(), 2u);
    EXPECT_EQ(g.GetField(4, 4).GetValue(), SdkDigit5);
    EXPECT_TRUE(g.GetField(4, 4).IsLastChanged());
    EXPECT_FALSE(g.GetField(0, 2).IsLastChanged());
    EXPECT_EQ(events.Lines(), std::vector<std::string>{ValueSolved(true, 5, 4, 4)});
    EXPECT_FALSE(g.Redo());
}

TEST_F(History, UndoOfTheFirstMoveReportsItsField)
{
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    EventRecorder events(g);
    ASSERT_TRUE(g.Undo());
    EXPECT_EQ(events.Lines(), std::vector<std::string>{ValueSolved(true, 0, 0, 2)});
    EXPECT_EQ(g.GetField(0, 2).GetValue(), SdkDigitEmpty);
    EXPECT_TRUE(g.GetField(0, 2).IsLastChanged());
    EXPECT_EQ(g.GetUserStackPtr(), 0u);
    EXPECT_FALSE(g.Undo());
}

TEST_F(History, ReplacementIsUndoneToThePreviousDigit)
{
    ASSERT_TRUE(g.SetValue(SdkDigit1, 0, 2));
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    EXPECT_EQ(g.GetUserStackCount(), 2u);
    EXPECT_EQ(Entry(1), SdkSolvedField(SdkDigit4, SdkDigit1, 0, 2));
    EventRecorder events(g);
    ASSERT_TRUE(g.Undo());
    EXPECT_EQ(g.GetField(0, 2).GetValue(), SdkDigit1);
    EXPECT_EQ(g.GetUserStackPtr(), 1u);
    // Putting 1 back over 4 empties first (always reported); the earlier move
    // is then undone silently and redone with its report.
    EXPECT_EQ(events.Lines(),
              (std::vector<std::string>{ValueSolved(true, 0, 0, 2), ValueSolved(true, 1, 0, 2)}));
}

TEST_F(History, EmptyingIsUndoneToThePreviousDigit)
{
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    ASSERT_TRUE(g.EmptyValue(0, 2));
    EXPECT_EQ(Entry(1), SdkSolvedField(SdkDigitEmpty, SdkDigit4, 0, 2));
    ASSERT_TRUE(g.Undo());
    EXPECT_EQ(g.GetField(0, 2).GetValue(), SdkDigit4);
    EXPECT_EQ(g.GetUserStackPtr(), 1u);
}

TEST_F(History, SameMoveAfterUndoKeepsTheRedoPart)
{
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    ASSERT_TRUE(g.SetValue(SdkDigit5, 4, 4));
    ASSERT_TRUE(g.SetValue(SdkDigit2, 2, 0));
    ASSERT_TRUE(g.Undo());
    ASSERT_TRUE(g.Undo());
    EXPECT_EQ(g.GetUserStackPtr(), 1u);
    ASSERT_TRUE(g.SetValue(SdkDigit5, 4, 4));
    EXPECT_EQ(g.GetUserStackPtr(), 2u);
    EXPECT_EQ(g.GetUserStackCount(), 3u);
    ASSERT_TRUE(g.Redo());
    EXPECT_EQ(g.GetField(2, 0).GetValue(), SdkDigit2);

    ASSERT_TRUE(g.Undo());
    ASSERT_TRUE(g.Undo());
    ASSERT_TRUE(g.SetValue(SdkDigit1, 0, 6));
    EXPECT_EQ(g.GetUserStackCount(), 2u);
    EXPECT_FALSE(g.CanRedo());
}

TEST_F(History, GetUserStackAtTheCountLeavesOutAlone)
{
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    SdkSolvedField out(SdkDigit9, SdkDigit9, 8, 8);
    EXPECT_FALSE(g.GetUserStack(1, out));
    EXPECT_EQ(out, SdkSolvedField(SdkDigit9, SdkDigit9, 8, 8));
    EXPECT_TRUE(g.GetUserStack(0, out));
}

TEST_F(History, StartGameForRepetitionKeepsTheMovesToRedo)
{
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    ASSERT_TRUE(g.SetValue(SdkDigit5, 4, 4));
    ASSERT_TRUE(g.SetValue(SdkDigit2, 2, 0));
    const std::string played = Values(g);
    ASSERT_TRUE(g.StartGame(false, true, false));
    EXPECT_EQ(Values(g), kRiddle);
    EXPECT_EQ(g.GetUserStackCount(), 3u);
    EXPECT_EQ(g.GetUserStackPtr(), 0u);
    EXPECT_TRUE(g.IsStateChanged());
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(g.Redo());
    EXPECT_EQ(Values(g), played);
    EXPECT_FALSE(g.Redo());
}

TEST_F(History, StartGameForReplayDropsTheMoves)
{
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    g.SetUserCandidates(SetOf({1}), 0, 3);
    ASSERT_TRUE(g.StartGame(false, false, false));
    EXPECT_EQ(Values(g), kRiddle);
    EXPECT_EQ(g.GetUserStackCount(), 0u);
    EXPECT_TRUE(g.IsStateChanged());
    // Emptied completely, user marks too.
    EXPECT_TRUE(g.GetUserCandidates(0, 3).IsEmpty());
    EXPECT_TRUE(g.GetField(0, 2).GetResultSet().HasValue(SdkDigit4));
}

TEST_F(History, StartGameKeepingValuesMarksTheLatestMove)
{
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    ASSERT_TRUE(g.SetValue(SdkDigit5, 4, 4));
    g.SetUserCandidates(SetOf({1}), 0, 3);
    const std::string played = Values(g);
    EventRecorder events(g);
    ASSERT_TRUE(g.StartGame(true, true, false));
    EXPECT_TRUE(events.Events().empty());
    EXPECT_EQ(Values(g), played);
    EXPECT_EQ(g.GetUserStackPtr(), 2u);
    EXPECT_TRUE(g.GetField(4, 4).IsLastChanged());
    EXPECT_FALSE(g.GetField(0, 2).IsLastChanged());
    EXPECT_EQ(g.GetUserCandidates(0, 3), SetOf({1}));
}

TEST_F(History, StartGameKeepingValuesWithoutHistory)
{
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    const std::string played = Values(g);
    ASSERT_TRUE(g.StartGame(true, false, false));
    EXPECT_EQ(Values(g), played);
    EXPECT_EQ(g.GetUserStackCount(), 0u);
    EXPECT_FALSE(g.CanUndo());
    EXPECT_TRUE(g.IsStateChanged());
    // Every mark was cleared; nothing was redone to set one again.
    for (unsigned i = 0; i < 81; ++i)
        EXPECT_FALSE(g.GetField(i / 9, i % 9).IsLastChanged());
}

TEST_F(History, StartGameAsNewGameSetsTheFlagsFromTheGrid)
{
    Peer::SetFileName(g, "/tmp/some.sdk");
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    ASSERT_TRUE(g.StartGame(true, true, true));
    EXPECT_TRUE(Peer::FileName(g).IsEmpty());
    EXPECT_TRUE(g.IsDefinitionChanged());
    EXPECT_TRUE(g.IsStateChanged());
    ASSERT_TRUE(g.StartGame(false, false, true));
    EXPECT_FALSE(g.IsStateChanged());

    Sudoku empty;
    ASSERT_TRUE(empty.StartGame(false, false, true));
    EXPECT_FALSE(empty.IsDefinitionChanged());
    EXPECT_FALSE(empty.IsStateChanged());
}

TEST_F(History, SolvedStackLivesUntilStartGameAndSurvivesReset)
{
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    ASSERT_TRUE(g.SetValue(SdkDigit5, 4, 4));
    Peer::CreateSolvedStack(g, Peer::UserStack(g));
    EXPECT_EQ(g.GetSolutionStackCount(), 2u);
    SdkSolvedField out;
    ASSERT_TRUE(g.GetSolution(1, out));
    EXPECT_EQ(out, SdkSolvedField(SdkDigit5, SdkDigitEmpty, 4, 4));
    EXPECT_FALSE(g.GetSolution(2, out));

    Peer::SetFileName(g, "/tmp/a.sdk");
    Peer::SetBtSteps(g, 3);
    g.SetDeepCalcResultSets(true);
    g.SetDelayMs(40);
    ASSERT_TRUE(g.Reset());
    EXPECT_EQ(g.GetUnsolvedCount(), 81u);
    EXPECT_EQ(g.GetFixCount(), 0u);
    EXPECT_EQ(g.GetUserStackCount(), 0u);
    EXPECT_TRUE(Peer::FileName(g).IsEmpty());
    EXPECT_EQ(Peer::BtSteps(g), -1);
    EXPECT_FALSE(g.IsDefinitionChanged());
    EXPECT_FALSE(g.IsStateChanged());
    EXPECT_TRUE(g.IsDeepCalcResultSets());
    EXPECT_EQ(g.GetDelayMs(), 40);
    EXPECT_TRUE(g.GetSolution(1, out));

    ASSERT_TRUE(g.StartGame(false, false, false));
    EXPECT_EQ(g.GetSolutionStackCount(), 0u);
    Peer::CreateSolvedStack(g, Peer::UserStack(g));
    EXPECT_EQ(g.GetSolutionStackCount(), 0u);
    Peer::DestroySolvedStack(g);
    EXPECT_FALSE(g.GetSolution(0, out));
}

TEST_F(History, StartGameAndResetRefusedWhileTheWorkerRuns)
{
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    Peer::ThreadOrg(g).PrepareStart();
    EXPECT_TRUE(g.IsThreadRunning());
    EXPECT_FALSE(g.StartGame(false, false, true));
    EXPECT_FALSE(g.Reset());
    EXPECT_EQ(g.GetField(0, 2).GetValue(), SdkDigit4);
    EXPECT_EQ(g.GetUserStackCount(), 1u);
    // The generator's own reset does not ask.
    Peer::_Reset(g);
    EXPECT_EQ(g.GetUnsolvedCount(), 81u);
    Peer::ThreadOrg(g).Reset();
    EXPECT_FALSE(g.IsThreadRunning());
    EXPECT_TRUE(g.Reset());
}

TEST_F(History, GivenDigitsAreNeverRecorded)
{
    Sudoku fresh;
    ASSERT_TRUE(fresh.Fix(SdkDigit1, 0, 0));
    ASSERT_TRUE(fresh.Unfix(0, 0));
    fresh.AddUserCandidate(SdkDigit3, 1, 1);
    fresh.AddUserExclude(SdkDigit3, 1, 1);
    EXPECT_EQ(fresh.GetUserStackCount(), 0u);
}

TEST_F(History, UndoAllAndRedoAllRestoreTheGame)
{
    for (unsigned i = 0; i < 81; ++i) {
        if (g.GetField(i / 9, i % 9).GetValue() == SdkDigitEmpty && i % 3 == 0) {
            ASSERT_TRUE(g.SetValue(D(kSolution[i] - '0'), i / 9, i % 9));
        }
    }
    const std::string played = Values(g);
    const unsigned count = g.GetUserStackCount();
    while (g.CanUndo())
        ASSERT_TRUE(g.Undo());
    EXPECT_EQ(Values(g), kRiddle);
    for (unsigned i = 0; i < count; ++i)
        ASSERT_TRUE(g.Redo());
    EXPECT_EQ(Values(g), played);
    EXPECT_EQ(g.GetUserStackPtr(), count);
}
