// The four game dialogs on their own: ranges and stored values, the enabling of their
// controls, their results and texts.
#include "SdkGameFlow.h"

#include "app/SdkCreateGameParam.h"
#include "app/SdkCreateType.h"
#include "app/SdkLoadParam.h"
#include "app/SdkWndSelectDefType.h"
#include "velox/VxCtl.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace SdkFlow;

namespace {
const TString CreateKey = TString(SdkRegistryKey) + "\\CreateOptions";

void Store(const char *name, const char *value)
{
    CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser, CreateKey, name, value);
}

QString Stored(const char *name)
{
    return QString::fromStdString(
        CurrentOS->ReadRegistryValue(TOpSystem::RootCurrentUser, CreateKey, name).Str());
}

QWidget *Find(QWidget &window, const char *name)
{
    return window.findChild<QWidget *>(QLatin1String(name));
}

bool Enabled(QWidget &window, const char *name)
{
    return VxCtl::IsEnabled(Find(window, name));
}

bool Ticked(QWidget &window, const char *name)
{
    return VxCtl::IsChecked(Find(window, name));
}

void Type(QWidget &window, const char *name, const QString &text)
{
    auto *edit = window.findChild<QLineEdit *>(QLatin1String(name));
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

class GameDialogs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FreshStart(QString());
        ASSERT_TRUE(SdkTest::InstallBundle());
    }
};
} // namespace

TEST_F(GameDialogs, ParametersAreClampedWhereverTheyEnter)
{
    Store("FixCount", "5");
    Store("Iterations", "0");
    Store("MinBt", "25");
    Store("MaxBt", "-7");
    Store("MinDirectSteps", "99");
    Store("IsProfiLevel", "3");
    Store("StdLevel", "7");
    SdkCreateGameParam dialog(1, nullptr);
    Script script;
    script.On("SUDOKU_CREATE_GAME_PARAMETERS", [](QWidget &window) {
        EXPECT_EQ(VxCtl::GetText(Find(window, "ED_FIX")), "10");
        EXPECT_EQ(VxCtl::GetText(Find(window, "ED_ATTEMPTS")), "1");
        EXPECT_EQ(VxCtl::GetText(Find(window, "ED_MIN_BT")), "20");
        EXPECT_EQ(VxCtl::GetText(Find(window, "ED_MAX_BT")), "-1");
        EXPECT_EQ(VxCtl::GetText(Find(window, "ED_MIN_DIRECT")), "20");
        EXPECT_TRUE(Ticked(window, "RAD_LEVEL_PROFI"));
        EXPECT_TRUE(Ticked(window, "RAD_LEVEL_3"));
        EXPECT_TRUE(Enabled(window, "ED_MIN_BT"));
        EXPECT_FALSE(Enabled(window, "RAD_LEVEL_1"));
        EXPECT_EQ(window.windowTitle(), "Options for computing a new SUDOKU-Game");

        Type(window, "ED_FIX", "100");
        Type(window, "ED_ATTEMPTS", "0");
        Type(window, "ED_MAX_BT", "-5");
        Type(window, "ED_MIN_DIRECT", "abc");
        Type(window, "ED_MIN_BT", "99999999999999999999");
        Check(Find(window, "RAD_LEVEL_STANDARD"));
        EXPECT_FALSE(Enabled(window, "ED_MIN_BT"));
        EXPECT_TRUE(Enabled(window, "RAD_LEVEL_1"));
        EXPECT_FALSE(Ticked(window, "RAD_LEVEL_PROFI"));
        Check(Find(window, "RAD_LEVEL_2"));
        EXPECT_FALSE(Ticked(window, "RAD_LEVEL_3"));
        PressButton("BT_OK")(window);
    });
    EXPECT_EQ(dialog.StartModal(), 1);
    EXPECT_EQ(dialog.GetFix(), 60u);
    EXPECT_EQ(dialog.GetAttempts(), 1u);
    EXPECT_EQ(dialog.GetMaxBtSteps(), -1);
    EXPECT_EQ(dialog.GetMinBtSteps(), 20);
    EXPECT_EQ(dialog.GetMinDirectSteps(), 0);
    EXPECT_FALSE(dialog.IsProfiLevel());
    EXPECT_EQ(dialog.GetStdLevel(), 2u);
    int min = 0;
    int max = 0;
    dialog.GetMinMaxBtSteps(min, max);
    EXPECT_EQ(min, 1);
    EXPECT_EQ(max, 3);
    EXPECT_EQ(Stored("FixCount"), "60");
    EXPECT_EQ(Stored("Iterations"), "1");
    EXPECT_EQ(Stored("MaxBt"), "-1");
    EXPECT_EQ(Stored("IsProfiLevel"), "0");
    EXPECT_EQ(Stored("StdLevel"), "2");

    dialog.SetFix(5);
    EXPECT_EQ(dialog.GetFix(), 10u);
    dialog.SetAttempts(0);
    EXPECT_EQ(dialog.GetAttempts(), 1u);
    dialog.SetAttempts(10000);
    EXPECT_EQ(dialog.GetAttempts(), 9999u);
    dialog.SetMaxBtSteps(-5);
    EXPECT_EQ(dialog.GetMaxBtSteps(), -1);
    dialog.SetMinBtSteps(-1);
    EXPECT_EQ(dialog.GetMinBtSteps(), 0);
    dialog.SetMinDirectSteps(21);
    EXPECT_EQ(dialog.GetMinDirectSteps(), 20);
    dialog.SetStdLevel(0);
    EXPECT_EQ(dialog.GetStdLevel(), 1u);
    dialog.SetStdLevel(7);
    EXPECT_EQ(dialog.GetStdLevel(), 3u);
    dialog.GetMinMaxBtSteps(min, max);
    EXPECT_EQ(min, 4);
    EXPECT_EQ(max, -1);
    dialog.SetStdLevel(1);
    dialog.GetMinMaxBtSteps(min, max);
    EXPECT_EQ(max, 0);
    dialog.SetProfiLevel(true);
    dialog.SetMinBtSteps(2);
    dialog.SetMaxBtSteps(1); // not compared with the minimum
    dialog.GetMinMaxBtSteps(min, max);
    EXPECT_EQ(min, 2);
    EXPECT_EQ(max, 1);
}

