#include "velox/VxApp.h"

#include "velox/VxModal.h"
#include "velox/VxWFrame.h"

#include <QApplication>
#include <QMessageBox>

namespace {
VxApp *instance = nullptr;
bool running = false;
} // namespace

VxApp::VxApp(const QString &name) : m_name(name)
{
    instance = this;
}

VxApp::~VxApp()
{
    if (instance == this)
        instance = nullptr;
}

VxApp *VxApp::Instance()
{
    return instance;
}

int VxApp::Execute(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (!instance)
        return 1;
    app.setApplicationName(instance->GetName());
    // Frames end the loop themselves (FrameDestroyed); a hidden frame is not a closed one.
    app.setQuitOnLastWindowClosed(false);
    QStringList args = QCoreApplication::arguments();
    if (!args.isEmpty())
        args.removeFirst();
    if (!instance->Main(static_cast<unsigned short>(args.size()), args))
        return 1;
    running = true;
    const int rc = app.exec();
    running = false;
    return rc;
}

int VxApp::Message(const QString &text, const QString &title, QWidget *parent)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("VX_MESSAGE"));
    return VxModal::Exec(box);
}

void VxApp::FrameDestroyed(VxWFrame *frame)
{
    if (!running || !frame || frame->parentWidget())
        return;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        auto *other = qobject_cast<VxWFrame *>(w);
        if (other && other != frame && other->isVisible() && !other->IsDestroyed())
            return;
    }
    QCoreApplication::quit();
}
