// The solver: its events and moves, depth limits, errors and solver names.
#include "SdkTestUtil.h"
#include "engine/SdkSolutionCounter.h"

namespace {

uint32_t Hash(const std::vector<std::string> &lines)
{
    uint32_t h = 2166136261u; // FNV-1a over the lines
    for (const std::string &l : lines)
        for (char c : l + "\n")
            h = (h ^ uint8_t(c)) * 16777619u;
    return h;
}
} // namespace

// Every event line of a solve is pinned by a hash: the solver's output stays byte-identical.
TEST(Solver, EventsAndSolutionsOfKnownRiddles)
{
    struct Case
    {
        const char *riddle;
        int btSteps;
        unsigned moves; // solution length
        uint32_t hash;  // of every event line, in order
    } cases[] = {{kRiddle, 0, 51, 1141858151},
                 {kOneGuess, 1, 56, 1176571257},
                 {kTwoGuesses, 2, 53, 1714498137},
                 {kHard, 14, 60, 656248264},
                 {".", 45, 81, 3020152442}};
    for (const Case &c : cases) {
        const std::string riddle = (std::string(c.riddle) + std::string(81, '.')).substr(0, 81);
        EventRecorder rec;
        Sudoku g;
        rec.Attach(g);
        StartRiddle(g, riddle);
        rec.Clear();
        const std::string before = Values(g) + History(g);
        ASSERT_TRUE(g.Solve(-1, true, ""));
        EXPECT_EQ(g.GetSolveBtStep(), c.btSteps) << riddle;
        // The game itself is untouched; the solution fits the riddle and the rules.
        EXPECT_EQ(Values(g) + History(g), before);
        Sudoku solved(g);
        SdkSolvedField e;
        for (unsigned i = 0; g.GetSolution(i, e); ++i)
            ASSERT_TRUE(solved.SetValue(e.GetValue(), e.GetRow(), e.GetColumn()));
        bool complete = false;
        EXPECT_TRUE(solved.Verify(nullptr, nullptr, &complete) && complete) << riddle;
        EXPECT_EQ(g.GetSolutionStackCount(), c.moves) << riddle;
        EXPECT_EQ(Hash(rec.lines), c.hash) << riddle;
        // The same solve on the worker thread gives the same events and moves.
        const std::vector<std::string> lines = rec.lines;
        rec.Clear();
        ASSERT_TRUE(g.ThreadSolve(-1, true, ""));
        for (int ms = 0; g.IsThreadRunning() && ms < 20000; ++ms)
            CurrentOS->Sleep(1);
        ASSERT_FALSE(g.IsThreadRunning());
        EXPECT_EQ(rec.lines, lines);
        EXPECT_EQ(SolvedValues(g), Values(solved));
    }
}

TEST(Solver, DepthLimitsAndStartingPoint)
{
    const struct
    {
        const char *riddle;
        int minDepth, maxDepth, fromRiddle, ok, btSteps;
    } cases[] = {{kOneGuess, 0, 0, 1, 0, -1},   {kOneGuess, 0, 1, 1, 1, 1},
                 {kOneGuess, 1, -1, 1, 1, 1},   {kOneGuess, 2, -1, 1, 0, -1},
                 {kTwoGuesses, 0, 1, 1, 0, -1}, {kTwoGuesses, 2, 2, 1, 1, 2},
                 {kRiddle, 0, 0, 1, 1, 0},      {kRiddle, 0, -1, 0, 0, -1}};
    for (const auto &c : cases) {
        Sudoku g;
        StartRiddle(g, c.riddle);
        ASSERT_TRUE(c.fromRiddle || g.SetValue(SdkDigit2, 0, 2)); // allowed, but wrong
        Sudoku work(g, false);
        SdkDefaultSolver solver;
        SdkSolveParam request;
        request.minDepth = c.minDepth;
        request.maxDepth = c.maxDepth;
        request.startFromRiddle = c.fromRiddle == 1;
        EXPECT_EQ(solver.Start(work, g, request), c.ok == 1)
            << c.riddle << c.minDepth << c.maxDepth;
        const SdkSolveParam &result = solver.GetSolveParam();
        EXPECT_FALSE(result.error || result.cancelled);
        EXPECT_EQ(c.ok ? result.btSteps : -1, c.btSteps);
    }
    // From the position: the user's moves up to the cursor start the solution.
    Sudoku g;
    StartRiddle(g);
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2) && g.SetValue(SdkDigit6, 0, 3) && g.Undo());
    Peer::SetResultSet(g, 0, 3, SetOf({2})); // stale and wrong: the solver makes its own
    ASSERT_TRUE(g.Solve(-1, false, ""));
    SdkSolvedField first;
    ASSERT_TRUE(g.GetSolution(0, first));
    EXPECT_EQ(Entry(first), "40@02");
    EXPECT_EQ(g.GetSolutionStackCount(), 51u);
    EXPECT_EQ(SolvedValues(g), kSolution);
    EXPECT_EQ(History(g), "40@02 60@03 |1");
    EXPECT_EQ(g.GetBtStepsOnCreation(), -1); // no pure riddle
}

