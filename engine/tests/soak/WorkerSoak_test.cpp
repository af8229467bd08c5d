// A thousand starts of each kind of worker, ended every way the program ends one: cancelled and
// waited for, stopped, or destroyed with the game. Close requests arrive while the worker runs,
// as the window's close handler and timer make them: they poll, are refused, and the window's
// destruction then stops the worker. Under the thread sanitizer any unordered access fails the
// run; a worker that does not end fails its bounded wait.
#include "ThreadsTestUtil.h"

#include <atomic>
#include <chrono>
#include <memory>

using namespace ThreadsTest;

namespace {

constexpr int Cycles = 1000;

enum class Ending { CancelAndWait, Stop, Destroy };

Ending EndingOf(int cycle)
{
    return static_cast<Ending>(cycle % 3);
}

bool WaitBounded(const Sudoku &game)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (game.IsThreadRunning()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        CurrentOS->Sleep(0);
    }
    return true;
}

// What the window does on a close request while a worker runs: it looks at the worker and the
// records, changes the delay from the speed bar, and refuses.
bool CloseRequestRefused(Sudoku &game)
{
    unsigned row = 0, col = 0;
    const bool running = game.IsThreadRunning();
    (void)game.IsSolving();
    (void)game.IsViewing();
    (void)game.IsCreating();
    (void)game.WasSolveSuccessful();
    (void)game.HasSolveError(row, col);
    (void)game.WasCreateGameSuccessful();
    game.SetDelayMs(static_cast<uint16_t>(game.GetDelayMs() ^ 1));
    game.Lock();
    (void)game.GetField(4, 4);
    game.Release();
    return running;
}

// The window's listeners take the game's lock to store what an event says.
struct LockingListener
{
    std::atomic<unsigned> events{0};
    void Attach(Sudoku &game)
    {
        for (const char *name : {SDK_START_SOLVING, SDK_END_SOLVING, SDK_TEST_VALUE,
                                 SDK_VALUE_SOLVED, SDK_TRY_CREATED_GAME})
            game.MVC().AddNotification(name, this, [this, &game](TMvcParam &) {
                game.Lock();
                ++events;
                game.Release();
                return true;
            });
    }
};

// Ends the running worker the way the cycle says; false when it did not end in time.
bool End(std::unique_ptr<Sudoku> &game, Ending ending)
{
    switch (ending) {
    case Ending::CancelAndWait:
        game->CancelThread();
        return WaitBounded(*game);
    case Ending::Stop:
        game->StopThread();
        return !game->IsThreadRunning();
    case Ending::Destroy:
        game.reset();
        return true;
    }
    return false;
}

class WorkerSoak : public testing::Test
{
protected:
    void SetUp() override
    {
        LoadRiddle(riddle, HardRiddle);
        solved = riddle;
        ASSERT_TRUE(solved.Solve(-1, true, ""));
        ASSERT_GT(solved.GetSolutionStackCount(), 0u);
    }

    Sudoku riddle;
    Sudoku solved;
};

} // namespace

TEST_F(WorkerSoak, SolveStartedAndEndedEveryWay)
{
    const std::string before = Values(riddle);
    for (int cycle = 0; cycle < Cycles; ++cycle) {
        auto game = std::make_unique<Sudoku>(riddle);
        LockingListener listener;
        listener.Attach(*game);
        ASSERT_TRUE(game->ThreadSolve(-1, true, "")) << "cycle " << cycle;
        const Ending ending = EndingOf(cycle);
        ASSERT_TRUE(End(game, ending)) << "cycle " << cycle;
        if (ending != Ending::Destroy) {
            EXPECT_NE(game->WasSolveSuccessful(), game->WasSolveCancelled()) << "cycle " << cycle;
            EXPECT_EQ(Values(*game), before);
        }
    }
}

TEST_F(WorkerSoak, CreationStartedAndEndedEveryWay)
{
    for (int cycle = 0; cycle < Cycles; ++cycle) {
        auto game = std::make_unique<Sudoku>();
        LockingListener listener;
        listener.Attach(*game);
        // No riddle needs 80 nested guesses: only the ending ends it.
        ASSERT_TRUE(game->ThreadCreateGame(25, 100000, 80, -1, 0)) << "cycle " << cycle;
        const Ending ending = EndingOf(cycle);
        ASSERT_TRUE(End(game, ending)) << "cycle " << cycle;
        if (ending != Ending::Destroy) {
            EXPECT_TRUE(game->WasCreateGameCancelled()) << "cycle " << cycle;
            EXPECT_EQ(game->GetFixCount(), 0u);
        }
    }
}

TEST_F(WorkerSoak, PlaybackStartedAndEndedEveryWay)
{
    for (int cycle = 0; cycle < Cycles; ++cycle) {
        auto game = std::make_unique<Sudoku>(solved);
        LockingListener listener;
        listener.Attach(*game);
        game->SetDelayMs(static_cast<uint16_t>(cycle % 2));
        ASSERT_TRUE(game->RunSolution()) << "cycle " << cycle;
        const Ending ending = EndingOf(cycle);
        ASSERT_TRUE(End(game, ending)) << "cycle " << cycle;
        if (ending != Ending::Destroy) {
            EXPECT_FALSE(game->IsViewing());
            // Every step played so far is a step of the solution, and recorded.
            EXPECT_EQ(game->GetUserStackCount(), game->GetSolvedCount());
        }
    }
}

TEST_F(WorkerSoak, CloseRequestsWhileEachKindOfWorkerRuns)
{
    for (int cycle = 0; cycle < Cycles; ++cycle) {
        const int kind = cycle % 3;
        auto game = std::make_unique<Sudoku>(kind == 0 ? riddle : kind == 1 ? Sudoku() : solved);
        LockingListener listener;
        listener.Attach(*game);
        game->SetDelayMs(1);
        if (kind == 0)
            ASSERT_TRUE(game->ThreadSolve(-1, true, ""));
        else if (kind == 1)
            ASSERT_TRUE(game->ThreadCreateGame(25, 100000, 80, -1, 0));
        else
            ASSERT_TRUE(game->RunSolution());
        for (int request = 0; request < 3; ++request)
            (void)CloseRequestRefused(*game);
        // The request that finally closes: the window's destruction stops the worker.
        game->StopThread();
        EXPECT_FALSE(game->IsThreadRunning()) << "cycle " << cycle;
        EXPECT_FALSE(CloseRequestRefused(*game));
    }
}
