// Housekeeping of the games folder, the help command, the version history, the homepage and the
// About box's web line.
#include "SdkAppTestSupport.h"

#include "app/SdkPlatform.h"
#include "base/TOpSystem.h"

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

// Records what would be started or opened instead of doing it.
class StartRecorder
{
public:
    explicit StartRecorder(bool succeed = true)
    {
        previousStarter = SdkPlatform::SetStarter(
            [this, succeed](const QString &program, const QStringList &args) {
                started << (QStringList{program} + args).join('|');
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
    QStringList started, opened;

private:
    SdkPlatform::Starter previousStarter;
    SdkPlatform::UrlOpener previousOpener;
};

// An installation folder of the test's own, with example games.
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
        ASSERT_TRUE(WriteText(Install("ExampleGames/Easy.sdk"), "example easy"));
        ASSERT_TRUE(WriteText(Install("ExampleGames/Hard.sdk"), "example hard"));
        games = QString::fromStdString(Sudoku::GetUserGamesPath().Str());
        ASSERT_FALSE(games.isEmpty());
    }
    void TearDown() override
    {
        CloseMainWindow(w);
        SdkPlatform::SetInstallDirCandidates(std::nullopt);
    }
    void Open()
    {
        w = OpenMainWindow(); // its first tick runs the configuration and the housekeeping
        ASSERT_NE(w, nullptr);
    }
    QString Install(const char *path) { return install.filePath(QLatin1String(path)); }
    QString Doc(const char *language)
    {
        return Install("doku/Doku.NinefoldSudoku.Main.") + language + ".html";
    }

    QTemporaryDir install;
    QString games;
    WndSudoku *w = nullptr;
};
} // namespace

TEST_F(WndSudokuHousekeeping, OldGamesMoveExamplesAreCopiedAndNothingIsLostNorOverwritten)
{
    ASSERT_TRUE(WriteText(Install("Games/Easy.sdk"), "example easy")); // an unchanged example
    ASSERT_TRUE(WriteText(Install("Games/Mine.sdk"), "my own game"));
    ASSERT_TRUE(WriteText(Install("Games/Sub/Deep.sdk"), "deeper game"));
    ASSERT_TRUE(WriteText(Install("Games/Hard.sdk"), "hard, half played"));
    ASSERT_TRUE(WriteText(games + "/Clash.sdk", "new clash"));
    ASSERT_TRUE(WriteText(Install("Games/Clash.sdk"), "old clash"));
    ASSERT_TRUE(WriteText(games + "/ExampleGames/Easy.sdk", "easy, my notes")); // a changed copy
    Open();
    const QList<QPair<QString, QByteArray>> expected = {
        {games + "/Mine.sdk", "my own game"},
        {games + "/Sub/Deep.sdk", "deeper game"},
        {games + "/Easy.sdk", "<missing>"},
        {games + "/Hard.sdk", "hard, half played"},
        {games + "/Clash.sdk", "new clash"},
        {Install("Games/Clash.sdk"), "old clash"}, // kept where it was
        {games + "/ExampleGames/Easy.sdk", "easy, my notes"},
        {games + "/ExampleGames/Hard.sdk", "example hard"},
    };
    for (const auto &[path, content] : expected)
        EXPECT_EQ(ReadText(path), content) << qPrintable(path);

    // A second start overwrites no copy.
    ASSERT_TRUE(WriteText(Install("ExampleGames/Hard.sdk"), "example hard, new"));
    EXPECT_TRUE(w->CheckAndCopyExampleFiles());
    EXPECT_TRUE(w->MoveOldStyleGameFiles());
    EXPECT_EQ(ReadText(games + "/ExampleGames/Hard.sdk"), "example hard");
}

TEST(WndSudokuHelpCommand, ProgramPartIsQuotedAndPercentOneTakesTheQuotedFile)
{
    const QString file = "/usr/share/doku/Main.eng.html";
    const QString quoted = "\"" + file + "\"";
    const struct
    {
        QString command, file, expected, separate;
    } cases[] = {
        {"xdg-open \"%1\"", file, "\"xdg-open\" " + quoted, ""},
        {"\"C:\\Program Files\\b.exe\" -url %1", file,
         "\"C:\\Program Files\\b.exe\" -url " + quoted, ""},
        {"browser\t--new %1 --again \"%1\"", quoted, "\"browser\"\t--new %1 --again " + quoted, ""},
        {"firefox", file, "\"firefox\"", quoted}, // the file as an argument of its own
        {"   ", file, "", ""},
    };
    for (const auto &c : cases) {
        QString separate;
        EXPECT_EQ(WndSudoku::HelpCommand(c.command, c.file, &separate), c.expected)
            << qPrintable(c.command);
        EXPECT_EQ(separate, c.separate) << qPrintable(c.command);
    }
    const std::vector<TOpSystem::DirEntry> listing = {{"Easy.SDK", false}, {"Folder", true}};
    EXPECT_TRUE(WndSudoku::_HasFile("easy.sdk", listing));
    EXPECT_FALSE(WndSudoku::_HasFile("Folder", listing));
    EXPECT_FALSE(WndSudoku::_HasFile("Hard.sdk", listing));
}

