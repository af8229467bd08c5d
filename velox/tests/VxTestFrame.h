#pragma once

// The frame window of the layer's tests, built from the form VX_TEST_FRAME.

#include "velox/VxDraw.h"
#include "velox/VxEvent.h"
#include "velox/VxLink.h"
#include "velox/VxWFrame.h"

#include <QStringList>

class VxTestFrame : public VxWFrame
{
    TDYN_DECLARE(VxTestFrame)

public:
    VxTestFrame() = default;

    int presses = 0, menuItems = 0, options = 0, inits = 0, destroys = 0, timers = 0, sizes = 0,
        killFocus = 0;
    bool refuseClose = false;
    QString typed;
    QList<VxEventMouse> clicks;
    QList<QPair<int, int>> scrolls;
    QObject *lastSource = nullptr;

    bool DoPress(VxEvent &e) { return ++presses, lastSource = e.GetSource(), true; }
    bool DoOK(VxEvent &) { return SetDialogResult(1), Close(false), true; }
    bool DoMenu(VxEvent &) { return ++menuItems; }
    bool OptionChecked(VxEvent &) { return ++options; }
    // Swallows "x"; lets every other character through to the edit.
    bool EditChar(VxEventKey &e) { return typed += e.GetText(), e.GetChar() == QLatin1Char('x'); }
    bool EditKillFocus(VxEvent &) { return ++killFocus; }
    bool DrawClick(VxEventMouse &e) { return clicks.append(e), true; }
    bool Scroll(VxEventWnd &e)
    {
        return scrolls.append({e.GetScrollCode(), e.GetPosition()}), true;
    }
    // Fills the logical square (0,0)-(50,50) of a 100 x 100 mapping in light red.
    bool Redraw(VxEventDraw &e)
    {
        e.GetDrawArea()->Scale().SetScale(0, 0, 100, 100);
        e.GetDrawArea()->DrawRect(GPoint(0, 0), GPoint(50, 50), 12, 12);
        return true;
    }
    bool EvInit() override { return ++inits; }
    bool EvClose() override { return refuseClose || VxWFrame::EvClose(); }
    bool EvDestroy() override { return ++destroys; }
    bool EvTimer() override { return ++timers; }
    bool EvSize() override { return ++sizes; }
};

// The handler link table of the test bundle (without DoMissing, which the form also names).
extern const VxLinkEntry VxTestLinks[];
// Installs velox_test.vxt from beside the test binary; true on success.
bool InstallTestBundle();
