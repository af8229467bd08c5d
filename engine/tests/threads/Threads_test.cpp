#include "ThreadsTestUtil.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>

using namespace ThreadsTest;

namespace {

// Balanced START/END pairs per level, each nested level opened right after a tried digit.
void ExpectWellNestedSolve(const std::vector<Event> &events)
{
    int depth = 0;
    std::string previous;
    for (const Event &e : events) {
        if (e.name == SDK_START_SOLVING) {
            EXPECT_EQ(e.level, depth + 1);
            if (depth > 0) {
                EXPECT_EQ(previous, SDK_TEST_VALUE);
            }
            ++depth;
        } else if (e.name == SDK_END_SOLVING) {
            EXPECT_EQ(e.level, depth);
            --depth;
        } else if (e.name == SDK_TEST_VALUE) {
            EXPECT_GE(depth, 1);
        }
        previous = e.name;
    }
    EXPECT_EQ(depth, 0);
}

std::string SolutionOf(const char *riddle)
{
    Sudoku game;
    LoadRiddle(game, riddle);
    EXPECT_TRUE(game.Solve(-1, true, ""));
    Sudoku played(game);
    SdkSolvedField e;
    for (unsigned i = 0; game.GetSolution(i, e); ++i)
        EXPECT_TRUE(played.SetValue(e.GetValue(), e.GetRow(), e.GetColumn()));
    return Values(played);
}

} // namespace

TEST(ThreadSolve, DirectStepsReportOneLevelWithEveryStep)
{
    Sudoku game;
    LoadRiddle(game, EasyRiddle);
    std::atomic<bool> solvingSeen{false};
    Recorder rec;
    rec.onEvent = [&](const Event &e, SdkParam &) {
        if (e.name == SDK_START_SOLVING)
            solvingSeen = game.IsSolving() && !game.IsViewing() && !game.IsCreating();
    };
    rec.Attach(game);
    std::string before = Values(game);

    ASSERT_TRUE(game.ThreadSolve(-1, false, ""));
    WaitForWorker(game);
    EXPECT_TRUE(solvingSeen.load());

    std::vector<Event> events = rec.Events();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events.front().name, SDK_START_SOLVING);
    EXPECT_EQ(events.front().level, 1);
    EXPECT_EQ(events.back().name, SDK_END_SOLVING);
    EXPECT_EQ(events.back().level, 1);
    EXPECT_TRUE(events.back().success);
    size_t empty = std::count(before.begin(), before.end(), '.');
    ASSERT_EQ(events.size(), empty + 2);
    for (size_t i = 1; i + 1 < events.size(); ++i) {
        EXPECT_EQ(events[i].name, SDK_VALUE_SOLVED);
        EXPECT_TRUE(events[i].success);
        EXPECT_NE(events[i].digit, SdkDigitEmpty);
    }
    EXPECT_TRUE(game.WasSolveSuccessful());
    EXPECT_EQ(game.GetSolveBtStep(), 0);
    EXPECT_EQ(game.GetSolutionStackCount(), empty);
    EXPECT_EQ(Values(game), before) << "a solve never changes the game";
    EXPECT_FALSE(game.IsSolving());
}

TEST(ThreadSolve, GuessesNestALevelPerTriedDigit)
{
    Sudoku game;
    LoadRiddle(game, HardRiddle);
    Recorder rec;
    rec.Attach(game);

    ASSERT_TRUE(game.ThreadSolve(-1, true, ""));
    WaitForWorker(game);

    std::vector<Event> events = rec.Events();
    EXPECT_GT(rec.Count(SDK_TEST_VALUE), 0u);
    EXPECT_GT(rec.Count(SDK_START_SOLVING), 1u);
    ExpectWellNestedSolve(events);
    ASSERT_FALSE(events.empty());
    EXPECT_TRUE(events.back().success);
    EXPECT_TRUE(game.WasSolveSuccessful());
    EXPECT_GT(game.GetSolveBtStep(), 0);
}

TEST(ThreadSolve, EmptyGridSolvesWithinTheWorkerStack)
{
    // The deepest recursion there is: one guess level per empty field at most.
    Sudoku game;
    ASSERT_TRUE(game.ThreadSolve(-1, true, ""));
    WaitForWorker(game);
    ASSERT_TRUE(game.WasSolveSuccessful());
    EXPECT_EQ(game.GetSolutionStackCount(), 81u);
    EXPECT_GT(game.GetSolveBtStep(), 0);
}

