// Pictures of the main window, its play aids and its dialogs in English and German, for people
// to look at (<build>/screenshots).
#include "SdkAppTestSupport.h"

using namespace SdkTest;

using WndSudokuScreenshots = WndTest;

TEST_F(WndSudokuScreenshots, MainWindowAidsAndDialogsInBothLanguages)
{
    for (const char *language : {"English", "German"}) {
        const QString suffix = language[0] == 'E' ? "en" : "de";
        FreshStart(language);
        Open();
        w->EvTimer();
        SaveScreenshot(*w, "main_empty_" + suffix);

        w->Game() = *MakeGame(Riddle);
        for (int i : {2, 3, 5, 10, 11})
            ASSERT_TRUE(
                w->Game().SetValue(SdkDigit(Solution[i] - '0'), unsigned(i / 9), unsigned(i % 9)));
        View(true, true);
        SetActive(1, 2);
        w->DrawWindow()->setFocus();
        w->SetStatusAfterStep(SdkDigit4, 1, 2);
        w->EvTimer();
        w->ValidateStates();
        SaveScreenshot(*w, "main_midgame_" + suffix);

        // Every aid at once, with manual candidates and a minute and a quarter played.
        View(false, false);
        SdkResultSet marks;
        marks.AddValue(SdkDigit1);
        marks.AddValue(SdkDigit2);
        ASSERT_TRUE(w->Game().SetUserCandidates(marks, 2, 0));
        SetActive(0, 0);
        w->SetPlayAids(SdkPlayAids{true, true, true, true});
        w->Game().SetPlayTime(75);
        w->EvTimer();
        EXPECT_EQ(Text("STAT_PLAY_TIME"),
                  suffix == "en" ? "Playing time: 1:15" : "Spielzeit: 1:15");
        SaveScreenshot(*w, "main_aids_" + suffix);
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
    }
}
