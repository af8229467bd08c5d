// Game commands as a player goes through them: buttons pressed, dialogs and questions answered,
// the timer ticked until the engine is idle.
#include "SdkAppTestSupport.h"

#include "velox/VxCtl.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace SdkTest;

namespace {
const QString PlainTitle = QStringLiteral("N I N E F O L D   S U D O K U");
const QString CompletedTitle = PlainTitle + QStringLiteral("  -  SUCCESSFULLY FINISHED!");
const QString DefinitionTitle = PlainTitle + QStringLiteral("  -  Edit Game-Definition");

std::vector<int> EmptyFields()
{
    std::vector<int> fields;
    for (int i = 0; i < 81; ++i)
        if (Riddle[i] == '0')
            fields.push_back(i);
    return fields;
}

// The classic riddle with the first n empty fields solved.
std::unique_ptr<Sudoku> RiddlePlayed(size_t n)
{
    auto game = MakeGame(Riddle);
    const std::vector<int> empty = EmptyFields();
    for (size_t k = 0; k < n && k < empty.size(); ++k)
        EXPECT_TRUE(game->SetValue(SdkDigit(Solution[empty[k]] - '0'), unsigned(empty[k] / 9),
                                   unsigned(empty[k] % 9)));
    return game;
}

class GameFlow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(install.isValid());
        FreshStart("English", install.path());
        w = OpenMainWindow();
        ASSERT_NE(w, nullptr);
        // The program's own data would win over the stored folder: point it at the test's.
        WndSudokuPeer::InstallDir(*w) = install.path();
    }
    void TearDown() override { CloseMainWindow(w); }

    void Start(size_t played = 0)
    {
        w->Game() = *RiddlePlayed(played);
        w->ValidateStates();
        w->EvTimer();
    }
    QString File(const char *name) { return games.filePath(QLatin1String(name)); }
    bool Saved(const char *name, size_t played)
    {
        return RiddlePlayed(played)->SaveGame(File(name).toStdString(), false, true);
    }
    QString Stack() { return TextOf(*w, "STAT_STACK"); }

    QTemporaryDir install;
    QTemporaryDir games;
    WndSudoku *w = nullptr;
};
} // namespace

TEST_F(GameFlow, RiddleTypedInDefinitionModeIsPlayedToTheEnd)
{
    Press(*w, "BT_NEW_GAME");
    ASSERT_TRUE(WndSudokuPeer::FixMode(*w));
    EXPECT_EQ(Title(*w), DefinitionTitle);
    EXPECT_FALSE(Enabled(*w, "BT_SOLVE"));
    ClickField(*w, 0, 0);
    for (int i = 0; i < 81; ++i) {
        if (Riddle[i] != '0')
            Digit(*w, Riddle[i] - '0');
        Key(*w, Qt::Key_Right);
    }
    EXPECT_EQ(w->Game().GetFixCount(), 30u);
    ClickField(*w, 0, 2);
    Digit(*w, 5); // conflicts with the given 5: not fixed
    EXPECT_EQ(w->Game().GetField(0, 2).GetValue(), SdkDigitEmpty);
    ClickField(*w, 0, 0);
    Key(*w, Qt::Key_Delete);
    EXPECT_EQ(w->Game().GetFixCount(), 29u);
    Digit(*w, 5);
    w->EvTimer();
    EXPECT_EQ(Stack(), "Fix Nnumber Count: 30");

    Press(*w, "BT_NEW_GAME");
    EXPECT_FALSE(WndSudokuPeer::FixMode(*w));
    EXPECT_EQ(TextOf(*w, "BT_NEW_GAME"), "Edit riddl&e manually ...");
    EXPECT_TRUE(Enabled(*w, "BT_SOLVE"));
    EXPECT_EQ(Title(*w), PlainTitle);
    Key(*w, Qt::Key_Delete); // a given stays in play
    EXPECT_EQ(w->Game().GetField(0, 0).GetValue(), SdkDigit5);
    ClickField(*w, 0, 2);
    Digit(*w, 1); // wrong, but allowed: the engine takes it and Delete removes it
    EXPECT_EQ(w->Game().GetField(0, 2).GetValue(), SdkDigit1);
    Key(*w, Qt::Key_Delete);
    EXPECT_EQ(w->Game().GetField(0, 2).GetValue(), SdkDigitEmpty);
    EXPECT_EQ(Status(*w), "Value deleted in field row/column: [1/3].");
    for (int i : EmptyFields()) {
        ClickField(*w, unsigned(i / 9), unsigned(i % 9));
        Digit(*w, Solution[i] - '0');
    }
    w->EvTimer();
    EXPECT_EQ(Values(w->Game()), QLatin1String(Solution));
    EXPECT_EQ(Title(*w), CompletedTitle);
    EXPECT_EQ(Status(*w), "The game has been successfully completed.");
    EXPECT_FALSE(Enabled(*w, "BT_SOLVE"));
}

