#pragma once
// A row, column or quad of a game: nine references into the game's own fields
// and the block's doubles.
#include "engine/SdkDouble.h"
#include "engine/SdkTypes.h"

#include <algorithm>
#include <cstdint>

class Sudoku;

// Scans of a block's nine candidate sets (0 for a filled field) for its double list, with
// SSE2 where the machine has it. The plain versions serve other machines.
namespace SdkSetScan {
// The positions of the sets of two or more digits.
unsigned MultiPositions(const uint16_t (&sets)[9]);
// The positions holding exactly set.
unsigned PositionsOf(const uint16_t (&sets)[9], uint16_t set);
// Whether two of the sets at multiPositions are equal.
bool HasEqualSets(const uint16_t (&sets)[9], unsigned multiPositions);
namespace Plain {
unsigned MultiPositions(const uint16_t (&sets)[9]);
unsigned PositionsOf(const uint16_t (&sets)[9], uint16_t set);
bool HasEqualSets(const uint16_t (&sets)[9], unsigned multiPositions);
} // namespace Plain
} // namespace SdkSetScan

// Only a Sudoku creates and initialises blocks, for its own fields. Blocks are
// not copyable: a copy would keep references into another game's grid, and a
// copied game sets up its own blocks instead.
class SdkBlockRef
{
public:
    SdkBlockRef(const SdkBlockRef &) = delete;
    SdkBlockRef &operator=(const SdkBlockRef &) = delete;

    // The field at pos; for pos >= 9 an emptied placeholder, never a grid field.
    SdkField &operator[](unsigned pos) { return GetField(pos); }
    const SdkField &operator[](unsigned pos) const { return GetField(pos); }
    SdkField &GetField(unsigned pos);
    const SdkField &GetField(unsigned pos) const;

    // pos receives the position of the first field holding d, or 0.
    bool HasDigit(SdkDigit d, unsigned *pos = nullptr) const;
    // The position of the first field holding d, or -1.
    int GetIndex(SdkDigit d) const;
    // False when a digit occurs twice; pos receives the later position of the
    // first repeat found scanning upward, or 0 when the block is valid.
    bool Verify(unsigned *pos = nullptr) const;

    // Rebuilds the double list from the empty fields' computed sets. Always false.
    bool CalcDoubles();
    void EmptyDoubleList()
    {
        m_doubles.Empty();
        m_doublesKeyValid = false;
    }
    const SdkDoubleList &GetDoubleList() const { return m_doubles; }

    SdkBlockType GetType() const { return m_type; }
    unsigned GetBlockIndex() const { return m_index; }

private:
    friend class Sudoku;

    SdkBlockRef() = default;
    // Makes the list anew from the sets of the empty fields by position (0 for
    // the others), which become the key.
    void MakeDoublesFrom(const uint16_t (&sets)[9]);
    // Takes over another game's block's double list with the sets it was made
    // from; CalcDoubles keeps it only when this block's sets are the same.
    void TakeDoublesOf(const SdkBlockRef &other)
    {
        m_doubles = other.m_doubles;
        std::copy(other.m_doublesKey, other.m_doublesKey + 9, m_doublesKey);
        m_doublesKeyValid = other.m_doublesKeyValid;
    }
    // Points the block at its nine fields of game; false (all references null)
    // for an index >= 9 or an unknown type.
    bool Init(Sudoku &game, SdkBlockType type, unsigned index);

    SdkField *GetFieldPtr(unsigned pos) { return pos < 9 ? m_fields[pos] : nullptr; }
    const SdkField *GetFieldPtr(unsigned pos) const { return pos < 9 ? m_fields[pos] : nullptr; }
    // The conflict search of the rules: the first other field holding d, or,
    // when deep, the first other empty field whose only candidate is d.
    const SdkField *GetFieldPtr(SdkDigit d, const SdkField *exclude, bool deep) const;

    mutable SdkField m_placeholder;
    // The game the fields belong to: a field read through the block carries the
    // conflict marks as they are when it is read.
    const Sudoku *m_game = nullptr;
    SdkField *m_fields[9] = {};
    SdkDoubleList m_doubles;
    SdkBlockType m_type = SdkBlockRow;
    unsigned m_index = 0;
    // The candidate sets of the empty fields (0 for the others) from which the
    // double list was last made: the same sets make the same list again.
    uint16_t m_doublesKey[9] = {};
    bool m_doublesKeyValid = false;
};
