// Settings: the solution delay, the play options and the options dialog, the installation
// folder and the file-type registration.
#include "SdkAppTestSupport.h"

#include "app/SdkPlatform.h"
#include "velox/VxCtl.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace SdkTest;

namespace {
const char *const PlayNames[] = {"DeepCalc", "ViewRs", "ViewRsSingle", "ViewConflicts",
                                 "MarkActiveField"};

class WndSudokuSettings : public WndTest
{
protected:
    void TearDown() override
    {
        WndTest::TearDown();
        SdkPlatform::SetInstallDirCandidates(std::nullopt);
    }
    QString Stored()
    {
        QStringList values;
        for (const char *name : PlayNames)
            values << GetSetting(name, "PlayOptions");
        return values.join(' ');
    }
    QString Applied() // what the window applies of the play options, in the order of PlayNames
    {
        QStringList on{QString::number(w->Game().IsDeepCalcResultSets())};
        for (const char *box : {"CHK_VIEW_RS", "CHK_VIEW_RS_SINGLE", "CHK_VIEW_CONFLICTS"})
            on << QString::number(VxCtl::IsChecked(w->FindChild(box)));
        return (on << QString::number(WndSudokuPeer::MarkActiveField(*w))).join(' ');
    }
};
} // namespace

TEST_F(WndSudokuSettings, SolveDelayDefaultsCapsAndIgnoresWhatIsNoNumber)
{
    const QPair<QString, unsigned> cases[] = {
        {"", 200},      {"0", 0},       {"350", 350},
        {"1000", 1000}, {"1001", 1000}, {"70000", 1000}, // capped, not wrapped to 16 bits
        {"fast", 200},  {"-5", 200}};
    for (const auto &[stored, delay] : cases) {
        SetSetting("SolveDelayMs", stored);
        w->ReadDelay();
        EXPECT_EQ(w->Game().GetDelayMs(), delay) << stored;
    }
    w->Game().SetDelayMs(640);
    w->WriteDelay();
    EXPECT_EQ(GetSetting("SolveDelayMs"), "640");
}

TEST_F(WndSudokuSettings, PlayOptionsAreCompletedOnReadingAndAppliedAtStartUp)
{
    const QPair<QStringList, QString> cases[] = {
        {{"", "", "", "", ""}, "0 0 0 1 1"},
        {{"7", "", "", "0", ""}, "1 0 0 0 1"}, // any other number is true
        {{"1", "1", "0", "0", "0"}, "1 1 0 0 0"},
    };
    for (const auto &[stored, expected] : cases) {
        FreshStart();
        for (int i = 0; i < 5; ++i)
            if (!stored[i].isEmpty())
                SetSetting(PlayNames[i], stored[i], "PlayOptions");
        Open();
        EXPECT_EQ(Stored(), expected) << stored.join(',');
        EXPECT_EQ(Applied(), expected) << stored.join(',');
    }
}

TEST_F(WndSudokuSettings, OptionsDialogStoresAndAppliesWhatTheAnswersAllow)
{
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
        Script script;
        script.On("SUDOKU_OPTIONS", [&c](QWidget &window) {
            for (const auto &[name, on] :
                 {QPair("CHK_DEEP_CALC", true), QPair("CHK_VIEW_RS", true),
                  QPair("CHK_VIEW_SINGLE_RS", true), QPair("CHK_VIEW_CONFLICTS", false),
                  QPair("CHK_MARK_ACTIVE_FIELD", false)})
                window.findChild<QAbstractButton *>(name)->setChecked(on);
            PressButton(c.button)(window);
        });
        if (c.question)
            script.On("WND_MESSAGE", PressButton(c.question));
        VxEvent event;
        EXPECT_TRUE(w->DoGameOptions(event));
        EXPECT_EQ(script.Pending(), 0);
        ASSERT_EQ(script.Seen().size(), c.question ? 2 : 1);
        if (c.question) {
            EXPECT_TRUE(script.Seen()[1].text.contains(
                "Do you want to use visualization settings for the current session too?"));
        }
        EXPECT_EQ(Stored(), c.stored) << c.button << c.question;
        EXPECT_EQ(Applied(), c.applied) << c.button << c.question;
    }
}

