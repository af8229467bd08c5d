// Housekeeping of the games folder, the help command, the version history and the homepage.
#include "SdkAppTestSupport.h"

#include "app/SdkPlatform.h"
#include "base/TOpSystem.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace SdkTest;

namespace {
bool WriteText(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

QByteArray ReadText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList Tree(const QString &root)
{
    QStringList out;
    QDir dir(root);
    for (const QFileInfo &info :
         dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name)) {
        if (info.isDir())
            for (const QString &sub : Tree(info.filePath()))
                out << info.fileName() + "/" + sub;
        else
            out << info.fileName();
    }
    return out;
}

// Records what would be started instead of starting it.
class StartRecorder
{
public:
    explicit StartRecorder(bool succeed = true)
    {
        previousStarter = SdkPlatform::SetStarter(
            [this, succeed](const QString &program, const QStringList &args) {
                started << (QStringList{program} + args);
                return succeed;
            });
        previousOpener = SdkPlatform::SetUrlOpener([this, succeed](const QString &address) {
            opened << address;
            return succeed;
        });
    }
    ~StartRecorder()
    {
        SdkPlatform::SetStarter(previousStarter);
        SdkPlatform::SetUrlOpener(previousOpener);
        SdkPlatform::SetAssociatedCommand(std::nullopt);
    }
    QList<QStringList> started;
    QStringList opened;

private:
    SdkPlatform::Starter previousStarter;
    SdkPlatform::UrlOpener previousOpener;
};

// An installation folder of the test's own, with an old-style "Games" folder.
class WndSudokuHousekeeping : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FreshStart();
        ASSERT_TRUE(install.isValid());
        SdkPlatform::SetInstallDirCandidates(QStringList{install.path()});
        for (const char *sub : {"PreDefs", "ExampleGames", "doku"})
            QDir(install.path()).mkpath(sub);
        ASSERT_TRUE(WriteText(install.filePath("ExampleGames/Easy.sdk"), "example easy"));
        ASSERT_TRUE(WriteText(install.filePath("ExampleGames/Hard.sdk"), "example hard"));
        games = QString::fromStdString(Sudoku::GetUserGamesPath().Str());
        ASSERT_FALSE(games.isEmpty());
    }
    void TearDown() override
    {
        CloseMainWindow(w);
        SdkPlatform::SetInstallDirCandidates(std::nullopt);
    }
    // Opens the window; its first tick runs the configuration and the housekeeping.
    void Open()
    {
        w = OpenMainWindow();
        ASSERT_NE(w, nullptr);
    }
    QTemporaryDir install;
    QString games;
    WndSudoku *w = nullptr;
};
} // namespace

TEST_F(WndSudokuHousekeeping, OldGamesMoveExampleCopiesGoAndTheOldFolderIsRemoved)
{
    ASSERT_TRUE(WriteText(install.filePath("Games/Easy.sdk"), "example easy"));
    ASSERT_TRUE(WriteText(install.filePath("Games/Mine.sdk"), "my own game"));
    ASSERT_TRUE(WriteText(install.filePath("Games/Sub/Deep.sdk"), "deeper game"));
    Open();
    EXPECT_FALSE(QFileInfo::exists(install.filePath("Games")));
    EXPECT_EQ(ReadText(games + "/Mine.sdk"), "my own game");
    EXPECT_EQ(ReadText(games + "/Sub/Deep.sdk"), "deeper game");
    EXPECT_FALSE(QFileInfo::exists(games + "/Easy.sdk"));
    EXPECT_EQ(ReadText(games + "/ExampleGames/Easy.sdk"), "example easy");
    EXPECT_EQ(ReadText(games + "/ExampleGames/Hard.sdk"), "example hard");
}

