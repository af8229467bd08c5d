// Play aids: highlights on the board, the digit counts and the playing time beside it, pencil
// marks from the keyboard and the shortcuts of the menus. Every aid is off until the user turns
// it on in the play options, so the board looks as it always did.
#include "app/WndSudoku.h"
#include "velox/VxCtl.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QPolygonF>

namespace {
const SdkText MenuPause{"&Pause", "P&ause"};
const SdkText MenuCopyRiddle{"Rätsel &kopieren", "&Copy riddle"};
const SdkText MenuPasteRiddle{"Rätsel &einfügen", "Pas&te riddle"};
const SdkText MenuStatistics{"&Statistik ...", "&Statistics ..."};
const SdkText PlayTimeLabel{"Spielzeit: %1", "Playing time: %1"};
const SdkText PausedSuffix{" (Pause)", " (paused)"};

struct AidCommand
{
    const char *action;
    VxHandlerFn handler;
    const char *name;
    const SdkText *text;
};
const AidCommand AidCommands[] = {
    {"MN_PAUSE", VxHandler<&WndSudoku::DoPause>, "WndSudoku::DoPause", &MenuPause},
    {"MN_COPY_RIDDLE", VxHandler<&WndSudoku::DoCopyRiddle>, "WndSudoku::DoCopyRiddle",
     &MenuCopyRiddle},
    {"MN_PASTE_RIDDLE", VxHandler<&WndSudoku::DoPasteRiddle>, "WndSudoku::DoPasteRiddle",
     &MenuPasteRiddle},
    {"MN_STATISTICS", VxHandler<&WndSudoku::DoStatistics>, "WndSudoku::DoStatistics",
     &MenuStatistics},
};

// Shortcuts go on the menu items, so they are shown beside the texts and are enabled exactly
// when the items are.
struct AidShortcut
{
    const char *action;
    const char *keys; // the first is the one the menu shows
};
const AidShortcut AidShortcuts[] = {
    {"MN_CREATE_GAME", "Ctrl+N"},        {"MN_LOAD_GAME", "Ctrl+O"}, {"MN_SAVE_GAME", "Ctrl+S"},
    {"MN_SAVE_GAME_AS", "Ctrl+Shift+S"}, {"MN_PRINT", "Ctrl+P"},     {"MN_UNDO", "Ctrl+Z"},
    {"MN_REDO", "Ctrl+Shift+Z; Ctrl+Y"}, {"MN_DOCUMENTATION", "F1"}, {"MN_PAUSE", "P"},
};

// The digit row by the platform's codes of the physical keys: X11 and Wayland key codes
// (evdev + 8), Windows scan codes and virtual keys, macOS virtual keys.
SdkDigit DigitOfNativeKey(unsigned scanCode, unsigned virtualKey)
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("windows")) {
        if (virtualKey >= 0x31 && virtualKey <= 0x39)
            return SdkDigit(virtualKey - 0x30);
        if (scanCode >= 0x02 && scanCode <= 0x0A)
            return SdkDigit(scanCode - 0x01);
        return SdkDigitEmpty;
    }
    if (platform == QLatin1String("cocoa")) {
        static const unsigned macDigits[9] = {18, 19, 20, 21, 23, 22, 26, 28, 25};
        for (unsigned d = 0; d < 9; ++d)
            if (virtualKey == macDigits[d] && virtualKey != 0)
                return SdkDigit(d + 1);
        return SdkDigitEmpty;
    }
    if (scanCode >= 10 && scanCode <= 18)
        return SdkDigit(scanCode - 9);
    return SdkDigitEmpty;
}
} // namespace

void WndSudoku::InitAids()
{
    for (const AidCommand &c : AidCommands)
        if (QAction *a = FindAction(QLatin1String(c.action)))
            VxLinks::Bind(a, QLatin1String(VX_LINK_COMMAND), this, c.handler,
                          QLatin1String(c.name));
    for (const AidShortcut &s : AidShortcuts)
        if (QAction *a = FindAction(QLatin1String(s.action)))
            a->setShortcuts(QKeySequence::listFromString(QLatin1String(s.keys)));
    setAcceptDrops(true);
    SetPlayAids(playAids);
}

void WndSudoku::LocalizeAids()
{
    for (const AidCommand &c : AidCommands)
        SetMenuText(QLatin1String(c.action), Text(*c.text));
}

void WndSudoku::SetPlayAids(const SdkPlayAids &aids)
{
    playAids = aids;
    VxCtl::Show(Child(QStringLiteral("STAT_PLAY_TIME")), aids.playTime);
    VxCtl::Show(Child(QStringLiteral("STAT_DIGIT_COUNTS")), aids.digitCounts);
    RedrawGame(false);
}

SdkDigit WndSudoku::DigitOfKey(const VxEventKey &event)
{
    const int key = event.GetKey();
    if (key >= Qt::Key_1 && key <= Qt::Key_9)
        return SdkDigit(key - Qt::Key_0);
    return DigitOfNativeKey(event.GetNativeScanCode(), event.GetNativeVirtualKey());
}

