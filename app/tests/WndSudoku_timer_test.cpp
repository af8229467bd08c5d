// The timer state machine, the notifications and the status line, driven tick by tick.
#include "SdkAppTestSupport.h"

#include <QAbstractSlider>

using namespace SdkTest;

using WndSudokuTimer = WndTest;

TEST_F(WndSudokuTimer, ThreadedSolveShowsProgressThenPlaysEveryStepBackAndEndsCompleted)
{
    const auto right = [this](const char *name) {
        QWidget *c = w->FindChild(name);
        return c->mapTo(w, QPoint(c->width(), 0)).x();
    };
    w->Game() = *SolutionWithout({0, 40, 80});
    ASSERT_TRUE(GatedSolve(*w));
    w->Game().SetDelayMs(600); // ample time to tick once per step
    Tick();
    EXPECT_EQ(Text("STAT_TITLE_RUNNING"), "|");
    EXPECT_EQ(Text("STAT_TITLE_LEVEL"), "   2");
    EXPECT_TRUE(w->FindChild("STAT_TITLE_LEVEL")->isVisible());
    // While a computation runs the title ends at the board; level and spinner stand beside it.
    EXPECT_EQ(right("STAT_TITLE"), right("DRAW"));
    EXPECT_EQ(Text("BT_SOLVE"), "&Cancel");
    EXPECT_FALSE(Enabled("BT_NEXT_STEP"));
    EXPECT_FALSE(w->FindAction("MN_SAVE_GAME")->isEnabled());
    SdkParam tested(w->Game(), true, 0, SdkDigit5, 3, 6);
    w->NotifyTestValue(tested);
    Tick(50); // too early for the next spinner step
    EXPECT_EQ(Text("STAT_TITLE_RUNNING"), "|");
    EXPECT_EQ(Text("STAT_TITLE_LEVEL"), "[4/7]:5 -    2");
    // The spinner turns every 200 ms.
    for (const auto &[advance, spinner] :
         {QPair(149, "|"), QPair(1, "/"), QPair(199, "/"), QPair(1, "--")}) {
        Tick(advance);
        EXPECT_EQ(Text("STAT_TITLE_RUNNING"), spinner) << now;
    }

    GateSolver::OpenGate();
    ASSERT_TRUE(WaitUntil([this] { return !w->Game().IsThreadRunning(); }));
    Tick();
    ASSERT_TRUE(w->HasTimerState(TS_SOLUTION));
    EXPECT_EQ(Text("STAT_TITLE"), "Viewing the solution steps ...");
    EXPECT_EQ(Text("STAT_STATUS"), "Viewing the solution steps started ...");
    QStringList steps;
    for (int i = 0; i < 20 && w->HasTimerState(TS_SOLUTION); ++i) {
        ASSERT_TRUE(WaitUntil(
            [this] { return !w->Game().IsThreadRunning() || WndSudokuPeer::HasPending(*w); }));
        const bool step = WndSudokuPeer::HasPending(*w);
        Tick();
        if (step) {
            steps << Text("STAT_STATUS");
            EXPECT_FALSE(w->FindChild("STAT_TITLE_LEVEL")->isVisible());
        }
    }
    ASSERT_FALSE(w->HasTimerState(TS_SOLUTION));
    steps.sort(); // the playback's order is the solver's
    EXPECT_EQ(steps, QStringList({"Value <5> set in field row/column: [1/1].",
                                  "Value <5> set in field row/column: [5/5].",
                                  "Value <9> set in field row/column: [9/9]."}));
    EXPECT_EQ(Text("STAT_TITLE"), "N I N E F O L D   S U D O K U  -  SUCCESSFULLY FINISHED!");
    EXPECT_EQ(Text("STAT_STATUS"), "The game has been successfully completed.");
    EXPECT_EQ(Text("BT_SOLVE"), "Co&mpute solution");
    EXPECT_EQ(right("STAT_TITLE"), right("STAT_STATE_CHANGED"));
}

