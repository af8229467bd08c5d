#include "engine/SdkBlockRef.h"

#include <algorithm>
#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
namespace {
#if defined(__SSE2__)
// Positions 0..7 side by side: comparing them with their rotations by one to
// four positions compares every pair; position 8 is compared with all of them.
bool HasEqualSets(const uint16_t (&sets)[9], unsigned multiPositions)
{
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(sets));
    __m128i equal = _mm_cmpeq_epi16(v, _mm_or_si128(_mm_srli_si128(v, 2), _mm_slli_si128(v, 14)));
    equal = _mm_or_si128(
        equal, _mm_cmpeq_epi16(v, _mm_or_si128(_mm_srli_si128(v, 4), _mm_slli_si128(v, 12))));
    equal = _mm_or_si128(
        equal, _mm_cmpeq_epi16(v, _mm_or_si128(_mm_srli_si128(v, 6), _mm_slli_si128(v, 10))));
    equal = _mm_or_si128(equal, _mm_cmpeq_epi16(v, _mm_shuffle_epi32(v, 0x4E)));
    if (multiPositions & 0x100)
        equal =
            _mm_or_si128(equal, _mm_cmpeq_epi16(v, _mm_set1_epi16(static_cast<short>(sets[8]))));
    // Two bytes of mask per position; only fields of two or more candidates count.
    const auto lanes = static_cast<unsigned>(_mm_movemask_epi8(equal));
    unsigned multiBytes = 0;
    for (unsigned pos = 0; pos < 8; ++pos)
        multiBytes |= (multiPositions >> pos & 1u) * (3u << (2 * pos));
    return (lanes & multiBytes) != 0;
}
#else
// One bit per possible set (digits 1..9, so 512 of them) tells whether it came before.
bool HasEqualSets(const uint16_t (&sets)[9], unsigned multiPositions)
{
    uint64_t before[8] = {};
    uint64_t equal = 0;
    for (unsigned rest = multiPositions; rest != 0; rest &= rest - 1) {
        const unsigned set = sets[std::countr_zero(rest)] >> 1;
        const uint64_t bit = uint64_t(1) << (set % 64);
        equal |= before[set / 64] & bit;
        before[set / 64] |= bit;
    }
    return equal != 0;
}
#endif
} // namespace

bool SdkBlockRef::CalcDoubles()
{
    if (!m_fields[0]) {
        m_doubles.Empty();
        return false;
    }
    bool same = m_doublesKeyValid;
    for (unsigned pos = 0; pos < 9; ++pos) {
        const SdkField &f = *m_fields[pos];
        const uint16_t set = f.GetValue() == SdkDigitEmpty ? f.GetResultSet().GetMask() : 0;
        same = same && set == m_doublesKey[pos];
        m_doublesKey[pos] = set;
    }
    if (!same) {
        m_doublesKeyValid = true;
        MakeDoublesFromKey();
    }
    return false;
}

void SdkBlockRef::MakeDoublesFromKey()
{
    const uint16_t(&sets)[9] = m_doublesKey;
    m_doubles.Empty();
    // A group holds only fields of two or more candidates: a set with more
    // digits than there are such fields can neither fill nor overfill one.
    unsigned multiPositions = 0;
    for (unsigned pos = 0; pos < 9; ++pos)
        multiPositions |= ((sets[pos] & (sets[pos] - 1)) != 0 ? 1u : 0u) << pos;
    // Groups need two equal sets, and mostly there are none.
    if (!HasEqualSets(sets, multiPositions))
        return;
    const int multi = SdkResultSet::CountBits(static_cast<uint16_t>(multiPositions));
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
        if (SdkResultSet::CountBits(group) != digits)
            continue;
        SdkResultSet set;
        set.SetMask(sets[pos]);
        for (unsigned other = pos; other < 9; ++other)
            if (group & (1u << other))
                m_doubles.Add(set, other);
        added = true;
    }
    if (added)
        m_doubles.Clean();
}
