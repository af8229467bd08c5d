#pragma once

// The application: finds and installs the resource file with the handler link table, opens the
// main window and remembers the game file named on the command line.

#include "velox/VxApp.h"
#include "velox/VxLink.h"

#include <QPointer>
#include <QString>

class WndSudoku;

// The handler link table of "NinefoldSudoku.vxt".
extern const VxLinkEntry SdkLinkTable[];

class SudokuApp : public VxApp
{
public:
    SudokuApp();
    ~SudokuApp() override;

    bool Main(unsigned short argc, const QStringList &argv) override;
    QString GetInitFile() const { return initFile; }

    // The application object of the process, or null.
    static SudokuApp *Current();
    // The main window started by Main, while it exists.
    WndSudoku *MainWindow() const;
    // The resource file Main searches; tests name a missing one.
    void SetResourceFileName(const QString &name) { resourceFile = name; }

private:
    QString initFile;
    QString resourceFile = QStringLiteral("NinefoldSudoku.vxt");
    QPointer<WndSudoku> mainWindow;
};
