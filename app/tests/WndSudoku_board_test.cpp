// Board geometry and the picture of the board, checked pixel by pixel.
#include "SdkAppTestSupport.h"

#include "velox/VxCtl.h"

#include <gtest/gtest.h>

using namespace SdkTest;

namespace {
GScale BoardScale()
{
    GScale scale;
    scale.SetScale(0, 0, 9000, 9000);
    scale.SetDeviceRect(0, 0, 450, 300);
    scale.SetProportional(true);
    return scale;
}

class WndSudokuBoard : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FreshStart();
        w = OpenMainWindow();
        ASSERT_NE(w, nullptr);
    }
    void TearDown() override { CloseMainWindow(w); }

    void SetChecks(bool rs, bool single, bool conflicts)
    {
        VxCtl::SetChecked(w->FindChild("CHK_VIEW_RS"), rs);
        VxCtl::SetChecked(w->FindChild("CHK_VIEW_RS_SINGLE"), single);
        VxCtl::SetChecked(w->FindChild("CHK_VIEW_CONFLICTS"), conflicts);
    }
    // The fill of a field: sampled near its top-left corner, away from any text.
    QRgb Fill(const QImage &image, unsigned row, unsigned column)
    {
        const QRect r = FieldRect(*w, row, column, 8);
        return image.pixel(r.topLeft() + QPoint(2, 2)) & 0xFFFFFF;
    }
    int Pixels(const QImage &image, unsigned row, unsigned column, int colour)
    {
        return CountColour(image, FieldRect(*w, row, column), PaletteRgb(colour));
    }
    // Plays wrong but allowed values into the emptied top rows until a field matches.
    bool PlayUntil(const std::function<bool(const SdkField &)> &match, unsigned &row,
                   unsigned &column)
    {
        Sudoku &game = w->Game();
        for (int i = 0; i < 27; ++i) {
            for (unsigned d = 1; d <= 9; ++d) {
                const unsigned r = unsigned(i / 9), c = unsigned(i % 9);
                if (game.GetField(r, c).GetValue() != SdkDigitEmpty ||
                    d == unsigned(Solution[i] - '0') ||
                    !game.ValueAllowed(SdkDigit(d), r, c, false))
                    continue;
                if (!game.SetValue(SdkDigit(d), r, c))
                    continue;
                for (row = 0; row < 9; ++row)
                    for (column = 0; column < 9; ++column)
                        if (match(game.GetField(row, column)))
                            return true;
                break;
            }
        }
        return false;
    }

    WndSudoku *w = nullptr;
};
} // namespace

TEST(WndSudokuGeometry, HitTestMapsPointsToFieldsAndRefusesPointsOffTheBoard)
{
    const GScale scale = BoardScale();
    unsigned row = 7;
    unsigned column = 7;
    EXPECT_TRUE(WndSudoku::GetRowCol(scale, GPoint(0, 0), row, column));
    EXPECT_EQ(row, 0u);
    EXPECT_EQ(column, 0u);
    EXPECT_TRUE(WndSudoku::GetRowCol(scale, GPoint(9000, 9000), row, column));
    EXPECT_EQ(row, 8u);
    EXPECT_EQ(column, 8u);
    EXPECT_TRUE(WndSudoku::GetRowCol(scale, GPoint(1999.9, 3000), row, column));
    EXPECT_EQ(row, 3u);
    EXPECT_EQ(column, 1u);
    EXPECT_FALSE(WndSudoku::GetRowCol(scale, GPoint(-1, 10), row, column));
    EXPECT_EQ(row, 0u);
    EXPECT_FALSE(WndSudoku::GetRowCol(scale, GPoint(10, 9000.5), row, column));

    GPoint p1;
    GPoint p2;
    EXPECT_TRUE(WndSudoku::GetBox(scale, p1, p2, 4u, 2u));
    EXPECT_EQ(p1, GPoint(2000, 4000));
    EXPECT_EQ(p2, GPoint(3000, 5000));
    EXPECT_FALSE(WndSudoku::GetBox(scale, p1, p2, 9u, 0u));
    EXPECT_TRUE(WndSudoku::GetBox(scale, p1, p2, GPoint(8999, 1)));
    EXPECT_EQ(p1, GPoint(8000, 0));
    GDoubleBox box;
    WndSudoku::GPointsToBox(box, p1, p2);
    EXPECT_TRUE(WndSudoku::GetRowCol(scale, box, row, column));
    EXPECT_EQ(row, 0u);
    EXPECT_EQ(column, 8u);
}

TEST_F(WndSudokuBoard, FocusRectangleLiesInsideTheActiveField)
{
    WndSudokuPeer::ActiveRow(*w) = 2;
    WndSudokuPeer::ActiveColumn(*w) = 5;
    VxEvent2Res event;
    ASSERT_TRUE(w->CalcGameFocusRect(event));
    const QRect field = FieldRect(*w, 2, 5, 0);
    EXPECT_TRUE(field.contains(event.Rect()));
    EXPECT_NEAR(event.Rect().left() - field.left(), 5, 1);
    EXPECT_NEAR(field.bottom() - event.Rect().bottom(), 4, 1);
    WndSudokuPeer::ActiveRow(*w) = 9;
    EXPECT_FALSE(w->CalcGameFocusRect(event));
}

