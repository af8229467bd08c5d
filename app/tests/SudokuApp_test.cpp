// Start-up of the program, the main window's first ticks and its close.
#include "SdkAppTestSupport.h"

#include "app/SudokuApp.h"
#include "velox/VxResource.h"

#include <QDir>
#include <QTemporaryDir>

using namespace SdkTest;

namespace {
const QString Plain = "N I N E F O L D   S U D O K U";
const char FiveGivens[] = "123450000000000000000000000000000000000000000000000000000000000000000"
                          "000000000000";

class WndSudokuStart : public WndTest
{
protected:
    void SetUp() override { FreshStart(); }
    // The program's own start with these arguments; the window's timer stopped.
    bool RunMain(const QStringList &args, const QString &resourceFile = QString())
    {
        CloseMainWindow(w);
        app = std::make_unique<SudokuApp>();
        if (!resourceFile.isEmpty())
            app->SetResourceFileName(resourceFile);
        const bool result = app->Main(static_cast<unsigned short>(args.size()), args);
        w = app->MainWindow();
        if (w)
            w->WindowTimer().Stop();
        return result;
    }

    std::unique_ptr<SudokuApp> app;
};
} // namespace

TEST_F(WndSudokuStart, ResourceFailuresAreReportedAndStartNothing)
{
    QTemporaryDir dir;
    const QString broken = dir.filePath("Broken.vxt");
    ASSERT_TRUE(WriteFile(broken, "not a resource bundle"));
    const QPair<QString, QString> cases[] = {
        {"Missing.vxt", "Resource file <Missing.vxt> not found!"},
        {broken, VxResource::ErrorText(VxResource::VX_RES_INVALID, broken)},
    };
    for (const auto &[file, text] : cases) {
        Script script;
        EXPECT_FALSE(RunMain({}, file));
        EXPECT_EQ(w, nullptr);
        ASSERT_EQ(script.Seen().size(), 1);
        EXPECT_EQ(script.Seen()[0].title, "VELOX Message");
        EXPECT_EQ(script.Seen()[0].text, text);
    }
    ASSERT_TRUE(InstallBundle());
    EXPECT_EQ(VxResource::LinkGaps(VxResource::Windows().filter("SUDOKU_")), QStringList());
    EXPECT_EQ(VxResource::UnboundLinks("SUDOKU_MAIN"), QStringList());
}

// The first argument names the game file when it is an existing file, also relative to the start
// folder; the first tick loads it, and a whole riddle ends a definition resumed from last time.
TEST_F(WndSudokuStart, FirstArgumentIsLoadedOnTheFirstTick)
{
    QTemporaryDir dir;
    const QString five = dir.filePath("five.sdk"), whole = dir.filePath("whole.sdk");
    const QString bad = dir.filePath("bad.sdk");
    ASSERT_TRUE(MakeGame(FiveGivens)->SaveGame(five.toStdString(), true, true));
    ASSERT_TRUE(MakeGame(Riddle)->SaveGame(whole.toStdString(), true, true));
    ASSERT_TRUE(WriteFile(bad, "no game at all"));
    const QString loaded = "The game has been loaded and is now ready for solving.";
    const struct
    {
        QString arg, file;
        bool fixMode;
        unsigned fixCount;
        QString status;
    } cases[] = {
        {five, five, true, 5, loaded},
        {QDir::current().relativeFilePath(whole), whole, false, 30, loaded},
        {bad, bad, false, 0, "ERROR: The game could not be loaded."}, // no game of last time
        {dir.path(), "", true, 5, ""}, // a folder: the definition of last time goes on
        {dir.filePath("missing.sdk"), "", true, 5, ""},
        {"", "", true, 5, ""},
    };
    const QString startDir = QDir::currentPath();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arg.toStdString());
        FreshStart();
        if (c.arg != bad) {
            ASSERT_TRUE(MakeGame(FiveGivens)->SaveCurrentGame());
        }
        ASSERT_TRUE(RunMain(c.arg.isEmpty() ? QStringList() : QStringList{c.arg}));
        EXPECT_EQ(QDir::cleanPath(app->GetInitFile()), QDir::cleanPath(c.file));
        EXPECT_EQ(QDir::currentPath(), startDir);
        EXPECT_TRUE(w->HasTimerState(TS_STARTUP));
        w->EvTimer();
        w->WindowTimer().Stop();
        EXPECT_FALSE(w->HasTimerState(TS_STARTUP));
        EXPECT_EQ(WndSudokuPeer::FixMode(*w), c.fixMode);
        EXPECT_EQ(w->Game().GetFixCount(), c.fixCount);
        EXPECT_EQ(Status(), c.status);
        if (c.fixCount == 30) {
            w->EvTimer();
            EXPECT_EQ(Title(), Plain);
            EXPECT_TRUE(Enabled("BT_SOLVE"));
            ASSERT_TRUE(w->SetCurrentValue(SdkDigit4, 0, 2)); // a move, not a given
            EXPECT_EQ(w->Game().GetFixCount(), 30u);
            EXPECT_EQ(w->Game().GetUserStackCount(), 1u);
        }
    }
}

