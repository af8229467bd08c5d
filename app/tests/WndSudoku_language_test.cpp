// German and English: the texts the window shows in both languages, the language dialog, the
// first start and the stored language.
#include "SdkAppTestSupport.h"

using namespace SdkTest;

namespace {
// Picks the line of the language dialog that starts with the number and presses OK.
Reply ChooseLanguage(int number)
{
    return [number](QWidget &window) {
        auto *combo = window.findChild<QComboBox *>("COMBO_LANG");
        for (int i = 0; i < combo->count(); ++i)
            if (combo->itemText(i).startsWith(QString::number(number)))
                combo->setCurrentIndex(i);
        PressButton("BT_OK")(window);
    };
}

using WndSudokuLanguage = WndTest;
} // namespace

// Each row does something in a window of either language and reads what the window says.
TEST_F(WndSudokuLanguage, WhatTheWindowSaysFollowsItsLanguage)
{
    ASSERT_TRUE(WriteFile(dir.filePath("broken.sdk"), "no game"));
    auto answered = [this](const QString &file, const char *button) {
        return [this, file, button] {
            Script script("VX_FILE_DIALOG", ChooseFile(file));
            script.On("WND_MESSAGE", PressButton("BT_NO"));
            Press(button);
        };
    };
    const struct
    {
        std::function<void()> act;
        const char *german, *english;
        QStringList read = {"STAT_STATUS"}; // controls read after the act
    } rows[] = {
        {[this] { w->SetStatusAfterStep(SdkDigit7, 2, 3); },
         "Wert <7> gesetzt in Feld Zeile/Spalte: [3/4].",
         "Value <7> set in field row/column: [3/4]."},
        {[this] { w->SetStatusAfterStep(SdkDigitEmpty, 2, 3); },
         "Wert gelöscht in Feld Zeile/Spalte: [3/4]", "Value deleted in field row/column: [3/4]."},
        {[this] { (void)w->SetCurrentValue(SdkDigit5, 0, 3); },
         "FEHLER: Wert 5 für [1/4] fehlgeschlagen.", "ERROR: Value 5 for [1/4] not accepted."},
        {[this] { Do(&WndSudoku::DoUndo); }, "Schritt zurück nicht möglich.",
         "Stepping back is not possible."},
        {[this] { Do(&WndSudoku::DoRedo); }, "Schritt vorwärts nicht möglich.",
         "Stepping forward is not possible."},
        {[this] {
             w->Game() = *MakeGame(FewGivens);
             (void)w->SetCurrentValue(SdkDigit1, 4, 4);
         },
         "Sie müssen zunächst eine Spieldefinition mit mindestens 10 Werten eingeben oder "
         "erzeugen.",
         "You first have to setup or create a game-definition with at least 10 fix values."},
        {answered(dir.filePath("broken.sdk"), "BT_LOAD_GAME"),
         "FEHLER: Das Spiel konnte nicht geladen werden.", "ERROR: The game could not be loaded."},
        {answered(dir.filePath("no/x.sdk"), "BT_SAVE_GAME_AS"),
         "FEHLER: Das Spiel konnte nicht gespeichert werden.",
         "ERROR: The game could not be saved."},
        {answered(dir.filePath("saved.sdk"), "BT_SAVE_GAME_AS"), "Spiel wurde gespeichert.",
         "The game has been saved."},
        {[this] {
             ASSERT_TRUE(GatedSolve(*w));
             Press("BT_SOLVE");
             GateSolver::OpenGate();
             EXPECT_TRUE(TickUntilIdle(*w));
         },
         "Lösungsberechnung durch Benutzer abgebrochen.",
         "The automated solution has been cancelled by the user."},
        {[this] {
             w->Game() = *SolutionWithout({0});
             (void)w->SetCurrentValue(SdkDigit5, 0, 0);
             w->EvTimer();
         },
         "N I N E F O L D   S U D O K U  -  ERFOLGREICH BEENDET!|Das Rätsel wurde erfolgreich und "
         "vollständig gelöst.|Fix: 80   Schritt: 1/1|ÄND",
         "N I N E F O L D   S U D O K U  -  SUCCESSFULLY FINISHED!|The game has been successfully "
         "completed.|Fix: 80   Step: 1/1|CHG",
         {"STAT_TITLE", "STAT_STATUS", "STAT_STACK", "STAT_STATE_CHANGED"}},
        {[this] {
             w->EnterFixMode(false);
             w->EvTimer();
         },
         "N I N E F O L D   S U D O K U  -  Spieldefinition festlegen|D&efinition beenden|Anzahl "
         "Fix-Nummern: 30",
         "N I N E F O L D   S U D O K U  -  Edit Game-Definition|Finish d&efinition|Fix Nnumber "
         "Count: 30",
         {"STAT_TITLE", "BT_NEW_GAME", "STAT_STACK"}},
    };
    for (const auto &r : rows)
        for (short language : {0, 1}) {
            WndSudokuPeer::Language(*w) = language;
            w->Game() = *MakeGame(Riddle);
            w->EmptyStatus();
            r.act();
            QStringList shown;
            for (const QString &name : r.read)
                shown << Text(name.toLatin1().constData());
            EXPECT_EQ(shown.join('|'), QString::fromUtf8(language ? r.english : r.german));
            if (WndSudokuPeer::FixMode(*w))
                w->ExitFixMode();
        }
}