TEST_F(GameFlow, NewGameAsksForTheModeAndTooFewGivensCannotBePlayed)
{
    Start(1);
    Script script;
    script.On("SUDOKU_GAME_DEF_TYPE", [](QWidget &window) {
        // Continue is proposed for an unfinished game; cancel keeps it.
        EXPECT_TRUE(VxCtl::IsChecked(window.findChild<QWidget *>("RAD_CONTINUE_FIX")));
        PressButton("BT_CANCEL")(window);
    });
    script.On("WND_MESSAGE", PressButton("BT_NO"));
    Press(*w, "BT_NEW_GAME");
    EXPECT_EQ(script.SeenWindows(), QStringList({"WND_MESSAGE", "SUDOKU_GAME_DEF_TYPE"}));
    EXPECT_TRUE(WndSudokuPeer::FixMode(*w));
    EXPECT_EQ(w->Game().GetFixCount(), 30u);
    EXPECT_EQ(w->Game().GetSolvedCount(), 0u);
    Press(*w, "BT_NEW_GAME");

    script.On("WND_MESSAGE", PressButton("BT_NO"));
    script.On("SUDOKU_GAME_DEF_TYPE", TickThenPress("RAD_NEW_FIX"));
    Press(*w, "BT_NEW_GAME");
    EXPECT_EQ(w->Game().GetFixCount(), 0u);
    for (int i = 0; i < 5; ++i) {
        ClickField(*w, 0, unsigned(i));
        Digit(*w, i + 1);
    }
    Press(*w, "BT_NEW_GAME");
    EXPECT_FALSE(WndSudokuPeer::FixMode(*w));
    EXPECT_EQ(Title(*w), PlainTitle + "  -  You have to specify at least 10 fix-values");
    EXPECT_FALSE(Enabled(*w, "BT_SOLVE"));
    EXPECT_FALSE(Enabled(*w, "BT_NEXT_STEP"));
    ClickField(*w, 5, 5);
    Digit(*w, 7);
    EXPECT_EQ(w->Game().GetField(5, 5).GetValue(), SdkDigitEmpty);
    EXPECT_EQ(Status(*w),
              "You first have to setup or create a game-definition with at least 10 fix values.");
}

