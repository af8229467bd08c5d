#pragma once
// The parameter record of every engine event and the event names.
#include "base/TMvc.h"
#include "engine/SdkTypes.h"

class Sudoku;

// Event names, in the order the game's event table registers them.
inline constexpr const char *SDK_START_LOADING = "SDK_START_LOADING";
inline constexpr const char *SDK_END_LOADING = "SDK_END_LOADING";
inline constexpr const char *SDK_START_SOLVING = "SDK_START_SOLVING";
inline constexpr const char *SDK_END_SOLVING = "SDK_END_SOLVING";
inline constexpr const char *SDK_TEST_VALUE = "SDK_TEST_VALUE";
inline constexpr const char *SDK_VALUE_SOLVED = "SDK_VALUE_SOLVED";
inline constexpr const char *SDK_TRY_CREATED_GAME = "SDK_TRY_CREATED_GAME";

// Lives on the sender's stack for one call: a listener copies what it keeps.
class SdkParam : public TMvcParam
{
    TDYN_DECLARE(SdkParam)

public:
    // Level 0.
    SdkParam(Sudoku &game, bool success, unsigned changes, SdkDigit digit, unsigned row,
             unsigned col);
    // Changes, digit, row and column 0.
    SdkParam(Sudoku &game, int level, bool success);
    SdkParam(const SdkParam &other) = default;
    SdkParam &operator=(const SdkParam &) = delete;

    Sudoku &GetSudoku() const { return m_game; }
    bool GetSuccess() const { return m_success; }
    unsigned GetChanges() const { return m_changes; }
    SdkDigit GetDigit() const { return m_digit; }
    unsigned GetRow() const { return m_row; }
    unsigned GetColumn() const { return m_col; }
    int GetLevel() const { return m_level; }

private:
    Sudoku &m_game;
    bool m_success;
    unsigned m_changes;
    SdkDigit m_digit;
    unsigned m_row;
    unsigned m_col;
    int m_level;
};
