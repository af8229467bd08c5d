// The hint in four presses and the rating beside the counters, driven through the main window.
#include "SdkGameFlow.h"

#include "base/TOpSystem.h"
#include "velox/VxCtl.h"

#include <QAction>
#include <QRegularExpression>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

using namespace SdkTest;
using SdkFlow::Press;
using SdkFlow::Status;
using SdkFlow::Values;

namespace {
enum : int { Green = 2, Magenta = 5, LightRed = 12 };

class WndSudokuHint : public ::testing::Test
{
protected:
    void Open(const char *language, const char *hideRating = "0")
    {
        FreshStart(language);
        CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser,
                                      TString(SdkRegistryKey) + "\\PlayOptions", "HideRating",
                                      hideRating);
        w = OpenMainWindow();
        ASSERT_NE(w, nullptr);
        // The key H is a shortcut of the window: it needs the active window.
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        w->Game() = *MakeGame(Riddle);
        w->ValidateStates();
        w->EvTimer();
    }
    void TearDown() override
    {
        GateSolver::OpenGate();
        WaitForRating();
        CloseMainWindow(w);
    }
    // The rating runs on a thread of its own; ticks until it is shown (at most 20 s).
    void WaitForRating()
    {
        for (int i = 0; w && i < 2000 && !RatingDone(); ++i) {
            QThread::msleep(10);
            w->EvTimer();
        }
    }
    bool RatingDone() { return !TextOf(*w, "STAT_RATING").contains(QStringLiteral("...")); }
    int Pixels(int colour)
    {
        const QImage board = GrabBoard(*w);
        return CountColour(board, board.rect(), PaletteRgb(colour));
    }
    bool Shown(const char *name) { return !w->FindChild(QLatin1String(name))->isHidden(); }
    // The one field that got a value, as row * 9 + column, or -1.
    int NewValue(const QString &before)
    {
        const QString after = Values(w->Game());
        int changed = -1;
        for (int i = 0; i < 81; ++i)
            if (after[i] != before[i])
                changed = changed < 0 ? i : 99;
        return changed;
    }

    WndSudoku *w = nullptr;
};

struct LanguageCase
{
    const char *language;
    const char *suffix;
    const char *look;
    const char *technique;
    const char *placed;
};

class WndSudokuHintStages : public WndSudokuHint, public ::testing::WithParamInterface<LanguageCase>
{
};

TEST_P(WndSudokuHintStages, FourPressesLookNameProveAndPlace)
{
    const LanguageCase &c = GetParam();
    Open(c.language);
    WaitForRating();
    const QString start = Values(w->Game());
    const unsigned moves = w->Game().GetUserStackCount();
    ASSERT_EQ(Pixels(Magenta), 0);

    Press(*w, "BT_HINT");
    EXPECT_TRUE(Status(*w).startsWith(QString::fromUtf8(c.look))) << Status(*w).toStdString();
    EXPECT_GT(Pixels(Magenta), 0) << "the house to look at is outlined";

    QTest::keyClick(w->DrawWindow(), Qt::Key_H);
    EXPECT_TRUE(Status(*w).startsWith(QString::fromUtf8(c.technique))) << Status(*w).toStdString();

    w->FindAction(QStringLiteral("MN_HINT"))->trigger();
    const QString proof = Status(*w);
    EXPECT_TRUE(proof.endsWith(QLatin1Char('.'))) << proof.toStdString();
    EXPECT_GT(Pixels(Green), 0) << "the placement is drawn in its own colour";
    EXPECT_EQ(Values(w->Game()), start) << "explaining sets nothing";
    SaveScreenshot(*w, QStringLiteral("main_hint_%1").arg(QLatin1String(c.suffix)));

    Press(*w, "BT_HINT");
    const int cell = NewValue(start);
    ASSERT_GE(cell, 0);
    ASSERT_LT(cell, 81) << "one value only";
    EXPECT_EQ(Values(w->Game())[cell], QLatin1Char(Solution[cell]));
    EXPECT_EQ(w->Game().GetUserStackCount(), moves + 1) << "recorded like a move";
    EXPECT_TRUE(Status(*w).startsWith(QString::fromUtf8(c.placed))) << Status(*w).toStdString();
    EXPECT_EQ(Pixels(Magenta), 0) << "the hint is over";
    ASSERT_TRUE(w->Game().Undo());
    EXPECT_EQ(Values(w->Game()), start);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, WndSudokuHintStages,
    ::testing::Values(LanguageCase{"English", "en", "Look at ", "Technique", "Value <"},
                      LanguageCase{"German", "de", "Schauen Sie sich ", "Techni", "Wert <"}),
    [](const auto &info) { return std::string(info.param.language); });