TEST_F(WndSudokuSettings, InstallationFolderIsTheProgramsOwnDataThenAStoredOneThenAsked)
{
    QTemporaryDir elsewhere, chosen;
    for (const char *sub : {"PreDefs", "ExampleGames", "doku"})
        QDir(elsewhere.path()).mkpath(sub);
    const Reply choose = [&chosen](QWidget &window) {
        auto *dialog = qobject_cast<QFileDialog *>(&window);
        EXPECT_EQ(dialog->windowTitle(), "Select SUDOKU installation-path");
        dialog->setDirectory(chosen.path());
        dialog->selectFile(chosen.path());
        static_cast<QDialog *>(dialog)->accept();
    };
    const struct
    {
        std::optional<QStringList> candidates;
        QString stored;
        Reply answer;
        QString expected;
        bool asked, destroy;
    } cases[] = {
        {std::nullopt, elsewhere.path(), nullptr, QCoreApplication::applicationDirPath(), false,
         false},
        {QStringList{elsewhere.path() + "/nothing"}, elsewhere.path(), nullptr, elsewhere.path(),
         false, false},
        {QStringList{}, "", choose, chosen.path(), true, false},
        {QStringList{}, elsewhere.path() + "/gone", choose, chosen.path(), true, false},
        {QStringList{}, "", Reject, "", true, true},
    };
    for (const auto &c : cases) {
        SdkPlatform::SetInstallDirCandidates(c.candidates);
        SetSetting("InstallDir", c.stored);
        w->RemoveTimerState(TS_DESTROY);
        Script script(c.answer);
        w->ReadConfig();
        EXPECT_EQ(script.Seen().size(), c.asked ? 1 : 0) << c.stored;
        EXPECT_EQ(QFileInfo(GetSetting("InstallDir")).canonicalFilePath(),
                  QFileInfo(c.expected).canonicalFilePath())
            << c.stored;
        EXPECT_EQ(w->HasTimerState(TS_DESTROY), c.destroy) << c.stored;
    }
    w->RemoveTimerState(TS_DESTROY);
}

TEST_F(WndSudokuSettings, GameFileTypeIsRegisteredOnceInTheUsersDataFolder)
{
    QStringList started;
    const auto previous =
        SdkPlatform::SetStarter([&started](const QString &program, const QStringList &args) {
            started << program + " " + args.join(' ');
            return true;
        });
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString mime = data + "/mime/packages/ninefold-sudoku.xml";
    const QString entry = data + "/applications/NinefoldSudokuFiles.desktop";
    QFile::remove(mime);
    QFile::remove(entry);
    auto read = [](const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    const QString program = "/opt/with space/NinefoldSudoku";
    EXPECT_TRUE(SdkPlatform::RegisterFileType(program, "NinefoldSudokuFiles", ".sdk"));
    EXPECT_TRUE(read(mime).contains("type=\"application/x-ninefold-sudoku\""));
    EXPECT_TRUE(read(mime).contains("<glob pattern=\"*.sdk\"/>"));
    EXPECT_TRUE(read(entry).contains("Exec=\"/opt/with space/NinefoldSudoku\" %f\n"));
    EXPECT_TRUE(read(entry).contains("MimeType=application/x-ninefold-sudoku;\n"));
    EXPECT_EQ(started.size(), 2);
    EXPECT_TRUE(started.contains("update-mime-database " + data + "/mime"));

    const QDateTime written = QFileInfo(entry).lastModified();
    started.clear();
    EXPECT_TRUE(SdkPlatform::RegisterFileType(program, "NinefoldSudokuFiles", ".sdk"));
    EXPECT_TRUE(started.isEmpty());
    EXPECT_EQ(QFileInfo(entry).lastModified(), written);
    SdkPlatform::SetStarter(previous);
}
