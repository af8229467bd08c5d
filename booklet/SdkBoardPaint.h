#pragma once

// The pieces of the board picture that screen and paper share: field boxes, grid lines and
// digits on a 9 x 9 board of 1000 logical units a field, and the printed board made of them.

#include "base/GGeometry.h"
#include "engine/SdkTypes.h"
#include "velox/VxDraw.h"

#include <QString>
#include <array>
#include <cstdint>

class Sudoku;

namespace SdkBoardPaint {

inline constexpr double FieldSize = 1000.0;
inline constexpr double ValueHeight = FieldSize / 2.25;

// 81 digits in reading order, 0 for an empty field.
using Grid = std::array<uint8_t, 81>;

QString BoardFont();

// The box of a field in the scale's logical board; false outside 0..8.
bool GetBox(const GScale &scale, GPoint &p1, GPoint &p2, unsigned row, unsigned column);
// One field: a frame of width 1 in black around the fill colour.
void DrawFieldBox(VxVectorDrawArea &area, unsigned row, unsigned column, short fill);
void DrawFieldBox(VxVectorDrawArea &area, unsigned row, unsigned column, const QColor &fill,
                  const QColor &frame);
// The grid lines: on screen the eight inner ones per direction (3 at box borders), on paper
// all ten (10 at box borders), so the printed board has its outer frame.
void DrawGridLines(VxVectorDrawArea &area, bool printing);
void DrawGridLines(VxVectorDrawArea &area, bool printing, const QColor &colour);
// A digit centred in its field.
void DrawDigit(VxVectorDrawArea &area, unsigned row, unsigned column, unsigned digit, short colour);
void DrawDigit(VxVectorDrawArea &area, unsigned row, unsigned column, unsigned digit,
               const QColor &colour);

// The board as it goes on paper, drawn into the area's logical board: white fields, all grid
// lines, every value in black, no candidates.
void DrawPrintedBoard(const Grid &values, VxVectorDrawArea &area);

// The current values of a game.
Grid ValuesOf(const Sudoku &game);

} // namespace SdkBoardPaint
