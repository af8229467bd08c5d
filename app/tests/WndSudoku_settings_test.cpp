// Settings: the solution delay, the creation parameters and play options with their defaults
// and ranges, the installation folder, the file-type registration and the options dialog.
#include "SdkAppTestSupport.h"

#include "app/SdkCreateGameParam.h"
#include "app/SdkPlatform.h"
#include "app/SdkWndOptions.h"
#include "base/TOpSystem.h"
#include "velox/VxCtl.h"
#include "velox/VxResource.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace SdkTest;

namespace {
const TString PlayKey = TString(SdkRegistryKey) + "\\PlayOptions";
const TString CreateKey = TString(SdkRegistryKey) + "\\CreateOptions";

QString PlayValue(const char *name)
{
    return QString::fromStdString(
        CurrentOS->ReadRegistryValue(TOpSystem::RootCurrentUser, PlayKey, name).Str());
}

void SetPlayValue(const char *name, const char *value)
{
    CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser, PlayKey, name, value);
}

void SetCreateValue(const char *name, const char *value)
{
    CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser, CreateKey, name, value);
}

void ClearCreateOptions()
{
    for (const char *name :
         {"FixCount", "Iterations", "MinBt", "MaxBt", "MinDirectSteps", "IsProfiLevel", "StdLevel"})
        CurrentOS->DeleteRegistryValue(TOpSystem::RootCurrentUser, CreateKey, name);
}

void Click(QWidget &window, const char *name)
{
    auto *button = window.findChild<QAbstractButton *>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

void Check(QWidget &window, const char *name, bool on)
{
    auto *box = window.findChild<QAbstractButton *>(QLatin1String(name));
    ASSERT_NE(box, nullptr) << name;
    box->setChecked(on);
}

class WndSudokuSettings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FreshStart();
        ASSERT_TRUE(InstallBundle());
    }
    void TearDown() override
    {
        CloseMainWindow(w);
        SdkPlatform::SetInstallDirCandidates(std::nullopt);
    }
    WndSudoku *w = nullptr;
};
} // namespace

TEST_F(WndSudokuSettings, SolveDelayDefaultsCapsAndIgnoresWhatIsNoNumber)
{
    w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    const QList<QPair<QString, unsigned>> cases = {
        {"", 200},      {"0", 0},       {"350", 350},
        {"1000", 1000}, {"5000", 1000}, {"70000", 1000}, // capped, not wrapped to 16 bits
        {"fast", 200},  {"-5", 200}};
    for (const auto &c : cases) {
        SetSetting("SolveDelayMs", c.first);
        w->ReadDelay();
        EXPECT_EQ(w->Game().GetDelayMs(), c.second) << qPrintable(c.first);
    }
    w->Game().SetDelayMs(640);
    w->WriteDelay();
    EXPECT_EQ(GetSetting("SolveDelayMs"), "640");
}