TEST_F(GameFlow, ComputedRiddleIsCreatedOrCancelledByItsButton)
{
    for (int attempts : {3, 9999}) {
        Script script;
        script.On("SUDOKU_GAME_CREATE_TYPE", TickThenPress("RAD_COMPUTED"));
        script.On("SUDOKU_CREATE_GAME_PARAMETERS",
                  ComputedParameters(attempts > 3 ? 3 : 1, 30, attempts));
        Press(*w, "BT_CREATE_GAME");
        EXPECT_EQ(script.Pending(), 0);
        ASSERT_TRUE(w->HasTimerState(TS_CREATE));
        EXPECT_EQ(Status(*w), "Computing of a new game started ...");
        EXPECT_EQ(Title(*w), "Computing a new game ...");
        if (attempts > 3 && w->Game().IsThreadRunning()) {
            EXPECT_FALSE(Enabled(*w, "BT_LOAD_GAME"));
            EXPECT_EQ(TextOf(*w, "BT_CREATE_GAME"), "&Cancel");
            Press(*w, "BT_CREATE_GAME");
            EXPECT_EQ(TextOf(*w, "BT_CREATE_GAME"), "Please wait ...");
            Press(*w, "BT_CREATE_GAME"); // the link is gone: nothing happens
        }
        ASSERT_TRUE(TickUntilIdle(*w));
        EXPECT_EQ(TextOf(*w, "BT_CREATE_GAME"), "New &riddle ...");
        EXPECT_TRUE(Enabled(*w, "BT_LOAD_GAME"));
        EXPECT_EQ(Title(*w), PlainTitle);
        if (w->Game().WasCreateGameSuccessful()) {
            EXPECT_TRUE(Status(*w).startsWith("A new game has been created in the "));
            EXPECT_EQ(w->Game().GetFixCount(), 30u);
        } else {
            EXPECT_EQ(Status(*w), "ERROR: A new game could not be created.");
            EXPECT_EQ(w->Game().GetFixCount(), 0u);
        }
        (void)w->Game().Reset(); // nothing left to be saved
        (void)w->Game().StartGame(false, false, true);
    }
    // A cancelled parameter dialog leaves an empty board.
    Start();
    Script script;
    script.On("WND_MESSAGE", PressButton("BT_NO"));
    script.On("SUDOKU_GAME_CREATE_TYPE", TickThenPress("RAD_COMPUTED"));
    script.On("SUDOKU_CREATE_GAME_PARAMETERS", PressButton("BT_CANCEL"));
    Press(*w, "BT_CREATE_GAME");
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(w->Game().GetFixCount(), 0u);
    EXPECT_FALSE(w->HasTimerState(TS_CREATE));
}

TEST_F(GameFlow, PredefinedRiddleIsPickedFromTheInstallationFolderOrReportedMissing)
{
    {
        Script script;
        script.On("SUDOKU_GAME_CREATE_TYPE", CreatePredefined(2));
        Press(*w, "BT_CREATE_GAME");
        ASSERT_EQ(script.SeenWindows(), QStringList({"SUDOKU_GAME_CREATE_TYPE", "VX_MESSAGE"}));
        EXPECT_EQ(script.Seen()[1].text, "No predefined riddle could be found.");
        EXPECT_EQ(w->Game().GetFixCount(), 0u);
    }
    ASSERT_TRUE(MakePreDefs(install.path(), 3));
    for (int level = 1; level <= 3; ++level) {
        Script script;
        script.On("SUDOKU_GAME_CREATE_TYPE", CreatePredefined(level));
        Press(*w, "BT_CREATE_GAME");
        EXPECT_EQ(script.SeenWindows(), QStringList({"SUDOKU_GAME_CREATE_TYPE"}));
        EXPECT_EQ(w->Game().GetFixCount(), 30u) << level;
        EXPECT_EQ(Title(*w), PlainTitle);
        EXPECT_TRUE(Enabled(*w, "BT_SOLVE"));
        EXPECT_TRUE(w->Game().GetFileName().IsEmpty()); // no file of its own to save onto
        (void)w->Game().Reset();
        (void)w->Game().StartGame(false, false, true);
    }
}

TEST_F(GameFlow, SaveAsAppendsTheExtensionSaveReusesTheFileAndFailuresKeepTheName)
{
    Start(2);
    Script script;
    script.On("VX_FILE_DIALOG", ChooseFile(File("first")));
    Press(*w, "BT_SAVE_GAME_AS");
    EXPECT_EQ(Status(*w), "The game has been saved.");
    EXPECT_EQ(QString::fromStdString(w->Game().GetFileName().Str()), File("first.sdk"));
    w->EvTimer();
    EXPECT_EQ(TextOf(*w, "STAT_FILENAME"), File("first.sdk"));
    EXPECT_EQ(TextOf(*w, "STAT_STATE_CHANGED"), "OK");

    ClickField(*w, 0, 5);
    Digit(*w, Solution[5] - '0');
    w->EvTimer();
    EXPECT_EQ(TextOf(*w, "STAT_STATE_CHANGED"), "CHG");
    Press(*w, "BT_SAVE_GAME"); // no dialog: the game has its file
    EXPECT_EQ(script.SeenWindows(), QStringList({"VX_FILE_DIALOG"}));
    Sudoku saved;
    ASSERT_TRUE(saved.LoadGame(File("first.sdk").toStdString(), false, true));
    EXPECT_EQ(Values(saved), Values(w->Game()));

    // The dialog starts in the folder of the last game; a failed save says so.
    QString startFolder;
    script.On("VX_FILE_DIALOG", [&](QWidget &window) {
        startFolder = qobject_cast<QFileDialog *>(&window)->directory().absolutePath();
        ChooseFile(File("missing/folder/x.sdk"))(window);
    });
    Press(*w, "BT_SAVE_GAME_AS");
    EXPECT_EQ(startFolder, QDir(games.path()).absolutePath());
    EXPECT_EQ(Status(*w), "ERROR: The game could not be saved.");
    EXPECT_EQ(QString::fromStdString(w->Game().GetFileName().Str()), File("first.sdk"));
    // A cancelled dialog saves nothing.
    script.On("VX_FILE_DIALOG",
              [](QWidget &window) { qobject_cast<QDialog *>(&window)->reject(); });
    w->EmptyStatus();
    Press(*w, "BT_SAVE_GAME_AS");
    EXPECT_EQ(Status(*w), "");
}

