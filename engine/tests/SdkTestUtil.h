#pragma once
// Helpers shared by the engine tests: grids from text, direct field access for
// states the rules would refuse, and a recorder of engine events.
#include "base/TOpSystem.h"
#include "engine/Sudoku.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

inline SdkDigit D(unsigned d)
{
    return SdkDigit(d);
}

inline SdkResultSet SetOf(std::initializer_list<unsigned> digits)
{
    SdkResultSet set;
    for (unsigned d : digits)
        set.AddValue(D(d));
    return set;
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
// Hard ones: many trials, contradictions and doubles on the way.
inline constexpr const char *kHard2 =
    "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......";
inline constexpr const char *kHard3 =
    "52...6.........7.13...........4..8..6......5...........418.........3..2...87.....";

// Reaches the private parts of a game, as the solver and the file reader do.
class SudokuTestPeer
{
public:
    // Writes a value without any rule, to build grids the rules would refuse.
    static void Put(Sudoku &g, unsigned row, unsigned col, unsigned d, bool fix = false)
    {
        SdkField &f = Writable(g, row, col);
        f.Unfix(true);
        f.SetValue(D(d));
        if (fix)
            f.Fix(D(d));
    }
    static void SetResultSet(Sudoku &g, unsigned row, unsigned col, const SdkResultSet &set)
    {
        Writable(g, row, col).ResultSet() = set;
    }
    static bool FixRaw(Sudoku &g, SdkDigit d, unsigned row, unsigned col, bool record)
    {
        return g._Fix(d, row, col, record);
    }
    static bool UnfixRaw(Sudoku &g, unsigned row, unsigned col, bool record)
    {
        return g._Unfix(row, col, record);
    }
    // The user's moves become the recorded solution.
    static void RecordSolution(Sudoku &g) { g._CreateSolvedStack(g.m_userStack); }
    static uint16_t RunMode(const Sudoku &g) { return g.m_runMode; }
    // A field written right away, the way the engine's own writes outside its calculation go.
    static SdkField &Writable(Sudoku &g, unsigned row, unsigned col)
    {
        g.SettleMarks();
        g.DropFixpoint();
        return g.FieldAt(row, col);
    }
    static void SetRunMode(Sudoku &g, uint16_t mode) { g.m_runMode = mode; }
    static void SetBtSteps(Sudoku &g, int steps) { g.m_btStepsOnCreation = steps; }
    static bool HasPlaceableField(const Sudoku &g) { return g.HasPlaceableField(); }
    static const TMvcEventTable &EventTable() { return Sudoku::m_stcoEvTab; }
};
using Peer = SudokuTestPeer;

// Fills the grid from 81 characters, anything but 1..9 empty: given digits by
// default, played values (recorded) when asPlayed is true.
inline void LoadGrid(Sudoku &g, const std::string &text, bool asPlayed = false)
{
    ASSERT_EQ(text.size(), 81u);
    for (unsigned i = 0; i < 81; ++i) {
        const char ch = text[i];
        if (ch < '1' || ch > '9' || g.GetField(i / 9, i % 9).IsFix())
            continue;
        const SdkDigit d = D(unsigned(ch - '0'));
        ASSERT_TRUE(asPlayed ? g.SetValue(d, i / 9, i % 9) : g.Fix(d, i / 9, i % 9)) << i;
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

// The values with the recorded solution played over them.
inline std::string SolvedValues(const Sudoku &g)
{
    std::string s = Values(g);
    SdkSolvedField e;
    for (unsigned i = 0; g.GetSolution(i, e); ++i)
        s[e.GetRow() * 9 + e.GetColumn()] = char('0' + e.GetValue());
    return s;
}

// "50@02": value, previous value, row and column of a move.
inline std::string Entry(const SdkSolvedField &e)
{
    return std::to_string(e.GetValue()) + std::to_string(e.GetPrevValue()) + "@" +
           std::to_string(e.GetRow()) + std::to_string(e.GetColumn());
}

// Every history entry, then "|cursor".
inline std::string History(const Sudoku &g)
{
    std::string text;
    SdkSolvedField e;
    for (unsigned i = 0; g.GetUserStack(i, e); ++i)
        text += Entry(e) + " ";
    return text + "|" + std::to_string(g.GetUserStackPtr());
}

// Records the engine events of a game (and of copies that carry its listeners)
// as one line each, from any thread. Declare it before the games.
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
                    TString::Format("%s %s %u d%u %u%u L%d", name + 4,
                                    sp.GetSuccess() ? "ok" : "no", sp.GetChanges(),
                                    unsigned(sp.GetDigit()), sp.GetRow(), sp.GetColumn(),
                                    int(sp.GetLevel()))
                        .Str();
                {
                    std::lock_guard<std::mutex> hold(mutex);
                    lines.push_back(line);
                }
                if (onEvent)
                    onEvent(line);
                return true;
            }));
    }
    void Clear() { lines.clear(); }
    // The lines that start with prefix.
    std::vector<std::string> Named(const std::string &prefix) const
    {
        std::lock_guard<std::mutex> hold(mutex);
        std::vector<std::string> out;
        std::copy_if(lines.begin(), lines.end(), std::back_inserter(out),
                     [&](const std::string &l) { return l.rfind(prefix, 0) == 0; });
        return out;
    }

    // Runs on the sending thread after the event is stored.
    std::function<void(const std::string &)> onEvent;
    std::vector<std::string> lines;
    mutable std::mutex mutex;
};

// The line of a "SDK_VALUE_SOLVED" event.
inline std::string Solved(bool ok, unsigned d, unsigned row, unsigned col)
{
    return std::string("VALUE_SOLVED") + (ok ? " ok 1" : " no 0") + " d" + std::to_string(d) + " " +
           std::to_string(row) + std::to_string(col) + " L0";
}
