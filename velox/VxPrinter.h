#pragma once

// A printer with a vector drawing area: choose a printer (dialog or default), run a job of
// pages, draw each page through the same drawing operations as the screen.

#include "base/GGeometry.h"
#include "velox/VxDraw.h"

#include <QRect>
#include <QString>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;

class VxVectorPrinter
{
public:
    enum DialogKind { NoDialog = 0, PrinterDialog = 1 };

    VxVectorPrinter();
    ~VxVectorPrinter();
    VxVectorPrinter(const VxVectorPrinter &) = delete;
    VxVectorPrinter &operator=(const VxVectorPrinter &) = delete;

    // Prepares the printer. With PrinterDialog the user chooses (false when cancelled);
    // with NoDialog the named printer is used, or the default printer when the name is empty.
    bool SysCreate(const QString &printerName, int dialogKind, QWidget *parent);
    // Releases the printer; ends a running job first.
    void SysDelete();

    // Starts a job; with an output file the pages go to that PDF file instead of a printer.
    bool StartJob(const QString &documentName, const QString &outputFile = QString());
    bool StartPage();
    bool EndPage();
    bool EndJob();
    bool IsPrinting() const { return m_painter != nullptr; }

    // The printable page in device units.
    QRect GetDeviceRect() const;
    // The drawing area of the running job (null outside a job). Its scale starts with the
    // page as device rectangle and the logical rectangle equal to it.
    VxVectorDrawArea *Output() { return m_area.get(); }
    QPrinter *Printer() { return m_printer.get(); }

    static QString GetDefaultPrinterName();

private:
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    GScale m_scale;
    std::unique_ptr<VxVectorDrawArea> m_area;
    int m_pages = 0;
    bool m_pageOpen = false;
};
