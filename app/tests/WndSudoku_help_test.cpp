// Housekeeping of the games folder, the help command, the version history and the homepage.
#include "SdkAppTestSupport.h"

#include "app/SdkPlatform.h"
#include "base/TOpSystem.h"

#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace SdkTest;

namespace {
QByteArray ReadText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// An installation folder of the test's own, with example games; what would be started or opened
// is recorded instead.
class WndSudokuHousekeeping : public WndTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(install.isValid());
        SdkPlatform::SetInstallDirCandidates(QStringList{install.path()});
        ASSERT_TRUE(WriteFile(Install("ExampleGames/Easy.sdk"), "example easy"));
        ASSERT_TRUE(WriteFile(Install("ExampleGames/Hard.sdk"), "example hard"));
        for (const char *sub : {"PreDefs", "doku"})
            QDir(install.path()).mkpath(sub);
        games = FromT(Sudoku::GetUserGamesPath());
        FreshStart();
        Record(true);
    }
    void TearDown() override
    {
        WndTest::TearDown();
        SdkPlatform::SetInstallDirCandidates(std::nullopt);
        SdkPlatform::SetStarter(nullptr);
        SdkPlatform::SetUrlOpener(nullptr);
        SdkPlatform::SetAssociatedCommand(std::nullopt);
    }
    void Record(bool succeed)
    {
        started.clear();
        opened.clear();
        SdkPlatform::SetStarter([this, succeed](const QString &program, const QStringList &args) {
            started << (QStringList{program} + args).join('|');
            return succeed;
        });
        SdkPlatform::SetUrlOpener([this, succeed](const QString &address) {
            opened << address;
            return succeed;
        });
    }
    QString Install(const char *path) { return install.filePath(QLatin1String(path)); }
    QString Doc(const char *language)
    {
        return Install("doku/Doku.NinefoldSudoku.Main.") + language + ".html";
    }

    QTemporaryDir install;
    QString games;
    QStringList started, opened;
};
} // namespace

TEST_F(WndSudokuHousekeeping, OldGamesMoveExamplesAreCopiedAndNothingIsLostNorOverwritten)
{
    ASSERT_TRUE(WriteFile(Install("Games/Easy.sdk"), "example easy")); // an unchanged example
    ASSERT_TRUE(WriteFile(Install("Games/Mine.sdk"), "my own game"));
    ASSERT_TRUE(WriteFile(Install("Games/Sub/Deep.sdk"), "deeper game"));
    ASSERT_TRUE(WriteFile(Install("Games/Hard.sdk"), "hard, half played"));
    ASSERT_TRUE(WriteFile(games + "/Clash.sdk", "new clash"));
    ASSERT_TRUE(WriteFile(Install("Games/Clash.sdk"), "old clash"));
    ASSERT_TRUE(WriteFile(games + "/ExampleGames/Easy.sdk", "easy, my notes")); // a changed copy
    Open(); // its first tick runs the configuration and the housekeeping
    const QPair<QString, QByteArray> expected[] = {
        {games + "/Mine.sdk", "my own game"},
        {games + "/Sub/Deep.sdk", "deeper game"},
        {games + "/Easy.sdk", "<missing>"},
        {games + "/Hard.sdk", "hard, half played"},
        {games + "/Clash.sdk", "new clash"},
        {Install("Games/Clash.sdk"), "old clash"}, // kept where it was
        {Install("Games/Mine.sdk"), "<missing>"},
        {games + "/ExampleGames/Easy.sdk", "easy, my notes"},
        {games + "/ExampleGames/Hard.sdk", "example hard"},
    };
    for (const auto &[path, content] : expected)
        EXPECT_EQ(ReadText(path), content) << path;
    // A second start overwrites no copy.
    ASSERT_TRUE(WriteFile(Install("ExampleGames/Hard.sdk"), "example hard, new"));
    EXPECT_TRUE(w->CheckAndCopyExampleFiles());
    EXPECT_TRUE(w->MoveOldStyleGameFiles());
    EXPECT_EQ(ReadText(games + "/ExampleGames/Hard.sdk"), "example hard");
}