TEST_F(GameDialogs, ParametersWithoutStoredValuesKeepTheDefaultsAndCancelStoresNothing)
{
    Store("FixCount", "");
    SdkCreateGameParam dialog(0, nullptr);
    Script script;
    script.On("SUDOKU_CREATE_GAME_PARAMETERS", [](QWidget &window) {
        EXPECT_EQ(VxCtl::GetText(Find(window, "ED_FIX")), "30");
        EXPECT_EQ(VxCtl::GetText(Find(window, "ED_ATTEMPTS")), "1000");
        EXPECT_EQ(VxCtl::GetText(Find(window, "ED_MIN_DIRECT")), "5");
        EXPECT_EQ(VxCtl::GetText(Find(window, "ED_MAX_BT")), "-1");
        EXPECT_TRUE(Ticked(window, "RAD_LEVEL_STANDARD"));
        EXPECT_TRUE(Ticked(window, "RAD_LEVEL_1"));
        EXPECT_FALSE(Enabled(window, "ED_MAX_BT"));
        EXPECT_EQ(window.windowTitle(), "Optionen zur Berechnung eines neuen SUDOKU-Rätsels");
        EXPECT_EQ(VxCtl::GetText(Find(window, "RAD_LEVEL_3")), "sch&wer");
        EXPECT_EQ(VxCtl::GetText(Find(window, "BT_CANCEL")), "Abbre&chen");
        Type(window, "ED_FIX", "44");
        PressButton("BT_CANCEL")(window);
    });
    EXPECT_NE(dialog.StartModal(), 1);
    EXPECT_EQ(dialog.GetFix(), 30u);
    EXPECT_EQ(Stored("FixCount"), "");
}

TEST_F(GameDialogs, CreateTypeEnablesTheLevelsForPredefinedRiddlesOnly)
{
    SdkCreateType dialog(1, 2, 9, nullptr);
    Script script;
    script.On("SUDOKU_GAME_CREATE_TYPE", [](QWidget &window) {
        EXPECT_TRUE(Ticked(window, "RAD_COMPUTED"));
        EXPECT_FALSE(Ticked(window, "RAD_PREDEF"));
        EXPECT_TRUE(Ticked(window, "RAD_LEVEL_3")); // the level was brought into 1..3
        for (const char *level : {"RAD_LEVEL_1", "RAD_LEVEL_2", "RAD_LEVEL_3"})
            EXPECT_FALSE(Enabled(window, level));
        EXPECT_EQ(VxCtl::GetText(Find(window, "RAD_PREDEF")), "&Fast riddle-creation");
        Check(Find(window, "RAD_PREDEF"));
        EXPECT_FALSE(Ticked(window, "RAD_COMPUTED"));
        EXPECT_TRUE(Ticked(window, "RAD_LEVEL_3"));
        for (const char *level : {"RAD_LEVEL_1", "RAD_LEVEL_2", "RAD_LEVEL_3"})
            EXPECT_TRUE(Enabled(window, level));
        Check(Find(window, "RAD_LEVEL_2"));
        PressButton("BT_OK")(window);
    });
    EXPECT_EQ(dialog.StartModal(), 1);
    int level = 0;
    EXPECT_EQ(dialog.GetCreateType(&level), 1);
    EXPECT_EQ(level, 2);
    EXPECT_EQ(dialog.GetCreateType(nullptr), 1);

    SdkCreateType cancelled(0, 1, 1, nullptr);
    script.On("SUDOKU_GAME_CREATE_TYPE", [](QWidget &window) {
        EXPECT_EQ(window.windowTitle(), "Typ der Rätselerzeugung auswählen");
        EXPECT_TRUE(Enabled(window, "RAD_LEVEL_1"));
        PressButton("BT_CANCEL")(window);
    });
    EXPECT_EQ(cancelled.StartModal(), 2);
    EXPECT_EQ(cancelled.GetCreateType(&level), 2);
    EXPECT_EQ(level, 0);
}

