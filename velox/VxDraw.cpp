#include "velox/VxDraw.h"

#include "velox/VxCtl.h"
#include "velox/VxEvent.h"
#include "velox/VxLink.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <cmath>

TDYN_IMPLEMENT(VxCntDraw, "TDynamic");
TDYN_IMPLEMENT(VxWDraw, "TDynamic");

namespace {
Qt::PenStyle PenStyle(int style)
{
    switch (style) {
    case 0:
        return Qt::NoPen;
    case 2:
        return Qt::DashLine;
    case 3:
        return Qt::DotLine;
    default:
        return Qt::SolidLine;
    }
}

QPointF Dc(const GPoint &p)
{
    return {p.x, p.y};
}

// An index of the 16-colour table; -1 (or any negative) is none.
QColor TableColor(int index)
{
    return index < 0 ? QColor() : VxCtl::Color(index);
}
} // namespace

VxVectorDrawArea::VxVectorDrawArea(QPainter &painter, GScale &scale)
    : m_painter(painter), m_scale(scale)
{}

double VxVectorDrawArea::PenWidth(int width) const
{
    const QPaintDevice *device = m_painter.device();
    const int dpi = device ? device->logicalDpiX() : 96;
    const double unit = dpi > 150 ? dpi / 254.0 : 1.0;
    return std::max(1.0, width * unit);
}

void VxVectorDrawArea::DrawLine(const GPoint &p1, const GPoint &p2, int color, int style, int width,
                                int)
{
    DrawLine(p1, p2, TableColor(color), style, width);
}

void VxVectorDrawArea::DrawLine(const GPoint &p1, const GPoint &p2, const QColor &color, int style,
                                int width)
{
    if (!color.isValid() || style == 0)
        return;
    QPen pen(color, PenWidth(width), PenStyle(style), Qt::SquareCap);
    m_painter.save();
    m_painter.setPen(pen);
    m_painter.drawLine(Dc(m_scale.LogToDc(p1)), Dc(m_scale.LogToDc(p2)));
    m_painter.restore();
}

void VxVectorDrawArea::DrawRect(const GPoint &p1, const GPoint &p2, int frameColor, int fillColor,
                                int style, int width, int, int)
{
    DrawRect(p1, p2, TableColor(frameColor), TableColor(fillColor), style, width);
}

void VxVectorDrawArea::DrawRect(const GPoint &p1, const GPoint &p2, const QColor &frameColor,
                                const QColor &fillColor, int style, int width)
{
    const QRectF r = QRectF(Dc(m_scale.LogToDc(p1)), Dc(m_scale.LogToDc(p2))).normalized();
    m_painter.save();
    if (fillColor.isValid())
        m_painter.fillRect(r, fillColor);
    if (frameColor.isValid() && style != 0) {
        QPen pen(frameColor, PenWidth(width), PenStyle(style), Qt::SquareCap, Qt::MiterJoin);
        m_painter.setPen(pen);
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(r);
    }
    m_painter.restore();
}

QFont VxVectorDrawArea::MakeFont(const QString &face, double height, bool bold, bool italic,
                                 bool underline, bool strikeOut) const
{
    QFont f(face.isEmpty() ? QStringLiteral("Arial") : face);
    // Fractional point sizes keep the text exactly as high as the mapping asks on any device.
    const QPaintDevice *device = m_painter.device();
    const double dpi = device ? device->logicalDpiY() : 96.0;
    const double pixels = std::max(0.5, m_scale.LogToDcY(height));
    f.setPointSizeF(pixels * 72.0 / dpi);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setStrikeOut(strikeOut);
    return f;
}

GPoint VxVectorDrawArea::GetTextSize(const QString &text, const QString &font, double height,
                                     double, bool bold, bool italic, bool underline, bool strikeOut,
                                     int) const
{
    const QFont f = MakeFont(font, height, bold, italic, underline, strikeOut);
    const QFontMetricsF fm(f, m_painter.device());
    const double fx = m_scale.FactorX();
    const double fy = m_scale.FactorY();
    if (fx <= 0 || fy <= 0)
        return {};
    return {fm.horizontalAdvance(text) / fx, fm.height() / fy};
}

