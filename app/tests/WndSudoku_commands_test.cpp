// Game commands as a player goes through them: buttons pressed, dialogs and questions answered,
// the timer ticked until the engine is idle.
#include "SdkGameFlow.h"

#include "velox/VxCtl.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

using namespace SdkFlow;
using SdkTest::Riddle;
using SdkTest::Solution;
using SdkTest::TextOf;

namespace {
const QString PlainTitle = QStringLiteral("N I N E F O L D   S U D O K U");
const QString CompletedTitle = PlainTitle + QStringLiteral("  -  SUCCESSFULLY FINISHED!");

class GameFlow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(install.isValid());
        FreshStart(install.path());
        w = SdkTest::OpenMainWindow();
        ASSERT_NE(w, nullptr);
        // The program's own data would win over the stored folder: the test points it at its own.
        WndSudokuPeer::InstallDir(*w) = install.path();
    }
    void TearDown() override { SdkTest::CloseMainWindow(w); }

    // The classic riddle as the current game, started anew, as if picked a moment ago.
    void StartRiddle(std::initializer_list<int> played = {})
    {
        w->Game() = *SdkTest::MakeGame(Riddle);
        for (int i : played)
            ASSERT_TRUE(
                w->Game().SetValue(SdkDigit(Solution[i] - '0'), unsigned(i / 9), unsigned(i % 9)));
        w->ValidateStates();
        Tick(*w);
    }
    bool Enabled(const char *name) { return VxCtl::IsEnabled(w->FindChild(QLatin1String(name))); }
    QString File(const char *name) { return games.filePath(QLatin1String(name)); }

    QTemporaryDir install;
    QTemporaryDir games;
    WndSudoku *w = nullptr;
};

// The empty fields of the classic riddle, in reading order.
std::vector<int> EmptyFields()
{
    std::vector<int> fields;
    for (int i = 0; i < 81; ++i)
        if (Riddle[i] == '0')
            fields.push_back(i);
    return fields;
}
} // namespace

TEST_F(GameFlow, RiddleTypedInDefinitionModeIsPlayedToTheEndWithDigitsAndDelete)
{
    Press(*w, "BT_NEW_GAME");
    ASSERT_TRUE(WndSudokuPeer::FixMode(*w));
    EXPECT_EQ(TextOf(*w, "BT_NEW_GAME"), "Finish d&efinition");
    EXPECT_EQ(Title(*w), PlainTitle + "  -  Edit Game-Definition");
    EXPECT_FALSE(Enabled("BT_SOLVE"));

    // The givens are typed in reading order; Right walks the board and wraps at the row ends.
    ClickField(*w, 0, 0);
    for (int i = 0; i < 81; ++i) {
        ASSERT_EQ(Active(*w), unsigned(i));
        if (Riddle[i] != '0')
            Digit(*w, Riddle[i] - '0');
        Key(*w, Qt::Key_Right);
    }
    EXPECT_EQ(Active(*w), 0u);
    EXPECT_EQ(w->Game().GetFixCount(), 30u);
    // A digit that conflicts is not fixed; Delete takes a given back.
    ClickField(*w, 0, 2);
    Digit(*w, 5);
    EXPECT_EQ(w->Game().GetField(0, 2).GetValue(), SdkDigitEmpty);
    ClickField(*w, 0, 0);
    Key(*w, Qt::Key_Delete);
    EXPECT_EQ(w->Game().GetFixCount(), 29u);
    Digit(*w, 5);
    Tick(*w);
    EXPECT_EQ(TextOf(*w, "STAT_STACK"), "Fix Nnumber Count: 30");

    Press(*w, "BT_NEW_GAME");
    EXPECT_FALSE(WndSudokuPeer::FixMode(*w));
    EXPECT_EQ(TextOf(*w, "BT_NEW_GAME"), "Edit riddl&e manually ...");
    EXPECT_TRUE(Enabled("BT_SOLVE"));
    EXPECT_EQ(Title(*w), PlainTitle);

    // A given cannot be deleted in play; a wrong digit can.
    ClickField(*w, 0, 0);
    Key(*w, Qt::Key_Delete);
    EXPECT_EQ(w->Game().GetField(0, 0).GetValue(), SdkDigit5);
    const std::vector<int> empty = EmptyFields();
    const int first = empty.front();
    ClickField(*w, unsigned(first / 9), unsigned(first % 9));
    // A wrong digit among the field's candidates: the engine takes it.
    const SdkResultSet candidates =
        w->Game().GetField(unsigned(first / 9), unsigned(first % 9)).GetResultSet();
    int wrong = 0;
    for (int i = 0; i < candidates.Count() && wrong == 0; ++i)
        if (candidates.GetValue(i) != SdkDigit(Solution[first] - '0'))
            wrong = int(candidates.GetValue(i));
    ASSERT_NE(wrong, 0);
    Digit(*w, wrong);
    EXPECT_EQ(w->Game().GetField(unsigned(first / 9), unsigned(first % 9)).GetValue(),
              SdkDigit(wrong));
    Key(*w, Qt::Key_Delete);
    EXPECT_EQ(w->Game().GetField(unsigned(first / 9), unsigned(first % 9)).GetValue(),
              SdkDigitEmpty);
    EXPECT_EQ(Status(*w), QString("Value deleted in field row/column: [%1/%2].")
                              .arg(first / 9 + 1)
                              .arg(first % 9 + 1));
    for (int i : empty) {
        ClickField(*w, unsigned(i / 9), unsigned(i % 9));
        Digit(*w, Solution[i] - '0');
    }
    Tick(*w);
    EXPECT_EQ(Values(w->Game()), QLatin1String(Solution));
    EXPECT_EQ(Title(*w), CompletedTitle);
    EXPECT_EQ(Status(*w), "The game has been successfully completed.");
    EXPECT_FALSE(Enabled("BT_SOLVE"));
}

