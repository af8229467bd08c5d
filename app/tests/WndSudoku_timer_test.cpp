// The timer state machine, the notifications and the status line, driven tick by tick.
#include "SdkAppTestSupport.h"

#include "velox/VxCtl.h"
#include "velox/VxLink.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QSet>
#include <QThread>
#include <gtest/gtest.h>

using namespace SdkTest;

namespace {
class WndSudokuTimer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FreshStart();
        w = OpenMainWindow();
        ASSERT_NE(w, nullptr);
        w->SetClock([this] { return now; });
    }
    void TearDown() override
    {
        GateSolver::OpenGate();
        CloseMainWindow(w);
    }
    void Tick(int64_t advanceMs = 250)
    {
        now += advanceMs;
        w->EvTimer();
    }
    // Waits (without a time limit) for a step record of the playback or its end.
    void WaitForStepOrEnd()
    {
        while (w->Game().IsThreadRunning() && !WndSudokuPeer::HasPending(*w))
            QThread::msleep(1);
    }
    QString Text(const char *name) { return TextOf(*w, name); }

    WndSudoku *w = nullptr;
    int64_t now = 1'000'000;
};

QString StepText(int index)
{
    return QStringLiteral("Value <%1> set in field row/column: [%2/%3].")
        .arg(QChar(Solution[index]))
        .arg(index / 9 + 1)
        .arg(index % 9 + 1);
}
} // namespace

TEST_F(WndSudokuTimer, ThreadedSolveShowsProgressThenPlaysEveryStepBackAndEndsCompleted)
{
    w->Game() = *SolutionWithout({0, 40, 80});
    // The pause after each step gives the test ample time to tick once per step.
    w->Game().SetDelayMs(600);
    GateSolver::CloseGate();
    ASSERT_TRUE(w->Game().ThreadSolve(-1, false, "GateSolver"));
    w->AddTimerState(TS_SOLVE);
    w->ValidateStatesForThread(false, false);
    while (WndSudokuPeer::SolveLevel(*w) != 2)
        QThread::msleep(1);

    Tick();
    EXPECT_EQ(Text("STAT_TITLE_RUNNING"), "|");
    EXPECT_EQ(Text("STAT_TITLE_LEVEL"), "   2");
    EXPECT_TRUE(w->FindChild("STAT_TITLE_LEVEL")->isVisible());
    EXPECT_EQ(Text("BT_SOLVE"), "&Cancel");
    EXPECT_FALSE(VxCtl::IsEnabled(w->FindChild("BT_NEXT_STEP")));
    EXPECT_FALSE(w->FindAction("MN_SAVE_GAME")->isEnabled());
    SdkParam tested(w->Game(), true, 0, SdkDigit5, 0, 0);
    w->NotifyTestValue(tested);
    Tick(50); // too early for the next spinner step
    EXPECT_EQ(Text("STAT_TITLE_RUNNING"), "|");
    EXPECT_EQ(Text("STAT_TITLE_LEVEL"), "[1/1]:5 -    2");
    Tick(200);
    EXPECT_EQ(Text("STAT_TITLE_RUNNING"), "/");
    Tick(200);
    EXPECT_EQ(Text("STAT_TITLE_RUNNING"), "--");

    GateSolver::OpenGate();
    WaitForThreadEnd(w->Game());
    Tick();
    ASSERT_TRUE(w->HasTimerState(TS_SOLUTION));
    EXPECT_FALSE(w->HasTimerState(TS_SOLVE));
    EXPECT_EQ(Text("STAT_TITLE"), "Viewing the solution steps ...");
    EXPECT_EQ(Text("STAT_STATUS"), "Viewing the solution steps started ...");
    EXPECT_EQ(Text("BT_SOLVE"), "&Cancel");

    QStringList steps;
    while (w->HasTimerState(TS_SOLUTION)) {
        WaitForStepOrEnd();
        const bool step = WndSudokuPeer::HasPending(*w);
        Tick();
        if (step) {
            steps << Text("STAT_STATUS");
            // The playback keeps the full title; the level fields stay hidden.
            EXPECT_FALSE(w->FindChild("STAT_TITLE_LEVEL")->isVisible());
        }
    }
    EXPECT_EQ(QSet<QString>(steps.begin(), steps.end()),
              QSet<QString>({StepText(0), StepText(40), StepText(80)}));
    EXPECT_EQ(steps.size(), 3);
    EXPECT_EQ(Text("STAT_TITLE"), "N I N E F O L D   S U D O K U  -  SUCCESSFULLY FINISHED!");
    EXPECT_EQ(Text("STAT_STATUS"), "The game has been successfully completed.");
    EXPECT_EQ(Text("BT_SOLVE"), "Co&mpute solution");
    EXPECT_EQ(VxLinks::BoundHandler(w->FindChild("BT_SOLVE"), VX_LINK_COMMAND),
              "WndSudoku::DoSolve");
}