TEST_F(WndSudokuSettings, CreationParametersKeepDefaultsWhenMissingAndAreClampedOnReading)
{
    ClearCreateOptions();
    {
        SdkCreateGameParam params(1, nullptr);
        params.LoadSettings();
        EXPECT_EQ(params.GetFix(), 30u);
        EXPECT_EQ(params.GetAttempts(), 1000u);
        EXPECT_EQ(params.GetMinBtSteps(), 0);
        EXPECT_EQ(params.GetMaxBtSteps(), -1);
        EXPECT_EQ(params.GetMinDirectSteps(), 5);
        EXPECT_FALSE(params.IsProfiLevel());
        EXPECT_EQ(params.GetStdLevel(), 1u);
    }
    SetCreateValue("FixCount", "5");
    SetCreateValue("Iterations", "0");
    SetCreateValue("MinBt", "25");
    SetCreateValue("MaxBt", "-7");
    SetCreateValue("MinDirectSteps", "-3");
    SetCreateValue("IsProfiLevel", "4");
    SetCreateValue("StdLevel", "9");
    {
        SdkCreateGameParam params(1, nullptr);
        params.LoadSettings();
        EXPECT_EQ(params.GetFix(), 10u);
        EXPECT_EQ(params.GetAttempts(), 1u);
        EXPECT_EQ(params.GetMinBtSteps(), 20);
        EXPECT_EQ(params.GetMaxBtSteps(), -1);
        EXPECT_EQ(params.GetMinDirectSteps(), 0);
        EXPECT_TRUE(params.IsProfiLevel());
        EXPECT_EQ(params.GetStdLevel(), 3u);
    }
    SetCreateValue("FixCount", "99");
    SetCreateValue("Iterations", "123456");
    {
        SdkCreateGameParam params(1, nullptr);
        params.LoadSettings();
        EXPECT_EQ(params.GetFix(), 60u);
        EXPECT_EQ(params.GetAttempts(), 9999u);
        params.SaveSettings();
    }
    EXPECT_EQ(
        QString::fromStdString(
            CurrentOS->ReadRegistryValue(TOpSystem::RootCurrentUser, CreateKey, "FixCount").Str()),
        "60");
    EXPECT_EQ(
        QString::fromStdString(
            CurrentOS->ReadRegistryValue(TOpSystem::RootCurrentUser, CreateKey, "MaxBt").Str()),
        "-1");
    ClearCreateOptions();
}

TEST_F(WndSudokuSettings, FirstReadOfEmptyPlayOptionsStoresAllFiveDefaults)
{
    {
        SdkWndOptions options(1, nullptr);
        EXPECT_FALSE(options.GetDeepCalc());
        EXPECT_FALSE(options.GetViewRs());
        EXPECT_FALSE(options.GetViewRsSingle());
        EXPECT_TRUE(options.GetViewConflicts());
        EXPECT_TRUE(options.GetMarkActiveField());
    }
    EXPECT_EQ(PlayValue("DeepCalc"), "0");
    EXPECT_EQ(PlayValue("ViewRs"), "0");
    EXPECT_EQ(PlayValue("ViewRsSingle"), "0");
    EXPECT_EQ(PlayValue("ViewConflicts"), "1");
    EXPECT_EQ(PlayValue("MarkActiveField"), "1");

    // Any non-zero number is true; one missing value is filled in without touching the others.
    SetPlayValue("DeepCalc", "7");
    SetPlayValue("ViewConflicts", "0");
    CurrentOS->DeleteRegistryValue(TOpSystem::RootCurrentUser, PlayKey, "ViewRs");
    {
        SdkWndOptions options(1, nullptr);
        EXPECT_TRUE(options.GetDeepCalc());
        EXPECT_FALSE(options.GetViewConflicts());
    }
    EXPECT_EQ(PlayValue("DeepCalc"), "1");
    EXPECT_EQ(PlayValue("ViewRs"), "0");
    EXPECT_EQ(PlayValue("ViewConflicts"), "0");
}

TEST_F(WndSudokuSettings, StoredPlayOptionsAreAppliedAtStartUp)
{
    SetPlayValue("DeepCalc", "1");
    SetPlayValue("ViewRs", "1");
    SetPlayValue("ViewRsSingle", "0");
    SetPlayValue("ViewConflicts", "0");
    SetPlayValue("MarkActiveField", "0");
    w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->Game().IsDeepCalcResultSets());
    EXPECT_TRUE(VxCtl::IsChecked(w->FindChild("CHK_VIEW_RS")));
    EXPECT_FALSE(VxCtl::IsChecked(w->FindChild("CHK_VIEW_RS_SINGLE")));
    EXPECT_FALSE(VxCtl::IsChecked(w->FindChild("CHK_VIEW_CONFLICTS")));
    EXPECT_FALSE(WndSudokuPeer::MarkActiveField(*w));
}