namespace {
// The load dialog as it was offered: per radio "e" enabled, "t" ticked, and the reset box.
struct Offer
{
    QString radios;
    bool reset = false;
    QString header;
};
} // namespace

TEST_F(GameFlow, LoadOffersTheModesTheFileAllows)
{
    ASSERT_TRUE(Saved("partly.sdk", 5));
    ASSERT_TRUE(Saved("complete.sdk", 51));
    ASSERT_TRUE(Saved("fresh.sdk", 0));
    const struct
    {
        const char *file, *choose;
        bool rewind;
        QString radios, header, stack;
        bool resetOffered;
        QString status;
    } cases[] = {
        {"partly.sdk", nullptr, false, "et e. .. ..", "The game is partly solved.",
         "Fix: 30   Step: 5/5", true, "The game has been loaded and is now ready for solving."},
        {"partly.sdk", nullptr, true, "et e. .. ..", "The game is partly solved.",
         "Fix: 30   Step: 0/5", true, "The game has been loaded and is now ready for solving."},
        {"partly.sdk", "RAD_LOAD_NEW_SOLUTION", false, "et e. .. ..", "The game is partly solved.",
         "Fix: 30   Step: 0/0", false, "The game has been loaded and is now ready for solving."},
        {"complete.sdk", nullptr, false, ".. e. e. et", "The game has been completely solved.",
         "Fix: 30   Step: 0/0", false, "The game has been loaded with its complete solution."},
        {"complete.sdk", "RAD_LOAD_SOLUTION_AND_HISTORY", false, ".. e. e. et",
         "The game has been completely solved.", "Fix: 30   Step: 51/51", true,
         "The game has been loaded with its complete solution."},
        {"complete.sdk", "RAD_LOAD_SOLUTION_AND_HISTORY", true, ".. e. e. et",
         "The game has been completely solved.", "Fix: 30   Step: 0/51", true,
         "The game has been loaded with its complete solution."},
        {"complete.sdk", "RAD_LOAD_NEW_SOLUTION", false, ".. e. e. et",
         "The game has been completely solved.", "Fix: 30   Step: 0/0", false,
         "The game has been loaded and is now ready for solving."},
        {"fresh.sdk", nullptr, false, ".. et .. ..", "The game has not yet started.",
         "Fix: 30   Step: 0/0", false, "The game has been loaded and is now ready for solving."},
    };
    for (const auto &c : cases) {
        Offer offer;
        Script script;
        script.On("WND_MESSAGE", PressButton("BT_NO"));
        script.On("VX_FILE_DIALOG", ChooseFile(File(c.file)));
        script.On("SUDOKU_LOAD_PARAMETERS", [&offer, &c](QWidget &window) {
            QStringList radios;
            for (const char *name : {"RAD_LOAD_CURRENT_STATE", "RAD_LOAD_NEW_SOLUTION",
                                     "RAD_LOAD_SOLUTION_AND_HISTORY", "RAD_LOAD_SOLUTION"}) {
                QWidget *r = window.findChild<QWidget *>(QLatin1String(name));
                radios << QString(VxCtl::IsEnabled(r) ? "e" : ".") +
                              (VxCtl::IsChecked(r) ? "t" : ".");
            }
            offer.radios = radios.join(' ');
            offer.header = VxCtl::GetText(window.findChild<QWidget *>("STAT_TITLE_LINE"));
            if (c.choose)
                Check(window.findChild<QWidget *>(QLatin1String(c.choose)));
            QWidget *reset = window.findChild<QWidget *>("CHK_RESET_TO_START");
            offer.reset = VxCtl::IsEnabled(reset);
            if (c.rewind)
                Check(reset);
            PressButton("BT_OK")(window);
        });
        Press(*w, "BT_LOAD_GAME");
        w->EvTimer();
        const QString what = QString(c.file) + " " + c.choose + " " + (c.rewind ? "rewound" : "");
        EXPECT_EQ(offer.radios, c.radios) << qPrintable(what);
        EXPECT_TRUE(offer.header.startsWith(c.header + "\n")) << qPrintable(offer.header);
        EXPECT_EQ(offer.reset, c.resetOffered) << qPrintable(what);
        EXPECT_EQ(Stack(), c.stack) << qPrintable(what);
        EXPECT_EQ(Status(*w), c.status) << qPrintable(what);
        EXPECT_EQ(TextOf(*w, "STAT_FILENAME"), File(c.file));
        EXPECT_EQ(Title(*w), w->Game().IsCompleted() ? CompletedTitle : PlainTitle);
    }
}

