// Game commands as a player goes through them: buttons pressed, dialogs and questions answered,
// the timer ticked until the engine is idle; and the riddle parameters dialog on its own.
#include "SdkAppTestSupport.h"

#include "app/SdkCreateGameParam.h"

using namespace SdkTest;

namespace {
const QString PlainTitle = QStringLiteral("N I N E F O L D   S U D O K U");
const QString CompletedTitle = PlainTitle + QStringLiteral("  -  SUCCESSFULLY FINISHED!");
const QString DefinitionTitle = PlainTitle + QStringLiteral("  -  Edit Game-Definition");
const QString Loaded = "The game has been loaded and is now ready for solving.";
// The classic riddle as a game file writes it.
const QByteArray Grid = "*5*346*7----*6--*1*9*5----*9*8----*6-*8---*6---*3*4--*8-*3--*1*7---*2---*"
                        "6-*6----*2*8----*4*1*9--*5----*8--*7*9";

QWidget *Child(QWidget &window, const char *name)
{
    return window.findChild<QWidget *>(QLatin1String(name));
}

// Per control: its text, or "e" enabled and "t" ticked for a button.
QString Shown(QWidget &window, std::initializer_list<const char *> names)
{
    QStringList out;
    for (const char *name : names)
        out << (QString(name).startsWith("ED_")
                    ? VxCtl::GetText(Child(window, name))
                    : QString(VxCtl::IsEnabled(Child(window, name)) ? "e" : ".") +
                          (VxCtl::IsChecked(Child(window, name)) ? "t" : "."));
    return out.join(' ');
}

void Type(QWidget &window, const char *name, const QString &text)
{
    auto *edit = window.findChild<QLineEdit *>(QLatin1String(name));
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// The classic riddle with the first n of its empty fields solved.
std::unique_ptr<Sudoku> RiddlePlayed(int n)
{
    auto game = MakeGame(Riddle);
    for (int i = 0; i < 81 && n > 0; ++i)
        if (Riddle[i] == '0' && n-- > 0) {
            EXPECT_TRUE(game->SetValue(SdkDigit(Solution[i] - '0'), unsigned(i / 9), i % 9u));
        }
    return game;
}

Reply CreateType(int level) // 0: computed, else predefined of that level
{
    return [level](QWidget &window) {
        Check(window.findChild<QAbstractButton *>(level ? "RAD_PREDEF" : "RAD_COMPUTED"));
        if (level)
            Check(window.findChild<QAbstractButton *>(QStringLiteral("RAD_LEVEL_%1").arg(level)));
        PressButton("BT_OK")(window);
    };
}

class GameFlow : public WndTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(install.isValid());
        WndTest::SetUp();
        // The program's own data would win over a stored folder: point it at the test's.
        WndSudokuPeer::InstallDir(*w) = install.path();
    }
    void Start(int played = 0) { WndTest::Start(*RiddlePlayed(played)); }
    QString File(const char *name) { return games.filePath(QLatin1String(name)); }
    bool Saved(const char *name, int played)
    {
        return RiddlePlayed(played)->SaveGame(File(name).toStdString(), false, true);
    }
    QString Stack() { return Text("STAT_STACK"); }

    QTemporaryDir install, games;
};

} // namespace