// A solve that ends without a solution to play: cancelled by its button, or unsolvable.
TEST_F(WndSudokuTimer, SolveEndsWithoutPlaybackWhenCancelledOrUnsolvable)
{
    auto *solve = qobject_cast<QAbstractButton *>(w->FindChild("BT_SOLVE"));
    for (bool cancel : {true, false}) {
        if (cancel) {
            w->Game() = *SolutionWithout({0, 40});
            ASSERT_TRUE(GatedSolve(*w));
            solve->click();
            EXPECT_EQ(solve->text(), "Please wait ...");
            EXPECT_TRUE(w->Game().IsThreadCancelled());
            solve->click(); // nothing bound any more
            GateSolver::OpenGate();
        } else {
            // Row 0 holds 1 to 8 and column 8 the 9: field (0, 8) can take no digit.
            w->Game() = *MakeGame("12345678000000000000000000000000000000000000900000000000000000"
                                  "0000000000000000000");
            ASSERT_TRUE(w->Game().ThreadSolve(-1, false, ""));
            w->AddTimerState(TS_SOLVE);
        }
        ASSERT_TRUE(WaitUntil([this] { return !w->Game().IsThreadRunning(); }));
        Tick();
        EXPECT_EQ(Text("STAT_STATUS"),
                  cancel ? "The automated solution has been cancelled by the user."
                         : "ERROR: The game is unsolvable.");
        EXPECT_FALSE(w->HasTimerState(TS_SOLVE | TS_SOLUTION));
        EXPECT_EQ(solve->text(), "Co&mpute solution");
        EXPECT_EQ(VxLinks::BoundHandler(solve, VX_LINK_COMMAND), "WndSudoku::DoSolve");
        EXPECT_EQ(Text("STAT_TITLE"), "N I N E F O L D   S U D O K U");
    }
}

TEST_F(WndSudokuTimer, ScrollCodesMoveTheSpeedAndTheDelay)
{
    QWidget *bar = w->FindChild("SC_SOLUTION_SPEED");
    ASSERT_NE(bar, nullptr);
    // start, code, position, expected (-1: ignored)
    const std::tuple<int, int, int, int> cases[] = {
        {500, 0, 0, 1000}, {500, 1, 0, 0},    {995, 2, 0, 1000},  {500, 2, 0, 510},
        {5, 3, 0, 0},      {500, 3, 0, 490},  {950, 4, 0, 1000},  {500, 4, 0, 600},
        {50, 5, 0, 0},     {500, 5, 0, 400},  {500, 6, 300, 300}, {500, 7, 720, 720},
        {500, 7, -1, -1},  {500, 8, 100, -1},
    };
    for (const auto &[start, code, position, expected] : cases) {
        w->Game().SetDelayMs(uint16_t(1000 - start));
        w->EmptyStatus();
        VxEventWnd event(code, position);
        EXPECT_TRUE(VxLinks::Fire(bar, VX_LINK_SCROLL, event));
        const int speed = expected < 0 ? start : expected;
        EXPECT_EQ(1000 - w->Game().GetDelayMs(), speed) << code << " " << start;
        EXPECT_EQ(Text("STAT_STATUS"),
                  expected < 0 ? QString() : QString("Changing the solution speed: %1").arg(speed));
        EXPECT_TRUE(expected < 0 || qobject_cast<QAbstractSlider *>(bar)->value() == speed);
    }
}

TEST_F(WndSudokuTimer, FinishedRiddleComputationIsReportedForTwentySeconds)
{
    // 81 directly solvable values can never be reached with 30 givens.
    const std::tuple<unsigned, int, QString> cases[] = {
        // attempts, fewest direct steps, status
        {1000, 0, "A new game has been created in the"},
        {3, 81, "ERROR: A new game could not be created."}};
    for (const auto &[attempts, minDirect, status] : cases) {
        ASSERT_TRUE(w->Game().Reset());
        ASSERT_TRUE(w->Game().ThreadCreateGame(30, attempts, 0, -1, minDirect));
        w->AddTimerState(TS_CREATE);
        w->ValidateStatesForThread(false, true);
        ASSERT_TRUE(WaitUntil([this] { return !w->Game().IsThreadRunning(); }));
        now = 500'000;
        Tick(0);
        EXPECT_FALSE(w->HasTimerState(TS_CREATE));
        EXPECT_TRUE(Text("STAT_STATUS").startsWith(status)) << Text("STAT_STATUS");
        EXPECT_EQ(Text("BT_CREATE_GAME"), "New &riddle ...");
        Tick(20'999);
        EXPECT_TRUE(Text("STAT_STATUS").startsWith(status));
        Tick(1);
        EXPECT_EQ(Text("STAT_STATUS"), "");
    }
    EXPECT_EQ(w->Game().GetFixCount(), 0u); // the failed computation leaves an empty game
}
