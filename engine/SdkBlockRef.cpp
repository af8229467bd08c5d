#include "engine/SdkBlockRef.h"

#include <algorithm>
#include <bit>

#include "engine/Sudoku.h"

bool SdkBlockRef::Init(Sudoku &game, SdkBlockType type, unsigned index)
{
    m_placeholder.Empty();
    EmptyDoubleList();
    for (SdkField *&f : m_fields)
        f = nullptr;
    m_type = type;
    m_index = index;
    if (index >= 9)
        return false;
    for (unsigned pos = 0; pos < 9; ++pos) {
        unsigned row = 0;
        unsigned col = 0;
        switch (type) {
        case SdkBlockRow:
            row = index;
            col = pos;
            break;
        case SdkBlockColumn:
            row = pos;
            col = index;
            break;
        case SdkBlockQuad:
            row = index / 3 * 3 + pos / 3;
            col = index % 3 * 3 + pos % 3;
            break;
        default:
            for (SdkField *&f : m_fields)
                f = nullptr;
            return false;
        }
        m_fields[pos] = &game.FieldAt(row, col);
    }
    return true;
}

SdkField &SdkBlockRef::GetField(unsigned pos)
{
    if (pos < 9 && m_fields[pos])
        return *m_fields[pos];
    m_placeholder.Empty();
    return m_placeholder;
}

const SdkField &SdkBlockRef::GetField(unsigned pos) const
{
    if (pos < 9 && m_fields[pos])
        return *m_fields[pos];
    m_placeholder.Empty();
    return m_placeholder;
}

bool SdkBlockRef::HasDigit(SdkDigit d, unsigned *pos) const
{
    const int at = GetIndex(d);
    if (pos)
        *pos = at < 0 ? 0 : static_cast<unsigned>(at);
    return at >= 0;
}

int SdkBlockRef::GetIndex(SdkDigit d) const
{
    for (unsigned pos = 0; pos < 9; ++pos)
        if (m_fields[pos] && m_fields[pos]->GetValue() == d)
            return static_cast<int>(pos);
    return -1;
}

bool SdkBlockRef::Verify(unsigned *pos) const
{
    if (pos)
        *pos = 0;
    uint32_t seen = 0;
    for (unsigned p = 0; p < 9; ++p) {
        if (!m_fields[p])
            continue;
        const SdkDigit v = m_fields[p]->GetValue();
        if (v == SdkDigitEmpty || v > 31)
            continue;
        if (seen & (1u << v)) {
            if (pos)
                *pos = p;
            return false;
        }
        seen |= 1u << v;
    }
    return true;
}

const SdkField *SdkBlockRef::GetFieldPtr(SdkDigit d, const SdkField *exclude, bool deep) const
{
    // A value d conflicts unless the first one found is the field itself; then
    // the value scan ends (the grid holds a digit once per block when valid).
    for (const SdkField *f : m_fields) {
        if (f && f->GetValue() == d) {
            if (f != exclude)
                return f;
            break;
        }
    }
    if (!deep)
        return nullptr;
    for (const SdkField *f : m_fields)
        if (f && f != exclude && f->GetValue() == SdkDigitEmpty &&
            f->GetResultSet().GetSingle() == d)
            return f;
    return nullptr;
}

// Only groups of k fields sharing the same k candidates survive the cleaning,
// so only their fields are added: the same list, without sorting and then
// dropping the sets of every other empty field. The calculation asks for the
// lists again and again while most blocks stay as they were; an unchanged
// block keeps its list.
bool SdkBlockRef::CalcDoubles()
{
    if (!m_fields[0]) {
        m_doubles.Empty();
        return false;
    }
    uint16_t sets[9];
    for (unsigned pos = 0; pos < 9; ++pos) {
        const SdkField &f = *m_fields[pos];
        sets[pos] = f.GetValue() == SdkDigitEmpty ? f.GetResultSet().GetMask() : 0;
    }
    CalcDoublesFrom(sets);
    return false;
}

bool SdkBlockRef::CalcDoublesFrom(const uint16_t (&sets)[9])
{
    // Element by element: the sets were just stored, and a wide comparison
    // would wait for those stores.
    bool same = m_doublesKeyValid;
    for (unsigned pos = 0; same && pos < 9; ++pos)
        same = sets[pos] == m_doublesKey[pos];
    if (same)
        return false;
    m_doubles.Empty();
    std::copy(sets, sets + 9, m_doublesKey);
    m_doublesKeyValid = true;
    m_doublesOverfull = false;
    m_singles = 0;
    m_singlesTwice = false;
    m_zeroSets = 0;
    // A group holds only fields of two or more candidates: a set with more
    // digits than there are such fields can neither fill nor overfill one.
    int multi = 0;
    unsigned multiPositions = 0;
    for (unsigned pos = 0; pos < 9; ++pos) {
        const uint16_t set = sets[pos];
        const int digits = SdkResultSet::CountBits(set);
        m_zeroSets += set == 0 ? 1 : 0;
        multi += digits >= 2 ? 1 : 0;
        multiPositions |= (digits >= 2 ? 1u : 0u) << pos;
        if (digits == 1) {
            m_singlesTwice = m_singlesTwice || (m_singles & set) != 0;
            m_singles |= set;
        }
    }
    // Groups need two equal sets: mostly there are none, and a few comparisons
    // among the fields of two or more candidates tell.
    bool equal = false;
    for (unsigned rest = multiPositions; rest != 0 && !equal; rest &= rest - 1) {
        const uint16_t set = sets[std::countr_zero(rest)];
        for (unsigned others = rest & (rest - 1); others != 0; others &= others - 1)
            equal = equal || sets[std::countr_zero(others)] == set;
    }
    if (!equal)
        return true;
    // Only those fields are walked, as a bit mask in ascending order.
    uint16_t seen = 0;
    bool added = false;
    for (unsigned rest = multiPositions; rest != 0; rest &= rest - 1) {
        const auto pos = static_cast<unsigned>(std::countr_zero(rest));
        const int digits = SdkResultSet::CountBits(sets[pos]);
        if (digits > multi || (seen & (1u << pos)) != 0)
            continue;
        uint16_t group = 0;
        for (unsigned others = rest; others != 0; others &= others - 1) {
            const auto other = static_cast<unsigned>(std::countr_zero(others));
            if (sets[other] == sets[pos])
                group |= static_cast<uint16_t>(1u << other);
        }
        seen |= group;
        if (SdkResultSet::CountBits(group) > digits)
            m_doublesOverfull = true;
        if (SdkResultSet::CountBits(group) != digits)
            continue;
        for (unsigned other = pos; other < 9; ++other)
            if (group & (1u << other))
                m_doubles.Add(m_fields[other]->GetResultSet(), other);
        added = true;
    }
    if (added)
        m_doubles.Clean();
    return true;
}