TEST_F(GameFlow, RiddleTypedInDefinitionModeIsPlayed)
{
    Press("BT_NEW_GAME");
    ASSERT_TRUE(WndSudokuPeer::FixMode(*w));
    Click(0, 0);
    for (int i = 0; i < 81; ++i) {
        if (Riddle[i] != '0')
            Digit(Riddle[i] - '0');
        Key(Qt::Key_Right);
    }
    EXPECT_EQ(w->Game().GetFixCount(), 30u);
    Click(0, 2);
    Digit(5); // conflicts with the given 5: not fixed
    EXPECT_EQ(Value(0, 2), SdkDigitEmpty);
    Click(0, 0);
    Key(Qt::Key_Delete);
    EXPECT_EQ(w->Game().GetFixCount(), 29u);
    Digit(5);
    w->EvTimer();
    EXPECT_EQ(Stack(), "Fix Nnumber Count: 30");

    Press("BT_NEW_GAME");
    EXPECT_FALSE(WndSudokuPeer::FixMode(*w));
    EXPECT_TRUE(Enabled("BT_SOLVE"));
    Click(0, 2);
    Digit(1); // wrong, but allowed: the engine takes it and Delete removes it
    EXPECT_EQ(Value(0, 2), SdkDigit1);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Value(0, 2), SdkDigitEmpty);
    EXPECT_EQ(Status(), "Value deleted in field row/column: [1/3].");
}

// New asks for the mode: continue is proposed for an unfinished game and cancel keeps it; a new
// definition with too few givens cannot be played.
TEST_F(GameFlow, NewGameAsksForTheModeAndTooFewGivensCannotBePlayed)
{
    Start(1);
    for (const char *mode : {"BT_CANCEL", "RAD_NEW_FIX"}) {
        Script script("WND_MESSAGE", PressButton("BT_NO"));
        script.On("SUDOKU_GAME_DEF_TYPE", [mode](QWidget &window) {
            EXPECT_TRUE(VxCtl::IsChecked(window.findChild<QWidget *>("RAD_CONTINUE_FIX")));
            Check(window.findChild<QWidget *>(mode));
            PressButton(mode[0] == 'B' ? mode : "BT_OK")(window);
        });
        Press("BT_NEW_GAME");
        EXPECT_EQ(script.SeenWindows(), QStringList({"WND_MESSAGE", "SUDOKU_GAME_DEF_TYPE"}));
        EXPECT_TRUE(WndSudokuPeer::FixMode(*w));
        EXPECT_EQ(w->Game().GetSolvedCount(), 0u);
        EXPECT_EQ(w->Game().GetFixCount(), mode[0] == 'B' ? 30u : 0u);
        if (mode[0] == 'B')
            Press("BT_NEW_GAME");
    }
    for (int i = 0; i < 5; ++i) {
        Click(0, unsigned(i));
        Digit(i + 1);
    }
    Press("BT_NEW_GAME");
    EXPECT_FALSE(WndSudokuPeer::FixMode(*w));
    EXPECT_EQ(Title(), PlainTitle + "  -  You have to specify at least 10 fix-values");
    EXPECT_FALSE(Enabled("BT_SOLVE"));
    EXPECT_FALSE(Enabled("BT_NEXT_STEP"));
    Click(5, 5);
    Digit(7);
    EXPECT_EQ(Value(5, 5), SdkDigitEmpty);
}

// A computation of a riddle no one can meet soon, cancelled by its button; its success and failure
// are the timer's.
TEST_F(GameFlow, ComputedRiddleIsCancelledByItsButtonOrNotStartedAtAll)
{
    for (const char *answer : {"BT_CANCEL", "BT_OK"}) {
        Script script("SUDOKU_GAME_CREATE_TYPE", CreateType(0));
        script.On("SUDOKU_CREATE_GAME_PARAMETERS", [answer](QWidget &window) {
            Type(window, "ED_ATTEMPTS", "9999");
            PressButton(answer)(window);
        });
        Press("BT_CREATE_GAME");
        ASSERT_EQ(w->HasTimerState(TS_CREATE), answer == QLatin1String("BT_OK"));
    }
    EXPECT_EQ(Status(), "Computing of a new game started ...");
    EXPECT_EQ(Title(), "Computing a new game ...");
    EXPECT_FALSE(Enabled("BT_LOAD_GAME"));
    EXPECT_EQ(Text("BT_CREATE_GAME"), "&Cancel");
    Press("BT_CREATE_GAME");
    EXPECT_EQ(Text("BT_CREATE_GAME"), "Please wait ...");
    Press("BT_CREATE_GAME"); // the link is gone: nothing happens
    ASSERT_TRUE(TickUntilIdle(*w));
    EXPECT_EQ(Text("BT_CREATE_GAME"), "New &riddle ...");
    EXPECT_TRUE(Enabled("BT_LOAD_GAME"));
    EXPECT_EQ(Title(), PlainTitle);
    EXPECT_EQ(w->Game().GetFixCount(), 0u);
}