TEST_F(GameFlow, NewGameOnAGivenRiddleAsksForTheModeAndCancelKeepsTheProposedOne)
{
    StartRiddle({2});
    Script script;
    // Continue is proposed for an unfinished game; cancel keeps it.
    script.On("SUDOKU_GAME_DEF_TYPE", [](QWidget &window) {
        EXPECT_TRUE(VxCtl::IsChecked(window.findChild<QWidget *>("RAD_CONTINUE_FIX")));
        EXPECT_TRUE(VxCtl::IsEnabled(window.findChild<QWidget *>("RAD_CONTINUE_FIX")));
        PressButton("BT_CANCEL")(window);
    });
    script.On("WND_MESSAGE", PressButton("BT_NO"));
    Press(*w, "BT_NEW_GAME");
    EXPECT_EQ(script.SeenWindows(), QStringList({"WND_MESSAGE", "SUDOKU_GAME_DEF_TYPE"}));
    EXPECT_TRUE(WndSudokuPeer::FixMode(*w));
    EXPECT_EQ(w->Game().GetFixCount(), 30u);
    EXPECT_EQ(w->Game().GetSolvedCount(), 0u);
    Press(*w, "BT_NEW_GAME");

    // A new definition empties the board (the finished definition is not saved).
    script.On("WND_MESSAGE", PressButton("BT_NO"));
    script.On("SUDOKU_GAME_DEF_TYPE", TickThenPress("RAD_NEW_FIX"));
    Press(*w, "BT_NEW_GAME");
    EXPECT_TRUE(WndSudokuPeer::FixMode(*w));
    EXPECT_EQ(w->Game().GetFixCount(), 0u);
    EXPECT_EQ(Title(*w), PlainTitle + "  -  Edit Game-Definition");
    // Finished with 5 givens the window is idle but cannot solve.
    for (int i = 0; i < 5; ++i) {
        ClickField(*w, 0, unsigned(i));
        Digit(*w, i + 1);
    }
    Press(*w, "BT_NEW_GAME");
    EXPECT_FALSE(WndSudokuPeer::FixMode(*w));
    EXPECT_EQ(Title(*w), PlainTitle + "  -  You have to specify at least 10 fix-values");
    EXPECT_FALSE(Enabled("BT_SOLVE"));
    EXPECT_FALSE(Enabled("BT_NEXT_STEP"));
    ClickField(*w, 5, 5);
    Digit(*w, 7);
    EXPECT_EQ(w->Game().GetField(5, 5).GetValue(), SdkDigitEmpty);
    EXPECT_EQ(Status(*w),
              "You first have to setup or create a game-definition with at least 10 fix values.");
}

