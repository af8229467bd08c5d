// German and English: every named text of the main window, its menu and the dialogs, compared
// with the program's text tables in both languages, the language dialog and the first start.
#include "SdkAppTestSupport.h"

#include "app/SdkCreateGameParam.h"
#include "app/SdkCreateType.h"
#include "app/SdkDialogs.h"
#include "app/SdkLoadParam.h"
#include "app/SdkWndOptions.h"
#include "app/SdkWndSelectDefType.h"
#include "velox/VxCtl.h"
#include "velox/VxResource.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

using namespace SdkTest;

namespace {
struct Pair
{
    const char *name;
    const char *german;
    const char *english;
};

const Pair MainControls[] = {
    {"STAT_ACTIONS", "Aktionen", "Actions"},
    {"LABEL_SOLUTION_SPEED", "Lösungsgeschwindigkeit:", "Solution-Speed:"},
    {"LABEL_STATE_CHANGED", "Verlauf:", "Progress:"},
    {"LABEL_DEF_CHANGED", "Def:", "Def:"},
    {"BT_NEW_GAME", "Rätseleingabe von Han&d ...", "Edit riddl&e manually ..."},
    {"BT_SAVE_GAME", "Spiel &speichern", "&Save game"},
    {"BT_SAVE_GAME_AS", "Spiel s&peichern unter ...", "Save game &as ..."},
    {"BT_LOAD_GAME", "Spiel la&den ...", "Loa&d game ..."},
    {"BT_REPLAY_GAME", "Spiel &nochmal spielen", "Restart t&his game"},
    {"BT_REPEAT_GAME", "Spiel e&xakt wiederholen", "Repeat game e&xactly"},
    {"BT_REDO", ">> 1 Schritt v&or", ">> 1 Step f&orward"},
    {"BT_UNDO", "<< 1 Schritt z&urück", "<< 1 Step &backward"},
    {"BT_CREATE_GAME", "Neues &Rätsel ...", "New &riddle ..."},
    {"BT_NEXT_STEP", "&Vorschlag", "&Proposal"},
    {"BT_SOLVE", "&Lösung berechnen", "Co&mpute solution"},
    {"CHK_VIEW_RS", "Berechnete Kandida&ten zeigen", "View computed candidates"},
    {"CHK_VIEW_RS_SINGLE", "Sichere &Werte anzeigen", "Vie&w recognized values"},
    {"CHK_VIEW_CONFLICTS", "&Konflikte anzeigen", "View con&flicts"},
    {"LABEL_BT_STEPS", "berechnete BT-Schritte:", "computed BT-steps:"},
};

// The texts that stay; the first of two texts for one item is overwritten.
const Pair MainMenu[] = {
    {"MN_DATEI", "D&atei", "&File"},
    {"MN_SPIELABLAUF", "Spielablau&f", "&Game"},
    {"MN_HELP", "&Hilfe", "&Help"},
    {"MN_GAME_OPTIONS", "Spiel-&Optionen ...", "Game-&Options ..."},
    {"MN_PRINT", "Dr&ucken ...", "&Print ..."},
    {"MN_DOCUMENTATION", "&Dokumentation ...", "&Documentation ..."},
    {"MN_VERSION_HISTORY", "&Versions-Historie ...", "&Version-History ..."},
    {"MN_NS_HOMEPAGE", "Ninefold Sudoku Ho&mepage ...", "Ninefold Sudoku Ho&mepage ..."},
    {"MN_CHANGE_LANGUAGE", "Sprache &wechseln ...", "Change l&anguage ..."},
    {"MN_ABOUT", "Übe&r NINEFOLD SUDOKU ...", "About NINEFOLD SUDO&KU ..."},
    {"MN_EXIT", "Beenden                ALT+F4", "Exit                ALT+F4"},
    {"MN_NEW_GAME", "Rätseleingabe von Han&d ...", "Edit riddl&e manually ..."},
    {"MN_CREATE_GAME", "Neues &Rätsel ...", "New &riddle ..."},
    {"MN_SAVE_GAME", "Spiel &speichern", "&Save game"},
    {"MN_SAVE_GAME_AS", "Spiel s&peichern unter ...", "Save game &as ..."},
    {"MN_LOAD_GAME", "Spiel la&den ...", "Loa&d game ..."},
    {"MN_REPLAY_GAME", "Spiel &nochmal spielen", "Restart t&his game"},
    {"MN_REPEAT_GAME", "Spiel e&xakt wiederholen", "Repeat game e&xactly"},
    {"MN_REDO", ">> 1 Schritt v&or", ">> 1 Step f&orward"},
    {"MN_UNDO", "<< 1 Schritt z&urück", "<< 1 Step &backward"},
    {"MN_NEXT_STEP", "&Vorschlag", "&Proposal"},
    {"MN_SOLVE", "&Lösung berechnen", "Co&mpute solution"},
};

const Pair OptionsTexts[] = {
    {"", "Spiel-Optionen", "Game-Options"},
    {"GRP_CALC", "Berechnung", "Calculation"},
    {"GRP_VIEW", "Standardeinstellungen für die Anzeige", "Standard-settings for visualization"},
    {"CHK_DEEP_CALC", "erweiterte &Ergebnismengenberechnung", "&extended result-set calculation"},
    {"CHK_VIEW_RS", "Berechnete Kandida&ten zeigen", "View computed candidates"},
    {"CHK_VIEW_SINGLE_RS", "Sichere &Werte anzeigen", "Vie&w recognized values"},
    {"CHK_VIEW_CONFLICTS", "&Konflikte anzeigen", "View con&flicts"},
    {"CHK_MARK_ACTIVE_FIELD", "&Aktives Feld farblich hervorheben", "Mark &active field by colour"},
    {"BT_CANCEL", "Abbre&chen", "&Cancel"},
    {"BT_OK", "&OK", "&OK"},
};

QString Expected(const Pair &p, int language)
{
    return QString::fromUtf8(language == 1 ? p.english : p.german);
}

QString MenuText(WndSudoku &w, const char *name)
{
    if (QAction *action = w.FindAction(QLatin1String(name)))
        return action->text();
    if (auto *menu = w.findChild<QMenu *>(QLatin1String(name)))
        return menu->title();
    return QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

QString TextIn(VxWFrame &frame, const char *name)
{
    if (!*name)
        return frame.windowTitle();
    QWidget *control = frame.FindChild(QLatin1String(name));
    return control ? VxCtl::GetText(control) : QStringLiteral("<missing %1>").arg(name);
}

// Answers the language dialog with the line of the given index.
void ChooseLanguage(QWidget &window, int index)
{
    auto *combo = window.findChild<QComboBox *>("COMBO_LANG");
    ASSERT_NE(combo, nullptr);
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemText(i).startsWith(QString::number(index + 1)))
            combo->setCurrentIndex(i);
    QTest::mouseClick(window.findChild<QAbstractButton *>("BT_OK"), Qt::LeftButton);
}

void ExpectMainWindowIn(WndSudoku &w, int language)
{
    EXPECT_EQ(w.windowTitle(), "N I N E F O L D   S U D O K U");
    for (const Pair &p : MainControls)
        EXPECT_EQ(TextOf(w, p.name), Expected(p, language)) << p.name << " in " << language;
    for (const Pair &p : MainMenu)
        EXPECT_EQ(MenuText(w, p.name), Expected(p, language)) << p.name << " in " << language;
}

class WndSudokuLanguage : public ::testing::Test
{
protected:
    void SetUp() override { FreshStart("English"); }
    void TearDown() override
    {
        GateSolver::OpenGate();
        CloseMainWindow(w);
    }
    WndSudoku *w = nullptr;
};
} // namespace