TEST_F(GameFlow, PredefinedRiddleIsPickedFromTheInstallationFolderOrReportedMissing)
{
    { // the test's installation folder holds no riddles
        Script script("SUDOKU_GAME_CREATE_TYPE", CreateType(2));
        Press("BT_CREATE_GAME");
        ASSERT_EQ(script.SeenWindows(), QStringList({"SUDOKU_GAME_CREATE_TYPE", "VX_MESSAGE"}));
        EXPECT_EQ(script.Seen()[1].text, "No predefined riddle could be found.");
        EXPECT_EQ(w->Game().GetFixCount(), 0u);
    }
    WndSudokuPeer::InstallDir(*w) = QCoreApplication::applicationDirPath();
    for (int level : {1, 2, 3}) {
        Script script("SUDOKU_GAME_CREATE_TYPE", CreateType(level));
        Press("BT_CREATE_GAME");
        EXPECT_EQ(script.SeenWindows(), QStringList({"SUDOKU_GAME_CREATE_TYPE"}));
        EXPECT_GE(w->Game().GetFixCount(), 17u) << level;
        EXPECT_EQ(Title(), PlainTitle);
        EXPECT_TRUE(Enabled("BT_SOLVE"));
        EXPECT_TRUE(w->Game().GetFileName().IsEmpty()); // no file of its own to save onto
        (void)w->Game().Reset(); // a fresh game again: nothing left to be saved
        (void)w->Game().StartGame(false, false, true);
    }
}

TEST_F(GameFlow, SaveAsAppendsTheExtensionSaveReusesTheFileAndFailuresKeepTheName)
{
    Start(2);
    Script script("VX_FILE_DIALOG", ChooseFile(File("first")));
    Press("BT_SAVE_GAME_AS");
    EXPECT_EQ(Status(), "The game has been saved.");
    EXPECT_EQ(FromT(w->Game().GetFileName()), File("first.sdk"));
    w->EvTimer();
    EXPECT_EQ(Text("STAT_FILENAME"), File("first.sdk"));
    EXPECT_EQ(Text("STAT_STATE_CHANGED"), "OK");

    Click(0, 5);
    Digit(Solution[5] - '0');
    w->EvTimer();
    EXPECT_EQ(Text("STAT_STATE_CHANGED"), "CHG");
    Press("BT_SAVE_GAME"); // no dialog: the game has its file
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
    Press("BT_SAVE_GAME_AS");
    EXPECT_EQ(startFolder, QDir(games.path()).absolutePath());
    EXPECT_EQ(Status(), "ERROR: The game could not be saved.");
    EXPECT_EQ(FromT(w->Game().GetFileName()), File("first.sdk"));
    // A cancelled dialog saves nothing.
    script.On("VX_FILE_DIALOG", Reject);
    w->EmptyStatus();
    Press("BT_SAVE_GAME_AS");
    EXPECT_EQ(Status(), "");
}

