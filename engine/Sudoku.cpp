// Construction, copy, comparison and grid access of a game.
#include "engine/Sudoku.h"

#include <bit>

TDYN_IMPLEMENT(Sudoku, "TDynamic");

Sudoku::Sudoku() : m_mvc("Sudoku")
{
    InitBlocks();
}

Sudoku::Sudoku(const Sudoku &other, bool copyMvc)
    : m_definitionChanged(other.m_definitionChanged), m_stateChanged(other.m_stateChanged),
      m_btStepsOnCreation(other.m_btStepsOnCreation), m_playSeconds(other.m_playSeconds),
      m_origin(other.m_origin), m_deepCalc(other.m_deepCalc), m_fileName(other.m_fileName),
      m_mvc("Sudoku")
{
    InitBlocks();
    {
        TLocker<TThreadOrg> source(other.m_threadOrg);
        m_delayMs = other.m_delayMs;
        m_userStack = other.m_userStack;
        if (other.m_solvedStack)
            m_solvedStack = std::make_unique<SdkSolvedStack>(*other.m_solvedStack);
        std::copy(std::begin(other.m_fields), std::end(other.m_fields), std::begin(m_fields));
        m_marksPending.store(other.m_marksPending.load(std::memory_order_relaxed),
                             std::memory_order_relaxed);
        TakeDoublesOf(other);
        TakeFixpointOf(other);
    }
    // Lists taken over from the fixpoint grid that the fields are need no look.
    if (!(m_fixpointValid && m_fixpointDoublesTaken))
        RecalcAllDoubles();
    m_doublesAtFixpoint = m_fixpointValid && m_fixpointDoublesTaken;
    if (copyMvc)
        m_mvc.CopyNotifications(other.m_mvc);
}

Sudoku &Sudoku::operator=(const Sudoku &other)
{
    if (this == &other)
        return *this;
    TLocker<TThreadOrg> own(m_threadOrg);
    TLocker<TThreadOrg> source(other.m_threadOrg);
    m_userStack = other.m_userStack;
    m_solvedStack.reset();
    if (other.m_solvedStack)
        m_solvedStack = std::make_unique<SdkSolvedStack>(*other.m_solvedStack);
    EmptyAllDoubleLists();
    m_delayMs = other.m_delayMs;
    m_definitionChanged = other.m_definitionChanged;
    m_stateChanged = other.m_stateChanged;
    m_deepCalc = other.m_deepCalc;
    m_fileName = other.m_fileName;
    std::copy(std::begin(other.m_fields), std::end(other.m_fields), std::begin(m_fields));
    // The marks asked for on the other's grid, which this one now is.
    m_marksPending.store(other.m_marksPending.load(std::memory_order_relaxed),
                         std::memory_order_relaxed);
    m_btStepsOnCreation = other.m_btStepsOnCreation;
    m_playSeconds = other.m_playSeconds;
    m_origin = other.m_origin;
    TakeDoublesOf(other);
    TakeFixpointOf(other);
    // Lists taken over from the fixpoint grid that the fields are need no look.
    if (!(m_fixpointValid && m_fixpointDoublesTaken))
        RecalcAllDoubles();
    m_doublesAtFixpoint = m_fixpointValid && m_fixpointDoublesTaken;
    return *this;
}

Sudoku::~Sudoku()
{
    // No worker may outlive its game.
    m_threadOrg.Stop();
    TLocker<TThreadOrg> hold(m_threadOrg);
    m_solvedStack.reset();
}

void Sudoku::InitBlocks()
{
    for (unsigned i = 0; i < 9; ++i) {
        m_rows[i].Init(*this, SdkBlockRow, i);
        m_cols[i].Init(*this, SdkBlockColumn, i);
        m_quads[i].Init(*this, SdkBlockQuad, i);
    }
}

// The lists are derived data and are made again from the copied sets; taking
// over the other game's lists first only spares making equal lists anew.
void Sudoku::TakeDoublesOf(const Sudoku &other)
{
    m_doublesAtFixpoint = false;
    for (unsigned i = 0; i < 9; ++i) {
        m_rows[i].TakeDoublesOf(other.m_rows[i]);
        m_cols[i].TakeDoublesOf(other.m_cols[i]);
        m_quads[i].TakeDoublesOf(other.m_quads[i]);
    }
}

// The fixpoint grid describes the copied grid as well as the other's: it is
// only ever compared with the fields. When the other's lists were made from it
// and the copied fields are that very grid, the lists taken over stay as they
// are, and the first reduction after the copy (the solver's next trial) may
// trust them.
void Sudoku::TakeFixpointOf(const Sudoku &other)
{
    m_fixpointValid = other.m_fixpointValid;
    m_blockSetsValid = other.m_blockSetsValid;
    m_fieldsExposed = other.m_fieldsExposed;
    if (m_blockSetsValid)
        std::copy(&other.m_blockSets[0][0], &other.m_blockSets[0][0] + 27 * 9, &m_blockSets[0][0]);
    m_lastChanged[0] = other.m_lastChanged[0];
    m_lastChanged[1] = other.m_lastChanged[1];
    m_moved[0] = other.m_moved[0];
    m_moved[1] = other.m_moved[1];
    std::copy(std::begin(other.m_fixpointValues), std::end(other.m_fixpointValues),
              std::begin(m_fixpointValues));
    m_fixpointDoublesTaken = !other.m_fieldsExposed && other.m_fixpointValid &&
                             other.m_doublesAtFixpoint &&
                             (other.m_moved[0] | other.m_moved[1]) == 0;
}

