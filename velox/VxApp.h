#pragma once

// The application object: one static instance per program. Execute (called from main) creates
// the Qt application and calls Main with the arguments after the program name. Main starts the
// main window; its Start runs the program until that window is gone (VxWFrame::Start), so the
// rest of Main is the program's shut-down. After Main, deferred deletions are carried out and
// QCoreApplication::aboutToQuit is emitted while the Qt application still exists.

#include <QString>
#include <QStringList>

class QWidget;

class VxApp
{
public:
    explicit VxApp(const QString &name);
    virtual ~VxApp();
    VxApp(const VxApp &) = delete;
    VxApp &operator=(const VxApp &) = delete;

    static VxApp *Instance();
    const QString &GetName() const { return m_name; }

    // The program's start; true when a window was started.
    virtual bool Main(unsigned short argc, const QStringList &argv) = 0;

    static int Execute(int argc, char **argv);

    // The plain message box, for messages before (or outside) the program's own windows.
    static int Message(const QString &text, const QString &title = QStringLiteral("VELOX Message"),
                       QWidget *parent = nullptr);

    // True while Execute runs Main.
    static bool IsExecuting();

private:
    QString m_name;
};

// Shows the wait cursor for its lifetime (loading a window, long preparations).
class VxWaitCursor
{
public:
    VxWaitCursor();
    ~VxWaitCursor();
    VxWaitCursor(const VxWaitCursor &) = delete;
    VxWaitCursor &operator=(const VxWaitCursor &) = delete;
};
