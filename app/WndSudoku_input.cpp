// Mouse and keyboard on the board: the active field, values, the context menu and the in-place
// editor of manual candidates.
#include "app/WndSudoku.h"
#include "velox/VxCtl.h"
#include "velox/VxModal.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QValidator>

namespace {
const SdkText NeedFixValues{
    "Sie müssen zunächst eine Spieldefinition mit mindestens 10 Werten eingeben oder erzeugen.",
    "You first have to setup or create a game-definition with at least 10 fix values."};
const SdkText EditCandidatesStatus{
    "Kandidaten editieren für Feld [%u/%u] ... (Ziffern eingeben, optional mit Komma trennen)",
    "Edit candidates for field [%u/%u] ... (insert digits, optionally separated by comma)"};
const SdkText MenuEmptyField{"Aktuellen Wert entfernen", "Remove current value"};
const SdkText MenuTakeCandidates{"Berechnete Kandidaten in Benutzerliste übernehmen",
                                 "Take computed candidates into your user-candidates-list"};
const SdkText MenuEditCandidates{"Manuelle Kandidaten bearbeiten ...",
                                 "Edit manual candidates ..."};
const SdkText MenuDeleteCandidates{"Manuelle Kandidaten löschen", "Delete manual candidates"};
const SdkText MenuDeleteAllCandidates{"Alle manuelle Kandidaten des Rätsels löschen",
                                      "Delete all manual candidates of this riddle"};

// Key indices of the framework's key table.
enum : int {
    KeyReturn = 0,
    KeyUp = 1,
    KeyDown = 2,
    KeyLeft = 3,
    KeyRight = 4,
    KeyDelete = 9,
    KeyEscape = 12,
    KeyF2 = 14
};

GPoint ToPoint(const QPoint &p)
{
    return GPoint(p.x(), p.y());
}

bool IsCandidateChar(QChar c)
{
    return (c >= QLatin1Char('1') && c <= QLatin1Char('9')) || c == QLatin1Char(',') ||
           c == QLatin1Char(';');
}

// Text that reaches the candidate editor other than by typing (pasted, dropped) keeps only the
// characters that typing accepts.
class CandidateFilter : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override
    {
        QString kept;
        int keptBeforePos = 0;
        for (int i = 0; i < input.size(); ++i) {
            if (!IsCandidateChar(input.at(i)))
                continue;
            kept += input.at(i);
            if (i < pos)
                ++keptBeforePos;
        }
        input = kept;
        pos = keptBeforePos;
        return Acceptable;
    }
};
} // namespace

// --- Mouse on the board ---------------------------------------------------------------------

bool WndSudoku::SdkLButtonDown(VxEventMouse &event)
{
    EndHint();
    TLocker<Sudoku> lock(*game);
    VxWDraw *draw = DrawWindow();
    if (game->IsThreadRunning() || !draw)
        return true;
    unsigned row = 0;
    unsigned column = 0;
    if (!GetRowCol(draw->GetContent()->Scale(), draw->DcToLog(ToPoint(event.GetPos())), row,
                   column))
        return true;
    const bool menuShowing = contextMenu && contextMenu->isVisible();
    if (row == activeRow && column == activeColumn && draw->hasFocus() && !menuShowing)
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
        if (VxWDraw *draw = DrawWindow(); draw && QWidget::mouseGrabber() == draw)
            draw->releaseMouse();
        TakeEditValue(false);
        return true;
    }
    EmptyStatus();
    TakeEditValue(true);
    return true;
}

bool WndSudoku::SdkRButtonDown(VxEventMouse &event)
{
    EndHint();
    TLocker<Sudoku> lock(*game);
    VxWDraw *draw = DrawWindow();
    if (game->IsThreadRunning() || !draw)
        return true;
    unsigned row = 0;
    unsigned column = 0;
    if (!GetRowCol(draw->GetContent()->Scale(), draw->DcToLog(ToPoint(event.GetPos())), row,
                   column))
        return true;
    if (row == activeRow && column == activeColumn)
        return true;
    activeRow = row;
    activeColumn = column;
    draw->setFocus(Qt::MouseFocusReason);
    RedrawGame(false);
    return true;
}

