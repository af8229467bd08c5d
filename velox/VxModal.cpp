#include "velox/VxModal.h"

#include <QAction>
#include <QDialog>
#include <QFileDialog>
#include <QMenu>
#include <QPointer>

namespace {
VxModal::Hook &TheHook()
{
    static VxModal::Hook hook;
    return hook;
}
int runCount = 0;
} // namespace

VxModal::Hook VxModal::SetHook(Hook hook)
{
    Hook previous = std::move(TheHook());
    TheHook() = std::move(hook);
    return previous;
}

bool VxModal::HasHook()
{
    return bool(TheHook());
}

int VxModal::RunCount()
{
    return runCount;
}

int VxModal::Run(QWidget &window, const VxModalRun &run)
{
    ++runCount;
    if (!TheHook())
        return run.exec();
    // A copy: the hook may replace itself, or run another modal window from inside.
    const Hook hook = TheHook();
    QPointer<QWidget> alive(&window);
    hook(window);
    if (alive && run.isOpen())
        run.dismiss();
    return run.result();
}

int VxModal::Exec(QDialog &dialog)
{
    VxModalRun run;
    run.exec = [&dialog] { return dialog.exec(); };
    run.isOpen = [&dialog] { return dialog.isVisible(); };
    run.dismiss = [&dialog] { dialog.reject(); };
    run.result = [&dialog] { return dialog.result(); };
    if (HasHook()) {
        dialog.setResult(QDialog::Rejected);
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
    }
    return Run(dialog, run);
}

QAction *VxModal::ExecMenu(QMenu &menu, const QPoint &globalPos)
{
    QPointer<QAction> chosen;
    VxModalRun run;
    run.exec = [&] {
        chosen = menu.exec(globalPos);
        return chosen ? 1 : 0;
    };
    run.isOpen = [&menu] { return menu.isVisible(); };
    run.dismiss = [&menu] { menu.close(); };
    run.result = [&chosen] { return chosen ? 1 : 0; };
    if (HasHook()) {
        QObject::connect(&menu, &QMenu::triggered, &menu, [&chosen](QAction *a) { chosen = a; });
        menu.popup(globalPos);
    }
    Run(menu, run);
    return chosen;
}

QString VxFileDialog::GetFileName(QWidget *parent, const QString &title, int mode,
                                  const QString &startDir, const QString &filter,
                                  const QString &defaultExt)
{
    QFileDialog dialog(parent, title, startDir, filter);
    dialog.setObjectName(QStringLiteral("VX_FILE_DIALOG"));
    dialog.setAcceptMode(mode == Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(mode == Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultExt);
    // A hook can only answer a dialog it can see as widgets.
    if (VxModal::HasHook())
        dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (VxModal::Exec(dialog) != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

QString VxFileDialog::GetDirectory(QWidget *parent, const QString &title, const QString &startDir)
{
    QFileDialog dialog(parent, title, startDir);
    dialog.setObjectName(QStringLiteral("VX_DIR_DIALOG"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (VxModal::HasHook())
        dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (VxModal::Exec(dialog) != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}
