// Move history: the stacks, undo and redo, starting and resetting a game.
#include "SdkTestUtil.h"

TEST(History, UserStackKeepsOrDropsTheRedoPart)
{
    const SdkSolvedField a(SdkDigit1, SdkDigitEmpty, 0, 0), b(SdkDigit2, SdkDigit1, 8, 1),
        c(SdkDigit3, SdkDigitEmpty, 0, 2);
    EXPECT_FALSE(SdkSolvedField().IsValid() || SdkSolvedField(a.GetValue(), D(0), 2, 9).IsValid() ||
                 SdkSolvedField(a.GetValue(), D(0), 9, 2).IsValid());
    SdkUserStack s;
    std::string trace;
    SdkSolvedField out;
    auto note = [&](bool r) {
        trace += std::to_string(r) + (r && out.IsValid() ? Entry(out) : "") + ":" +
                 std::to_string(s.GetPtr()) + "/" + std::to_string(s.Count()) +
                 std::to_string(s.CanUndo()) + std::to_string(s.CanRedo()) + " ";
        out = SdkSolvedField();
    };
    note(s.Push(SdkSolvedField(SdkDigit1, SdkDigitEmpty, 9, 0)));
    note(s.StepBack(out));
    note(s.Push(a) && s.Push(b) && s.Push(c));
    note(s.StepBack(out));
    note(s.StepBack(out));
    note(s.Push(b)); // the next redo entry: only the cursor moves
    note(s.StepForward(out));
    note(s.StepBack(out) && s.StepBack(out) && s.Push(c)); // anything else drops the rest
    note(s.StepForward(out));
    note(s.GetTop(out));
    EXPECT_EQ(trace, "0:0/000 0:0/000 1:3/310 130@02:2/311 121@81:1/311 1:2/311 "
                     "130@02:3/310 121@81:2/210 0:2/210 130@02:2/210 ");
    EXPECT_FALSE(s.GetAt(2).IsValid() || s.GetAt(-1).IsValid());
    const SdkUserStack copy(s);
    s.Empty(true);
    EXPECT_FALSE(s.GetTop(out) || s.CanUndo());
    EXPECT_EQ(s.GetPtr() * 10 + s.Count() + copy.GetPtr() * 100, 202u);
    const SdkSolvedStack solved(s); // every entry, whatever the cursor
    EXPECT_EQ(solved.Count(), 2u);
    EXPECT_EQ(SdkSolvedStack(solved).GetAt(1), c);
    EXPECT_FALSE(solved.GetAt(2).IsValid());
    s.Empty(false);
    EXPECT_FALSE(s.CanRedo() || s.Count());
    // A game: nothing to undo at first; reading beyond the count leaves the entry alone.
    Sudoku g;
    EXPECT_FALSE(g.CanUndo() || g.CanRedo() || g.Undo() || g.Redo());
    out = SdkSolvedField(SdkDigit9, SdkDigit9, 1, 1);
    EXPECT_TRUE(g.SetValue(SdkDigit1, 0, 0) && !g.GetUserStack(1, out));
    EXPECT_EQ(Entry(out), "99@11");
}

TEST(History, StartGameModes)
{
    // keep values, keep history, new game; values at (0, 2) and (0, 3), the history,
    // the first marked field, and for a new game the changed flags
    const std::tuple<bool, bool, bool, const char *, const char *, const char *, bool, bool>
        cases[] = {{0, 0, 1, "..", "|0", "", 1, 0},
                   {0, 0, 0, "..", "|0", "", 0, 1},
                   {0, 1, 0, "..", "40@02 60@03 |0", "", 0, 1},
                   {1, 1, 0, "4.", "40@02 60@03 |1", "02", 0, 1},
                   {1, 0, 0, "4.", "|0", "", 0, 1},
                   {1, 1, 1, "4.", "40@02 60@03 |1", "02", 1, 1}};
    Sudoku fresh;
    StartRiddle(fresh);
    for (auto [keepValues, keepHistory, newGame, values, history, marked, defChanged,
               stateChanged] : cases) {
        Sudoku g;
        StartRiddle(g);
        ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2) && g.SetValue(SdkDigit6, 0, 3) && g.Undo());
        g.SetUserCandidates(SetOf({7}), 8, 0);
        Peer::RecordSolution(g);
        ASSERT_TRUE(g.StartGame(keepValues, keepHistory, newGame));
        const std::string what = std::to_string(keepValues * 100 + keepHistory * 10 + newGame);
        EXPECT_EQ(Values(g).substr(2, 2), values) << what;
        EXPECT_EQ(History(g), history) << what;
        std::string marks;
        for (unsigned i = 0; i < 81; ++i)
            if (g.GetField(i / 9, i % 9).IsLastChanged())
                marks += std::to_string(i / 9) + std::to_string(i % 9);
        // Besides the latest move, the fields it reduced carry the mark.
        EXPECT_EQ(marks.substr(0, 2), marked) << what;
        EXPECT_EQ(g.GetSolutionStackCount(), 0u) << what;
        EXPECT_EQ(g.GetUserCandidates(8, 0).IsEmpty(), !keepValues) << what;
        if (newGame) {
            EXPECT_EQ(g.IsDefinitionChanged(), defChanged) << what;
            EXPECT_EQ(g.IsStateChanged(), stateChanged) << what;
        }
        // Without the values the candidates are those of the riddle again.
        for (unsigned i = 0; i < 81 && !keepValues; ++i)
            EXPECT_EQ(g.GetField(i / 9, i % 9).GetResultSet(),
                      fresh.GetField(i / 9, i % 9).GetResultSet())
                << what << " field " << i;
    }
    // Repetition: every move can be redone from the start.
    Sudoku g;
    StartRiddle(g);
    LoadGrid(g, kSolution, true);
    ASSERT_TRUE(g.StartGame(false, true, false));
    while (g.Redo()) {
    }
    EXPECT_EQ(Values(g), kSolution);
    EXPECT_TRUE(g.IsCompleted());
}

TEST(History, ResetClearsTheGameButKeepsTheSolution)
{
    Sudoku g;
    StartRiddle(g);
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2) && g.SetValue(SdkDigit2, 2, 0));
    Peer::RecordSolution(g);
    Peer::SetBtSteps(g, 3);
    g.SetDeepCalcResultSets(true);
    g.SetDelayMs(40);
    ASSERT_TRUE(g.Reset());
    // Given digits, history, depth, changed flags go; the options stay.
    EXPECT_EQ(Values(g) + std::to_string(g.GetFixCount()) + History(g) +
                  std::to_string(g.GetBtStepsOnCreation()) +
                  std::to_string(g.IsDefinitionChanged()) + std::to_string(g.IsStateChanged()) +
                  std::to_string(g.IsDeepCalcResultSets()) + std::to_string(g.GetDelayMs()),
              std::string(81, '.') + "0|0-100140");
    SdkSolvedField out;
    ASSERT_EQ(g.GetSolutionStackCount(), 2u);
    ASSERT_TRUE(g.GetSolution(1, out));
    EXPECT_EQ(Entry(out), "20@20");
    EXPECT_FALSE(g.GetSolution(2, out));
    // An empty history makes no solution.
    ASSERT_TRUE(g.StartGame(false, false, false));
    Peer::RecordSolution(g);
    EXPECT_EQ(g.GetSolutionStackCount(), 0u);
}
