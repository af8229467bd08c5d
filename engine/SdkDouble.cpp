#include "engine/SdkDouble.h"

#include <bit>

void SdkDouble::Empty()
{
    m_resultSet.Empty();
    m_positions = 0;
}

int SdkDouble::GetIndex(int i) const
{
    if (i < 0)
        return -1;
    uint16_t rest = m_positions;
    for (; rest != 0; rest &= static_cast<uint16_t>(rest - 1), --i)
        if (i == 0)
            return std::countr_zero(rest);
    return -1;
}

bool SdkDouble::HasIndex(unsigned pos, int *i) const
{
    const bool present = pos < 9 && (m_positions & (1u << pos)) != 0;
    if (i)
        *i = present ? SdkResultSet::CountBits(m_positions & ((1u << pos) - 1)) : -1;
    return present;
}

// Equal sizes: below the lowest digit in which the sets differ they agree, so
// the first differing position holds that digit in one set and the next
// higher digit of the other set in the other.
int SdkDouble::Compare(const SdkDouble &a, const SdkDouble &b)
{
    const unsigned ma = a.m_resultSet.GetMask();
    const unsigned mb = b.m_resultSet.GetMask();
    if (ma == mb)
        return 0;
    const int sizeA = SdkResultSet::CountBits(ma);
    const int sizeB = SdkResultSet::CountBits(mb);
    if (sizeA != sizeB)
        return sizeA - sizeB;
    const int low = std::countr_zero(ma ^ mb);
    const unsigned above = ~((2u << low) - 1);
    if (ma & (1u << low))
        return low - std::countr_zero(mb & above);
    return std::countr_zero(ma & above) - low;
}

const SdkDouble *SdkDoubleList::FindDouble(const SdkResultSet &set) const
{
    for (int i = 0; i < m_count; ++i)
        if (m_doubles[i].GetResultSet() == set)
            return &m_doubles[i];
    return nullptr;
}

SdkDouble *SdkDoubleList::Find(const SdkResultSet &set)
{
    return const_cast<SdkDouble *>(static_cast<const SdkDoubleList *>(this)->FindDouble(set));
}

bool SdkDoubleList::Add(const SdkResultSet &set, unsigned pos)
{
    if (set.Count() < 2)
        return false;
    if (SdkDouble *known = Find(set))
        return known->AddIndex(pos);
    // A block has nine fields, so nine distinct sets at most; the guard only
    // protects against callers adding more than a block can hold.
    if (m_count >= Capacity)
        return false;
    SdkDouble added;
    added.SetResultSet(set);
    if (!added.AddIndex(pos))
        return false;
    InsertSorted(added);
    return true;
}

bool SdkDoubleList::AddGroup(const SdkResultSet &set, uint16_t positions)
{
    if (set.Count() < 2 || m_count >= Capacity || Find(set))
        return false;
    SdkDouble added;
    added.SetResultSet(set);
    for (unsigned rest = positions & 0x1FFu; rest != 0; rest &= rest - 1)
        added.AddIndex(static_cast<unsigned>(std::countr_zero(rest)));
    InsertSorted(added);
    return true;
}

void SdkDoubleList::InsertSorted(const SdkDouble &added)
{
    int at = m_count;
    while (at > 0 && SdkDouble::Compare(m_doubles[at - 1], added) > 0) {
        m_doubles[at] = m_doubles[at - 1];
        --at;
    }
    m_doubles[at] = added;
    ++m_count;
}

void SdkDoubleList::RemoveAt(int i)
{
    for (int j = i + 1; j < m_count; ++j)
        m_doubles[j - 1] = m_doubles[j];
    --m_count;
}

void SdkDoubleList::Clean()
{
    for (int i = m_count - 1; i >= 0; --i)
        if (m_doubles[i].IndexCount() < 2)
            RemoveAt(i);
    for (int i = m_count - 1; i >= 0; --i)
        if (m_doubles[i].IndexCount() != m_doubles[i].GetResultSet().Count())
            RemoveAt(i);
}
