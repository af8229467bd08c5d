#pragma once

// Reading printed pages back in tests: a PDF file rendered page by page through pdftoppm, and
// the printed boards found on a page as the large, square clusters of dark ink.

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <vector>

namespace SdkPdfTest {

inline QString Pdftoppm()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
}

// The pages at dpi dots per inch; empty when the file could not be rendered.
inline QList<QImage> RenderPages(const QString &pdf, int dpi = 40)
{
    QList<QImage> pages;
    QTemporaryDir dir;
    QProcess render;
    render.start(Pdftoppm(), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                              pdf, dir.filePath(QStringLiteral("page"))});
    if (!render.waitForFinished(60000) || render.exitCode() != 0)
        return pages;
    QStringList names = QDir(dir.path()).entryList({QStringLiteral("page*.png")}, QDir::Files);
    names.sort(); // pdftoppm pads the page numbers to one width
    for (const QString &name : names)
        pages.append(QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGB32));
    return pages;
}

// The text of all pages, through pdftotext; empty when it is not installed.
inline QString PdfText(const QString &pdf)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    QProcess p;
    if (!tool.isEmpty())
        p.start(tool, {pdf, QStringLiteral("-")});
    return !tool.isEmpty() && p.waitForFinished(60000)
               ? QString::fromUtf8(p.readAllStandardOutput())
               : QString();
}

inline bool Dark(QRgb c)
{
    return qGray(c) < 128;
}

inline int DarkIn(const QImage &image, const QRect &rect)
{
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            n += image.rect().contains(x, y) && Dark(image.pixel(x, y));
    return n;
}

// Bounding boxes of the connected dark clusters wider than an eighth of the page and about
// square: a board's frame and box lines hold it together; digits and texts are far smaller.
inline QList<QRect> Boards(const QImage &page)
{
    const int w = page.width(), n = w * page.height();
    std::vector<char> seen(size_t(n), 0);
    QList<QRect> boards;
    for (int start = 0; start < n; ++start) {
        if (seen[size_t(start)] || !Dark(page.pixel(start % w, start / w)))
            continue;
        QRect box(start % w, start / w, 1, 1);
        std::vector<int> stack{start};
        seen[size_t(start)] = 1;
        while (!stack.empty()) {
            const int i = stack.back(), x = i % w;
            stack.pop_back();
            box |= QRect(x, i / w, 1, 1);
            for (const int j : {x > 0 ? i - 1 : -1, x + 1 < w ? i + 1 : -1, i - w, i + w}) {
                if (j >= 0 && j < n && !seen[size_t(j)] && Dark(page.pixel(j % w, j / w))) {
                    seen[size_t(j)] = 1;
                    stack.push_back(j);
                }
            }
        }
        const double aspect = double(box.width()) / box.height();
        if (box.width() > w / 8 && aspect > 0.95 && aspect < 1.05)
            boards.append(box);
    }
    return boards;
}

// The inner part of a field of a board found on a page.
inline QRect FieldOf(const QRect &board, int row, int column)
{
    const double cell = board.width() / 9.0;
    const int m = int(cell * 0.25);
    return QRect(board.left() + int(column * cell) + m, board.top() + int(row * cell) + m,
                 int(cell) - 2 * m, int(cell) - 2 * m);
}

} // namespace SdkPdfTest
