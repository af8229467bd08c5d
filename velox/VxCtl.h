#pragma once

// Small helpers on controls found by name. Every helper accepts null and then does nothing.

#include <QColor>
#include <QString>

class QWidget;

class VxCtl
{
public:
    // The colour of an index of the 16-colour table (black outside 0..15).
    static QColor Color(int index);

    // Text of labels, buttons, group boxes, edit fields and windows (their title).
    static void SetText(QWidget *w, const QString &text);
    static QString GetText(const QWidget *w);
    // Text and background colour by palette index.
    static void SetTextColor(QWidget *w, int index);
    static void SetBkColor(QWidget *w, int index);
    // A font by face, pixel height and weight (bold when bold is set).
    static void SetResourceFont(QWidget *w, const QString &face, int pixelHeight,
                                bool bold = false);
    static void Enable(QWidget *w, bool enable = true);
    static bool IsEnabled(const QWidget *w);
    static void Show(QWidget *w, bool show = true);
    static void SetFocus(QWidget *w);
    // Check boxes and radio buttons.
    static void SetChecked(QWidget *w, bool checked);
    static bool IsChecked(const QWidget *w);
    // Scroll bars and sliders. SetScrollPos may be called from a VX_LINK_SCROLL handler to
    // overrule the position the user's action proposed.
    static void SetScrollRange(QWidget *w, int min, int max);
    static void SetScrollPos(QWidget *w, int pos);
    static int GetScrollPos(const QWidget *w);
    // Schedules a repaint / repaints at once.
    static void Invalidate(QWidget *w);
    static void Update(QWidget *w);
};