TEST_F(WndSudokuLanguage, EveryTextOfTheMainWindowSwitchesBetweenBothLanguages)
{
    w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    ExpectMainWindowIn(*w, 1);
    {
        ModalRecorder hook([](QWidget &window) { ChooseLanguage(window, 0); });
        w->ChangeLanguage(true);
        ASSERT_EQ(hook.Seen().size(), 1);
        EXPECT_EQ(hook.Seen()[0].window, "SUDOKU_SELECT_LANGUAGE");
    }
    EXPECT_EQ(GetSetting("Language"), "German");
    EXPECT_EQ(w->GetLanguage(), 0);
    ExpectMainWindowIn(*w, 0);
    SaveScreenshot(*w, "language-german");
    {
        ModalRecorder hook([](QWidget &window) { ChooseLanguage(window, 1); });
        w->ChangeLanguage(true);
    }
    EXPECT_EQ(GetSetting("Language"), "English");
    ExpectMainWindowIn(*w, 1);
}

TEST_F(WndSudokuLanguage, DefinitionModeNamesTheFinishButtonInEitherLanguage)
{
    w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    WndSudokuPeer::FixMode(*w) = true;
    w->Localize();
    EXPECT_EQ(TextOf(*w, "BT_NEW_GAME"), "Finish d&efinition");
    WndSudokuPeer::Language(*w) = 0;
    w->Localize();
    EXPECT_EQ(TextOf(*w, "BT_NEW_GAME"), "D&efinition beenden");
}