TEST_F(WndSudokuLanguage, SwitchingRelocalizesTheWindowAndStoresTheChoice)
{
    auto shown = [this] {
        return QStringList{Text("BT_SAVE_GAME"), Text("CHK_VIEW_CONFLICTS"),
                           w->FindAction("MN_ABOUT")->text(), Text("BT_NEW_GAME")}
            .join('|');
    };
    EXPECT_EQ(shown(),
              "&Save game|View con&flicts|About NINEFOLD SUDO&KU ...|Edit riddl&e manually ...");
    {
        Script script(ChooseLanguage(1));
        w->ChangeLanguage(true);
        EXPECT_EQ(script.SeenWindows(), QStringList{"SUDOKU_SELECT_LANGUAGE"});
    }
    EXPECT_EQ(GetSetting("Language"), "German");
    EXPECT_EQ(w->GetLanguage(), 0);
    EXPECT_EQ(shown(), "Spiel &speichern|&Konflikte anzeigen|Übe&r NINEFOLD SUDOKU ...|"
                       "Rätseleingabe von Han&d ...");
    // The active language chosen again is stored without localizing the window again.
    SetSetting("Language", "deutsch");
    VxCtl::SetText(w->FindChild("STAT_ACTIONS"), "marker");
    Script script(ChooseLanguage(1));
    w->ChangeLanguage(true);
    EXPECT_EQ(GetSetting("Language"), "German");
    EXPECT_EQ(Text("STAT_ACTIONS"), "marker");
}

TEST_F(WndSudokuLanguage, FirstStartAsksInGermanAndStoresTheAnswerOrGerman)
{
    const struct
    {
        const char *stored;
        Reply answer;
        const char *language, *saveButton;
    } cases[] = {
        {nullptr, ChooseLanguage(2), "English", "&Save game"},
        {"Klingon", nullptr, "German", "Spiel &speichern"}, // closed: German stays
    };
    for (const auto &c : cases) {
        FreshStart(c.stored);
        Open(false);
        EXPECT_EQ(w->GetLanguage(), 0);
        EXPECT_TRUE(w->HasTimerState(TS_ASK_LANGUAGE));
        EXPECT_EQ(Text("BT_SAVE_GAME"), "Spiel &speichern");
        bool timerStopped = false;
        {
            Script script([&](QWidget &window) {
                timerStopped = !w->WindowTimer().IsRunning();
                EXPECT_TRUE(
                    window.findChild<QComboBox *>("COMBO_LANG")->currentText().startsWith("1"));
                if (c.answer)
                    c.answer(window);
            });
            w->EvTimer();
            ASSERT_GE(script.Seen().size(), 1);
            EXPECT_EQ(script.Seen()[0].window, "SUDOKU_SELECT_LANGUAGE");
        }
        EXPECT_TRUE(timerStopped);
        EXPECT_FALSE(w->HasTimerState(TS_ASK_LANGUAGE));
        EXPECT_EQ(GetSetting("Language"), c.language);
        EXPECT_EQ(Text("BT_SAVE_GAME"), c.saveButton);
    }
}
