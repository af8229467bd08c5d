// Start-up of the program, the main window's life and its settings.
#include "SdkAppTestSupport.h"

#include "app/SudokuApp.h"
#include "velox/VxCtl.h"
#include "velox/VxModal.h"
#include "velox/VxResource.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace SdkTest;

namespace {
// Runs Main with the arguments; the started window is handed back (or null).
WndSudoku *RunMain(SudokuApp &app, const QStringList &args, bool &result)
{
    result = app.Main(static_cast<unsigned short>(args.size()), args);
    WndSudoku *w = app.MainWindow();
    if (w)
        w->WindowTimer().Stop();
    return w;
}

QString FocusName(WndSudoku &w)
{
    return w.focusWidget() ? w.focusWidget()->objectName() : QString();
}
} // namespace

TEST(SudokuAppMain, MissingResourceFileIsReportedInThePlainMessageBox)
{
    FreshStart();
    ModalRecorder hook;
    SudokuApp app;
    app.SetResourceFileName("Missing.vxt");
    bool result = true;
    EXPECT_EQ(RunMain(app, {}, result), nullptr);
    EXPECT_FALSE(result);
    ASSERT_EQ(hook.Seen().size(), 1);
    EXPECT_EQ(hook.Seen()[0].title, "VELOX Message");
    EXPECT_EQ(hook.Seen()[0].text, "Resource file <Missing.vxt> not found!");
}

TEST(SudokuAppMain, BrokenResourceFileGivesTheFileErrorAndMissingMainWindowItsOwnText)
{
    FreshStart();
    QTemporaryDir dir;
    const QString broken = dir.filePath("Broken.vxt");
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is not a resource bundle");
    f.close();
    {
        ModalRecorder hook;
        SudokuApp app;
        app.SetResourceFileName(broken);
        bool result = true;
        RunMain(app, {}, result);
        EXPECT_FALSE(result);
        ASSERT_EQ(hook.Seen().size(), 1);
        EXPECT_EQ(hook.Seen()[0].text, VxResource::ErrorText(VxResource::VX_RES_INVALID, broken));
    }
    if (!VxResource::FormPath("SUDOKU_MAIN").isEmpty())
        GTEST_SKIP() << "the program's bundle is installed already in this process";
    ModalRecorder hook;
    SudokuApp app;
    app.SetResourceFileName("stddlg.vxt"); // a valid bundle without the main window
    bool result = true;
    RunMain(app, {}, result);
    EXPECT_FALSE(result);
    ASSERT_EQ(hook.Seen().size(), 1);
    EXPECT_EQ(hook.Seen()[0].text, "Load of main window <SUDOKU_MAIN> failed!");
}

TEST(SudokuAppMain, FirstArgumentNamesTheInitFileWhenItIsAnExistingFile)
{
    FreshStart();
    QTemporaryDir dir;
    const QString file = dir.filePath("game.sdk");
    ASSERT_TRUE(MakeGame(Riddle)->SaveGame(file.toStdString(), true, true));
    const QString startDir = QDir::currentPath();
    struct Case
    {
        QStringList args;
        QString expected;
    };
    const QList<Case> cases = {
        {{file}, file},                                  // absolute path as it stands
        {{dir.path()}, QString()},                       // a folder
        {{dir.filePath("missing.sdk")}, QString()},      // a missing file
        {{QDir(startDir).relativeFilePath(file)}, file}, // relative to the start folder
        {{}, QString()},
    };
    for (const Case &c : cases) {
        SudokuApp app;
        bool result = false;
        WndSudoku *w = RunMain(app, c.args, result);
        EXPECT_TRUE(result);
        EXPECT_EQ(QDir::cleanPath(app.GetInitFile()), QDir::cleanPath(c.expected))
            << qPrintable(c.args.join(' '));
        EXPECT_EQ(QDir::currentPath(), startDir);
        CloseMainWindow(w);
    }
}