namespace {
// Runs the options command: the dialog gets the given boxes ticked and OK, the question after
// it the given answer. Returns the windows seen.
QList<ModalAnswer> RunOptions(WndSudoku &w, bool yes)
{
    ModalRecorder hook([yes](QWidget &window) {
        if (window.objectName() == "SUDOKU_OPTIONS") {
            Check(window, "CHK_DEEP_CALC", true);
            Check(window, "CHK_VIEW_RS", true);
            Check(window, "CHK_VIEW_SINGLE_RS", true);
            Check(window, "CHK_VIEW_CONFLICTS", false);
            Check(window, "CHK_MARK_ACTIVE_FIELD", false);
            Click(window, "BT_OK");
        } else {
            Click(window, yes ? "BT_YES" : "BT_NO");
        }
    });
    VxEvent event;
    EXPECT_TRUE(w.DoGameOptions(event));
    return hook.Seen();
}
} // namespace

TEST_F(WndSudokuSettings, OptionsDialogOkAndYesStoresAndAppliesEverything)
{
    w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    const QList<ModalAnswer> seen = RunOptions(*w, true);
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[0].window, "SUDOKU_OPTIONS");
    EXPECT_EQ(seen[1].title, "User Request");
    EXPECT_TRUE(seen[1].text.contains("Standard-settings have been saved."));
    EXPECT_TRUE(seen[1].text.contains(
        "Do you want to use visualization settings for the current session too?"));

    EXPECT_EQ(PlayValue("DeepCalc"), "1");
    EXPECT_EQ(PlayValue("ViewRs"), "1");
    EXPECT_EQ(PlayValue("ViewRsSingle"), "1");
    EXPECT_EQ(PlayValue("ViewConflicts"), "0");
    EXPECT_EQ(PlayValue("MarkActiveField"), "0");
    EXPECT_TRUE(w->Game().IsDeepCalcResultSets());
    EXPECT_TRUE(VxCtl::IsChecked(w->FindChild("CHK_VIEW_RS")));
    EXPECT_TRUE(VxCtl::IsChecked(w->FindChild("CHK_VIEW_RS_SINGLE")));
    EXPECT_FALSE(VxCtl::IsChecked(w->FindChild("CHK_VIEW_CONFLICTS")));
    EXPECT_FALSE(WndSudokuPeer::MarkActiveField(*w));
}

TEST_F(WndSudokuSettings, OptionsDialogOkAndNoAppliesOnlyTheCalculation)
{
    w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    const bool rs = VxCtl::IsChecked(w->FindChild("CHK_VIEW_RS"));
    const bool conflicts = VxCtl::IsChecked(w->FindChild("CHK_VIEW_CONFLICTS"));
    ASSERT_EQ(RunOptions(*w, false).size(), 2);
    EXPECT_TRUE(w->Game().IsDeepCalcResultSets());
    EXPECT_EQ(VxCtl::IsChecked(w->FindChild("CHK_VIEW_RS")), rs);
    EXPECT_EQ(VxCtl::IsChecked(w->FindChild("CHK_VIEW_CONFLICTS")), conflicts);
    EXPECT_TRUE(WndSudokuPeer::MarkActiveField(*w));
    EXPECT_EQ(PlayValue("ViewConflicts"), "0"); // stored all the same
}

TEST_F(WndSudokuSettings, OptionsDialogCancelChangesNothing)
{
    w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    ModalRecorder hook([](QWidget &window) {
        Check(window, "CHK_DEEP_CALC", true);
        Click(window, "BT_CANCEL");
    });
    VxEvent event;
    w->DoGameOptions(event);
    ASSERT_EQ(hook.Seen().size(), 1);
    EXPECT_FALSE(w->Game().IsDeepCalcResultSets());
    EXPECT_EQ(PlayValue("DeepCalc"), "0");
}