TEST_F(WndSudokuHousekeeping, AGameIsNeverLostNorOverwritten)
{
    // Same name as an example but changed by the user: moved like any other game.
    ASSERT_TRUE(WriteText(install.filePath("Games/Hard.sdk"), "hard, half played"));
    // Same name as a game already in the user's folder, other content: stays where it is.
    ASSERT_TRUE(WriteText(install.filePath("Games/Clash.sdk"), "old clash"));
    ASSERT_TRUE(WriteText(games + "/Clash.sdk", "new clash"));
    // A changed copy of an example in the user's folder is not replaced.
    ASSERT_TRUE(WriteText(games + "/ExampleGames/Easy.sdk", "easy, my notes"));
    Open();
    EXPECT_EQ(ReadText(games + "/Hard.sdk"), "hard, half played");
    EXPECT_EQ(ReadText(games + "/Clash.sdk"), "new clash");
    EXPECT_EQ(ReadText(install.filePath("Games/Clash.sdk")), "old clash");
    EXPECT_EQ(ReadText(games + "/ExampleGames/Easy.sdk"), "easy, my notes");
    EXPECT_EQ(ReadText(games + "/ExampleGames/Hard.sdk"), "example hard");
}

TEST_F(WndSudokuHousekeeping, ASecondStartCopiesNothing)
{
    Open();
    const QStringList first = Tree(games);
    QFile::remove(install.filePath("ExampleGames/Hard.sdk"));
    ASSERT_TRUE(WriteText(install.filePath("ExampleGames/Easy.sdk"), "example easy, new"));
    EXPECT_TRUE(w->CheckAndCopyExampleFiles());
    EXPECT_TRUE(w->MoveOldStyleGameFiles());
    EXPECT_EQ(Tree(games), first);
    EXPECT_EQ(ReadText(games + "/ExampleGames/Easy.sdk"), "example easy");
}

TEST_F(WndSudokuHousekeeping, HasFileIgnoresCaseAndFolders)
{
    const std::vector<TOpSystem::DirEntry> listing = {{"Easy.SDK", false}, {"Folder", true}};
    EXPECT_TRUE(WndSudoku::_HasFile("easy.sdk", listing));
    EXPECT_FALSE(WndSudoku::_HasFile("Folder", listing));
    EXPECT_FALSE(WndSudoku::_HasFile("Hard.sdk", listing));
}

TEST(WndSudokuHelpCommand, ProgramPartIsQuotedAndPercentOneTakesTheQuotedFile)
{
    const QString file = "/usr/share/ninefold-sudoku/doku/Doku.NinefoldSudoku.Main.eng.html";
    const QString quoted = "\"" + file + "\"";
    QString separate;
    EXPECT_EQ(WndSudoku::HelpCommand("xdg-open \"%1\"", file, &separate), "\"xdg-open\" " + quoted);
    EXPECT_TRUE(separate.isEmpty());
    EXPECT_EQ(
        WndSudoku::HelpCommand("\"C:\\Program Files\\Browser\\b.exe\" -url %1", file, &separate),
        "\"C:\\Program Files\\Browser\\b.exe\" -url " + quoted);
    EXPECT_EQ(
        WndSudoku::HelpCommand("browser\t--new %1 --again \"%1\"", "\"" + file + "\"", &separate),
        "\"browser\"\t--new %1 --again " + quoted);
    // Without "%1" the file is handed over as an argument of its own.
    EXPECT_EQ(WndSudoku::HelpCommand("firefox", file, &separate), "\"firefox\"");
    EXPECT_EQ(separate, quoted);
    EXPECT_EQ(WndSudoku::HelpCommand("   ", file, &separate), "");
}

TEST_F(WndSudokuHousekeeping, HelpOpensTheFileOfTheLanguageAndReportsAFailedStart)
{
    Open();
    for (int language : {0, 1}) {
        StartRecorder recorder;
        WndSudokuPeer::Language(*w) = short(language);
        VxEvent event;
        ModalRecorder hook;
        EXPECT_TRUE(w->DoHelp(event));
        EXPECT_TRUE(hook.Seen().isEmpty());
        ASSERT_EQ(recorder.started.size(), 1);
        EXPECT_EQ(recorder.started[0],
                  (QStringList{"xdg-open", install.path() + "/doku/Doku.NinefoldSudoku.Main" +
                                               (language ? ".eng" : ".ger") + ".html"}));
    }
    {
        StartRecorder recorder;
        SdkPlatform::SetAssociatedCommand(QString("viewer --tab"));
        VxEvent event;
        w->DoHelp(event);
        ASSERT_EQ(recorder.started.size(), 1);
        EXPECT_EQ(recorder.started[0].first(), "viewer");
        EXPECT_EQ(recorder.started[0].last(),
                  install.path() + "/doku/Doku.NinefoldSudoku.Main.eng.html");
    }
    {
        StartRecorder recorder;
        SdkPlatform::SetAssociatedCommand(QString());
        ModalRecorder hook;
        VxEvent event;
        w->DoHelp(event);
        EXPECT_TRUE(recorder.started.isEmpty());
        EXPECT_TRUE(hook.Seen().isEmpty());
    }
    StartRecorder failing(false);
    ModalRecorder hook;
    VxEvent event;
    w->DoHelp(event);
    ASSERT_EQ(hook.Seen().size(), 1);
    EXPECT_EQ(hook.Seen()[0].title, "Error");
    EXPECT_TRUE(hook.Seen()[0].text.contains(
        "The helpfile for N I N E F O L D   S U D O K U could not be started."));
    EXPECT_TRUE(hook.Seen()[0].text.contains("linked with the file-extension \".html\"."));
}

