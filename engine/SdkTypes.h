#pragma once
// The vocabulary of the engine: digits, candidate sets and the cell.
//
// Grid numbering, shared by every interface of the engine:
//   rows and columns 0..8 (row 0 at the top, column 0 at the left), fields stored row by row;
//   quads (3x3 boxes) 0..8 left to right, top to bottom: quad = row/3*3 + col/3;
//   position in a block 0..8: the column in a row, the row in a column,
//   (row%3)*3 + col%3 in a quad. Digits are 1..9, 0 means empty.
#include "base/TString.h"

#include <array>
#include <bit>
#include <cstdint>

enum SdkDigit : uint32_t {
    SdkDigitEmpty = 0,
    SdkDigit1 = 1,
    SdkDigit2,
    SdkDigit3,
    SdkDigit4,
    SdkDigit5,
    SdkDigit6,
    SdkDigit7,
    SdkDigit8,
    SdkDigit9
};

enum SdkBlockType : uint32_t { SdkBlockRow = 1, SdkBlockColumn = 2, SdkBlockQuad = 3 };

// The order in which the engine visits the block types.
inline constexpr SdkBlockType SdkBlockTypes[3] = {SdkBlockRow, SdkBlockColumn, SdkBlockQuad};

// Bit counts of all 10-bit masks.
inline constexpr std::array<uint8_t, 1024> SdkBitCounts = [] {
    std::array<uint8_t, 1024> counts{};
    for (int i = 1; i < 1024; ++i)
        counts[i] = static_cast<uint8_t>(counts[i >> 1] + (i & 1));
    return counts;
}();

// A set of the digits 1..9, read in ascending order.
//
// Stored as a bit mask (bit d = digit d) rather than a digit array: the set is
// copied with every field and every game copy, and the candidate calculation
// works on whole sets at once. The class is trivially copyable on purpose, so
// it has no virtual destructor; nothing derives from it.
class SdkResultSet
{
public:
    SdkResultSet() = default;

    void Empty() { m_mask = 0; }
    int Count() const { return CountBits(m_mask); }
    bool IsEmpty() const { return m_mask == 0; }
    // The digit at index in ascending order; 0 outside 0..Count()-1.
    SdkDigit GetValue(int index) const;
    // index receives the digit's position in ascending order, or -1. False for 0 and digits > 9.
    bool HasValue(SdkDigit d, int *index = nullptr) const;
    // False (no change) for 0, digits > 9, or a digit already present.
    bool AddValue(SdkDigit d);
    // False for 0, digits > 9, or a digit not present.
    bool RemoveValue(SdkDigit d);

    bool operator==(const SdkResultSet &other) const { return m_mask == other.m_mask; }
    bool operator!=(const SdkResultSet &other) const { return m_mask != other.m_mask; }

    // "{ 2, 7, 9 }"; the empty set is "{  }".
    TString ToString() const;

    // Text forms of game files. "0/2:1,4,9" with a position, "1,4,9" without; empty set: "".
    TString WriteStream(bool withPosition, unsigned row, unsigned col) const;
    // Adds the digits of one such text (the set is not emptied first); false for a
    // malformed text, with hasPosition, row and col reset.
    bool ReadStream(const TString &text, bool &hasPosition, unsigned &row, unsigned &col);
    // "1,4,9", as shown in the candidate edit field.
    TString ToRsString() const;
    // Empties the set, then takes every '1'-'9' of text; everything else is ignored.
    void FromRsString(const TString &text);

    // Whole-set access for the calculation: bit d stands for digit d (bits 1..9).
    uint16_t GetMask() const { return m_mask; }
    void SetMask(uint16_t mask) { m_mask = mask & AllDigits; }
    // The single digit of a set with exactly one digit, else 0.
    SdkDigit GetSingle() const
    {
        return m_mask != 0 && (m_mask & (m_mask - 1)) == 0
                   ? static_cast<SdkDigit>(std::countr_zero(m_mask))
                   : SdkDigitEmpty;
    }

    static constexpr uint16_t AllDigits = 0x3FE;
    static constexpr uint16_t Bit(SdkDigit d) { return static_cast<uint16_t>(1u << d); }
    static constexpr bool IsDigit(SdkDigit d) { return d >= 1 && d <= 9; }

    // Number of set bits of a set mask. A table rather than std::popcount: without
    // a popcnt instruction the latter is a library call, and the calculation
    // counts sets all the time.
    static int CountBits(uint16_t mask) { return SdkBitCounts[mask & 0x3FF]; }

private:
    uint16_t m_mask = 0;
};

class Sudoku;

// One cell of the grid. A plain value: no virtual operations, copied with the game.
class SdkField
{
public:
    SdkField() = default;

    SdkDigit GetValue() const { return m_value; }
    operator SdkDigit() const { return m_value; }
    bool IsFix() const { return m_fix; }
    bool IsLastChanged() const { return (m_flags & FlagLastChanged) != 0; }
    bool IsDoubleResult() const { return (m_flags & FlagDoubleResult) != 0; }
    // The computed candidates; empty whenever the field holds a value.
    const SdkResultSet &GetResultSet() const { return m_resultSet; }
    // The user's own candidate marks; never touched by the calculation.
    const SdkResultSet &GetCustomInc() const { return m_customInc; }
    void SetCustomInc(const SdkResultSet &set) { m_customInc = set; }
    // Candidates the user excluded; stored and filed only.
    const SdkResultSet &GetCustomExc() const { return m_customExc; }
    void SetCustomExc(const SdkResultSet &set) { m_customExc = set; }

    // Not fixed, no value, all three sets and the flags cleared.
    void Empty();
    // False for a fixed field; otherwise the value (unchecked) and an emptied result set.
    bool SetValue(SdkDigit d);
    // The field's token in a game text: "*5" given, "5" played, "-" empty
    // (played values too when definitionOnly); formatted adds a blank before non-given tokens.
    TString WriteStream(bool definitionOnly, bool formatted) const;

    // Ordering function of digit arrays: a - b.
    static int CompareSdkDigit(const SdkDigit &a, const SdkDigit &b)
    {
        return static_cast<int>(a) - static_cast<int>(b);
    }

private:
    friend class Sudoku;
    friend class SudokuTestPeer;

    static constexpr uint16_t FlagLastChanged = 0x1;
    static constexpr uint16_t FlagDoubleResult = 0x2;

    // A given digit: fixed when d is not 0.
    void Fix(SdkDigit d);
    // No longer given; the value is emptied or kept as a played one.
    void Unfix(bool emptyValue);
    void SetLastChanged(bool on)
    {
        m_flags = on ? (m_flags | FlagLastChanged) : (m_flags & ~FlagLastChanged);
    }
    void SetDoubleResult(bool on)
    {
        m_flags = on ? (m_flags | FlagDoubleResult) : (m_flags & ~FlagDoubleResult);
    }
    SdkResultSet &ResultSet() { return m_resultSet; }

    bool m_fix = false;
    SdkDigit m_value = SdkDigitEmpty;
    SdkResultSet m_resultSet;
    SdkResultSet m_customInc;
    SdkResultSet m_customExc;
    uint16_t m_flags = 0;
};