void Sudoku::RecalcAllDoubles()
{
    m_doublesAtFixpoint = false;
    for (SdkBlockType type : SdkBlockTypes) {
        SdkBlockRef *blocks = GetBlocks(type);
        for (unsigned i = 0; i < 9; ++i)
            blocks[i].CalcDoubles();
    }
}

bool Sudoku::operator==(const Sudoku &other) const
{
    TLocker<TThreadOrg> own(m_threadOrg);
    TLocker<TThreadOrg> source(other.m_threadOrg);
    for (unsigned i = 0; i < 81; ++i)
        if (m_fields[i].IsFix() != other.m_fields[i].IsFix() ||
            m_fields[i].GetValue() != other.m_fields[i].GetValue())
            return false;
    TLocker<SdkUserStack> ownStack(m_userStack);
    TLocker<SdkUserStack> otherStack(other.m_userStack);
    const unsigned count = m_userStack.Count();
    if (count != other.m_userStack.Count())
        return false;
    for (unsigned i = 0; i < count; ++i) {
        const SdkSolvedField a = m_userStack.GetAt(static_cast<int>(i));
        const SdkSolvedField b = other.m_userStack.GetAt(static_cast<int>(i));
        if (!a.IsValid() || !b.IsValid() || !(a == b))
            return false;
    }
    return true;
}

bool Sudoku::EqualsValues(const Sudoku &other) const
{
    TLocker<TThreadOrg> own(m_threadOrg);
    TLocker<TThreadOrg> source(other.m_threadOrg);
    for (unsigned i = 0; i < 81; ++i)
        if (m_fields[i].GetValue() != other.m_fields[i].GetValue())
            return false;
    return true;
}

bool Sudoku::EqualsFix(const Sudoku &other) const
{
    TLocker<TThreadOrg> own(m_threadOrg);
    TLocker<TThreadOrg> source(other.m_threadOrg);
    for (unsigned i = 0; i < 81; ++i) {
        const SdkField &a = m_fields[i];
        const SdkField &b = other.m_fields[i];
        if (a.IsFix() != b.IsFix())
            return false;
        if (a.IsFix() && a.GetValue() != b.GetValue())
            return false;
    }
    return true;
}

TString Sudoku::ToString() const
{
    TLocker<TThreadOrg> hold(m_threadOrg);
    TString text;
    for (unsigned row = 0; row < 9; ++row) {
        if (row == 3 || row == 6)
            text += "\n";
        for (unsigned col = 0; col < 9; ++col) {
            if (col == 3 || col == 6)
                text += "   ";
            const SdkDigit v = FieldAt(row, col).GetValue();
            text +=
                v == SdkDigitEmpty ? TString("- ") : TString::Format("%1d ", static_cast<int>(v));
        }
        if (row < 8)
            text += "\n";
    }
    return text;
}

bool Sudoku::GetRowAndCol(unsigned quad, unsigned pos, unsigned &row, unsigned &col)
{
    row = 0;
    col = 0;
    if (quad >= 9)
        return false;
    row = quad / 3 * 3 + pos / 3;
    col = quad % 3 * 3 + pos % 3;
    return true;
}

bool Sudoku::GetQuad(unsigned row, unsigned col, unsigned &quad)
{
    if (row >= 9 || col >= 9)
        return false;
    quad = row / 3 * 3 + col / 3;
    return true;
}

SdkField Sudoku::GetField(unsigned row, unsigned col) const
{
    const SdkField *f = GetFieldPtr(row, col);
    if (!f)
        return SdkField();
    SettleMarksLocked();
    return *f;
}

const SdkBlockRef &Sudoku::GetBlock(SdkBlockType type, unsigned index) const
{
    SdkBlockRef *blocks = const_cast<Sudoku *>(this)->GetBlocks(type);
    if (!blocks || index >= 9)
        return m_rows[0];
    return blocks[index];
}

SdkField &Sudoku::FieldForWriting(unsigned row, unsigned col)
{
    TLocker<TThreadOrg> hold(m_threadOrg);
    SettleMarks();
    DropFixpoint();
    m_fieldsExposed = true;
    return FieldAt(row, col);
}

SdkField *Sudoku::GetFieldPtr(unsigned row, unsigned col)
{
    return row < 9 && col < 9 ? &FieldAt(row, col) : nullptr;
}

const SdkField *Sudoku::GetFieldPtr(unsigned row, unsigned col) const
{
    return row < 9 && col < 9 ? &FieldAt(row, col) : nullptr;
}

SdkBlockRef &Sudoku::GetQuad(unsigned row, unsigned col)
{
    return m_quads[row / 3 * 3 + col / 3];
}

SdkBlockRef *Sudoku::GetBlocks(SdkBlockType type)
{
    switch (type) {
    case SdkBlockRow:
        return m_rows;
    case SdkBlockColumn:
        return m_cols;
    case SdkBlockQuad:
        return m_quads;
    }
    return nullptr;
}

void Sudoku::ClearLastChanges()
{
    for (unsigned half = 0; half < 2; ++half)
        for (uint64_t rest = m_lastChanged[half]; rest != 0; rest &= rest - 1)
            m_fields[half * 64 + static_cast<unsigned>(std::countr_zero(rest))].SetLastChanged(
                false);
    m_lastChanged[0] = m_lastChanged[1] = 0;
}

uint16_t Sudoku::GetDelayMs() const
{
    TLocker<TThreadOrg> hold(m_threadOrg);
    return m_delayMs;
}

void Sudoku::SetDelayMs(uint16_t delayMs)
{
    TLocker<TThreadOrg> hold(m_threadOrg);
    m_delayMs = delayMs;
}
