// Booklets of riddles and the PDF export, driven through their dialogs and read back from the
// written PDF files.
#include "SdkAppTestSupport.h"
#include "base/TOpSystem.h"
#include "booklet/tests/SdkPdfTestSupport.h"
#include "velox/VxCtl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

using namespace SdkTest;
using namespace SdkPdfTest;

namespace {
struct BookletAnswers
{
    int count = 5;
    int perPage = 2;
    bool computed = false;
    bool solutions = true;
    QString pdf;
    bool cancelProgress = false;
    bool progressVisible = false;
};

// Spins the event loop until the window is hidden; bounded.
void WaitHidden(QWidget &window, int ms = 60000)
{
    QDeadlineTimer deadline(ms);
    while (window.isVisible() && !deadline.hasExpired())
        QTest::qWait(10);
}

// Answers the booklet dialog, the file dialog and the progress dialog.
std::function<void(QWidget &)> Answer(BookletAnswers &a)
{
    return [&a](QWidget &window) {
        const QString name = window.objectName();
        if (name == "SUDOKU_PRINT_RIDDLES") {
            window.findChild<QSpinBox *>("ED_COUNT")->setValue(a.count);
            auto *perPage = window.findChild<QComboBox *>("COMBO_PER_PAGE");
            perPage->setCurrentIndex(perPage->findData(a.perPage));
            window.findChild<QAbstractButton *>(a.computed ? "RAD_COMPUTED" : "RAD_STOCK")
                ->setChecked(true);
            window.findChild<QAbstractButton *>("CHK_SOLUTIONS")->setChecked(a.solutions);
            window.findChild<QAbstractButton *>("RAD_PDF")->setChecked(true);
            QTest::mouseClick(window.findChild<QAbstractButton *>("BT_OK"), Qt::LeftButton);
        } else if (auto *files = qobject_cast<QFileDialog *>(&window)) {
            files->selectFile(a.pdf);
            static_cast<QDialog *>(files)->accept();
        } else if (name == "SUDOKU_BOOKLET_PROGRESS") {
            a.progressVisible = window.isVisible();
            if (a.cancelProgress) {
                QTest::qWait(300);
                QTest::mouseClick(window.findChild<QAbstractButton *>(), Qt::LeftButton);
            }
            WaitHidden(window);
        }
    };
}

bool Coloured(QRgb c)
{
    const int hi = std::max({qRed(c), qGreen(c), qBlue(c)});
    const int lo = std::min({qRed(c), qGreen(c), qBlue(c)});
    return hi - lo > 60;
}

QStringList Windows(const ModalRecorder &hook)
{
    QStringList names;
    for (const ModalAnswer &a : hook.Seen())
        names << a.window;
    return names;
}
} // namespace