TEST_F(GameFlow, ShortFileOpensTheDefinitionAndBrokenOnesKeepThePreviousGame)
{
    ASSERT_TRUE(MakeGame("530070000600195000000000000000000000000000000000000000000000000000000"
                         "000000000000")
                    ->SaveGame(File("short.sdk").toStdString(), false, true));
    QFile broken(File("broken.sdk"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("this is no sudoku");
    broken.close();
    Script script;
    script.On("VX_FILE_DIALOG", ChooseFile(File("short.sdk")));
    Press(*w, "BT_LOAD_GAME");
    EXPECT_EQ(script.SeenWindows(), QStringList({"VX_FILE_DIALOG"}));
    EXPECT_TRUE(WndSudokuPeer::FixMode(*w));
    EXPECT_EQ(w->Game().GetFixCount(), 7u);
    EXPECT_EQ(Title(*w), DefinitionTitle);
    Press(*w, "BT_NEW_GAME");
    for (const char *file : {"broken.sdk"}) {
        script.On("WND_MESSAGE", PressButton("BT_NO"));
        script.On("VX_FILE_DIALOG", ChooseFile(File(file)));
        const unsigned fixes = w->Game().GetFixCount();
        const bool definition = WndSudokuPeer::FixMode(*w);
        Press(*w, "BT_LOAD_GAME");
        EXPECT_EQ(Status(*w), "ERROR: The game could not be loaded.") << file;
        EXPECT_EQ(w->Game().GetFixCount(), fixes) << file;
        EXPECT_EQ(WndSudokuPeer::FixMode(*w), definition);
    }
}

TEST_F(GameFlow, UnsavedChangesAreAskedForBeforeNewLoadAndCreate)
{
    ASSERT_TRUE(Saved("partly.sdk", 5));
    const Reply cancel = PressButton("BT_CANCEL"), no = PressButton("BT_NO"),
                yes = PressButton("BT_YES");
    const Reply closed = [](QWidget &d) { qobject_cast<QDialog *>(&d)->reject(); };
    const struct
    {
        const char *command;
        QList<QPair<QString, Reply>> answers;
        bool goesOn;
        QString status;
    } cases[] = {
        {"BT_NEW_GAME", {{"WND_MESSAGE", cancel}}, false, ""},
        {"BT_LOAD_GAME", {{"WND_MESSAGE", cancel}}, false, ""},
        {"BT_CREATE_GAME", {{"WND_MESSAGE", cancel}}, false, ""},
        {"BT_CREATE_GAME", {{"WND_MESSAGE", no}, {"SUDOKU_GAME_CREATE_TYPE", cancel}}, true, ""},
        // Yes on an unnamed game asks for a name; a closed file dialog still goes on.
        {"BT_LOAD_GAME",
         {{"WND_MESSAGE", yes},
          {"VX_FILE_DIALOG", closed},
          {"VX_FILE_DIALOG", ChooseFile(File("partly.sdk"))},
          {"SUDOKU_LOAD_PARAMETERS", PressButton("BT_OK")}},
         true,
         "The game has been loaded and is now ready for solving."},
        {"BT_NEW_GAME",
         {{"WND_MESSAGE", yes},
          {"VX_FILE_DIALOG", ChooseFile(File("asked"))},
          {"SUDOKU_GAME_DEF_TYPE", cancel}},
         true,
         "The game has been saved."},
        // A failed save stops the command.
        {"BT_CREATE_GAME",
         {{"WND_MESSAGE", yes}, {"VX_FILE_DIALOG", ChooseFile(File("no/such/folder/x.sdk"))}},
         false,
         "ERROR: The game could not be saved."},
    };
    for (const auto &c : cases) {
        Start(1);
        w->EmptyStatus();
        Script script;
        QStringList expected;
        for (const auto &[window, answer] : c.answers) {
            script.On(window, answer);
            expected << window;
        }
        Press(*w, c.command);
        const QString what = QString(c.command) + " " + expected.join(',');
        EXPECT_EQ(script.SeenWindows(), expected) << qPrintable(what);
        EXPECT_EQ(script.Seen().value(0).title, "User Request");
        EXPECT_TRUE(script.Seen().value(0).text.contains("This game has not yet been saved."));
        if (!c.goesOn) {
            EXPECT_EQ(w->Game().GetSolvedCount(), 1u) << qPrintable(what);
        }
        EXPECT_EQ(Status(*w), c.status) << qPrintable(what);
        if (WndSudokuPeer::FixMode(*w))
            Press(*w, "BT_NEW_GAME");
    }
    EXPECT_TRUE(QFileInfo::exists(File("asked.sdk")));
    // A game as it was saved asks nothing.
    Script script;
    script.On("WND_MESSAGE", PressButton("BT_NO"));
    script.On("VX_FILE_DIALOG", ChooseFile(File("partly.sdk")));
    script.On("SUDOKU_LOAD_PARAMETERS", PressButton("BT_OK"));
    script.On("SUDOKU_GAME_CREATE_TYPE", PressButton("BT_CANCEL"));
    Press(*w, "BT_LOAD_GAME");
    Press(*w, "BT_CREATE_GAME");
    EXPECT_EQ(script.SeenWindows(),
              QStringList({"WND_MESSAGE", "VX_FILE_DIALOG", "SUDOKU_LOAD_PARAMETERS",
                           "SUDOKU_GAME_CREATE_TYPE"}));
    // A move after loading is asked for again.
    ASSERT_TRUE(w->SetCurrentValue(SdkDigit(Solution[8] - '0'), 0, 8));
    script.On("WND_MESSAGE", PressButton("BT_CANCEL"));
    Press(*w, "BT_CREATE_GAME");
    EXPECT_EQ(script.SeenWindows().last(), "WND_MESSAGE");
}

TEST_F(GameFlow, ReplayAsksFirstAndRepeatKeepsTheMovesForRedo)
{
    Start(3);
    {
        Script script;
        script.On("WND_MESSAGE", PressButton("BT_NO"));
        Press(*w, "BT_REPLAY_GAME");
        ASSERT_EQ(script.SeenWindows(), QStringList({"WND_MESSAGE"}));
        EXPECT_TRUE(script.Seen()[0].text.contains("Game-Reset"));
        EXPECT_EQ(w->Game().GetSolvedCount(), 3u);
    }
    {
        Script script;
        script.On("WND_MESSAGE", PressButton("BT_YES")); // reset
        script.On("WND_MESSAGE", PressButton("BT_NO"));  // not saved
        Press(*w, "BT_REPLAY_GAME");
        w->EvTimer();
        EXPECT_EQ(Stack(), "Fix: 30   Step: 0/0");
        EXPECT_EQ(Status(*w), "The game has been resetted and is now ready for a new solution.");
        EXPECT_FALSE(Enabled(*w, "BT_REPEAT_GAME"));
    }
    Start(3);
    {
        Script script;
        script.On("WND_MESSAGE", PressButton("BT_NO"));
        Press(*w, "BT_REPEAT_GAME");
    }
    EXPECT_EQ(Status(*w), "The game is now ready for beeing repeated. Please use the button "
                          "\"1 Step forward\".");
    EXPECT_FALSE(Enabled(*w, "BT_UNDO"));
    for (unsigned step = 1; step <= 3; ++step) {
        Press(*w, "BT_REDO");
        w->EvTimer();
        EXPECT_EQ(Stack(), QString("Fix: 30   Step: %1/3").arg(step));
    }
    EXPECT_FALSE(Enabled(*w, "BT_REDO"));
    EXPECT_EQ(Values(w->Game()), Values(*RiddlePlayed(3)));
    VxEvent event;
    w->DoRedo(event); // the menu reaches the ends of the history too
    EXPECT_EQ(Status(*w), "Stepping forward is not possible.");
    for (int step = 0; step < 3; ++step)
        Press(*w, "BT_UNDO");
    EXPECT_EQ(w->Game().GetSolvedCount(), 0u);
    w->DoUndo(event);
    EXPECT_EQ(Status(*w), "Stepping back is not possible.");
}

TEST_F(GameFlow, ProposalTakesADirectStepOrSolvesInTheBackground)
{
    Start();
    Press(*w, "BT_NEXT_STEP");
    EXPECT_EQ(w->Game().GetSolvedCount(), 1u);
    EXPECT_TRUE(Status(*w).startsWith("Value <")) << qPrintable(Status(*w));
    EXPECT_FALSE(w->HasTimerState(TS_NEXT_STEP));

    // Without any direct step the proposal comes from a solve on the worker.
    w->Game() = *MakeGame("100000002090400050006000700050903000000070000000850040700000600030009080"
                          "002000001");
    w->ValidateStates();
    Press(*w, "BT_NEXT_STEP");
    ASSERT_TRUE(w->HasTimerState(TS_NEXT_STEP));
    EXPECT_EQ(Status(*w), "Computing the next proposal has been started ...");
    EXPECT_EQ(TextOf(*w, "BT_NEXT_STEP"), "&Cancel");
    ASSERT_TRUE(TickUntilIdle(*w));
    EXPECT_EQ(w->Game().GetSolvedCount(), 1u);
    EXPECT_EQ(w->Game().GetUserStackCount(), 1u);
    SdkSolvedField first;
    ASSERT_TRUE(w->Game().GetSolution(0, first));
    EXPECT_EQ(Status(*w), QString("Value <%1> set in field row/column: [%2/%3].")
                              .arg(unsigned(first.GetValue()))
                              .arg(first.GetRow() + 1)
                              .arg(first.GetColumn() + 1));
    EXPECT_EQ(TextOf(*w, "BT_NEXT_STEP"), "&Proposal");
    EXPECT_EQ(Title(*w), PlainTitle);
}

TEST_F(GameFlow, SolvePlaysTheSolutionOrIsCancelledByItsButton)
{
    for (bool cancel : {false, true}) {
        Start(1);
        w->Game().SetDelayMs(cancel ? 300 : 0);
        Press(*w, "BT_SOLVE");
        EXPECT_EQ(Status(*w), "Computing the solution has been started ...");
        if (cancel) {
            ASSERT_TRUE(WaitUntil([this] {
                if (!w->Game().IsThreadRunning() || !w->HasTimerState(TS_SOLVE))
                    w->EvTimer();
                return w->HasTimerState(TS_SOLUTION);
            }));
            EXPECT_EQ(Title(*w), "Viewing the solution steps ...");
            EXPECT_EQ(TextOf(*w, "BT_SOLVE"), "&Cancel");
            Press(*w, "BT_SOLVE");
            EXPECT_EQ(TextOf(*w, "BT_SOLVE"), "Please wait ...");
        }
        ASSERT_TRUE(TickUntilIdle(*w));
        EXPECT_EQ(w->Game().IsCompleted(), !cancel);
        EXPECT_EQ(Title(*w), cancel ? PlainTitle : CompletedTitle);
        EXPECT_EQ(Status(*w), cancel ? "The automated solution has been cancelled by the user."
                                     : "The game has been successfully completed.");
        EXPECT_EQ(TextOf(*w, "BT_SOLVE"), "Co&mpute solution");
        EXPECT_EQ(Enabled(*w, "BT_SOLVE"), cancel);
    }
}
