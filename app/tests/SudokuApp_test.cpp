// Start-up of the program, the main window's first ticks and its close.
#include "SdkAppTestSupport.h"

#include "app/SudokuApp.h"
#include "velox/VxModal.h"
#include "velox/VxResource.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace SdkTest;

namespace {
WndSudoku *RunMain(SudokuApp &app, const QStringList &args, bool &result)
{
    result = app.Main(static_cast<unsigned short>(args.size()), args);
    if (WndSudoku *w = app.MainWindow()) {
        w->WindowTimer().Stop();
        return w;
    }
    return nullptr;
}

QString WriteFile(QTemporaryDir &dir, const char *name, const QByteArray &content)
{
    QFile f(dir.filePath(QLatin1String(name)));
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
    return f.fileName();
}
} // namespace

TEST(SudokuAppMain, ResourceFailuresAreReportedAndStartNothing)
{
    FreshStart();
    QTemporaryDir dir;
    const QString broken = WriteFile(dir, "Broken.vxt", "not a resource bundle");
    const struct
    {
        QString file, text;
    } cases[] = {
        {"Missing.vxt", "Resource file <Missing.vxt> not found!"},
        {broken, VxResource::ErrorText(VxResource::VX_RES_INVALID, broken)},
        // A valid bundle without the main window (only while the program's is not installed).
        {"stddlg.vxt", "Load of main window <SUDOKU_MAIN> failed!"},
    };
    for (const auto &c : cases) {
        if (c.file == "stddlg.vxt" && !VxResource::FormPath("SUDOKU_MAIN").isEmpty())
            continue;
        Script script;
        SudokuApp app;
        app.SetResourceFileName(c.file);
        bool result = true;
        EXPECT_EQ(RunMain(app, {}, result), nullptr);
        EXPECT_FALSE(result);
        ASSERT_EQ(script.Seen().size(), 1);
        EXPECT_EQ(script.Seen()[0].title, "VELOX Message");
        EXPECT_EQ(script.Seen()[0].text, c.text);
    }
}

TEST(SudokuAppMain, FirstArgumentNamesTheInitFileWhenItIsAnExistingFile)
{
    FreshStart();
    QTemporaryDir dir;
    const QString file = dir.filePath("game.sdk");
    ASSERT_TRUE(MakeGame(Riddle)->SaveGame(file.toStdString(), true, true));
    const QString startDir = QDir::currentPath();
    const QList<QPair<QStringList, QString>> cases = {
        {{file}, file},
        {{dir.path()}, QString()},
        {{dir.filePath("missing.sdk")}, QString()},
        {{QDir(startDir).relativeFilePath(file)}, file}, // relative to the start folder
        {{"g"}, QString()},
        {{}, QString()},
    };
    for (const auto &[args, expected] : cases) {
        SudokuApp app;
        bool result = false;
        WndSudoku *w = RunMain(app, args, result);
        EXPECT_TRUE(result);
        EXPECT_EQ(QDir::cleanPath(app.GetInitFile()), QDir::cleanPath(expected))
            << qPrintable(args.value(0));
        EXPECT_EQ(QDir::currentPath(), startDir);
        CloseMainWindow(w);
    }
}

TEST(SudokuAppMain, LinkTableAndFormsNameTheSameHandlers)
{
    ASSERT_TRUE(InstallBundle());
    EXPECT_EQ(VxResource::LinkGaps(VxResource::Windows().filter("SUDOKU_")), QStringList());
    EXPECT_EQ(VxResource::UnboundLinks("SUDOKU_MAIN"), QStringList());
}

