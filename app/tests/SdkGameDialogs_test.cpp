// The four game dialogs on their own: ranges and stored values, the enabling of their controls
// and their results.
#include "SdkAppTestSupport.h"

#include "app/SdkCreateGameParam.h"
#include "app/SdkCreateType.h"
#include "app/SdkLoadParam.h"
#include "app/SdkWndSelectDefType.h"
#include "velox/VxCtl.h"

#include <QLineEdit>
#include <QTest>

using namespace SdkTest;

namespace {
QWidget *Find(QWidget &window, const char *name)
{
    return window.findChild<QWidget *>(QLatin1String(name));
}

// Per control: its text, or "e" enabled and "t" ticked for a button.
QString Shown(QWidget &window, std::initializer_list<const char *> names)
{
    QStringList out;
    for (const char *name : names)
        out << (QString(name).startsWith("ED_")
                    ? VxCtl::GetText(Find(window, name))
                    : QString(VxCtl::IsEnabled(Find(window, name)) ? "e" : ".") +
                          (VxCtl::IsChecked(Find(window, name)) ? "t" : "."));
    return out.join(' ');
}

void Type(QWidget &window, const char *name, const QString &text)
{
    auto *edit = window.findChild<QLineEdit *>(QLatin1String(name));
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

class GameDialogs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FreshStart();
        ASSERT_TRUE(InstallBundle());
    }
};
} // namespace

TEST_F(GameDialogs, ParametersAreClampedWhereverTheyEnter)
{
    for (const auto &[name, value] :
         {QPair("FixCount", "5"), QPair("Iterations", "0"), QPair("MinBt", "25"),
          QPair("MaxBt", "-7"), QPair("MinDirectSteps", "99"), QPair("IsProfiLevel", "3"),
          QPair("StdLevel", "7")})
        SetSetting(name, value, "CreateOptions");
    SdkCreateGameParam dialog(1, nullptr);
    Script script;
    script.On("SUDOKU_CREATE_GAME_PARAMETERS", [](QWidget &window) {
        EXPECT_EQ(Shown(window, {"ED_FIX", "ED_ATTEMPTS", "ED_MIN_BT", "ED_MAX_BT", "ED_MIN_DIRECT",
                                 "RAD_LEVEL_PROFI", "RAD_LEVEL_3", "ED_MIN_BT", "RAD_LEVEL_1"}),
                  "10 1 20 -1 20 et .t 20 ..");
        EXPECT_TRUE(VxCtl::IsEnabled(Find(window, "ED_MIN_BT")));
        Type(window, "ED_FIX", "100");
        Type(window, "ED_ATTEMPTS", "0");
        Type(window, "ED_MAX_BT", "-5");
        Type(window, "ED_MIN_DIRECT", "abc");
        Type(window, "ED_MIN_BT", "99999999999999999999");
        Check(Find(window, "RAD_LEVEL_STANDARD"));
        Check(Find(window, "RAD_LEVEL_2"));
        EXPECT_EQ(Shown(window, {"RAD_LEVEL_PROFI", "RAD_LEVEL_2", "RAD_LEVEL_3"}), "e. et e.");
        EXPECT_FALSE(VxCtl::IsEnabled(Find(window, "ED_MIN_BT")));
        PressButton("BT_OK")(window);
    });
    EXPECT_EQ(dialog.StartModal(), 1);
    const auto result = [&dialog] {
        return QString("%1 %2 %3 %4 %5")
            .arg(dialog.GetFix())
            .arg(dialog.GetAttempts())
            .arg(dialog.GetMaxBtSteps())
            .arg(dialog.GetMinBtSteps())
            .arg(dialog.GetMinDirectSteps());
    };
    EXPECT_EQ(result(), "60 1 -1 20 0");
    EXPECT_FALSE(dialog.IsProfiLevel());
    EXPECT_EQ(dialog.GetStdLevel(), 2u);
    QStringList stored;
    for (const char *name : {"FixCount", "Iterations", "MaxBt", "IsProfiLevel", "StdLevel"})
        stored << GetSetting(name, "CreateOptions");
    EXPECT_EQ(stored.join(' '), "60 1 -1 0 2");

    // The standard levels stand for backtracking ranges; the extended level for its own.
    const struct
    {
        bool profi;
        unsigned level;
        int min, max;
    } ranges[] = {{false, 0, 0, 0}, {false, 2, 1, 3}, {false, 7, 4, -1}, {true, 1, 2, 1}};
    for (const auto &r : ranges) {
        dialog.SetProfiLevel(r.profi);
        dialog.SetStdLevel(r.level);
        dialog.SetMinBtSteps(2);
        dialog.SetMaxBtSteps(1); // not compared with the minimum
        int min = 9, max = 9;
        dialog.GetMinMaxBtSteps(min, max);
        EXPECT_EQ(QPair(min, max), QPair(r.min, r.max)) << r.level;
    }
    dialog.SetFix(5);
    dialog.SetAttempts(10000);
    dialog.SetMaxBtSteps(-5);
    dialog.SetMinBtSteps(-1);
    dialog.SetMinDirectSteps(21);
    EXPECT_EQ(result(), "10 9999 -1 0 20");
    dialog.SetAttempts(0);
    EXPECT_EQ(dialog.GetAttempts(), 1u);
}

