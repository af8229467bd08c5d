// Start-up of the program, the main window's first ticks and its close, and pictures of the main
// window, its play aids and its dialogs in English and German for people to look at
// (<build>/screenshots).
#include "SdkAppTestSupport.h"

#include "app/SudokuApp.h"
#include "velox/VxResource.h"

using namespace SdkTest;

namespace {
const QString Plain = "N I N E F O L D   S U D O K U";
const char TenGivens[] = "123456789000000000000000000000000000000000000000000000000000000000000"
                         "000000000001";
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

// What the first ticks show: the current game of the last session, or the game file named by
// the first argument when that is an existing file (also relative to the start folder). Only the
// file's givens are taken; a whole riddle ends a definition resumed from last time.
TEST_F(WndSudokuStart, FirstTicksShowTheCurrentGameOrTheFileNamedAtStart)
{
    const QString five = dir.filePath("five.sdk"), whole = dir.filePath("whole.sdk"),
                  ten = dir.filePath("ten.sdk"), bad = dir.filePath("bad.sdk");
    // Five givens and a played 6.
    ASSERT_TRUE(WriteFile(five, "*1*2*3*4*56" + QByteArray(75, '-') + "FILE:*US:|0*BT:-1*"));
    ASSERT_TRUE(MakeGame(Riddle)->SaveGame(whole.toStdString(), true, true));
    ASSERT_TRUE(MakeGame(TenGivens)->SaveGame(ten.toStdString(), true, true));
    ASSERT_TRUE(WriteFile(bad, "no game at all"));
    const QString loaded = "The game has been loaded and is now ready for solving.";
    const QString defining = Plain + "  -  Edit Game-Definition";
    const QString none = Plain + "  -  No riddle defined";
    const std::tuple<const char *, QString, QString, QString, QString> cases[] = {
        // current, arg, title, stack, status
        {nullptr, "", none, "Fix: 0   Step: 0/0", ""},
        {FiveGivens, "", defining, "Fix Nnumber Count: 5", ""},
        {TenGivens, "", Plain, "Fix: 10   Step: 0/0", ""},
        {FiveGivens, ten, Plain, "Fix: 10   Step: 0/0", loaded},
        {Solution, "", Plain + "  -  SUCCESSFULLY FINISHED!", "Fix: 81   Step: 0/0",
         "The game has been successfully completed."},
        {nullptr, five, defining, "Fix Nnumber Count: 5", loaded},
        {FiveGivens, QDir::current().relativeFilePath(whole), Plain, "Fix: 30   Step: 0/0", loaded},
        {nullptr, bad, none, "Fix: 0   Step: 0/0", "ERROR: The game could not be loaded."},
        {FiveGivens, dir.path(), defining, "Fix Nnumber Count: 5", ""}, // a folder
        {FiveGivens, dir.filePath("missing.sdk"), defining, "Fix Nnumber Count: 5", ""},
    };
    const QString startDir = QDir::currentPath();
    for (const auto &[current, arg, title, stack, status] : cases) {
        SCOPED_TRACE((title + " " + arg).toStdString());
        FreshStart();
        ASSERT_TRUE(!current || MakeGame(current)->SaveCurrentGame());
        ASSERT_TRUE(RunMain(arg.isEmpty() ? QStringList() : QStringList{arg}));
        const QFileInfo named(arg);
        EXPECT_EQ(QDir::cleanPath(app->GetInitFile()),
                  named.isFile() ? named.absoluteFilePath() : QString());
        EXPECT_EQ(QDir::currentPath(), startDir);
        EXPECT_TRUE(w->HasTimerState(TS_STARTUP));
        w->EvTimer();
        EXPECT_FALSE(w->HasTimerState(TS_STARTUP));
        EXPECT_EQ(Status(), status);
        w->EvTimer();
        w->WindowTimer().Stop();
        const bool inDefinition = title == defining, playable = title == Plain;
        EXPECT_EQ(Title(), title);
        EXPECT_EQ(Text("STAT_STACK"), stack);
        EXPECT_EQ(WndSudokuPeer::FixMode(*w), inDefinition);
        EXPECT_EQ(w->focusWidget()->objectName(),
                  inDefinition || playable ? "DRAW" : "BT_CREATE_GAME");
        EXPECT_EQ(Enabled("BT_SOLVE"), playable);
        EXPECT_EQ(Enabled("BT_CREATE_GAME"), !inDefinition);
        EXPECT_EQ(w->FindAction("MN_PRINT")->isEnabled(), !inDefinition);
        EXPECT_TRUE(arg != five || Value(0, 5) == SdkDigitEmpty);
        if (stack == "Fix: 30   Step: 0/0") {
            ASSERT_TRUE(w->SetCurrentValue(SdkDigit4, 0, 2)); // a move, not a given
            EXPECT_EQ(w->Game().GetFixCount(), 30u);
        }
    }
}

using WndSudokuClose = WndTest;

TEST_F(WndSudokuClose, RefusedWhileDefiningOrWhileAWorkerRunsInTheWindowsLanguage)
{
    w->Game() = *MakeGame(Riddle);
    const std::tuple<bool, short, QString> cases[] = {
        // defining, language, text
        {true, 1, "... can't be closed while a game definition is active."},
        {false, 0,
         "... kann nicht beendet werden, solange ein Lösungsprozess oder ein "
         "Spielerzeugungsprozess läuft."},
    };
    for (const auto &[defining, language, text] : cases) {
        WndSudokuPeer::FixMode(*w) = defining;
        WndSudokuPeer::Language(*w) = language;
        ASSERT_TRUE(defining || GatedSolve(*w));
        Script script;
        w->Close(false);
        ASSERT_EQ(script.Seen().size(), 1);
        EXPECT_EQ(script.Seen()[0].title, "Information");
        EXPECT_TRUE(script.Seen()[0].text.contains(text)) << script.Seen()[0].text;
        EXPECT_TRUE(script.Seen()[0].text.contains(Plain + " ..."));
        EXPECT_FALSE(w->IsDestroyed());
        GateSolver::OpenGate();
        ASSERT_TRUE(WaitUntil([this] { return !w->Game().IsThreadRunning(); }));
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
        SdkParam level(w->Game(), 2, true); // the window no longer hears its game
        w->Game().MVC().Call(SDK_START_SOLVING, level);
        EXPECT_NE(WndSudokuPeer::SolveLevel(*w), 2);
        Sudoku stored;
        EXPECT_EQ(stored.LoadCurrentGame(), !destroyBit);
        EXPECT_EQ(stored.GetFixCount(), destroyBit ? 0u : 30u);
        EXPECT_EQ(GetSetting("SolveDelayMs"), destroyBit ? "" : "420");
        delete w;
        w = nullptr;
    }
}

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
            ASSERT_TRUE(w->Game().SetValue(SdkDigit(Solution[i] - '0'), i / 9u, i % 9u));
        View(true, true);
        SetActive(1, 2);
        w->DrawWindow()->setFocus();
        w->SetStatusAfterStep(SdkDigit4, 1, 2);
        w->EvTimer();
        w->ValidateStates();
        SaveScreenshot(*w, "main_midgame_" + suffix);

        // Every aid at once, with manual candidates and a minute and a quarter played.
        View(false, false);
        ASSERT_TRUE(SetMarks(w->Game(), "1,2", 2, 0));
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
            for (auto command :
                 {&WndSudoku::DoGameOptions, &WndSudoku::DoAbout, &WndSudoku::DoCreateGame})
                Do(command);
            w->ChangeLanguage(true);
        }
        w->Game() = *SolutionWithout({});
        w->ViewAsCompleted(true);
        w->EvTimer();
        w->ValidateStates();
        SaveScreenshot(*w, "main_completed_" + suffix);
    }
}
