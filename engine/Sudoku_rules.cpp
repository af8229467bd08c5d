// Rules, played values, given digits, user marks, counts and conflict marks.
#include "engine/Sudoku.h"

#include <algorithm>
#include <array>
#include <bit>

using Guard = TLocker<TThreadOrg>;

// ---------------------------------------------------------------------------------------
// Rules

bool Sudoku::ValueAllowed(SdkDigit d, unsigned row, unsigned col, bool deep) const
{
    if (row >= 9 || col >= 9 || !SdkResultSet::IsDigit(d))
        return row < 9 && col < 9 && d == SdkDigitEmpty;
    Guard hold(m_threadOrg);
    return _ValueAllowed(d, row, col, deep);
}

bool Sudoku::_ValueAllowed(SdkDigit d, unsigned row, unsigned col, bool deep) const
{
    if (row >= 9 || col >= 9)
        return false;
    if (d == SdkDigitEmpty)
        return true;
    // Digits above 9 cannot stand anywhere; refusing them here guards every edit.
    if (!SdkResultSet::IsDigit(d))
        return false;
    const SdkField *self = &FieldAt(row, col);
    const SdkBlockRef &quad = m_quads[row / 3 * 3 + col / 3];
    return !m_rows[row].GetFieldPtr(d, self, deep) && !m_cols[col].GetFieldPtr(d, self, deep) &&
           !quad.GetFieldPtr(d, self, deep);
}

// ---------------------------------------------------------------------------------------
// Played values

bool Sudoku::SetValue(SdkDigit d, unsigned row, unsigned col)
{
    return _SetValue(d, row, col, true, true);
}

bool Sudoku::EmptyValue(unsigned row, unsigned col)
{
    return _SetValue(SdkDigitEmpty, row, col, true, true);
}

void Sudoku::NotifyValueSolved(bool success, SdkDigit d, unsigned row, unsigned col)
{
    SdkParam param(*this, success, success ? 1u : 0u, d, row, col);
    MVC().Call(SDK_VALUE_SOLVED, param);
}

// Emptying rebuilds the candidates in full: the removed value may have been the
// only thing that excluded a digit elsewhere. Setting a value only ever removes
// candidates, so a reduction from the current sets is enough there.
bool Sudoku::_SetValue(SdkDigit d, unsigned row, unsigned col, bool record, bool notify)
{
    Guard hold(m_threadOrg);
    SdkField *field = GetFieldPtr(row, col);
    if (!field || field->IsFix())
        return false;
    const SdkDigit old = field->GetValue();
    if (d == old)
        return true;
    if (d == SdkDigitEmpty)
        return _EmptyField(old, row, col, record, notify);
    if (!_ValueAllowed(d, row, col, false)) {
        if (notify)
            NotifyValueSolved(false, d, row, col);
        return false;
    }
    if (old != SdkDigitEmpty) {
        // The emptying half of a replacement is always reported, like any emptying.
        _EmptyField(old, row, col, false, true);
        ClearLastChanges();
        MarkLastChanged(row * 9 + col);
        m_stateChanged = true;
    }
    field->SetValue(d);
    NoteMoved(row * 9 + col);
    NoteBlockSets(row * 9 + col, 0);
    MarkLastChanged(row * 9 + col);
    ReduceResultSets(m_deepCalc);
    RequestMarks();
    m_stateChanged = true;
    if (record)
        m_userStack.Push(SdkSolvedField(d, old, row, col));
    if (notify)
        NotifyValueSolved(true, d, row, col);
    return true;
}

bool Sudoku::_EmptyField(SdkDigit old, unsigned row, unsigned col, bool record, bool notify)
{
    SdkField &field = FieldAt(row, col);
    field.SetValue(SdkDigitEmpty);
    DropFixpoint();
    _CalcResultSets(true, false);
    RecalcResultSets();
    ClearLastChanges();
    MarkLastChanged(row * 9 + col);
    m_stateChanged = true;
    if (record)
        m_userStack.Push(SdkSolvedField(SdkDigitEmpty, old, row, col));
    if (notify)
        NotifyValueSolved(true, SdkDigitEmpty, row, col);
    return true;
}

// ---------------------------------------------------------------------------------------
// Given digits

bool Sudoku::Fix(SdkDigit d, unsigned row, unsigned col)
{
    Guard hold(m_threadOrg);
    if (GetSolvedCount() > 0)
        return false;
    return _Fix(d, row, col, true);
}

bool Sudoku::_Fix(SdkDigit d, unsigned row, unsigned col, bool record)
{
    Guard hold(m_threadOrg);
    SettleMarks();
    SdkField *field = GetFieldPtr(row, col);
    if (!field || !SdkResultSet::IsDigit(d))
        return false;
    DropFixpoint();
    if (field->IsFix())
        field->Unfix(true);
    else
        field->Empty();
    bool result = false;
    if (ValueAllowed(d, row, col, false)) {
        field->Fix(d);
        if (record)
            m_userStack.Empty(false);
        result = true;
    }
    m_definitionChanged = true;
    return result;
}