TEST_F(GameDialogs, ParametersWithoutStoredValuesKeepTheDefaultsAndCancelStoresNothing)
{
    SdkCreateGameParam dialog(0, nullptr);
    Script script;
    script.On("SUDOKU_CREATE_GAME_PARAMETERS", [](QWidget &window) {
        EXPECT_EQ(Shown(window, {"ED_FIX", "ED_ATTEMPTS", "ED_MIN_DIRECT", "ED_MAX_BT",
                                 "RAD_LEVEL_STANDARD", "RAD_LEVEL_1"}),
                  "30 1000 5 -1 et et");
        EXPECT_FALSE(VxCtl::IsEnabled(Find(window, "ED_MAX_BT")));
        Type(window, "ED_FIX", "44");
        PressButton("BT_CANCEL")(window);
    });
    EXPECT_NE(dialog.StartModal(), 1);
    EXPECT_EQ(dialog.GetFix(), 30u);
    EXPECT_EQ(GetSetting("FixCount", "CreateOptions"), "");
}

TEST_F(GameDialogs, CreateTypeEnablesTheLevelsForPredefinedRiddlesOnly)
{
    SdkCreateType dialog(1, 2, 9, nullptr);
    Script script;
    script.On("SUDOKU_GAME_CREATE_TYPE", [](QWidget &window) {
        const auto names = {"RAD_COMPUTED", "RAD_PREDEF", "RAD_LEVEL_1", "RAD_LEVEL_2",
                            "RAD_LEVEL_3"};
        EXPECT_EQ(Shown(window, names), "et e. .. .. .t"); // the level brought into 1..3
        Check(Find(window, "RAD_PREDEF"));
        EXPECT_EQ(Shown(window, names), "e. et e. e. et");
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
        EXPECT_EQ(Shown(window, {"RAD_PREDEF", "RAD_LEVEL_1"}), "et et");
        PressButton("BT_CANCEL")(window);
    });
    EXPECT_EQ(cancelled.StartModal(), 2);
    EXPECT_EQ(cancelled.GetCreateType(&level), 2);
    EXPECT_EQ(level, 0);
}

TEST_F(GameDialogs, LoadDialogCannotBeClosedBeforeOkAndRewindsOnlyWithAHistory)
{
    auto game = MakeGame(Riddle);
    ASSERT_TRUE(game->SetValue(SdkDigit4, 0, 2));
    SdkLoadParam dialog(0, *game, nullptr);
    Script script;
    script.On("SUDOKU_LOAD_PARAMETERS", [](QWidget &window) {
        EXPECT_EQ(
            VxCtl::GetText(Find(window, "STAT_TITLE_LINE")),
            "Das Spiel ist teilweise gelöst\nIn welchem Modus soll das Spiel geladen werden?");
        window.close();
        EXPECT_TRUE(window.isVisible());
        Check(Find(window, "CHK_RESET_TO_START"));
        Check(Find(window, "RAD_LOAD_NEW_SOLUTION"));
        EXPECT_EQ(Shown(window, {"CHK_RESET_TO_START"}), "..");
        Check(Find(window, "RAD_LOAD_CURRENT_STATE"));
        Check(Find(window, "CHK_RESET_TO_START"));
        EXPECT_EQ(Shown(window, {"CHK_RESET_TO_START"}), "et");
        PressButton("BT_OK")(window);
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_EQ(dialog.StartModal(), 1);
    EXPECT_EQ(dialog.GetOption(), SdkLoadParam::CurrentState);
    EXPECT_TRUE(dialog.IsResetToStart());

    Sudoku empty; // nothing to offer: OK loads in no mode
    SdkLoadParam none(1, empty, nullptr);
    script.On("SUDOKU_LOAD_PARAMETERS", [](QWidget &window) {
        EXPECT_EQ(Shown(window, {"RAD_LOAD_CURRENT_STATE", "RAD_LOAD_NEW_SOLUTION",
                                 "RAD_LOAD_SOLUTION_AND_HISTORY", "RAD_LOAD_SOLUTION",
                                 "CHK_RESET_TO_START"}),
                  ".. .. .. .. ..");
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
        EXPECT_EQ(Shown(window, {"RAD_NEW_FIX", "RAD_CONTINUE_FIX"}), "e. e.");
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
    EXPECT_TRUE(script.Seen()[1].text.contains("You did not select a mode."));

    SdkWndSelectDefType newOnly(0, 2, true, nullptr);
    script.On("SUDOKU_GAME_DEF_TYPE", [](QWidget &window) {
        EXPECT_EQ(Shown(window, {"RAD_NEW_FIX", "RAD_CONTINUE_FIX"}), "et ..");
        PressButton("BT_CANCEL")(window);
    });
    EXPECT_EQ(newOnly.StartModal(), 2);
    EXPECT_EQ(newOnly.GetMode(), 1);
}
