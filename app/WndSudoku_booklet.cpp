// Booklets of riddles on a printer or in a PDF file, and the current board exported as PDF.
#include "app/SdkBookletTexts.h"
#include "app/SdkCreateGameParam.h"
#include "app/SdkPrintRiddles.h"
#include "app/WndSudoku.h"
#include "booklet/SdkBooklet.h"
#include "velox/VxModal.h"
#include "velox/VxPrinter.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QProgressDialog>
#include <QTimer>
#include <thread>

namespace {
// The choices of the last booklet of this run are proposed for the next one.
SdkPrintRiddlesChoice lastChoice;

QString FromT(const TString &text)
{
    return QString::fromStdString(text.Str());
}
} // namespace

bool WndSudoku::DoPrintRiddles(VxEvent &)
{
    PrintRiddles();
    return true;
}

bool WndSudoku::DoExportPdf(VxEvent &)
{
    ExportPdf();
    return true;
}

void WndSudoku::ShowBookletFailure(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, Text(SdkTx::InformationTitle), text, QMessageBox::Ok,
                    this);
    box.setObjectName(QStringLiteral("VX_MESSAGE"));
    VxModal::Exec(box);
}

QString WndSudoku::SelectPdfFile()
{
    QString start = lastGameDir;
    if (start.isEmpty() || !QFileInfo(start).isDir())
        start = FromT(Sudoku::GetUserGamesPath());
    if (start.isEmpty() || !QFileInfo(start).isDir())
        start = QDir::homePath();
    QString path = VxFileDialog::GetFileName(this, Text(SdkTx::PdfFileTitle), VxFileDialog::Save,
                                             QDir::toNativeSeparators(start),
                                             Text(SdkTx::PdfFilter), QStringLiteral("pdf"));
    if (path.isEmpty())
        return QString();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QLatin1String(".pdf");
    return path;
}

void WndSudoku::ExportPdf()
{
    const QString path = SelectPdfFile();
    if (path.isEmpty())
        return;
    Sudoku snapshot;
    game->Lock();
    snapshot = *game;
    game->Release();
    const bool written = SdkBooklet::WritePdf(
        path, QStringLiteral("NinefoldSudoku"), [&](QPainter &painter, QPagedPaintDevice &device) {
            GScale scale;
            VxVectorDrawArea area(painter, scale);
            DrawPrintedPage(snapshot, area, QRect(0, 0, device.width(), device.height()));
            return true;
        });
    if (written)
        Status(Text(SdkTx::PdfWritten).arg(QDir::toNativeSeparators(path)), 1, 10);
    else
        ShowBookletFailure(Text(SdkTx::PdfNotWritten).arg(QDir::toNativeSeparators(path)));
}

SdkBookletOutcome WndSudoku::CollectBookletRiddles(const SdkBookletSource &source,
                                                   std::vector<SdkBookletRiddle> &riddles)
{
    // The game's own worker belongs to the current game: the booklet's riddles are computed on
    // a thread of their own, with games of their own, while the progress dialog keeps the
    // window going.
    std::atomic<bool> cancel{false};
    std::atomic<unsigned> done{0};
    std::atomic<bool> finished{false};
    SdkBookletOutcome outcome = SdkBookletOutcome::Cancelled;
    std::thread worker([&] {
        outcome = SdkCollectRiddles(source, riddles, cancel, &done);
        finished = true;
    });

    QProgressDialog progress(Text(SdkTx::BookletProgress), Text(SdkTx::BtCancel), 0,
                             int(source.count), this);
    progress.setObjectName(QStringLiteral("SUDOKU_BOOKLET_PROGRESS"));
    progress.setWindowTitle(Text(SdkTx::BookletTitle));
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    connect(&progress, &QProgressDialog::canceled, &progress, &QDialog::reject);
    QTimer poll;
    poll.setInterval(20);
    connect(&poll, &QTimer::timeout, &progress, [&] {
        if (finished) {
            poll.stop();
            progress.accept();
        } else {
            progress.setValue(int(done));
        }
    });
    poll.start();
    if (VxModal::Exec(progress) != QDialog::Accepted)
        cancel = true;
    worker.join();
    return cancel ? SdkBookletOutcome::Cancelled : outcome;
}

void WndSudoku::PrintRiddles()
{
    SdkPrintRiddles dialog(GetLanguage(), lastChoice, this);
    if (VxModal::Exec(dialog) != QDialog::Accepted)
        return;
    const SdkPrintRiddlesChoice choice = dialog.Choice();
    lastChoice = choice;

    QString pdf;
    VxVectorPrinter printer;
    if (choice.toPdf) {
        pdf = SelectPdfFile();
        if (pdf.isEmpty())
            return;
    } else if (!printer.SysCreate(QString(), VxVectorPrinter::PrinterDialog, this)) {
        return;
    }

    SdkBookletSource source;
    source.count = unsigned(choice.count);
    source.computed = choice.computed;
    source.level = choice.level;
    source.stockFolder = (installDir + QStringLiteral("/PreDefs")).toStdString();
    if (choice.computed) {
        SdkCreateGameParam settings(GetLanguage(), this);
        settings.LoadSettings();
        source.fixCount = settings.GetFix();
        source.attempts = settings.GetAttempts();
        source.minDirect = settings.GetMinDirectSteps();
        settings.GetMinMaxBtSteps(source.minBt, source.maxBt);
    }
    source.rate = SdkRateRiddle;

    std::vector<SdkBookletRiddle> riddles;
    const SdkBookletOutcome outcome = CollectBookletRiddles(source, riddles);
    if (outcome == SdkBookletOutcome::Cancelled)
        return;
    if (outcome == SdkBookletOutcome::NoRiddle) {
        ShowBookletFailure(Text(SdkTx::BookletNoRiddle));
        return;
    }

    SdkBookletLayout layout;
    layout.perPage = choice.perPage;
    layout.solutions = choice.solutions;
    layout.language = GetLanguage();
    if (!pdf.isEmpty()) {
        if (SdkBooklet::WriteBookletPdf(pdf, riddles, layout))
            Status(Text(SdkTx::PdfWritten).arg(QDir::toNativeSeparators(pdf)), 1, 10);
        else
            ShowBookletFailure(Text(SdkTx::PdfNotWritten).arg(QDir::toNativeSeparators(pdf)));
        return;
    }
    // Printer failures end silently, as the one-page print does.
    QPrinter *device = printer.Printer();
    device->setDocName(QStringLiteral("NinefoldSudoku"));
    QPainter painter;
    if (painter.begin(device)) {
        SdkBooklet::Draw(painter, *device, riddles, layout);
        painter.end();
    }
    printer.SysDelete();
}