TEST_F(GameFlow, ComputedRiddleAtEachStandardSeverityEndsWithItsMessage)
{
    for (int level = 1; level <= 3; ++level) {
        Script script;
        script.On("SUDOKU_GAME_CREATE_TYPE", CreateComputed());
        script.On("SUDOKU_CREATE_GAME_PARAMETERS", ComputedParameters(level, 30, 3));
        Press(*w, "BT_CREATE_GAME");
        EXPECT_EQ(script.Pending(), 0) << level;
        EXPECT_EQ(
            QString::fromStdString(
                CurrentOS
                    ->ReadRegistryValue(TOpSystem::RootCurrentUser,
                                        TString(SdkRegistryKey) + "\\CreateOptions", "StdLevel")
                    .Str()),
            QString::number(level));
        ASSERT_TRUE(TickUntilIdle(*w)) << level;
        const QString status = Status(*w);
        if (w->Game().WasCreateGameSuccessful()) {
            EXPECT_TRUE(status.startsWith("A new game has been created in the "))
                << qPrintable(status);
            EXPECT_EQ(w->Game().GetFixCount(), 30u);
            EXPECT_TRUE(Enabled("BT_SOLVE"));
        } else {
            EXPECT_EQ(status, "ERROR: A new game could not be created.") << level;
            EXPECT_EQ(w->Game().GetFixCount(), 0u);
        }
        EXPECT_EQ(TextOf(*w, "BT_CREATE_GAME"), "New &riddle ...");
        EXPECT_EQ(Title(*w), PlainTitle);
        // The next creation must not ask to save the riddle that was just computed.
        (void)w->Game().Reset();
        (void)w->Game().StartGame(false, false, true);
    }
}

TEST_F(GameFlow, RunningRiddleComputationIsCancelledByItsButton)
{
    Script script;
    script.On("SUDOKU_GAME_CREATE_TYPE", CreateComputed());
    // Severity high with the most attempts: it runs long enough to be cancelled.
    script.On("SUDOKU_CREATE_GAME_PARAMETERS", ComputedParameters(3, 10, 9999));
    Press(*w, "BT_CREATE_GAME");
    ASSERT_TRUE(w->HasTimerState(TS_CREATE));
    EXPECT_EQ(Status(*w), "Computing of a new game started ...");
    EXPECT_EQ(Title(*w), "Computing a new game ...");
    if (!w->Game().IsThreadRunning())
        GTEST_SKIP() << "the computation ended before it could be cancelled";
    EXPECT_EQ(TextOf(*w, "BT_CREATE_GAME"), "&Cancel");
    EXPECT_FALSE(Enabled("BT_SOLVE"));
    EXPECT_FALSE(Enabled("BT_LOAD_GAME"));
    Press(*w, "BT_CREATE_GAME");
    EXPECT_EQ(TextOf(*w, "BT_CREATE_GAME"), "Please wait ...");
    Press(*w, "BT_CREATE_GAME"); // the link is gone: nothing happens
    ASSERT_TRUE(TickUntilIdle(*w));
    EXPECT_EQ(TextOf(*w, "BT_CREATE_GAME"), "New &riddle ...");
    EXPECT_TRUE(Enabled("BT_LOAD_GAME"));
    if (!w->Game().WasCreateGameSuccessful()) {
        EXPECT_EQ(Status(*w), "ERROR: A new game could not be created.");
    }
}

TEST_F(GameFlow, CancelledParameterDialogLeavesTheBoardEmpty)
{
    StartRiddle();
    (void)w->Game().SaveGame(File("kept.sdk").toStdString(), false, true);
    Script script;
    script.On("SUDOKU_GAME_CREATE_TYPE", CreateComputed());
    script.On("SUDOKU_CREATE_GAME_PARAMETERS", PressButton("BT_CANCEL"));
    Press(*w, "BT_CREATE_GAME");
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(w->Game().GetFixCount(), 0u);
    EXPECT_FALSE(w->HasTimerState(TS_CREATE));
}

TEST_F(GameFlow, PredefinedRiddleIsPickedFromTheInstallationFolder)
{
    ASSERT_TRUE(MakePreDefs(install.path(), 4));
    for (int level = 1; level <= 3; ++level) {
        Script script;
        script.On("SUDOKU_GAME_CREATE_TYPE", CreatePredefined(level));
        Press(*w, "BT_CREATE_GAME");
        EXPECT_EQ(script.SeenWindows(), QStringList({"SUDOKU_GAME_CREATE_TYPE"}));
        EXPECT_EQ(w->Game().GetFixCount(), 30u) << level;
        EXPECT_EQ(w->Game().GetSolvedCount(), 0u);
        EXPECT_EQ(Title(*w), PlainTitle);
        EXPECT_TRUE(Enabled("BT_SOLVE"));
        // A predefined riddle has no file of its own to be saved onto.
        EXPECT_TRUE(w->Game().GetFileName().IsEmpty());
        (void)w->Game().Reset();
        (void)w->Game().StartGame(false, false, true);
    }
}