bool Sudoku::Unfix(unsigned row, unsigned col)
{
    Guard hold(m_threadOrg);
    if (GetSolvedCount() > 0)
        return false;
    return _Unfix(row, col, true);
}

bool Sudoku::_Unfix(unsigned row, unsigned col, bool record)
{
    Guard hold(m_threadOrg);
    SettleMarks();
    SdkField *field = GetFieldPtr(row, col);
    if (!field)
        return false;
    DropFixpoint();
    field->Unfix(true);
    if (record)
        m_userStack.Empty(false);
    m_definitionChanged = true;
    return true;
}

// ---------------------------------------------------------------------------------------
// User candidates and excludes: the user's own marks, outside the calculation.

SdkResultSet Sudoku::GetUserCandidates(unsigned row, unsigned col) const
{
    const SdkField *f = GetFieldPtr(row, col);
    return f ? f->GetCustomInc() : SdkResultSet();
}

bool Sudoku::SetUserCandidates(const SdkResultSet &set, unsigned row, unsigned col)
{
    SdkField *f = GetFieldPtr(row, col);
    if (!f)
        return false;
    f->SetCustomInc(set);
    return true;
}

bool Sudoku::AddUserCandidate(SdkDigit d, unsigned row, unsigned col)
{
    SdkField *f = GetFieldPtr(row, col);
    if (!f)
        return false;
    SdkResultSet set = f->GetCustomInc();
    const bool added = set.AddValue(d);
    f->SetCustomInc(set);
    return added;
}

bool Sudoku::RemoveUserCandidate(SdkDigit d, unsigned row, unsigned col)
{
    SdkField *f = GetFieldPtr(row, col);
    if (!f)
        return false;
    SdkResultSet set = f->GetCustomInc();
    const bool removed = set.RemoveValue(d);
    f->SetCustomInc(set);
    return removed;
}

bool Sudoku::EmptyUserCandidates(unsigned row, unsigned col)
{
    return SetUserCandidates(SdkResultSet(), row, col);
}

void Sudoku::EmptyAllUserCandidates()
{
    for (SdkField &f : m_fields)
        f.SetCustomInc(SdkResultSet());
}

SdkResultSet Sudoku::GetUserExcludes(unsigned row, unsigned col) const
{
    const SdkField *f = GetFieldPtr(row, col);
    return f ? f->GetCustomExc() : SdkResultSet();
}

bool Sudoku::SetUserExcludes(const SdkResultSet &set, unsigned row, unsigned col)
{
    SdkField *f = GetFieldPtr(row, col);
    if (!f)
        return false;
    f->SetCustomExc(set);
    return true;
}

bool Sudoku::AddUserExclude(SdkDigit d, unsigned row, unsigned col)
{
    SdkField *f = GetFieldPtr(row, col);
    if (!f)
        return false;
    SdkResultSet set = f->GetCustomExc();
    const bool added = set.AddValue(d);
    f->SetCustomExc(set);
    return added;
}

bool Sudoku::RemoveUserExclude(SdkDigit d, unsigned row, unsigned col)
{
    SdkField *f = GetFieldPtr(row, col);
    if (!f)
        return false;
    SdkResultSet set = f->GetCustomExc();
    const bool removed = set.RemoveValue(d);
    f->SetCustomExc(set);
    return removed;
}

bool Sudoku::EmptyUserExcludes(unsigned row, unsigned col)
{
    return SetUserExcludes(SdkResultSet(), row, col);
}

void Sudoku::EmptyAllUserExcludes()
{
    for (SdkField &f : m_fields)
        f.SetCustomExc(SdkResultSet());
}

// ---------------------------------------------------------------------------------------
// Counts and checks

unsigned Sudoku::GetFixCount() const
{
    Guard hold(m_threadOrg);
    unsigned n = 0;
    for (const SdkField &f : m_fields)
        n += f.IsFix() ? 1 : 0;
    return n;
}

unsigned Sudoku::GetSolvedCount() const
{
    Guard hold(m_threadOrg);
    unsigned n = 0;
    for (const SdkField &f : m_fields)
        n += !f.IsFix() && f.GetValue() != SdkDigitEmpty ? 1 : 0;
    return n;
}

unsigned Sudoku::GetUnsolvedCount() const
{
    Guard hold(m_threadOrg);
    return _UnsolvedCount();
}

unsigned Sudoku::_UnsolvedCount() const
{
    unsigned n = 0;
    for (const SdkField &f : m_fields)
        n += f.GetValue() == SdkDigitEmpty ? 1 : 0;
    return n;
}

bool Sudoku::IsCompleted() const
{
    return GetUnsolvedCount() == 0;
}

bool Sudoku::Verify(unsigned *row, unsigned *col, bool *completed) const
{
    Guard hold(m_threadOrg);
    unsigned failRow = 0;
    unsigned failCol = 0;
    bool valid = true;
    for (SdkBlockType type : SdkBlockTypes) {
        const SdkBlockRef *blocks = &GetBlock(type, 0);
        for (unsigned i = 0; i < 9 && valid; ++i) {
            unsigned pos = 0;
            if (blocks[i].Verify(&pos))
                continue;
            valid = false;
            if (type == SdkBlockRow) {
                failRow = i;
                failCol = pos;
            } else if (type == SdkBlockColumn) {
                failRow = pos;
                failCol = i;
            } else {
                GetRowAndCol(i, pos, failRow, failCol);
            }
        }
        if (!valid)
            break;
    }
    if (row)
        *row = failRow;
    if (col)
        *col = failCol;
    if (completed)
        *completed = valid && IsCompleted();
    return valid;
}

