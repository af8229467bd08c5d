#pragma once
// Doubles: k empty fields of one block whose computed candidates are the same k
// digits. Those digits can stand nowhere else in the block.
#include "engine/SdkTypes.h"

#include <cstdint>

// A candidate set and the ascending positions (0..8) of the fields sharing it.
// Positions are a bit mask like the set: fixed size, cheap to copy.
class SdkDouble
{
public:
    SdkDouble() = default;

    void Empty();
    const SdkResultSet &GetResultSet() const { return m_resultSet; }
    void SetResultSet(const SdkResultSet &set) { m_resultSet = set; }
    // False when pos is already present or not 0..8.
    bool AddIndex(unsigned pos)
    {
        if (pos >= 9 || (m_positions & (1u << pos)) != 0)
            return false;
        m_positions |= static_cast<uint16_t>(1u << pos);
        return true;
    }
    int IndexCount() const { return SdkResultSet::CountBits(m_positions); }
    // The i-th position in ascending order, or -1 for i outside 0..IndexCount()-1.
    int GetIndex(int i) const;
    // i receives the position's index in ascending order, or -1.
    bool HasIndex(unsigned pos, int *i = nullptr) const;

    // Order of doubles: smaller sets first, then by the first differing digit; 0 for equal sets.
    static int Compare(const SdkDouble &a, const SdkDouble &b);
    // Ordering function of position arrays: a - b.
    static int CompareIndex(const unsigned &a, const unsigned &b)
    {
        return static_cast<int>(a) - static_cast<int>(b);
    }

private:
    SdkResultSet m_resultSet;
    uint16_t m_positions = 0;
};

// The doubles of one block in the order of SdkDouble::Compare. A block has nine
// fields, so at most nine distinct sets are ever collected before cleaning and
// at most four doubles remain after it: a fixed array suffices.
class SdkDoubleList
{
public:
    SdkDoubleList() = default;

    int Count() const { return m_count; }
    void Empty() { m_count = 0; }
    // The i-th double, or null for i out of range.
    const SdkDouble *GetDouble(int i) const
    {
        return i >= 0 && i < m_count ? &m_doubles[i] : nullptr;
    }
    // The double with exactly that set, or null.
    const SdkDouble *FindDouble(const SdkResultSet &set) const;
    // Adds pos to the double of set, creating it at its ordered place. Sets of
    // fewer than two digits are ignored (false); false also for a known position.
    bool Add(const SdkResultSet &set, unsigned pos);
    // Adds a whole double, positions as a bit mask, at its ordered place; false
    // for a set of fewer than two digits, a known set or a full list.
    bool AddGroup(const SdkResultSet &set, uint16_t positions);
    // Drops doubles with fewer than two positions, then those whose position
    // count differs from their digit count.
    void Clean();

    static constexpr int Capacity = 9;

private:
    SdkDouble *Find(const SdkResultSet &set);
    // Puts a new double at its ordered place; the caller checked the capacity.
    void InsertSorted(const SdkDouble &added);
    void RemoveAt(int i);

    SdkDouble m_doubles[Capacity];
    int m_count = 0;
};