TEST_F(GameFlow, MissingPredefinedRiddlesAreReportedInAMessageBox)
{
    Script script;
    script.On("SUDOKU_GAME_CREATE_TYPE", CreatePredefined(2));
    Press(*w, "BT_CREATE_GAME");
    ASSERT_EQ(script.SeenWindows(), QStringList({"SUDOKU_GAME_CREATE_TYPE", "VX_MESSAGE"}));
    EXPECT_EQ(script.Seen()[1].text, "No predefined riddle could be found.");
    EXPECT_EQ(w->Game().GetFixCount(), 0u);
}

TEST_F(GameFlow, SaveAsAppendsTheExtensionAndSaveWritesToTheSameFile)
{
    StartRiddle({2, 3});
    Script script;
    script.On("VX_FILE_DIALOG", ChooseFile(File("first")));
    Press(*w, "BT_SAVE_GAME_AS");
    EXPECT_EQ(Status(*w), "The game has been saved.");
    EXPECT_TRUE(QFileInfo::exists(File("first.sdk")));
    EXPECT_EQ(QString::fromStdString(w->Game().GetFileName().Str()), File("first.sdk"));
    Tick(*w);
    EXPECT_EQ(TextOf(*w, "STAT_FILENAME"), File("first.sdk"));
    EXPECT_EQ(TextOf(*w, "STAT_STATE_CHANGED"), "OK");

    ClickField(*w, 0, 4 + 1);
    Digit(*w, Solution[5] - '0');
    Tick(*w);
    EXPECT_EQ(TextOf(*w, "STAT_STATE_CHANGED"), "CHG");
    Press(*w, "BT_SAVE_GAME"); // no dialog: the game has its file
    EXPECT_EQ(script.SeenWindows(), QStringList({"VX_FILE_DIALOG"}));
    Sudoku saved;
    ASSERT_TRUE(saved.LoadGame(File("first.sdk").toStdString(), false, true));
    EXPECT_EQ(Values(saved), Values(w->Game()));
    EXPECT_EQ(saved.GetUserStackCount(), 3u);

    // A save that fails keeps the game and its name and says so. The dialog starts in the
    // folder of the last game chosen.
    QString startFolder;
    script.On("VX_FILE_DIALOG", [&](QWidget &window) {
        startFolder = qobject_cast<QFileDialog *>(&window)->directory().absolutePath();
        ChooseFile(File("missing/folder/x.sdk"))(window);
    });
    Press(*w, "BT_SAVE_GAME_AS");
    EXPECT_EQ(startFolder, QDir(games.path()).absolutePath());
    EXPECT_EQ(Status(*w), "ERROR: The game could not be saved.");
    EXPECT_EQ(QString::fromStdString(w->Game().GetFileName().Str()), File("first.sdk"));
}

namespace {
// What the load dialog offered: per radio enabled/ticked, and the reset box.
struct LoadOffer
{
    QString enabled; // four characters, '1' enabled
    QString ticked;  // four characters, '1' ticked
    bool resetEnabled = false;
    QString header;
};

Answer ReadLoadOffer(LoadOffer &offer, const char *radio, bool reset)
{
    return [&offer, radio, reset](QWidget &window) {
        for (const char *name : {"RAD_LOAD_CURRENT_STATE", "RAD_LOAD_NEW_SOLUTION",
                                 "RAD_LOAD_SOLUTION_AND_HISTORY", "RAD_LOAD_SOLUTION"}) {
            QWidget *r = window.findChild<QWidget *>(QLatin1String(name));
            offer.enabled += VxCtl::IsEnabled(r) ? '1' : '0';
            offer.ticked += VxCtl::IsChecked(r) ? '1' : '0';
        }
        offer.header = VxCtl::GetText(window.findChild<QWidget *>("STAT_TITLE_LINE"));
        QWidget *box = window.findChild<QWidget *>("CHK_RESET_TO_START");
        if (radio)
            Check(window.findChild<QAbstractButton *>(QLatin1String(radio)));
        offer.resetEnabled = VxCtl::IsEnabled(box);
        if (reset)
            Check(box);
        PressButton("BT_OK")(window);
    };
}
} // namespace

