#include "engine/SdkParam.h"
#include "engine/SdkSolver.h"
#include "engine/Sudoku.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {
// Solved by direct steps alone.
const char *const SinglesRiddle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
const char *const SinglesSolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
// Solved with one nested guess.
const char *const OneGuessRiddle =
    ".5.......2..61....1..7.8.....9..3.68...1...5.7....2.3.62.8.1............8.73...92";
const char *const OneGuessSolution =
    "956234817278619345134758926419573268382146759765982431623891574591427683847365192";
// Needs two nested guesses.
const char *const TwoGuessRiddle =
    ".6.2.7.......45...2.4.3...5.87.....1.1....546.36...82...3.86..2...52.......7..6..";

void LoadRiddle(Sudoku &game, const std::string &riddle)
{
    ASSERT_EQ(riddle.size(), 81u);
    for (unsigned i = 0; i < 81; ++i) {
        if (riddle[i] != '.') {
            ASSERT_TRUE(game.Fix(static_cast<SdkDigit>(riddle[i] - '0'), i / 9, i % 9));
        }
    }
    ASSERT_TRUE(game.StartGame(false, false, true));
}

std::string Values(const Sudoku &game)
{
    std::string s;
    for (unsigned i = 0; i < 81; ++i) {
        SdkDigit v = game.GetField(i / 9, i % 9).GetValue();
        s += v ? static_cast<char>('0' + v) : '.';
    }
    return s;
}

// The game's values with the recorded solution played over them.
std::string SolvedValues(const Sudoku &game)
{
    std::string s = Values(game);
    for (unsigned i = 0; i < game.GetSolutionStackCount(); ++i) {
        SdkSolvedField move;
        EXPECT_TRUE(game.GetSolution(i, move));
        s[move.GetRow() * 9 + move.GetColumn()] = static_cast<char>('0' + move.GetValue());
    }
    return s;
}

struct Event
{
    std::string name;
    const Sudoku *game;
    int level;
    bool success;
    unsigned digit, row, col;
};

// Records every engine event of a game, in order.
class EventLog
{
public:
    explicit EventLog(Sudoku &game) : m_game(game)
    {
        for (const char *name : {SDK_START_SOLVING, SDK_END_SOLVING, SDK_TEST_VALUE,
                                 SDK_VALUE_SOLVED, SDK_START_LOADING, SDK_END_LOADING})
            game.MVC().AddNotification(name, this, [this, name](TMvcParam &p) {
                auto &sp = static_cast<SdkParam &>(p);
                events.push_back({name, &sp.GetSudoku(), sp.GetLevel(), sp.GetSuccess(),
                                  sp.GetDigit(), sp.GetRow(), sp.GetColumn()});
                if (onEvent)
                    onEvent(sp, name);
                return true;
            });
    }
    ~EventLog()
    {
        for (const char *name : {SDK_START_SOLVING, SDK_END_SOLVING, SDK_TEST_VALUE,
                                 SDK_VALUE_SOLVED, SDK_START_LOADING, SDK_END_LOADING})
            m_game.MVC().RemoveNotification(name, this);
    }
    std::vector<Event> Named(const std::string &name) const
    {
        std::vector<Event> out;
        for (const Event &e : events)
            if (e.name == name)
                out.push_back(e);
        return out;
    }

    std::vector<Event> events;
    std::function<void(SdkParam &, const std::string &)> onEvent;

private:
    Sudoku &m_game;
};

void ExpectFailedWithoutReason(const Sudoku &game)
{
    EXPECT_FALSE(game.WasSolveSuccessful());
    EXPECT_FALSE(game.WasSolveCancelled());
    unsigned row = 99, col = 99;
    EXPECT_FALSE(game.HasSolveError(row, col));
    EXPECT_EQ(game.GetSolveBtStep(), -1);
    EXPECT_EQ(game.GetSolutionStackCount(), 0u);
}
} // namespace

