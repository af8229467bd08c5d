#pragma once

// The application object: one static instance per program. Execute (called from main) creates
// the Qt application, calls Main with the arguments after the program name and runs the event
// loop until the last started top-level frame is destroyed.

#include <QString>
#include <QStringList>

class QWidget;
class VxWFrame;

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

    // Called by every frame when it is destroyed: ends the event loop after the last one.
    static void FrameDestroyed(VxWFrame *frame);

private:
    QString m_name;
};