TEST_F(GameFlow, LoadOffersTheModesTheFileAllows)
{
    const QHash<QString, QString> headers = {{"partly", "The game is partly solved."},
                                             {"complete", "The game has been completely solved."},
                                             {"fresh", "The game has not yet started."}};
    ASSERT_TRUE(Saved("partly.sdk", 5) && Saved("complete.sdk", 51) && Saved("fresh.sdk", 0));
    const QString complete = "The game has been loaded with its complete solution.";
    // The offer once chosen, "e" enabled, "t" ticked: current state, new solution, with history,
    // solution only, and rewinding to the start.
    const struct
    {
        const char *file, *choose;
        bool rewind;
        QString offer, stack, status;
    } cases[] = {
        {"partly", nullptr, false, "et e. .. .. e.", "Fix: 30   Step: 5/5", Loaded},
        {"partly", nullptr, true, "et e. .. .. e.", "Fix: 30   Step: 0/5", Loaded},
        {"partly", "RAD_LOAD_NEW_SOLUTION", false, "e. et .. .. ..", "Fix: 30   Step: 0/0", Loaded},
        {"complete", nullptr, false, ".. e. e. et ..", "Fix: 30   Step: 0/0", complete},
        {"complete", "RAD_LOAD_SOLUTION_AND_HISTORY", false, ".. e. et e. e.",
         "Fix: 30   Step: 51/51", complete},
        {"complete", "RAD_LOAD_SOLUTION_AND_HISTORY", true, ".. e. et e. e.",
         "Fix: 30   Step: 0/51", complete},
        {"complete", "RAD_LOAD_NEW_SOLUTION", false, ".. et e. e. ..", "Fix: 30   Step: 0/0",
         Loaded},
        {"fresh", nullptr, false, ".. et .. .. ..", "Fix: 30   Step: 0/0", Loaded},
    };
    for (const auto &c : cases) {
        QString offer, header;
        Script script("WND_MESSAGE", PressButton("BT_NO"));
        script.On("VX_FILE_DIALOG", ChooseFile(File(c.file) + ".sdk"));
        script.On("SUDOKU_LOAD_PARAMETERS", [&](QWidget &window) {
            window.close(); // only OK ends it
            EXPECT_TRUE(window.isVisible());
            header = VxCtl::GetText(Child(window, "STAT_TITLE_LINE"));
            if (c.choose)
                Check(Child(window, c.choose));
            offer = Shown(window, {"RAD_LOAD_CURRENT_STATE", "RAD_LOAD_NEW_SOLUTION",
                                   "RAD_LOAD_SOLUTION_AND_HISTORY", "RAD_LOAD_SOLUTION",
                                   "CHK_RESET_TO_START"});
            if (c.rewind)
                Check(Child(window, "CHK_RESET_TO_START"));
            PressButton("BT_OK")(window);
        });
        Press("BT_LOAD_GAME");
        w->EvTimer();
        SCOPED_TRACE(QString("%1 %2 %3").arg(c.file, c.choose).arg(c.rewind).toStdString());
        EXPECT_EQ(offer, c.offer);
        EXPECT_TRUE(header.startsWith(headers[c.file] + "\n")) << header;
        EXPECT_EQ(Stack(), c.stack);
        EXPECT_EQ(Status(), c.status);
        EXPECT_EQ(Text("STAT_FILENAME"), File(c.file) + ".sdk");
        EXPECT_EQ(Title(), w->Game().IsCompleted() ? CompletedTitle : PlainTitle);
    }
}