TEST_F(WndSudokuLanguage, WhileTheSolverRunsOnlyTheSolveButtonShowsCancelOrPleaseWait)
{
    w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    w->Game() = *SolutionWithout({0, 40, 80});
    GateSolver::CloseGate();
    ASSERT_TRUE(w->Game().ThreadSolve(-1, false, "GateSolver"));
    w->AddTimerState(TS_SOLVE);
    while (WndSudokuPeer::SolveLevel(*w) != 2)
        QThread::msleep(1);

    for (int language : {0, 1}) {
        WndSudokuPeer::Language(*w) = short(language);
        w->Localize();
        EXPECT_EQ(TextOf(*w, "BT_SOLVE"), language ? "&Cancel" : "Abbre&chen");
        EXPECT_EQ(TextOf(*w, "BT_NEXT_STEP"), language ? "&Proposal" : "&Vorschlag");
        EXPECT_EQ(TextOf(*w, "BT_CREATE_GAME"), language ? "New &riddle ..." : "Neues &Rätsel ...");
    }
    w->Game().CancelThread();
    for (int language : {0, 1}) {
        WndSudokuPeer::Language(*w) = short(language);
        w->Localize();
        EXPECT_EQ(TextOf(*w, "BT_SOLVE"), language ? "Please wait ..." : "Bitte warten ...");
        EXPECT_EQ(TextOf(*w, "BT_NEXT_STEP"), language ? "&Proposal" : "&Vorschlag");
    }
    GateSolver::OpenGate();
    WaitForThreadEnd(w->Game());
    w->RemoveTimerState(TS_SOLVE);
}

TEST_F(WndSudokuLanguage, OptionsDialogTextsInBothLanguages)
{
    ASSERT_TRUE(InstallBundle());
    for (int language : {0, 1}) {
        SdkWndOptions options(short(language), nullptr);
        options.Localize();
        for (const Pair &p : OptionsTexts)
            EXPECT_EQ(TextIn(options, p.name), Expected(p, language)) << p.name;
    }
}

TEST_F(WndSudokuLanguage, AboutBoxInBothLanguages)
{
    w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    for (int language : {0, 1}) {
        WndSudokuPeer::Language(*w) = short(language);
        ModalRecorder hook([](QWidget &window) {
            QTest::mouseClick(window.findChild<QAbstractButton *>("BT_CLOSE"), Qt::LeftButton);
        });
        VxEvent event;
        EXPECT_TRUE(w->DoAbout(event));
        ASSERT_EQ(hook.Seen().size(), 1);
        EXPECT_EQ(hook.Seen()[0].window, "SUDOKU_ABOUT");
        EXPECT_EQ(hook.Seen()[0].title, language ? "About   N I N E F O L D   S U D O K U"
                                                 : "Über   N I N E F O L D   S U D O K U");
    }
    SdkWndAbout about(1, "N I N E F O L D\nS U D O K U", 0x130, w);
    about.Localize();
    EXPECT_EQ(TextIn(about, "STAT_TITLE"), "N I N E F O L D\nS U D O K U\nV. 1.30");
    EXPECT_EQ(TextIn(about, "STAT_NAME"), "The Ninefold Sudoku developers");
    about.SetInstallDir("/opt/nf");
    about.Localize();
    EXPECT_EQ(TextIn(about, "STAT_IMPRESSUM_WEB"),
              "file:///opt/nf/doku/Doku.NinefoldSudoku.Main.eng.html");
    EXPECT_TRUE(TextIn(about, "STAT_IMPRESSUM").contains("GNU General Public License"));
    for (const char *name : {"STAT_INFO", "STAT_BROUGHT", "STAT_IMPRESSUM"})
        EXPECT_FALSE(TextIn(about, name).isEmpty()) << name;
}