TEST(ThreadSolve, CancelInsideTheSolveLeavesTheGameUnchanged)
{
    Sudoku game;
    LoadRiddle(game, HardRiddle);
    std::string before = Values(game);
    Recorder rec;
    rec.onEvent = [&game](const Event &e, SdkParam &) {
        if (e.name == SDK_TEST_VALUE)
            game.CancelThread();
    };
    rec.Attach(game);

    ASSERT_TRUE(game.ThreadSolve(-1, true, ""));
    WaitForWorker(game);

    EXPECT_TRUE(game.IsThreadCancelled());
    EXPECT_TRUE(game.WasSolveCancelled());
    EXPECT_FALSE(game.WasSolveSuccessful());
    EXPECT_EQ(game.GetSolutionStackCount(), 0u);
    EXPECT_EQ(Values(game), before);
    ExpectWellNestedSolve(rec.Events());
}

TEST(ThreadSolve, QueriesAnswerNothingWhileTheSolveRuns)
{
    Sudoku game;
    LoadRiddle(game, EasyRiddle);
    ASSERT_TRUE(game.Solve(-1, true, ""));
    ASSERT_TRUE(game.WasSolveSuccessful());

    // Holding the lock keeps the worker from even starting its work.
    game.Lock();
    ASSERT_TRUE(game.ThreadSolve(-1, true, ""));
    EXPECT_TRUE(game.IsThreadRunning());
    EXPECT_FALSE(game.WasSolveSuccessful());
    EXPECT_EQ(game.GetSolveBtStep(), -1);
    game.Release();
    WaitForWorker(game);
    EXPECT_TRUE(game.WasSolveSuccessful());
}

TEST(Worker, StartsAreRefusedWhileAWorkerRuns)
{
    Sudoku game;
    LoadRiddle(game, EasyRiddle);
    ASSERT_TRUE(game.Solve(-1, true, ""));
    std::string before = Values(game);

    game.Lock();
    ASSERT_TRUE(game.ThreadSolve(-1, true, ""));
    EXPECT_FALSE(game.ThreadSolve(-1, true, ""));
    EXPECT_FALSE(game.RunSolution()) << "the solve is still running";
    EXPECT_FALSE(game.ThreadCreateGame(30, 10, 0, -1, 0));
    EXPECT_FALSE(game.CreateGame(30, 10, 0, -1, 0));
    EXPECT_FALSE(game.Solve(-1, true, ""));
    EXPECT_FALSE(game.StartGame(false, false, true));
    EXPECT_FALSE(game.Reset());
    EXPECT_EQ(Values(game), before);
    game.Release();
    WaitForWorker(game);
    EXPECT_TRUE(game.WasSolveSuccessful());
}

TEST(RunSolution, RefusedWithoutARecordedSolution)
{
    Sudoku game;
    LoadRiddle(game, EasyRiddle);
    EXPECT_FALSE(game.RunSolution());
    EXPECT_FALSE(game.IsThreadRunning());

    // A completed game solves without a single move: no solved stack.
    Sudoku done;
    LoadRiddle(done, SolutionOf(EasyRiddle));
    EXPECT_TRUE(done.Solve(-1, true, ""));
    EXPECT_EQ(done.GetSolutionStackCount(), 0u);
    EXPECT_FALSE(done.RunSolution());
    EXPECT_FALSE(done.IsThreadRunning());
}

TEST(RunSolution, PlaysTheWholeSolutionAndRecordsEachStep)
{
    Sudoku game;
    LoadRiddle(game, HardRiddle);
    ASSERT_TRUE(game.Solve(-1, true, ""));
    unsigned steps = game.GetSolutionStackCount();
    ASSERT_GT(steps, 0u);
    std::atomic<int> viewingSeen{0};
    Recorder rec;
    rec.onEvent = [&](const Event &e, SdkParam &) {
        if (e.name == SDK_VALUE_SOLVED && game.IsViewing())
            ++viewingSeen;
    };
    rec.Attach(game);

    ASSERT_TRUE(game.RunSolution());
    WaitForWorker(game);

    EXPECT_FALSE(game.IsViewing());
    EXPECT_TRUE(game.IsCompleted());
    EXPECT_EQ(Values(game), SolutionOf(HardRiddle));
    EXPECT_EQ(rec.Count(SDK_VALUE_SOLVED), steps);
    EXPECT_EQ(viewingSeen.load(), int(steps));
    EXPECT_EQ(game.GetUserStackCount(), steps);
    SdkSolvedField played, solved;
    for (unsigned i = 0; i < steps; ++i) {
        ASSERT_TRUE(game.GetUserStack(i, played));
        ASSERT_TRUE(game.GetSolution(i, solved));
        EXPECT_EQ(played, solved);
    }
}