// The current game of the last session decides the first picture.
TEST_F(WndSudokuStart, CurrentGameDecidesTitleFocusAndDefinitionMode)
{
    const struct
    {
        const char *game; // nullptr: none stored
        QString title, focus, stack;
        bool defining, solvable;
    } cases[] = {
        {nullptr, Plain + "  -  No riddle defined", "BT_CREATE_GAME", "Fix: 0   Step: 0/0", false,
         false},
        {FiveGivens, Plain + "  -  Edit Game-Definition", "DRAW", "Fix Nnumber Count: 5", true,
         false},
        {"123456789000000000000000000000000000000000000000000000000000000000000000000000001", Plain,
         "DRAW", "Fix: 10   Step: 0/0", false, true},
        {Solution, Plain + "  -  SUCCESSFULLY FINISHED!", "BT_CREATE_GAME", "Fix: 81   Step: 0/0",
         false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        FreshStart();
        if (c.game) {
            ASSERT_TRUE(MakeGame(c.game)->SaveCurrentGame());
        }
        Open();
        w->EvTimer();
        EXPECT_EQ(Title(), c.title);
        EXPECT_EQ(w->focusWidget()->objectName(), c.focus);
        EXPECT_EQ(Text("STAT_STACK"), c.stack);
        EXPECT_EQ(WndSudokuPeer::FixMode(*w), c.defining);
        EXPECT_EQ(Text("BT_NEW_GAME"),
                  c.defining ? "Finish d&efinition" : "Edit riddl&e manually ...");
        EXPECT_EQ(Enabled("BT_SOLVE"), c.solvable);
        EXPECT_EQ(Enabled("BT_CREATE_GAME"), !c.defining);
        EXPECT_EQ(w->FindAction("MN_PRINT")->isEnabled(), !c.defining);
    }
}

TEST_F(WndSudokuStart, VersionCheckAnnouncesOnlyAChangedStoredVersion)
{
    for (const auto &[stored, announced] :
         {QPair<QString, bool>("0120", true), {"0130", false}, {"", false}}) {
        FreshStart();
        if (!stored.isEmpty())
            SetSetting("Version", stored);
        Open();
        Script script;
        w->EvTimer();
        EXPECT_FALSE(w->HasTimerState(TS_VERSION_CHECK));
        // The notice may be followed by a message about the version history.
        ASSERT_EQ(script.Seen().isEmpty(), !announced) << stored;
        if (announced) {
            EXPECT_TRUE(script.Seen()[0].text.contains("Your current program version is now:"));
        }
        EXPECT_EQ(GetSetting("Version"), announced ? "0130" : stored);
    }
}

using WndSudokuClose = WndTest;

TEST_F(WndSudokuClose, RefusedWhileDefiningOrWhileAWorkerRunsInTheWindowsLanguage)
{
    w->Game() = *MakeGame(Riddle);
    const struct
    {
        bool defining;
        short language;
        QString text;
    } cases[] = {
        {true, 1, "... can't be closed while a game definition is active."},
        {false, 0,
         "... kann nicht beendet werden, solange ein Lösungsprozess oder ein "
         "Spielerzeugungsprozess läuft."},
    };
    for (const auto &c : cases) {
        WndSudokuPeer::FixMode(*w) = c.defining;
        WndSudokuPeer::Language(*w) = c.language;
        if (!c.defining) {
            ASSERT_TRUE(GatedSolve(*w));
        }
        Script script;
        w->Close(false);
        ASSERT_EQ(script.Seen().size(), 1);
        EXPECT_EQ(script.Seen()[0].title, "Information");
        EXPECT_TRUE(script.Seen()[0].text.contains(c.text)) << script.Seen()[0].text;
        EXPECT_TRUE(script.Seen()[0].text.contains(Plain + " ..."));
        EXPECT_FALSE(w->IsDestroyed());
        GateSolver::OpenGate();
        ASSERT_TRUE(WaitForThreadEnd(w->Game()));
    }
}

TEST_F(WndSudokuClose, AcceptedCloseStoresTheDelayAndTheCurrentGameButTheDestroyBitDoesNot)
{
    for (bool destroyBit : {false, true}) {
        FreshStart();
        Open();
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
        EXPECT_EQ(stored.GetFixCount(), destroyBit ? 0u : 30u);
        EXPECT_EQ(GetSetting("SolveDelayMs"), destroyBit ? "" : "420");
        delete w;
        w = nullptr;
    }
}
