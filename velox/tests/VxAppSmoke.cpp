// A whole program on the layer: the static application object starts its main window from a
// form, the window closes itself from its window timer, and the program must then end by
// itself. Exit code 0 only when Main got the arguments, the window went through EvInit,
// EvTimer and EvDestroy, Start returned after it was gone, the end was announced through
// aboutToQuit and Execute reported success.
#include "VxTestFrame.h"

#include "velox/VxApp.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>

namespace {

class ClosingFrame : public VxTestFrame
{
public:
    VxWindowTimer timer{this, 10};

    bool EvInit() override
    {
        timer.Start();
        return VxTestFrame::EvInit();
    }
    bool EvTimer() override
    {
        if (++timers == 3)
            Close(false);
        return true;
    }
};

class SmokeApp : public VxApp
{
public:
    SmokeApp() : VxApp("VxAppSmoke") {}

    bool argumentsSeen = false;
    int inits = 0, timers = 0, destroys = 0;
    bool destroyedWhenStartReturned = false;
    bool announcedEnd = false;

    bool Main(unsigned short argc, const QStringList &argv) override
    {
        argumentsSeen = argc == 1 && argv.value(0) == QLatin1String("game.sdk");
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [this] { announcedEnd = true; });
        auto frame = std::make_unique<ClosingFrame>();
        if (!InstallTestBundle() || !frame->LoadCustomWindow("VX_TEST_FRAME"))
            return false;
        frame->Start();
        destroyedWhenStartReturned = frame->IsDestroyed();
        inits = frame->inits;
        timers = frame->timers;
        destroys = frame->destroys;
        return true;
    }
};

SmokeApp theApp;

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const int rc = VxApp::Execute(argc, argv);
    std::printf("rc=%d arguments=%d inits=%d timers=%d destroys=%d destroyed=%d\n", rc,
                int(theApp.argumentsSeen), theApp.inits, theApp.timers, theApp.destroys,
                int(theApp.destroyedWhenStartReturned));
    const bool ok = rc == 0 && theApp.announcedEnd && theApp.argumentsSeen && theApp.inits == 1 &&
                    theApp.timers == 3 && theApp.destroys == 1 && theApp.destroyedWhenStartReturned;
    return ok ? 0 : 1;
}