// While a computation runs the title is cut at the board's right edge and the level and the
// running indicator stand in the column beside it; idle, the title spans the whole row again.
TEST_F(WndSudokuTimer, TitleEndsAtTheBoardWhileASolveRuns)
{
    auto right = [this](const char *name) {
        QWidget *c = w->FindChild(name);
        return c->mapTo(w, QPoint(c->width(), 0)).x();
    };
    auto left = [this](const char *name) { return w->FindChild(name)->mapTo(w, QPoint()).x(); };
    Tick();
    EXPECT_EQ(right("STAT_TITLE"), right("STAT_STATE_CHANGED"));

    w->Game() = *SolutionWithout({0, 40});
    GateSolver::CloseGate();
    ASSERT_TRUE(w->Game().ThreadSolve(-1, false, "GateSolver"));
    w->AddTimerState(TS_SOLVE);
    while (WndSudokuPeer::SolveLevel(*w) != 2)
        QThread::msleep(1);
    Tick();
    EXPECT_EQ(right("STAT_TITLE"), right("DRAW"));
    EXPECT_GT(left("STAT_TITLE_LEVEL"), right("DRAW"));
    EXPECT_GT(left("STAT_TITLE_RUNNING"), right("STAT_TITLE_LEVEL") - 1);

    // The solve ends and its playback runs to the end.
    w->Game().SetDelayMs(0);
    GateSolver::OpenGate();
    WaitForThreadEnd(w->Game());
    Tick();
    WaitForThreadEnd(w->Game());
    Tick();
    EXPECT_FALSE(w->HasTimerState(TS_SOLVE | TS_SOLUTION));
    EXPECT_FALSE(w->FindChild("STAT_TITLE_LEVEL")->isVisible());
    EXPECT_EQ(right("STAT_TITLE"), right("STAT_STATE_CHANGED"));
}

TEST_F(WndSudokuTimer, CancelledPlaybackIsReported)
{
    w->Game() = *SolutionWithout({0, 1, 2, 40, 80});
    w->Game().SetDelayMs(1000);
    ASSERT_TRUE(w->Game().ThreadSolve(-1, false, ""));
    w->AddTimerState(TS_SOLVE);
    WaitForThreadEnd(w->Game());
    Tick();
    ASSERT_TRUE(w->HasTimerState(TS_SOLUTION));
    WaitForStepOrEnd();
    w->Game().CancelThread();
    WaitForThreadEnd(w->Game());
    Tick();
    EXPECT_FALSE(w->HasTimerState(TS_SOLUTION));
    EXPECT_EQ(Text("STAT_STATUS"), "The automated solution has been cancelled by the user.");
    EXPECT_EQ(Text("STAT_TITLE"), "N I N E F O L D   S U D O K U");
    EXPECT_LT(w->Game().GetSolvedCount(), 5u);
}

