// Mouse and keyboard on the board.
#include "app/WndSudoku.h"
#include "velox/VxCtl.h"

#include <QLineEdit>

namespace {
const SdkText NeedFixValues{
    "Sie müssen zunächst eine Spieldefinition mit mindestens 10 Werten eingeben oder erzeugen.",
    "You first have to setup or create a game-definition with at least 10 fix values."};
} // namespace

bool WndSudoku::SdkLButtonDown(VxEventMouse &event)
{
    TLocker<Sudoku> lock(*game);
    VxWDraw *draw = DrawWindow();
    if (game->IsThreadRunning() || !draw)
        return true;
    const GPoint p = draw->DcToLog(GPoint(event.GetPos().x(), event.GetPos().y()));
    unsigned row = 0;
    unsigned column = 0;
    if (!GetRowCol(draw->GetContent()->Scale(), p, row, column))
        return true;
    if (row == activeRow && column == activeColumn && draw->hasFocus())
        return true;
    activeRow = row;
    activeColumn = column;
    draw->setFocus(Qt::MouseFocusReason);
    RedrawGame(false);
    return true;
}

bool WndSudoku::SdkLButtonUp(VxEventMouse &)
{
    if (game->IsThreadRunning()) {
        TakeEditValue(false);
        return true;
    }
    EmptyStatus();
    TakeEditValue(true);
    return true;
}

bool WndSudoku::SdkRButtonDown(VxEventMouse &event)
{
    return SdkLButtonDown(event);
}

bool WndSudoku::SdkRButtonUp(VxEventMouse &)
{
    return true;
}

bool WndSudoku::SdkKeyDown(VxEventKey &event)
{
    if (game->IsThreadRunning())
        return false;
    switch (VxKeyTable::FindKeyIndex(event.GetKey())) {
    case 4: // right
        if (++activeColumn > 8) {
            activeColumn = 0;
            activeRow = activeRow >= 8 ? 0 : activeRow + 1;
        }
        break;
    case 3: // left
        if (activeColumn == 0) {
            activeColumn = 8;
            activeRow = activeRow == 0 ? 8 : activeRow - 1;
        } else {
            --activeColumn;
        }
        break;
    case 2: // down
        if (++activeRow > 8) {
            activeRow = 0;
            activeColumn = activeColumn >= 8 ? 0 : activeColumn + 1;
        }
        break;
    case 1: // up
        if (activeRow == 0) {
            activeRow = 8;
            activeColumn = activeColumn == 0 ? 8 : activeColumn - 1;
        } else {
            --activeRow;
        }
        break;
    case 0:  // return
    case 14: // F2
        if (!fixMode && game->GetFixCount() < SdkTx::MinFixNum)
            Status(Text(NeedFixValues), 12, 3);
        else
            EditValue(activeRow, activeColumn);
        break;
    case 9: // delete
        RemoveCurrentValue(activeRow, activeColumn);
        break;
    default:
        return false;
    }
    RedrawGame(false);
    return true;
}

bool WndSudoku::SdkKeyUp(VxEventKey &)
{
    return !game->IsThreadRunning();
}

bool WndSudoku::SdkChar(VxEventKey &event)
{
    const QChar c = event.GetChar();
    if (c < QLatin1Char('1') || c > QLatin1Char('9'))
        return false;
    SetCurrentValue(SdkDigit(c.unicode() - '0'), activeRow, activeColumn);
    return true;
}

bool WndSudoku::GameEditChar(VxEventKey &)
{
    return false;
}

bool WndSudoku::GameEditMouseDown(VxEventMouse &)
{
    return false;
}

bool WndSudoku::GameEditKillFocus(VxEvent &)
{
    TakeEditValue(false);
    return true;
}

bool WndSudoku::DoEmptyField(VxEvent &)
{
    return true;
}

bool WndSudoku::DoTakeComputedCandidates(VxEvent &)
{
    return true;
}

bool WndSudoku::DoEditCandidates(VxEvent &)
{
    return true;
}

bool WndSudoku::DoDeleteCandidates(VxEvent &)
{
    return true;
}

bool WndSudoku::DoDeleteAllCandidates(VxEvent &)
{
    return true;
}

bool WndSudoku::DoSetMenuDigit(VxEvent &)
{
    return true;
}

bool WndSudoku::ViewResultSetsChecked(VxEvent &)
{
    RedrawGame(true);
    return true;
}

bool WndSudoku::ViewResultSetsSingleChecked(VxEvent &)
{
    RedrawGame(true);
    return true;
}

bool WndSudoku::ViewConflictsChecked(VxEvent &)
{
    RedrawGame(true);
    return true;
}

bool WndSudoku::SetCurrentValue(SdkDigit digit, unsigned row, unsigned column)
{
    if (row >= 9 || column >= 9)
        return false;
    TLocker<Sudoku> lock(*game);
    if (game->IsThreadRunning())
        return false;
    if (!fixMode && game->GetFixCount() < SdkTx::MinFixNum) {
        Status(Text(NeedFixValues), 12, 3);
        return false;
    }
    game->ResetLastChanges();
    bool done = false;
    if (fixMode)
        done = game->ValueAllowed(digit, row, column, false) && game->Fix(digit, row, column) &&
               game->StartGame(false, false, true);
    else
        done = game->SetValue(digit, row, column);
    if (done) {
        RedrawGame(true);
        ValidateStates();
    }
    return done;
}

bool WndSudoku::RemoveCurrentValue(unsigned row, unsigned column)
{
    if (row >= 9 || column >= 9)
        return false;
    TLocker<Sudoku> lock(*game);
    if (!fixMode && game->GetFixCount() < SdkTx::MinFixNum) {
        Status(Text(NeedFixValues), 12, 3);
        return false;
    }
    game->ResetLastChanges();
    const SdkField field = game->GetField(row, column);
    bool done = false;
    if (fixMode)
        done = field.IsFix() && game->Unfix(row, column) && game->StartGame(false, false, true);
    else
        done = !field.IsFix() && game->EmptyValue(row, column);
    if (done) {
        RedrawGame(true);
        ValidateStates();
    }
    return done;
}

void WndSudoku::EditValue(unsigned, unsigned) {}

bool WndSudoku::TakeEditValue(bool)
{
    if (!editWindow)
        return false;
    AddTimerState(TS_EDIT_DONE);
    EmptyStatus();
    return false;
}
