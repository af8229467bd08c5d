// Printing: the board printed to a PDF file through the printer dialog, rendered back to an
// image and inspected.
#include "SdkAppTestSupport.h"

#include "velox/VxCtl.h"

#include <QDir>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace SdkTest;

namespace {
// Answers the printer dialog: print to a PDF file.
std::function<void(QWidget &)> PrintTo(const QString &pdf)
{
    return [pdf](QWidget &window) {
        auto *dialog = qobject_cast<QPrintDialog *>(&window);
        ASSERT_NE(dialog, nullptr);
        dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog->printer()->setOutputFileName(pdf);
        dialog->printer()->setPageSize(QPageSize(QPageSize::A4));
        dialog->done(QDialog::Accepted);
    };
}

bool Dark(QRgb c)
{
    return qGray(c) < 128;
}

bool Coloured(QRgb c)
{
    const int hi = std::max({qRed(c), qGreen(c), qBlue(c)});
    const int lo = std::min({qRed(c), qGreen(c), qBlue(c)});
    return hi - lo > 60;
}

int DarkIn(const QImage &image, const QRect &rect)
{
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            n += Dark(image.pixel(x, y));
    return n;
}
} // namespace

TEST(WndSudokuPrint, OnePageWithASquareBoardInsideTheMarginsBlackDigitsAndNoCandidates)
{
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    FreshStart();
    WndSudoku *w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    // A riddle with a played value, computed candidates shown on screen, a conflict and the
    // active field marked: none of the colours may reach the paper.
    w->Game() = *MakeGame(Riddle);
    ASSERT_TRUE(w->Game().SetValue(SdkDigit4, 0, 2));
    VxCtl::SetChecked(w->FindChild("CHK_VIEW_RS"), true);
    VxCtl::SetChecked(w->FindChild("CHK_VIEW_CONFLICTS"), true);

    QTemporaryDir dir;
    const QString pdf = dir.filePath("board.pdf");
    {
        ModalRecorder hook(PrintTo(pdf));
        VxEvent event;
        EXPECT_TRUE(w->DoPrint(event));
        ASSERT_EQ(hook.Seen().size(), 1);
    }
    CloseMainWindow(w);
    ASSERT_TRUE(QFileInfo::exists(pdf));

    QProcess render;
    render.start(pdftoppm, {"-r", "60", "-png", pdf, dir.filePath("page")});
    ASSERT_TRUE(render.waitForFinished(60000));
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().constData();
    const QStringList pages = QDir(dir.path()).entryList({"page*.png"}, QDir::Files);
    ASSERT_EQ(pages.size(), 1) << qPrintable(pages.join(' '));
    const QImage page = QImage(dir.filePath(pages[0])).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(page.isNull());
    QDir().mkpath(NINEFOLD_SCREENSHOT_DIR);
    page.save(QStringLiteral(NINEFOLD_SCREENSHOT_DIR "/printed-page.png"));

    // The board is the bounding box of everything dark.
    QRect board;
    int coloured = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb c = page.pixel(x, y);
            coloured += Coloured(c);
            if (Dark(c))
                board |= QRect(x, y, 1, 1);
        }
    ASSERT_FALSE(board.isEmpty());
    EXPECT_EQ(coloured, 0);
    EXPECT_NEAR(double(board.width()) / board.height(), 1.0, 0.02);
    EXPECT_GE(board.left(), page.width() / 10);
    EXPECT_LE(board.right(), page.width() - page.width() / 10);
    EXPECT_GE(board.top(), page.height() / 10);
    EXPECT_LE(board.bottom(), page.height() - page.height() / 10);
    EXPECT_GT(board.width(), page.width() / 2);

    // Given and played digits are black ink in their fields; an empty field stays blank although
    // the screen shows its candidates.
    const double cell = board.width() / 9.0;
    auto inner = [&](int row, int column) {
        const int m = int(cell * 0.2);
        return QRect(board.left() + int(column * cell) + m, board.top() + int(row * cell) + m,
                     int(cell) - 2 * m, int(cell) - 2 * m);
    };
    EXPECT_GT(DarkIn(page, inner(0, 0)), 5); // given 5
    EXPECT_GT(DarkIn(page, inner(0, 2)), 5); // played 4
    EXPECT_EQ(DarkIn(page, inner(0, 3)), 0); // empty
    EXPECT_EQ(DarkIn(page, inner(8, 0)), 0); // empty
    EXPECT_EQ(DarkIn(page, inner(4, 4)), 0); // empty
}

TEST(WndSudokuPrint, CancelledPrinterDialogPrintsAndShowsNothing)
{
    FreshStart();
    WndSudoku *w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    ModalRecorder hook([](QWidget &window) { qobject_cast<QDialog *>(&window)->reject(); });
    VxEvent event;
    EXPECT_TRUE(w->DoPrint(event));
    EXPECT_EQ(hook.Seen().size(), 1);
    CloseMainWindow(w);
}
