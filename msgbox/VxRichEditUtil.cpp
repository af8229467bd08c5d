#include "msgbox/VxRichEditUtil.h"

#include "velox/VxApp.h"
#include "velox/VxPalette.h"

#include <QList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

enum Alignment : unsigned short { AlignLeft = 1, AlignCenter = 2, AlignRight = 4 };

// Larger sizes only serve to make the control unusable.
constexpr int MaxPointSize = 400;

struct Segment
{
    bool isTag;
    QString text;
};

struct FormatState
{
    bool bold = false;
    bool underline = false;
    bool italic = false;
    short color = 0;
    QString font;
    int size = 0;
    unsigned short align = AlignLeft;
};

// Splits into text and tag segments; false when a tag is unterminated or empty, in which case
// the segments before it are kept.
bool Split(const QString &text, QList<Segment> &segments)
{
    qsizetype pos = 0;
    for (;;) {
        const qsizetype open = text.indexOf(QLatin1Char('<'), pos);
        if (open < 0) {
            segments.append({false, text.mid(pos)});
            return true;
        }
        segments.append({false, text.mid(pos, open - pos)});
        const qsizetype close = text.indexOf(QLatin1Char('>'), open + 1);
        if (close < 0 || close == open + 1)
            return false;
        segments.append({true, text.mid(open + 1, close - open - 1)});
        pos = close + 1;
    }
}

bool HasValue(const QString &lowerName, const char *prefix)
{
    return lowerName.startsWith(QLatin1String(prefix));
}

// Applies a tag to the state; false when it is not a formatting tag and is to be shown as text.
bool ApplyTag(const QString &tag, FormatState &s)
{
    const bool closing = tag.startsWith(QLatin1Char('/'));
    const QString name = closing ? tag.mid(1) : tag;
    const QString lower = name.toLower();
    if (lower == QLatin1String("b")) {
        s.bold = !closing;
        return true;
    }
    if (lower == QLatin1String("u")) {
        s.underline = !closing;
        return true;
    }
    if (lower == QLatin1String("i")) {
        s.italic = !closing;
        return true;
    }
    const bool isWord = lower == QLatin1String("col") || lower == QLatin1String("font") ||
                        lower == QLatin1String("size") || lower == QLatin1String("align");
    const bool withValue = HasValue(lower, "col:") || HasValue(lower, "font:") ||
                           HasValue(lower, "size:") || HasValue(lower, "align:");
    if (closing) {
        if (lower == QLatin1String("col"))
            s.color = 0;
        else if (lower == QLatin1String("font"))
            s.font.clear();
        else if (lower == QLatin1String("size"))
            s.size = 0;
        else if (lower == QLatin1String("align"))
            s.align = AlignLeft;
        return isWord || withValue;
    }
    if (HasValue(lower, "font:")) {
        s.font = name.mid(5);
    } else if (HasValue(lower, "size:")) {
        bool ok = false;
        const int size = name.mid(5).trimmed().toInt(&ok);
        s.size = ok && size > 0 ? std::min(size, MaxPointSize) : 0;
    } else if (HasValue(lower, "col:")) {
        s.color = VxRichEditUtil::GetColorIndex(name.mid(4));
    } else if (HasValue(lower, "align:")) {
        const QString word = lower.mid(6);
        if (word == QLatin1String("left"))
            s.align = AlignLeft;
        else if (word == QLatin1String("center"))
            s.align = AlignCenter;
        else if (word == QLatin1String("right"))
            s.align = AlignRight;
    }
    return isWord || withValue;
}

} // namespace

short VxRichEditUtil::GetColorIndex(const QString &name)
{
    if (name.isEmpty())
        return 0;
    for (const VxColorName &c : VxColorNames)
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.index;
    return 0;
}

QString VxRichEditUtil::GetColorName(int index)
{
    for (const VxColorName &c : VxColorNames)
        if (c.index == index)
            return QLatin1String(c.name);
    return QStringLiteral("black");
}

void VxRichEditUtil::AddInfoText(QTextEdit *edit, bool bold, bool underline, bool italic,
                                 short colorIndex, const QString &font, int pointSize,
                                 unsigned short alignment, const QString &text)
{
    QTextDocument *doc = edit->document();
    const QTextCharFormat previousChar = edit->currentCharFormat();
    QTextCursor cursor(doc);
    if (doc->isEmpty())
        cursor.insertText(QStringLiteral(" "));
    cursor.movePosition(QTextCursor::End);

    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontUnderline(underline);
    format.setFontItalic(italic);
    const VxPaletteColor c = VxPaletteEntry(colorIndex);
    format.setForeground(QColor(c.r, c.g, c.b));
    if (!font.isEmpty())
        format.setFontFamilies(QStringList{font});
    if (pointSize > 0)
        format.setFontPointSize(pointSize);

    // Alignment belongs to the paragraph; paragraphs opened by line breaks in the segment
    // inherit it, and the next segment sets its own.
    QTextBlockFormat block = cursor.blockFormat();
    block.setAlignment(alignment == AlignCenter  ? Qt::AlignHCenter
                       : alignment == AlignRight ? Qt::AlignRight
                                                 : Qt::AlignLeft);
    cursor.setBlockFormat(block);
    cursor.insertText(text + QLatin1Char(' '), format);

    // The control's own insertion format stays what it was.
    edit->setTextCursor(cursor);
    edit->setCurrentCharFormat(previousChar);
}

void VxRichEditUtil::SetFormattedText(QTextEdit *edit, const QString &text, bool resetSelection,
                                      int lineBreaks)
{
    if (!edit)
        return;
    QString input = text;
    if (!input.isEmpty() && lineBreaks > 0)
        input += QString(lineBreaks, QLatin1Char('\n'));

    QList<Segment> segments;
    const bool wellFormed = Split(input, segments);

    FormatState s;
    for (const Segment &seg : segments) {
        QString shown = seg.text;
        if (seg.isTag) {
            if (ApplyTag(seg.text, s))
                continue;
            shown = QLatin1Char('<') + seg.text + QLatin1Char('>');
        }
        if (!shown.isEmpty())
            AddInfoText(edit, s.bold, s.underline, s.italic, s.color, s.font, s.size, s.align,
                        shown);
    }

    if (resetSelection) {
        QTextCursor start(edit->document());
        start.movePosition(QTextCursor::Start);
        edit->setTextCursor(start);
        edit->ensureCursorVisible();
    }

    if (!wellFormed)
        VxApp::Message(QStringLiteral("Formatting error in text:\n\n%1").arg(text),
                       QStringLiteral("Format-Fehler"), edit->window());
}
