// The candidate calculation: elimination by values (and, deep, by single
// candidates), reduction by doubles, to a fixed point.
#include "engine/SdkGridTables.h"
#include "engine/Sudoku.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

using Guard = TLocker<TThreadOrg>;
using SdkGrid::BlockFieldIndex;
using SdkGrid::BlockFieldMasks;
using SdkGrid::FieldBlocks;
using SdkGrid::PeerMasks;

namespace {
uint16_t ValueBit(SdkDigit d)
{
    return SdkResultSet::IsDigit(d) ? SdkResultSet::Bit(d) : 0;
}
} // namespace

bool Sudoku::IsDeepCalcResultSets() const
{
    Guard hold(m_threadOrg);
    return m_deepCalc;
}

void Sudoku::SetDeepCalcResultSets(bool deep)
{
    Guard hold(m_threadOrg);
    m_deepCalc = deep;
}

void Sudoku::EmptyAllDoubleLists()
{
    Guard hold(m_threadOrg);
    m_doublesAtFixpoint = false;
    for (unsigned i = 0; i < 9; ++i) {
        m_rows[i].EmptyDoubleList();
        m_cols[i].EmptyDoubleList();
        m_quads[i].EmptyDoubleList();
    }
}

// One pass in row order. A digit is refused exactly when ValueAllowed would
// refuse it; the values do not change during a pass, so they are gathered into
// one mask per block first. The deep test looks at the neighbours' current
// sets, so a removal earlier in the pass already counts for later fields.
bool Sudoku::CalcResultSets(bool full, bool deep)
{
    Guard hold(m_threadOrg);
    SettleMarks();
    return _CalcResultSets(full, deep);
}

bool Sudoku::_CalcResultSets(bool full, bool deep, uint64_t *reduced, const uint64_t *only)
{
    DistrustIfExposed();
    if (full) {
        DropFixpoint();
        EmptyAllDoubleLists();
        for (SdkField &f : m_fields)
            f.ResultSet().Empty();
    }
    // With only, the caller has set the pass's value bits already.
    if (!only) {
        uint16_t values[27] = {};
        for (unsigned i = 0; i < 81; ++i) {
            const uint16_t bit = ValueBit(m_fields[i].GetValue());
            for (unsigned k : FieldBlocks[i])
                values[k] |= bit;
        }
        std::copy(std::begin(values), std::end(values), std::begin(m_passValues));
    }

    bool changed = false;
    const uint64_t visit[2] = {only ? only[0] : ~uint64_t(0),
                               only ? only[1] : (uint64_t(1) << 17) - 1};
    for (unsigned half = 0; half < 2; ++half)
        for (uint64_t rest = visit[half]; rest != 0; rest &= rest - 1) {
            const unsigned at = half * 64 + static_cast<unsigned>(std::countr_zero(rest));
            SdkField &f = m_fields[at];
            if (f.IsFix() || f.GetValue() != SdkDigitEmpty)
                continue;
            const auto &blocks = FieldBlocks[at];
            auto refused = static_cast<uint16_t>(m_passValues[blocks[0]] | m_passValues[blocks[1]] |
                                                 m_passValues[blocks[2]]);
            if (deep) {
                const unsigned r = at / 9, c = at % 9;
                for (const SdkBlockRef *block :
                     {&m_rows[r], &m_cols[c], &m_quads[r / 3 * 3 + c / 3]})
                    for (const SdkField *peer : block->m_fields)
                        if (peer != &f && peer->GetValue() == SdkDigitEmpty &&
                            peer->GetResultSet().Count() == 1)
                            refused |= peer->GetResultSet().GetMask();
            }
            uint16_t set = f.GetResultSet().GetMask();
            if (set & refused) {
                set &= static_cast<uint16_t>(~refused);
                changed = true;
                MarkLastChanged(at);
                m_moved[half] |= uint64_t(1) << (at % 64);
                if (reduced)
                    reduced[half] |= uint64_t(1) << (at % 64);
                if (!full)
                    NoteBlockSets(at, set);
            }
            if (full) {
                const uint16_t added = SdkResultSet::AllDigits & ~refused & ~set;
                if (added) {
                    set |= added;
                    changed = true;
                }
            }
            f.ResultSet().SetMask(set);
        }

    if (full) {
        ReduceResultSets(m_deepCalc);
        RequestMarks();
    }
    return changed;
}

namespace {
// Each field's position in its row, column and quad.
constexpr auto FieldPositions = [] {
    std::array<std::array<uint8_t, 3>, 81> positions{};
    for (unsigned i = 0; i < 81; ++i)
        positions[i] = {static_cast<uint8_t>(i % 9), static_cast<uint8_t>(i / 9),
                        static_cast<uint8_t>(i / 9 % 3 * 3 + i % 3)};
    return positions;
}();
} // namespace

