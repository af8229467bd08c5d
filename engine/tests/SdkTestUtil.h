#pragma once
// Helpers shared by the engine tests: grids from text, direct field access for
// setting up states the rules would refuse, and a recorder of engine events.
#include "engine/Sudoku.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
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

// A riddle with a unique solution, and that solution.
inline constexpr const char *kRiddle =
    "530070000600195000098000060800060003400803001700020006060000280000419005000080079";
inline constexpr const char *kSolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

// Reaches the private steps of a game, as the solver and the file reader do.
class SudokuTestPeer
{
public:
    static SdkField &Field(Sudoku &g, unsigned row, unsigned col) { return g.FieldAt(row, col); }
    // Writes a value without any rule, to build grids the rules would refuse.
    static void Put(Sudoku &g, unsigned row, unsigned col, unsigned d, bool fix = false)
    {
        SdkField &f = g.FieldAt(row, col);
        f.Unfix(true);
        f.SetValue(SdkDigit(d));
        if (fix)
            f.Fix(SdkDigit(d));
    }
    static void Unfix(Sudoku &g, unsigned row, unsigned col, bool emptyValue)
    {
        g.FieldAt(row, col).Unfix(emptyValue);
    }
    static void SetResultSet(Sudoku &g, unsigned row, unsigned col, const SdkResultSet &set)
    {
        g.FieldAt(row, col).ResultSet() = set;
    }
    static void SetLastChanged(Sudoku &g, unsigned row, unsigned col, bool on)
    {
        g.FieldAt(row, col).SetLastChanged(on);
    }
    static void SetDoubleResult(Sudoku &g, unsigned row, unsigned col, bool on)
    {
        g.FieldAt(row, col).SetDoubleResult(on);
    }
    static bool SetValueRaw(Sudoku &g, SdkDigit d, unsigned row, unsigned col, bool record,
                            bool notify)
    {
        return g._SetValue(d, row, col, record, notify);
    }
    static bool FixRaw(Sudoku &g, SdkDigit d, unsigned row, unsigned col, bool record)
    {
        return g._Fix(d, row, col, record);
    }
    static bool UnfixRaw(Sudoku &g, unsigned row, unsigned col, bool record)
    {
        return g._Unfix(row, col, record);
    }
    static bool CalcResultSets(Sudoku &g, bool full, bool deep)
    {
        return g.CalcResultSets(full, deep);
    }
    static bool RecalcResultSets(Sudoku &g) { return g.RecalcResultSets(); }
    static unsigned CleanBlockResultSets(Sudoku &g, SdkBlockType type)
    {
        return g.CleanBlockResultSets(type);
    }
    static bool CleanAllBlockResultSets(Sudoku &g) { return g.CleanAllBlockResultSets(); }
    static void EmptyAllDoubleLists(Sudoku &g) { g.EmptyAllDoubleLists(); }
    static bool CalcDoubles(Sudoku &g, SdkBlockType type, unsigned index)
    {
        return g.GetBlocks(type)[index].CalcDoubles();
    }
    static void _Reset(Sudoku &g) { g._Reset(); }
    static void CreateSolvedStack(Sudoku &g, const SdkUserStack &s) { g._CreateSolvedStack(s); }
    static void DestroySolvedStack(Sudoku &g) { g._DestroySolvedStack(); }
    static const SdkUserStack &UserStack(const Sudoku &g) { return g.m_userStack; }
    static TThreadOrg &ThreadOrg(Sudoku &g) { return g.m_threadOrg; }
    static uint16_t RunMode(const Sudoku &g) { return g.m_runMode; }
    static void SetRunMode(Sudoku &g, uint16_t mode) { g.m_runMode = mode; }
    static const TString &FileName(const Sudoku &g) { return g.m_fileName; }
    static void SetFileName(Sudoku &g, const TString &name) { g.m_fileName = name; }
    static int BtSteps(const Sudoku &g) { return g.m_btStepsOnCreation; }
    static void SetBtSteps(Sudoku &g, int steps) { g.m_btStepsOnCreation = steps; }
    static const TMvcEventTable &EventTable() { return Sudoku::m_stcoEvTab; }
};

