#pragma once

// Event objects handed to handlers by reference. A handler returns true when it handled the event.

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>

class QObject;
class QWidget;
class VxCntDraw;
class VxVectorDrawArea;

class VxEvent
{
public:
    VxEvent() = default;
    virtual ~VxEvent();

    // The control, menu item or window that raised the event, and the link it came through.
    QObject *GetSource() const { return m_source; }
    QWidget *GetSourceWindow() const;
    QString GetSourceName() const;
    const QString &GetLink() const { return m_link; }

    void SetSource(QObject *source, const QString &link)
    {
        m_source = source;
        m_link = link;
    }

private:
    QPointer<QObject> m_source;
    QString m_link;
};

class VxEventMouse : public VxEvent
{
public:
    enum Button { Left = 1, Right = 2, Middle = 4 };

    VxEventMouse(const QPoint &pos, const QPoint &globalPos, int button, int modifiers)
        : m_pos(pos), m_globalPos(globalPos), m_button(button), m_modifiers(modifiers)
    {}

    // Position in the source window's device coordinates, and on the screen.
    QPoint GetPos() const { return m_pos; }
    QPoint GetGlobalPos() const { return m_globalPos; }
    int GetButton() const { return m_button; }
    int GetModifiers() const { return m_modifiers; }

private:
    QPoint m_pos;
    QPoint m_globalPos;
    int m_button;
    int m_modifiers;
};

class VxEventKey : public VxEvent
{
public:
    VxEventKey(int key, const QString &text, int modifiers, bool autoRepeat,
               unsigned nativeScanCode = 0, unsigned nativeVirtualKey = 0)
        : m_key(key), m_text(text), m_modifiers(modifiers), m_autoRepeat(autoRepeat),
          m_nativeScanCode(nativeScanCode), m_nativeVirtualKey(nativeVirtualKey)
    {}

    // Qt key code; VxKeyTable::FindKeyIndex maps it to the program's key index.
    int GetKey() const { return m_key; }
    // The typed text (for character events), and its first character or 0.
    const QString &GetText() const { return m_text; }
    QChar GetChar() const { return m_text.isEmpty() ? QChar() : m_text.at(0); }
    int GetModifiers() const { return m_modifiers; }
    bool IsAutoRepeat() const { return m_autoRepeat; }
    // The platform's codes of the physical key (0 when unknown), the same on every layout.
    unsigned GetNativeScanCode() const { return m_nativeScanCode; }
    unsigned GetNativeVirtualKey() const { return m_nativeVirtualKey; }

private:
    int m_key;
    QString m_text;
    int m_modifiers;
    bool m_autoRepeat;
    unsigned m_nativeScanCode;
    unsigned m_nativeVirtualKey;
};

// Scroll codes of scroll-bar events.
enum VxScrollCode {
    VX_SCROLL_TO_MAX = 0,         // jump to the end (Ctrl+End, "scroll here" at the bottom)
    VX_SCROLL_TO_MIN = 1,         // jump to the start
    VX_SCROLL_LINE_ADD = 2,       // arrow towards the end
    VX_SCROLL_LINE_SUB = 3,       // arrow towards the start
    VX_SCROLL_PAGE_ADD = 4,       // click in the trough towards the end
    VX_SCROLL_PAGE_SUB = 5,       // click in the trough towards the start
    VX_SCROLL_THUMB_TRACK = 6,    // thumb dragged; the event carries the position
    VX_SCROLL_THUMB_POSITION = 7, // thumb released; the event carries the position
    VX_SCROLL_END_SCROLL = 8,     // scrolling finished
};

// Window events: scroll bars (code and position) and plain window notifications.
class VxEventWnd : public VxEvent
{
public:
    VxEventWnd(int code = 0, int position = 0) : m_code(code), m_position(position) {}

    int GetScrollCode() const { return m_code; }
    int GetPosition() const { return m_position; }

private:
    int m_code;
    int m_position;
};

// An event whose handler hands a rectangle back (the focus rectangle of a drawing window).
class VxEvent2Res : public VxEvent
{
public:
    QRect &Rect() { return m_rect; }
    const QRect &Rect() const { return m_rect; }

private:
    QRect m_rect;
};

// The redraw request of a drawing window: draw the content on the given area.
class VxEventDraw : public VxEvent
{
public:
    VxEventDraw(VxCntDraw *content, VxVectorDrawArea *area) : m_content(content), m_area(area) {}

    VxCntDraw *GetContent() const { return m_content; }
    VxVectorDrawArea *GetDrawArea() const { return m_area; }

private:
    VxCntDraw *m_content;
    VxVectorDrawArea *m_area;
};

// The program's key indices (Return 0, Up 1, Down 2, Left 3, Right 4, Home 5, End 6, PageUp 7,
// PageDown 8, Delete 9, Insert 10, Backspace 11, Escape 12, F1 13, F2 14, Tab 15).
class VxKeyTable
{
public:
    // The index of a Qt key code, or -1 for a key outside the table.
    static int FindKeyIndex(int qtKey);
};
