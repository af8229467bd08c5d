#pragma once
// Helpers shared by the engine tests: grids from text, direct field access for
// states the rules would refuse, and a recorder of engine events.
#include "base/TOpSystem.h"
#include "engine/Sudoku.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

inline SdkResultSet SetOf(std::initializer_list<unsigned> digits)
{
    SdkResultSet set;
    for (unsigned d : digits)
        set.AddValue(SdkDigit(d));
    return set;
}

inline SdkDigit D(unsigned d)
{
    return SdkDigit(d);
}

// Solved by direct steps alone (51 of them), and its solution.
inline constexpr const char *kRiddle =
    "530070000600195000098000060800060003400803001700020006060000280000419005000080079";
inline constexpr const char *kSolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
// Need one nested guess, two, and fourteen.
inline constexpr const char *kOneGuess =
    ".5.......2..61....1..7.8.....9..3.68...1...5.7....2.3.62.8.1............8.73...92";
inline constexpr const char *kTwoGuesses =
    ".6.2.7.......45...2.4.3...5.87.....1.1....546.36...82...3.86..2...52.......7..6..";
inline constexpr const char *kHard =
    "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..";

// Reaches the private steps of a game, as the solver and the file reader do.
class SudokuTestPeer
{
public:
    // Writes a value without any rule, to build grids the rules would refuse.
    static void Put(Sudoku &g, unsigned row, unsigned col, unsigned d, bool fix = false)
    {
        SdkField &f = g.FieldAt(row, col);
        f.Unfix(true);
        f.SetValue(SdkDigit(d));
        if (fix)
            f.Fix(SdkDigit(d));
    }
    static void SetResultSet(Sudoku &g, unsigned row, unsigned col, const SdkResultSet &set)
    {
        g.FieldAt(row, col).ResultSet() = set;
    }
    static bool FixRaw(Sudoku &g, SdkDigit d, unsigned row, unsigned col, bool record)
    {
        return g._Fix(d, row, col, record);
    }
    static bool UnfixRaw(Sudoku &g, unsigned row, unsigned col, bool record)
    {
        return g._Unfix(row, col, record);
    }
    static void CreateSolvedStack(Sudoku &g, const SdkUserStack &s) { g._CreateSolvedStack(s); }
    static const SdkUserStack &UserStack(const Sudoku &g) { return g.m_userStack; }
    static uint16_t RunMode(const Sudoku &g) { return g.m_runMode; }
    static void SetRunMode(Sudoku &g, uint16_t mode) { g.m_runMode = mode; }
    static void SetBtSteps(Sudoku &g, int steps) { g.m_btStepsOnCreation = steps; }
    static const TMvcEventTable &EventTable() { return Sudoku::m_stcoEvTab; }
};

using Peer = SudokuTestPeer;
namespace fs = std::filesystem;

// Fills the grid from 81 characters, anything but 1..9 empty: given digits by
// default, played values (recorded) when asPlayed is true.
inline void LoadGrid(Sudoku &g, const std::string &text, bool asPlayed = false)
{
    ASSERT_EQ(text.size(), 81u);
    for (unsigned i = 0; i < 81; ++i) {
        const char ch = text[i];
        if (ch < '1' || ch > '9' || g.GetField(i / 9, i % 9).IsFix())
            continue;
        if (asPlayed) {
            ASSERT_TRUE(g.SetValue(D(unsigned(ch - '0')), i / 9, i % 9)) << i;
        } else
            ASSERT_TRUE(g.Fix(D(unsigned(ch - '0')), i / 9, i % 9)) << i;
    }
}

// A riddle ready to play: given digits, candidates computed, clean flags.
inline void StartRiddle(Sudoku &g, const std::string &riddle = kRiddle)
{
    LoadGrid(g, riddle);
    ASSERT_TRUE(g.StartGame(false, false, true));
}

// The values, '.' for empty.
inline std::string Values(const Sudoku &g)
{
    std::string text;
    for (unsigned i = 0; i < 81; ++i) {
        const unsigned v = g.GetField(i / 9, i % 9).GetValue();
        text += v ? char('0' + v) : '.';
    }
    return text;
}

inline std::string Entry(const SdkSolvedField &e)
{
    return std::to_string(e.GetValue()) + std::to_string(e.GetPrevValue()) + "@" +
           std::to_string(e.GetRow()) + std::to_string(e.GetColumn());
}

// "5/0@02 ..." for every history entry, then "|cursor".
inline std::string History(const Sudoku &g)
{
    std::string text;
    SdkSolvedField e;
    for (unsigned i = 0; g.GetUserStack(i, e); ++i)
        text += Entry(e) + " ";
    return text + "|" + std::to_string(g.GetUserStackPtr());
}

// Records the engine events of a game (and of copies that carry its
// listeners) as one line each, from any thread. Declare it before the games.
class EventRecorder
{
public:
    explicit EventRecorder(Sudoku &game) { Attach(game); }
    EventRecorder() = default;
    void Attach(Sudoku &game)
    {
        for (const char *name :
             {SDK_START_LOADING, SDK_END_LOADING, SDK_START_SOLVING, SDK_END_SOLVING,
              SDK_TEST_VALUE, SDK_VALUE_SOLVED, SDK_TRY_CREATED_GAME})
            EXPECT_TRUE(game.MVC().AddNotification(name, this, [this, name](TMvcParam &p) {
                auto &sp = static_cast<SdkParam &>(p);
                const std::string line =
                    std::string(name).substr(4) + (sp.GetSuccess() ? " ok " : " no ") +
                    std::to_string(sp.GetChanges()) + " d" + std::to_string(sp.GetDigit()) + " " +
                    std::to_string(sp.GetRow()) + std::to_string(sp.GetColumn()) + " L" +
                    std::to_string(sp.GetLevel());
                {
                    std::lock_guard<std::mutex> hold(mutex);
                    games.push_back(&sp.GetSudoku());
                    lines.push_back(line);
                }
                if (onEvent)
                    onEvent(line, sp);
                return true;
            }));
    }
    void Clear() { lines.clear(), games.clear(); }
    std::vector<std::string> Lines() const
    {
        std::lock_guard<std::mutex> hold(mutex);
        return lines;
    }
    std::vector<std::string> Named(const std::string &prefix) const
    {
        std::vector<std::string> out;
        for (const std::string &l : Lines())
            if (l.rfind(prefix, 0) == 0)
                out.push_back(l);
        return out;
    }
    size_t Count(const std::string &prefix) const { return Named(prefix).size(); }

    // Runs on the sending thread after the event is stored.
    std::function<void(const std::string &, SdkParam &)> onEvent;
    std::vector<std::string> lines;
    std::vector<const Sudoku *> games;
    mutable std::mutex mutex;
};

// The line of a "SDK_VALUE_SOLVED" event.
inline std::string Solved(bool ok, unsigned d, unsigned row, unsigned col)
{
    return std::string("VALUE_SOLVED") + (ok ? " ok 1" : " no 0") + " d" + std::to_string(d) + " " +
           std::to_string(row) + std::to_string(col) + " L0";
}
