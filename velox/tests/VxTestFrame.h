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

    int inits = 0, destroys = 0, timers = 0;
    bool refuseClose = false;
    QStringList calls; // every handler call with what its event carried
    QObject *lastSource = nullptr;

    bool Log(const QString &call, bool handled = true) { return calls << call, handled; }
    bool DoPress(VxEvent &e)
    {
        return lastSource = e.GetSource(), Log("press:" + e.GetSourceName() + ":" + e.GetLink());
    }
    bool DoOK(VxEvent &) { return SetDialogResult(1), Close(false), true; }
    bool DoMenu(VxEvent &) { return Log("menu"); }
    bool OptionChecked(VxEvent &) { return Log("option"); }
    // Swallows "x"; lets every other character through to the edit.
    bool EditChar(VxEventKey &e) { return Log("char:" + e.GetText(), e.GetChar() == u'x'); }
    // Takes F2 on key down; leaves every other key to come as a character.
    bool KeyDown(VxEventKey &e)
    {
        return Log(QString("down:%1").arg(VxKeyTable::FindKeyIndex(e.GetKey())),
                   e.GetKey() == Qt::Key_F2);
    }
    bool EditKillFocus(VxEvent &) { return true; }
    bool DrawClick(VxEventMouse &e)
    {
        const QPoint p = e.GetPos();
        return Log(QString("click:%1:%2,%3").arg(e.GetButton()).arg(p.x()).arg(p.y()));
    }
    bool Scroll(VxEventWnd &e)
    {
        return Log(QString("scroll:%1:%2").arg(e.GetScrollCode()).arg(e.GetPosition()));
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
};

// The handler link table of the test bundle (without DoMissing, which the form also names).
extern const VxLinkEntry VxTestLinks[];
// Installs velox_test.vxt from beside the test binary; true on success.
bool InstallTestBundle();