class GameFiles : public GameFlow
{
protected:
    void SetUp() override
    {
        GameFlow::SetUp();
        // A game played half-way with its history, and a completed one with its whole history.
        auto partly = SdkTest::MakeGame(Riddle);
        const std::vector<int> empty = EmptyFields();
        for (size_t k = 0; k < 5; ++k)
            ASSERT_TRUE(partly->SetValue(SdkDigit(Solution[empty[k]] - '0'), unsigned(empty[k] / 9),
                                         unsigned(empty[k] % 9)));
        ASSERT_TRUE(partly->SaveGame(File("partly.sdk").toStdString(), false, true));
        auto complete = SdkTest::MakeGame(Riddle);
        for (int i : empty)
            ASSERT_TRUE(
                complete->SetValue(SdkDigit(Solution[i] - '0'), unsigned(i / 9), unsigned(i % 9)));
        ASSERT_TRUE(complete->SaveGame(File("complete.sdk").toStdString(), false, true));
        ASSERT_TRUE(
            SdkTest::MakeGame(Riddle)->SaveGame(File("fresh.sdk").toStdString(), false, true));
        ASSERT_TRUE(SdkTest::MakeGame("530070000600195000000000000000000000000000000000000000000"
                                      "000000000000000000000000")
                        ->SaveGame(File("short.sdk").toStdString(), false, true));
    }
    // Loads a file through the button, answering the load dialog with answer.
    void Load(const char *file, Answer answer)
    {
        Script script;
        script.On("WND_MESSAGE", PressButton("BT_NO"));
        script.On("VX_FILE_DIALOG", ChooseFile(File(file)));
        script.On("SUDOKU_LOAD_PARAMETERS", std::move(answer));
        Press(*w, "BT_LOAD_GAME");
        Tick(*w);
    }
    QString StackText() { return TextOf(*w, "STAT_STACK"); }
};

TEST_F(GameFiles, PartlySolvedFileOffersItsLastStateAndCanBeRewound)
{
    LoadOffer offer;
    Load("partly.sdk", ReadLoadOffer(offer, nullptr, false));
    EXPECT_EQ(offer.enabled.at(0), '1');
    EXPECT_EQ(offer.enabled.mid(2), "00");
    EXPECT_EQ(offer.ticked, "1000");
    EXPECT_TRUE(offer.resetEnabled);
    EXPECT_EQ(offer.header,
              "The game is partly solved.\nIn which mode do you want to load the game?");
    EXPECT_EQ(w->Game().GetSolvedCount(), 5u);
    EXPECT_EQ(StackText(), "Fix: 30   Step: 5/5");
    EXPECT_EQ(Status(*w), "The game has been loaded and is now ready for solving.");
    EXPECT_EQ(TextOf(*w, "STAT_FILENAME"), File("partly.sdk"));

    LoadOffer again;
    Load("partly.sdk", ReadLoadOffer(again, nullptr, true));
    EXPECT_EQ(w->Game().GetSolvedCount(), 0u);
    EXPECT_EQ(StackText(), "Fix: 30   Step: 0/5");
    EXPECT_TRUE(Enabled("BT_REDO"));
    EXPECT_FALSE(Enabled("BT_UNDO"));

    LoadOffer fresh;
    Load("partly.sdk", ReadLoadOffer(fresh, "RAD_LOAD_NEW_SOLUTION", false));
    EXPECT_FALSE(fresh.resetEnabled);
    EXPECT_EQ(w->Game().GetSolvedCount(), 0u);
    EXPECT_EQ(StackText(), "Fix: 30   Step: 0/0");
}