void Sudoku::NoteBlockSets(unsigned at, uint16_t set)
{
    for (unsigned k = 0; k < 3; ++k)
        m_blockSets[FieldBlocks[at][k]][FieldPositions[at][k]] = set;
}

void Sudoku::SyncBlockSets()
{
    DistrustIfExposed();
    if (m_blockSetsValid)
        return;
    for (unsigned t = 0; t < 3; ++t)
        for (unsigned b = 0; b < 9; ++b)
            for (unsigned p = 0; p < 9; ++p) {
                const SdkField &f = m_fields[BlockFieldIndex[t][b][p]];
                m_blockSets[t * 9 + b][p] =
                    f.GetValue() == SdkDigitEmpty ? f.GetResultSet().GetMask() : 0;
            }
    m_blockSetsValid = true;
}

bool Sudoku::AnyFieldEmpty() const
{
    unsigned empty = 0;
    for (const SdkField &f : m_fields)
        empty |= f.GetValue() == SdkDigitEmpty;
    return empty != 0;
}

// The solver reduces again right after each step, and a grid at its fixed point
// stays there: of such a pass only the double lists would be made again, from
// the same sets.
bool Sudoku::ReduceResultSets(bool deep)
{
    DistrustIfExposed();
    // The fields that may differ from the fixpoint grid, kept for the first round below.
    uint64_t moved[2] = {m_moved[0], m_moved[1]};
    const bool anyEmpty = AnyFieldEmpty();
    if (!deep && m_fixpointValid && (moved[0] | moved[1]) == 0) {
        // Lists still made from exactly this grid need not be made again.
        if (!m_doublesAtFixpoint && anyEmpty) {
            RecalcAllDoubles();
            m_doublesAtFixpoint = true;
        }
        return false;
    }
    bool any = false;
    bool again = true;
    // Values stay as they are during the reduction, and so does anyEmpty.
    // Lists made from the fixpoint grid, which the cleaning could not reduce
    // any further: a block whose sets are still those makes the same list again
    // and removes nothing with it, so the first round may pass it by too.
    const bool listsAtFixpoint = m_fixpointValid && m_doublesAtFixpoint;
    // After one pass no set holds a digit that a value of its blocks refuses, and
    // neither the cleaning nor a later pass changes values: later passes without
    // the deep option cannot remove anything, so only the first one runs.
    // From the second round on, a block's list was made or checked in the round
    // before; only the cleaning since then (that round's and this one's so far)
    // can have changed its sets.
    uint64_t before[2] = {}, now[2] = {};
    // Away from the fixpoint grid, a pass can refuse digits only in the fields
    // that moved and in the blocks of values placed since: every other set was
    // freed of its blocks' values by the pass that led to that grid.
    uint64_t visit[2] = {moved[0], moved[1]};
    bool restricted = !deep && m_fixpointValid;
    if (restricted) {
        std::copy(std::begin(m_fixpointValues), std::end(m_fixpointValues),
                  std::begin(m_passValues));
        // A value that went drops the fixpoint (digits come back, which only a
        // full pass sees), so a value among the moved fields is a new one, or
        // one that stood there already and adds nothing.
        for (unsigned half = 0; half < 2; ++half)
            for (uint64_t rest = moved[half]; rest != 0; rest &= rest - 1) {
                const unsigned at = half * 64 + static_cast<unsigned>(std::countr_zero(rest));
                const SdkDigit v = m_fields[at].GetValue();
                if (v == SdkDigitEmpty)
                    continue;
                const uint16_t bit = ValueBit(v);
                for (unsigned k : FieldBlocks[at])
                    m_passValues[k] |= bit;
                visit[0] |= PeerMasks[at][0];
                visit[1] |= PeerMasks[at][1];
            }
    }
    for (bool first = true; again; first = false) {

        // In the first round, the fields that may differ from the fixpoint grid:
        // those that did before the pass and those it reduced.
        const bool changed =
            first && _CalcResultSets(false, deep, moved, restricted ? visit : nullptr);
        if (first && listsAtFixpoint) {
            before[0] = moved[0];
            before[1] = moved[1];
        }
        const bool trusted = !first || listsAtFixpoint;
        bool cleaned = false;
        if (anyEmpty) {
            unsigned removed = 0;
            for (SdkBlockType type : SdkBlockTypes) {
                const uint64_t touched[2] = {before[0] | now[0], before[1] | now[1]};
                removed += CleanBlocks(type, trusted ? touched : nullptr, now);
            }
            cleaned = removed > 0;
        }
        before[0] = now[0];
        before[1] = now[1];
        now[0] = now[1] = 0;
        // Only the first pass takes single candidates as exclusions.
        deep = false;
        again = changed || cleaned;
        any = any || again;
    }
    // The grid as it is now is the fixpoint grid.
    m_moved[0] = m_moved[1] = 0;
    // Values do not change during a reduction: the first pass saw these.
    std::copy(std::begin(m_passValues), std::end(m_passValues), std::begin(m_fixpointValues));
    m_fixpointValid = true;
    // The last pass changed nothing, and with empty fields it made every list
    // from the sets as they are now.
    m_doublesAtFixpoint = anyEmpty;
    return any;
}