TEST_F(WndSudokuLanguage, LanguageDialogPreselectsTheCurrentLineAndIgnoresALineWithoutNumber)
{
    ASSERT_TRUE(InstallBundle());
    {
        SdkWndSelectLanguage dialog(1, nullptr);
        ModalRecorder hook([](QWidget &window) {
            auto *combo = window.findChild<QComboBox *>("COMBO_LANG");
            ASSERT_NE(combo, nullptr);
            EXPECT_TRUE(combo->currentText().startsWith("2"));
            EXPECT_TRUE(combo->hasFocus() || !window.isActiveWindow());
            combo->setEditable(true);
            for (const char *line : {"Deutsch", "3 Klingon", "12 English"}) {
                combo->setEditText(line);
                QTest::mouseClick(window.findChild<QAbstractButton *>("BT_OK"), Qt::LeftButton);
                EXPECT_TRUE(window.isVisible()) << line; // no known number: it stays open
            }
        });
        EXPECT_EQ(dialog.StartModal(), 2);
        EXPECT_EQ(dialog.GetLanguage(), 1);
    }
    {
        SdkWndSelectLanguage dialog(0, nullptr);
        ModalRecorder hook([](QWidget &window) { ChooseLanguage(window, 1); });
        EXPECT_EQ(dialog.StartModal(), 1);
        EXPECT_EQ(dialog.GetLanguage(), 1);
    }
}

TEST_F(WndSudokuLanguage, StoredLanguageWordsAreReadIgnoringCase)
{
    w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    const QList<QPair<QString, int>> cases = {{"German", 0},   {"deutsch", 0},  {"DEUTSCH", 0},
                                              {"English", 1},  {"englisch", 1}, {"EnGlIsCh", 1},
                                              {"Klingon", -1}, {"", -1}};
    for (const auto &c : cases) {
        WndSudokuPeer::Language(*w) = -1;
        SetSetting("Language", c.first);
        EXPECT_EQ(w->ReadLanguage(), c.second >= 0) << qPrintable(c.first);
        EXPECT_EQ(WndSudokuPeer::Language(*w), c.second) << qPrintable(c.first);
    }
}

TEST_F(WndSudokuLanguage, FirstStartAsksInGermanAndCancelStillStoresTheLanguage)
{
    SetSetting("Language", "Klingon");
    w = OpenMainWindow(false);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->GetLanguage(), 0);
    EXPECT_TRUE(w->HasTimerState(TS_ASK_LANGUAGE));
    EXPECT_EQ(TextOf(*w, "BT_SAVE_GAME"), "Spiel &speichern");
    {
        ModalRecorder hook([](QWidget &window) {
            if (window.objectName() == "SUDOKU_SELECT_LANGUAGE") {
                auto *combo = window.findChild<QComboBox *>("COMBO_LANG");
                EXPECT_TRUE(combo->currentText().startsWith("1"));
            }
            // left open: dismissed like the frame's close button
        });
        w->EvTimer();
        ASSERT_GE(hook.Seen().size(), 1);
        EXPECT_EQ(hook.Seen()[0].window, "SUDOKU_SELECT_LANGUAGE");
    }
    EXPECT_FALSE(w->HasTimerState(TS_ASK_LANGUAGE));
    EXPECT_EQ(GetSetting("Language"), "German");
    EXPECT_EQ(TextOf(*w, "BT_SAVE_GAME"), "Spiel &speichern");
}