// The current game of the last session decides the first picture.
TEST(WndSudokuStart, CurrentGameDecidesTitleFocusAndDefinitionMode)
{
    const QString title = "N I N E F O L D   S U D O K U";
    const struct
    {
        const char *game; // nullptr: none stored
        QString title, focus, stack;
        bool defining, solvable;
    } cases[] = {
        {nullptr, title + "  -  No riddle defined", "BT_CREATE_GAME", "Fix: 0   Step: 0/0", false,
         false},
        {"102030405000000000000000000000000000000000000000000000000000000000000000000000000",
         title + "  -  Edit Game-Definition", "DRAW", "Fix Nnumber Count: 5", true, false},
        {"123456789000000000000000000000000000000000000000000000000000000000000000000000001", title,
         "DRAW", "Fix: 10   Step: 0/0", false, true},
        {Solution, title + "  -  SUCCESSFULLY FINISHED!", "BT_CREATE_GAME", "Fix: 81   Step: 0/0",
         false, false},
    };
    for (const auto &c : cases) {
        FreshStart();
        if (c.game) {
            ASSERT_TRUE(MakeGame(c.game)->SaveCurrentGame());
        }
        WndSudoku *w = OpenMainWindow();
        ASSERT_NE(w, nullptr);
        w->EvTimer();
        EXPECT_EQ(Title(*w), c.title);
        EXPECT_EQ(w->focusWidget()->objectName(), c.focus) << qPrintable(c.title);
        EXPECT_EQ(TextOf(*w, "STAT_STACK"), c.stack);
        EXPECT_EQ(WndSudokuPeer::FixMode(*w), c.defining);
        EXPECT_EQ(TextOf(*w, "BT_NEW_GAME"),
                  c.defining ? "Finish d&efinition" : "Edit riddl&e manually ...");
        EXPECT_EQ(Enabled(*w, "BT_SOLVE"), c.solvable) << qPrintable(c.title);
        EXPECT_EQ(Enabled(*w, "BT_CREATE_GAME"), !c.defining);
        EXPECT_EQ(w->FindAction("MN_PRINT")->isEnabled(), !c.defining);
        CloseMainWindow(w);
    }
}

// The file named on the command line is loaded by the first tick; a whole riddle ends a resumed
// definition and is played.
TEST(WndSudokuStart, InitFileIsLoadedOnTheFirstTick)
{
    QTemporaryDir dir;
    const QString five = dir.filePath("five.sdk");
    ASSERT_TRUE(MakeGame("123450000000000000000000000000000000000000000000000000000000000000000"
                         "000000000000")
                    ->SaveGame(five.toStdString(), true, true));
    const QString whole = dir.filePath("whole.sdk");
    ASSERT_TRUE(MakeGame(Riddle)->SaveGame(whole.toStdString(), true, true));
    const QString bad = WriteFile(dir, "bad.sdk", "no game at all");
    const struct
    {
        QString file;
        bool resumedDefinition, fixMode;
        unsigned fixCount;
        QString status;
    } cases[] = {
        {five, false, true, 5, "The game has been loaded and is now ready for solving."},
        {whole, true, false, 30, "The game has been loaded and is now ready for solving."},
        {bad, false, false, 0, "ERROR: The game could not be loaded."},
    };
    for (const auto &c : cases) {
        FreshStart();
        if (c.resumedDefinition) {
            ASSERT_TRUE(MakeGame("1234500000000000000000000000000000000000000000000000000000000000"
                                 "00000000000000000")
                            ->SaveCurrentGame());
        }
        SudokuApp app;
        bool result = false;
        WndSudoku *w = RunMain(app, {c.file}, result);
        ASSERT_TRUE(result);
        EXPECT_TRUE(w->HasTimerState(TS_STARTUP));
        w->EvTimer();
        w->WindowTimer().Stop();
        EXPECT_FALSE(w->HasTimerState(TS_STARTUP));
        EXPECT_EQ(WndSudokuPeer::FixMode(*w), c.fixMode) << qPrintable(c.file);
        EXPECT_EQ(w->Game().GetFixCount(), c.fixCount);
        EXPECT_EQ(Status(*w), c.status);
        if (c.resumedDefinition) {
            w->EvTimer();
            EXPECT_EQ(Title(*w), "N I N E F O L D   S U D O K U");
            EXPECT_TRUE(Enabled(*w, "BT_SOLVE"));
            ASSERT_TRUE(w->SetCurrentValue(SdkDigit4, 0, 2)); // a move, not a given
            EXPECT_EQ(w->Game().GetFixCount(), 30u);
            EXPECT_EQ(w->Game().GetUserStackCount(), 1u);
        }
        CloseMainWindow(w);
    }
}