TEST_F(GameFiles, CompletedFileOffersTheSolutionModes)
{
    LoadOffer offer;
    Load("complete.sdk", ReadLoadOffer(offer, nullptr, false));
    EXPECT_EQ(offer.enabled, "0111");
    EXPECT_EQ(offer.ticked, "0001");
    EXPECT_FALSE(offer.resetEnabled);
    EXPECT_TRUE(offer.header.startsWith("The game has been completely solved.\n"));
    EXPECT_TRUE(w->Game().IsCompleted());
    EXPECT_EQ(StackText(), "Fix: 30   Step: 0/0");
    EXPECT_EQ(Status(*w), "The game has been loaded with its complete solution.");
    EXPECT_EQ(Title(*w), CompletedTitle);

    LoadOffer history;
    Load("complete.sdk", ReadLoadOffer(history, "RAD_LOAD_SOLUTION_AND_HISTORY", false));
    EXPECT_TRUE(history.resetEnabled);
    EXPECT_TRUE(w->Game().IsCompleted());
    EXPECT_EQ(StackText(), "Fix: 30   Step: 51/51");

    // With its history and rewound, the game is repeated step by step.
    LoadOffer rewound;
    Load("complete.sdk", ReadLoadOffer(rewound, "RAD_LOAD_SOLUTION_AND_HISTORY", true));
    EXPECT_EQ(w->Game().GetSolvedCount(), 0u);
    EXPECT_EQ(StackText(), "Fix: 30   Step: 0/51");
    EXPECT_EQ(Title(*w), PlainTitle);
    for (int step = 1; step <= 51; ++step) {
        ASSERT_TRUE(Enabled("BT_REDO")) << step;
        Press(*w, "BT_REDO");
    }
    Tick(*w);
    EXPECT_TRUE(w->Game().IsCompleted());
    EXPECT_EQ(Title(*w), CompletedTitle);
    EXPECT_FALSE(Enabled("BT_REDO"));

    LoadOffer fresh;
    Load("complete.sdk", ReadLoadOffer(fresh, "RAD_LOAD_NEW_SOLUTION", false));
    EXPECT_EQ(w->Game().GetSolvedCount(), 0u);
    EXPECT_EQ(w->Game().GetFixCount(), 30u);
}