// Files that hold no playable game leave the game in play as it was and say why; a file with
// fewer than ten givens opens the definition without asking for a mode.
TEST_F(GameFlow, LoadRefusesWhatIsNoGameAndOpensAShortOneForDefinition)
{
    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 131 + 7) % 256);
    QByteArray huge = Grid + "FILE:*US:|0*BT:-1*USERRSINC:*USERRSEXC:*";
    huge.append(QByteArray(int(Sudoku::MaxGameFileBytes) + 1 - huge.size(), ' '));
    const QString notLoaded = "ERROR: The game could not be loaded.";
    const std::tuple<const char *, QByteArray, QString> cases[] = {
        // file, content, status
        {"cut-in-grid.sdk", Grid.left(100), notLoaded},
        {"cut-in-history.sdk", Grid + "FILE:*US:40026003", notLoaded},
        {"binary.sdk", binary, notLoaded},
        {"blank-at-limit.sdk", QByteArray(int(Sudoku::MaxGameFileBytes), ' '), notLoaded},
        {"huge.sdk", huge,
         "ERROR: The game could not be loaded: the file is too large for a game."},
        // The first move puts a 5 onto the given 5 at (0, 0); the board shows none of the moves.
        {"contradicting.sdk", Grid + "FILE:*US:5000900210444002|4*BT:-1*",
         "ERROR: The game could not be loaded: the move history of the file does not match its "
         "board."},
    };
    Start(1);
    const QString mine = File("mine.sdk");
    ASSERT_TRUE(w->Game().SaveGame(mine.toStdString(), false, true));
    for (const auto &[name, content, status] : cases) {
        ASSERT_TRUE(WriteFile(File(name), content));
        Script script("VX_FILE_DIALOG", ChooseFile(File(name)));
        Press("BT_LOAD_GAME");
        EXPECT_EQ(Status(), status) << name;
        EXPECT_EQ(script.SeenWindows(), QStringList({"VX_FILE_DIALOG"})) << name;
        EXPECT_EQ(Values(w->Game()), Values(*RiddlePlayed(1))) << name;
        EXPECT_EQ(FromT(w->Game().GetFileName()), mine) << name;
        w->EvTimer();
    }
    ASSERT_TRUE(MakeGame(FewGivens)->SaveGame(File("short.sdk").toStdString(), false, true));
    Script script("VX_FILE_DIALOG", ChooseFile(File("short.sdk")));
    Press("BT_LOAD_GAME");
    EXPECT_EQ(script.SeenWindows(), QStringList({"VX_FILE_DIALOG"}));
    EXPECT_TRUE(WndSudokuPeer::FixMode(*w));
    EXPECT_EQ(w->Game().GetFixCount(), 3u);
    EXPECT_EQ(Title(), DefinitionTitle);
    EXPECT_EQ(FromT(w->Game().GetFileName()), File("short.sdk"));
    // A given removed makes the definition a riddle of its own, no longer the file's.
    Click(0, 0);
    Key(Qt::Key_Delete);
    EXPECT_EQ(w->Game().GetFixCount(), 2u);
    EXPECT_TRUE(w->Game().GetFileName().IsEmpty());
}

