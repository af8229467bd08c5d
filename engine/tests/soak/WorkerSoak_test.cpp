// A thousand starts of each kind of worker, ended every way the program ends one: cancelled and
// waited for, stopped, or destroyed with the game. Close requests arrive while the worker runs,
// as the window's close handler and timer make them: they poll, are refused, and the window's
// destruction then stops the worker. Under the thread sanitizer any unordered access fails the
// run; a worker that does not end fails its bounded wait.
#include "../SdkTestUtil.h"

#include <chrono>
#include <memory>

namespace {

constexpr int Cycles = 1000;
enum Kind { Solve, Create, Playback };

bool WaitBounded(const Sudoku &game)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (game.IsThreadRunning() && std::chrono::steady_clock::now() < deadline)
        CurrentOS->Sleep(0);
    return !game.IsThreadRunning();
}

// What the window does on a close request while a worker runs: it looks at the worker and the
// records, changes the delay from the speed bar, and refuses.
bool CloseRequestRefused(Sudoku &game)
{
    unsigned row = 0, col = 0;
    const bool running = game.IsThreadRunning();
    (void)(game.IsSolving() + game.IsViewing() + game.IsCreating() + game.WasSolveSuccessful() +
           game.HasSolveError(row, col) + game.WasCreateGameSuccessful());
    game.SetDelayMs(static_cast<uint16_t>(game.GetDelayMs() ^ 1));
    game.Lock();
    (void)game.GetField(4, 4);
    game.Release();
    return running;
}

class WorkerSoak : public testing::Test
{
protected:
    void SetUp() override
    {
        StartRiddle(riddle, kHard);
        solved = riddle;
        ASSERT_TRUE(solved.Solve(-1, true, ""));
    }
    // A game running a worker of that kind; its listeners take the game's lock to store what
    // an event says, as the window's do.
    std::unique_ptr<Sudoku> Start(Kind kind, uint16_t delay)
    {
        auto game = std::make_unique<Sudoku>(kind == Solve    ? riddle
                                             : kind == Create ? Sudoku()
                                                              : solved);
        for (const char *name : {SDK_START_SOLVING, SDK_END_SOLVING, SDK_TEST_VALUE,
                                 SDK_VALUE_SOLVED, SDK_TRY_CREATED_GAME})
            game->MVC().AddNotification(name, this, [g = game.get()](TMvcParam &) {
                g->Lock();
                g->Release();
                return true;
            });
        game->SetDelayMs(delay);
        EXPECT_TRUE(kind == Solve    ? game->ThreadSolve(-1, true, "")
                    : kind == Create ? game->ThreadCreateGame(25, 100000, 80, -1, 0)
                                     : game->RunSolution());
        return game;
    }
    Sudoku riddle, solved;
};

} // namespace

TEST_F(WorkerSoak, EachKindStartedAskedToCloseAndEndedEveryWay)
{
    for (Kind kind : {Solve, Create, Playback})
        for (int cycle = 0; cycle < Cycles; ++cycle) {
            SCOPED_TRACE("kind " + std::to_string(kind) + ", cycle " + std::to_string(cycle));
            auto game = Start(kind, static_cast<uint16_t>(cycle % 2));
            for (int request = 0; request < 3; ++request)
                (void)CloseRequestRefused(*game);
            if (cycle % 3 == 2)
                continue; // destroyed with the game, as the window's destruction does
            if (cycle % 3 == 0) {
                game->CancelThread();
                ASSERT_TRUE(WaitBounded(*game));
            } else {
                game->StopThread();
                ASSERT_FALSE(game->IsThreadRunning());
            }
            EXPECT_FALSE(CloseRequestRefused(*game));
            if (kind == Solve) {
                EXPECT_NE(game->WasSolveSuccessful(), game->WasSolveCancelled());
                EXPECT_EQ(Values(*game), Values(riddle));
            } else if (kind == Create) {
                // No riddle needs 80 nested guesses: only the ending ends it.
                EXPECT_TRUE(game->WasCreateGameCancelled());
                EXPECT_EQ(game->GetFixCount(), 0u);
            } else {
                // Every step played so far is a step of the solution, and recorded.
                EXPECT_FALSE(game->IsViewing());
                EXPECT_EQ(game->GetUserStackCount(), game->GetSolvedCount());
            }
        }
}
