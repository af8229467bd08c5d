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

    int presses = 0;
    int menuItems = 0;
    int options = 0;
    int inits = 0;
    int destroys = 0;
    int timers = 0;
    int sizes = 0;
    int killFocus = 0;
    bool refuseClose = false;
    QString typed;
    QList<VxEventMouse> clicks;
    QList<QPair<int, int>> scrolls;
    QObject *lastSource = nullptr;

    bool DoPress(VxEvent &e)
    {
        ++presses;
        lastSource = e.GetSource();
        return true;
    }
    bool DoOK(VxEvent &)
    {
        SetDialogResult(1);
        Close(false);
        return true;
    }
    bool DoMenu(VxEvent &)
    {
        ++menuItems;
        return true;
    }
    bool OptionChecked(VxEvent &)
    {
        ++options;
        return true;
    }
    // Swallows "x"; lets every other character through to the edit.
    bool EditChar(VxEventKey &e)
    {
        typed += e.GetText();
        return e.GetChar() == QLatin1Char('x');
    }
    bool EditKillFocus(VxEvent &)
    {
        ++killFocus;
        return true;
    }
    bool DrawClick(VxEventMouse &e)
    {
        clicks.append(e);
        return true;
    }
    bool Scroll(VxEventWnd &e)
    {
        scrolls.append({e.GetScrollCode(), e.GetPosition()});
        return true;
    }
    // Fills the logical square (0,0)-(50,50) of a 100 x 100 mapping in light red.
    bool Redraw(VxEventDraw &e)
    {
        GScale &s = e.GetDrawArea()->Scale();
        s.SetScale(0, 0, 100, 100);
        e.GetDrawArea()->DrawRect(GPoint(0, 0), GPoint(50, 50), 12, 12);
        return true;
    }

    bool EvInit() override
    {
        ++inits;
        return true;
    }
    bool EvClose() override
    {
        if (refuseClose)
            return true;
        return VxWFrame::EvClose();
    }
    bool EvDestroy() override
    {
        ++destroys;
        return true;
    }
    bool EvTimer() override
    {
        ++timers;
        return true;
    }
    bool EvSize() override
    {
        ++sizes;
        return true;
    }
};

// The handler link table of the test bundle (without DoMissing, which the form also names).
extern const VxLinkEntry VxTestLinks[];
// Installs velox_test.vxt from beside the test binary; true on success.
bool InstallTestBundle();
