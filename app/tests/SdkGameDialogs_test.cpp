// The riddle parameters dialog on its own: ranges and stored values, the enabling of its controls
// and its results.
#include "SdkAppTestSupport.h"

#include "app/SdkCreateGameParam.h"
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

} // namespace

TEST(GameDialogs, ParametersAreClampedWhereverTheyEnter)
{
    FreshStart();
    ASSERT_TRUE(InstallBundle());
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
    EXPECT_EQ(QString("%1 %2 %3 %4 %5")
                  .arg(dialog.GetFix())
                  .arg(dialog.GetAttempts())
                  .arg(dialog.GetMaxBtSteps())
                  .arg(dialog.GetMinBtSteps())
                  .arg(dialog.GetMinDirectSteps()),
              "60 1 -1 20 0");
    EXPECT_FALSE(dialog.IsProfiLevel());
    EXPECT_EQ(dialog.GetStdLevel(), 2u);
    QStringList stored;
    for (const char *name : {"FixCount", "Iterations", "MaxBt", "IsProfiLevel", "StdLevel"})
        stored << GetSetting(name, "CreateOptions");
    EXPECT_EQ(stored.join(' '), "60 1 -1 0 2");
}
