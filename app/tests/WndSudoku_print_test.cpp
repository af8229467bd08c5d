// Printing: the board printed to a PDF file through the printer dialog, rendered back to an
// image and inspected.
#include "SdkAppTestSupport.h"

#include "velox/VxCtl.h"

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace SdkTest;

TEST(WndSudokuPrint, OnePageWithASquareBoardInsideTheMarginsBlackDigitsAndNoCandidates)
{
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    FreshStart();
    WndSudoku *w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    // A played value, candidates and conflicts shown on screen: no colour may reach the paper.
    w->Game() = *MakeGame(Riddle);
    ASSERT_TRUE(w->Game().SetValue(SdkDigit4, 0, 2));
    VxCtl::SetChecked(w->FindChild("CHK_VIEW_RS"), true);
    VxCtl::SetChecked(w->FindChild("CHK_VIEW_CONFLICTS"), true);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("board.pdf");
    for (bool print : {false, true}) {
        Script script([&](QWidget &window) {
            auto *dialog = qobject_cast<QPrintDialog *>(&window);
            ASSERT_NE(dialog, nullptr);
            if (!print)
                return dialog->reject();
            dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog->printer()->setOutputFileName(pdf);
            dialog->printer()->setPageSize(QPageSize(QPageSize::A4));
            dialog->done(QDialog::Accepted);
        });
        VxEvent event;
        EXPECT_TRUE(w->DoPrint(event));
        EXPECT_EQ(script.Seen().size(), 1);
        EXPECT_EQ(QFileInfo::exists(pdf), print);
    }
    CloseMainWindow(w);

    QProcess render;
    render.start(pdftoppm, {"-r", "60", "-png", pdf, dir.filePath("page")});
    ASSERT_TRUE(render.waitForFinished(60000));
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().constData();
    const QStringList pages = QDir(dir.path()).entryList({"page*.png"}, QDir::Files);
    ASSERT_EQ(pages.size(), 1) << qPrintable(pages.join(' '));
    const QImage page = QImage(dir.filePath(pages[0])).convertToFormat(QImage::Format_RGB32);
    QDir().mkpath(NINEFOLD_SCREENSHOT_DIR);
    page.save(QStringLiteral(NINEFOLD_SCREENSHOT_DIR "/printed-page.png"));

    // The board is the bounding box of everything dark.
    QRect board;
    int coloured = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb c = page.pixel(x, y);
            coloured += std::max({qRed(c), qGreen(c), qBlue(c)}) -
                            std::min({qRed(c), qGreen(c), qBlue(c)}) >
                        60;
            if (qGray(c) < 128)
                board |= QRect(x, y, 1, 1);
        }
    EXPECT_EQ(coloured, 0);
    EXPECT_NEAR(double(board.width()) / board.height(), 1.0, 0.02);
    EXPECT_TRUE(page.rect()
                    .adjusted(page.width() / 10, page.height() / 10, -page.width() / 10,
                              -page.height() / 10)
                    .contains(board));
    EXPECT_GT(board.width(), page.width() / 2);
    // Given and played digits are ink; empty fields stay blank although the screen shows
    // candidates.
    const double cell = board.width() / 9.0;
    const int m = int(cell * 0.2);
    for (const auto &[field, inked] :
         {QPair(0, true), QPair(2, true), QPair(3, false), QPair(72, false), QPair(40, false)}) {
        const QRect inner(board.left() + int(field % 9 * cell) + m,
                          board.top() + int(field / 9 * cell) + m, int(cell) - 2 * m,
                          int(cell) - 2 * m);
        int dark = 0;
        for (int y = inner.top(); y <= inner.bottom(); ++y)
            for (int x = inner.left(); x <= inner.right(); ++x)
                dark += qGray(page.pixel(x, y)) < 128;
        EXPECT_EQ(dark > 5, inked) << field;
    }
}