TEST_F(GameDialogs, LoadDialogCannotBeClosedBeforeOkAndRewindsOnlyWithAHistory)
{
    auto game = SdkTest::MakeGame(SdkTest::Riddle);
    ASSERT_TRUE(game->SetValue(SdkDigit4, 0, 2));
    SdkLoadParam dialog(0, *game, nullptr);
    Script script;
    script.On("SUDOKU_LOAD_PARAMETERS", [](QWidget &window) {
        EXPECT_EQ(window.windowTitle(), "Spiel-Optionen für das Laden");
        EXPECT_EQ(VxCtl::GetText(Find(window, "STAT_TITLE_LINE")),
                  "Das Spiel ist teilweise gelöst\nIn welchem Modus soll das Spiel geladen "
                  "werden?");
        window.close();
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(Enabled(window, "CHK_RESET_TO_START"));
        Check(Find(window, "CHK_RESET_TO_START"));
        Check(Find(window, "RAD_LOAD_NEW_SOLUTION"));
        EXPECT_FALSE(Enabled(window, "CHK_RESET_TO_START"));
        EXPECT_FALSE(Ticked(window, "CHK_RESET_TO_START"));
        Check(Find(window, "RAD_LOAD_CURRENT_STATE"));
        EXPECT_TRUE(Enabled(window, "CHK_RESET_TO_START"));
        Check(Find(window, "CHK_RESET_TO_START"));
        PressButton("BT_OK")(window);
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_EQ(dialog.StartModal(), 1);
    EXPECT_EQ(dialog.GetOption(), SdkLoadParam::CurrentState);
    EXPECT_TRUE(dialog.IsResetToStart());

    // Nothing to offer for a file without givens: OK loads in no mode.
    Sudoku empty;
    SdkLoadParam none(1, empty, nullptr);
    script.On("SUDOKU_LOAD_PARAMETERS", [](QWidget &window) {
        for (const char *radio : {"RAD_LOAD_CURRENT_STATE", "RAD_LOAD_NEW_SOLUTION",
                                  "RAD_LOAD_SOLUTION_AND_HISTORY", "RAD_LOAD_SOLUTION"}) {
            EXPECT_FALSE(Enabled(window, radio));
            EXPECT_FALSE(Ticked(window, radio));
        }
        EXPECT_FALSE(Enabled(window, "CHK_RESET_TO_START"));
        PressButton("BT_OK")(window);
    });
    EXPECT_EQ(none.StartModal(), 1);
    EXPECT_EQ(none.GetOption(), SdkLoadParam::None);
    EXPECT_FALSE(none.IsResetToStart());
}

TEST_F(GameDialogs, DefinitionDialogInsistsOnAMode)
{
    SdkWndSelectDefType dialog(1, 0, false, nullptr);
    Script script;
    script.On("SUDOKU_GAME_DEF_TYPE", [](QWidget &window) {
        EXPECT_FALSE(Ticked(window, "RAD_NEW_FIX"));
        EXPECT_FALSE(Ticked(window, "RAD_CONTINUE_FIX"));
        PressButton("BT_OK")(window);
        EXPECT_TRUE(window.isVisible());
        Check(Find(window, "RAD_CONTINUE_FIX"));
        PressButton("BT_OK")(window);
    });
    script.On("WND_MESSAGE", PressButton("BT_OK"));
    EXPECT_EQ(dialog.StartModal(), 1);
    EXPECT_EQ(dialog.GetMode(), 2);
    ASSERT_EQ(script.SeenWindows(), QStringList({"SUDOKU_GAME_DEF_TYPE", "WND_MESSAGE"}));
    EXPECT_EQ(script.Seen()[1].title, "Information");
    EXPECT_TRUE(script.Seen()[1].text.contains("Selection Error"));
    EXPECT_TRUE(script.Seen()[1].text.contains("You did not select a mode."));

    SdkWndSelectDefType newOnly(0, 2, true, nullptr);
    script.On("SUDOKU_GAME_DEF_TYPE", [](QWidget &window) {
        EXPECT_EQ(window.windowTitle(), "Spieldefinition");
        EXPECT_TRUE(Ticked(window, "RAD_NEW_FIX"));
        EXPECT_FALSE(Enabled(window, "RAD_CONTINUE_FIX"));
        EXPECT_EQ(VxCtl::GetText(Find(window, "RAD_CONTINUE_FIX")),
                  "Bestehende Spieldefinition erweitern");
        PressButton("BT_CANCEL")(window);
    });
    EXPECT_EQ(newOnly.StartModal(), 2);
    EXPECT_EQ(newOnly.GetMode(), 1);
}
