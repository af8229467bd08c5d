// Undo, redo, the recorded solution and the game's starting states.
#include "engine/Sudoku.h"

using Guard = TLocker<TThreadOrg>;
using StackGuard = TLocker<SdkUserStack>;

// ---------------------------------------------------------------------------------------
// Undo and redo

bool Sudoku::_Undo(bool notify)
{
    Guard hold(m_threadOrg);
    StackGuard holdStack(m_userStack);
    SdkSolvedField entry;
    if (!m_userStack.StepBack(entry))
        return false;
    if (!_SetValue(entry.GetPrevValue(), entry.GetRow(), entry.GetColumn(), false, notify)) {
        SdkSolvedField again;
        m_userStack.StepForward(again);
        return false;
    }
    // An undone entry leaves its field empty; the move before it is then the
    // latest one and carries the mark too.
    SdkSolvedField top;
    if (entry.GetPrevValue() == SdkDigitEmpty && m_userStack.GetTop(top) && top.IsValid() &&
        top.GetValue() != SdkDigitEmpty) {
        if (!FieldAt(top.GetRow(), top.GetColumn()).IsFix())
            MarkLastChanged(top.GetRow() * 9 + top.GetColumn());
    }
    return true;
}

bool Sudoku::_Redo(bool notify)
{
    Guard hold(m_threadOrg);
    StackGuard holdStack(m_userStack);
    SdkSolvedField before;
    const bool hadTop = m_userStack.GetTop(before);
    ClearLastChanges();
    SdkSolvedField entry;
    if (!m_userStack.StepForward(entry))
        return false;
    if (!_SetValue(entry.GetValue(), entry.GetRow(), entry.GetColumn(), false, notify)) {
        SdkSolvedField back;
        m_userStack.StepBack(back);
        return false;
    }
    if (hadTop && before.IsValid()) {
        SdkField &f = FieldAt(before.GetRow(), before.GetColumn());
        if (!f.IsFix())
            f.SetLastChanged(false);
    }
    if (!FieldAt(entry.GetRow(), entry.GetColumn()).IsFix())
        MarkLastChanged(entry.GetRow() * 9 + entry.GetColumn());
    return true;
}

// One step back overall, told to listeners as the move that is now the latest:
// the step before is undone too and redone with notification, so it carries
// the marks and the report.
bool Sudoku::Undo()
{
    Guard hold(m_threadOrg);
    if (!m_userStack.CanUndo())
        return false;
    const unsigned cursor = m_userStack.GetPtr();
    if (!_Undo(cursor <= 1))
        return false;
    if (_Undo(false))
        _Redo(true);
    return true;
}

bool Sudoku::Redo()
{
    Guard hold(m_threadOrg);
    return m_userStack.CanRedo() && _Redo(true);
}

bool Sudoku::GetUserStack(unsigned index, SdkSolvedField &out) const
{
    StackGuard hold(m_userStack);
    if (index >= m_userStack.Count())
        return false;
    out = m_userStack.GetAt(static_cast<int>(index));
    return out.IsValid();
}

// ---------------------------------------------------------------------------------------
// The recorded solution

unsigned Sudoku::GetSolutionStackCount() const
{
    Guard hold(m_threadOrg);
    return m_solvedStack ? m_solvedStack->Count() : 0;
}

bool Sudoku::GetSolution(unsigned index, SdkSolvedField &out) const
{
    Guard hold(m_threadOrg);
    if (!m_solvedStack)
        return false;
    TLocker<SdkSolvedStack> holdStack(*m_solvedStack);
    if (index >= m_solvedStack->Count())
        return false;
    out = m_solvedStack->GetAt(static_cast<int>(index));
    return true;
}

void Sudoku::_CreateSolvedStack(const SdkUserStack &stack)
{
    Guard hold(m_threadOrg);
    m_solvedStack = std::make_unique<SdkSolvedStack>(stack);
}

void Sudoku::_DestroySolvedStack()
{
    Guard hold(m_threadOrg);
    m_solvedStack.reset();
}

// ---------------------------------------------------------------------------------------
// Starting states

bool Sudoku::Reset()
{
    Guard hold(m_threadOrg);
    if (IsThreadRunning())
        return false;
    _Reset();
    return true;
}

void Sudoku::_Reset()
{
    Guard hold(m_threadOrg);
    SettleMarks();
    DropFixpoint();
    EmptyAllDoubleLists();
    for (SdkField &f : m_fields)
        f.Empty();
    m_btStepsOnCreation = -1;
    m_playSeconds = 0;
    m_origin = {};
    m_userStack.Empty(false);
    m_fileName.Empty();
    m_stateChanged = false;
    m_definitionChanged = false;
}

bool Sudoku::StartGame(bool keepValues, bool keepHistory, bool newGame)
{
    Guard hold(m_threadOrg);
    if (IsThreadRunning())
        return false;
    SettleMarks();
    DropFixpoint();
    if (!keepValues) {
        for (SdkField &f : m_fields)
            if (!f.IsFix())
                f.Empty();
        m_stateChanged = true;
        // Back at the givens the riddle is played afresh, and so timed afresh.
        m_playSeconds = 0;
    }
    EmptyAllDoubleLists();
    CalcResultSets(true, false);
    if (GetUnsolvedCount() > 0) {
        CleanBlockResultSets(SdkBlockRow);
        CleanBlockResultSets(SdkBlockColumn);
        CleanBlockResultSets(SdkBlockQuad);
    }
    ClearLastChanges();
    MarkDoubleResults();

    if (keepHistory && keepValues) {
        // Undo and redo the latest move so that its field carries the mark.
        if (m_userStack.CanUndo() && _Undo(false))
            _Redo(false);
    } else if (keepHistory) {
        m_userStack.Empty(true);
    } else {
        m_userStack.Empty(false);
        m_stateChanged = true;
    }
    m_solvedStack.reset();

    if (newGame) {
        m_fileName.Empty();
        m_definitionChanged = GetFixCount() > 0;
        m_stateChanged = GetSolvedCount() > 0;
    }
    return true;
}