TEST(Solver, DirectStepsSolveWithOneLevelAndLeaveTheGameAlone)
{
    Sudoku game;
    LoadRiddle(game, SinglesRiddle);
    EventLog log(game);
    const std::string before = Values(game);

    ASSERT_TRUE(game.Solve(-1, true, TString()));
    EXPECT_TRUE(game.WasSolveSuccessful());
    EXPECT_EQ(game.GetSolveBtStep(), 0);
    EXPECT_EQ(SolvedValues(game), SinglesSolution);
    EXPECT_EQ(Values(game), before);
    EXPECT_EQ(game.GetUserStackCount(), 0u);
    EXPECT_EQ(game.GetSolutionStackCount(), 51u);

    auto starts = log.Named(SDK_START_SOLVING), ends = log.Named(SDK_END_SOLVING);
    ASSERT_EQ(starts.size(), 1u);
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(starts[0].level, 1);
    EXPECT_EQ(ends[0].level, 1);
    EXPECT_TRUE(ends[0].success);
    EXPECT_TRUE(log.Named(SDK_TEST_VALUE).empty());
    // One report per direct step, from the working copy, between the level's two events.
    auto solved = log.Named(SDK_VALUE_SOLVED);
    EXPECT_EQ(solved.size(), 51u);
    EXPECT_EQ(log.events.front().name, SDK_START_SOLVING);
    EXPECT_EQ(log.events.back().name, SDK_END_SOLVING);
    for (const Event &e : solved) {
        EXPECT_NE(e.game, &game);
        EXPECT_TRUE(e.success);
    }
    EXPECT_EQ(starts[0].game, solved[0].game);
}

TEST(Solver, GuessesTheFirstEmptyFieldWithAscendingDigitsAndNestsLevels)
{
    Sudoku game;
    LoadRiddle(game, TwoGuessRiddle);
    EventLog log(game);
    // At each test, every field before the guessed one in reading order is filled.
    bool readingOrder = true;
    log.onEvent = [&](SdkParam &p, const std::string &name) {
        if (name != SDK_TEST_VALUE)
            return;
        Sudoku &work = p.GetSudoku();
        if (work.GetField(p.GetRow(), p.GetColumn()).GetValue() != SdkDigitEmpty)
            readingOrder = false;
        for (unsigned i = 0; i < p.GetRow() * 9 + p.GetColumn(); ++i)
            if (work.GetField(i / 9, i % 9).GetValue() == SdkDigitEmpty)
                readingOrder = false;
    };

    ASSERT_TRUE(game.Solve(-1, true, TString()));
    EXPECT_EQ(game.GetSolveBtStep(), 2);
    EXPECT_TRUE(readingOrder);
    const std::string solution = SolvedValues(game);
    for (size_t i = 0; i < 81; ++i)
        EXPECT_TRUE(TwoGuessRiddle[i] == '.' || TwoGuessRiddle[i] == solution[i]) << i;
    EXPECT_EQ(solution.find('.'), std::string::npos);

    // Levels nest like brackets; each trial opens the next level.
    int depth = 0, deepest = 0;
    const Event *lastTest = nullptr;
    for (const Event &e : log.events) {
        if (e.name == SDK_START_SOLVING) {
            EXPECT_EQ(e.level, depth + 1);
            deepest = std::max(deepest, ++depth);
        } else if (e.name == SDK_END_SOLVING) {
            EXPECT_EQ(e.level, depth--);
        } else if (e.name == SDK_TEST_VALUE) {
            if (lastTest && lastTest->row == e.row && lastTest->col == e.col) {
                EXPECT_GT(e.digit, lastTest->digit);
            }
            lastTest = &e;
        }
    }
    EXPECT_EQ(depth, 0);
    EXPECT_GE(deepest, 2);
    EXPECT_TRUE(log.events.back().success);
    // Guessed digits are reported only as tests, never as solved values.
    for (const Event &e : log.Named(SDK_VALUE_SOLVED))
        EXPECT_TRUE(e.success);
}

TEST(Solver, DepthLimitsFailWithoutErrorOrCancel)
{
    Sudoku game;
    LoadRiddle(game, OneGuessRiddle);
    EXPECT_FALSE(game.Solve(0, true, TString()));
    ExpectFailedWithoutReason(game);

    ASSERT_TRUE(game.Solve(1, true, TString()));
    EXPECT_EQ(game.GetSolveBtStep(), 1);
    EXPECT_EQ(SolvedValues(game), OneGuessSolution);

    // A minimum depth above the needed guesses rejects the found solution.
    Sudoku work(game, false);
    SdkDefaultSolver solver;
    SdkSolveParam request;
    request.minDepth = 2;
    EXPECT_FALSE(solver.Start(work, game, request));
    EXPECT_FALSE(solver.GetSolveParam().error);
    EXPECT_FALSE(solver.GetSolveParam().cancelled);
    request.minDepth = 1;
    Sudoku work2(game, false);
    SdkDefaultSolver solver2;
    EXPECT_TRUE(solver2.Start(work2, game, request));
    EXPECT_EQ(solver2.GetSolveParam().btSteps, 1);
    EXPECT_EQ(Values(work2), OneGuessSolution);
}