TEST(WndSudokuStart, WithoutCurrentGameTheFocusIsOnNewRiddle)
{
    FreshStart();
    WndSudoku *w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(FocusName(*w), "BT_CREATE_GAME");
    EXPECT_EQ(TextOf(*w, "STAT_TITLE"), "N I N E F O L D   S U D O K U  -  No riddle defined");
    EXPECT_EQ(TextOf(*w, "BT_NEW_GAME"), "Edit riddl&e manually ...");
    EXPECT_FALSE(VxCtl::IsEnabled(w->FindChild("BT_SOLVE")));
    EXPECT_TRUE(VxCtl::IsEnabled(w->FindChild("BT_CREATE_GAME")));
    EXPECT_EQ(TextOf(*w, "STAT_STACK"), "Fix: 0   Step: 0/0");
    // The play options' defaults are stored by the first read.
    EXPECT_TRUE(VxCtl::IsChecked(w->FindChild("CHK_VIEW_CONFLICTS")));
    EXPECT_FALSE(VxCtl::IsChecked(w->FindChild("CHK_VIEW_RS")));
    EXPECT_EQ(
        QString::fromStdString(
            CurrentOS
                ->ReadRegistryValue(2, TString(SdkRegistryKey) + "\\PlayOptions", "ViewConflicts")
                .Str()),
        "1");
    CloseMainWindow(w);
}

TEST(WndSudokuStart, CurrentGameWithFiveGivensResumesTheDefinition)
{
    FreshStart();
    auto game = std::make_unique<Sudoku>();
    for (unsigned i = 0; i < 5; ++i)
        ASSERT_TRUE(game->Fix(SdkDigit(i + 1), i, i * 2 % 9));
    ASSERT_TRUE(game->StartGame(false, false, true));
    ASSERT_TRUE(SaveAsCurrent(*game));

    WndSudoku *w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Game().GetFixCount(), 5u);
    EXPECT_TRUE(WndSudokuPeer::FixMode(*w));
    w->EvTimer();
    EXPECT_EQ(TextOf(*w, "STAT_TITLE"), "N I N E F O L D   S U D O K U  -  Edit Game-Definition");
    EXPECT_EQ(TextOf(*w, "BT_NEW_GAME"), "Finish d&efinition");
    EXPECT_EQ(TextOf(*w, "STAT_STACK"), "Fix Nnumber Count: 5");
    EXPECT_EQ(FocusName(*w), "DRAW");
    for (const char *name : {"BT_CREATE_GAME", "BT_SAVE_GAME", "BT_LOAD_GAME", "BT_SOLVE"})
        EXPECT_FALSE(VxCtl::IsEnabled(w->FindChild(name))) << name;
    EXPECT_FALSE(w->FindAction("MN_PRINT")->isEnabled());
    EXPECT_TRUE(VxCtl::IsEnabled(w->FindChild("BT_NEW_GAME")));
    CloseMainWindow(w);
}

TEST(WndSudokuStart, InitFileIsLoadedOnTheFirstTick)
{
    FreshStart();
    QTemporaryDir dir;
    const QString good = dir.filePath("five.sdk");
    auto five = std::make_unique<Sudoku>();
    for (unsigned i = 0; i < 5; ++i)
        ASSERT_TRUE(five->Fix(SdkDigit(i + 1), 0, i));
    ASSERT_TRUE(five->SaveGame(good.toStdString(), true, true));
    const QString bad = dir.filePath("bad.sdk");
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("no game at all");
    f.close();

    for (const QString &file : {good, bad}) {
        SudokuApp app;
        bool result = false;
        WndSudoku *w = RunMain(app, {file}, result);
        ASSERT_TRUE(result);
        EXPECT_TRUE(w->HasTimerState(TS_STARTUP));
        w->EvTimer();
        w->WindowTimer().Stop();
        EXPECT_FALSE(w->HasTimerState(TS_STARTUP));
        EXPECT_TRUE(w->HasTimerState(TS_VERSION_CHECK));
        if (file == good) {
            EXPECT_TRUE(WndSudokuPeer::FixMode(*w));
            EXPECT_EQ(TextOf(*w, "STAT_STATUS"),
                      "The game has been loaded and is now ready for solving.");
        } else {
            EXPECT_FALSE(WndSudokuPeer::FixMode(*w));
            EXPECT_EQ(TextOf(*w, "STAT_STATUS"), "ERROR: The game could not be loaded.");
            EXPECT_EQ(w->Game().GetFixCount(), 0u);
        }
        CloseMainWindow(w);
    }
}

