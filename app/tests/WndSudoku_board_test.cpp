// The board's colours, read from the screen pixel by pixel: every state's colour, and the board
// colours chosen in the options dialog and stored for the next start.
#include "SdkAppTestSupport.h"

#include "app/SdkBoardColours.h"

using namespace SdkTest;

namespace {
using Field = std::pair<unsigned, unsigned>;

// (0,7) and (0,8) both need the 8: a conflict; (3,8) can take no digit.
const char Trouble[] = "123456700000000090000000000567812340000000000000000009000000000000000000"
                       "000000000";

// The boards the rows start from: row 0 emptied in its first three fields, 5 played there, then 3
// as the last change; row 4 and column 4 emptied, (0,4) keeping a single candidate and (4,4) two
// or more, also with manual candidates there; Trouble.
enum Scene { Played, Candidates, Manual, Troubled };
void Arrange(WndSudoku &w, Scene board)
{
    if (board == Played) {
        w.Game() = *SolutionWithout({0, 1, 2});
        EXPECT_TRUE(w.Game().SetValue(SdkDigit5, 0, 0));
        w.Game().ResetLastChanges();
        EXPECT_TRUE(w.Game().SetValue(SdkDigit3, 0, 1));
    } else if (board == Troubled) {
        w.Game() = *MakeGame(Trouble);
    } else {
        w.Game() =
            *SolutionWithout({36, 37, 38, 39, 40, 41, 42, 43, 44, 4, 13, 22, 31, 49, 58, 67, 76});
        EXPECT_TRUE(board == Candidates || SetMarks(w.Game(), "4,6", 4, 4));
    }
}

class BoardColours : public WndTest
{
protected:
    void SetUp() override
    {
        WndTest::SetUp();
        Start(Trouble);
    }
};
} // namespace

using WndSudokuBoard = WndTest;

// Every state with a colour of its own, at the field it colours; "absent" rows show that the
// colour belongs to the state and not to the field.
TEST_F(WndSudokuBoard, EveryStateHasItsColourAtItsField)
{
    enum { None = -1, Black = 0, Green = 2, Magenta = 5, White = 7, Gray = 8, LightBlue = 9 };
    enum { LightRed = 12, LightMagenta = 13 };
    // Each row: the colour present at the field (None: no check) and one that must be absent.
    const struct
    {
        const char *state;
        Scene board;
        Field field;
        int present, absent;
        bool rs = false, single = false, conflicts = true, defining = false, loading = false;
    } rows[] = {
        {"given digit", Played, {4, 4}, Black, LightBlue},
        {"played digit", Played, {0, 0}, LightBlue, LightRed},
        {"last changed digit", Played, {0, 1}, LightRed, LightBlue},
        {"single candidate", Candidates, {0, 4}, Green, None, false, true},
        {"single candidate, singles hidden", Candidates, {0, 4}, None, Green, true},
        {"candidates", Candidates, {4, 4}, Gray, None, true},
        {"candidates hidden", Candidates, {4, 4}, None, Gray, false, true},
        {"manual candidates", Manual, {4, 4}, Magenta, None},
        {"manual candidates under computed", Manual, {4, 4}, None, Magenta, true},
        {"conflict", Troubled, {0, 7}, LightMagenta, None},
        {"conflict not shown", Troubled, {0, 7}, None, LightMagenta, false, false, false},
        {"no solution", Troubled, {3, 8}, LightRed, None},
        {"no solution label", Troubled, {3, 8}, White, None},
        {"no solution not shown", Troubled, {3, 8}, None, LightRed, false, false, false},
        {"no solution, loading", Troubled, {3, 8}, None, LightRed, true, true, true, false, true},
        {"given while loading", Played, {4, 4}, None, Black, true, true, true, false, true},
        {"active field in play", Played, {0, 2}, LightBlue, LightRed},
        {"active field defining", Played, {0, 2}, LightRed, LightBlue, false, false, true, true},
    };
    for (const auto &r : rows) {
        Arrange(*w, r.board);
        const auto [row, column] = r.field;
        View(r.rs, r.single, r.conflicts);
        WndSudokuPeer::FixMode(*w) = r.defining;
        SetActive(0, 2);
        w->DrawWindow()->setFocus();
        SdkParam param(w->Game(), true, 0, SdkDigitEmpty, 0, 0);
        if (r.loading)
            w->NotifyLoadingStarted(param);
        // The active frame lies near the field's edge: the whole field is searched for it.
        const QImage board = Board();
        const QRect field = FieldRect(*w, row, column, row == 0 && column == 2 ? 0 : 15);
        if (r.loading)
            w->NotifyLoadingEnded(param);
        const auto count = [&](int colour) {
            return CountColour(board, field, PaletteRgb(colour));
        };
        EXPECT_TRUE(r.present == None || count(r.present) > 5) << r.state;
        EXPECT_TRUE(r.absent == None || count(r.absent) == 0) << r.state;
    }
}

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
    ASSERT_TRUE(SetMarks(w->Game(), "2,6", 8, 0));
    ASSERT_TRUE(w->Game().GetField(0, 7).IsDoubleResult());
    ASSERT_TRUE(w->Game().GetField(3, 8).GetResultSet().IsEmpty());
    for (const char *language : {"en", "de"}) {
        WndSudokuPeer::Language(*w) = QLatin1String(language) == "en" ? 1 : 0;
        w->Localize();
        for (int i = 0; i < 3; ++i) {
            const auto &c = cases[i];
            SCOPED_TRACE(c.name);
            Script script("SUDOKU_OPTIONS", [i](QWidget &window) {
                window.findChild<QComboBox *>("COMBO_BOARD_COLOURS")->setCurrentIndex(i);
                PressButton("BT_OK")(window);
            });
            script.On("WND_MESSAGE", PressButton("BT_YES"));
            Do(&WndSudoku::DoGameOptions);
            VxCtl::SetChecked(w->FindChild("CHK_VIEW_RS_SINGLE"), true);
            const QImage image = Board();
            EXPECT_EQ(Corner(image, 3, 8, 2), c.noSolution);
            EXPECT_EQ(Corner(image, 0, 7, 2), c.conflict);
            EXPECT_GT(CountColour(image, FieldRect(*w, 0, 0), c.given), 0);
            // One corner marks a conflict, two a field without a solution.
            EXPECT_EQ(Corner(image, 0, 7, 0), c.shapes ? c.mark : c.conflict);
            EXPECT_EQ(Corner(image, 0, 7, 1), c.conflict);
            EXPECT_EQ(Corner(image, 3, 8, 0), c.shapes ? c.mark : c.noSolution);
            EXPECT_EQ(Corner(image, 3, 8, 1), c.shapes ? c.mark : c.noSolution);
            // Beside the square board a new palette's field colour fills the window too.
            EXPECT_TRUE(i == 0 || (image.pixel(1, image.height() / 2) & 0xFFFFFF) ==
                                      (SdkPaletteOf(SdkBoardColours(i)).field.rgb() & 0xFFFFFF));
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
