#pragma once

// Handler links: how an event of a control reaches a member operation of its window.
//
// A form names, for each control, the handler of each link in a dynamic property named after
// the link:  <property name="VX_LINK_COMMAND" stdset="0"><string>WndSudoku::DoSolve</string>
// The program declares a static table that maps (window name, "Class::Method") to the member
// operation; loading a window binds every link its form names through that table. Links can
// also be bound, re-bound and removed at run time (VxLinks).

#include "velox/VxEvent.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

class QObject;

// Every handler has this shape once bound: the receiver is the window object.
using VxHandlerFn = bool (*)(QObject *receiver, VxEvent &event);

template<class M>
struct VxMemberTraits;
template<class C, class E>
struct VxMemberTraits<bool (C::*)(E &)>
{
    using Class = C;
    using Event = E;
};

// Calls Method on the receiver; false (not handled) when the receiver or the event is not of
// the kind the member expects, so a wrong binding can never call into the wrong object.
template<auto Method>
bool VxCallMember(QObject *receiver, VxEvent &event)
{
    using Traits = VxMemberTraits<decltype(Method)>;
    auto *object = dynamic_cast<typename Traits::Class *>(receiver);
    auto *ev = dynamic_cast<typename Traits::Event *>(&event);
    if (!object || !ev)
        return false;
    return (object->*Method)(*ev);
}

// VxHandler<&WndSudoku::DoSolve> is the table's operation for that member.
template<auto Method>
inline constexpr VxHandlerFn VxHandler = &VxCallMember<Method>;

// One entry of a handler link table; a table ends with an entry whose window and handler are
// empty (or null).
struct VxLinkEntry
{
    const char *window;
    const char *handler;
    std::uint32_t reserved1;
    std::uint32_t reserved2;
    VxHandlerFn operation;
};

// Link names: the property names in forms and the names for run-time binding.
inline constexpr char VX_LINK_COMMAND[] =
    "VX_LINK_COMMAND";                                     // button click, menu item, combo choice
inline constexpr char VX_LINK_CHANGE[] = "VX_LINK_CHANGE"; // text or selection edited
inline constexpr char VX_LINK_SCROLL[] = "VX_LINK_SCROLL"; // scroll bar action (VxEventWnd)
inline constexpr char VX_LINK_CHAR[] = "VX_LINK_CHAR";     // typed character (VxEventKey)
inline constexpr char VX_LINK_KEYDOWN[] = "VX_LINK_KEYDOWN";
inline constexpr char VX_LINK_KEYUP[] = "VX_LINK_KEYUP";
inline constexpr char VX_LINK_LBUTTONDOWN[] = "VX_LINK_LBUTTONDOWN"; // VxEventMouse
inline constexpr char VX_LINK_LBUTTONUP[] = "VX_LINK_LBUTTONUP";
inline constexpr char VX_LINK_LBUTTONDBLCLK[] = "VX_LINK_LBUTTONDBLCLK";
inline constexpr char VX_LINK_RBUTTONDOWN[] = "VX_LINK_RBUTTONDOWN";
inline constexpr char VX_LINK_RBUTTONUP[] = "VX_LINK_RBUTTONUP";
inline constexpr char VX_LINK_MOUSEMOVE[] = "VX_LINK_MOUSEMOVE";
inline constexpr char VX_LINK_SETFOCUS[] = "VX_LINK_SETFOCUS"; // never consumes the event
inline constexpr char VX_LINK_KILLFOCUS[] = "VX_LINK_KILLFOCUS";
inline constexpr char VX_LINK_REDRAW[] = "VX_LINK_REDRAW";               // VxEventDraw
inline constexpr char VX_LINK_CALCFOCUSRECT[] = "VX_LINK_CALCFOCUSRECT"; // VxEvent2Res

// The installed handler link tables of the process.
class VxLinkTable
{
public:
    // Adds the entries up to the terminating one. An entry for a window and handler that is
    // already known replaces it.
    static void Install(const VxLinkEntry *table);
    // The operation for a window's handler text, or null.
    static VxHandlerFn Find(const QString &window, const QString &handler);

    struct Entry
    {
        QString window;
        QString handler;
        VxHandlerFn operation;
    };
    // Installed entries, all or those of one window, in installation order.
    static QList<Entry> Entries(const QString &window = QString());
};

// Run-time binding of links on one control, menu item or window.
class VxLinks
{
public:
    // Binds the link of source to operation on receiver, replacing an earlier binding of the
    // same link. handler is kept only to be reported back. False for a null argument.
    static bool Bind(QObject *source, const QString &link, QObject *receiver, VxHandlerFn operation,
                     const QString &handler = QString());
    // The same through the installed tables; false when the window has no such handler.
    static bool Bind(QObject *source, const QString &link, QObject *receiver, const QString &window,
                     const QString &handler);
    // Removes a binding; false when there was none.
    static bool Unbind(QObject *source, const QString &link);
    static bool IsBound(const QObject *source, const QString &link);
    // The handler text of a binding (empty when bound without one, or not bound).
    static QString BoundHandler(const QObject *source, const QString &link);

    // Sends an event through the link of source; false when it is not bound or not handled.
    static bool Fire(QObject *source, const QString &link, VxEvent &event);

    // Binds every link that root and its descendants name in "VX_LINK_…" properties, for the
    // window name, to receiver. Returns "object/link/handler" for each named handler that has
    // no table entry; those stay unbound and the event takes Qt's default path.
    static QStringList BindForm(QObject *root, QObject *receiver, const QString &window);
};