// Fills the grid from 81 characters, '0' or '.' for empty: given digits by
// default, played values (recorded) when asPlayed is true.
inline void LoadGrid(Sudoku &g, const std::string &text, bool asPlayed = false)
{
    ASSERT_EQ(text.size(), 81u);
    for (unsigned i = 0; i < 81; ++i) {
        const char ch = text[i];
        if (ch < '1' || ch > '9' || g.GetField(i / 9, i % 9).IsFix())
            continue;
        if (asPlayed)
            ASSERT_TRUE(g.SetValue(D(static_cast<unsigned>(ch - '0')), i / 9, i % 9)) << i;
        else
            ASSERT_TRUE(g.Fix(D(static_cast<unsigned>(ch - '0')), i / 9, i % 9)) << i;
    }
}

// A riddle ready to play: given digits, candidates computed, clean flags.
inline void StartRiddle(Sudoku &g, const std::string &riddle = kRiddle)
{
    LoadGrid(g, riddle);
    ASSERT_TRUE(g.StartGame(false, false, true));
}

inline std::string Values(const Sudoku &g)
{
    std::string text;
    for (unsigned r = 0; r < 9; ++r)
        for (unsigned c = 0; c < 9; ++c)
            text += static_cast<char>('0' + g.GetField(r, c).GetValue());
    return text;
}

// Records every engine event of a game, in the order of delivery.
class EventRecorder
{
public:
    struct Event
    {
        std::string name;
        const Sudoku *game;
        bool success;
        unsigned changes;
        unsigned digit;
        unsigned row;
        unsigned col;
        int level;
        // The field as the listener saw it during the call.
        unsigned valueSeen;
    };

    explicit EventRecorder(Sudoku &game) : m_game(game)
    {
        for (const char *name :
             {SDK_START_LOADING, SDK_END_LOADING, SDK_START_SOLVING, SDK_END_SOLVING,
              SDK_TEST_VALUE, SDK_VALUE_SOLVED, SDK_TRY_CREATED_GAME})
            EXPECT_TRUE(game.MVC().AddNotification(name, this, [this, name](TMvcParam &p) {
                return Record(name, static_cast<SdkParam &>(p));
            }));
    }
    ~EventRecorder()
    {
        for (const char *name :
             {SDK_START_LOADING, SDK_END_LOADING, SDK_START_SOLVING, SDK_END_SOLVING,
              SDK_TEST_VALUE, SDK_VALUE_SOLVED, SDK_TRY_CREATED_GAME})
            m_game.MVC().RemoveNotification(name, this);
    }
    EventRecorder(const EventRecorder &) = delete;
    EventRecorder &operator=(const EventRecorder &) = delete;

    const std::vector<Event> &Events() const { return m_events; }
    void Clear() { m_events.clear(); }

    // "SDK_VALUE_SOLVED ok 1 d5 r0 c2" per event, for exact comparisons.
    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        for (const Event &e : m_events)
            lines.push_back(e.name + (e.success ? " ok " : " fail ") + std::to_string(e.changes) +
                            " d" + std::to_string(e.digit) + " r" + std::to_string(e.row) + " c" +
                            std::to_string(e.col));
        return lines;
    }

private:
    bool Record(const char *name, SdkParam &p)
    {
        const SdkField f = p.GetSudoku().GetField(p.GetRow(), p.GetColumn());
        m_events.push_back({name, &p.GetSudoku(), p.GetSuccess(), p.GetChanges(), p.GetDigit(),
                            p.GetRow(), p.GetColumn(), p.GetLevel(), f.GetValue()});
        return true;
    }

    Sudoku &m_game;
    std::vector<Event> m_events;
};

inline std::string ValueSolved(bool ok, unsigned d, unsigned row, unsigned col)
{
    return std::string("SDK_VALUE_SOLVED") + (ok ? " ok " : " fail ") + (ok ? "1" : "0") + " d" +
           std::to_string(d) + " r" + std::to_string(row) + " c" + std::to_string(col);
}