TEST_F(WndSudokuLanguage, ChoosingTheActiveLanguageStoresItWithoutRelocalizing)
{
    w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    SetSetting("Language", "englisch");
    // A changed control text shows whether the window was localized again.
    VxCtl::SetText(w->FindChild("STAT_ACTIONS"), "marker");
    ModalRecorder hook([](QWidget &window) { ChooseLanguage(window, 1); });
    w->ChangeLanguage(true);
    EXPECT_EQ(GetSetting("Language"), "English");
    EXPECT_EQ(TextOf(*w, "STAT_ACTIONS"), "marker");
}

TEST_F(WndSudokuLanguage, EveryDialogOfTheMenuOpensInTheWindowsLanguage)
{
    w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    w->Game() = *MakeGame(Riddle);
    const struct
    {
        bool (WndSudoku::*command)(VxEvent &);
        const char *window;
        const char *german;
        const char *english;
    } dialogs[] = {
        {&WndSudoku::DoGameOptions, "SUDOKU_OPTIONS", "Spiel-Optionen", "Game-Options"},
        {&WndSudoku::DoAbout, "SUDOKU_ABOUT", "Über   N I N E F O L D   S U D O K U",
         "About   N I N E F O L D   S U D O K U"},
        {&WndSudoku::DoCreateGame, "SUDOKU_GAME_CREATE_TYPE", "Typ der Rätselerzeugung auswählen",
         "Select the type of game creation"},
    };
    for (int language : {0, 1}) {
        WndSudokuPeer::Language(*w) = short(language);
        w->Localize();
        SaveScreenshot(*w, language ? "manual_main_en" : "manual_main_de");
        for (const auto &d : dialogs) {
            ModalRecorder hook([language](QWidget &window) {
                // A question about unsaved changes is answered No; dialogs are cancelled.
                if (auto *no = window.findChild<QAbstractButton *>("BT_NO")) {
                    QTest::mouseClick(no, Qt::LeftButton);
                    return;
                }
                SaveScreenshot(window, window.objectName().toLower() + (language ? "_en" : "_de"));
                if (auto *cancel = window.findChild<QAbstractButton *>("BT_CANCEL"))
                    QTest::mouseClick(cancel, Qt::LeftButton);
            });
            VxEvent event;
            (w->*d.command)(event);
            const auto seen =
                std::find_if(hook.Seen().begin(), hook.Seen().end(),
                             [&d](const ModalAnswer &a) { return a.window == d.window; });
            ASSERT_NE(seen, hook.Seen().end()) << d.window;
            EXPECT_EQ(seen->title, QString::fromUtf8(language ? d.english : d.german))
                << qPrintable(seen->title);
        }
        ModalRecorder hook([language](QWidget &window) {
            SaveScreenshot(window, window.objectName().toLower() + (language ? "_en" : "_de"));
        });
        w->ChangeLanguage(true);
        EXPECT_EQ(w->GetLanguage(), language);
    }
}