bool WndSudoku::PencilKey(VxEventKey &event)
{
    const int modifiers = event.GetModifiers();
    if (!(modifiers & Qt::ShiftModifier) ||
        (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const SdkDigit digit = DigitOfKey(event);
    // Where the candidate editor would not open, the key keeps its old meaning.
    if (digit == SdkDigitEmpty || fixMode || paused || activeRow >= 9 || activeColumn >= 9)
        return false;
    {
        TLocker<Sudoku> lock(*game);
        if (game->GetFixCount() < SdkTx::MinFixNum)
            return false;
        const SdkField field = game->GetField(activeRow, activeColumn);
        if (field.IsFix() || field.GetValue() != SdkDigitEmpty || IsCheckedBox("CHK_VIEW_RS") ||
            (IsCheckedBox("CHK_VIEW_RS_SINGLE") && field.GetResultSet().Count() == 1))
            return false;
        if (game->GetUserCandidates(activeRow, activeColumn).HasValue(digit))
            (void)game->RemoveUserCandidate(digit, activeRow, activeColumn);
        else
            (void)game->AddUserCandidate(digit, activeRow, activeColumn);
    }
    RedrawGame(true);
    ValidateStates();
    return true;
}

// --- On the board ---------------------------------------------------------------------------

const SdkBoardPalette &WndSudoku::BoardPalette() const
{
    return SdkPaletteOf(playAids.colours);
}

void WndSudoku::DrawAidField(const Sudoku &copy, VxVectorDrawArea &area, unsigned row,
                             unsigned column, FieldAlarm alarm)
{
    const SdkBoardPalette &palette = BoardPalette();
    const bool marked = alarm != FieldAlarm::None && palette.shapeMarks;
    if (!playAids.OnBoard() && !marked)
        return;
    GPoint p1;
    GPoint p2;
    GetBox(area.Scale(), p1, p2, row, column);
    const GPoint d1 = area.LogToDc(p1);
    const GPoint d2 = area.LogToDc(p2);
    QPainter &painter = area.Painter();
    if (alarm != FieldAlarm::None) {
        // A conflict keeps its fill and gets a corner, so it does not rest on its colour alone
        // beside the tints. Where the palette marks by shape, a field without a solution has a
        // second corner, so the two are told apart without colour as well; those corners stay
        // above the two-line labels.
        const double leg = (d2.x - d1.x) / (palette.shapeMarks ? 4 : 3);
        painter.save();
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette.mark);
        painter.drawPolygon(
            QPolygonF({QPointF(d1.x, d1.y), QPointF(d1.x + leg, d1.y), QPointF(d1.x, d1.y + leg)}));
        if (marked && alarm == FieldAlarm::NoSolution)
            painter.drawPolygon(QPolygonF(
                {QPointF(d2.x, d1.y), QPointF(d2.x - leg, d1.y), QPointF(d2.x, d1.y + leg)}));
        painter.restore();
        return;
    }
    const SdkDigit activeDigit = copy.GetField(activeRow % 9, activeColumn % 9).GetValue();
    QColor tint;
    if (playAids.sameDigit && activeDigit != SdkDigitEmpty &&
        copy.GetField(row, column).GetValue() == activeDigit)
        tint = palette.sameDigitTint;
    else if (playAids.units && (row == activeRow || column == activeColumn ||
                                (row / 3 == activeRow / 3 && column / 3 == activeColumn / 3)))
        tint = palette.unitTint;
    if (!tint.isValid())
        return;
    painter.fillRect(QRectF(QPointF(d1.x, d1.y), QPointF(d2.x, d2.y)).normalized(), tint);
    area.DrawRect(p1, p2, palette.lines, QColor(), 1, 1);
}

// --- Beside the board -----------------------------------------------------------------------

void WndSudoku::UpdateAidWidgets(const unsigned counts[10], unsigned seconds)
{
    if (playAids.digitCounts) {
        // Each digit with its count below its right; a digit placed nine times is done: green,
        // with a tick instead of the count.
        QString cells;
        for (unsigned d = 1; d <= 9; ++d) {
            const bool done = counts[d] >= 9;
            cells += QStringLiteral("<td style=\"color:%1\"><b>%2</b><sub>%3</sub></td>")
                         .arg(done ? QStringLiteral("#008000") : QStringLiteral("#000080"))
                         .arg(d)
                         .arg(done ? QStringLiteral("&#x2713;") : QString::number(counts[d]));
        }
        SetTextIfChanged(
            "STAT_DIGIT_COUNTS",
            QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\"><tr>%1</tr></table>")
                .arg(cells));
    }
    if (playAids.playTime) {
        QString text = Text(PlayTimeLabel).arg(PlayTimeText(seconds));
        if (paused)
            text += Text(PausedSuffix);
        SetTextIfChanged("STAT_PLAY_TIME", text);
    }
}

QString WndSudoku::PlayTimeText(unsigned seconds)
{
    const unsigned h = seconds / 3600;
    const unsigned m = seconds / 60 % 60;
    const unsigned s = seconds % 60;
    if (h > 0)
        return QString::asprintf("%u:%02u:%02u", h, m, s);
    return QString::asprintf("%u:%02u", m, s);
}

void WndSudoku::ValidateAids(bool running, unsigned fixCount, bool completed)
{
    const bool playable = !running && !fixMode && fixCount >= SdkTx::MinFixNum && !completed;
    EnableMenu("MN_PAUSE", paused || playable);
    EnableMenu("MN_COPY_RIDDLE", !running && fixCount > 0);
    EnableMenu("MN_PASTE_RIDDLE", !running && !fixMode);
}
