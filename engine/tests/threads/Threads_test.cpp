// The worker thread: threaded solves, the solution playback, threaded creation,
// cancelling and the refusals while a worker runs. Every wait has a time limit: the
// test's own polls here, ctest's for the calls that wait for a worker.
#include "../SdkTestUtil.h"

#include <atomic>
#include <chrono>

namespace {
// Polls like the program's timer does, reading the records as it goes, for at most 30 s.
bool WaitForWorker(const Sudoku &game)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    unsigned row = 0, col = 0;
    while (game.IsThreadRunning() && std::chrono::steady_clock::now() < end) {
        (void)(game.WasSolveSuccessful() + game.HasSolveError(row, col) + game.GetSolveBtStep() +
               game.WasCreateGameSuccessful() + game.GetUserStackCount());
        CurrentOS->Sleep(1);
    }
    return !game.IsThreadRunning();
}

} // namespace

// The record answers nothing while the worker runs, neither the worker's listeners nor
// the polling window, then the outcome. Its events equal those of a solve on the
// caller's thread (see the solver's tests).
TEST(ThreadSolve, AnswersNothingWhileRunningThenItsOutcome)
{
    for (bool cancel : {false, true}) {
        Sudoku game;
        StartRiddle(game, kHard);
        const std::string before = Values(game);
        auto answers = [&game] {
            unsigned row = 0, col = 0;
            return game.WasSolveSuccessful() + game.WasSolveCancelled() +
                   game.HasSolveError(row, col) + (game.GetSolveBtStep() != -1);
        };
        std::atomic<int> wrong{0};
        EventRecorder rec;
        rec.onEvent = [&](const std::string &l) {
            wrong += answers() + (!game.IsSolving() || game.IsViewing() || game.IsCreating());
            if (cancel && l.rfind("TEST", 0) == 0)
                game.CancelThread();
        };
        rec.Attach(game);
        ASSERT_TRUE(game.ThreadSolve(-1, true, ""));
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        // How often the loop gets to ask depends on the machine's load: possibly never.
        while (game.IsThreadRunning() && std::chrono::steady_clock::now() < end) {
            const int answered = answers();
            // The worker may end between two questions; one still running after them
            // was running for all of them.
            wrong += game.IsThreadRunning() ? answered : 0;
        }
        ASSERT_FALSE(game.IsThreadRunning());
        EXPECT_EQ(wrong.load(), 0);
        unsigned row = 0, col = 0;
        EXPECT_FALSE(game.HasSolveError(row, col) || game.IsSolving()) << cancel;
        EXPECT_EQ(game.IsThreadCancelled() + game.WasSolveCancelled() * 10 +
                      game.WasSolveSuccessful() * 100,
                  cancel ? 11 : 100);
        EXPECT_EQ(game.GetSolutionStackCount(), cancel ? 0u : 60u);
        EXPECT_EQ(Values(game), before);
        EXPECT_EQ(rec.Named("START").size(), rec.Named("END").size());
        if (!cancel) {
            EXPECT_EQ(game.GetSolveBtStep(), 14);
            continue;
        }
        // One trial, then every open level ends as failed.
        EXPECT_EQ(rec.Named("TEST").size(), 1u);
        EXPECT_EQ(rec.Named("").back(), "END_SOLVING no 0 d0 00 L1");
    }
}

TEST(Worker, StartsAndResetsAreRefusedWhileAWorkerRuns)
{
    Sudoku game;
    StartRiddle(game);
    ASSERT_TRUE(game.Solve(-1, true, ""));
    const std::string before = Values(game);
    game.Lock(); // keeps the worker from even starting its work
    ASSERT_TRUE(game.ThreadSolve(-1, true, ""));
    EXPECT_TRUE(game.IsThreadRunning());
    unsigned row = 0, col = 0;
    EXPECT_FALSE(game.ThreadSolve(-1, true, "") || game.RunSolution() ||
                 game.ThreadCreateGame(30, 10, 0, -1, 0) || game.CreateGame(30, 10, 0, -1, 0) ||
                 game.Solve(-1, true, "") || game.StartGame(false, false, true) || game.Reset());
    EXPECT_FALSE(game.WasSolveSuccessful() || game.HasSolveError(row, col));
    EXPECT_EQ(game.GetSolveBtStep(), -1);
    EXPECT_EQ(Values(game), before);
    game.Release();
    ASSERT_TRUE(WaitForWorker(game));
    EXPECT_TRUE(game.WasSolveSuccessful());
}

