// The solver passes by work whose outcome it knows when nobody listens to its
// single steps, and a reduction after a placed value visits only the fields
// it can affect. Both must leave exactly the states the plain steps leave.
#include "engine/SdkParam.h"
#include "engine/Sudoku.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {
const char *const Riddles[] = {
    // Two nested guesses.
    ".6.2.7.......45...2.4.3...5.87.....1.1....546.36...82...3.86..2...52.......7..6..",
    // Hard ones: many trials, contradictions and doubles on the way.
    "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......",
    "52...6.........7.13...........4..8..6......5...........418.........3..2...87.....",
};

void LoadRiddle(Sudoku &game, const std::string &riddle)
{
    for (unsigned i = 0; i < 81; ++i) {
        if (riddle[i] != '.') {
            ASSERT_TRUE(game.Fix(static_cast<SdkDigit>(riddle[i] - '0'), i / 9, i % 9));
        }
    }
}

// Everything a listener can read of the working copy: values, candidates,
// marks and every block's doubles.
std::string State(const Sudoku &game)
{
    std::string text;
    for (unsigned i = 0; i < 81; ++i) {
        const SdkField f = game.GetField(i / 9, i % 9);
        text += std::to_string(f.GetValue()) + ":" + std::to_string(f.GetResultSet().GetMask()) +
                (f.IsLastChanged() ? "L" : "") + (f.IsDoubleResult() ? "D" : "") + " ";
    }
    for (SdkBlockType type : SdkBlockTypes)
        for (unsigned b = 0; b < 9; ++b) {
            const SdkDoubleList &list = game.GetBlock(type, b).GetDoubleList();
            for (int i = 0; i < list.Count(); ++i)
                text += std::to_string(list.GetDouble(i)->GetResultSet().GetMask()) + "@" +
                        std::to_string(b) + " ";
        }
    return text;
}

struct Watcher
{
    std::vector<std::string> seen;
    bool Look(SdkParam &p)
    {
        seen.push_back(std::to_string(p.GetLevel()) + " " + std::to_string(p.GetDigit()) + " " +
                       State(p.GetSudoku()));
        return true;
    }
    bool Ignore(SdkParam &) { return true; }
};

struct Outcome
{
    std::vector<std::string> seen;
    std::vector<std::string> moves;
    int btSteps;
};

Outcome Solve(const char *riddle, bool watchSteps, bool deep)
{
    Sudoku game;
    LoadRiddle(game, riddle);
    game.SetDeepCalcResultSets(deep);
    Watcher watcher;
    for (const char *event : {SDK_START_SOLVING, SDK_TEST_VALUE, SDK_END_SOLVING}) {
        EXPECT_TRUE(game.MVC().AddNotification(event, &watcher, &Watcher::Look));
    }
    if (watchSteps) {
        EXPECT_TRUE(game.MVC().AddNotification(SDK_VALUE_SOLVED, &watcher, &Watcher::Ignore));
    }
    EXPECT_TRUE(game.Solve(-1, true, TString()));
    Outcome outcome{watcher.seen, {}, game.GetSolveBtStep()};
    for (unsigned i = 0; i < game.GetSolutionStackCount(); ++i) {
        SdkSolvedField move;
        EXPECT_TRUE(game.GetSolution(i, move));
        outcome.moves.push_back(std::to_string(move.GetValue()) + "@" +
                                std::to_string(move.GetRow() * 9 + move.GetColumn()));
    }
    return outcome;
}
} // namespace

TEST(SolverShortcuts, UnwatchedStepsLeaveTheStatesOfWatchedOnes)
{
    for (const char *riddle : Riddles) {
        for (bool deep : {false, true}) {
            const Outcome watched = Solve(riddle, true, deep);
            const Outcome unwatched = Solve(riddle, false, deep);
            EXPECT_GT(watched.seen.size(), 3u) << riddle;
            EXPECT_EQ(unwatched.btSteps, watched.btSteps) << riddle;
            EXPECT_EQ(unwatched.moves, watched.moves) << riddle;
            ASSERT_EQ(unwatched.seen.size(), watched.seen.size()) << riddle;
            for (size_t i = 0; i < watched.seen.size(); ++i)
                ASSERT_EQ(unwatched.seen[i], watched.seen[i]) << riddle << ", event " << i;
        }
    }
}

// After every placed value no candidate may stand where a value of its row,
// column or quad refuses it, however few fields the reduction looked at.
TEST(SolverShortcuts, PlacedValuesLeaveNoRefusedCandidate)
{
    int placed = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        Sudoku game;
        LoadRiddle(game, Riddles[seed % 3]);
        ASSERT_TRUE(game.StartGame(false, false, true));
        for (int move = 0; move < 80; ++move) {
            const unsigned field = random() % 81, digit = random() % 10;
            if (random() % 8 == 0)
                (void)game.Undo();
            else
                placed += game.SetValue(static_cast<SdkDigit>(digit), field / 9, field % 9);
            for (unsigned i = 0; i < 81; ++i) {
                const unsigned r = i / 9, c = i % 9;
                const SdkField f = game.GetField(r, c);
                if (f.GetValue() != SdkDigitEmpty)
                    continue;
                for (unsigned j = 0; j < 81; ++j) {
                    const unsigned r2 = j / 9, c2 = j % 9;
                    const bool peer =
                        j != i && (r2 == r || c2 == c || (r2 / 3 == r / 3 && c2 / 3 == c / 3));
                    const SdkDigit v = game.GetField(r2, c2).GetValue();
                    ASSERT_FALSE(peer && v != SdkDigitEmpty && f.GetResultSet().HasValue(v))
                        << "seed " << seed << ", move " << move << ", field " << i;
                }
            }
        }
    }
    EXPECT_GT(placed, 500);
}
