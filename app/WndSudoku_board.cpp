// Board geometry and drawing. The board is 9 x 9 fields of 1000 logical units; one drawing
// code serves the screen, the printer and test images through VxVectorDrawArea.
#include "app/WndSudoku.h"
#include "booklet/SdkBoardPaint.h"
#include "velox/VxCtl.h"

#include <QLineEdit>
#include <QPainter>
#include <cmath>

namespace {
const QString BoardFont = QStringLiteral("Arial");
constexpr double CandidateHeight = WndSudoku::FieldSize / 3.5;
constexpr double NoSolutionHeight = WndSudoku::FieldSize / 4;
constexpr double DoubleHeight = WndSudoku::FieldSize / 5;

// The lines of a candidate list: "{1,2,3," / "4,5}", three digits a line.
QStringList CandidateLines(const SdkResultSet &set)
{
    QStringList lines;
    QString line = QStringLiteral("{");
    const int count = set.Count();
    for (int i = 0; i < count; ++i) {
        line += QString::number(unsigned(set.GetValue(i)));
        if (i + 1 < count) {
            line += QLatin1Char(',');
            if ((i + 1) % 3 == 0) {
                lines.append(line);
                line.clear();
            }
        }
    }
    line += QLatin1Char('}');
    lines.append(line);
    return lines;
}
} // namespace

// --- Geometry -------------------------------------------------------------------------------

bool WndSudoku::GetBox(const GScale &scale, GPoint &p1, GPoint &p2, unsigned row, unsigned column)
{
    return SdkBoardPaint::GetBox(scale, p1, p2, row, column);
}

bool WndSudoku::GetBox(const GScale &scale, GPoint &p1, GPoint &p2, const GPoint &point)
{
    unsigned row = 0;
    unsigned column = 0;
    return GetRowCol(scale, point, row, column) && GetBox(scale, p1, p2, row, column);
}

bool WndSudoku::GetRowCol(const GScale &scale, const GPoint &point, unsigned &row, unsigned &column)
{
    row = 0;
    column = 0;
    if (!point.IsIn(scale.GetMin(), scale.GetMax()))
        return false;
    const int last = int(9 * FieldSize) - 1;
    const int x = std::clamp(int(point.x), 0, last);
    const int y = std::clamp(int(point.y), 0, last);
    column = unsigned(x) / unsigned(FieldSize);
    row = unsigned(y) / unsigned(FieldSize);
    return true;
}

bool WndSudoku::GetRowCol(const GScale &scale, const GPoint &p1, const GPoint &p2, unsigned &row,
                          unsigned &column)
{
    const GPoint centre((p2.x - p1.x) / 2 + p1.x, (p2.y - p1.y) / 2 + p1.y);
    return GetRowCol(scale, centre, row, column);
}

bool WndSudoku::GetRowCol(const GScale &scale, const GDoubleBox &box, unsigned &row,
                          unsigned &column)
{
    GPoint p1;
    GPoint p2;
    BoxToGPoints(p1, p2, box);
    return GetRowCol(scale, p1, p2, row, column);
}

void WndSudoku::BoxToGPoints(GPoint &p1, GPoint &p2, const GDoubleBox &box)
{
    p1 = box.P1();
    p2 = box.P2();
}

void WndSudoku::GPointsToBox(GDoubleBox &box, const GPoint &p1, const GPoint &p2)
{
    box.Set(p1, p2);
}

VxWDraw *WndSudoku::DrawWindow() const
{
    return dynamic_cast<VxWDraw *>(FindChild(QStringLiteral("DRAW")));
}

VxCntDraw *WndSudoku::DrawContent() const
{
    VxWDraw *draw = DrawWindow();
    return draw ? draw->GetContent() : nullptr;
}

// --- Drawing --------------------------------------------------------------------------------