TEST(RunSolution, SkipsMovesAlreadyOnTheBoard)
{
    Sudoku game;
    LoadRiddle(game, EasyRiddle);
    ASSERT_TRUE(game.Solve(-1, true, ""));
    unsigned steps = game.GetSolutionStackCount();
    SdkSolvedField e;
    for (unsigned i = 0; i < 3; ++i) {
        ASSERT_TRUE(game.GetSolution(i, e));
        ASSERT_TRUE(game.SetValue(e.GetValue(), e.GetRow(), e.GetColumn()));
    }
    // Keeping the played values, the solved stack starts with those three moves.
    ASSERT_TRUE(game.Solve(-1, false, ""));
    ASSERT_EQ(game.GetSolutionStackCount(), steps);
    Recorder rec;
    rec.Attach(game);

    ASSERT_TRUE(game.RunSolution());
    WaitForWorker(game);

    EXPECT_EQ(rec.Count(SDK_VALUE_SOLVED), steps - 3);
    EXPECT_EQ(game.GetUserStackCount(), steps);
    EXPECT_EQ(game.GetUserStackPtr(), steps);
    EXPECT_TRUE(game.IsCompleted());
}

TEST(RunSolution, CancelKeepsTheStepsAppliedSoFar)
{
    Sudoku game;
    LoadRiddle(game, HardRiddle);
    ASSERT_TRUE(game.Solve(-1, true, ""));
    unsigned steps = game.GetSolutionStackCount();
    game.SetDelayMs(2);
    Recorder rec;
    rec.onEvent = [&game](const Event &e, SdkParam &) {
        if (e.name == SDK_VALUE_SOLVED && e.row < 9)
            game.CancelThread();
    };
    rec.Attach(game);

    ASSERT_TRUE(game.RunSolution());
    WaitForWorker(game);

    // Cancelled right in the first step: it ends after that step.
    EXPECT_EQ(rec.Count(SDK_VALUE_SOLVED), 1u);
    EXPECT_LT(game.GetUserStackCount(), steps);
    EXPECT_EQ(game.GetUserStackCount(), 1u);
    SdkSolvedField played, solved;
    ASSERT_TRUE(game.GetUserStack(0, played));
    ASSERT_TRUE(game.GetSolution(0, solved));
    EXPECT_EQ(played, solved);
    EXPECT_FALSE(game.IsViewing());
}

TEST(RunSolution, SolveAfterACancelledPlaybackIsNotCancelled)
{
    Sudoku game;
    LoadRiddle(game, HardRiddle);
    ASSERT_TRUE(game.Solve(-1, true, ""));
    Recorder rec;
    rec.onEvent = [&game](const Event &e, SdkParam &) {
        if (e.name == SDK_VALUE_SOLVED)
            game.CancelThread();
    };
    rec.Attach(game);
    ASSERT_TRUE(game.RunSolution());
    WaitForWorker(game);
    ASSERT_TRUE(game.IsThreadCancelled()) << "the program reads the flag after the end";

    // The flag belongs to the ended worker, not to a solve on the caller's thread.
    EXPECT_TRUE(game.Solve(-1, false, ""));
    EXPECT_FALSE(game.WasSolveCancelled());
}

TEST(RunSolution, CancelFromOutsideDuringThePause)
{
    Sudoku game;
    LoadRiddle(game, HardRiddle);
    ASSERT_TRUE(game.Solve(-1, true, ""));
    unsigned steps = game.GetSolutionStackCount();
    game.SetDelayMs(5);
    Recorder rec;
    rec.Attach(game);

    ASSERT_TRUE(game.RunSolution());
    ASSERT_TRUE(rec.WaitFor(game, SDK_VALUE_SOLVED, 3));
    game.CancelThread();
    WaitForWorker(game);

    unsigned applied = game.GetUserStackCount();
    EXPECT_GE(applied, 3u);
    EXPECT_LT(applied, steps);
    EXPECT_EQ(rec.Count(SDK_VALUE_SOLVED), applied);
    SdkSolvedField played, solved;
    for (unsigned i = 0; i < applied; ++i) {
        ASSERT_TRUE(game.GetUserStack(i, played));
        ASSERT_TRUE(game.GetSolution(i, solved));
        EXPECT_EQ(played, solved);
        EXPECT_EQ(game.GetField(played.GetRow(), played.GetColumn()).GetValue(), played.GetValue());
    }
}