TEST_F(WndSudokuHousekeeping, HelpHistoryAndHomepageOpenTheirFileOrSayWhyNot)
{
    const QString history = Install("doku/NinefoldSudoku_Version-History.txt");
    const QString viewer = SdkPlatform::TextViewer() + "|" + history;
    Open();
    const auto help = &WndSudoku::DoHelp, log = &WndSudoku::DoVersionHistory,
               home = &WndSudoku::DoHomepage;
    const struct
    {
        short language;
        bool (WndSudoku::*command)(VxEvent &);
        std::optional<QString> associated;
        bool historyFile, succeed;
        QString started, opened, message;
    } cases[] = {
        {1, help, std::nullopt, false, true, "xdg-open|" + Doc("eng"), "", ""},
        {0, help, std::nullopt, false, true, "xdg-open|" + Doc("ger"), "", ""},
        {1, help, QString("viewer --tab"), false, true, "viewer|--tab|" + Doc("eng"), "", ""},
        {1, help, QString(), false, true, "", "", ""},
        {1, help, std::nullopt, false, false, "xdg-open|" + Doc("eng"), "",
         "The helpfile for N I N E F O L D   S U D O K U could not be started."},
        {1, log, std::nullopt, false, true, "", "",
         "The version-history cannot be displayed:\n\nThe file does not exist."},
        {1, log, std::nullopt, true, true, viewer, "", ""},
        {0, log, std::nullopt, true, false, viewer, "",
         "Die Version-Historie kann nicht angezeigt werden:\n\nDer Editor konnte nicht gestarted "
         "werden."},
        // Without a site of its own the homepage is the installed manual.
        {1, home, std::nullopt, false, true, "", Doc("eng"), ""},
        {0, home, std::nullopt, false, true, "", Doc("ger"), ""},
        {1, home, std::nullopt, false, false, "", Doc("eng"), "The browser could not be started."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << &c - cases);
        QFile::remove(history);
        if (c.historyFile) {
            ASSERT_TRUE(WriteFile(history, "1.30\n"));
        }
        Record(c.succeed);
        SdkPlatform::SetAssociatedCommand(c.associated);
        WndSudokuPeer::Language(*w) = c.language;
        Script script;
        VxEvent event;
        EXPECT_TRUE((w->*c.command)(event));
        EXPECT_EQ(started.join(' '), c.started);
        EXPECT_EQ(QUrl(opened.join(' ')).toLocalFile(), c.opened);
        ASSERT_EQ(script.Seen().size(), c.message.isEmpty() ? 0 : 1);
        if (!c.message.isEmpty()) {
            EXPECT_TRUE(script.Seen()[0].text.contains(c.message)) << script.Seen()[0].text;
        }
    }
}

TEST_F(WndSudokuHousekeeping, WithoutInstallationFolderHelpAndHistoryOpenNothing)
{
    Open();
    SdkPlatform::SetInstallDirCandidates(QStringList{});
    SetSetting("InstallDir", install.path() + "/gone");
    {
        Script cancel(Reject);
        w->ReadConfig();
    }
    Record(true);
    Script script;
    VxEvent event;
    EXPECT_TRUE(w->DoHelp(event));
    EXPECT_TRUE(script.Seen().isEmpty());
    w->DoVersionHistory(event);
    ASSERT_EQ(script.Seen().size(), 1);
    EXPECT_TRUE(script.Seen()[0].text.contains("The path could not be found."));
    EXPECT_TRUE(started.isEmpty());
    EXPECT_FALSE(w->CheckAndCopyExampleFiles());
    EXPECT_FALSE(w->MoveOldStyleGameFiles());
    w->RemoveTimerState(TS_DESTROY);
}
