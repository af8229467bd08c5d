// The board printed (through the printer dialog or as a PDF export), booklets of riddles, and
// their failures, read back from the written PDF files.
#include "SdkAppTestSupport.h"

#include "booklet/tests/SdkPdfTestSupport.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>

using namespace SdkTest;
using namespace SdkPdfTest;

namespace {
struct BookletAnswers
{
    QString pdf;
    bool computed = false, cancelProgress = false, progressVisible = false;
};

// Answers the booklet dialog (riddles two a page, with solutions, as PDF), the file dialog, the
// printer dialog and the progress dialog.
Reply Answer(BookletAnswers &a)
{
    return [&a](QWidget &window) {
        const QString name = window.objectName();
        if (name == "SUDOKU_PRINT_RIDDLES") {
            window.findChild<QSpinBox *>("ED_COUNT")->setValue(5);
            auto *perPage = window.findChild<QComboBox *>("COMBO_PER_PAGE");
            perPage->setCurrentIndex(perPage->findData(2));
            for (const char *on :
                 {a.computed ? "RAD_COMPUTED" : "RAD_STOCK", "CHK_SOLUTIONS", "RAD_PDF"})
                window.findChild<QAbstractButton *>(on)->setChecked(true);
            QTest::mouseClick(window.findChild<QAbstractButton *>("BT_OK"), Qt::LeftButton);
        } else if (qobject_cast<QFileDialog *>(&window)) {
            ChooseFile(a.pdf)(window);
        } else if (auto *print = qobject_cast<QPrintDialog *>(&window)) {
            print->printer()->setOutputFormat(QPrinter::PdfFormat);
            print->printer()->setOutputFileName(a.pdf);
            print->printer()->setPageSize(QPageSize(QPageSize::A4));
            print->done(QDialog::Accepted);
        } else if (name == "SUDOKU_BOOKLET_PROGRESS") {
            a.progressVisible = window.isVisible();
            if (a.cancelProgress) {
                QTest::qWait(300);
                QTest::mouseClick(window.findChild<QAbstractButton *>(), Qt::LeftButton);
            }
            EXPECT_TRUE(QTest::qWaitFor([&window] { return !window.isVisible(); }, 60000));
        }
    };
}

class WndSudokuBooklet : public WndTest
{
protected:
    void SetUp() override
    {
        if (Pdftoppm().isEmpty())
            GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
        WndTest::SetUp();
        a.pdf = dir.filePath("booklet.pdf");
    }
    QStringList Run(bool (WndSudoku::*command)(VxEvent &))
    {
        Script script(Answer(a));
        EXPECT_TRUE(Do(command));
        return script.SeenWindows();
    }

    BookletAnswers a;
};
} // namespace

// A played value, candidates and conflicts shown on screen: only the digits reach the paper,
// in black, on one page.
TEST_F(WndSudokuBooklet, TheBoardIsPrintedAsOnPaperThroughEitherCommand)
{
    Start();
    ASSERT_TRUE(w->Game().SetValue(SdkDigit4, 0, 2));
    View(true, false, true);
    for (auto command : {&WndSudoku::DoPrint, &WndSudoku::DoExportPdf}) {
        a.pdf = dir.filePath(command == &WndSudoku::DoPrint ? "printed.pdf" : "exported");
        EXPECT_EQ(Run(command).size(), 1); // the printer dialog or the file dialog only
        const QList<QImage> pages =
            RenderPages(a.pdf.endsWith(".pdf") ? a.pdf : a.pdf + ".pdf", 60);
        ASSERT_EQ(pages.size(), 1);
        const QImage &page = pages[0];
        page.save(QStringLiteral(NINEFOLD_SCREENSHOT_DIR "/printed-page.png"));
        const QList<QRect> boards = Boards(page);
        ASSERT_EQ(boards.size(), 1);
        const QRect board = boards[0];
        EXPECT_GE(board.left(), page.width() / 10 - 2);
        EXPECT_GT(board.width(), page.width() / 2);
        int coloured = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                coloured += qAbs(qRed(page.pixel(x, y)) - qBlue(page.pixel(x, y))) > 60;
        EXPECT_EQ(coloured, 0);
        EXPECT_GT(DarkIn(page, FieldOf(board, 0, 0)), 5); // given 5
        EXPECT_GT(DarkIn(page, FieldOf(board, 0, 2)), 5); // played 4
        EXPECT_EQ(DarkIn(page, FieldOf(board, 0, 3)), 0); // empty, candidates only on screen
    }
    // A cancelled printer dialog prints nothing.
    a.pdf = dir.filePath("cancelled.pdf");
    Script script(Reject);
    EXPECT_TRUE(Do(&WndSudoku::DoPrint));
    EXPECT_FALSE(QFileInfo::exists(a.pdf));
}

