// Rules of the grid and editing that random play against the model leaves out.
#include "SdkTestUtil.h"

TEST(Rules, ValueAllowed)
{
    Sudoku g;
    ASSERT_TRUE(g.Fix(SdkDigit5, 0, 0));
    Peer::SetResultSet(g, 4, 6, SetOf({7}));
    Peer::Put(g, 8, 1, 4), Peer::Put(g, 8, 7, 4); // a broken row
    // digit, row, column, deep; then whether allowed
    const unsigned cases[][5] = {
        {5, 0, 8, 0, 0}, {5, 8, 0, 0, 0}, {5, 2, 2, 0, 0},  {5, 3, 3, 0, 1}, {5, 0, 0, 0, 1},
        {0, 0, 1, 0, 1}, {1, 9, 0, 0, 0}, {1, 0, 9, 0, 0},  {7, 4, 0, 1, 0}, {7, 4, 0, 0, 1},
        {7, 3, 8, 1, 0}, {7, 4, 6, 1, 1}, {10, 4, 4, 0, 0}, {4, 8, 1, 0, 1}, {4, 8, 7, 0, 0}};
    for (auto c : cases)
        EXPECT_EQ(g.ValueAllowed(D(c[0]), c[1], c[2], c[3]), c[4] == 1)
            << c[0] << " at " << c[1] << c[2] << " deep " << c[3];
    // Off the grid and on given fields a refusal is silent; a digit above 9 is reported.
    EventRecorder rec(g);
    EXPECT_FALSE(g.SetValue(SdkDigit1, 9, 0) || g.SetValue(SdkDigit1, 0, 9) ||
                 g.SetValue(SdkDigit3, 0, 0) || g.EmptyValue(0, 0) || g.SetValue(D(12), 1, 1));
    EXPECT_EQ(rec.lines, std::vector<std::string>{Solved(false, 12, 1, 1)});
    EXPECT_EQ(g.GetField(1, 1).GetValue() + g.GetField(0, 0).GetValue(), 5u);
}

TEST(Rules, GivenDigits)
{
    // Each action on a riddle with one played value, 4 at (0, 2); then its result,
    // the value and given mark of (8, 0) and (0, 0), and the history.
    using S = Sudoku;
    const std::pair<bool (*)(S &), const char *> cases[] = {
        {[](S &g) { return g.Fix(SdkDigit1, 8, 0); }, "0 0-5F 40@02 |1"},
        {[](S &g) { return g.Unfix(0, 0); }, "0 0-5F 40@02 |1"},
        {[](S &g) { return g.EmptyValue(0, 2) && g.Fix(SdkDigit1, 8, 0); }, "1 1F5F |0"},
        {[](S &g) { return g.EmptyValue(0, 2) && g.Unfix(0, 0); }, "1 0-0- |0"},
        {[](S &g) {
             return g.EmptyValue(0, 2) && !g.Fix(SdkDigit5, 8, 0) && g.Fix(SdkDigit7, 0, 0);
         },
         "0 0-0- 40@02 04@02 |2"}, // conflicts empty the fields
        {[](S &g) { return Peer::FixRaw(g, SdkDigit1, 8, 0, false); }, "1 1F5F 40@02 |1"},
        {[](S &g) { return Peer::UnfixRaw(g, 0, 0, false); }, "1 0-0- 40@02 |1"},
        {[](S &g) { return Peer::UnfixRaw(g, 0, 0, true); }, "1 0-0- |0"},
        {[](S &g) { return Peer::UnfixRaw(g, 9, 0, true); }, "0 0-5F 40@02 |1"},
        {[](S &g) { return Peer::FixRaw(g, SdkDigitEmpty, 8, 0, true); }, "0 0-5F 40@02 |1"},
        {[](S &g) { return Peer::FixRaw(g, SdkDigit1, 0, 9, true); }, "0 0-5F 40@02 |1"},
        // A move that the grid no longer allows is not redone.
        {[](S &g) { return g.Undo() && Peer::FixRaw(g, SdkDigit4, 8, 2, false) && !g.Redo(); },
         "1 0-5F 40@02 |0"}};
    for (auto [act, expected] : cases) {
        Sudoku g;
        StartRiddle(g);
        ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
        std::string result = std::to_string(act(g)) + " ";
        for (unsigned i : {72u, 0u})
            result += std::to_string(g.GetField(i / 9, i % 9).GetValue()) +
                      (g.GetField(i / 9, i % 9).IsFix() ? "F" : "-");
        EXPECT_EQ(result + " " + History(g), expected);
    }
    // A refused digit still changes the definition: its field was emptied.
    Sudoku h;
    Peer::Put(h, 3, 0, 7, true);
    EXPECT_FALSE(h.Fix(SdkDigitEmpty, 3, 0) || h.Fix(SdkDigit1, 9, 0) || h.IsDefinitionChanged());
    EXPECT_FALSE(h.Fix(SdkDigit7, 3, 5));
    EXPECT_TRUE(h.IsDefinitionChanged());
    // A given field keeps the user's marks when its digit is replaced, any other
    // field is emptied completely.
    h.SetUserCandidates(SetOf({1}), 3, 0), h.SetUserCandidates(SetOf({2}), 0, 1);
    ASSERT_TRUE(h.Fix(SdkDigit8, 3, 0) && h.Fix(SdkDigit3, 0, 1));
    EXPECT_EQ(h.GetUserCandidates(3, 0), SetOf({1}));
    EXPECT_TRUE(h.GetUserCandidates(0, 1).IsEmpty());
}