GPoint VxVectorDrawArea::AlignedTopLeft(const GPoint &pos, const GPoint &size, int align) const
{
    GPoint p = pos;
    if (align & VX_ALIGN_CENTER)
        p.x -= size.x / 2;
    else if (align & VX_ALIGN_RIGHT)
        p.x -= size.x;
    // Logical y grows downwards unless the mapping is turned.
    const double down = m_scale.IsYTurned() ? -1.0 : 1.0;
    if (align & VX_ALIGN_MIDDLE)
        p.y -= down * size.y / 2;
    else if (align & VX_ALIGN_BOTTOM)
        p.y -= down * size.y;
    return p;
}

GDoubleBox VxVectorDrawArea::GetTextBox(const GPoint &pos, const QString &text, const QString &font,
                                        double height, double width, bool bold, bool italic,
                                        bool underline, bool strikeOut, int reserved,
                                        int align) const
{
    const GPoint size =
        GetTextSize(text, font, height, width, bold, italic, underline, strikeOut, reserved);
    const GPoint tl = AlignedTopLeft(pos, size, align);
    const double down = m_scale.IsYTurned() ? -1.0 : 1.0;
    return {tl, GPoint(tl.x + size.x, tl.y + down * size.y)};
}

void VxVectorDrawArea::DrawText(const GPoint &pos, const QString &text, const QString &font,
                                double height, int color, double angle, int align, double, double,
                                bool bold, bool italic, bool underline, bool strikeOut, int, int)
{
    PaintText(pos, text, font, height, TableColor(color), angle, align, bold, italic, underline,
              strikeOut);
}

void VxVectorDrawArea::DrawText(const GPoint &pos, const QString &text, const QString &font,
                                double height, const QColor &color, int align, bool bold,
                                bool underline)
{
    PaintText(pos, text, font, height, color, 0, align, bold, false, underline, false);
}

void VxVectorDrawArea::PaintText(const GPoint &pos, const QString &text, const QString &font,
                                 double height, const QColor &color, double angle, int align,
                                 bool bold, bool italic, bool underline, bool strikeOut)
{
    if (text.isEmpty() || !color.isValid())
        return;
    const QFont f = MakeFont(font, height, bold, italic, underline, strikeOut);
    const QFontMetricsF fm(f, m_painter.device());
    const GPoint size(fm.horizontalAdvance(text), fm.height());
    // Alignment in device units around the device position.
    const GPoint dc = m_scale.LogToDc(pos);
    double x = dc.x, y = dc.y;
    if (align & VX_ALIGN_CENTER)
        x -= size.x / 2;
    else if (align & VX_ALIGN_RIGHT)
        x -= size.x;
    if (align & VX_ALIGN_MIDDLE)
        y -= size.y / 2;
    else if (align & VX_ALIGN_BOTTOM)
        y -= size.y;
    m_painter.save();
    m_painter.setFont(f);
    m_painter.setPen(color);
    if (angle != 0) {
        m_painter.translate(dc.x, dc.y);
        m_painter.rotate(-angle);
        m_painter.translate(-dc.x, -dc.y);
    }
    m_painter.drawText(QPointF(x, y + fm.ascent()), text);
    m_painter.restore();
}

VxWDraw::VxWDraw(QWidget *parent) : QWidget(parent)
{
    m_content.m_window = this;
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    UpdateDeviceRect();
}

void VxWDraw::UpdateDeviceRect()
{
    // The last pixel row and column belong to the picture, so the right and bottom
    // border lines stay visible.
    m_content.Scale().SetDeviceRect(0, 0, std::max(0, width() - 1), std::max(0, height() - 1));
}

void VxWDraw::resizeEvent(QResizeEvent *event)
{
    UpdateDeviceRect();
    QWidget::resizeEvent(event);
}

void VxWDraw::paintEvent(QPaintEvent *)
{
    UpdateDeviceRect();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    VxVectorDrawArea area(painter, m_content.Scale());
    VxEventDraw redraw(&m_content, &area);
    VxLinks::Fire(this, VX_LINK_REDRAW, redraw);
    if (hasFocus()) {
        VxEvent2Res focus;
        if (VxLinks::Fire(this, VX_LINK_CALCFOCUSRECT, focus) && focus.Rect().isValid()) {
            QPen pen(Qt::black, 1, Qt::DotLine);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(focus.Rect());
        }
    }
}