TEST_F(WndSudokuBooklet, StockRiddlesTwoAPageWithTheirSolutionsAtTheEnd)
{
    EXPECT_EQ(Run(&WndSudoku::DoPrintRiddles),
              QStringList({"SUDOKU_PRINT_RIDDLES", "VX_FILE_DIALOG", "SUDOKU_BOOKLET_PROGRESS"}));
    EXPECT_TRUE(a.progressVisible);
    const QList<QImage> pages = RenderPages(a.pdf);
    ASSERT_EQ(pages.size(), 4); // three pages of riddles, one of solutions
    EXPECT_EQ(Boards(pages[0]).size(), 2);
    EXPECT_EQ(Boards(pages[2]).size(), 1);
    EXPECT_EQ(Boards(pages[3]).size(), 5);
}

TEST_F(WndSudokuBooklet, CancellingTheComputationWritesNothing)
{
    // Settings no riddle can meet soon: the computation runs until it is cancelled.
    for (const auto &[name, value] :
         {QPair("IsProfiLevel", "1"), QPair("MinBt", "20"), QPair("MaxBt", "20"),
          QPair("MinDirectSteps", "20"), QPair("FixCount", "10"), QPair("Iterations", "9999")})
        SetSetting(name, value, "CreateOptions");
    a.computed = true;
    a.cancelProgress = true;
    EXPECT_EQ(Run(&WndSudoku::DoPrintRiddles),
              QStringList({"SUDOKU_PRINT_RIDDLES", "VX_FILE_DIALOG", "SUDOKU_BOOKLET_PROGRESS"}));
    EXPECT_FALSE(QFile::exists(a.pdf));
    EXPECT_FALSE(w->Game().IsThreadRunning());
}

// A booklet without riddles in stock and an export into a missing folder, in either language.
TEST_F(WndSudokuBooklet, FailuresAreShownInTheWindowsLanguageAndWriteNothing)
{
    QTemporaryDir emptyInstall;
    WndSudokuPeer::InstallDir(*w) = emptyInstall.path();
    const std::tuple<short, bool, const char *> cases[] = {
        // language, no stock, message
        {1, true, "No riddle could be found"},
        {0, true, "Es konnte kein Rätsel"},
        {1, false, "could not be written"},
        {0, false, "konnte nicht geschrieben werden"}};
    for (const auto &[language, noStock, message] : cases) {
        WndSudokuPeer::Language(*w) = language;
        a.pdf = noStock ? dir.filePath("booklet.pdf") : dir.filePath("missing/board.pdf");
        Script script(Answer(a));
        EXPECT_TRUE(Do(noStock ? &WndSudoku::DoPrintRiddles : &WndSudoku::DoExportPdf));
        ASSERT_FALSE(script.Seen().isEmpty());
        EXPECT_EQ(script.Seen().last().window, "VX_MESSAGE");
        EXPECT_TRUE(script.Seen().last().text.contains(QString::fromUtf8(message)))
            << script.Seen().last().text;
        EXPECT_TRUE(
            QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
    }
}