TEST_F(WndSudokuHint, AnyOtherInputEndsTheHint)
{
    Open("English");
    Press(*w, "BT_HINT");
    Press(*w, "BT_HINT");
    ASSERT_GT(Pixels(Magenta), 0);
    SdkFlow::Key(*w, Qt::Key_Right);
    EXPECT_EQ(Pixels(Magenta), 0);
    Press(*w, "BT_HINT");
    EXPECT_TRUE(Status(*w).startsWith(QStringLiteral("Look at "))) << "a new hint starts";

    // A move made by another command ends it as well.
    ASSERT_GT(Pixels(Magenta), 0);
    Press(*w, "BT_NEXT_STEP");
    ASSERT_TRUE(SdkFlow::TickUntilIdle(*w));
    EXPECT_EQ(Pixels(Magenta), 0);
}

TEST_F(WndSudokuHint, WrongPlayedValueIsNamedAndNothingIsPlaced)
{
    Open("English");
    // The first empty field with a digit the rules allow but the solution does not want.
    int cell = -1;
    SdkDigit wrong = SdkDigitEmpty;
    for (int i = 0; i < 81 && cell < 0; ++i) {
        for (int d = 1; d <= 9 && Riddle[i] == '0' && cell < 0; ++d) {
            if (d != Solution[i] - '0' &&
                w->Game().ValueAllowed(SdkDigit(d), unsigned(i / 9), unsigned(i % 9), false)) {
                cell = i;
                wrong = SdkDigit(d);
            }
        }
    }
    ASSERT_GE(cell, 0);
    ASSERT_TRUE(w->Game().SetValue(wrong, unsigned(cell / 9), unsigned(cell % 9)));
    w->EvTimer();
    const QString played = Values(w->Game());

    for (int press = 0; press < 4; ++press) {
        Press(*w, "BT_HINT");
        EXPECT_EQ(Status(*w), QStringLiteral("The value in row %1, column %2 does not fit the "
                                             "solution.")
                                  .arg(cell / 9 + 1)
                                  .arg(cell % 9 + 1));
    }
    const QImage board = GrabBoard(*w);
    EXPECT_GT(CountColour(board, FieldRect(*w, unsigned(cell / 9), unsigned(cell % 9), 0),
                          PaletteRgb(LightRed)),
              0);
    EXPECT_EQ(Values(w->Game()), played);
}

TEST_F(WndSudokuHint, HintIsDisabledWhileTheEngineWorks)
{
    Open("English");
    EXPECT_TRUE(w->FindChild(QStringLiteral("BT_HINT"))->isEnabled());
    GateSolver::CloseGate();
    ASSERT_TRUE(w->Game().ThreadSolve(-1, false, "GateSolver"));
    w->AddTimerState(TS_SOLVE);
    w->ValidateStatesForThread(false, false);
    EXPECT_FALSE(w->FindChild(QStringLiteral("BT_HINT"))->isEnabled());
    EXPECT_FALSE(w->FindAction(QStringLiteral("MN_HINT"))->isEnabled());
    // Cancelled, so no playback completes the game.
    Press(*w, "BT_SOLVE");
    GateSolver::OpenGate();
    ASSERT_TRUE(SdkFlow::TickUntilIdle(*w));
    EXPECT_TRUE(w->FindChild(QStringLiteral("BT_HINT"))->isEnabled());
}

struct RatingCase
{
    const char *hideRating;
    bool shown;
};

class WndSudokuRating : public WndSudokuHint, public ::testing::WithParamInterface<RatingCase>
{
};

TEST_P(WndSudokuRating, RatingOfThePlayedRiddleUnlessHidden)
{
    Open("English", GetParam().hideRating);
    WaitForRating();
    EXPECT_EQ(Shown("LABEL_RATING"), GetParam().shown);
    EXPECT_EQ(Shown("STAT_RATING"), GetParam().shown);
    EXPECT_EQ(Shown("STAT_RATING_TECHNIQUE"), GetParam().shown);
    if (GetParam().shown) {
        EXPECT_TRUE(RatingDone());
        EXPECT_TRUE(TextOf(*w, "STAT_RATING").contains(QRegularExpression("^\\d+\\.\\d$")))
            << TextOf(*w, "STAT_RATING").toStdString();
        EXPECT_FALSE(TextOf(*w, "STAT_RATING_TECHNIQUE").isEmpty());
    }

    // A riddle being defined is not rated.
    WndSudokuPeer::FixMode(*w) = true;
    w->EvTimer();
    EXPECT_FALSE(Shown("STAT_RATING"));
    WndSudokuPeer::FixMode(*w) = false;
}

INSTANTIATE_TEST_SUITE_P(Option, WndSudokuRating,
                         ::testing::Values(RatingCase{"0", true}, RatingCase{"1", false}),
                         [](const auto &info) {
                             return std::string(info.param.shown ? "Shown" : "Hidden");
                         });
} // namespace
