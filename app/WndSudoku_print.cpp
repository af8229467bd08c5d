// Printing: the board in its printing variant on one page, from a snapshot of the game.
#include "app/WndSudoku.h"
#include "velox/VxPrinter.h"

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
        GScale &scale = area->Scale();
        scale.SetScale(0, 0, 9 * FieldSize, 9 * FieldSize);
        const QRect page = printer.GetDeviceRect();
        const int mx = std::abs(page.right() - page.left()) / 10;
        const int my = std::abs(page.bottom() - page.top()) / 10;
        scale.SetDeviceRect(page.left() + mx, page.top() + my, page.right() - mx,
                            page.bottom() - my);
        scale.SetYTurned(false);
        // A board is square on any paper: one factor for both axes, centred in the margins.
        scale.SetProportional(true);
        scale.CalcNew();
        if (printer.StartPage()) {
            DrawFields(snapshot, *area, true);
            DrawDigits(snapshot, *area, true);
            DrawResultSets(snapshot, *area, true);
            printer.EndPage();
        }
    }
    printer.EndJob();
    printer.SysDelete();
}