TEST(WndSudokuBooklet, ExportWritesTheBoardAsPrintedWithoutThePrinterDialog)
{
    if (Pdftoppm().isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    FreshStart();
    WndSudoku *w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    w->Game() = *MakeGame(Riddle);
    ASSERT_TRUE(w->Game().SetValue(SdkDigit4, 0, 2));
    VxCtl::SetChecked(w->FindChild("CHK_VIEW_RS"), true);
    QTemporaryDir dir;
    BookletAnswers a;
    a.pdf = dir.filePath("board"); // ".pdf" is added
    {
        ModalRecorder hook(Answer(a));
        VxEvent event;
        EXPECT_TRUE(w->DoExportPdf(event));
        EXPECT_EQ(Windows(hook), QStringList{"VX_FILE_DIALOG"});
    }
    CloseMainWindow(w);
    const QList<QImage> pages = RenderPages(dir.filePath("board.pdf"), 60);
    ASSERT_EQ(pages.size(), 1);
    const QImage &page = pages[0];
    const QList<QRect> boards = Boards(page);
    ASSERT_EQ(boards.size(), 1);
    const QRect board = boards[0];
    EXPECT_GE(board.left(), page.width() / 10 - 2);
    EXPECT_GT(board.width(), page.width() / 2);
    int coloured = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            coloured += Coloured(page.pixel(x, y));
    EXPECT_EQ(coloured, 0);
    EXPECT_GT(DarkIn(page, FieldOf(board, 0, 0)), 5); // given 5
    EXPECT_GT(DarkIn(page, FieldOf(board, 0, 2)), 5); // played 4
    EXPECT_EQ(DarkIn(page, FieldOf(board, 0, 3)), 0); // empty, candidates only on screen
}

struct FailureCase
{
    const char *language;
    bool noStock; // else: the PDF export into a missing folder
    const char *message;
};

class WndSudokuBookletFailure : public testing::TestWithParam<FailureCase>
{
};

TEST_P(WndSudokuBookletFailure, IsShownInTheWindowsLanguageAndWritesNothing)
{
    const FailureCase c = GetParam();
    FreshStart(c.language);
    WndSudoku *w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    QTemporaryDir dir;
    QTemporaryDir emptyInstall;
    BookletAnswers a;
    a.pdf = c.noStock ? dir.filePath("booklet.pdf") : dir.filePath("missing/board.pdf");
    ModalRecorder hook(Answer(a));
    VxEvent event;
    if (c.noStock) {
        WndSudokuPeer::InstallDir(*w) = emptyInstall.path();
        EXPECT_TRUE(w->DoPrintRiddles(event));
    } else {
        EXPECT_TRUE(w->DoExportPdf(event));
    }
    ASSERT_FALSE(hook.Seen().isEmpty());
    EXPECT_EQ(hook.Seen().last().window, "VX_MESSAGE");
    EXPECT_TRUE(hook.Seen().last().text.contains(QString::fromUtf8(c.message)))
        << qPrintable(hook.Seen().last().text);
    EXPECT_TRUE(
        QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
    CloseMainWindow(w);
}

INSTANTIATE_TEST_SUITE_P(Languages, WndSudokuBookletFailure,
                         testing::Values(FailureCase{"English", true, "No riddle could be found"},
                                         FailureCase{"German", true, "Es konnte kein Rätsel"},
                                         FailureCase{"English", false, "could not be written"},
                                         FailureCase{"German", false,
                                                     "konnte nicht geschrieben werden"}));

TEST(WndSudokuBooklet, StockRiddlesTwoAPageWithTheirSolutionsAtTheEnd)
{
    if (Pdftoppm().isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    FreshStart();
    WndSudoku *w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    QTemporaryDir dir;
    BookletAnswers a;
    a.pdf = dir.filePath("booklet.pdf");
    {
        ModalRecorder hook(Answer(a));
        VxEvent event;
        EXPECT_TRUE(w->DoPrintRiddles(event));
        EXPECT_EQ(Windows(hook), QStringList({"SUDOKU_PRINT_RIDDLES", "VX_FILE_DIALOG",
                                              "SUDOKU_BOOKLET_PROGRESS"}));
    }
    EXPECT_TRUE(a.progressVisible);
    CloseMainWindow(w);
    const QList<QImage> pages = RenderPages(a.pdf);
    ASSERT_EQ(pages.size(), 4); // three pages of riddles, one of solutions
    EXPECT_EQ(Boards(pages[0]).size(), 2);
    EXPECT_EQ(Boards(pages[2]).size(), 1);
    EXPECT_EQ(Boards(pages[3]).size(), 5);
}

TEST(WndSudokuBooklet, CancellingTheComputationWritesNothing)
{
    FreshStart();
    // Settings no riddle can meet soon: the computation runs until it is cancelled.
    for (auto [name, value] : {std::pair{"IsProfiLevel", "1"},
                               {"MinBt", "20"},
                               {"MaxBt", "20"},
                               {"MinDirectSteps", "20"},
                               {"FixCount", "10"},
                               {"Iterations", "9999"}})
        CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser,
                                      TString(SdkRegistryKey) + "\\CreateOptions", name, value);
    WndSudoku *w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    QTemporaryDir dir;
    BookletAnswers a;
    a.pdf = dir.filePath("booklet.pdf");
    a.computed = true;
    a.cancelProgress = true;
    {
        ModalRecorder hook(Answer(a));
        VxEvent event;
        EXPECT_TRUE(w->DoPrintRiddles(event));
        EXPECT_EQ(Windows(hook), QStringList({"SUDOKU_PRINT_RIDDLES", "VX_FILE_DIALOG",
                                              "SUDOKU_BOOKLET_PROGRESS"}));
    }
    EXPECT_FALSE(QFile::exists(a.pdf));
    EXPECT_FALSE(w->Game().IsThreadRunning());
    CloseMainWindow(w);
}
