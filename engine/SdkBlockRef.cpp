#include "engine/SdkBlockRef.h"

#include <algorithm>
#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/SdkGridTables.h"
#include "engine/Sudoku.h"

bool SdkBlockRef::Init(Sudoku &game, SdkBlockType type, unsigned index)
{
    m_placeholder.Empty();
    EmptyDoubleList();
    for (SdkField *&f : m_fields)
        f = nullptr;
    m_type = type;
    m_index = index;
    m_game = &game;
    if (index >= 9)
        return false;
    if (type < SdkBlockRow || type > SdkBlockQuad)
        return false;
    for (unsigned pos = 0; pos < 9; ++pos)
        m_fields[pos] = &game.m_fields[SdkGrid::BlockFieldIndex[type - SdkBlockRow][index][pos]];
    return true;
}

SdkField &SdkBlockRef::GetField(unsigned pos)
{
    if (m_game)
        m_game->SettleMarksLocked();
    if (pos < 9 && m_fields[pos])
        return *m_fields[pos];
    m_placeholder.Empty();
    return m_placeholder;
}

const SdkField &SdkBlockRef::GetField(unsigned pos) const
{
    if (m_game)
        m_game->SettleMarksLocked();
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
// The positions of the sets of two or more digits.
unsigned MultiPositions(const uint16_t (&sets)[9])
{
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(sets));
    const __m128i few =
        _mm_cmpeq_epi16(_mm_and_si128(v, _mm_sub_epi16(v, _mm_set1_epi16(1))), _mm_setzero_si128());
    const auto lanes =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(few, _mm_setzero_si128())));
    return (~lanes & 0xFFu) | ((sets[8] & (sets[8] - 1)) != 0 ? 0x100u : 0u);
}

unsigned PositionsOf(const uint16_t (&sets)[9], uint16_t set)
{
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(sets));
    const __m128i equal = _mm_cmpeq_epi16(v, _mm_set1_epi16(static_cast<short>(set)));
    const auto lanes =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(equal, _mm_setzero_si128())));
    return lanes | (sets[8] == set ? 0x100u : 0u);
}

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
using SdkSetScan::Plain::HasEqualSets;
using SdkSetScan::Plain::MultiPositions;
using SdkSetScan::Plain::PositionsOf;
#endif
} // namespace

unsigned SdkSetScan::MultiPositions(const uint16_t (&sets)[9])
{
    return ::MultiPositions(sets);
}
unsigned SdkSetScan::PositionsOf(const uint16_t (&sets)[9], uint16_t set)
{
    return ::PositionsOf(sets, set);
}
bool SdkSetScan::HasEqualSets(const uint16_t (&sets)[9], unsigned multiPositions)
{
    return ::HasEqualSets(sets, multiPositions);
}

namespace SdkSetScan::Plain {
unsigned MultiPositions(const uint16_t (&sets)[9])
{
    unsigned positions = 0;
    for (unsigned pos = 0; pos < 9; ++pos) {
        const unsigned set = sets[pos];
        positions |= ((set & (set - 1)) != 0 ? 1u : 0u) << pos;
    }
    return positions;
}

unsigned PositionsOf(const uint16_t (&sets)[9], uint16_t set)
{
    unsigned positions = 0;
    for (unsigned pos = 0; pos < 9; ++pos)
        positions |= (sets[pos] == set ? 1u : 0u) << pos;
    return positions;
}

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
} // namespace SdkSetScan::Plain

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
    if (!m_doublesKeyValid || !std::equal(sets, sets + 9, m_doublesKey))
        MakeDoublesFrom(sets);
    return false;
}

void SdkBlockRef::MakeDoublesFrom(const uint16_t (&sets)[9])
{
    std::copy(sets, sets + 9, m_doublesKey);
    m_doublesKeyValid = true;
    m_doubles.Empty();
    // A group holds only fields of two or more candidates.
    const unsigned multiPositions = MultiPositions(sets);
    // Groups need two equal sets, and mostly there are none.
    if (!HasEqualSets(sets, multiPositions))
        return;
    // Each group is found from its first field, as a bit mask of positions.
    unsigned seen = 0;
    for (unsigned rest = multiPositions & ~seen; rest != 0; rest &= ~seen) {
        const auto pos = static_cast<unsigned>(std::countr_zero(rest));
        const unsigned group = PositionsOf(sets, sets[pos]);
        seen |= group | 1u << pos;
        if (SdkResultSet::CountBits(static_cast<uint16_t>(group)) !=
            SdkResultSet::CountBits(sets[pos]))
            continue;
        SdkResultSet set;
        set.SetMask(sets[pos]);
        m_doubles.AddGroup(set, static_cast<uint16_t>(group));
    }
}
