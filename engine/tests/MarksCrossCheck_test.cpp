// The conflict marks kept by the engine's shortcuts (unchanged grids, block
// summaries) must equal the marks of the plain group rule on every state that
// play reaches, contradictions included.
#include "engine/Sudoku.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {
const char *const Riddles[] = {
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79",
    ".5.......2..61....1..7.8.....9..3.68...1...5.7....2.3.62.8.1............8.73...92",
    "................................................................................."};

// The rule itself: in every block, a field and the later fields that join its
// group are marked when the group is larger than the field can host.
std::string ReferenceMarks(const Sudoku &game)
{
    SdkField fields[81];
    for (unsigned i = 0; i < 81; ++i)
        fields[i] = game.GetField(i / 9, i % 9);
    std::string marks(81, '.');
    for (unsigned type = 0; type < 3; ++type) {
        for (unsigned b = 0; b < 9; ++b) {
            unsigned at[9];
            for (unsigned p = 0; p < 9; ++p)
                at[p] = type == 0   ? b * 9 + p
                        : type == 1 ? p * 9 + b
                                    : (b / 3 * 3 + p / 3) * 9 + b % 3 * 3 + p % 3;
            for (unsigned i = 0; i < 9; ++i) {
                const SdkField &f = fields[at[i]];
                const unsigned v = f.GetValue();
                const SdkResultSet &s = f.GetResultSet();
                const int capacity = v ? 1 : s.Count();
                std::string group(1, static_cast<char>(i));
                for (unsigned j = i + 1; j < 9; ++j) {
                    const SdkField &g = fields[at[j]];
                    const unsigned w = g.GetValue();
                    const SdkResultSet &t = g.GetResultSet();
                    const bool joins =
                        v ? (w ? w == v : t.Count() == 1 && t.GetValue(0) == v)
                          : (w ? s.Count() == 1 && s.GetValue(0) == w : s.Count() > 0 && t == s);
                    if (joins)
                        group += static_cast<char>(j);
                }
                if (static_cast<int>(group.size()) > capacity)
                    for (char p : group)
                        marks[at[static_cast<unsigned>(p)]] = 'X';
            }
        }
    }
    return marks;
}

// The double lists as made from scratch by the list's own adding and cleaning,
// compared with the game's lists; empty when they agree.
std::string DoubleListDifference(const Sudoku &game)
{
    for (SdkBlockType type : SdkBlockTypes) {
        for (unsigned b = 0; b < 9; ++b) {
            const SdkBlockRef &block = game.GetBlock(type, b);
            SdkDoubleList expected;
            for (unsigned p = 0; p < 9; ++p)
                if (block[p].GetValue() == SdkDigitEmpty)
                    expected.Add(block[p].GetResultSet(), p);
            expected.Clean();
            const SdkDoubleList &actual = block.GetDoubleList();
            bool same = actual.Count() == expected.Count();
            for (int i = 0; same && i < expected.Count(); ++i) {
                const SdkDouble &a = *actual.GetDouble(i), &e = *expected.GetDouble(i);
                same = a.GetResultSet() == e.GetResultSet() && a.IndexCount() == e.IndexCount();
                for (int k = 0; same && k < e.IndexCount(); ++k)
                    same = a.GetIndex(k) == e.GetIndex(k);
            }
            if (!same)
                return "block type " + std::to_string(type) + " index " + std::to_string(b);
        }
    }
    return "";
}

std::string EngineMarks(const Sudoku &game)
{
    std::string marks(81, '.');
    for (unsigned i = 0; i < 81; ++i)
        if (game.GetField(i / 9, i % 9).IsDoubleResult())
            marks[i] = 'X';
    return marks;
}
} // namespace

TEST(MarksCrossCheck, RandomPlayKeepsTheMarksOfTheRule)
{
    int statesWithMarks = 0;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::mt19937 random(seed);
        Sudoku game;
        const std::string riddle = Riddles[seed % 3];
        for (unsigned i = 0; i < 81; ++i) {
            if (riddle[i] != '.') {
                ASSERT_TRUE(game.Fix(static_cast<SdkDigit>(riddle[i] - '0'), i / 9, i % 9));
            }
        }
        ASSERT_TRUE(game.StartGame(false, false, true));
        game.SetDeepCalcResultSets(seed % 4 == 0);
        for (int move = 0; move < 60; ++move) {
            const unsigned field = random() % 81, digit = random() % 10;
            const int kind = static_cast<int>(random() % 10);
            if (kind == 0)
                (void)game.Undo();
            else if (kind == 1)
                (void)game.Redo();
            else
                (void)game.SetValue(static_cast<SdkDigit>(digit), field / 9, field % 9);
            const std::string marks = ReferenceMarks(game);
            ASSERT_EQ(EngineMarks(game), marks) << "seed " << seed << ", move " << move;
            statesWithMarks += marks.find('X') != std::string::npos ? 1 : 0;
            if (game.GetUnsolvedCount() > 0) {
                ASSERT_EQ(DoubleListDifference(game), "") << "seed " << seed << ", move " << move;
            }
        }
        // Marking again, or after a copy, gives the same marks.
        game.MarkDoubleResults();
        EXPECT_EQ(EngineMarks(game), ReferenceMarks(game)) << "seed " << seed;
        Sudoku copy(game, false);
        EXPECT_EQ(DoubleListDifference(copy), "") << "seed " << seed;
        copy.MarkDoubleResults();
        EXPECT_EQ(EngineMarks(copy), ReferenceMarks(copy)) << "seed " << seed;
    }
    // Random play runs into contradictions, so the marks were really exercised.
    EXPECT_GT(statesWithMarks, 100);
}

TEST(MarksCrossCheck, SolverStepsKeepTheMarksOfTheRule)
{
    for (const char *riddle : Riddles) {
        Sudoku game;
        for (unsigned i = 0; i < 81; ++i) {
            if (riddle[i] != '.') {
                ASSERT_TRUE(game.Fix(static_cast<SdkDigit>(riddle[i] - '0'), i / 9, i % 9));
            }
        }
        ASSERT_TRUE(game.StartGame(false, false, true));
        bool error = false;
        SdkDigit digit = SdkDigitEmpty;
        unsigned row = 0, col = 0;
        do {
            ASSERT_EQ(EngineMarks(game), ReferenceMarks(game));
        } while (game.Step(error, digit, row, col, false));
        ASSERT_EQ(EngineMarks(game), ReferenceMarks(game));
    }
}