TEST(Rules, UserMarksAreTwoSetsOutsideTheGame)
{
    Sudoku g;
    StartRiddle(g);
    const bool definitionChanged = g.IsDefinitionChanged();
    EXPECT_TRUE(g.AddUserCandidate(SdkDigit2, 0, 2) && g.AddUserCandidate(SdkDigit7, 0, 2) &&
                g.SetUserExcludes(SetOf({9, 3}), 0, 2) && g.RemoveUserCandidate(SdkDigit2, 0, 2) &&
                g.SetUserCandidates(SetOf({4}), 8, 8));
    EXPECT_FALSE(g.AddUserCandidate(SdkDigit7, 0, 2) || g.RemoveUserCandidate(SdkDigit2, 0, 2));
    EXPECT_EQ(g.GetUserCandidates(0, 2).ToRsString() + "/" + g.GetUserExcludes(0, 2).ToRsString(),
              "7/3,9");
    g.EmptyAllUserCandidates();
    EXPECT_TRUE(g.GetUserCandidates(8, 8).IsEmpty() && g.GetUserCandidates(0, 2).IsEmpty());
    EXPECT_TRUE(g.EmptyUserExcludes(0, 2) && g.GetField(0, 2).GetCustomExc().IsEmpty());
    EXPECT_FALSE(g.IsStateChanged() || g.IsDefinitionChanged() != definitionChanged);
    EXPECT_EQ(History(g), "|0");
    EXPECT_FALSE(g.SetUserCandidates(SetOf({1}), 9, 0) || g.AddUserCandidate(SdkDigit1, 0, 9) ||
                 g.RemoveUserCandidate(SdkDigit1, 9, 9) || g.EmptyUserCandidates(9, 0) ||
                 g.SetUserExcludes(SetOf({1}), 9, 0) || g.EmptyUserExcludes(0, 9));
    EXPECT_TRUE(g.GetUserCandidates(9, 0).IsEmpty() && g.GetUserExcludes(0, 9).IsEmpty());
}

TEST(Rules, CountsAndChecks)
{
    Sudoku g;
    EXPECT_EQ(g.GetUnsolvedCount(), 81u);
    StartRiddle(g);
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2) && g.SetValue(SdkDigit2, 2, 0));
    EXPECT_EQ(g.GetFixCount() * 10000 + g.GetSolvedCount() * 100 + g.GetUnsolvedCount(), 300249u);
    // Verify names the later field of the first broken block: rows, then
    // columns, then quads. Each case: fields with a digit, then row and column.
    const std::vector<std::vector<unsigned>> cases = {
        {0}, {247, 647, 64}, {247, 647, 803, 883, 88}, {362, 582, 58}, {1, 111, 889, 879, 88}};
    for (const auto &c : cases) {
        Sudoku v;
        for (size_t i = 0; i + 1 < c.size(); ++i)
            Peer::Put(v, c[i] / 100, c[i] / 10 % 10, c[i] % 10);
        unsigned row = 9, col = 9;
        bool completed = true;
        EXPECT_EQ(v.Verify(&row, &col, &completed), c.size() == 1);
        EXPECT_EQ(row * 10 + col, c.back()) << c.size();
        EXPECT_FALSE(completed);
    }
    // Completed is no check of the rules.
    Sudoku full, broken;
    StartRiddle(full);
    LoadGrid(full, kSolution, true);
    bool completed = false;
    EXPECT_TRUE(full.IsCompleted() && full.Verify(nullptr, nullptr, &completed) && completed);
    for (unsigned i = 0; i < 81; ++i)
        Peer::Put(broken, i / 9, i % 9, 1 + i % 9);
    EXPECT_TRUE(broken.IsCompleted());
    EXPECT_FALSE(broken.Verify(nullptr, nullptr, &completed) || completed);
    unsigned row = 42, col = 42;
    EXPECT_FALSE(full.FindUnsolvableField(row, col, true) || row != 42);
    // Row 1 misses only 2; a given 2 in column 1 kills (1, 1), which only a
    // calculation notices.
    Sudoku d;
    StartRiddle(d, std::string(9, '.') + "1.3456789" + std::string(63, '.'));
    Peer::Put(d, 5, 1, 2, true);
    // A block view kept across the calculation shows the marks it made.
    const SdkBlockRef &rowOne = d.GetBlock(SdkBlockRow, 1);
    EXPECT_FALSE(d.FindUnsolvableField(row, col, false));
    EXPECT_TRUE(d.FindUnsolvableField(row, col, true));
    EXPECT_EQ(row * 10 + col, 11u);
    EXPECT_TRUE(rowOne[1].IsDoubleResult() && d.GetField(1, 1).IsDoubleResult());
    // Marking tells whether any field is in a contradiction.
    EXPECT_TRUE(d.MarkDoubleResults() && !full.MarkDoubleResults());
}
