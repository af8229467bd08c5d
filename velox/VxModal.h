#pragma once

// Every modal run of the program - frame windows run with StartModal, message boxes, file,
// folder and printer dialogs, context menus - passes through VxModal::Run. A test installs a
// hook that is called with the window about to run, already shown and initialised; the hook
// answers it (presses a button, ticks a control, types into a field). A window the hook left
// open is dismissed as if closed by its frame, so no test ever waits for a person.

#include <QString>
#include <functional>

class QAction;
class QDialog;
class QMenu;
class QPoint;
class QWidget;

struct VxModalRun
{
    std::function<int()> exec;     // the real modal loop; returns the result
    std::function<bool()> isOpen;  // still waiting for an answer?
    std::function<void()> dismiss; // close it the way the frame's close button would
    std::function<int()> result;   // the result once it is closed
};

class VxModal
{
public:
    using Hook = std::function<void(QWidget &window)>;

    // Installs the hook (an empty one removes it) and returns the previous one.
    static Hook SetHook(Hook hook);
    static bool HasHook();
    // Number of modal runs so far in this process.
    static int RunCount();

    static int Run(QWidget &window, const VxModalRun &run);
    // A Qt dialog run through the hook; returns QDialog::result().
    static int Exec(QDialog &dialog);
    // A menu shown at a screen position; returns the chosen item, or null.
    static QAction *ExecMenu(QMenu &menu, const QPoint &globalPos);
};

// Installs a hook for a scope and puts the previous one back afterwards.
class VxModalHookGuard
{
public:
    explicit VxModalHookGuard(VxModal::Hook hook) : m_previous(VxModal::SetHook(std::move(hook))) {}
    ~VxModalHookGuard() { VxModal::SetHook(std::move(m_previous)); }
    VxModalHookGuard(const VxModalHookGuard &) = delete;
    VxModalHookGuard &operator=(const VxModalHookGuard &) = delete;

private:
    VxModal::Hook m_previous;
};

// File and folder choice, modal over parent. Empty when the user cancels.
class VxFileDialog
{
public:
    enum Mode { Open = 1, Save = 2 };
    // filter in Qt's form ("SUDOKU Games (*.sdk);;All files (*)"); defaultExt without a dot.
    static QString GetFileName(QWidget *parent, const QString &title, int mode,
                               const QString &startDir, const QString &filter,
                               const QString &defaultExt);
    static QString GetDirectory(QWidget *parent, const QString &title, const QString &startDir);
};