bool WndSudoku::SdkRButtonUp(VxEventMouse &event)
{
    if (VxWDraw *draw = DrawWindow())
        ShowFieldMenu(draw->DcToLog(ToPoint(event.GetPos())), event.GetGlobalPos());
    return true;
}

void WndSudoku::ShowFieldMenu(const GPoint &point, const QPoint &globalPos)
{
    VxWDraw *draw = DrawWindow();
    if (!draw)
        return;
    {
        TLocker<Sudoku> lock(*game);
        if (game->IsThreadRunning())
            return;
        const GScale &scale = draw->GetContent()->Scale();
        GPoint p1;
        GPoint p2;
        unsigned row = 0;
        unsigned column = 0;
        if (!GetBox(scale, p1, p2, point) || !GetRowCol(scale, point, row, column))
            return;
        GPointsToBox(clickedBox, p1, p2);
        const SdkField field = game->GetField(row, column);
        const SdkResultSet computed = field.GetResultSet();
        const int count = computed.Count();
        if (!fixMode && (game->GetFixCount() < SdkTx::MinFixNum || field.IsFix()))
            return;
        const bool viewRs = !fixMode && IsCheckedBox("CHK_VIEW_RS");
        const bool viewSingle = !fixMode && IsCheckedBox("CHK_VIEW_RS_SINGLE");

        contextMenu = std::make_unique<QMenu>(this);
        contextMenu->setObjectName(QStringLiteral("SDK_CONTEXT_MENU"));
        QMenu &menu = *contextMenu;
        auto add = [this, &menu](const char *id, const QString &text, VxHandlerFn handler,
                                 const char *handlerName) {
            QAction *action = menu.addAction(text);
            action->setObjectName(QLatin1String(id));
            VxLinks::Bind(action, QLatin1String(VX_LINK_COMMAND), this, handler,
                          QLatin1String(handlerName));
            return action;
        };
        if (field.GetValue() != SdkDigitEmpty) {
            add("ID_EMPTY_FIELD", Text(MenuEmptyField), VxHandler<&WndSudoku::DoEmptyField>,
                "WndSudoku::DoEmptyField");
            menu.addSeparator();
            add("ID_DELETE_ALL_MANUAL_CANDIDATES", Text(MenuDeleteAllCandidates),
                VxHandler<&WndSudoku::DoDeleteAllCandidates>, "WndSudoku::DoDeleteAllCandidates");
        } else {
            if (fixMode) {
                // A definition has no candidates of its own.
            } else if (viewRs) {
                if (computed != game->GetUserCandidates(row, column)) {
                    add("ID_TAKE_CANDIDATES", Text(MenuTakeCandidates),
                        VxHandler<&WndSudoku::DoTakeComputedCandidates>,
                        "WndSudoku::DoTakeComputedCandidates");
                    menu.addSeparator();
                }
            } else {
                if (!(viewSingle && count == 1)) {
                    add("ID_EDIT_MANUAL_CANDIDATES", Text(MenuEditCandidates),
                        VxHandler<&WndSudoku::DoEditCandidates>, "WndSudoku::DoEditCandidates");
                    add("ID_DELETE_MANUAL_CANDIDATES", Text(MenuDeleteCandidates),
                        VxHandler<&WndSudoku::DoDeleteCandidates>, "WndSudoku::DoDeleteCandidates");
                    menu.addSeparator();
                }
                add("ID_DELETE_ALL_MANUAL_CANDIDATES", Text(MenuDeleteAllCandidates),
                    VxHandler<&WndSudoku::DoDeleteAllCandidates>,
                    "WndSudoku::DoDeleteAllCandidates");
                menu.addSeparator();
            }
            const bool checkDigits = fixMode || viewRs;
            for (unsigned d = 1; d <= 9; ++d) {
                const QByteArray id = QByteArray("ID_ITEM_DIGIT_") + QByteArray::number(d);
                QAction *item =
                    add(id.constData(), QStringLiteral("&%1").arg(d),
                        VxHandler<&WndSudoku::DoSetMenuDigit>, "WndSudoku::DoSetMenuDigit");
                if (checkDigits && !game->ValueAllowed(SdkDigit(d), row, column, false))
                    item->setEnabled(false);
            }
        }
    }
    // The menu runs its own event loop: the game is not held meanwhile. A chosen item runs its
    // handler through its link.
    VxModal::ExecMenu(*contextMenu, globalPos);
}

