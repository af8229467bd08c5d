#include "booklet/SdkBoardPaint.h"

#include "engine/Sudoku.h"
#include "velox/VxCtl.h"

namespace SdkBoardPaint {

namespace {
constexpr short Black = 0;
constexpr short White = 7;
} // namespace

QString BoardFont()
{
    return QStringLiteral("Arial");
}

bool GetBox(const GScale &scale, GPoint &p1, GPoint &p2, unsigned row, unsigned column)
{
    if (row >= 9 || column >= 9)
        return false;
    const GPoint origin = scale.GetMin();
    p1 = GPoint(origin.x + FieldSize * column, origin.y + FieldSize * row);
    p2 = p1 + GPoint(FieldSize, FieldSize);
    return true;
}

void DrawFieldBox(VxVectorDrawArea &area, unsigned row, unsigned column, short fill)
{
    DrawFieldBox(area, row, column, fill < 0 ? QColor() : VxCtl::Color(fill), VxCtl::Color(Black));
}

void DrawFieldBox(VxVectorDrawArea &area, unsigned row, unsigned column, const QColor &fill,
                  const QColor &frame)
{
    GPoint p1;
    GPoint p2;
    if (GetBox(area.Scale(), p1, p2, row, column))
        area.DrawRect(p1, p2, frame, fill, 1, 1);
}

void DrawGridLines(VxVectorDrawArea &area, bool printing)
{
    DrawGridLines(area, printing, VxCtl::Color(Black));
}

void DrawGridLines(VxVectorDrawArea &area, bool printing, const QColor &colour)
{
    const GScale &scale = area.Scale();
    const GPoint min = scale.GetMin();
    const GPoint max = scale.GetMax();
    const double dx = (max.x - min.x) / 9;
    const double dy = (max.y - min.y) / 9;
    const int first = printing ? 0 : 1;
    const int last = printing ? 9 : 8;
    for (int k = first; k <= last; ++k) {
        const bool box = k % 3 == 0;
        const int width = box ? (printing ? 10 : 3) : 1;
        area.DrawLine(GPoint(min.x + k * dx, min.y), GPoint(min.x + k * dx, max.y), colour, 1,
                      width);
        area.DrawLine(GPoint(min.x, min.y + k * dy), GPoint(max.x, min.y + k * dy), colour, 1,
                      width);
    }
}

void DrawDigit(VxVectorDrawArea &area, unsigned row, unsigned column, unsigned digit, short colour)
{
    DrawDigit(area, row, column, digit, colour < 0 ? QColor() : VxCtl::Color(colour));
}

void DrawDigit(VxVectorDrawArea &area, unsigned row, unsigned column, unsigned digit,
               const QColor &colour)
{
    GPoint p1;
    GPoint p2;
    if (!GetBox(area.Scale(), p1, p2, row, column))
        return;
    const QString text = QString::asprintf("%1d", digit);
    const GPoint size = area.GetTextSize(text, BoardFont(), ValueHeight);
    const GPoint pos((FieldSize - size.x) / 2 + p1.x, (FieldSize - size.y) / 2 + p1.y);
    area.DrawText(pos, text, BoardFont(), ValueHeight, colour);
}

void DrawPrintedBoard(const Grid &values, VxVectorDrawArea &area)
{
    for (unsigned row = 0; row < 9; ++row)
        for (unsigned column = 0; column < 9; ++column)
            DrawFieldBox(area, row, column, White);
    DrawGridLines(area, true);
    for (unsigned i = 0; i < 81; ++i)
        if (values[i] != 0)
            DrawDigit(area, i / 9, i % 9, values[i], Black);
}

Grid ValuesOf(const Sudoku &game)
{
    Grid values{};
    TLocker<Sudoku> lock(game);
    for (unsigned i = 0; i < 81; ++i)
        values[i] = uint8_t(game.GetField(i / 9, i % 9).GetValue());
    return values;
}

} // namespace SdkBoardPaint