namespace {
const Pair CreateTypeTexts[] = {
    {"", "Typ der Rätselerzeugung auswählen", "Select the type of game creation"},
    {"RAD_PREDEF", "&Schnellverfahren", "&Fast riddle-creation"},
    {"RAD_COMPUTED", "Ein neues Rätsel mit Benutzeroptionen &berechnen",
     "C&alculate a new riddle with user defined options"},
    {"RAD_LEVEL_1", "Schwierigkeitsstufe 1 (einfach)", "Level 1 (simple)"},
    {"RAD_LEVEL_2", "Schwierigkeitsstufe 2 (mittel)", "Level 2 (medium)"},
    {"RAD_LEVEL_3", "Schwierigkeitsstufe 3 (schwierig)", "Level 3 (difficult)"},
    {"BT_OK", "&OK", "&OK"},
    {"BT_CANCEL", "Abbre&chen", "&Cancel"},
};

const Pair CreateParamTexts[] = {
    {"", "Optionen zur Berechnung eines neuen SUDOKU-Rätsels",
     "Options for computing a new SUDOKU-Game"},
    {"GRP_CALC_SETTINGS", "Berechnungseinstellungen", "Computing Settings"},
    {"LABEL_FIX", "Anzahl der vorgegebenen Zahlen:", "Number of predefined values:"},
    {"LABEL_ATTEMPTS",
     "Maximale Anzahl der Testiterationen:", "Maximum number of test-iterations:"},
    {"LABEL_MIN_DIRECT", "Mindestzahl direkt lösbarer Werte:", "Minimum directly solvable values:"},
    {"LABEL_LEVEL", "Typ Schwierigkeitsgrad:", "Type of severity:"},
    {"RAD_LEVEL_STANDARD", "&Standard", "&Standard"},
    {"RAD_LEVEL_PROFI", "&Erweitert", "&Extended"},
    {"GRP_LEVEL_STANDARD", "Schwierigkeitsgrad Standard", "Severity Standard"},
    {"GRP_LEVEL_PROFI", "Schwierigkeitsgrad Erweitert", "Severity Extended"},
    {"RAD_LEVEL_1", "&leicht", "&low"},
    {"RAD_LEVEL_2", "&mittel", "&medium"},
    {"RAD_LEVEL_3", "sch&wer", "&high"},
    {"LABEL_BACKTRACKING", "Backtracking:", "Backtracking:"},
    {"LABEL_MIN_BT", "min.:", "min.:"},
    {"LABEL_MAX_BT", "max.:", "max.:"},
    {"BT_OK", "&OK", "&OK"},
    {"BT_CANCEL", "Abbre&chen", "&Cancel"},
};

const Pair LoadParamTexts[] = {
    {"", "Spiel-Optionen für das Laden", "Game options for loading"},
    {"RAD_LOAD_CURRENT_STATE", "Das Spiel im zuletzt gespeicherten Spielverlauf laden",
     "Load the game in the last edited state"},
    {"RAD_LOAD_NEW_SOLUTION", "Das Spiel im Startmodus laden und mit der Lösung neu beginnen",
     "Load the game in start-mode in order to begin a new solution"},
    {"RAD_LOAD_SOLUTION_AND_HISTORY",
     "Das Spiel einschließlich der Lösung UND des Spielverlaufs zur Lösung laden",
     "Load the game including its solution AND the complete history of all single moves"},
    {"RAD_LOAD_SOLUTION", "Das Spiel einschließlich der Lösung aber OHNE Spielverlauf laden",
     "Load the game including its solution, but WITHOUT the solving-history"},
    {"CHK_RESET_TO_START", "Das Spiel auf den Anfang des Spielverlaufs zurücksetzen",
     "Reset the game to the beginning of the solving-history"},
    {"BT_OK", "&OK", "&OK"},
};

const Pair DefTypeTexts[] = {
    {"", "Spieldefinition", "Game Definition"},
    {"GRP_MODE", "Modus", "Mode"},
    {"RAD_NEW_FIX", "Neue Spieldefinition entwerfen", "Create a new game definition"},
    {"RAD_CONTINUE_FIX", "Bestehende Spieldefinition erweitern", "Edit current game definition"},
    {"BT_OK", "&OK", "&OK"},
    {"BT_CANCEL", "Abbre&chen", "&Cancel"},
};

template<size_t N>
void ExpectTexts(VxWFrame &dialog, const Pair (&table)[N], int language, const char *which)
{
    for (const Pair &p : table)
        EXPECT_EQ(TextIn(dialog, p.name), Expected(p, language))
            << which << " " << p.name << " in " << language;
}
} // namespace

TEST_F(WndSudokuLanguage, GameDialogTextsInBothLanguages)
{
    ASSERT_TRUE(InstallBundle());
    const auto preview = MakeGame(Riddle);
    for (int language : {0, 1}) {
        const short l = short(language);
        SdkCreateType createType(l, 1, 1, nullptr);
        createType.Localize();
        ExpectTexts(createType, CreateTypeTexts, language, "SdkCreateType");
        SdkCreateGameParam createParam(l, nullptr);
        createParam.Localize();
        ExpectTexts(createParam, CreateParamTexts, language, "SdkCreateGameParam");
        SdkLoadParam loadParam(l, *preview, nullptr);
        loadParam.Localize();
        ExpectTexts(loadParam, LoadParamTexts, language, "SdkLoadParam");
        SdkWndSelectDefType defType(l, 1, false, nullptr);
        defType.Localize();
        ExpectTexts(defType, DefTypeTexts, language, "SdkWndSelectDefType");
    }
}
