#pragma once

// Points, boxes and the logical-to-device mapping used by every drawing of the program.
// Pure C++: the screen, the printer and test images all draw through the same mapping.

struct GPoint
{
    double x = 0.0;
    double y = 0.0;

    constexpr GPoint() = default;
    constexpr GPoint(double px, double py) : x(px), y(py) {}

    // Inclusive on all four edges: a point on the right or bottom border is inside.
    [[nodiscard]] bool IsIn(const GPoint &min, const GPoint &max) const;

    GPoint operator+(const GPoint &o) const { return {x + o.x, y + o.y}; }
    GPoint operator-(const GPoint &o) const { return {x - o.x, y - o.y}; }
    bool operator==(const GPoint &o) const = default;
};

// Two corner points; nothing forces p1 to be the smaller corner (Min/Max sort them out).
class GDoubleBox
{
public:
    GDoubleBox() = default;
    GDoubleBox(const GPoint &p1, const GPoint &p2) : m_p1(p1), m_p2(p2) {}
    GDoubleBox(double x1, double y1, double x2, double y2) : m_p1(x1, y1), m_p2(x2, y2) {}

    const GPoint &P1() const { return m_p1; }
    const GPoint &P2() const { return m_p2; }
    void Set(const GPoint &p1, const GPoint &p2)
    {
        m_p1 = p1;
        m_p2 = p2;
    }
    void Clear() { m_p1 = m_p2 = GPoint(); }

    GPoint Min() const;
    GPoint Max() const;
    GPoint Center() const;
    double Width() const;
    double Height() const;
    // A box without area (both corners equal, or a line) counts as empty.
    bool IsEmpty() const;
    bool Contains(const GPoint &p) const { return p.IsIn(Min(), Max()); }

    bool operator==(const GDoubleBox &o) const = default;

private:
    GPoint m_p1;
    GPoint m_p2;
};

// Maps a logical rectangle onto a device rectangle.
//
//   device.x = devLeft + offX + (x - x0) * fx
//   device.y = devTop  + offY + (y - y0) * fy              (y not turned: y grows downwards)
//   device.y = devBottom - offY - (y - y0) * fy            (y turned: y grows upwards)
//
// Proportional mapping uses one factor for both axes (the smaller one, so the whole logical
// rectangle stays visible) and centres the result in the device rectangle.
// Every setter recalculates, so the mapping is never stale; CalcNew is kept for callers that
// change several settings and want to say so.
class GScale
{
public:
    GScale() = default;

    void SetScale(double x0, double y0, double x1, double y1);
    void SetDeviceRect(double left, double top, double right, double bottom);
    void SetProportional(bool proportional);
    void SetYTurned(bool turned);
    void CalcNew();

    bool IsProportional() const { return m_proportional; }
    bool IsYTurned() const { return m_yTurned; }

    // Logical rectangle, sorted.
    GPoint GetMin() const { return m_logMin; }
    GPoint GetMax() const { return m_logMax; }
    GDoubleBox GetLogBox() const { return {m_logMin, m_logMax}; }
    GDoubleBox GetDeviceRect() const { return {m_devMin, m_devMax}; }

    // Device units per logical unit; 0 while either rectangle has no extent.
    double FactorX() const { return m_fx; }
    double FactorY() const { return m_fy; }

    GPoint LogToDc(const GPoint &p) const;
    // Inverse of LogToDc; with a degenerate mapping every device point gives the logical minimum.
    GPoint DcToLog(const GPoint &p) const;
    // Logical length to device length along x / y (always positive).
    double LogToDcX(double len) const { return len * m_fx; }
    double LogToDcY(double len) const { return len * m_fy; }

private:
    GPoint m_logMin{0, 0};
    GPoint m_logMax{1, 1};
    GPoint m_devMin{0, 0};
    GPoint m_devMax{1, 1};
    bool m_proportional = false;
    bool m_yTurned = false;
    double m_fx = 1.0;
    double m_fy = 1.0;
    double m_offX = 0.0;
    double m_offY = 0.0;
};
