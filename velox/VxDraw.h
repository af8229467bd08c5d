#pragma once

// Vector drawing in logical coordinates on any QPaintDevice (widget, printer, image), through
// a GScale mapping. Colours are indices of the 16-colour table; -1 means none.
// Line widths are device units: pixels on screens and images, tenths of a millimetre on
// devices finer than 150 dpi (printers), so a printed line has the weight it has on screen.
// Text heights are logical units (the font's em height); a text position is its top-left.

#include "base/GGeometry.h"
#include "base/TDynamic.h"

#include <QColor>
#include <QString>
#include <QWidget>

class QPainter;
class QPaintDevice;

// Text alignment bits of DrawText: horizontal 1 left, 2 centre, 4 right; vertical 16 top,
// 32 middle, 64 bottom (17 = top-left at the position).
enum VxTextAlign {
    VX_ALIGN_LEFT = 1,
    VX_ALIGN_CENTER = 2,
    VX_ALIGN_RIGHT = 4,
    VX_ALIGN_TOP = 16,
    VX_ALIGN_MIDDLE = 32,
    VX_ALIGN_BOTTOM = 64,
};

// Line styles: 0 none, 1 solid, 2 dashed, 3 dotted.
class VxVectorDrawArea
{
public:
    VxVectorDrawArea(QPainter &painter, GScale &scale);

    GScale &Scale() { return m_scale; }
    const GScale &Scale() const { return m_scale; }
    QPainter &Painter() { return m_painter; }

    GPoint LogToDc(const GPoint &p) const { return m_scale.LogToDc(p); }
    GPoint DcToLog(const GPoint &p) const { return m_scale.DcToLog(p); }

    void DrawLine(const GPoint &p1, const GPoint &p2, int color, int style = 1, int width = 1,
                  int reserved = 1);
    void DrawRect(const GPoint &p1, const GPoint &p2, int frameColor, int fillColor, int style = 1,
                  int width = 1, int reserved1 = -1, int reserved2 = 1);
    void DrawText(const GPoint &pos, const QString &text, const QString &font, double height,
                  int color, double angle = 0, int align = VX_ALIGN_LEFT | VX_ALIGN_TOP,
                  double reserved1 = 0, double reserved2 = 0, bool bold = false,
                  bool italic = false, bool underline = false, bool strikeOut = false,
                  int reserved3 = -1, int reserved4 = 1);
    // The same with colours outside the table; an invalid QColor means none.
    void DrawLine(const GPoint &p1, const GPoint &p2, const QColor &color, int style, int width);
    void DrawRect(const GPoint &p1, const GPoint &p2, const QColor &frameColor,
                  const QColor &fillColor, int style, int width);
    void DrawText(const GPoint &pos, const QString &text, const QString &font, double height,
                  const QColor &color, int align = VX_ALIGN_LEFT | VX_ALIGN_TOP, bool bold = false,
                  bool underline = false);
    // Width (x) and height (y) of a one-line text in logical units.
    GPoint GetTextSize(const QString &text, const QString &font, double height, double width = 0,
                       bool bold = false, bool italic = false, bool underline = false,
                       bool strikeOut = false, int reserved = -1) const;
    // The logical box a text drawn at pos with the same arguments covers.
    GDoubleBox GetTextBox(const GPoint &pos, const QString &text, const QString &font,
                          double height, double width = 0, bool bold = false, bool italic = false,
                          bool underline = false, bool strikeOut = false, int reserved = -1,
                          int align = VX_ALIGN_LEFT | VX_ALIGN_TOP) const;

private:
    QFont MakeFont(const QString &face, double height, bool bold, bool italic, bool underline,
                   bool strikeOut) const;
    double PenWidth(int width) const;
    void PaintText(const GPoint &pos, const QString &text, const QString &font, double height,
                   const QColor &color, double angle, int align, bool bold, bool italic,
                   bool underline, bool strikeOut);
    GPoint AlignedTopLeft(const GPoint &pos, const GPoint &size, int align) const;

    QPainter &m_painter;
    GScale &m_scale;
};

class VxWDraw;

// The drawing content of a drawing window: its logical mapping.
class VxCntDraw : public TDynamic
{
    TDYN_DECLARE(VxCntDraw)

public:
    VxCntDraw() = default;
    GScale &Scale() { return m_scale; }
    const GScale &Scale() const { return m_scale; }
    VxWDraw *GetWindow() const { return m_window; }

private:
    friend class VxWDraw;
    GScale m_scale;
    VxWDraw *m_window = nullptr;
};

// A drawing window. It paints a white background, sends VX_LINK_REDRAW (VxEventDraw) with its
// content and a drawing area mapped to its client rectangle, and, while it has the focus, asks
// VX_LINK_CALCFOCUSRECT (VxEvent2Res) for the focus frame to draw. Mouse, key and focus events
// reach handlers through the ordinary links.
class VxWDraw : public QWidget, public TDynamic
{
    TDYN_DECLARE(VxWDraw)

public:
    explicit VxWDraw(QWidget *parent = nullptr);

    VxCntDraw *GetContent() { return &m_content; }
    // Logical <-> device coordinates of this window's content.
    GPoint LogToDc(const GPoint &p) const { return m_content.Scale().LogToDc(p); }
    GPoint DcToLog(const GPoint &p) const { return m_content.Scale().DcToLog(p); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void UpdateDeviceRect();
    VxCntDraw m_content;
};
