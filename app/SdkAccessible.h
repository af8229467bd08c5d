#pragma once

// The board as assistive technology sees it: a table of 81 cells, each named by its row and
// column, with its value, whether it is given or played, and its candidates. The board widget
// draws everything itself, so without this a screen reader would see one blank picture.

#include <QString>

class QAccessibleInterface;
class QObject;
class WndSudoku;

namespace SdkAccessible {

// Registers the board's interfaces with Qt; once per process, before the first window shows.
void Install();

// The accessible description of a field: "Row 3, column 5" and so on, in the window's language.
QString FieldName(unsigned row, unsigned column, int language);
QString FieldDescription(const WndSudoku &window, unsigned row, unsigned column);

// Tells assistive technology that the active field moved or its content changed; the window
// calls it on every tick and it reports only what differs from the last call. Returns what it
// announced: QAccessible::Focus, QAccessible::ValueChanged, or 0 for nothing.
int Track(WndSudoku &window);

} // namespace SdkAccessible
