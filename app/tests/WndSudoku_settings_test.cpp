// Settings: the play options through the options dialog, and the installation folder.
#include "SdkAppTestSupport.h"

#include "app/SdkPlatform.h"
#include "velox/VxCtl.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>
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