TEST_F(GameFlow, UnsavedChangesAreAskedForBeforeNewLoadAndCreate)
{
    ASSERT_TRUE(Saved("partly.sdk", 5));
    const Reply cancel = PressButton("BT_CANCEL"), no = PressButton("BT_NO"),
                yes = PressButton("BT_YES");
    const std::tuple<const char *, QList<QPair<QString, Reply>>, bool, QString> cases[] = {
        // command, answers, goesOn, status
        {"BT_NEW_GAME", {{"WND_MESSAGE", cancel}}, false, ""},
        {"BT_CREATE_GAME", {{"WND_MESSAGE", no}, {"SUDOKU_GAME_CREATE_TYPE", cancel}}, true, ""},
        // Yes on an unnamed game asks for a name; a closed file dialog still goes on.
        {"BT_LOAD_GAME",
         {{"WND_MESSAGE", yes},
          {"VX_FILE_DIALOG", Reject},
          {"VX_FILE_DIALOG", ChooseFile(File("partly.sdk"))},
          {"SUDOKU_LOAD_PARAMETERS", PressButton("BT_OK")}},
         true,
         Loaded},
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
    for (const auto &[command, answers, goesOn, status] : cases) {
        Start(1);
        w->EmptyStatus();
        Script script;
        QStringList expected;
        for (const auto &[window, answer] : answers) {
            script.On(window, answer);
            expected << window;
        }
        Press(command);
        SCOPED_TRACE((command + (" " + expected.join(','))).toStdString());
        EXPECT_EQ(script.SeenWindows(), expected);
        EXPECT_EQ(script.Seen().value(0).title, "User Request");
        EXPECT_TRUE(script.Seen().value(0).text.contains("This game has not yet been saved."));
        EXPECT_TRUE(goesOn || w->Game().GetSolvedCount() == 1u);
        EXPECT_EQ(Status(), status);
        if (WndSudokuPeer::FixMode(*w))
            Press("BT_NEW_GAME");
    }
    EXPECT_TRUE(QFileInfo::exists(File("asked.sdk")));
    // A game just saved asks nothing.
    Script script("VX_FILE_DIALOG", ChooseFile(File("kept")));
    script.On("SUDOKU_GAME_CREATE_TYPE", PressButton("BT_CANCEL"));
    Press("BT_SAVE_GAME_AS");
    Press("BT_CREATE_GAME");
    EXPECT_EQ(script.SeenWindows(), QStringList({"VX_FILE_DIALOG", "SUDOKU_GAME_CREATE_TYPE"}));
    // A move after the save is asked for, though the file is there.
    ASSERT_TRUE(w->SetCurrentValue(SdkDigit(Solution[3] - '0'), 0, 3));
    script.On("WND_MESSAGE", PressButton("BT_CANCEL"));
    Press("BT_CREATE_GAME");
    EXPECT_EQ(script.SeenWindows().last(), "WND_MESSAGE");
}

TEST_F(GameFlow, ReplayAsksFirstAndRepeatKeepsTheMovesForRedo)
{
    Start(3);
    for (const bool reset : {false, true}) {
        Script script("WND_MESSAGE", PressButton(reset ? "BT_YES" : "BT_NO"));
        script.On("WND_MESSAGE", PressButton("BT_NO")); // not saved
        Press("BT_REPLAY_GAME");
        w->EvTimer();
        EXPECT_TRUE(script.Seen().value(0).text.contains("Game-Reset"));
        EXPECT_EQ(Stack(), reset ? "Fix: 30   Step: 0/0" : "Fix: 30   Step: 3/3");
    }
    EXPECT_EQ(Status(), "The game has been resetted and is now ready for a new solution.");
    EXPECT_FALSE(Enabled("BT_REPEAT_GAME"));
    Start(3);
    {
        Script script("WND_MESSAGE", PressButton("BT_NO"));
        Press("BT_REPEAT_GAME");
    }
    EXPECT_EQ(Status(), "The game is now ready for beeing repeated. Please use the button "
                        "\"1 Step forward\".");
    EXPECT_FALSE(Enabled("BT_UNDO"));
    for (unsigned step = 1; step <= 3; ++step) {
        Press("BT_REDO");
        w->EvTimer();
        EXPECT_EQ(Stack(), QString("Fix: 30   Step: %1/3").arg(step));
    }
    EXPECT_FALSE(Enabled("BT_REDO"));
    EXPECT_EQ(Values(w->Game()), Values(*RiddlePlayed(3)));
    for (int step = 0; step < 3; ++step)
        Press("BT_UNDO");
    EXPECT_EQ(w->Game().GetSolvedCount(), 0u);
    EXPECT_FALSE(Enabled("BT_UNDO"));
}

TEST_F(GameFlow, ProposalTakesADirectStepOrSolvesAndSolveComputesTheRest)
{
    Start();
    Press("BT_NEXT_STEP");
    EXPECT_EQ(w->Game().GetSolvedCount(), 1u);
    EXPECT_TRUE(Status().startsWith("Value <")) << Status();
    EXPECT_FALSE(w->HasTimerState(TS_NEXT_STEP));

    // Without any direct step the proposal comes from a solve on the worker.
    WndTest::Start("100000002090400050006000700050903000000070000000850040700000600030009080"
                   "002000001");
    Press("BT_NEXT_STEP");
    ASSERT_TRUE(w->HasTimerState(TS_NEXT_STEP));
    EXPECT_EQ(Status(), "Computing the next proposal has been started ...");
    EXPECT_EQ(Text("BT_NEXT_STEP"), "&Cancel");
    ASSERT_TRUE(TickUntilIdle(*w));
    EXPECT_EQ(w->Game().GetSolvedCount(), 1u);
    EXPECT_EQ(w->Game().GetUserStackCount(), 1u);
    SdkSolvedField first;
    ASSERT_TRUE(w->Game().GetSolution(0, first));
    EXPECT_EQ(Status(), QString("Value <%1> set in field row/column: [%2/%3].")
                            .arg(unsigned(first.GetValue()))
                            .arg(first.GetRow() + 1)
                            .arg(first.GetColumn() + 1));
    EXPECT_EQ(Text("BT_NEXT_STEP"), "&Proposal");
    // The solution is computed and played to the end.
    w->Game().SetDelayMs(0);
    Press("BT_SOLVE");
    EXPECT_EQ(Status(), "Computing the solution has been started ...");
    ASSERT_TRUE(TickUntilIdle(*w));
    EXPECT_EQ(Title(), CompletedTitle);
    EXPECT_FALSE(Enabled("BT_SOLVE"));
}

TEST(GameDialogs, ParametersAreClampedWhereverTheyEnter)
{
    FreshStart();
    ASSERT_TRUE(InstallBundle());
    for (const auto &[name, value] :
         {QPair("FixCount", "5"), QPair("Iterations", "0"), QPair("MinBt", "25"),
          QPair("MaxBt", "-7"), QPair("MinDirectSteps", "99"), QPair("IsProfiLevel", "3"),
          QPair("StdLevel", "7")})
        SetSetting(name, value, "CreateOptions");
    SdkCreateGameParam dialog(1, nullptr);
    Script script("SUDOKU_CREATE_GAME_PARAMETERS", [](QWidget &window) {
        EXPECT_EQ(Shown(window, {"ED_FIX", "ED_ATTEMPTS", "ED_MIN_BT", "ED_MAX_BT", "ED_MIN_DIRECT",
                                 "RAD_LEVEL_PROFI", "RAD_LEVEL_3", "ED_MIN_BT", "RAD_LEVEL_1"}),
                  "10 1 20 -1 20 et .t 20 ..");
        EXPECT_TRUE(VxCtl::IsEnabled(Child(window, "ED_MIN_BT")));
        Type(window, "ED_FIX", "100");
        Type(window, "ED_ATTEMPTS", "0");
        Type(window, "ED_MAX_BT", "-5");
        Type(window, "ED_MIN_DIRECT", "abc");
        Type(window, "ED_MIN_BT", "99999999999999999999");
        Check(Child(window, "RAD_LEVEL_STANDARD"));
        Check(Child(window, "RAD_LEVEL_2"));
        EXPECT_EQ(Shown(window, {"RAD_LEVEL_PROFI", "RAD_LEVEL_2", "RAD_LEVEL_3"}), "e. et e.");
        EXPECT_FALSE(VxCtl::IsEnabled(Child(window, "ED_MIN_BT")));
        PressButton("BT_OK")(window);
    });
    EXPECT_EQ(dialog.StartModal(), 1);
    EXPECT_EQ(QString("%1 %2 %3 %4 %5")
                  .arg(dialog.GetFix())
                  .arg(dialog.GetAttempts())
                  .arg(dialog.GetMaxBtSteps())
                  .arg(dialog.GetMinBtSteps())
                  .arg(dialog.GetMinDirectSteps()),
              "60 1 -1 20 0");
    EXPECT_FALSE(dialog.IsProfiLevel());
    EXPECT_EQ(dialog.GetStdLevel(), 2u);
    QStringList stored;
    for (const char *name : {"FixCount", "Iterations", "MaxBt", "IsProfiLevel", "StdLevel"})
        stored << GetSetting(name, "CreateOptions");
    EXPECT_EQ(stored.join(' '), "60 1 -1 0 2");
}