TEST(Solver, FromThePositionKeepsTheUsersMovesInTheSolution)
{
    Sudoku game;
    LoadRiddle(game, SinglesRiddle);
    ASSERT_TRUE(game.SetValue(SdkDigit4, 0, 2));
    ASSERT_TRUE(game.SetValue(SdkDigit6, 0, 3));
    ASSERT_TRUE(game.Undo());

    ASSERT_TRUE(game.Solve(-1, false, TString()));
    SdkSolvedField first;
    ASSERT_TRUE(game.GetSolution(0, first));
    EXPECT_EQ(first, SdkSolvedField(SdkDigit4, SdkDigitEmpty, 0, 2));
    EXPECT_EQ(SolvedValues(game), SinglesSolution);
    // The game itself, its history and its cursor are untouched.
    EXPECT_EQ(game.GetUserStackCount(), 2u);
    EXPECT_EQ(game.GetUserStackPtr(), 1u);
    EXPECT_EQ(game.GetField(0, 3).GetValue(), SdkDigitEmpty);

    // From the riddle, the played value is not part of the solution's start.
    ASSERT_TRUE(game.Solve(-1, true, TString()));
    EXPECT_EQ(game.GetSolutionStackCount(), 51u);
}

TEST(Solver, WrongPlayedValueMakesTheSolveFromThePositionFail)
{
    Sudoku game;
    LoadRiddle(game, SinglesRiddle);
    ASSERT_TRUE(game.SetValue(SdkDigit2, 0, 2)); // allowed, but wrong
    EXPECT_FALSE(game.Solve(-1, false, TString()));
    EXPECT_FALSE(game.WasSolveSuccessful());
    EXPECT_FALSE(game.WasSolveCancelled());
    EXPECT_EQ(game.GetSolutionStackCount(), 0u);
    EXPECT_TRUE(game.Solve(-1, true, TString()));
}

TEST(Solver, LeftoverCancelFlagWithoutWorkerDoesNotStopASolve)
{
    // The flag of an ended worker stays readable for the program; a later solve on
    // the caller's thread must not take it up.
    Sudoku game;
    LoadRiddle(game, TwoGuessRiddle);
    game.CancelThread();
    ASSERT_TRUE(game.IsThreadCancelled());
    EXPECT_TRUE(game.Solve(-1, true, TString()));
    EXPECT_FALSE(game.WasSolveCancelled());
    EXPECT_EQ(game.GetSolveBtStep(), 2);
}

TEST(Solver, RefusedCandidateIsAnErrorAtItsField)
{
    Sudoku game;
    LoadRiddle(game, OneGuessRiddle);
    EventLog log(game);
    unsigned guessRow = 99, guessCol = 99;
    // Before the first trial, the tested digit is placed elsewhere in its row of the
    // working copy, so the grid refuses it.
    log.onEvent = [&](SdkParam &p, const std::string &name) {
        if (name != SDK_TEST_VALUE || guessRow != 99)
            return;
        guessRow = p.GetRow();
        guessCol = p.GetColumn();
        Sudoku &work = p.GetSudoku();
        for (unsigned c = 0; c < 9; ++c)
            if (c != guessCol && work.ValueAllowed(p.GetDigit(), guessRow, c, false) &&
                work.GetField(guessRow, c).GetValue() == SdkDigitEmpty &&
                work.SetValue(p.GetDigit(), guessRow, c))
                return;
        ADD_FAILURE() << "no place for the digit in the row";
    };
    EXPECT_FALSE(game.Solve(-1, true, TString()));
    unsigned row = 0, col = 0;
    ASSERT_TRUE(game.HasSolveError(row, col));
    EXPECT_EQ(row, guessRow);
    EXPECT_EQ(col, guessCol);
    EXPECT_FALSE(game.WasSolveCancelled());
    EXPECT_EQ(game.GetSolveBtStep(), -1);
    EXPECT_EQ(log.Named(SDK_TEST_VALUE).size(), 1u);

    // The next solve starts from a clean record.
    log.onEvent = nullptr;
    EXPECT_TRUE(game.Solve(-1, true, TString()));
    EXPECT_FALSE(game.HasSolveError(row, col));
}