void WndSudoku::ShowActiveFieldMenu()
{
    VxWDraw *draw = DrawWindow();
    GPoint p1;
    GPoint p2;
    if (!draw || !GetBox(draw->GetContent()->Scale(), p1, p2, activeRow, activeColumn))
        return;
    const GPoint centre((p1.x + p2.x) / 2, (p1.y + p2.y) / 2);
    const GPoint device = draw->LogToDc(centre);
    ShowFieldMenu(centre, draw->mapToGlobal(QPoint(int(device.x), int(device.y))));
}

// --- Keyboard on the board ------------------------------------------------------------------

namespace {
// One field on (delta 1) or back (-1) in the order major then minor, from the last field to
// the first and back: the board as one ring of 81 fields.
void StepThroughBoard(unsigned &major, unsigned &minor, int delta)
{
    const int index = (static_cast<int>(major * 9 + minor) + delta + 81) % 81;
    major = static_cast<unsigned>(index / 9);
    minor = static_cast<unsigned>(index % 9);
}
} // namespace

bool WndSudoku::SdkKeyDown(VxEventKey &event)
{
    if (game->IsThreadRunning())
        return false;
    EndHint();
    // Keys the open candidate editor does not use (Up, Down, F2 ...) come on to the board: they
    // must not move the field under the editor or open another one.
    if (editWindow && !HasTimerState(TS_EDIT_DONE))
        return true;
    if (PencilKey(event))
        return true;
    // The keys of the context menu open the active field's menu, where the mouse would.
    const int modifiers = event.GetModifiers() & ~Qt::KeypadModifier;
    if ((event.GetKey() == Qt::Key_Menu && modifiers == 0) ||
        (event.GetKey() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        ShowActiveFieldMenu();
        return true;
    }
    // Moves wrap through the whole board in reading order (by rows for left and right, by
    // columns for up and down).
    switch (VxKeyTable::FindKeyIndex(event.GetKey())) {
    case KeyRight:
        StepThroughBoard(activeRow, activeColumn, 1);
        break;
    case KeyLeft:
        StepThroughBoard(activeRow, activeColumn, -1);
        break;
    case KeyDown:
        StepThroughBoard(activeColumn, activeRow, 1);
        break;
    case KeyUp:
        StepThroughBoard(activeColumn, activeRow, -1);
        break;
    case KeyReturn:
    case KeyF2:
        if (!fixMode && game->GetFixCount() < SdkTx::MinFixNum)
            Status(Text(NeedFixValues), 12, 3);
        else
            EditValue(activeRow, activeColumn);
        break;
    case KeyDelete:
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
    EndHint();
    SetCurrentValue(SdkDigit(c.unicode() - '0'), activeRow, activeColumn);
    return true;
}

// --- The in-place editor of manual candidates -----------------------------------------------

bool WndSudoku::GameEditChar(VxEventKey &event)
{
    const QChar c = event.GetChar();
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
        TakeEditValue(true);
        return true;
    }
    if (c == QChar(0x1B)) {
        TakeEditValue(false);
        return true;
    }
    // Digits, separators, Backspace and Delete go to the control; every other character is
    // swallowed.
    const bool accepted = c == QChar(8) || c == QChar(0x7F) || IsCandidateChar(c);
    return !accepted;
}

bool WndSudoku::GameEditMouseDown(VxEventMouse &event)
{
    QLineEdit *edit = editWindow.data();
    VxWDraw *draw = DrawWindow();
    if (!edit || !draw)
        return false;
    // The edit captures the mouse: positions come relative to it.
    const QPoint onBoard = draw->mapFromGlobal(edit->mapToGlobal(event.GetPos()));
    const GPoint point = draw->DcToLog(ToPoint(onBoard));
    if (editBox.Contains(point))
        return false;
    if (QWidget::mouseGrabber() == edit)
        edit->releaseMouse();
    TakeEditValue(false);

    TLocker<Sudoku> lock(*game);
    unsigned row = 0;
    unsigned column = 0;
    if (!game->IsThreadRunning() && GetRowCol(draw->GetContent()->Scale(), point, row, column) &&
        (row != activeRow || column != activeColumn)) {
        activeRow = row;
        activeColumn = column;
        draw->setFocus(Qt::MouseFocusReason);
        RedrawGame(false);
    }
    return true;
}

bool WndSudoku::GameEditKillFocus(VxEvent &)
{
    if (QLineEdit *edit = editWindow.data(); edit && QWidget::mouseGrabber() == edit)
        edit->releaseMouse();
    TakeEditValue(false);
    return true;
}

void WndSudoku::EditValue(unsigned row, unsigned column)
{
    VxWDraw *draw = DrawWindow();
    if (row >= 9 || column >= 9 || fixMode || !draw)
        return;
    if (editWindow) {
        // One editor at a time; one that was closed but not yet removed goes now.
        if (!HasTimerState(TS_EDIT_DONE))
            return;
        RemoveTimerState(TS_EDIT_DONE);
        delete editWindow.data();
        editWindow = nullptr;
    }
    QString candidates;
    {
        TLocker<Sudoku> lock(*game);
        const SdkField field = game->GetField(row, column);
        if (field.IsFix() || field.GetValue() != SdkDigitEmpty || IsCheckedBox("CHK_VIEW_RS") ||
            (IsCheckedBox("CHK_VIEW_RS_SINGLE") && field.GetResultSet().Count() == 1))
            return;
        candidates =
            QString::fromStdString(game->GetUserCandidates(row, column).ToRsString().Str());
    }

    GPoint p1;
    GPoint p2;
    if (!GetBox(draw->GetContent()->Scale(), p1, p2, row, column))
        return;
    const GPoint d1 = draw->LogToDc(p1);
    const GPoint d2 = draw->LogToDc(p2);
    const int x1 = int(d1.x);
    const int y1 = int(d1.y);
    const int w = int(d2.x) - x1;
    const int h = int(d2.y) - y1;
    const int eh = int(h / 2.5);

    auto *edit = new QLineEdit(draw);
    edit->setObjectName(QStringLiteral("ED_DIGIT"));
    edit->setAlignment(Qt::AlignCenter);
    edit->setGeometry(x1 + 2, y1 + (h - eh) / 2, w - 3, eh);
    edit->setText(candidates);
    edit->setValidator(new CandidateFilter(edit));
    // The control's own menu would take the focus, and losing the focus discards the input.
    edit->setContextMenuPolicy(Qt::PreventContextMenu);
    edit->deselect();
    edit->setCursorPosition(int(candidates.size()));
    edit->show();
    editWindow = edit;
    VxLinks::Bind(edit, QLatin1String(VX_LINK_CHAR), this, VxHandler<&WndSudoku::GameEditChar>,
                  QStringLiteral("WndSudoku::GameEditChar"));
    VxLinks::Bind(edit, QLatin1String(VX_LINK_LBUTTONDOWN), this,
                  VxHandler<&WndSudoku::GameEditMouseDown>,
                  QStringLiteral("WndSudoku::GameEditMouseDown"));
    VxLinks::Bind(edit, QLatin1String(VX_LINK_RBUTTONDOWN), this,
                  VxHandler<&WndSudoku::GameEditMouseDown>,
                  QStringLiteral("WndSudoku::GameEditMouseDown"));
    VxLinks::Bind(edit, QLatin1String(VX_LINK_KILLFOCUS), this,
                  VxHandler<&WndSudoku::GameEditKillFocus>,
                  QStringLiteral("WndSudoku::GameEditKillFocus"));
    edit->setFocus(Qt::OtherFocusReason);
    edit->grabMouse();
    GPointsToBox(editBox, p1, p2);
    RedrawGame(true);
    Status(QString::asprintf(Text(EditCandidatesStatus).toUtf8().constData(), row + 1, column + 1),
           9, 0);
}

bool WndSudoku::TakeEditValue(bool take)
{
    QLineEdit *edit = editWindow.data();
    if (!edit || HasTimerState(TS_EDIT_DONE))
        return false;
    if (take) {
        VxWDraw *draw = DrawWindow();
        unsigned row = 0;
        unsigned column = 0;
        if (draw && GetRowCol(draw->GetContent()->Scale(), editBox, row, column)) {
            SdkResultSet set;
            set.FromRsString(TString(edit->text().toStdString()));
            {
                TLocker<Sudoku> lock(*game);
                game->SetUserCandidates(set, row, column);
            }
            RedrawGame(true);
            ValidateStates();
        }
    }
    if (QWidget::mouseGrabber() == edit)
        edit->releaseMouse();
    // The editor is closed: it answers nothing more until the timer removes it, and the keyboard
    // goes back to the board if the editor had it.
    for (const char *link :
         {VX_LINK_CHAR, VX_LINK_LBUTTONDOWN, VX_LINK_RBUTTONDOWN, VX_LINK_KILLFOCUS})
        VxLinks::Unbind(edit, QLatin1String(link));
    edit->setEnabled(false);
    AddTimerState(TS_EDIT_DONE);
    if (QWidget::focusWidget() == edit || !QWidget::focusWidget())
        VxCtl::SetFocus(DrawWindow());
    EmptyStatus();
    return false;
}

// --- Context-menu commands ------------------------------------------------------------------

namespace {
// The field of the box stored by the right click; the box is used once.
bool TakeClickedField(const GScale &scale, GDoubleBox &box, unsigned &row, unsigned &column)
{
    const GDoubleBox clicked = box;
    box.Clear();
    if (clicked.IsEmpty())
        return false;
    return WndSudoku::GetRowCol(scale, clicked, row, column);
}
} // namespace

bool WndSudoku::DoEmptyField(VxEvent &)
{
    unsigned row = 0;
    unsigned column = 0;
    if (VxWDraw *draw = DrawWindow();
        draw && TakeClickedField(draw->GetContent()->Scale(), clickedBox, row, column))
        RemoveCurrentValue(row, column);
    return true;
}

bool WndSudoku::DoTakeComputedCandidates(VxEvent &)
{
    unsigned row = 0;
    unsigned column = 0;
    VxWDraw *draw = DrawWindow();
    if (!draw || !TakeClickedField(draw->GetContent()->Scale(), clickedBox, row, column))
        return true;
    {
        TLocker<Sudoku> lock(*game);
        if (game->IsThreadRunning())
            return true;
        game->SetUserCandidates(game->GetField(row, column).GetResultSet(), row, column);
    }
    RedrawGame(true);
    return true;
}

bool WndSudoku::DoEditCandidates(VxEvent &)
{
    unsigned row = 0;
    unsigned column = 0;
    VxWDraw *draw = DrawWindow();
    if (!draw || !TakeClickedField(draw->GetContent()->Scale(), clickedBox, row, column))
        return true;
    // The menu is still closing and would take the keyboard back from a new editor: it opens
    // once the menu is gone.
    QTimer::singleShot(0, this, [this, row, column] { EditValue(row, column); });
    return true;
}

bool WndSudoku::DoDeleteCandidates(VxEvent &)
{
    unsigned row = 0;
    unsigned column = 0;
    VxWDraw *draw = DrawWindow();
    if (!draw || !TakeClickedField(draw->GetContent()->Scale(), clickedBox, row, column))
        return true;
    {
        TLocker<Sudoku> lock(*game);
        if (game->IsThreadRunning())
            return true;
        game->EmptyUserCandidates(row, column);
    }
    RedrawGame(true);
    return true;
}

bool WndSudoku::DoDeleteAllCandidates(VxEvent &)
{
    clickedBox.Clear();
    {
        TLocker<Sudoku> lock(*game);
        if (game->IsThreadRunning())
            return true;
        game->EmptyAllUserCandidates();
    }
    RedrawGame(true);
    return true;
}

bool WndSudoku::DoSetMenuDigit(VxEvent &event)
{
    unsigned row = 0;
    unsigned column = 0;
    VxWDraw *draw = DrawWindow();
    if (!draw || !TakeClickedField(draw->GetContent()->Scale(), clickedBox, row, column))
        return true;
    const QString id = event.GetSource() ? event.GetSource()->objectName() : QString();
    bool ok = false;
    const unsigned digit = id.section(QLatin1Char('_'), -1).toUInt(&ok);
    if (ok && digit >= 1 && digit <= 9)
        SetCurrentValue(SdkDigit(digit), row, column);
    return true;
}

// --- View options ---------------------------------------------------------------------------

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

// --- Values ---------------------------------------------------------------------------------

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
        // Whether the digit is legal is the engine's decision.
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
