#include "app/SudokuApp.h"

#include "app/SdkTexts.h"
#include "app/WndSudoku.h"
#include "base/TOpSystem.h"
#include "velox/VxResource.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

SudokuApp::SudokuApp() : VxApp(QStringLiteral("NinefoldSudoku")) {}

SudokuApp::~SudokuApp() = default;

SudokuApp *SudokuApp::Current()
{
    return dynamic_cast<SudokuApp *>(VxApp::Instance());
}

WndSudoku *SudokuApp::MainWindow() const
{
    return mainWindow.data();
}

namespace {
QString ForwardSlashes(QString path)
{
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// A full path ("C:..." or "/...") stands as it is; anything else is taken relative to the
// folder the user started the program from.
QString ResolveGameArgument(const QString &argument, const QString &startDir)
{
    if ((argument.size() >= 2 && argument.at(1) == QLatin1Char(':')) ||
        argument.startsWith(QLatin1Char('/')))
        return argument;
    QString base = ForwardSlashes(startDir);
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base + QLatin1Char('/') + argument;
}
} // namespace

bool SudokuApp::Main(unsigned short argc, const QStringList &argv)
{
    initFile.clear();
    const QString workingDir = ForwardSlashes(QDir::currentPath());
    const QString programDir = QString::fromStdString(CurrentOS->GetProgramDir().Str());
    bool dirChanged = false;
    if (!programDir.isEmpty() && workingDir.compare(programDir, Qt::CaseInsensitive) != 0)
        dirChanged = QDir::setCurrent(programDir);

    bool started = false;
    QString error;
    const QString path = VxConfig::FindFile(resourceFile);
    if (path.isEmpty()) {
        error = QString::fromLatin1(SdkTx::ResourceNotFound).arg(resourceFile);
    } else if (const int rc = VxResource::InstallResourceFile(path, SdkLinkTable);
               rc != VxResource::VX_RES_OK) {
        error = VxResource::ErrorText(rc, path);
    } else {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QWidget *loaded = VxResource::LoadWindow(QStringLiteral("SUDOKU_MAIN"));
        QApplication::restoreOverrideCursor();
        auto *window = dynamic_cast<WndSudoku *>(loaded);
        if (!window || !window->IsValid()) {
            delete loaded;
            error = QString::fromLatin1(SdkTx::MainWindowFailed).arg(QStringLiteral("SUDOKU_MAIN"));
        } else {
            if (argc > 0 && !argv.isEmpty()) {
                const QString file = ResolveGameArgument(argv.first(), workingDir);
                const QFileInfo info(file);
                if (info.exists() && !info.isDir())
                    initFile = file;
            }
            mainWindow = window;
            // The window goes with the event loop, while the application object still exists.
            if (QCoreApplication *app = QCoreApplication::instance())
                QObject::connect(app, &QCoreApplication::aboutToQuit, window,
                                 [this] { delete mainWindow.data(); });
            window->Start();
            started = true;
        }
    }
    if (!error.isEmpty())
        VxApp::Message(error, QStringLiteral("VELOX Message"));
    if (dirChanged)
        QDir::setCurrent(workingDir);
    return started;
}