TEST(WndSudokuStart, VersionCheckAnnouncesOnlyAChangedStoredVersion)
{
    const QList<QPair<QString, bool>> cases = {{"0120", true}, {"0130", false}, {"", false}};
    for (const auto &[stored, announced] : cases) {
        FreshStart();
        if (!stored.isEmpty())
            SetSetting("Version", stored);
        WndSudoku *w = OpenMainWindow();
        ASSERT_NE(w, nullptr);
        Script script;
        w->EvTimer();
        EXPECT_FALSE(w->HasTimerState(TS_VERSION_CHECK));
        // The notice may be followed by a message about the version history.
        ASSERT_EQ(script.Seen().isEmpty(), !announced) << qPrintable(stored);
        if (announced) {
            EXPECT_TRUE(script.Seen()[0].text.contains("Your current program version is now:"));
        }
        EXPECT_EQ(GetSetting("Version"), announced ? "0130" : stored);
        CloseMainWindow(w);
    }
}

TEST(WndSudokuClose, RefusedWhileDefiningOrWhileAWorkerRunsInTheWindowsLanguage)
{
    FreshStart();
    WndSudoku *w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    w->Game() = *MakeGame(Riddle);
    const struct
    {
        bool defining;
        short language;
        QString text;
    } cases[] = {
        {true, 1, "... can't be closed while a game definition is active."},
        {true, 0, "... kann nicht beendet werden, solange eine Spieldefinition aktiv ist."},
        {false, 1,
         "... can't be closed while a solution process or a game-creation process is "
         "running."},
        {false, 0,
         "... kann nicht beendet werden, solange ein Lösungsprozess oder ein "
         "Spielerzeugungsprozess läuft."},
    };
    for (const auto &c : cases) {
        WndSudokuPeer::FixMode(*w) = c.defining;
        WndSudokuPeer::Language(*w) = c.language;
        GateSolver::CloseGate();
        if (!c.defining) {
            ASSERT_TRUE(w->Game().ThreadSolve(-1, false, "GateSolver"));
        }
        Script script;
        w->Close(false);
        ASSERT_EQ(script.Seen().size(), 1);
        EXPECT_EQ(script.Seen()[0].title, "Information");
        EXPECT_TRUE(script.Seen()[0].text.contains(c.text)) << qPrintable(script.Seen()[0].text);
        EXPECT_TRUE(script.Seen()[0].text.contains("N I N E F O L D   S U D O K U ..."));
        EXPECT_FALSE(w->IsDestroyed());
        GateSolver::OpenGate();
        ASSERT_TRUE(WaitForThreadEnd(w->Game()));
    }
    CloseMainWindow(w);
}

TEST(WndSudokuClose, AcceptedCloseStoresTheDelayAndTheCurrentGameButTheDestroyBitDoesNot)
{
    for (bool destroyBit : {false, true}) {
        FreshStart();
        WndSudoku *w = OpenMainWindow();
        ASSERT_NE(w, nullptr);
        w->Game() = *MakeGame(Riddle);
        w->Game().SetDelayMs(420);
        if (destroyBit) {
            w->AddTimerState(TS_DESTROY);
            w->EvTimer();
        } else {
            w->Close(false);
        }
        EXPECT_TRUE(w->IsDestroyed());
        Sudoku stored;
        EXPECT_EQ(stored.LoadCurrentGame(), !destroyBit);
        EXPECT_EQ(GetSetting("SolveDelayMs"), destroyBit ? "" : "420");
        if (!destroyBit) {
            EXPECT_EQ(stored.GetFixCount(), 30u);
        }
        delete w;
    }
}
