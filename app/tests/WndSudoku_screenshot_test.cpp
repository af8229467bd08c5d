// Screenshots of the main window in English and German, for people to look at.
#include "SdkAppTestSupport.h"

#include "velox/VxCtl.h"

#include <gtest/gtest.h>

using namespace SdkTest;

namespace {
void Shoot(const char *language, const char *suffix)
{
    FreshStart(language);
    WndSudoku *w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    w->EvTimer();
    SaveScreenshot(*w, QStringLiteral("main_empty_%1").arg(suffix));

    w->Game() = *MakeGame(Riddle);
    for (int i : {2, 3, 5, 10, 11})
        ASSERT_TRUE(
            w->Game().SetValue(SdkDigit(Solution[i] - '0'), unsigned(i / 9), unsigned(i % 9)));
    VxCtl::SetChecked(w->FindChild("CHK_VIEW_RS"), true);
    VxCtl::SetChecked(w->FindChild("CHK_VIEW_RS_SINGLE"), true);
    WndSudokuPeer::ActiveRow(*w) = 1;
    WndSudokuPeer::ActiveColumn(*w) = 2;
    w->activateWindow();
    w->DrawWindow()->setFocus();
    w->EvTimer();
    w->ValidateStates();
    w->Status(w->GetLanguage() == 1 ? "Value <4> set in field row/column: [2/3]."
                                    : "Wert <4> gesetzt in Feld Zeile/Spalte: [2/3].",
              2, 0);
    SaveScreenshot(*w, QStringLiteral("main_midgame_%1").arg(suffix));

    w->Game() = *MakeGame(Riddle);
    for (int i = 0; i < 81; ++i) {
        if (Riddle[i] != '0')
            continue;
        ASSERT_TRUE(
            w->Game().SetValue(SdkDigit(Solution[i] - '0'), unsigned(i / 9), unsigned(i % 9)));
    }
    w->ViewAsCompleted(true);
    w->EvTimer();
    w->ValidateStates();
    SaveScreenshot(*w, QStringLiteral("main_completed_%1").arg(suffix));
    CloseMainWindow(w);
}
} // namespace

TEST(WndSudokuScreenshots, English)
{
    Shoot("English", "en");
}

TEST(WndSudokuScreenshots, German)
{
    Shoot("German", "de");
}
