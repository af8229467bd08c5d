#include "base/GGeometry.h"

#include <algorithm>
#include <cmath>

bool GPoint::IsIn(const GPoint &min, const GPoint &max) const
{
    return x >= min.x && x <= max.x && y >= min.y && y <= max.y;
}

GPoint GDoubleBox::Min() const
{
    return {std::min(m_p1.x, m_p2.x), std::min(m_p1.y, m_p2.y)};
}

GPoint GDoubleBox::Max() const
{
    return {std::max(m_p1.x, m_p2.x), std::max(m_p1.y, m_p2.y)};
}

GPoint GDoubleBox::Center() const
{
    return {(m_p1.x + m_p2.x) / 2.0, (m_p1.y + m_p2.y) / 2.0};
}

double GDoubleBox::Width() const
{
    return std::fabs(m_p2.x - m_p1.x);
}

double GDoubleBox::Height() const
{
    return std::fabs(m_p2.y - m_p1.y);
}

bool GDoubleBox::IsEmpty() const
{
    return Width() <= 0.0 || Height() <= 0.0;
}

void GScale::SetScale(double x0, double y0, double x1, double y1)
{
    m_logMin = {std::min(x0, x1), std::min(y0, y1)};
    m_logMax = {std::max(x0, x1), std::max(y0, y1)};
    CalcNew();
}

void GScale::SetDeviceRect(double left, double top, double right, double bottom)
{
    m_devMin = {std::min(left, right), std::min(top, bottom)};
    m_devMax = {std::max(left, right), std::max(top, bottom)};
    CalcNew();
}

void GScale::SetProportional(bool proportional)
{
    m_proportional = proportional;
    CalcNew();
}

void GScale::SetYTurned(bool turned)
{
    m_yTurned = turned;
    CalcNew();
}

void GScale::CalcNew()
{
    const double lw = m_logMax.x - m_logMin.x;
    const double lh = m_logMax.y - m_logMin.y;
    const double dw = m_devMax.x - m_devMin.x;
    const double dh = m_devMax.y - m_devMin.y;
    m_fx = lw > 0.0 ? dw / lw : 0.0;
    m_fy = lh > 0.0 ? dh / lh : 0.0;
    m_offX = 0.0;
    m_offY = 0.0;
    if (m_proportional) {
        const double f = std::min(m_fx, m_fy);
        m_fx = m_fy = f;
        m_offX = (dw - lw * f) / 2.0;
        m_offY = (dh - lh * f) / 2.0;
    }
}

GPoint GScale::LogToDc(const GPoint &p) const
{
    const double x = m_devMin.x + m_offX + (p.x - m_logMin.x) * m_fx;
    const double dy = (p.y - m_logMin.y) * m_fy;
    const double y = m_yTurned ? m_devMax.y - m_offY - dy : m_devMin.y + m_offY + dy;
    return {x, y};
}

GPoint GScale::DcToLog(const GPoint &p) const
{
    GPoint r = m_logMin;
    if (m_fx > 0.0)
        r.x = m_logMin.x + (p.x - m_devMin.x - m_offX) / m_fx;
    if (m_fy > 0.0) {
        const double dy = m_yTurned ? m_devMax.y - m_offY - p.y : p.y - m_devMin.y - m_offY;
        r.y = m_logMin.y + dy / m_fy;
    }
    return r;
}
