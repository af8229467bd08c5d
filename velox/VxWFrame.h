#pragma once

// Frame windows: the main window and every dialog of the program. A frame is a QMainWindow
// built from the form named after it; it gets EvInit once before it is first shown, EvClose
// when closing is requested (the base implementation closes; an override that does not call
// it refuses), EvDestroy once when it is gone, EvSize on every resize and EvTimer from its
// window timers. Modal runs return the dialog result (1 OK, 2 cancel by convention).

#include "base/TDynamic.h"
#include "velox/VxEvent.h"

#include <QMainWindow>
#include <QString>
#include <memory>

class QAction;
class QTimer;

class VxWFrame : public QMainWindow, public TDynamic
{
    Q_OBJECT
    TDYN_DECLARE(VxWFrame)

public:
    explicit VxWFrame(QWidget *parent = nullptr);
    ~VxWFrame() override;

    // Builds the window's form into this object; false when the window is unknown.
    bool LoadCustomWindow(const QString &window);
    QString GetWindowName() const { return objectName(); }
    // A frame is valid once it has a form (or was built by hand) and is not destroyed.
    bool IsValid() const { return !m_destroyed; }
    bool IsDestroyed() const { return m_destroyed; }

    virtual bool EvInit() { return true; }
    // Closes the window; an override refuses by not calling this.
    virtual bool EvClose();
    virtual bool EvDestroy() { return true; }
    virtual bool EvTimer() { return true; }
    virtual bool EvSize() { return true; }

    // Runs EvInit unless it ran already.
    void Init();
    // Shows the window (non-modal). The first top-level frame started while the application
    // runs its Main is the main window: for it, Start returns when the window is destroyed.
    void Start();
    // Shows the window modally, returns the dialog result when it is closed.
    int StartModal();
    // Asks to close (through EvClose); with force the window is destroyed without asking.
    void Close(bool force = false);
    // Hides the window and runs EvDestroy, once.
    void Destroy();

    int GetDialogResult() const { return m_dialogResult; }
    void SetDialogResult(int result) { m_dialogResult = result; }

    // Centres the window over its parent window (over the screen without a parent).
    void CalcMiddlePos();
    // Size of the client area (the central widget, or the window without one).
    QSize GetClientSize() const;

    // A control by name anywhere below this window, or null.
    QWidget *FindChild(const QString &name) const;
    // A control by name; never null: a missing control is a hidden stand-in, so a call on it
    // does nothing.
    QWidget *Child(const QString &name);
    // A menu item by name, or null.
    QAction *FindAction(const QString &name) const;
    void EnableMenuItem(const QString &name, bool enable);
    void SetMenuText(const QString &name, const QString &text);

    // The generic close handler: Close(false), handled.
    bool DoExit(VxEvent &event);

signals:
    // Emitted once the window is destroyed.
    void Destroyed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    int m_dialogResult = 0;
    bool m_initDone = false;
    bool m_destroyed = false;
    QWidget *m_standIn = nullptr;
};

// A timer that drives EvTimer of its window.
class VxWindowTimer
{
public:
    explicit VxWindowTimer(VxWFrame *owner, int periodMs = 20);
    ~VxWindowTimer();
    VxWindowTimer(const VxWindowTimer &) = delete;
    VxWindowTimer &operator=(const VxWindowTimer &) = delete;

    // Starts with the given period, or the last one when periodMs is 0.
    void Start(int periodMs = 0);
    void Stop();
    bool IsRunning() const;
    int GetPeriod() const { return m_period; }

private:
    VxWFrame *m_owner;
    int m_period;
    std::unique_ptr<QTimer> m_timer;
};
