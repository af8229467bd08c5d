// Board colours chosen in the options dialog, and the context menu from the keyboard.
#include "SdkAppTestSupport.h"

#include "app/SdkBoardColours.h"
#include "velox/VxCtl.h"
#include "velox/VxLink.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPointer>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

using namespace SdkTest;

namespace {
// (0,7) and (0,8) both need the 8: a conflict; (3,8) can take no digit.
const char Trouble[] = "123456700000000090000000000567812340000000000000000009000000000000000000"
                       "000000000";

class BoardColours : public WndTest
{
protected:
    void SetUp() override
    {
        // Settings of this process alone: the tests store palettes other programs must not see.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        WndTest::SetUp();
        w->Game() = *MakeGame(Trouble);
        w->EvTimer();
    }

    void ChoosePalette(int index)
    {
        Script script;
        script.On("SUDOKU_OPTIONS", [index](QWidget &window) {
            window.findChild<QComboBox *>("COMBO_BOARD_COLOURS")->setCurrentIndex(index);
            PressButton("BT_OK")(window);
        });
        script.On("WND_MESSAGE", PressButton("BT_YES"));
        VxEvent event;
        w->DoGameOptions(event);
    }
    QRgb Pixel(const QImage &image, unsigned row, unsigned column, int corner)
    {
        const QRect r = FieldRect(*w, row, column, 8);
        const QPoint at[] = {r.topLeft() + QPoint(2, 2), r.topRight() + QPoint(-2, 2),
                             r.bottomLeft() + QPoint(2, -2)};
        return image.pixel(at[corner]) & 0xFFFFFF;
    }

    QTemporaryDir settings;
};

} // namespace

TEST_F(BoardColours, EachPaletteShowsTroubleByFillAndTheNewOnesByShape)
{
    const SdkBoardPalette &blind = SdkPaletteOf(SdkBoardColours::ColourBlind);
    const SdkBoardPalette &dark = SdkPaletteOf(SdkBoardColours::Dark);
    const struct
    {
        const char *name;
        QRgb noSolution, conflict, given, mark;
        bool shapes;
    } cases[] = {
        {"standard", PaletteRgb(12), PaletteRgb(13), PaletteRgb(0), PaletteRgb(0), false},
        {"colourblind", blind.noSolutionFill.rgb() & 0xFFFFFF, blind.conflictFill.rgb() & 0xFFFFFF,
         blind.given.rgb() & 0xFFFFFF, blind.mark.rgb() & 0xFFFFFF, true},
        {"dark", dark.noSolutionFill.rgb() & 0xFFFFFF, dark.conflictFill.rgb() & 0xFFFFFF,
         dark.given.rgb() & 0xFFFFFF, dark.mark.rgb() & 0xFFFFFF, true},
    };
    // Played digits and manual candidates, for the pictures.
    ASSERT_TRUE(w->Game().SetValue(SdkDigit4, 1, 0));
    ASSERT_TRUE(w->Game().SetValue(SdkDigit9, 2, 4));
    SdkResultSet marks;
    marks.FromRsString("2,6");
    ASSERT_TRUE(w->Game().SetUserCandidates(marks, 8, 0));
    ASSERT_TRUE(w->Game().GetField(0, 7).IsDoubleResult());
    ASSERT_TRUE(w->Game().GetField(3, 8).GetResultSet().IsEmpty());
    for (const char *language : {"en", "de"}) {
        WndSudokuPeer::Language(*w) = QLatin1String(language) == "en" ? 1 : 0;
        w->Localize();
        for (int i = 0; i < 3; ++i) {
            const auto &c = cases[i];
            SCOPED_TRACE(c.name);
            ChoosePalette(i);
            VxCtl::SetChecked(w->FindChild("CHK_VIEW_RS_SINGLE"), true);
            const QImage image = Board();
            EXPECT_EQ(Pixel(image, 3, 8, 2), c.noSolution);
            EXPECT_EQ(Pixel(image, 0, 7, 2), c.conflict);
            EXPECT_GT(CountColour(image, FieldRect(*w, 0, 0), c.given), 0);
            // One corner marks a conflict, two a field without a solution.
            EXPECT_EQ(Pixel(image, 0, 7, 0), c.shapes ? c.mark : c.conflict);
            EXPECT_EQ(Pixel(image, 0, 7, 1), c.conflict);
            EXPECT_EQ(Pixel(image, 3, 8, 0), c.shapes ? c.mark : c.noSolution);
            EXPECT_EQ(Pixel(image, 3, 8, 1), c.shapes ? c.mark : c.noSolution);
            SaveScreenshot(*w->DrawWindow(), QStringLiteral("board_%1_%2").arg(c.name, language));
        }
    }
    EXPECT_EQ(GetSetting("BoardColours", "PlayOptions"), "Dark");
}

TEST_F(BoardColours, StoredPaletteIsReadAtStartAndAnythingElseIsTheStandard)
{
    using C = SdkBoardColours;
    const QList<QPair<QString, C>> cases = {
        {"ColourBlind", C::ColourBlind}, {"dark", C::Dark},  {"Standard", C::Standard},
        {"purple", C::Standard},         {"2", C::Standard}, {"", C::Standard}};
    for (const auto &[stored, colours] : cases) {
        SetSetting("BoardColours", stored, "PlayOptions");
        Open();
        EXPECT_EQ(w->GetPlayAids().colours, colours) << qPrintable(stored);
    }
}

TEST_F(BoardColours, MenuKeyAndShiftF10OpenTheActiveFieldsMenu)
{
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool viewRs; // take the computed candidates of (4,4), else delete all manual ones
        const char *item;
    } cases[] = {
        {Qt::Key_Menu, Qt::NoModifier, true, "ID_TAKE_CANDIDATES"},
        {Qt::Key_F10, Qt::ShiftModifier, false, "ID_DELETE_ALL_MANUAL_CANDIDATES"},
    };
    const SdkResultSet computed = w->Game().GetField(4, 4).GetResultSet();
    SdkResultSet marks;
    marks.AddValue(SdkDigit5);
    for (const auto &c : cases) {
        ASSERT_TRUE(w->Game().SetUserCandidates(marks, 4, 4));
        ASSERT_TRUE(w->Game().SetUserCandidates(marks, 8, 8));
        VxCtl::SetChecked(w->FindChild("CHK_VIEW_RS"), c.viewRs);
        WndSudokuPeer::ActiveRow(*w) = 4;
        WndSudokuPeer::ActiveColumn(*w) = 4;
        VxCtl::SetFocus(w->DrawWindow());
        QPointer<QAction> chosen;
        QRect shownAt;
        {
            Script script;
            script.On("SDK_CONTEXT_MENU", [&](QWidget &menu) {
                shownAt = menu.geometry();
                chosen = menu.findChild<QAction *>(c.item);
            });
            QTest::keyClick(w->DrawWindow(), c.key, c.modifiers);
            EXPECT_EQ(script.SeenWindows(), QStringList{"SDK_CONTEXT_MENU"});
        }
        const QPoint board = w->DrawWindow()->mapToGlobal(QPoint());
        EXPECT_TRUE(FieldRect(*w, 4, 4, 0).translated(board).contains(shownAt.topLeft()));
        ASSERT_NE(chosen, nullptr);
        VxEvent event;
        VxLinks::Fire(chosen, QLatin1String(VX_LINK_COMMAND), event);
        EXPECT_TRUE(w->Game().GetUserCandidates(4, 4) == (c.viewRs ? computed : SdkResultSet()));
        EXPECT_EQ(w->Game().GetUserCandidates(8, 8).Count(), c.viewRs ? 1 : 0);
    }
}