TEST(Solver, FailuresLeaveNoSolution)
{
    for (const char *name :
         {"@", "@SdkDefaultSolver", "SdkDefaultSolver@", "NoSuchSolver", "Sudoku",
          "SdkSolverInterface", "TDynamic", "SdkDefaultSolver@no-such-lib", "ThatSolver@",
          "NotASolver@thatlibrary", "NotASolver"}) {
        Sudoku g;
        StartRiddle(g);
        ASSERT_TRUE(g.Solve(-1, true, ""));
        EXPECT_FALSE(g.Solve(-1, true, name)) << name;
        unsigned row = 99, col = 99;
        EXPECT_FALSE(g.WasSolveSuccessful() || g.WasSolveCancelled() || g.HasSolveError(row, col));
        EXPECT_EQ(g.GetSolveBtStep(), -1);
        EXPECT_EQ(g.GetSolutionStackCount(), 0u) << name;
    }
    // A library's solver is loaded on demand and solves with its own mark.
    Sudoku g;
    StartRiddle(g);
    ASSERT_TRUE(g.Solve(-1, true, "ThatSolver@thatlibrary"));
    EXPECT_EQ(g.GetSolveBtStep() * 1000 + g.GetBtStepsOnCreation(), 77077);
    EXPECT_EQ(SolvedValues(g), kSolution);
    // A wrong played value: no solution from the position, no error either.
    ASSERT_TRUE(g.Reset());
    StartRiddle(g, kOneGuess);
    ASSERT_TRUE(g.SetValue(SdkDigit3, 0, 0));
    EXPECT_FALSE(g.Solve(-1, false, "SdkDefaultSolver"));
    unsigned row = 0, col = 0;
    EXPECT_FALSE(g.WasSolveSuccessful() || g.WasSolveCancelled() || g.HasSolveError(row, col));
    // A pure riddle takes its creation depth from a solve, 0 when it fails.
    Sudoku failing;
    StartRiddle(failing, kOneGuess);
    EXPECT_FALSE(failing.Solve(0, true, ""));
    EXPECT_EQ(failing.GetBtStepsOnCreation(), 0);
    // A cancel flag left from an ended worker does not stop a solve on the caller's thread.
    failing.CancelThread();
    EXPECT_TRUE(failing.Solve(-1, true, ""));
    EXPECT_EQ(failing.GetSolveBtStep() * 10 + failing.GetBtStepsOnCreation(), 10); // kept
    EXPECT_FALSE(failing.WasSolveCancelled());
}

TEST(Solver, RefusedCandidateIsAnErrorAtItsField)
{
    Sudoku g;
    StartRiddle(g, kOneGuess);
    EventRecorder rec(g);
    // Before the first trial the tested digit is put elsewhere into its row of
    // the working copy, so the grid refuses it.
    ASSERT_TRUE(g.MVC().AddNotification(SDK_TEST_VALUE, &g, [&](TMvcParam &p) {
        auto &sp = static_cast<SdkParam &>(p);
        for (unsigned c = 0; c < 9 && rec.Named("TEST").size() == 1; ++c)
            if (c != sp.GetColumn() && sp.GetSudoku().GetField(sp.GetRow(), c).GetValue() == 0 &&
                sp.GetSudoku().SetValue(sp.GetDigit(), sp.GetRow(), c))
                break;
        return true;
    }));
    EXPECT_FALSE(g.Solve(-1, true, ""));
    const std::vector<std::string> tests = rec.Named("TEST");
    ASSERT_EQ(tests.size(), 1u);
    unsigned row = 0, col = 0;
    ASSERT_TRUE(g.HasSolveError(row, col));
    EXPECT_EQ(tests[0].substr(tests[0].size() - 5, 2), std::to_string(row) + std::to_string(col));
    EXPECT_FALSE(g.WasSolveCancelled() || g.WasSolveSuccessful());
    // The failed level ends as failed, and the next solve starts clean.
    EXPECT_EQ(rec.lines.back().substr(0, 16), "END_SOLVING no 0");
    g.MVC().RemoveNotification(SDK_TEST_VALUE, &g);
    EXPECT_TRUE(g.Solve(-1, true, ""));
    EXPECT_FALSE(g.HasSolveError(row, col));
}