TEST_F(GameFiles, UnstartedFileOffersANewSolutionOnlyAndAShortOneOpensTheDefinition)
{
    LoadOffer offer;
    Load("fresh.sdk", ReadLoadOffer(offer, nullptr, false));
    EXPECT_EQ(offer.enabled, "0100");
    EXPECT_EQ(offer.ticked, "0100");
    EXPECT_TRUE(offer.header.startsWith("The game has not yet started.\n"));
    EXPECT_EQ(w->Game().GetFixCount(), 30u);

    Script script;
    script.On("VX_FILE_DIALOG", ChooseFile(File("short.sdk")));
    Press(*w, "BT_LOAD_GAME");
    EXPECT_EQ(script.SeenWindows(), QStringList({"VX_FILE_DIALOG"}));
    EXPECT_TRUE(WndSudokuPeer::FixMode(*w));
    EXPECT_EQ(w->Game().GetFixCount(), 7u);
    EXPECT_EQ(TextOf(*w, "BT_NEW_GAME"), "Finish d&efinition");
    EXPECT_EQ(Title(*w), PlainTitle + "  -  Edit Game-Definition");
    Press(*w, "BT_NEW_GAME");

    // A file that is no game: the board stays empty and the error is shown.
    QFile broken(File("broken.sdk"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("this is no sudoku");
    broken.close();
    Script again;
    again.On("WND_MESSAGE", PressButton("BT_NO"));
    again.On("VX_FILE_DIALOG", ChooseFile(File("broken.sdk")));
    Press(*w, "BT_LOAD_GAME");
    EXPECT_EQ(Status(*w), "ERROR: The game could not be loaded.");
    EXPECT_EQ(w->Game().GetFixCount(), 0u);
}

TEST_F(GameFiles, SaveQuestionBeforeNewLoadAndCreate)
{
    // Cancel stops each command before it does anything.
    for (const char *button : {"BT_NEW_GAME", "BT_LOAD_GAME", "BT_CREATE_GAME"}) {
        StartRiddle({2});
        Script script;
        script.On("WND_MESSAGE", PressButton("BT_CANCEL"));
        Press(*w, button);
        ASSERT_EQ(script.SeenWindows(), QStringList({"WND_MESSAGE"})) << button;
        EXPECT_EQ(script.Seen()[0].title, "User Request");
        EXPECT_TRUE(script.Seen()[0].text.contains("Save Game?"));
        EXPECT_TRUE(script.Seen()[0].text.contains("This game has not yet been saved."));
        EXPECT_FALSE(WndSudokuPeer::FixMode(*w));
        EXPECT_EQ(w->Game().GetSolvedCount(), 1u) << button;
    }
    // No lets each command go on.
    {
        StartRiddle({2});
        Script script;
        script.On("WND_MESSAGE", PressButton("BT_NO"));
        script.On("SUDOKU_GAME_CREATE_TYPE", PressButton("BT_CANCEL"));
        Press(*w, "BT_CREATE_GAME");
        EXPECT_EQ(script.SeenWindows(), QStringList({"WND_MESSAGE", "SUDOKU_GAME_CREATE_TYPE"}));
    }
    // Yes on a game without a name asks for one; a cancelled file dialog still goes on.
    {
        StartRiddle({2});
        Script script;
        script.On("WND_MESSAGE", PressButton("BT_YES"));
        script.On("VX_FILE_DIALOG", PressButton("")); // left open: cancelled
        script.On("VX_FILE_DIALOG", ChooseFile(File("partly.sdk")));
        script.On("SUDOKU_LOAD_PARAMETERS", PressButton("BT_OK"));
        Press(*w, "BT_LOAD_GAME");
        EXPECT_EQ(script.SeenWindows(), QStringList({"WND_MESSAGE", "VX_FILE_DIALOG",
                                                     "VX_FILE_DIALOG", "SUDOKU_LOAD_PARAMETERS"}));
        EXPECT_EQ(w->Game().GetSolvedCount(), 5u);
    }
    // Yes saves the game under a chosen name, then the command goes on.
    {
        StartRiddle({2});
        Script script;
        script.On("WND_MESSAGE", PressButton("BT_YES"));
        script.On("VX_FILE_DIALOG", ChooseFile(File("asked.sdk")));
        Press(*w, "BT_NEW_GAME");
        EXPECT_TRUE(QFileInfo::exists(File("asked.sdk")));
        EXPECT_TRUE(WndSudokuPeer::FixMode(*w));
        Press(*w, "BT_NEW_GAME");
    }
    // Yes with a save that fails keeps the game: the command stops, the error stays.
    {
        StartRiddle({2});
        Script script;
        script.On("WND_MESSAGE", PressButton("BT_YES"));
        script.On("VX_FILE_DIALOG", ChooseFile(File("no/such/folder/x.sdk")));
        Press(*w, "BT_CREATE_GAME");
        EXPECT_EQ(script.SeenWindows(), QStringList({"WND_MESSAGE", "VX_FILE_DIALOG"}));
        EXPECT_EQ(Status(*w), "ERROR: The game could not be saved.");
        EXPECT_EQ(w->Game().GetSolvedCount(), 1u);
    }
    // A game as it was saved asks nothing.
    {
        Load("partly.sdk", PressButton("BT_OK"));
        Script script;
        script.On("SUDOKU_GAME_CREATE_TYPE", PressButton("BT_CANCEL"));
        Press(*w, "BT_CREATE_GAME");
        EXPECT_EQ(script.SeenWindows(), QStringList({"SUDOKU_GAME_CREATE_TYPE"}));
    }
}

TEST_F(GameFlow, ReplayAsksFirstAndRepeatKeepsTheMovesForRedo)
{
    StartRiddle({2, 3, 5});
    {
        Script script;
        script.On("WND_MESSAGE", PressButton("BT_NO")); // the reset question
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
        EXPECT_EQ(w->Game().GetSolvedCount(), 0u);
        Tick(*w);
        EXPECT_EQ(TextOf(*w, "STAT_STACK"), "Fix: 30   Step: 0/0");
        EXPECT_EQ(Status(*w), "The game has been resetted and is now ready for a new solution.");
        EXPECT_FALSE(Enabled("BT_REPEAT_GAME"));
    }

    StartRiddle({2, 3, 5});
    EXPECT_TRUE(Enabled("BT_REPEAT_GAME"));
    {
        Script script;
        script.On("WND_MESSAGE", PressButton("BT_NO"));
        Press(*w, "BT_REPEAT_GAME");
    }
    EXPECT_EQ(w->Game().GetSolvedCount(), 0u);
    EXPECT_EQ(Status(*w), "The game is now ready for beeing repeated. Please use the button "
                          "\"1 Step forward\".");
    EXPECT_FALSE(Enabled("BT_UNDO"));
    for (unsigned step = 1; step <= 3; ++step) {
        Press(*w, "BT_REDO");
        Tick(*w);
        EXPECT_EQ(w->Game().GetSolvedCount(), step);
        EXPECT_EQ(TextOf(*w, "STAT_STACK"), QString("Fix: 30   Step: %1/3").arg(step));
    }
    EXPECT_FALSE(Enabled("BT_REDO"));
    EXPECT_EQ(Values(w->Game()).left(9),
              QString("53") + Solution[2] + Solution[3] + "7" + Solution[5] + "000");

    // At both ends of the history the commands say so (the menu reaches them too).
    VxEvent event;
    w->DoRedo(event);
    EXPECT_EQ(Status(*w), "Stepping forward is not possible.");
    for (int step = 0; step < 3; ++step)
        Press(*w, "BT_UNDO");
    EXPECT_EQ(w->Game().GetSolvedCount(), 0u);
    EXPECT_FALSE(Enabled("BT_UNDO"));
    w->DoUndo(event);
    EXPECT_EQ(Status(*w), "Stepping back is not possible.");
}

TEST_F(GameFlow, ProposalTakesADirectStepOrSolvesInTheBackground)
{
    StartRiddle();
    Press(*w, "BT_NEXT_STEP");
    EXPECT_EQ(w->Game().GetSolvedCount(), 1u);
    EXPECT_TRUE(Status(*w).startsWith("Value <")) << qPrintable(Status(*w));
    EXPECT_FALSE(w->HasTimerState(TS_NEXT_STEP));

    // A riddle without any direct step: the proposal comes from a solve on the worker.
    const char hard[] = "1000000020904000500060007000509030000000700000008500407000006000300090800"
                        "02000001";
    w->Game() = *SdkTest::MakeGame(hard);
    {
        Sudoku probe(w->Game());
        bool error = false;
        SdkDigit digit = SdkDigitEmpty;
        unsigned row = 0;
        unsigned column = 0;
        ASSERT_FALSE(probe.Step(error, digit, row, column, false));
        ASSERT_FALSE(error);
    }
    w->ValidateStates();
    Press(*w, "BT_NEXT_STEP");
    EXPECT_TRUE(w->HasTimerState(TS_NEXT_STEP));
    EXPECT_EQ(Status(*w), "Computing the next proposal has been started ...");
    ASSERT_TRUE(TickUntilIdle(*w));
    EXPECT_EQ(w->Game().GetSolvedCount(), 1u);
    EXPECT_TRUE(Status(*w).startsWith("Value <")) << qPrintable(Status(*w));
    EXPECT_EQ(TextOf(*w, "BT_NEXT_STEP"), "&Proposal");
    EXPECT_EQ(Title(*w), PlainTitle);
}

TEST_F(GameFlow, SolveAtDelayZeroPlaysTheSolutionToTheEnd)
{
    StartRiddle({2});
    w->Game().SetDelayMs(0);
    Press(*w, "BT_SOLVE");
    EXPECT_EQ(Status(*w), "Computing the solution has been started ...");
    ASSERT_TRUE(TickUntilIdle(*w));
    EXPECT_TRUE(w->Game().IsCompleted());
    EXPECT_EQ(Values(w->Game()), QLatin1String(Solution));
    EXPECT_EQ(Title(*w), CompletedTitle);
    EXPECT_EQ(TextOf(*w, "BT_SOLVE"), "Co&mpute solution");
    EXPECT_FALSE(Enabled("BT_SOLVE"));
}

TEST_F(GameFlow, PlaybackIsCancelledByTheSolveButton)
{
    StartRiddle();
    w->Game().SetDelayMs(300);
    Press(*w, "BT_SOLVE");
    // Tick until the playback runs.
    for (int i = 0; i < 600000 && !w->HasTimerState(TS_SOLUTION); ++i) {
        if (w->Game().IsThreadRunning() && w->HasTimerState(TS_SOLVE))
            QThread::usleep(200);
        else
            Tick(*w);
    }
    ASSERT_TRUE(w->HasTimerState(TS_SOLUTION));
    EXPECT_EQ(Title(*w), "Viewing the solution steps ...");
    EXPECT_EQ(TextOf(*w, "BT_SOLVE"), "&Cancel");
    Press(*w, "BT_SOLVE");
    EXPECT_EQ(TextOf(*w, "BT_SOLVE"), "Please wait ...");
    ASSERT_TRUE(TickUntilIdle(*w));
    EXPECT_FALSE(w->Game().IsCompleted());
    EXPECT_EQ(Status(*w), "The automated solution has been cancelled by the user.");
    EXPECT_EQ(TextOf(*w, "BT_SOLVE"), "Co&mpute solution");
    EXPECT_TRUE(Enabled("BT_SOLVE"));
}