TEST(RunSolution, DelayChangeTakesEffectAtTheNextStep)
{
    Sudoku game;
    LoadRiddle(game, HardRiddle);
    ASSERT_TRUE(game.Solve(-1, true, ""));
    unsigned steps = game.GetSolutionStackCount();
    // At this delay the playback would take half a minute; the change to 0 after
    // the first step must let it finish at once.
    game.SetDelayMs(500);
    Recorder rec;
    rec.onEvent = [&game](const Event &e, SdkParam &) {
        if (e.name == SDK_VALUE_SOLVED)
            game.SetDelayMs(0);
    };
    rec.Attach(game);

    ASSERT_TRUE(game.RunSolution());
    WaitForWorker(game);

    EXPECT_EQ(game.GetDelayMs(), 0);
    EXPECT_EQ(rec.Count(SDK_VALUE_SOLVED), steps);
    EXPECT_TRUE(game.IsCompleted());
}

TEST(ThreadCreateGame, RefusesZeroCountsAndStartsNothing)
{
    Sudoku game;
    EXPECT_FALSE(game.ThreadCreateGame(0, 5, 0, -1, 0));
    EXPECT_FALSE(game.IsThreadRunning());
    EXPECT_FALSE(game.ThreadCreateGame(30, 0, 0, -1, 0));
    EXPECT_FALSE(game.IsThreadRunning());
}

TEST(ThreadCreateGame, CreatesARiddleAndReportsEveryAttempt)
{
    Sudoku game;
    Recorder rec;
    rec.Attach(game);
    ASSERT_TRUE(game.ThreadCreateGame(30, 1000, 0, -1, 0));
    WaitForWorker(game);

    ASSERT_TRUE(game.WasCreateGameSuccessful());
    EXPECT_FALSE(game.WasCreateGameCancelled());
    EXPECT_FALSE(game.IsCreating());
    EXPECT_EQ(game.GetFixCount(), 30u);
    EXPECT_EQ(game.GetSolvedCount(), 0u);
    EXPECT_GE(game.GetCreateGameBtStep(), 0);
    EXPECT_EQ(game.GetBtStepsOnCreation(), game.GetCreateGameBtStep());
    unsigned attempts = game.GetCreateGameSuccessAttempt();
    ASSERT_GE(attempts, 1u);
    EXPECT_EQ(rec.Count(SDK_TRY_CREATED_GAME), attempts);
    unsigned n = 0;
    for (const Event &e : rec.Events())
        if (e.name == SDK_TRY_CREATED_GAME) {
            EXPECT_EQ(e.changes, ++n);
        }
    EXPECT_TRUE(game.IsDefinitionChanged());
    EXPECT_TRUE(game.GetFileName().IsEmpty());
    EXPECT_EQ(game.GetUserStackCount(), 0u);
}

TEST(ThreadCreateGame, MeasuringSolveCountsTheGuesses)
{
    Sudoku game;
    // Unlimited depth: a depth limit may make the measuring solve find a shallower
    // second solution that an unlimited solve never reaches.
    ASSERT_TRUE(game.ThreadCreateGame(30, 1000, 1, -1, 5));
    WaitForWorker(game);
    ASSERT_TRUE(game.WasCreateGameSuccessful());
    int bt = game.GetCreateGameBtStep();
    EXPECT_GE(bt, 1);
    EXPECT_EQ(game.GetBtStepsOnCreation(), bt);
    ASSERT_TRUE(game.Solve(-1, true, ""));
    EXPECT_EQ(game.GetSolveBtStep(), bt);
}

TEST(ThreadCreateGame, CancelBetweenAttemptsLeavesAnEmptyGame)
{
    Sudoku game;
    Recorder rec;
    std::atomic<int> creatingSeen{0};
    rec.onEvent = [&](const Event &e, SdkParam &) {
        if (e.name != SDK_TRY_CREATED_GAME)
            return;
        // Only once the creation has ended does the record answer.
        if (game.IsCreating() && !game.WasCreateGameCancelled())
            ++creatingSeen;
        if (e.changes == 2)
            game.CancelThread();
    };
    rec.Attach(game);
    // No riddle needs 80 nested guesses: every attempt is rejected.
    ASSERT_TRUE(game.ThreadCreateGame(25, 100000, 80, -1, 0));
    WaitForWorker(game);

    EXPECT_TRUE(game.WasCreateGameCancelled());
    EXPECT_FALSE(game.WasCreateGameSuccessful());
    EXPECT_EQ(game.GetCreateGameBtStep(), -1);
    EXPECT_EQ(game.GetCreateGameSuccessAttempt(), 0u);
    EXPECT_EQ(game.GetFixCount(), 0u);
    EXPECT_EQ(rec.Count(SDK_TRY_CREATED_GAME), 2u);
    EXPECT_EQ(creatingSeen.load(), 2);
    EXPECT_FALSE(game.IsCreating());
}

