// The board's colours, read from the screen pixel by pixel.
#include "SdkAppTestSupport.h"

using namespace SdkTest;

namespace {
using Field = std::pair<unsigned, unsigned>;

// Plays wrong but allowed digits into the emptied top rows until a field matches.
Field PlayUntil(WndSudoku &w, const std::function<bool(const SdkField &)> &match)
{
    w.Game() = *SolutionWithout({0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26});
    Sudoku &game = w.Game();
    for (int i = 0; i < 27; ++i)
        for (unsigned d = 1; d <= 9; ++d) {
            const unsigned r = unsigned(i / 9), c = unsigned(i % 9);
            if (game.GetField(r, c).GetValue() != SdkDigitEmpty ||
                d == unsigned(Solution[i] - '0') || !game.ValueAllowed(SdkDigit(d), r, c, false) ||
                !game.SetValue(SdkDigit(d), r, c))
                continue;
            for (unsigned f = 0; f < 81; ++f)
                if (match(game.GetField(f / 9, f % 9)))
                    return {f / 9, f % 9};
            break;
        }
    ADD_FAILURE() << "no field found";
    return {0, 0};
}

// Row 0 emptied in its first three fields; 5 played there, then 3 as the last change.
Field Played(WndSudoku &w, Field target)
{
    w.Game() = *SolutionWithout({0, 1, 2});
    EXPECT_TRUE(w.Game().SetValue(SdkDigit5, 0, 0));
    w.Game().ResetLastChanges();
    EXPECT_TRUE(w.Game().SetValue(SdkDigit3, 0, 1));
    return target;
}

// Row 4 and column 4 emptied: (0,4) keeps a single candidate, (4,4) two or more.
Field Candidates(WndSudoku &w, Field target, bool manual = false)
{
    w.Game() =
        *SolutionWithout({36, 37, 38, 39, 40, 41, 42, 43, 44, 4, 13, 22, 31, 49, 58, 67, 76});
    SdkResultSet marks;
    marks.AddValue(SdkDigit4);
    marks.AddValue(SdkDigit6);
    if (manual) {
        EXPECT_TRUE(w.Game().SetUserCandidates(marks, 4, 4));
    }
    return target;
}
} // namespace

using WndSudokuBoard = WndTest;

// Every state with a colour of its own, at the field it colours; "absent" rows show that the
// colour belongs to the state and not to the field.
TEST_F(WndSudokuBoard, EveryStateHasItsColourAtItsField)
{
    enum Colour { Black = 0, Green = 2, Magenta = 5, White = 7, Gray = 8, LightBlue = 9 };
    enum { LightRed = 12, LightMagenta = 13 };
    auto given = [](WndSudoku &w) { return Played(w, {4, 4}); };
    auto played = [](WndSudoku &w) { return Played(w, {0, 0}); };
    auto last = [](WndSudoku &w) { return Played(w, {0, 1}); };
    auto empty = [](WndSudoku &w) { return Played(w, {0, 2}); };
    auto single = [](WndSudoku &w) { return Candidates(w, {0, 4}); };
    auto several = [](WndSudoku &w) { return Candidates(w, {4, 4}); };
    auto manual = [](WndSudoku &w) { return Candidates(w, {4, 4}, true); };
    auto conflict = [](WndSudoku &w) {
        return PlayUntil(w, [](const SdkField &f) {
            return f.IsDoubleResult() &&
                   !(f.GetValue() == SdkDigitEmpty && f.GetResultSet().IsEmpty());
        });
    };
    auto none = [](WndSudoku &w) {
        return PlayUntil(w, [](const SdkField &f) {
            return f.GetValue() == SdkDigitEmpty && f.GetResultSet().IsEmpty();
        });
    };
    const struct
    {
        const char *state;
        std::function<Field(WndSudoku &)> setup;
        bool rs, single, conflicts, defining, loading;
        int colour;
        bool present;
    } rows[] = {
        {"given digit", given, false, false, true, false, false, Black, true},
        {"given digit", given, false, false, true, false, false, LightBlue, false},
        {"played digit", played, false, false, true, false, false, LightBlue, true},
        {"played digit", played, false, false, true, false, false, LightRed, false},
        {"last changed digit", last, false, false, true, false, false, LightRed, true},
        {"last changed digit", last, false, false, true, false, false, LightBlue, false},
        {"single candidate", single, false, true, true, false, false, Green, true},
        {"single candidate, singles hidden", single, true, false, true, false, false, Green, false},
        {"candidates", several, true, false, true, false, false, Gray, true},
        {"candidates hidden", several, false, true, true, false, false, Gray, false},
        {"manual candidates", manual, false, false, true, false, false, Magenta, true},
        {"manual candidates under computed", manual, true, false, true, false, false, Magenta,
         false},
        {"conflict", conflict, false, false, true, false, false, LightMagenta, true},
        {"conflict not shown", conflict, false, false, false, false, false, LightMagenta, false},
        {"no solution", none, false, false, true, false, false, LightRed, true},
        {"no solution label", none, false, false, true, false, false, White, true},
        {"no solution not shown", none, false, false, false, false, false, LightRed, false},
        {"no solution while loading", none, true, true, true, false, true, LightRed, false},
        {"given while loading", given, true, true, true, false, true, Black, false},
        {"active field in play", empty, false, false, true, false, false, LightBlue, true},
        {"active field in play", empty, false, false, true, false, false, LightRed, false},
        {"active field in definition", empty, false, false, true, true, false, LightRed, true},
        {"active field in definition", empty, false, false, true, true, false, LightBlue, false},
    };
    for (const auto &r : rows) {
        const auto [row, column] = r.setup(*w);
        View(r.rs, r.single, r.conflicts);
        WndSudokuPeer::FixMode(*w) = r.defining;
        SetActive(0, 2);
        w->DrawWindow()->setFocus();
        SdkParam param(w->Game(), true, 0, SdkDigitEmpty, 0, 0);
        if (r.loading)
            w->NotifyLoadingStarted(param);
        // The active frame lies near the field's edge: the whole field is searched for it.
        const bool frame = row == 0 && column == 2;
        const int n =
            CountColour(Board(), FieldRect(*w, row, column, frame ? 0 : 15), PaletteRgb(r.colour));
        if (r.loading)
            w->NotifyLoadingEnded(param);
        EXPECT_EQ(n > 5, r.present) << r.state << " at " << row << "/" << column << ": " << n;
        EXPECT_TRUE(r.present || n == 0) << r.state << ": " << n;
    }
}