TEST(Solver, SolverNamesResolveThroughTheRegistryAndLibraries)
{
    Sudoku game;
    LoadRiddle(game, SinglesRiddle);
    for (const char *name : {"", "SdkDefaultSolver"}) {
        EXPECT_TRUE(game.Solve(-1, true, name)) << name;
        EXPECT_EQ(game.GetSolveBtStep(), 0) << name;
    }
    for (const char *name :
         {"@", "@SdkDefaultSolver", "SdkDefaultSolver@", "NoSuchSolver", "Sudoku", "TDynamic",
          "SdkSolverInterface", "SdkDefaultSolver@no-such-library", "ThatSolver@", "@thatlibrary",
          "NoSuchSolver@thatlibrary", "NotASolver@thatlibrary", "NotASolver"}) {
        EXPECT_FALSE(game.Solve(-1, true, name)) << name;
        ExpectFailedWithoutReason(game);
    }
    // The class from the library, loaded on demand, solves with its own mark.
    ASSERT_TRUE(game.Solve(-1, true, "ThatSolver@thatlibrary"));
    EXPECT_EQ(game.GetSolveBtStep(), 77);
    EXPECT_EQ(SolvedValues(game), SinglesSolution);
}

TEST(Solver, PureRiddleTakesItsCreationDepthFromTheFirstSolve)
{
    Sudoku game;
    LoadRiddle(game, OneGuessRiddle);
    EXPECT_EQ(game.GetBtStepsOnCreation(), -1);
    ASSERT_TRUE(game.Solve(-1, true, TString()));
    EXPECT_EQ(game.GetBtStepsOnCreation(), 1);

    Sudoku failing;
    LoadRiddle(failing, OneGuessRiddle);
    EXPECT_FALSE(failing.Solve(0, true, TString()));
    EXPECT_EQ(failing.GetBtStepsOnCreation(), 0);

    // A game with played values is no pure riddle.
    Sudoku played;
    LoadRiddle(played, OneGuessRiddle);
    ASSERT_TRUE(played.SetValue(SdkDigit9, 0, 0));
    ASSERT_TRUE(played.Solve(-1, true, TString()));
    EXPECT_EQ(played.GetBtStepsOnCreation(), -1);
}

TEST(SolverStep, SetsTheFirstSingleAndReportsIt)
{
    Sudoku game;
    LoadRiddle(game, SinglesRiddle);
    EventLog log(game);
    bool error = true;
    SdkDigit digit = SdkDigitEmpty;
    unsigned row = 99, col = 99;
    ASSERT_TRUE(game.Step(error, digit, row, col, true));
    EXPECT_FALSE(error);
    EXPECT_EQ(game.GetField(row, col).GetValue(), digit);
    EXPECT_EQ(SinglesSolution[row * 9 + col], static_cast<char>('0' + digit));
    EXPECT_TRUE(game.GetField(row, col).IsLastChanged());
    EXPECT_EQ(game.GetUserStackCount(), 1u);
    ASSERT_EQ(log.Named(SDK_VALUE_SOLVED).size(), 1u);
    EXPECT_EQ(log.events[0].game, &game);

    // Stepping on to the end gives the solution; then there is nothing left.
    while (game.Step(error, digit, row, col, false))
        ;
    EXPECT_FALSE(error);
    EXPECT_EQ(Values(game), SinglesSolution);
    EXPECT_FALSE(game.Step(error, digit, row, col, true));
    EXPECT_FALSE(error);
    EXPECT_EQ(log.Named(SDK_VALUE_SOLVED).size(), 1u);
}

TEST(SolverStep, EmptyFieldWithoutCandidatesIsAnError)
{
    // Row 0 leaves only 9 for (0,8); column 8 holds a 9 already.
    Sudoku game;
    LoadRiddle(game, std::string("12345678.........9") + std::string(63, '.'));
    bool error = false;
    SdkDigit digit = SdkDigit5;
    unsigned row = 99, col = 99;
    EXPECT_FALSE(game.Step(error, digit, row, col, true));
    EXPECT_TRUE(error);
    EXPECT_EQ(row, 0u);
    EXPECT_EQ(col, 8u);
    EXPECT_EQ(digit, SdkDigitEmpty);
}