// The current game may open in definition mode; a whole riddle named on the command line
// replaces it and is played, not defined.
TEST(WndSudokuStart, InitFileWithAWholeRiddleEndsAResumedDefinition)
{
    FreshStart();
    auto five = std::make_unique<Sudoku>();
    for (unsigned i = 0; i < 5; ++i)
        ASSERT_TRUE(five->Fix(SdkDigit(i + 1), i, i * 2 % 9));
    ASSERT_TRUE(five->StartGame(false, false, true));
    ASSERT_TRUE(SaveAsCurrent(*five));
    QTemporaryDir dir;
    const QString file = dir.filePath("riddle.sdk");
    ASSERT_TRUE(MakeGame(Riddle)->SaveGame(file.toStdString(), true, true));

    SudokuApp app;
    bool result = false;
    WndSudoku *w = RunMain(app, {file}, result);
    ASSERT_TRUE(result);
    ASSERT_TRUE(WndSudokuPeer::FixMode(*w));
    w->EvTimer();
    w->WindowTimer().Stop();
    w->EvTimer();
    EXPECT_EQ(w->Game().GetFixCount(), 30u);
    EXPECT_FALSE(WndSudokuPeer::FixMode(*w));
    EXPECT_EQ(TextOf(*w, "STAT_STATUS"), "The game has been loaded and is now ready for solving.");
    EXPECT_EQ(TextOf(*w, "STAT_TITLE"), "N I N E F O L D   S U D O K U");
    EXPECT_EQ(TextOf(*w, "BT_NEW_GAME"), "Edit riddl&e manually ...");
    EXPECT_EQ(TextOf(*w, "STAT_STACK"), "Fix: 30   Step: 0/0");
    for (const char *name : {"BT_SOLVE", "BT_NEXT_STEP", "BT_SAVE_GAME", "BT_LOAD_GAME"})
        EXPECT_TRUE(VxCtl::IsEnabled(w->FindChild(name))) << name;
    // A digit is a move of the game, not a given digit of a definition.
    ASSERT_TRUE(w->SetCurrentValue(SdkDigit4, 0, 2));
    EXPECT_EQ(w->Game().GetFixCount(), 30u);
    EXPECT_EQ(w->Game().GetUserStackCount(), 1u);
    CloseMainWindow(w);
}

TEST(WndSudokuStart, WithoutStoredLanguageTheFirstTickAsksAndStoresIt)
{
    FreshStart(nullptr);
    WndSudoku *w = OpenMainWindow(false);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(WndSudokuPeer::Language(*w), 0);
    EXPECT_TRUE(w->HasTimerState(TS_ASK_LANGUAGE));
    EXPECT_EQ(TextOf(*w, "BT_SAVE_GAME"), "Spiel &speichern");
    bool timerStoppedDuringDialog = false;
    {
        ModalRecorder hook([&](QWidget &window) {
            timerStoppedDuringDialog = !w->WindowTimer().IsRunning();
            if (auto *combo = window.findChild<QComboBox *>("COMBO_LANG"))
                combo->setCurrentIndex(1);
            if (auto *ok = window.findChild<QAbstractButton *>("BT_OK"))
                ok->click();
        });
        w->EvTimer();
        ASSERT_EQ(hook.Seen().size(), 1);
        EXPECT_EQ(hook.Seen()[0].window, "SUDOKU_SELECT_LANGUAGE");
    }
    EXPECT_TRUE(timerStoppedDuringDialog);
    EXPECT_TRUE(w->WindowTimer().IsRunning());
    EXPECT_FALSE(w->HasTimerState(TS_ASK_LANGUAGE));
    EXPECT_EQ(WndSudokuPeer::Language(*w), 1);
    EXPECT_EQ(GetSetting("Language"), "English");
    EXPECT_EQ(TextOf(*w, "BT_SAVE_GAME"), "&Save game");
    CloseMainWindow(w);
}

TEST(WndSudokuStart, SolveDelayIsReadAndCapped)
{
    const QList<QPair<QString, int>> cases = {{"5000", 1000}, {"", 200}, {"350", 350}};
    for (const auto &c : cases) {
        FreshStart();
        if (!c.first.isEmpty())
            SetSetting("SolveDelayMs", c.first);
        WndSudoku w;
        EXPECT_EQ(w.Game().GetDelayMs(), c.second) << qPrintable(c.first);
    }
}

