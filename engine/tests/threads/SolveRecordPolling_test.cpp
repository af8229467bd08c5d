// The program's timer polls the solve record while the worker runs. Under the thread sanitizer
// these tests fail on any read of the worker's state that is not ordered by the engine lock.
#include "ThreadsTestUtil.h"

using namespace ThreadsTest;

namespace {

struct Poll
{
    bool success = false;
    bool cancelled = false;
    bool error = false;
    int btStep = 0;
};

Poll PollRecord(const Sudoku &game)
{
    Poll p;
    unsigned row = 0, col = 0;
    p.success = game.WasSolveSuccessful();
    p.cancelled = game.WasSolveCancelled();
    p.error = game.HasSolveError(row, col);
    p.btStep = game.GetSolveBtStep();
    return p;
}

} // namespace

TEST(SolveRecordPolling, AnswersNothingUntilTheSolveEndsThenItsOutcome)
{
    Sudoku game;
    LoadRiddle(game, HardRiddle);
    ASSERT_TRUE(game.ThreadSolve(-1, true, ""));
    unsigned polls = 0;
    while (game.IsThreadRunning()) {
        const Poll p = PollRecord(game);
        // The worker may end during the poll, between two of its questions; a worker still
        // running after the poll was running for all of them.
        if (game.IsThreadRunning()) {
            EXPECT_FALSE(p.success);
            EXPECT_FALSE(p.cancelled);
            EXPECT_FALSE(p.error);
            EXPECT_EQ(p.btStep, -1);
        }
        ++polls;
    }
    EXPECT_GT(polls, 0u);
    const Poll done = PollRecord(game);
    EXPECT_TRUE(done.success);
    EXPECT_FALSE(done.cancelled);
    EXPECT_GT(done.btStep, 0);
}

TEST(SolveRecordPolling, CancelledSolveIsReportedOnceTheWorkerEnds)
{
    Sudoku game;
    LoadRiddle(game, HardRiddle);
    ASSERT_TRUE(game.ThreadSolve(-1, true, ""));
    unsigned polls = 0;
    while (game.IsThreadRunning()) {
        if (++polls == 3)
            game.CancelThread();
        (void)PollRecord(game);
    }
    const Poll done = PollRecord(game);
    // A solve quick enough to finish before the cancel is a success.
    EXPECT_NE(done.success, done.cancelled);
}

TEST(SolveRecordPolling, DuringACreationTheRecordOfTheLastSolveStaysReadable)
{
    Sudoku game;
    LoadRiddle(game, EasyRiddle);
    ASSERT_TRUE(game.Solve(-1, true, ""));
    // No riddle needs 80 nested guesses: the creation runs until it is stopped.
    ASSERT_TRUE(game.ThreadCreateGame(25, 100000, 80, -1, 0));
    for (int i = 0; i < 200 && game.IsThreadRunning(); ++i)
        (void)PollRecord(game);
    game.StopThread();
    EXPECT_FALSE(game.IsThreadRunning());
    EXPECT_TRUE(game.WasCreateGameCancelled());
}