TEST_F(WndSudokuSettings, InstallationFolderIsTheProgramsOwnDataBeforeAStoredOne)
{
    QTemporaryDir elsewhere;
    for (const char *sub : {"PreDefs", "ExampleGames", "doku"})
        QDir(elsewhere.path()).mkpath(sub);
    w = OpenMainWindow(false);
    ASSERT_NE(w, nullptr);
    const QString own = QDir::cleanPath(QCoreApplication::applicationDirPath());

    SetSetting("InstallDir", elsewhere.path());
    w->ReadConfig();
    EXPECT_EQ(GetSetting("InstallDir"), own);

    // Without data beside the program the stored folder serves, while it exists.
    SdkPlatform::SetInstallDirCandidates(QStringList{elsewhere.path() + "/nothing"});
    SetSetting("InstallDir", elsewhere.path());
    ModalRecorder none;
    w->ReadConfig();
    EXPECT_EQ(GetSetting("InstallDir"), elsewhere.path());
    EXPECT_TRUE(none.Seen().isEmpty());
    EXPECT_FALSE(w->HasTimerState(TS_DESTROY));
}

TEST_F(WndSudokuSettings, WithoutAnyInstallationTheFolderIsAskedForAndCancelEndsTheProgram)
{
    QTemporaryDir chosen;
    w = OpenMainWindow(false);
    ASSERT_NE(w, nullptr);
    SdkPlatform::SetInstallDirCandidates(QStringList{});
    SetSetting("InstallDir", "");
    {
        ModalRecorder hook([&chosen](QWidget &window) {
            auto *dialog = qobject_cast<QFileDialog *>(&window);
            ASSERT_NE(dialog, nullptr);
            dialog->setDirectory(chosen.path());
            dialog->selectFile(chosen.path());
            static_cast<QDialog *>(dialog)->accept();
        });
        w->ReadConfig();
        ASSERT_EQ(hook.Seen().size(), 1);
        EXPECT_EQ(hook.Seen()[0].title, "Select SUDOKU installation-path");
    }
    EXPECT_EQ(QFileInfo(GetSetting("InstallDir")).canonicalFilePath(),
              QFileInfo(chosen.path()).canonicalFilePath());
    EXPECT_FALSE(w->HasTimerState(TS_DESTROY));

    SetSetting("InstallDir", "");
    {
        ModalRecorder hook([](QWidget &window) { qobject_cast<QDialog *>(&window)->reject(); });
        w->ReadConfig();
        ASSERT_EQ(hook.Seen().size(), 1);
    }
    EXPECT_TRUE(w->HasTimerState(TS_DESTROY));
    EXPECT_EQ(GetSetting("InstallDir"), "");
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
    ASSERT_TRUE(data.startsWith(QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"))));
    const QString mime = data + "/mime/packages/ninefold-sudoku.xml";
    const QString entry = data + "/applications/NinefoldSudokuFiles.desktop";
    QFile::remove(mime);
    QFile::remove(entry);

    const QString program = "/opt/with space/NinefoldSudoku";
    EXPECT_TRUE(SdkPlatform::RegisterFileType(program, "NinefoldSudokuFiles", ".sdk"));
    QFile m(mime);
    ASSERT_TRUE(m.open(QIODevice::ReadOnly));
    const QString mimeText = QString::fromUtf8(m.readAll());
    EXPECT_TRUE(mimeText.contains("type=\"application/x-ninefold-sudoku\""));
    EXPECT_TRUE(mimeText.contains("<glob pattern=\"*.sdk\"/>"));
    QFile e(entry);
    ASSERT_TRUE(e.open(QIODevice::ReadOnly));
    const QString entryText = QString::fromUtf8(e.readAll());
    EXPECT_TRUE(entryText.contains("Exec=\"/opt/with space/NinefoldSudoku\" %f\n"));
    EXPECT_TRUE(entryText.contains("MimeType=application/x-ninefold-sudoku;\n"));
    EXPECT_EQ(started.size(), 2);
    EXPECT_TRUE(started.contains("update-mime-database " + data + "/mime"));

    const QDateTime written = QFileInfo(entry).lastModified();
    started.clear();
    EXPECT_TRUE(SdkPlatform::RegisterFileType(program, "NinefoldSudokuFiles", ".sdk"));
    EXPECT_TRUE(started.isEmpty());
    EXPECT_EQ(QFileInfo(entry).lastModified(), written);
    SdkPlatform::SetStarter(previous);
}