TEST_F(WndSudokuHousekeeping, HelpHistoryAndHomepageOpenTheirFileOrSayWhyNot)
{
    const QString history = Install("doku/NinefoldSudoku_Version-History.txt");
    Open();
    const struct
    {
        const char *what;
        short language;
        bool (WndSudoku::*command)(VxEvent &);
        std::optional<QString> associated;
        bool historyFile, succeed;
        QString started, opened, message;
    } cases[] = {
        {"help", 1, &WndSudoku::DoHelp, std::nullopt, false, true, "xdg-open|" + Doc("eng"), "",
         ""},
        {"help", 0, &WndSudoku::DoHelp, std::nullopt, false, true, "xdg-open|" + Doc("ger"), "",
         ""},
        {"help", 1, &WndSudoku::DoHelp, QString("viewer --tab"), false, true,
         "viewer|--tab|" + Doc("eng"), "", ""},
        {"help", 1, &WndSudoku::DoHelp, QString(), false, true, "", "", ""},
        {"help", 1, &WndSudoku::DoHelp, std::nullopt, false, false, "xdg-open|" + Doc("eng"), "",
         "The helpfile for N I N E F O L D   S U D O K U could not be started."},
        {"history", 1, &WndSudoku::DoVersionHistory, std::nullopt, false, true, "", "",
         "The version-history cannot be displayed:\n\nThe file does not exist."},
        {"history", 1, &WndSudoku::DoVersionHistory, std::nullopt, true, true,
         SdkPlatform::TextViewer() + "|" + history, "", ""},
        {"history", 0, &WndSudoku::DoVersionHistory, std::nullopt, true, false,
         SdkPlatform::TextViewer() + "|" + history, "",
         "Die Version-Historie kann nicht angezeigt werden:\n\nDer Editor konnte nicht gestarted "
         "werden."},
        // Without a site of its own the homepage is the installed manual.
        {"homepage", 1, &WndSudoku::DoHomepage, std::nullopt, false, true, "",
         QUrl::fromLocalFile(Doc("eng")).toString(), ""},
        {"homepage", 0, &WndSudoku::DoHomepage, std::nullopt, false, true, "",
         QUrl::fromLocalFile(Doc("ger")).toString(), ""},
        {"homepage", 1, &WndSudoku::DoHomepage, std::nullopt, false, false, "",
         QUrl::fromLocalFile(Doc("eng")).toString(), "The browser could not be started."},
    };
    for (const auto &c : cases) {
        QFile::remove(history);
        if (c.historyFile) {
            ASSERT_TRUE(WriteText(history, "1.30\n"));
        }
        StartRecorder recorder(c.succeed);
        if (c.associated)
            SdkPlatform::SetAssociatedCommand(c.associated);
        WndSudokuPeer::Language(*w) = c.language;
        Script script;
        VxEvent event;
        EXPECT_TRUE((w->*c.command)(event));
        EXPECT_EQ(recorder.started.join(' '), c.started) << c.what << c.language;
        EXPECT_EQ(QUrl(recorder.opened.join(' ')).toLocalFile(), QUrl(c.opened).toLocalFile())
            << c.what;
        EXPECT_EQ(script.Seen().size(), c.message.isEmpty() ? 0 : 1) << c.what << c.language;
        if (!c.message.isEmpty() && !script.Seen().isEmpty()) {
            EXPECT_TRUE(script.Seen()[0].text.contains(c.message))
                << qPrintable(script.Seen()[0].text);
        }
    }
}

TEST_F(WndSudokuHousekeeping, ClickOnTheAboutBoxWebLineOpensTheMakersAddress)
{
    Open();
    for (bool succeed : {true, false}) {
        StartRecorder recorder(succeed);
        Script script;
        script.On("SUDOKU_ABOUT", [](QWidget &window) {
            QTest::mouseClick(window.findChild<QWidget *>("STAT_IMPRESSUM_WEB"), Qt::LeftButton);
        });
        VxEvent event;
        w->DoAbout(event);
        EXPECT_EQ(recorder.opened,
                  QStringList{SdkPlatform::MakerWeb(1, WndSudokuPeer::InstallDir(*w))});
        // A browser that cannot be started is reported over the About box.
        ASSERT_EQ(script.Seen().size(), succeed ? 1 : 2);
        if (!succeed) {
            EXPECT_TRUE(script.Seen()[1].text.contains("The browser could not be started."));
        }
    }
}

TEST_F(WndSudokuHousekeeping, WithoutInstallationFolderHelpAndHistoryOpenNothing)
{
    Open();
    SdkPlatform::SetInstallDirCandidates(QStringList{});
    SetSetting("InstallDir", install.path() + "/gone");
    {
        Script cancel([](QWidget &window) { qobject_cast<QDialog *>(&window)->reject(); });
        w->ReadConfig();
    }
    StartRecorder recorder;
    Script script;
    VxEvent event;
    w->DoHelp(event);
    EXPECT_TRUE(script.Seen().isEmpty());
    w->DoVersionHistory(event);
    ASSERT_EQ(script.Seen().size(), 1);
    EXPECT_TRUE(script.Seen()[0].text.contains("The path could not be found."));
    EXPECT_TRUE(recorder.started.isEmpty());
    EXPECT_FALSE(w->CheckAndCopyExampleFiles());
    EXPECT_FALSE(w->MoveOldStyleGameFiles());
    w->RemoveTimerState(TS_DESTROY);
}
