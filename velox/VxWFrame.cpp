#include "velox/VxWFrame.h"

#include "velox/VxApp.h"
#include "velox/VxModal.h"
#include "velox/VxResource.h"

#include <QAction>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QTimer>

TDYN_IMPLEMENT(VxWFrame, "TDynamic");

VxWFrame::VxWFrame(QWidget *parent) : QMainWindow(parent, parent ? Qt::Dialog : Qt::Window) {}

VxWFrame::~VxWFrame() = default;

bool VxWFrame::LoadCustomWindow(const QString &window)
{
    return VxResource::LoadCustomWindow(this, window);
}

bool VxWFrame::EvClose()
{
    Destroy();
    return true;
}

void VxWFrame::Init()
{
    if (m_initDone)
        return;
    m_initDone = true;
    // The controls get their places for the current size before the window is first shown,
    // so EvInit (and the EvSize it may call) sees the real client area.
    if (layout())
        layout()->setGeometry(rect());
    EvInit();
}

namespace {
bool mainLoopRunning = false;
}

void VxWFrame::Start()
{
    Init();
    show();
    // The program's main window: Start runs the program until the window is gone, and the
    // application's Main goes on with the shut-down after it.
    if (parentWidget() || !VxApp::IsExecuting() || mainLoopRunning || m_destroyed)
        return;
    mainLoopRunning = true;
    QEventLoop loop;
    connect(this, &VxWFrame::Destroyed, &loop, &QEventLoop::quit);
    loop.exec();
    mainLoopRunning = false;
}

int VxWFrame::StartModal()
{
    Init();
    setWindowModality(Qt::ApplicationModal);
    show();
    VxModalRun run;
    run.exec = [this] {
        QPointer<VxWFrame> self(this);
        if (!m_destroyed) {
            QEventLoop loop;
            connect(this, &VxWFrame::Destroyed, &loop, &QEventLoop::quit);
            loop.exec(QEventLoop::DialogExec);
        }
        return self ? m_dialogResult : 0;
    };
    run.isOpen = [this] { return !m_destroyed; };
    run.dismiss = [this] {
        Close(false);
        // A window that refuses to close cannot hold a test up.
        if (!m_destroyed)
            Destroy();
    };
    run.result = [this] { return m_dialogResult; };
    return VxModal::Run(*this, run);
}

void VxWFrame::Close(bool force)
{
    if (m_destroyed)
        return;
    if (force)
        Destroy();
    else
        EvClose();
}

void VxWFrame::Destroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    hide();
    EvDestroy();
    emit Destroyed();
}

void VxWFrame::CalcMiddlePos()
{
    const QWidget *parent = parentWidget() ? parentWidget()->window() : nullptr;
    QRect area;
    if (parent)
        area = parent->frameGeometry();
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isEmpty())
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

QSize VxWFrame::GetClientSize() const
{
    return centralWidget() ? centralWidget()->size() : size();
}

QWidget *VxWFrame::FindChild(const QString &name) const
{
    return name.isEmpty() ? nullptr : findChild<QWidget *>(name);
}

QWidget *VxWFrame::Child(const QString &name)
{
    if (QWidget *w = FindChild(name))
        return w;
    if (!m_standIn) {
        m_standIn = new QWidget(this);
        m_standIn->setObjectName(QStringLiteral("vx_missing_child"));
        m_standIn->hide();
    }
    return m_standIn;
}

QAction *VxWFrame::FindAction(const QString &name) const
{
    return name.isEmpty() ? nullptr : findChild<QAction *>(name);
}

void VxWFrame::EnableMenuItem(const QString &name, bool enable)
{
    if (QAction *a = FindAction(name))
        a->setEnabled(enable);
}

void VxWFrame::SetMenuText(const QString &name, const QString &text)
{
    if (QAction *a = FindAction(name))
        a->setText(text);
}

bool VxWFrame::DoExit(VxEvent &)
{
    Close(false);
    return true;
}

void VxWFrame::closeEvent(QCloseEvent *event)
{
    Close(false);
    if (m_destroyed)
        event->accept();
    else
        event->ignore();
}

void VxWFrame::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    EvSize();
}

void VxWFrame::showEvent(QShowEvent *event)
{
    Init();
    QMainWindow::showEvent(event);
}

VxWindowTimer::VxWindowTimer(VxWFrame *owner, int periodMs)
    : m_owner(owner), m_period(periodMs), m_timer(std::make_unique<QTimer>())
{
    QObject::connect(m_timer.get(), &QTimer::timeout, m_timer.get(), [this] {
        // A destroyed window gets no more ticks.
        if (m_owner && !m_owner->IsDestroyed())
            m_owner->EvTimer();
    });
}

VxWindowTimer::~VxWindowTimer() = default;

void VxWindowTimer::Start(int periodMs)
{
    if (periodMs > 0)
        m_period = periodMs;
    m_timer->start(m_period);
}

void VxWindowTimer::Stop()
{
    m_timer->stop();
}

bool VxWindowTimer::IsRunning() const
{
    return m_timer->isActive();
}
