// The tool's print command: booklets written to PDF without a display, read back through
// pdftoppm.
#include "booklet/tests/SdkPdfTestSupport.h"
#include "engine/Sudoku.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace SdkPdfTest;

namespace {
const char Easy[] =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";

struct CliRun
{
    int code = -1;
    QString out;
    QString err;
};

// The tool started as a separate program with no display at all.
CliRun Cli(const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(NINEFOLD_CLI_PATH), args);
    CliRun r;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished(5000);
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// A stock folder holding the one riddle Easy at level 1.
void WriteStock(const QString &folder)
{
    Sudoku game;
    for (unsigned i = 0; i < 81; ++i) {
        if (Easy[i] != '.') {
            ASSERT_TRUE(game.Fix(SdkDigit(Easy[i] - '0'), i / 9, i % 9));
        }
    }
    ASSERT_TRUE(game.SaveGame(TString((folder + "/easy.01.spd").toStdString()), true, false));
}
} // namespace

struct BookletCase
{
    int count;
    int perPage;
    bool solutions;
    bool computed;
    int pages;
    int boardsFirst;
    int boardsLast;
};

class CliPrintBooklet : public testing::TestWithParam<BookletCase>
{
};

TEST_P(CliPrintBooklet, HasItsPagesAndBoardsPerPage)
{
    if (Pdftoppm().isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const BookletCase c = GetParam();
    QTemporaryDir dir;
    const QString pdf = dir.filePath("booklet.pdf");
    QStringList args{"print",
                     "-o",
                     pdf,
                     "--count",
                     QString::number(c.count),
                     "--per-page",
                     QString::number(c.perPage)};
    if (c.solutions)
        args << "--solutions";
    if (c.computed)
        args << "--computed";
    const CliRun r = Cli(args);
    ASSERT_EQ(r.code, 0) << qPrintable(r.err);
    const QList<QImage> pages = RenderPages(pdf);
    ASSERT_EQ(pages.size(), c.pages);
    EXPECT_EQ(Boards(pages.first()).size(), c.boardsFirst);
    EXPECT_EQ(Boards(pages.last()).size(), c.boardsLast);
}

INSTANTIATE_TEST_SUITE_P(Layouts, CliPrintBooklet,
                         testing::Values(BookletCase{1, 1, false, false, 1, 1, 1},
                                         BookletCase{5, 2, true, false, 4, 2, 5},
                                         BookletCase{6, 6, false, false, 1, 6, 6},
                                         BookletCase{13, 4, true, false, 6, 4, 1},
                                         BookletCase{2, 2, true, true, 2, 2, 2}));

TEST(CliPrint, GivenDigitsInkTheirFieldsCaptionsSayNumberLevelAndPage)
{
    if (Pdftoppm().isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    QTemporaryDir dir;
    WriteStock(dir.path());
    const QString pdf = dir.filePath("one.pdf");
    const CliRun r = Cli({"print", "-o", pdf, "--count", "1", "--per-page", "1", "--solutions",
                          "--stock", dir.path()});
    ASSERT_EQ(r.code, 0) << qPrintable(r.err);
    const QString text = PdfText(pdf);
    for (const char *caption : {"No. 1", "Level 1", "Rating ", "Solutions", "Page 2 of 2"})
        EXPECT_TRUE(text.contains(QLatin1String(caption))) << caption << qPrintable(text);
    const QString german = dir.filePath("de.pdf");
    ASSERT_EQ(Cli({"print", "-o", german, "--count", "1", "--solutions", "--stock", dir.path(),
                   "--language", "de"})
                  .code,
              0);
    for (const char *caption : {"Nr. 1", "Stufe 1", "Bewertung ", "Lösungen", "Seite 2 von 2"})
        EXPECT_TRUE(PdfText(german).contains(QString::fromUtf8(caption))) << caption;
    const QList<QImage> pages = RenderPages(pdf, 100);
    ASSERT_EQ(pages.size(), 2);
    const QList<QRect> riddle = Boards(pages[0]);
    const QList<QRect> solution = Boards(pages[1]);
    ASSERT_EQ(riddle.size(), 1);
    ASSERT_EQ(solution.size(), 1);
    for (int i = 0; i < 81; ++i) {
        const bool given = Easy[i] != '.';
        EXPECT_EQ(DarkIn(pages[0], FieldOf(riddle[0], i / 9, i % 9)) > 0, given) << i;
        EXPECT_GT(DarkIn(pages[1], FieldOf(solution[0], i / 9, i % 9)), 0) << i;
    }
}

struct FailureCase
{
    const char *language;
    bool missingFolder; // else: an empty stock
    int code;
    const char *message;
};

class CliPrintFailure : public testing::TestWithParam<FailureCase>
{
};

TEST_P(CliPrintFailure, IsReportedAndLeavesTheChosenFileAlone)
{
    const FailureCase c = GetParam();
    QTemporaryDir dir;
    QTemporaryDir emptyStock;
    QString pdf = dir.filePath("old.pdf");
    if (c.missingFolder) {
        pdf = dir.filePath("missing/booklet.pdf");
    } else {
        QFile old(pdf);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    QStringList args{"print", "-o", pdf, "--language", c.language};
    if (!c.missingFolder)
        args << "--stock" << emptyStock.path();
    const CliRun r = Cli(args);
    EXPECT_EQ(r.code, c.code);
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << qPrintable(r.err);
    if (c.missingFolder) {
        EXPECT_FALSE(QFile::exists(pdf));
    } else {
        QFile old(pdf);
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), QByteArray("old"));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), c.missingFolder ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Languages, CliPrintFailure,
                         testing::Values(FailureCase{"en", false, 1, "No riddle could be found"},
                                         FailureCase{"de", false, 1, "Es konnte kein Rätsel"},
                                         FailureCase{"en", true, 2, "could not be written"},
                                         FailureCase{"de", true, 2,
                                                     "konnte nicht geschrieben werden"}));

TEST(CliPrint, RefusesUsageErrors)
{
    for (const QStringList &args :
         {QStringList{"print"}, QStringList{"print", "-o", "x.pdf", "--count", "101"},
          QStringList{"print", "-o", "x.pdf", "--per-page", "3"},
          QStringList{"print", "-o", "x.pdf", "--level", "4"}}) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.code, 2) << qPrintable(args.join(' '));
        EXPECT_FALSE(QFile::exists("x.pdf"));
    }
}