TEST_F(WndSudokuHousekeeping, VersionHistoryOpensInTheViewerOrSaysWhyNot)
{
    Open();
    VxEvent event;
    {
        StartRecorder recorder;
        ModalRecorder hook;
        w->DoVersionHistory(event);
        ASSERT_EQ(hook.Seen().size(), 1);
        EXPECT_EQ(hook.Seen()[0].title, "Information");
        EXPECT_TRUE(hook.Seen()[0].text.contains(
            "The version-history cannot be displayed:\n\nThe file does not exist."));
        EXPECT_TRUE(recorder.started.isEmpty());
    }
    const QString history = install.filePath("doku/NinefoldSudoku_Version-History.txt");
    ASSERT_TRUE(WriteText(history, "1.30\n"));
    {
        StartRecorder recorder;
        ModalRecorder hook;
        w->DoVersionHistory(event);
        EXPECT_TRUE(hook.Seen().isEmpty());
        ASSERT_EQ(recorder.started.size(), 1);
        EXPECT_EQ(recorder.started[0], (QStringList{SdkPlatform::TextViewer(), history}));
    }
    {
        StartRecorder recorder(false);
        ModalRecorder hook;
        WndSudokuPeer::Language(*w) = 0;
        w->DoVersionHistory(event);
        ASSERT_EQ(hook.Seen().size(), 1);
        EXPECT_TRUE(hook.Seen()[0].text.contains(
            "Die Version-Historie kann nicht angezeigt werden:\n\nDer Editor konnte nicht "
            "gestarted werden."));
    }
}

TEST_F(WndSudokuHousekeeping, VersionNoticeIsFollowedByTheHistory)
{
    ASSERT_TRUE(WriteText(install.filePath("doku/NinefoldSudoku_Version-History.txt"), "x"));
    SetSetting("Version", "0121");
    Open();
    StartRecorder recorder;
    ModalRecorder hook;
    w->EvTimer();
    ASSERT_EQ(hook.Seen().size(), 1);
    EXPECT_TRUE(hook.Seen()[0].text.contains("Your current program version is now:"));
    EXPECT_TRUE(hook.Seen()[0].text.contains("1.30"));
    ASSERT_EQ(recorder.started.size(), 1);
    EXPECT_EQ(GetSetting("Version"), "0130");
}

TEST_F(WndSudokuHousekeeping, HomepageByLanguageAndTheBrowserMessage)
{
    Open();
    VxEvent event;
    {
        StartRecorder recorder;
        WndSudokuPeer::Language(*w) = 1;
        w->DoHomepage(event);
        WndSudokuPeer::Language(*w) = 0;
        w->DoHomepage(event);
        ASSERT_EQ(recorder.opened.size(), 2);
        // Without a site of its own the homepage is the installed manual in the window's language.
        const QString manual =
            QDir::cleanPath(WndSudokuPeer::InstallDir(*w)) + "/doku/Doku.NinefoldSudoku.Main.";
        EXPECT_EQ(QUrl(recorder.opened[0]).toLocalFile(), manual + "eng.html");
        EXPECT_EQ(QUrl(recorder.opened[1]).toLocalFile(), manual + "ger.html");
    }
    StartRecorder failing(false);
    ModalRecorder hook;
    WndSudokuPeer::Language(*w) = 1;
    w->DoHomepage(event);
    ASSERT_EQ(hook.Seen().size(), 1);
    EXPECT_TRUE(hook.Seen()[0].text.contains("The browser could not be started."));
}

