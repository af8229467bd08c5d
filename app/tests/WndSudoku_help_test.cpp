// Settings: the play options through the options dialog, the installation folder, housekeeping
// of the games folder, the help command, the version history and the homepage.
#include "SdkAppTestSupport.h"

#include <QStandardPaths>
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

using WndSudokuSettings = WndTest;
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
        ASSERT_TRUE(!c.historyFile || WriteFile(history, "1.30\n"));
        Record(c.succeed);
        SdkPlatform::SetAssociatedCommand(c.associated);
        WndSudokuPeer::Language(*w) = c.language;
        Script script;
        EXPECT_TRUE(Do(c.command));
        EXPECT_EQ(started.join(' '), c.started);
        EXPECT_EQ(QUrl(opened.join(' ')).toLocalFile(), c.opened);
        ASSERT_EQ(script.Seen().size(), c.message.isEmpty() ? 0 : 1);
        EXPECT_TRUE(c.message.isEmpty() || script.Seen()[0].text.contains(c.message))
            << script.Seen()[0].text;
    }
}

// A file where the folder of the desktop entries belongs: the file type cannot be registered.
TEST_F(WndSudokuHousekeeping, FileTypeIsRegisteredOnlyWhereItsEntryCanBeWritten)
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    EXPECT_TRUE(SdkPlatform::RegisterFileType("/bin/sudoku", "ninefold-test", "sdk"));
    ASSERT_TRUE(QDir(data + "/applications").removeRecursively() &&
                WriteFile(data + "/applications", ""));
    EXPECT_FALSE(SdkPlatform::RegisterFileType("/bin/sudoku", "ninefold-test", "sdk"));
    QFile::remove(data + "/applications");
}

// Where neither the program's own data nor a stored folder exists, the folder is asked for; with
// none chosen, help, history and the example games find nothing to open or copy.
TEST_F(WndSudokuHousekeeping, InstallationFolderIsTheProgramsOwnDataThenAStoredOneThenAsked)
{
    Open();
    QTemporaryDir elsewhere, chosen;
    for (const char *sub : {"PreDefs", "ExampleGames", "doku"})
        QDir(elsewhere.path()).mkpath(sub);
    const Reply choose = ChooseFile(chosen.path());
    const std::tuple<std::optional<QStringList>, QString, Reply, QString, bool, bool> cases[] = {
        // candidates, stored, answer, expected, asked, destroy
        {std::nullopt, elsewhere.path(), nullptr, QCoreApplication::applicationDirPath(), false,
         false},
        {QStringList{elsewhere.path() + "/nothing"}, elsewhere.path(), nullptr, elsewhere.path(),
         false, false},
        {QStringList{}, "", choose, chosen.path(), true, false},
        {QStringList{}, elsewhere.path() + "/gone", choose, chosen.path(), true, false},
        {QStringList{}, "", Reject, "", true, true},
    };
    for (const auto &[candidates, stored, answer, expected, asked, destroy] : cases) {
        SdkPlatform::SetInstallDirCandidates(candidates);
        SetSetting("InstallDir", stored);
        w->RemoveTimerState(TS_DESTROY);
        Script script(answer);
        w->ReadConfig();
        EXPECT_EQ(script.Seen().size(), asked ? 1 : 0) << stored;
        EXPECT_TRUE(!asked || script.Seen()[0].title == "Select SUDOKU installation-path");
        EXPECT_EQ(QFileInfo(GetSetting("InstallDir")).canonicalFilePath(),
                  QFileInfo(expected).canonicalFilePath())
            << stored;
        EXPECT_EQ(w->HasTimerState(TS_DESTROY), destroy) << stored;
    }
    Record(true);
    Script script;
    EXPECT_TRUE(Do(&WndSudoku::DoHelp));
    EXPECT_TRUE(script.Seen().isEmpty());
    Do(&WndSudoku::DoVersionHistory);
    ASSERT_EQ(script.Seen().size(), 1);
    EXPECT_TRUE(script.Seen()[0].text.contains("The path could not be found."));
    EXPECT_TRUE(started.isEmpty());
    EXPECT_FALSE(w->CheckAndCopyExampleFiles());
    EXPECT_FALSE(w->MoveOldStyleGameFiles());
    w->RemoveTimerState(TS_DESTROY);
}

TEST_F(WndSudokuSettings, OptionsDialogStoresAndAppliesWhatTheAnswersAllow)
{
    auto stored = [] {
        QStringList values;
        for (const char *name :
             {"DeepCalc", "ViewRs", "ViewRsSingle", "ViewConflicts", "MarkActiveField"})
            values << GetSetting(name, "PlayOptions");
        return values.join(' ');
    };
    auto applied = [this] { // what the window applies of them, in the same order
        QStringList on{QString::number(w->Game().IsDeepCalcResultSets())};
        for (const char *box : {"CHK_VIEW_RS", "CHK_VIEW_RS_SINGLE", "CHK_VIEW_CONFLICTS"})
            on << QString::number(VxCtl::IsChecked(w->FindChild(box)));
        return (on << QString::number(WndSudokuPeer::MarkActiveField(*w))).join(' ');
    };
    const struct
    {
        const char *button, *question;
        QString stored, applied;
    } cases[] = {
        {"BT_OK", "BT_YES", "1 1 1 0 0", "1 1 1 0 0"},
        {"BT_OK", "BT_NO", "1 1 1 0 0", "1 0 0 1 1"}, // only the calculation now
        {"BT_CANCEL", nullptr, "0 0 0 1 1", "0 0 0 1 1"},
    };
    for (const auto &c : cases) {
        FreshStart();
        Open();
        Script script("SUDOKU_OPTIONS", [&c](QWidget &window) {
            for (const auto &[name, on] :
                 {QPair("CHK_DEEP_CALC", true), QPair("CHK_VIEW_RS", true),
                  QPair("CHK_VIEW_SINGLE_RS", true), QPair("CHK_VIEW_CONFLICTS", false),
                  QPair("CHK_MARK_ACTIVE_FIELD", false)})
                window.findChild<QAbstractButton *>(name)->setChecked(on);
            PressButton(c.button)(window);
        });
        if (c.question)
            script.On("WND_MESSAGE", PressButton(c.question));
        EXPECT_TRUE(Do(&WndSudoku::DoGameOptions));
        ASSERT_EQ(script.Seen().size(), c.question ? 2 : 1);
        EXPECT_TRUE(!c.question ||
                    script.Seen()[1].text.contains(
                        "Do you want to use visualization settings for the current session too?"));
        EXPECT_EQ(stored(), c.stored) << c.button << c.question;
        EXPECT_EQ(applied(), c.applied) << c.button << c.question;
    }
}
