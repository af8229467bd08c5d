#include "velox/VxApp.h"

#include "velox/VxModal.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

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
    QStringList args = QCoreApplication::arguments();
    if (!args.isEmpty())
        args.removeFirst();
    running = true;
    const bool ok = instance->Main(static_cast<unsigned short>(args.size()), args);
    running = false;
    // One last pass of the event loop while Qt still exists: deferred deletions happen and
    // the end of the program is announced the Qt way (aboutToQuit) to whoever cleans up then.
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    app.exec();
    return ok ? 0 : 1;
}

bool VxApp::IsExecuting()
{
    return running;
}

int VxApp::Message(const QString &text, const QString &title, QWidget *parent)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("VX_MESSAGE"));
    return VxModal::Exec(box);
}

VxWaitCursor::VxWaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

VxWaitCursor::~VxWaitCursor()
{
    QApplication::restoreOverrideCursor();
}
