#pragma once
// The move history: single moves, the user's stack with a cursor, and the
// recorded solution.
#include "base/TArray.h"
#include "base/TMutex.h"
#include "base/TString.h"
#include "engine/SdkTypes.h"

#include <cstdint>

// One move: the digit put into a field (0 = emptied) and the digit it replaced.
class SdkSolvedField
{
public:
    static constexpr uint32_t Invalid = 0xFFFFFFFF;

    SdkSolvedField() = default;
    // A row or column of 9 or more is stored as Invalid.
    SdkSolvedField(SdkDigit value, SdkDigit prev, unsigned row, unsigned col);
    // Takes the value from field.
    SdkSolvedField(const SdkField &field, SdkDigit prev, unsigned row, unsigned col);

    void Empty() { *this = SdkSolvedField(); }
    bool IsValid() const { return m_row < 9 && m_col < 9; }
    bool operator==(const SdkSolvedField &other) const = default;

    SdkDigit GetValue() const { return m_value; }
    SdkDigit GetPrevValue() const { return m_prevValue; }
    unsigned GetRow() const { return m_row; }
    unsigned GetColumn() const { return m_col; }

private:
    SdkDigit m_value = SdkDigitEmpty;
    SdkDigit m_prevValue = SdkDigitEmpty;
    uint32_t m_row = Invalid;
    uint32_t m_col = Invalid;
};

// The user's moves with a cursor: entries 0..cursor-1 are done (undoable),
// entries cursor..count-1 undone (redoable). Every operation holds the stack's
// own re-entrant mutex; the engine takes its lock first, then this one.
class SdkUserStack
{
public:
    SdkUserStack();
    SdkUserStack(const SdkUserStack &other);
    SdkUserStack &operator=(const SdkUserStack &other);
    virtual ~SdkUserStack() = default;

    // False for an invalid entry. When e equals the next redo entry only the
    // cursor moves on; otherwise the redo part is dropped and e appended.
    bool Push(const SdkSolvedField &e);
    bool StepBack(SdkSolvedField &out);
    bool StepForward(SdkSolvedField &out);
    bool CanUndo() const;
    bool CanRedo() const;
    // The last done entry; the cursor stays.
    bool GetTop(SdkSolvedField &out) const;
    unsigned GetPtr() const;
    unsigned Count() const;
    // A copy of the entry, or an invalid one outside 0..Count()-1.
    SdkSolvedField GetAt(int index) const;
    // Cursor to 0; the entries go too unless keepEntries.
    void Empty(bool keepEntries = false);

    // The text form in game files: four digits per entry (value, previous value,
    // row, column), "|", the cursor. An empty history is "|0".
    TString WriteStream() const;
    // Replaces the entries by those of text; false for a malformed text (the
    // entries read so far stay).
    bool ReadStream(const TString &text);

    void Lock() const { m_mutex.Lock(); }
    void Release() const { m_mutex.Release(); }

private:
    friend class SdkSolvedStack;

    TArray<SdkSolvedField> m_entries;
    TMutex m_mutex;
    uint32_t m_cursor = 0;
};

// The recorded solution: all entries of a user stack, whatever its cursor.
class SdkSolvedStack
{
public:
    explicit SdkSolvedStack(const SdkUserStack &from);
    SdkSolvedStack(const SdkSolvedStack &other);
    SdkSolvedStack &operator=(const SdkSolvedStack &) = delete;
    virtual ~SdkSolvedStack() = default;

    unsigned Count() const;
    // A copy of the entry, or an invalid one outside 0..Count()-1.
    SdkSolvedField GetAt(int index) const;

    void Lock() const { m_mutex.Lock(); }
    void Release() const { m_mutex.Release(); }

private:
    TStack<SdkSolvedField> m_entries;
    TMutex m_mutex;
};
