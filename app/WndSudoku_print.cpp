// Printing: the board in its printing variant on one page, from a snapshot of the game.
#include "app/WndSudoku.h"
#include "velox/VxPrinter.h"

namespace {
// The board on paper: the logical board inside margins of a tenth of the page.
void SetPrintScale(GScale &scale, const QRect &page)
{
    scale.SetScale(0, 0, 9 * WndSudoku::FieldSize, 9 * WndSudoku::FieldSize);
    const int mx = std::abs(page.right() - page.left()) / 10;
    const int my = std::abs(page.bottom() - page.top()) / 10;
    scale.SetDeviceRect(page.left() + mx, page.top() + my, page.right() - mx, page.bottom() - my);
    scale.SetYTurned(false);
    // A board is square on any paper: one factor for both axes, centred in the margins.
    scale.SetProportional(true);
    scale.CalcNew();
}
} // namespace

bool WndSudoku::DoPrint(VxEvent &)
{
    Print(false);
    return true;
}

void WndSudoku::Print(bool useDefaultPrinter)
{
    Sudoku snapshot;
    game->Lock();
    snapshot = *game;
    game->Release();

    VxVectorPrinter printer;
    const QString name = useDefaultPrinter ? VxVectorPrinter::GetDefaultPrinterName() : QString();
    const int dialog =
        useDefaultPrinter ? VxVectorPrinter::NoDialog : VxVectorPrinter::PrinterDialog;
    if (!printer.SysCreate(name, dialog, this))
        return;
    if (!printer.StartJob(QStringLiteral("NinefoldSudoku"))) {
        printer.SysDelete();
        return;
    }
    if (VxVectorDrawArea *area = printer.Output()) {
        if (printer.StartPage()) {
            DrawPrintedPage(snapshot, *area, printer.GetDeviceRect());
            printer.EndPage();
        }
    }
    printer.EndJob();
    printer.SysDelete();
}

void WndSudoku::DrawPrintedPage(const Sudoku &copy, VxVectorDrawArea &area, const QRect &page)
{
    SetPrintScale(area.Scale(), page);
    DrawFields(copy, area, true);
    DrawDigits(copy, area, true);
    DrawResultSets(copy, area, true);
}