TEST(ThreadCreateGame, CancelDuringTheMeasuringSolve)
{
    Sudoku game;
    Recorder rec;
    // The measuring copy's solver events reach the game's listeners.
    rec.onEvent = [&game](const Event &e, SdkParam &) {
        if (e.name == SDK_START_SOLVING)
            game.CancelThread();
    };
    rec.Attach(game);
    ASSERT_TRUE(game.ThreadCreateGame(25, 100000, 80, -1, 0));
    WaitForWorker(game);

    EXPECT_TRUE(game.WasCreateGameCancelled());
    EXPECT_FALSE(game.WasCreateGameSuccessful());
    EXPECT_EQ(game.GetFixCount(), 0u);
    // No attempt follows the one whose measurement was cancelled.
    bool measured = false;
    for (const Event &e : rec.Events()) {
        measured = measured || e.name == SDK_START_SOLVING;
        EXPECT_FALSE(measured && e.name == SDK_TRY_CREATED_GAME);
    }
    EXPECT_TRUE(measured);
}

TEST(ThreadCreateGame, ListenerThatLocksTheGameDoesNotBlockTheCreation)
{
    Sudoku game;
    std::atomic<unsigned> fixesSeen{0};
    Recorder rec;
    rec.onEvent = [&](const Event &e, SdkParam &) {
        game.Lock();
        if (e.name == SDK_TRY_CREATED_GAME)
            fixesSeen = game.GetFixCount();
        game.Release();
    };
    rec.Attach(game);
    ASSERT_TRUE(game.ThreadCreateGame(28, 1000, 1, -1, 0));
    WaitForWorker(game);
    ASSERT_TRUE(game.WasCreateGameSuccessful());
    EXPECT_EQ(fixesSeen.load(), 28u);

    // The same on the caller's thread, which holds the lock for the whole run.
    EXPECT_TRUE(game.CreateGame(28, 1000, 1, -1, 0));
    EXPECT_EQ(game.GetFixCount(), 28u);
}

TEST(Worker, DestroyingAGameWaitsForItsWorker)
{
    for (int round = 0; round < 20; ++round) {
        auto solving = std::make_unique<Sudoku>();
        LoadRiddle(*solving, HardRiddle);
        ASSERT_TRUE(solving->ThreadSolve(-1, true, ""));

        auto creating = std::make_unique<Sudoku>();
        ASSERT_TRUE(creating->ThreadCreateGame(25, 100000, 80, -1, 0));

        auto viewing = std::make_unique<Sudoku>();
        LoadRiddle(*viewing, HardRiddle);
        ASSERT_TRUE(viewing->Solve(-1, true, ""));
        viewing->SetDelayMs(1);
        ASSERT_TRUE(viewing->RunSolution());

        if (round % 2)
            CurrentOS->Sleep(1);
        solving.reset();
        creating.reset();
        viewing.reset();
    }
}

TEST(Worker, StartCancelRestartRepeatedly)
{
    Sudoku game;
    LoadRiddle(game, HardRiddle);
    for (int round = 0; round < 30; ++round) {
        ASSERT_TRUE(game.ThreadSolve(-1, true, ""));
        if (round % 3 == 0)
            game.CancelThread();
        if (round % 3 == 1)
            game.StopThread();
        WaitForWorker(game);
        EXPECT_FALSE(game.IsSolving());
        EXPECT_TRUE(game.WasSolveSuccessful() || game.WasSolveCancelled());
    }
    for (int round = 0; round < 10; ++round) {
        ASSERT_TRUE(game.StartGame(false, false, false));
        ASSERT_TRUE(game.ThreadSolve(-1, true, ""));
        WaitForWorker(game);
        ASSERT_TRUE(game.WasSolveSuccessful());
        ASSERT_TRUE(game.RunSolution());
        game.StopThread();
        EXPECT_FALSE(game.IsThreadRunning());
        EXPECT_FALSE(game.IsViewing());
    }
    for (int round = 0; round < 10; ++round) {
        ASSERT_TRUE(game.ThreadCreateGame(30, 1000, 0, -1, 0));
        game.StopThread();
        EXPECT_FALSE(game.IsCreating());
        EXPECT_TRUE(game.WasCreateGameSuccessful() || game.WasCreateGameCancelled());
    }
}

int main(int argc, char **argv)
{
    // Nothing here may reach the real user's settings or games.
    std::filesystem::path scratch =
        std::filesystem::temp_directory_path() / ("ninefold-threads-" + std::to_string(getpid()));
    std::filesystem::create_directories(scratch / "config");
    setenv("HOME", scratch.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1);
    testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
    return rc;
}
