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

    bool EvInit() override { return timer.Start(), VxTestFrame::EvInit(); }
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

    QString run; // what Main saw of its arguments and of the window's life
    bool announcedEnd = false;

    bool Main(unsigned short argc, const QStringList &argv) override
    {
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [this] { announcedEnd = true; });
        auto frame = std::make_unique<ClosingFrame>();
        if (!InstallTestBundle() || !frame->LoadCustomWindow("VX_TEST_FRAME"))
            return false;
        frame->Start();
        run = QString::asprintf("arguments=%d:%s inits=%d timers=%d destroys=%d destroyed=%d", argc,
                                qPrintable(argv.join(' ')), frame->inits, frame->timers,
                                frame->destroys, int(frame->IsDestroyed()));
        return true;
    }
};

SmokeApp theApp;

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const int rc = VxApp::Execute(argc, argv);
    const QString run =
        QString::asprintf("rc=%d end=%d %s", rc, int(theApp.announcedEnd), qPrintable(theApp.run));
    std::printf("%s\n", qPrintable(run));
    return run == "rc=0 end=1 arguments=1:game.sdk inits=1 timers=3 destroys=1 destroyed=1" ? 0 : 1;
}
