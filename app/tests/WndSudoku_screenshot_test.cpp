// Pictures of the main window and its dialogs in English and German, for people to look at
// (<build>/screenshots).
#include "SdkAppTestSupport.h"

#include "velox/VxCtl.h"

#include <gtest/gtest.h>

using namespace SdkTest;

TEST(WndSudokuScreenshots, MainWindowAndDialogsInBothLanguages)
{
    for (const char *language : {"English", "German"}) {
        const QString suffix = language[0] == 'E' ? "en" : "de";
        FreshStart(language);
        WndSudoku *w = OpenMainWindow();
        ASSERT_NE(w, nullptr);
        w->EvTimer();
        SaveScreenshot(*w, "main_empty_" + suffix);

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
        w->SetStatusAfterStep(SdkDigit4, 1, 2);
        w->EvTimer();
        w->ValidateStates();
        SaveScreenshot(*w, "main_midgame_" + suffix);
        {
            // Every dialog of the menu, pictured and cancelled.
            Script script([&suffix](QWidget &window) {
                SaveScreenshot(window, window.objectName().toLower() + "_" + suffix);
                PressButton(window.findChild<QWidget *>("BT_NO") ? "BT_NO" : "BT_CANCEL")(window);
            });
            VxEvent event;
            w->DoGameOptions(event);
            w->DoAbout(event);
            w->DoCreateGame(event);
            w->ChangeLanguage(true);
        }
        w->Game() = *SolutionWithout({});
        w->ViewAsCompleted(true);
        w->EvTimer();
        w->ValidateStates();
        SaveScreenshot(*w, "main_completed_" + suffix);
        CloseMainWindow(w);
    }
}