TEST(SudokuData, ExampleGamesCoverEveryKindOfGame)
{
    const QDir dir(QCoreApplication::applicationDirPath() + "/ExampleGames");
    const QStringList files = dir.entryList({"*.sdk"}, QDir::Files);
    ASSERT_GE(files.size(), 5);
    bool fresh = false, halfPlayed = false, completed = false, defining = false, hard = false;
    for (const QString &file : files) {
        Sudoku game;
        ASSERT_TRUE(game.LoadGame(dir.filePath(file).toStdString(), false, true))
            << qPrintable(file);
        const unsigned fix = game.GetFixCount();
        bool ownCandidates = false;
        for (unsigned r = 0; r < 9; ++r)
            for (unsigned c = 0; c < 9; ++c)
                ownCandidates |= !game.GetUserCandidates(r, c).IsEmpty();
        if (fix >= 1 && fix < 10)
            defining = true;
        else if (game.IsCompleted() && game.GetUserStackCount() > 0)
            completed = true;
        else if (game.CanUndo() && game.CanRedo() && ownCandidates)
            halfPlayed = true;
        else if (game.GetUserStackCount() == 0 && fix >= 17) {
            fresh = true;
            Sudoku riddle;
            ASSERT_TRUE(riddle.LoadGame(dir.filePath(file).toStdString(), true, false));
            ASSERT_TRUE(riddle.Solve(-1, true, ""));
            hard |= riddle.GetSolveBtStep() >= 3;
        }
    }
    EXPECT_TRUE(fresh);
    EXPECT_TRUE(halfPlayed);
    EXPECT_TRUE(completed);
    EXPECT_TRUE(defining);
    EXPECT_TRUE(hard);
}

TEST_F(WndSudokuHousekeeping, ClickOnTheAboutBoxWebLineOpensTheMakersAddress)
{
    Open();
    for (bool succeed : {true, false}) {
        StartRecorder recorder(succeed);
        QStringList boxes;
        ModalRecorder hook([&boxes](QWidget &window) {
            boxes << window.objectName();
            if (window.objectName() != "SUDOKU_ABOUT")
                return;
            QWidget *web = window.findChild<QWidget *>("STAT_IMPRESSUM_WEB");
            ASSERT_NE(web, nullptr);
            QTest::mouseClick(web, Qt::LeftButton);
        });
        VxEvent event;
        w->DoAbout(event);
        ASSERT_EQ(recorder.opened.size(), 1);
        EXPECT_EQ(recorder.opened[0],
                  SdkPlatform::MakerWeb(w->GetLanguage(), WndSudokuPeer::InstallDir(*w)));
        // A browser that cannot be started is reported over the About box.
        EXPECT_EQ(boxes.size(), succeed ? 1 : 2);
        if (!succeed) {
            EXPECT_TRUE(hook.Seen()[1].text.contains("The browser could not be started."));
        }
    }
}

TEST_F(WndSudokuHousekeeping, WithoutInstallationFolderHelpAndHistoryOpenNothing)
{
    Open();
    SdkPlatform::SetInstallDirCandidates(QStringList{});
    SetSetting("InstallDir", install.path() + "/gone");
    {
        ModalRecorder cancel([](QWidget &window) { qobject_cast<QDialog *>(&window)->reject(); });
        w->ReadConfig();
    }
    StartRecorder recorder;
    ModalRecorder hook;
    VxEvent event;
    w->DoHelp(event);
    EXPECT_TRUE(hook.Seen().isEmpty());
    w->DoVersionHistory(event);
    ASSERT_EQ(hook.Seen().size(), 1);
    EXPECT_TRUE(hook.Seen()[0].text.contains("The path could not be found."));
    EXPECT_TRUE(recorder.started.isEmpty());
    EXPECT_FALSE(w->CheckAndCopyExampleFiles());
    EXPECT_FALSE(w->MoveOldStyleGameFiles());
    w->RemoveTimerState(TS_DESTROY);
}
