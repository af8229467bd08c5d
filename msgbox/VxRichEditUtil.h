#pragma once

// The markup of every message: plain text with tags in angle brackets.
//
//   <b> <u> <i>            bold, underline, italic on; </b> </u> </i> off
//   <col:NAME>             colour by name of the 16-colour table (unknown names are black)
//   <font:FACE>            font face;            </font>  back to the control's font
//   <size:N>               point size;           </size>  back to the control's size
//   <align:left|center|right>                    </align> back to left
//
// Closing tags return to the default, never to an outer value. Any other tag is shown as text.
// An unterminated or empty tag ends the conversion: what came before it is shown and the
// formatting error is reported once.

#include <QString>

class QTextEdit;

class VxRichEditUtil
{
public:
    // Appends lineBreaks line breaks to a non-empty text, converts it and appends the result
    // to the control. With resetSelection the cursor goes back to the start afterwards.
    static void SetFormattedText(QTextEdit *edit, const QString &text, bool resetSelection,
                                 int lineBreaks);

    // Index of a colour name (case ignored); 0 (black) for an empty or unknown name.
    static short GetColorIndex(const QString &name);
    // Name of a colour index; "black" for an index outside the table.
    static QString GetColorName(int index);

private:
    // Appends one segment with that format, followed by a blank.
    static void AddInfoText(QTextEdit *edit, bool bold, bool underline, bool italic,
                            short colorIndex, const QString &font, int pointSize,
                            unsigned short alignment, const QString &text);
};
