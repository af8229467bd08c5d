// The tool's print command: booklets written to PDF without a display, read back through
// pdftoppm.
#include "booklet/tests/SdkPdfTestSupport.h"
#include "engine/Sudoku.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <tuple>

using namespace SdkPdfTest;

namespace {
const char Easy[] =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";

struct CliRun
{
    int code = -1;
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
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
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

// Pages and boards of booklets: count, per page, solutions, computed riddles; then the pages
// and the boards on the first and the last page.
TEST(CliPrint, BookletsHaveTheirPagesAndBoardsPerPage)
{
    if (Pdftoppm().isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const int cases[][7] = {{1, 1, 0, 0, 1, 1, 1},
                            {5, 2, 1, 0, 4, 2, 5},
                            {6, 6, 0, 0, 1, 6, 6},
                            {13, 4, 1, 0, 6, 4, 1},
                            {2, 2, 1, 1, 2, 2, 2}};
    for (const auto &c : cases) {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("booklet.pdf");
        QStringList args{"print",
                         "-o",
                         pdf,
                         "--count",
                         QString::number(c[0]),
                         "--per-page",
                         QString::number(c[1])};
        if (c[2])
            args << "--solutions";
        if (c[3])
            args << "--computed";
        const CliRun r = Cli(args);
        ASSERT_EQ(r.code, 0) << qPrintable(r.err);
        const QList<QImage> pages = RenderPages(pdf);
        ASSERT_EQ(pages.size(), c[4]) << c[0] << " per page " << c[1];
        EXPECT_EQ(Boards(pages.first()).size(), c[5]) << c[0] << " per page " << c[1];
        EXPECT_EQ(Boards(pages.last()).size(), c[6]) << c[0] << " per page " << c[1];
    }
}

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
    const QList<QRect> riddle = Boards(pages[0]), solution = Boards(pages[1]);
    ASSERT_EQ(riddle.size() * 10 + solution.size(), 11);
    for (int i = 0; i < 81; ++i) {
        EXPECT_EQ(DarkIn(pages[0], FieldOf(riddle[0], i / 9, i % 9)) > 0, Easy[i] != '.') << i;
        EXPECT_GT(DarkIn(pages[1], FieldOf(solution[0], i / 9, i % 9)), 0) << i;
    }
}

// Usage errors, an empty stock and a folder that cannot be written: reported in the chosen
// language, and the chosen file is left as it was.
TEST(CliPrint, FailuresLeaveTheChosenFileAlone)
{
    QTemporaryDir dir, emptyStock;
    const QString old = dir.filePath("old.pdf"), missing = dir.filePath("missing/booklet.pdf");
    QFile file(old);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
    file.close();
    const std::tuple<QStringList, int, const char *> cases[] = {
        {{"print"}, 2, ""},
        {{"print", "-o", old, "--count", "101"}, 2, ""},
        {{"print", "-o", old, "--per-page", "3"}, 2, ""},
        {{"print", "-o", old, "--level", "4"}, 2, ""},
        {{"print", "-o", old, "--stock", emptyStock.path()}, 1, "No riddle could be found"},
        {{"print", "-o", old, "--stock", emptyStock.path(), "--language", "de"},
         1,
         "Es konnte kein Rätsel"},
        {{"print", "-o", missing}, 2, "could not be written"},
        {{"print", "-o", missing, "--language", "de"}, 2, "konnte nicht geschrieben werden"}};
    for (const auto &[args, code, message] : cases) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.code, code) << qPrintable(args.join(' '));
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(message))) << qPrintable(r.err);
        EXPECT_FALSE(QFile::exists(missing));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.pdf"});
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray("old"));
        file.close();
    }
}