void WndSudoku::Draw(VxCntDraw &, VxVectorDrawArea &area)
{
    // A worker may go on changing the game while the board is painted from the copy.
    Sudoku copy;
    game->Lock();
    copy = *game;
    game->Release();

    if (paused) {
        DrawPauseCover(area);
        return;
    }
    // Beside a square board in a wider window the background shows; it takes the board's colour.
    if (playAids.colours != SdkBoardColours::Standard)
        area.Painter().fillRect(area.Painter().viewport(), BoardPalette().field);
    DrawFields(copy, area, false);
    DrawDigits(copy, area, false);
    DrawResultSets(copy, area, false);
    DrawHint(area);

    if (!editWindow)
        return;
    GPoint p1;
    GPoint p2;
    if (!GetBox(area.Scale(), p1, p2, activeRow, activeColumn))
        return;
    const QString label = Text(SdkTx::CandidatesLabel);
    const double margin = FieldSize / 15;
    const GPoint size = area.GetTextSize(label, BoardFont, CandidateHeight, 0, true, false, true);
    double x = (p1.x + p2.x) / 2 - size.x / 2;
    const double left = area.Scale().GetMin().x;
    const double right = area.Scale().GetMax().x;
    if (x <= left)
        x = left + margin;
    else if (x + size.x >= right)
        x = right - size.x - margin;
    const GPoint pos(x, p1.y);
    const GDoubleBox box =
        area.GetTextBox(pos, label, BoardFont, CandidateHeight, 0, true, false, true);
    const SdkBoardPalette &palette = BoardPalette();
    area.DrawRect(box.P1(), box.P2(), palette.labelBox, palette.labelBox, 1, 1);
    area.DrawText(pos, label, BoardFont, CandidateHeight, palette.labelInk,
                  VX_ALIGN_LEFT | VX_ALIGN_TOP, true, true);
}

void WndSudoku::DrawFields(const Sudoku &copy, VxVectorDrawArea &area, bool printing)
{
    const bool loading = loadingDepth > 0;
    const bool conflicts = !printing && IsCheckedBox("CHK_VIEW_CONFLICTS");
    const bool creating = game->IsCreating();
    const SdkBoardPalette &palette =
        printing ? SdkPaletteOf(SdkBoardColours::Standard) : BoardPalette();
    VxWDraw *draw = DrawWindow();
    const bool focused = draw && draw->hasFocus();
    const GScale &scale = area.Scale();
    for (unsigned row = 0; row < 9; ++row) {
        for (unsigned column = 0; column < 9; ++column) {
            const SdkField field = copy.GetField(row, column);
            FieldAlarm alarm = FieldAlarm::None;
            if (!loading && !printing && conflicts && !creating) {
                if (field.GetValue() == SdkDigitEmpty && field.GetResultSet().IsEmpty())
                    alarm = FieldAlarm::NoSolution;
                else if (field.IsDoubleResult())
                    alarm = FieldAlarm::Conflict;
            }
            const QColor &fill = alarm == FieldAlarm::NoSolution ? palette.noSolutionFill
                                 : alarm == FieldAlarm::Conflict ? palette.conflictFill
                                                                 : palette.field;
            SdkBoardPaint::DrawFieldBox(area, row, column, fill, palette.lines);
            if (!loading && !printing)
                DrawAidField(copy, area, row, column, alarm);

            if (markActiveField && !printing && focused && row == activeRow &&
                column == activeColumn) {
                GPoint p1;
                GPoint p2;
                GetBox(scale, p1, p2, row, column);
                GPoint d1 = area.LogToDc(p1);
                GPoint d2 = area.LogToDc(p2);
                d1 = d1 + GPoint(3, 3);
                d2 = d2 - GPoint(2, 2);
                area.DrawRect(area.DcToLog(d1), area.DcToLog(d2),
                              fixMode ? palette.definitionFrame : palette.activeFrame, QColor(), 1,
                              2);
            }
        }
    }

    SdkBoardPaint::DrawGridLines(area, printing, palette.lines);
}

void WndSudoku::DrawDigits(const Sudoku &copy, VxVectorDrawArea &area, bool printing)
{
    if (loadingDepth > 0)
        return;
    const bool conflicts = IsCheckedBox("CHK_VIEW_CONFLICTS");
    const SdkBoardPalette &palette =
        printing ? SdkPaletteOf(SdkBoardColours::Standard) : BoardPalette();
    for (unsigned row = 0; row < 9; ++row) {
        for (unsigned column = 0; column < 9; ++column) {
            const SdkField field = copy.GetField(row, column);
            if (field.GetValue() == SdkDigitEmpty)
                continue;
            QColor colour = palette.played;
            if (printing || field.IsFix())
                colour = palette.given;
            else if (field.IsDoubleResult() && conflicts)
                colour = palette.conflictInk;
            else if (field.IsLastChanged())
                colour = palette.lastChanged;
            SdkBoardPaint::DrawDigit(area, row, column, unsigned(field.GetValue()), colour);
        }
    }
}

