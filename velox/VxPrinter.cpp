#include "velox/VxPrinter.h"

#include "velox/VxModal.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

VxVectorPrinter::VxVectorPrinter() = default;

VxVectorPrinter::~VxVectorPrinter()
{
    SysDelete();
}

QString VxVectorPrinter::GetDefaultPrinterName()
{
    return QPrinterInfo::defaultPrinterName();
}

bool VxVectorPrinter::SysCreate(const QString &printerName, int dialogKind, QWidget *parent)
{
    SysDelete();
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!printerName.isEmpty())
        m_printer->setPrinterName(printerName);
    if (dialogKind == PrinterDialog) {
        QPrintDialog dialog(m_printer.get(), parent);
        dialog.setObjectName(QStringLiteral("VX_PRINT_DIALOG"));
        if (VxModal::Exec(dialog) != QDialog::Accepted) {
            m_printer.reset();
            return false;
        }
    }
    return true;
}

void VxVectorPrinter::SysDelete()
{
    if (m_painter)
        EndJob();
    m_printer.reset();
}

bool VxVectorPrinter::StartJob(const QString &documentName, const QString &outputFile)
{
    if (!m_printer || m_painter)
        return false;
    m_printer->setDocName(documentName);
    if (!outputFile.isEmpty()) {
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(outputFile);
    }
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(m_printer.get()))
        return false;
    m_painter = std::move(painter);
    const QRect page = GetDeviceRect();
    m_scale = GScale();
    m_scale.SetScale(page.left(), page.top(), page.right(), page.bottom());
    m_scale.SetDeviceRect(page.left(), page.top(), page.right(), page.bottom());
    m_area = std::make_unique<VxVectorDrawArea>(*m_painter, m_scale);
    m_pages = 0;
    m_pageOpen = false;
    return true;
}

bool VxVectorPrinter::StartPage()
{
    if (!m_painter || m_pageOpen)
        return false;
    // The first page comes with the job; every further one has to be asked for.
    if (m_pages > 0 && !m_printer->newPage())
        return false;
    ++m_pages;
    m_pageOpen = true;
    return true;
}

bool VxVectorPrinter::EndPage()
{
    if (!m_pageOpen)
        return false;
    m_pageOpen = false;
    return true;
}

bool VxVectorPrinter::EndJob()
{
    if (!m_painter)
        return false;
    m_pageOpen = false;
    m_area.reset();
    const bool ok = m_painter->end();
    m_painter.reset();
    return ok;
}

QRect VxVectorPrinter::GetDeviceRect() const
{
    if (!m_printer)
        return QRect();
    // A painter on a printer has its origin at the top-left of the printable area.
    const QRect paint = m_printer->pageLayout().paintRectPixels(m_printer->resolution());
    return QRect(QPoint(0, 0), paint.size());
}