TEST_F(WndSudokuTimer, CancelButtonAsksOnceAndTheEndGivesTheButtonBack)
{
    w->Game() = *SolutionWithout({0, 40});
    GateSolver::CloseGate();
    ASSERT_TRUE(w->Game().ThreadSolve(-1, false, "GateSolver"));
    w->AddTimerState(TS_SOLVE);
    w->ValidateStatesForThread(false, false);
    auto *solve = qobject_cast<QAbstractButton *>(w->FindChild("BT_SOLVE"));
    ASSERT_NE(solve, nullptr);
    solve->click();
    EXPECT_EQ(solve->text(), "Please wait ...");
    EXPECT_FALSE(VxLinks::IsBound(solve, VX_LINK_COMMAND));
    EXPECT_TRUE(w->Game().IsThreadCancelled());
    solve->click(); // nothing bound any more
    GateSolver::OpenGate();
    WaitForThreadEnd(w->Game());
    Tick();
    EXPECT_EQ(Text("STAT_STATUS"), "The automated solution has been cancelled by the user.");
    EXPECT_EQ(solve->text(), "Co&mpute solution");
    EXPECT_EQ(VxLinks::BoundHandler(solve, VX_LINK_COMMAND), "WndSudoku::DoSolve");
    EXPECT_FALSE(w->HasTimerState(TS_SOLUTION));
}

TEST_F(WndSudokuTimer, UnsolvableRiddleIsReported)
{
    // Row 0 holds 1 to 8 and column 8 holds the 9: field (0, 8) can take no digit.
    auto game = std::make_unique<Sudoku>();
    for (unsigned c = 0; c < 8; ++c)
        ASSERT_TRUE(game->Fix(SdkDigit(c + 1), 0, c));
    ASSERT_TRUE(game->Fix(SdkDigit9, 4, 8));
    ASSERT_TRUE(game->StartGame(false, false, true));
    w->Game() = *game;
    ASSERT_TRUE(w->Game().ThreadSolve(-1, false, ""));
    w->AddTimerState(TS_SOLVE);
    WaitForThreadEnd(w->Game());
    Tick();
    EXPECT_EQ(Text("STAT_STATUS"), "ERROR: The game is unsolvable.");
    EXPECT_FALSE(w->HasTimerState(TS_SOLVE | TS_SOLUTION));
}

TEST_F(WndSudokuTimer, ATickWhileACommandWaitsInAMessageBoxOnlyPolls)
{
    w->Game() = *SolutionWithout({0, 40});
    ASSERT_TRUE(w->Game().ThreadSolve(-1, false, ""));
    w->AddTimerState(TS_SOLVE);
    WaitForThreadEnd(w->Game());
    WndSudokuPeer::FixMode(*w) = true; // so that closing asks in a message box
    bool stillSolveInBox = false;
    {
        ModalRecorder hook([&](QWidget &) {
            Tick();
            Tick();
            stillSolveInBox = w->HasTimerState(TS_SOLVE) && !w->HasTimerState(TS_SOLUTION) &&
                              !w->Game().IsThreadRunning();
        });
        w->Close(false);
        ASSERT_EQ(hook.Seen().size(), 1);
    }
    WndSudokuPeer::FixMode(*w) = false;
    EXPECT_TRUE(stillSolveInBox);
    Tick();
    EXPECT_FALSE(w->HasTimerState(TS_SOLVE));
    EXPECT_TRUE(w->HasTimerState(TS_SOLUTION));
}