bool Sudoku::RecalcResultSets()
{
    Guard hold(m_threadOrg);
    const bool any = ReduceResultSets(m_deepCalc);
    RequestMarks();
    return any;
}

// The fields of a double keep its digits; every other empty field of the block
// loses them. Doubles are applied in list order against the field's current
// set, so a field reduced to a later double's set keeps that double's digits.
unsigned Sudoku::CleanBlockResultSets(SdkBlockType type)
{
    Guard hold(m_threadOrg);
    SettleMarks();
    uint64_t changed[2] = {};
    return CleanBlocks(type, nullptr, changed);
}

// The callers hold the engine lock.
unsigned Sudoku::CleanBlocks(SdkBlockType type, const uint64_t *touched, uint64_t (&changed)[2])
{
    SdkBlockRef *blocks = GetBlocks(type);
    if (!blocks)
        return 0;
    // The blocks' sets straight from the grid: most lists stay as they are, and
    // telling that is most of the work.
    const auto &index = BlockFieldIndex[type - SdkBlockRow];
    const auto &fieldMasks = BlockFieldMasks[type - SdkBlockRow];
    // The blocks to look at and, of those, the ones with doubles, as bit masks
    // walked in ascending order: whether a block has doubles is hard to
    // predict, and a mask spares a guess per block. A block passed by has the
    // sets its list was last applied to, and that removed nothing.
    unsigned active = 0;
    for (unsigned b = 0; b < 9; ++b)
        if (!touched || (fieldMasks[b][0] & touched[0]) != 0 ||
            (fieldMasks[b][1] & touched[1]) != 0)
            active |= 1u << b;
    SyncBlockSets();
    const unsigned first = (type - SdkBlockRow) * 9;
    unsigned withDoubles = 0;
    for (unsigned rest = active; rest != 0; rest &= rest - 1) {
        const auto b = static_cast<unsigned>(std::countr_zero(rest));
        // Compared with the sets the list was made from: most blocks are unchanged.
        SdkBlockRef &block = blocks[b];
        const uint16_t(&sets)[9] = m_blockSets[first + b];
        if (!block.m_doublesKeyValid ||
            std::memcmp(sets, block.m_doublesKey, sizeof block.m_doublesKey) != 0) {
            block.MakeDoublesFrom(sets);
            m_doublesAtFixpoint = false;
        }
        withDoubles |= (block.GetDoubleList().Count() != 0 ? 1u : 0u) << b;
    }
    unsigned removed = 0;
    for (unsigned rest = withDoubles; rest != 0; rest &= rest - 1) {
        const auto b = static_cast<unsigned>(std::countr_zero(rest));
        const SdkDoubleList &doubles = blocks[b].GetDoubleList();
        // A field without any of the doubles' digits loses nothing; nor does a
        // field with a value, whose set here is empty.
        const int count = doubles.Count();
        uint16_t doubleSets[SdkDoubleList::Capacity];
        uint16_t doubleDigits = 0;
        for (int i = 0; i < count; ++i) {
            doubleSets[i] = doubles.GetDouble(i)->GetResultSet().GetMask();
            doubleDigits |= doubleSets[i];
        }
        const uint16_t(&sets)[9] = m_blockSets[first + b];
        for (unsigned pos = 0; pos < 9; ++pos) {
            uint16_t mask = sets[pos];
            if ((mask & doubleDigits) == 0)
                continue;
            const unsigned at = index[b][pos];
            SdkField &f = m_fields[at];
            for (int i = 0; i < count; ++i) {
                const uint16_t set = doubleSets[i];
                const uint16_t gone = mask & set;
                if (mask == set || !gone)
                    continue;
                mask &= static_cast<uint16_t>(~gone);
                f.ResultSet().SetMask(mask);
                MarkLastChanged(at);
                changed[at / 64] |= uint64_t(1) << (at % 64);
                m_moved[at / 64] |= uint64_t(1) << (at % 64);
                removed += static_cast<unsigned>(SdkResultSet::CountBits(gone));
            }
            NoteBlockSets(at, mask);
        }
    }
    return removed;
}

bool Sudoku::CleanAllBlockResultSets()
{
    Guard hold(m_threadOrg);
    if (GetUnsolvedCount() == 0)
        return false;
    const unsigned rows = CleanBlockResultSets(SdkBlockRow);
    const unsigned cols = CleanBlockResultSets(SdkBlockColumn);
    const unsigned quads = CleanBlockResultSets(SdkBlockQuad);
    return rows + cols + quads > 0;
}
