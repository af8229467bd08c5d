#include "engine/SdkHistory.h"

namespace {
uint32_t CheckedIndex(unsigned v)
{
    return v < 9 ? v : SdkSolvedField::Invalid;
}
} // namespace

SdkSolvedField::SdkSolvedField(SdkDigit value, SdkDigit prev, unsigned row, unsigned col)
    : m_value(value), m_prevValue(prev), m_row(CheckedIndex(row)), m_col(CheckedIndex(col))
{}

SdkSolvedField::SdkSolvedField(const SdkField &field, SdkDigit prev, unsigned row, unsigned col)
    : SdkSolvedField(field.GetValue(), prev, row, col)
{}

// Entries are values in one growing array; an empty stack allocates nothing, which
// keeps the copies the solver makes of a fresh game cheap.
SdkUserStack::SdkUserStack() : m_entries(0) {}

SdkUserStack::SdkUserStack(const SdkUserStack &other) : m_entries(0)
{
    TLocker<SdkUserStack> source(other);
    m_entries = other.m_entries;
    m_cursor = other.m_cursor;
}

SdkUserStack &SdkUserStack::operator=(const SdkUserStack &other)
{
    if (this == &other)
        return *this;
    // Never both mutexes at once: the solver assigns copies in both directions,
    // which would take the two locks in both orders.
    const SdkUserStack copy(other);
    TLocker<SdkUserStack> own(*this);
    m_entries = copy.m_entries;
    m_cursor = copy.m_cursor;
    return *this;
}

bool SdkUserStack::Push(const SdkSolvedField &e)
{
    if (!e.IsValid())
        return false;
    TLocker<SdkUserStack> hold(*this);
    const int cursor = static_cast<int>(m_cursor);
    // Doing the next undone move again keeps the rest of the redo part.
    if (cursor < m_entries.Count() && m_entries[cursor] == e) {
        ++m_cursor;
        return true;
    }
    m_entries.Truncate(cursor);
    m_entries.Add(e);
    m_cursor = static_cast<uint32_t>(m_entries.Count());
    return true;
}

bool SdkUserStack::StepBack(SdkSolvedField &out)
{
    TLocker<SdkUserStack> hold(*this);
    if (!CanUndo())
        return false;
    out = m_entries[static_cast<int>(--m_cursor)];
    return true;
}

bool SdkUserStack::StepForward(SdkSolvedField &out)
{
    TLocker<SdkUserStack> hold(*this);
    if (!CanRedo())
        return false;
    out = m_entries[static_cast<int>(m_cursor++)];
    return true;
}

bool SdkUserStack::CanUndo() const
{
    TLocker<SdkUserStack> hold(*this);
    return m_entries.Count() > 0 && m_cursor >= 1 && m_cursor <= Count();
}

bool SdkUserStack::CanRedo() const
{
    TLocker<SdkUserStack> hold(*this);
    return m_entries.Count() > 0 && m_cursor < Count();
}

bool SdkUserStack::GetTop(SdkSolvedField &out) const
{
    TLocker<SdkUserStack> hold(*this);
    if (m_cursor < 1 || m_cursor > Count())
        return false;
    out = m_entries[static_cast<int>(m_cursor - 1)];
    return true;
}

unsigned SdkUserStack::GetPtr() const
{
    TLocker<SdkUserStack> hold(*this);
    return m_cursor;
}

unsigned SdkUserStack::Count() const
{
    TLocker<SdkUserStack> hold(*this);
    return static_cast<unsigned>(m_entries.Count());
}

SdkSolvedField SdkUserStack::GetAt(int index) const
{
    TLocker<SdkUserStack> hold(*this);
    const SdkSolvedField *e = m_entries.At(index);
    return e ? *e : SdkSolvedField();
}

void SdkUserStack::Empty(bool keepEntries)
{
    TLocker<SdkUserStack> hold(*this);
    if (!keepEntries)
        m_entries.DeleteAll();
    m_cursor = 0;
}

SdkSolvedStack::SdkSolvedStack(const SdkUserStack &from) : m_entries(0)
{
    TLocker<SdkUserStack> source(from);
    for (const SdkSolvedField &e : from.m_entries)
        m_entries.Push(e);
}

SdkSolvedStack::SdkSolvedStack(const SdkSolvedStack &other) : m_entries(0)
{
    TLocker<SdkSolvedStack> source(other);
    m_entries = other.m_entries;
}

unsigned SdkSolvedStack::Count() const
{
    TLocker<SdkSolvedStack> hold(*this);
    return static_cast<unsigned>(m_entries.Count());
}

SdkSolvedField SdkSolvedStack::GetAt(int index) const
{
    TLocker<SdkSolvedStack> hold(*this);
    const SdkSolvedField *e = m_entries.At(index);
    return e ? *e : SdkSolvedField();
}