TEST_F(WndSudokuBoard, DigitsAreBlackGivenLightRedLastChangedAndLightBluePlayed)
{
    w->Game() = *SolutionWithout({0, 1, 2});
    ASSERT_TRUE(w->Game().SetValue(SdkDigit5, 0, 0));
    w->Game().ResetLastChanges();
    ASSERT_TRUE(w->Game().SetValue(SdkDigit3, 0, 1));
    const QImage image = GrabBoard(*w);
    EXPECT_GT(Pixels(image, 4, 4, 0), 10); // given
    EXPECT_EQ(Pixels(image, 4, 4, 9) + Pixels(image, 4, 4, 12), 0);
    EXPECT_GT(Pixels(image, 0, 1, 12), 10); // last changed
    EXPECT_EQ(Pixels(image, 0, 1, 9), 0);
    EXPECT_GT(Pixels(image, 0, 0, 9), 10); // played before
    EXPECT_EQ(Pixels(image, 0, 0, 12), 0);
    EXPECT_EQ(Fill(image, 0, 0), PaletteRgb(7) & 0xFFFFFF);
}

TEST_F(WndSudokuBoard, CandidatesFollowTheThreeCheckBoxes)
{
    // Row 4 and column 4 emptied: (0,4) keeps one candidate, (4,4) those its box misses.
    w->Game() =
        *SolutionWithout({36, 37, 38, 39, 40, 41, 42, 43, 44, 4, 13, 22, 31, 49, 58, 67, 76});
    ASSERT_EQ(w->Game().GetField(0, 4).GetResultSet().Count(), 1);
    ASSERT_GE(w->Game().GetField(4, 4).GetResultSet().Count(), 2);

    SetChecks(false, false, true);
    QImage image = GrabBoard(*w);
    EXPECT_EQ(Pixels(image, 0, 4, 2), 0);
    EXPECT_EQ(Pixels(image, 4, 4, 8), 0);

    SetChecks(true, false, true);
    image = GrabBoard(*w);
    EXPECT_GT(Pixels(image, 4, 4, 8), 5); // gray list of two or more
    EXPECT_EQ(Pixels(image, 0, 4, 2), 0); // a single one needs its own box

    SetChecks(false, true, true);
    image = GrabBoard(*w);
    EXPECT_GT(Pixels(image, 0, 4, 2), 5); // green single
    EXPECT_EQ(Pixels(image, 4, 4, 8), 0);

    // Manual candidates show in magenta only while computed ones are hidden.
    SdkResultSet manual;
    manual.AddValue(SdkDigit4);
    manual.AddValue(SdkDigit6);
    ASSERT_TRUE(w->Game().SetUserCandidates(manual, 4, 4));
    SetChecks(false, false, true);
    image = GrabBoard(*w);
    EXPECT_GT(Pixels(image, 4, 4, 5), 5);
    SetChecks(true, false, true);
    image = GrabBoard(*w);
    EXPECT_EQ(Pixels(image, 4, 4, 5), 0);
}

TEST_F(WndSudokuBoard, ConflictsAreFilledOnlyWithViewConflicts)
{
    w->Game() = *SolutionWithout({0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                  14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26});
    unsigned row = 0;
    unsigned column = 0;
    ASSERT_TRUE(PlayUntil([](const SdkField &f) { return f.IsDoubleResult(); }, row, column));
    const SdkField field = w->Game().GetField(row, column);
    const bool emptyWithout = field.GetValue() == SdkDigitEmpty && field.GetResultSet().IsEmpty();

    SetChecks(false, false, true);
    QImage image = GrabBoard(*w);
    EXPECT_EQ(Fill(image, row, column), PaletteRgb(emptyWithout ? 12 : 13) & 0xFFFFFF)
        << row << "/" << column;
    SetChecks(false, false, false);
    image = GrabBoard(*w);
    EXPECT_EQ(Fill(image, row, column), PaletteRgb(7) & 0xFFFFFF);
}

TEST_F(WndSudokuBoard, FieldWithoutCandidatesIsLightRedAndLabelled)
{
    w->Game() = *SolutionWithout({0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                  14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26});
    unsigned row = 0;
    unsigned column = 0;
    ASSERT_TRUE(PlayUntil(
        [](const SdkField &f) {
            return f.GetValue() == SdkDigitEmpty && f.GetResultSet().IsEmpty();
        },
        row, column));
    SetChecks(false, false, true);
    QImage image = GrabBoard(*w);
    EXPECT_EQ(Fill(image, row, column), PaletteRgb(12) & 0xFFFFFF);
    EXPECT_GT(Pixels(image, row, column, 7), 5); // "NO" / "SOLUTION" in white

    SetChecks(false, false, false);
    image = GrabBoard(*w);
    EXPECT_EQ(Fill(image, row, column), PaletteRgb(7) & 0xFFFFFF);

    // While a game loads every field is white and empty.
    SetChecks(true, true, true);
    SdkParam param(w->Game(), true, 0, SdkDigitEmpty, 0, 0);
    w->NotifyLoadingStarted(param);
    image = GrabBoard(*w);
    EXPECT_EQ(Fill(image, row, column), PaletteRgb(7) & 0xFFFFFF);
    EXPECT_EQ(Pixels(image, 4, 4, 0), 0);
    w->NotifyLoadingEnded(param);
}