TEST(RunSolution, PlaysRecordsSkipsAndStops)
{
    Sudoku game;
    StartRiddle(game, kHard);
    EXPECT_FALSE(game.RunSolution()); // nothing recorded yet
    ASSERT_TRUE(game.Solve(-1, true, ""));
    const unsigned steps = game.GetSolutionStackCount();
    const std::string solved = SolvedValues(game);
    SdkSolvedField e;
    struct Case
    {
        const char *what;
        unsigned played; // moves of the solution already on the board
        int cancelAfter; // events before a cancel, -1 for none
        uint16_t delay;
        unsigned applied; // moves in the history at the end
    } cases[] = {{"whole solution", 0, -1, 0, steps},
                 {"three moves already played", 3, -1, 0, steps},
                 {"cancel in the first step", 0, 1, 2, 1},
                 {"cancel after three steps", 0, 3, 1, 3},
                 {"delay dropped to 0 after the first step", 0, -1, 500, steps}};
    for (const Case &c : cases) {
        Sudoku g(game);
        for (unsigned i = 0; i < c.played; ++i)
            ASSERT_TRUE(g.GetSolution(i, e) && g.SetValue(e.GetValue(), e.GetRow(), e.GetColumn()));
        g.SetDelayMs(c.delay);
        EventRecorder rec;
        std::atomic<int> notViewing{0}, events{0};
        rec.onEvent = [&](const std::string &) {
            notViewing += !g.IsViewing();
            g.SetDelayMs(c.delay > 100 ? 0 : c.delay);
            if (++events == c.cancelAfter)
                g.CancelThread();
        };
        rec.Attach(g);
        ASSERT_TRUE(g.RunSolution()) << c.what;
        ASSERT_TRUE(WaitForWorker(g)) << c.what;
        EXPECT_TRUE(notViewing.load() == 0 && !g.IsViewing()) << c.what;
        EXPECT_EQ(rec.Named("VALUE_SOLVED ok").size(), c.applied - c.played) << c.what;
        EXPECT_EQ(g.GetUserStackCount() * 1000 + g.GetUserStackPtr(), c.applied * 1001) << c.what;
        SdkSolvedField played;
        for (unsigned i = 0; g.GetUserStack(i, played); ++i)
            EXPECT_TRUE(g.GetSolution(i, e) && played == e) << c.what << " " << i;
        EXPECT_EQ(Values(g) == solved, c.applied == steps) << c.what;
        EXPECT_EQ(g.IsThreadCancelled(), c.cancelAfter > 0);
        if (c.cancelAfter > 0) {
            // The flag belongs to the ended worker, not to a later solve.
            EXPECT_TRUE(g.Solve(-1, false, ""));
            EXPECT_FALSE(g.WasSolveCancelled());
        }
    }
    // The pause between changing steps: cancelled from outside after three steps,
    // the playback has not reached its end.
    Sudoku p(game);
    p.SetDelayMs(50);
    ASSERT_TRUE(p.RunSolution());
    for (int ms = 0; p.GetUserStackCount() < 3 && ms < 30000; ++ms)
        CurrentOS->Sleep(1);
    p.CancelThread();
    ASSERT_TRUE(WaitForWorker(p));
    EXPECT_LT(p.GetUserStackCount(), steps);
}

// Creation's outcomes are tested on the caller's thread; here its worker.
TEST(ThreadCreateGame, ReportsAttemptsAndHonoursCancel)
{
    Sudoku game;
    EXPECT_FALSE(game.ThreadCreateGame(0, 5, 0, -1, 0) || game.ThreadCreateGame(30, 0, 0, -1, 0) ||
                 game.IsThreadRunning());
    // No riddle needs 80 guesses: attempts go on until the cancel after this event.
    for (const char *cancelOn : {"TRY_CREATED_GAME ok 2 d0 00 L0", "START_SOLVING ok 0 d0 00 L1"}) {
        Sudoku g;
        EventRecorder rec;
        std::atomic<unsigned> seen{0}, lockedFixes{0};
        rec.onEvent = [&](const std::string &l) {
            if (l.rfind("TRY", 0) == 0) {
                // A listener may lock the game; the record answers only at the end.
                g.Lock();
                lockedFixes = g.GetFixCount();
                seen +=
                    g.IsCreating() && !g.WasCreateGameCancelled() && !g.WasCreateGameSuccessful();
                g.Release();
            }
            if (l == cancelOn)
                g.CancelThread();
        };
        rec.Attach(g);
        ASSERT_TRUE(g.ThreadCreateGame(25, 100000, 80, -1, 0));
        ASSERT_TRUE(WaitForWorker(g));
        EXPECT_TRUE(g.WasCreateGameCancelled() && !g.WasCreateGameSuccessful() && !g.IsCreating());
        EXPECT_EQ(g.GetFixCount() + g.GetCreateGameSuccessAttempt(), 0u);
        EXPECT_EQ(g.GetCreateGameBtStep(), -1);
        EXPECT_EQ(lockedFixes.load(), 25u);
        unsigned attempts = 0;
        bool cancelled = false; // no attempt follows the cancelled one
        for (const std::string &l : rec.Named("")) {
            if (l.rfind("TRY", 0) == 0) {
                EXPECT_FALSE(cancelled) << l;
                EXPECT_EQ(l, "TRY_CREATED_GAME ok " + std::to_string(++attempts) + " d0 00 L0");
            }
            cancelled = cancelled || l == cancelOn;
        }
        EXPECT_EQ(seen.load(), attempts);
        EXPECT_GE(attempts, cancelOn[0] == 'T' ? 2u : 1u);
    }
}

TEST(Worker, StopsAndDestructionWaitForTheWorker)
{
    Sudoku game;
    StartRiddle(game, kHard);
    for (int round = 0; round < 20; ++round) {
        ASSERT_TRUE(game.ThreadSolve(-1, true, ""));
        if (round % 3 == 0)
            game.CancelThread();
        if (round % 3 == 1)
            game.StopThread();
        ASSERT_TRUE(WaitForWorker(game));
        EXPECT_FALSE(game.IsSolving());
        // A solve quick enough to end before the cancel is a success.
        EXPECT_NE(game.WasSolveSuccessful(), game.WasSolveCancelled());
        EXPECT_TRUE(game.WasSolveSuccessful() || round % 3 != 2);
    }
    ASSERT_TRUE(game.Solve(-1, true, ""));
    for (int round = 0; round < 10; ++round) {
        auto solving = std::make_unique<Sudoku>(game);
        ASSERT_TRUE(solving->ThreadSolve(-1, true, ""));
        auto creating = std::make_unique<Sudoku>();
        ASSERT_TRUE(creating->ThreadCreateGame(25, 100000, 80, -1, 0));
        auto viewing = std::make_unique<Sudoku>(game);
        viewing->SetDelayMs(1);
        ASSERT_TRUE(viewing->RunSolution());
        if (round % 2)
            CurrentOS->Sleep(1);
        solving.reset(), creating.reset(), viewing.reset();
    }
}