void WndSudoku::DrawResultSets(const Sudoku &copy, VxVectorDrawArea &area, bool printing)
{
    if (loadingDepth > 0 || printing || game->IsCreating())
        return;
    const bool viewRs = IsCheckedBox("CHK_VIEW_RS");
    const bool viewSingle = IsCheckedBox("CHK_VIEW_RS_SINGLE");
    const bool conflicts = IsCheckedBox("CHK_VIEW_CONFLICTS");
    const SdkBoardPalette &palette = BoardPalette();
    for (unsigned row = 0; row < 9; ++row) {
        for (unsigned column = 0; column < 9; ++column) {
            const SdkField field = copy.GetField(row, column);
            if (field.GetValue() != SdkDigitEmpty)
                continue;
            const SdkResultSet &set = field.GetResultSet();
            const int count = set.Count();
            const bool isDouble = field.IsDoubleResult();
            const bool hidden = !viewRs && !(viewSingle && count == 1);
            QColor colour = palette.candidates;
            if (isDouble && conflicts)
                colour = palette.conflictInk;
            else if (!hidden && count == 1)
                colour = field.IsLastChanged() ? palette.lastChangedSingle : palette.single;
            else if (count > 0)
                colour = field.IsLastChanged() ? palette.lastChangedCandidates : palette.candidates;

            if (hidden) {
                if (count == 0 && conflicts)
                    DrawFieldResultSet(area, row, column, set, colour, true, false);
                else if (isDouble && conflicts)
                    DrawFieldResultSet(area, row, column, set, palette.conflictInk, true, true);
                else if (field.GetCustomInc().Count() > 0)
                    DrawFieldResultSet(area, row, column, field.GetCustomInc(), palette.manual,
                                       false, false);
                continue;
            }
            if ((viewRs && count > 1) || (viewSingle && count == 1) || (isDouble && conflicts) ||
                (count == 0 && conflicts))
                DrawFieldResultSet(area, row, column, set, colour, conflicts, isDouble);
        }
    }
}

void WndSudoku::DrawFieldResultSet(VxVectorDrawArea &area, unsigned row, unsigned column,
                                   const SdkResultSet &set, const QColor &colour, bool showMarkers,
                                   bool isDouble)
{
    GPoint p1;
    GPoint p2;
    if (!GetBox(area.Scale(), p1, p2, row, column))
        return;
    QStringList lines;
    double height = CandidateHeight;
    QColor lineColour = colour;
    if (set.IsEmpty() || isDouble) {
        if (!showMarkers)
            return;
        if (set.IsEmpty()) {
            lines = {Text(SdkTx::NoSolution1), Text(SdkTx::NoSolution2)};
            height = NoSolutionHeight;
            lineColour = BoardPalette().noSolutionInk;
        } else {
            lines = {Text(SdkTx::DoubleResult1), Text(SdkTx::DoubleResult2)};
            height = DoubleHeight;
            lineColour = BoardPalette().conflictInk;
        }
    } else {
        lines = CandidateLines(set);
    }
    const double h = area.GetTextSize(lines.first(), BoardFont, height).y;
    const double top = (FieldSize - lines.size() * h) / 2 + p1.y;
    for (int k = 0; k < lines.size(); ++k) {
        const double w = area.GetTextSize(lines[k], BoardFont, height).x;
        const GPoint pos((FieldSize - w) / 2 + p1.x, top + k * h);
        area.DrawText(pos, lines[k], BoardFont, height, lineColour);
    }
}

void WndSudoku::InitEditFont()
{
    editFont = QFont();
    editFont.setFamilies({QStringLiteral("MS Sans Serif")});
    editFont.setPixelSize(13);
    editFont.setWeight(QFont::Normal);
    if (auto *edit = qobject_cast<QLineEdit *>(FindChild(QStringLiteral("STAT_FILENAME"))))
        edit->setFont(editFont);
}

// --- Board events ---------------------------------------------------------------------------

bool WndSudoku::SdkRedraw(VxEventDraw &event)
{
    VxCntDraw *content = event.GetContent();
    if (!content || !event.GetDrawArea() || !content->IsClassFamily("VxCntDraw"))
        return false;
    Draw(*content, *event.GetDrawArea());
    return true;
}

bool WndSudoku::SdkDrawSetFocus(VxEvent &)
{
    RedrawGame(false);
    return false;
}

bool WndSudoku::CalcGameFocusRect(VxEvent2Res &event)
{
    VxCntDraw *content = DrawContent();
    if (!content || activeRow >= 9 || activeColumn >= 9)
        return false;
    GPoint p1;
    GPoint p2;
    if (!GetBox(content->Scale(), p1, p2, activeRow, activeColumn))
        return false;
    const GPoint d1 = content->Scale().LogToDc(p1);
    const GPoint d2 = content->Scale().LogToDc(p2);
    QRect rect(QPoint(int(std::lround(d1.x)), int(std::lround(d1.y))),
               QPoint(int(std::lround(d2.x)), int(std::lround(d2.y))));
    rect = rect.normalized().adjusted(4, 4, -4, -4);
    rect.adjust(1, 1, 0, 0);
    event.Rect() = rect;
    return true;
}