bool Sudoku::FindUnsolvableField(unsigned &row, unsigned &col, bool recalc)
{
    Guard hold(m_threadOrg);
    if (recalc)
        RecalcResultSets();
    for (unsigned r = 0; r < 9; ++r)
        for (unsigned c = 0; c < 9; ++c) {
            const SdkField &f = FieldAt(r, c);
            if (f.GetValue() == SdkDigitEmpty && f.GetResultSet().IsEmpty()) {
                row = r;
                col = c;
                return true;
            }
        }
    return false;
}

bool Sudoku::IsDefinitionChanged() const
{
    Guard hold(m_threadOrg);
    return m_definitionChanged;
}

bool Sudoku::IsStateChanged() const
{
    Guard hold(m_threadOrg);
    return m_stateChanged;
}

// ---------------------------------------------------------------------------------------
// Marks

void Sudoku::ResetLastChanges()
{
    ClearLastChanges();
}

void Sudoku::UnmarkDoubleResults()
{
    Guard hold(m_threadOrg);
    for (SdkField &f : m_fields)
        f.SetDoubleResult(false);
}

namespace {
// The groups of one block, marked where they are larger than their first field
// can host. A field joins the group of an earlier one when it holds the same
// value, or is empty with that value as its only candidate, or is empty with
// the same candidates. All three come down to one token per field: the bit of
// its value, or its candidate set. A field without value and candidates has
// token 0 and room for no one, not even itself. The result holds the
// positions to mark.
uint16_t BlockGroupsToMark(const SdkField *const (&fields)[9])
{
    uint16_t token[9];
    int capacity[9];
    for (unsigned p = 0; p < 9; ++p) {
        const SdkField &f = *fields[p];
        const unsigned v = f.GetValue();
        const uint16_t set = f.GetResultSet().GetMask();
        token[p] = v == 0 ? set : static_cast<uint16_t>(v <= 9 ? 1u << v : 0x8000u | v);
        capacity[p] = v == 0 ? SdkResultSet::CountBits(set) : 1;
    }
    uint16_t marks = 0;
    for (unsigned i = 0; i < 9; ++i) {
        uint16_t group = static_cast<uint16_t>(1u << i);
        int count = 1;
        if (token[i] != 0) {
            for (unsigned j = i + 1; j < 9; ++j) {
                if (token[j] == token[i]) {
                    group |= static_cast<uint16_t>(1u << j);
                    ++count;
                }
            }
        }
        if (count > capacity[i])
            marks |= group;
    }
    return marks;
}

} // namespace

// A field can host as many group members as it has possible digits: one for a
// value, the candidate count for an empty field. A bigger group is a
// contradiction, so an empty field without candidates is one on its own.
bool Sudoku::MarkDoubleResults()
{
    Guard hold(m_threadOrg);
    m_marksPending.store(false, std::memory_order_relaxed);
    return _MarkDoubleResults();
}

void Sudoku::SettleMarks()
{
    if (!m_marksPending.load(std::memory_order_relaxed))
        return;
    m_marksPending.store(false, std::memory_order_relaxed);
    _MarkDoubleResults();
}

void Sudoku::SettleMarksLocked() const
{
    if (!m_marksPending.load(std::memory_order_relaxed))
        return;
    Guard hold(m_threadOrg);
    // Games are made as non-const objects; only the marks and their caches change.
    const_cast<Sudoku *>(this)->SettleMarks();
}

bool Sudoku::_MarkDoubleResults()
{
    // The marks are gathered first and then written in one go, which also does
    // the work of UnmarkDoubleResults.
    uint64_t fieldMarks[2] = {};
    bool marked = false;
    for (SdkBlockType type : SdkBlockTypes) {
        const SdkBlockRef *blocks = GetBlocks(type);
        for (unsigned b = 0; b < 9; ++b) {
            const uint16_t marks = BlockGroupsToMark(blocks[b].m_fields);
            for (unsigned rest = marks; rest != 0; rest &= rest - 1) {
                const auto at =
                    static_cast<unsigned>(blocks[b].m_fields[std::countr_zero(rest)] - m_fields);
                fieldMarks[at / 64] |= uint64_t(1) << (at % 64);
            }
            marked = marked || marks != 0;
        }
    }
    for (unsigned i = 0; i < 81; ++i) {
        uint16_t &flags = m_fields[i].m_flags;
        const auto mark = static_cast<uint16_t>(fieldMarks[i / 64] >> (i % 64) & 1);
        flags = static_cast<uint16_t>((flags & ~SdkField::FlagDoubleResult) |
                                      mark * SdkField::FlagDoubleResult);
    }
    return marked;
}