TEST_F(WndSudokuTimer, StatusTimeOutClearsAfterMoreThanItsWholeSeconds)
{
    now = 100'000;
    w->Status("first", 12, 2);
    EXPECT_TRUE(w->HasTimerState(TS_STATUS_TIMEOUT));
    Tick(2'000); // 102 s: two seconds are not more than two
    EXPECT_EQ(Text("STAT_STATUS"), "first");
    Tick(999); // 102.999 s
    EXPECT_EQ(Text("STAT_STATUS"), "first");
    Tick(1); // 103 s
    EXPECT_EQ(Text("STAT_STATUS"), "");
    EXPECT_FALSE(w->HasTimerState(TS_STATUS_TIMEOUT));

    w->Status("with time-out", 1, 1);
    w->Status("without", 2, 0);
    EXPECT_FALSE(w->HasTimerState(TS_STATUS_TIMEOUT));
    Tick(10'000);
    EXPECT_EQ(Text("STAT_STATUS"), "without");
}

TEST_F(WndSudokuTimer, ScrollCodesMoveTheSpeedAndTheDelay)
{
    QWidget *bar = w->FindChild("SC_SOLUTION_SPEED");
    ASSERT_NE(bar, nullptr);
    struct Case
    {
        int start;
        int code;
        int position;
        int expected; // -1: ignored
    };
    const Case cases[] = {
        {500, 0, 0, 1000}, {500, 1, 0, 0},    {995, 2, 0, 1000},  {500, 2, 0, 510},
        {5, 3, 0, 0},      {500, 3, 0, 490},  {950, 4, 0, 1000},  {500, 4, 0, 600},
        {50, 5, 0, 0},     {500, 5, 0, 400},  {500, 6, 300, 300}, {500, 7, 720, 720},
        {500, 7, -1, -1},  {500, 8, 100, -1},
    };
    for (const Case &c : cases) {
        w->Game().SetDelayMs(uint16_t(1000 - c.start));
        w->EmptyStatus();
        VxEventWnd event(c.code, c.position);
        EXPECT_TRUE(VxLinks::Fire(bar, VX_LINK_SCROLL, event));
        const int expected = c.expected < 0 ? c.start : c.expected;
        EXPECT_EQ(1000 - w->Game().GetDelayMs(), expected) << c.code << " " << c.start;
        if (c.expected < 0) {
            EXPECT_EQ(Text("STAT_STATUS"), "");
        } else {
            EXPECT_EQ(Text("STAT_STATUS"),
                      QStringLiteral("Changing the solution speed: %1").arg(expected));
            EXPECT_EQ(qobject_cast<QAbstractSlider *>(bar)->value(), expected);
            EXPECT_TRUE(w->HasTimerState(TS_STATUS_TIMEOUT));
        }
    }
}

TEST_F(WndSudokuTimer, StatusAfterAStepInBothLanguagesAndSilentWhileLoading)
{
    w->SetStatusAfterStep(SdkDigitEmpty, 2, 3);
    EXPECT_EQ(Text("STAT_STATUS"), "Value deleted in field row/column: [3/4].");
    w->SetStatusAfterStep(SdkDigit7, 2, 3);
    EXPECT_EQ(Text("STAT_STATUS"), "Value <7> set in field row/column: [3/4].");
    WndSudokuPeer::Language(*w) = 0;
    w->SetStatusAfterStep(SdkDigitEmpty, 2, 3);
    EXPECT_EQ(Text("STAT_STATUS"), "Wert gelöscht in Feld Zeile/Spalte: [3/4]");
    WndSudokuPeer::Language(*w) = 1;

    SdkParam param(w->Game(), true, 0, SdkDigitEmpty, 0, 0);
    w->EmptyStatus();
    w->NotifyLoadingStarted(param);
    w->NotifyLoadingStarted(param);
    w->NotifyLoadingEnded(param);
    w->SetStatusAfterStep(SdkDigit1, 0, 0);
    EXPECT_EQ(Text("STAT_STATUS"), "");
    w->NotifyLoadingEnded(param);
    w->NotifyLoadingEnded(param); // unmatched
    EXPECT_EQ(WndSudokuPeer::LoadingDepth(*w), 0u);
    w->SetStatusAfterStep(SdkDigit1, 0, 0);
    EXPECT_EQ(Text("STAT_STATUS"), "Value <1> set in field row/column: [1/1].");
}

TEST_F(WndSudokuTimer, UserValueIsReportedAndMarkersFollowTheGame)
{
    w->Game() = *MakeGame(Riddle);
    Tick();
    EXPECT_EQ(Text("STAT_STATE_CHANGED"), "OK");
    EXPECT_EQ(Text("STAT_STACK"), "Fix: 30   Step: 0/0");
    ASSERT_TRUE(w->SetCurrentValue(SdkDigit4, 0, 2));
    EXPECT_EQ(Text("STAT_STATUS"), "Value <4> set in field row/column: [1/3].");
    Tick();
    EXPECT_EQ(Text("STAT_STATE_CHANGED"), "CHG");
    EXPECT_EQ(Text("STAT_STACK"), "Fix: 30   Step: 1/1");
    EXPECT_TRUE(VxCtl::IsEnabled(w->FindChild("BT_UNDO")));
    EXPECT_FALSE(w->SetCurrentValue(SdkDigit5, 0, 3)); // 5 stands in row 0
    EXPECT_EQ(Text("STAT_STATUS"), "ERROR: Value 5 for [1/4] not accepted.");
}

TEST_F(WndSudokuTimer, FinishedRiddleComputationIsReportedForTwentySeconds)
{
    struct Case
    {
        unsigned attempts;
        int minDirect;
        QString status;
    };
    // 81 directly solvable values can never be reached with 30 givens.
    const Case cases[] = {{1000, 0, "A new game has been created in the"},
                          {3, 81, "ERROR: A new game could not be created."}};
    for (const Case &c : cases) {
        ASSERT_TRUE(w->Game().Reset());
        ASSERT_TRUE(w->Game().ThreadCreateGame(30, c.attempts, 0, -1, c.minDirect));
        w->AddTimerState(TS_CREATE);
        w->ValidateStatesForThread(false, true);
        EXPECT_EQ(Text("BT_CREATE_GAME"), "&Cancel");
        EXPECT_EQ(Text("BT_SOLVE"), "Co&mpute solution");
        EXPECT_FALSE(VxCtl::IsEnabled(w->FindChild("BT_SOLVE")));
        WaitForThreadEnd(w->Game());
        now = 500'000;
        Tick(0);
        EXPECT_FALSE(w->HasTimerState(TS_CREATE));
        EXPECT_TRUE(Text("STAT_STATUS").startsWith(c.status)) << qPrintable(Text("STAT_STATUS"));
        EXPECT_EQ(Text("BT_CREATE_GAME"), "New &riddle ...");
        EXPECT_TRUE(VxCtl::IsEnabled(w->FindChild("BT_CREATE_GAME")));
        EXPECT_TRUE(w->HasTimerState(TS_STATUS_TIMEOUT));
        Tick(20'999);
        EXPECT_TRUE(Text("STAT_STATUS").startsWith(c.status));
        Tick(1);
        EXPECT_EQ(Text("STAT_STATUS"), "");
    }
    EXPECT_EQ(w->Game().GetFixCount(), 0u); // the failed computation leaves an empty game
}

TEST_F(WndSudokuTimer, ComputedProposalPutsTheFirstSolutionStepOnTheBoard)
{
    w->Game() = *MakeGame(Riddle);
    ASSERT_TRUE(w->Game().ThreadSolve(-1, false, ""));
    w->AddTimerState(TS_NEXT_STEP);
    w->ValidateStatesForThread(true, false);
    EXPECT_EQ(Text("BT_NEXT_STEP"), "&Cancel");
    WaitForThreadEnd(w->Game());
    Tick();
    EXPECT_FALSE(w->HasTimerState(TS_NEXT_STEP));
    SdkSolvedField first;
    ASSERT_TRUE(w->Game().GetSolution(0, first));
    EXPECT_EQ(w->Game().GetField(first.GetRow(), first.GetColumn()).GetValue(), first.GetValue());
    EXPECT_EQ(Text("STAT_STATUS"), QStringLiteral("Value <%1> set in field row/column: [%2/%3].")
                                       .arg(unsigned(first.GetValue()))
                                       .arg(first.GetRow() + 1)
                                       .arg(first.GetColumn() + 1));
    EXPECT_EQ(Text("BT_NEXT_STEP"), "&Proposal");
    EXPECT_EQ(w->Game().GetUserStackCount(), 1u);
}