TEST(WndSudokuClose, RefusedWhileDefiningAndWhileAWorkerRuns)
{
    FreshStart();
    WndSudoku *w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    WndSudokuPeer::FixMode(*w) = true;
    {
        ModalRecorder hook;
        w->Close(false);
        ASSERT_EQ(hook.Seen().size(), 1);
        EXPECT_EQ(hook.Seen()[0].title, "Information");
        EXPECT_TRUE(
            hook.Seen()[0].text.contains("... can't be closed while a game definition is active."));
        EXPECT_TRUE(hook.Seen()[0].text.contains("N I N E F O L D   S U D O K U ..."));
    }
    EXPECT_FALSE(w->IsDestroyed());
    WndSudokuPeer::FixMode(*w) = false;

    // A solve held at its gate.
    w->Game() = *MakeGame(Riddle);
    GateSolver::CloseGate();
    ASSERT_TRUE(w->Game().ThreadSolve(-1, false, "GateSolver"));
    {
        ModalRecorder hook;
        w->Close(false);
        ASSERT_EQ(hook.Seen().size(), 1);
        EXPECT_TRUE(hook.Seen()[0].text.contains(
            "... can't be closed while a solution process or a game-creation process is "
            "running."));
    }
    EXPECT_FALSE(w->IsDestroyed());
    EXPECT_TRUE(w->Game().IsThreadRunning());
    GateSolver::OpenGate();
    WaitForThreadEnd(w->Game());
    CloseMainWindow(w);
}

TEST(WndSudokuClose, AcceptedCloseStoresTheDelayAndTheCurrentGame)
{
    FreshStart();
    WndSudoku *w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    auto riddle = MakeGame(Riddle);
    w->Game() = *riddle;
    w->Game().SetDelayMs(420);
    w->Close(false);
    EXPECT_TRUE(w->IsDestroyed());
    EXPECT_EQ(GetSetting("SolveDelayMs"), "420");
    Sudoku stored;
    ASSERT_TRUE(stored.LoadCurrentGame());
    EXPECT_EQ(stored.GetFixCount(), riddle->GetFixCount());
    delete w;
}

TEST(WndSudokuStart, VersionCheckAnnouncesOnlyAChangedStoredVersion)
{
    const QList<QPair<QString, bool>> cases = {{"0120", true}, {"0130", false}, {"", false}};
    for (const auto &c : cases) {
        FreshStart();
        if (!c.first.isEmpty())
            SetSetting("Version", c.first);
        WndSudoku *w = OpenMainWindow();
        ASSERT_NE(w, nullptr);
        ModalRecorder hook;
        w->EvTimer();
        EXPECT_FALSE(w->HasTimerState(TS_VERSION_CHECK));
        // The notice may be followed by the version history's own message on a desktop
        // without a text viewer.
        EXPECT_EQ(hook.Seen().isEmpty(), !c.second) << qPrintable(c.first);
        if (c.second) {
            EXPECT_TRUE(hook.Seen()[0].text.contains("Your current program version is now:"));
            EXPECT_TRUE(hook.Seen()[0].text.contains("1.30"));
            EXPECT_EQ(GetSetting("Version"), "0130");
        } else {
            EXPECT_EQ(GetSetting("Version"), c.first);
        }
        CloseMainWindow(w);
    }
}

TEST(WndSudokuStart, DestroyBitEndsTheWindowWithoutSavingTheCurrentGame)
{
    FreshStart();
    WndSudoku *w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    w->Game() = *MakeGame(Riddle);
    w->AddTimerState(TS_DESTROY);
    w->EvTimer();
    EXPECT_TRUE(w->IsDestroyed());
    EXPECT_FALSE(w->HasTimerState(TS_DESTROY));
    Sudoku stored;
    EXPECT_FALSE(stored.LoadCurrentGame());
    delete w;
}

TEST(SudokuData, ShippedExampleGamesLoad)
{
    const QDir dir(QCoreApplication::applicationDirPath() + "/ExampleGames");
    const QStringList files = dir.entryList({"*.sdk"}, QDir::Files);
    ASSERT_GE(files.size(), 3);
    for (const QString &file : files) {
        Sudoku game;
        EXPECT_TRUE(game.LoadGame(dir.filePath(file).toStdString(), false, true))
            << qPrintable(file);
        EXPECT_GE(game.GetFixCount(), 1u) << qPrintable(file);
    }
}