// The full grids the riddle stock is cut from are solutions.
TEST(SolutionCounter, RandomFullGridsKeepTheRules)
{
    for (int k = 0; k < 300; ++k) {
        const auto full =
            SdkSolutionCounter::RandomFull([](void *) { return uint32_t(rand()); }, 0);
        EXPECT_EQ(SdkSolutionCounter::GivenCount(full) * 10 + SdkSolutionCounter::Count(full, 2),
                  811u);
    }
}

namespace {
// Everything a listener can read of a solver's working copy: values, candidates, marks and
// every block's doubles.
std::string State(const Sudoku &game)
{
    std::string text;
    for (unsigned i = 0; i < 81; ++i) {
        const SdkField f = game.GetField(i / 9, i % 9);
        text += std::to_string(f.GetValue()) + ":" + std::to_string(f.GetResultSet().GetMask()) +
                (f.IsLastChanged() ? "L" : "") + (f.IsDoubleResult() ? "D " : " ");
    }
    for (SdkBlockType type : SdkBlockTypes)
        for (unsigned b = 0; b < 9; ++b) {
            const SdkDoubleList &list = game.GetBlock(type, b).GetDoubleList();
            for (int i = 0; i < list.Count(); ++i)
                text += std::to_string(list.GetDouble(i)->GetResultSet().GetMask()) + "@" +
                        std::to_string(b) + " ";
        }
    return text;
}
} // namespace

// The solver passes by work whose outcome it knows when nobody listens to its single steps,
// and a reduction after a placed value visits only the fields it can affect: the states seen
// at every level, the moves and the depth must be those of a solve watched step by step.
TEST(Solver, UnwatchedStepsLeaveTheStatesOfWatchedOnes)
{
    for (const char *riddle : {kTwoGuesses, kHard, kHard2, kHard3})
        for (bool deep : {false, true}) {
            std::vector<std::string> seen[2];
            for (int watched = 0; watched < 2; ++watched) {
                Sudoku game;
                LoadGrid(game, riddle);
                game.SetDeepCalcResultSets(deep);
                int receiver = 0;
                for (const char *event : {SDK_START_SOLVING, SDK_TEST_VALUE, SDK_END_SOLVING})
                    game.MVC().AddNotification(event, &receiver, [&](TMvcParam &p) {
                        auto &sp = static_cast<SdkParam &>(p);
                        seen[watched].push_back(std::to_string(sp.GetLevel()) + " " +
                                                std::to_string(sp.GetDigit()) + " " +
                                                State(sp.GetSudoku()));
                        return true;
                    });
                if (watched)
                    game.MVC().AddNotification(SDK_VALUE_SOLVED, &receiver,
                                               [](TMvcParam &) { return true; });
                ASSERT_TRUE(game.Solve(-1, true, ""));
                std::string moves = std::to_string(game.GetSolveBtStep()) + ":";
                SdkSolvedField e;
                for (unsigned i = 0; game.GetSolution(i, e); ++i)
                    moves += Entry(e) + " ";
                seen[watched].push_back(moves);
            }
            EXPECT_GT(seen[1].size(), 3u) << riddle;
            ASSERT_EQ(seen[0].size(), seen[1].size()) << riddle;
            for (size_t i = 0; i < seen[1].size(); ++i)
                ASSERT_EQ(seen[0][i], seen[1][i]) << riddle << " deep " << deep << " event " << i;
        }
}
