#pragma once

// Reading printed pages back in tests: a PDF file rendered page by page through pdftoppm, and
// the printed boards found on a page as the large, square clusters of dark ink.

#include <QDir>
#include <QImage>
#include <QList>
#include <QProcess>
#include <QRect>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
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
    if (tool.isEmpty())
        return QString();
    QProcess p;
    p.start(tool, {pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
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
    const int w = page.width();
    const int h = page.height();
    std::vector<char> seen(size_t(w) * size_t(h), 0);
    QList<QRect> boards;
    std::vector<QPoint> stack;
    for (int y0 = 0; y0 < h; ++y0) {
        for (int x0 = 0; x0 < w; ++x0) {
            if (seen[size_t(y0) * w + x0] || !Dark(page.pixel(x0, y0)))
                continue;
            QRect box(x0, y0, 1, 1);
            stack.assign(1, QPoint(x0, y0));
            seen[size_t(y0) * w + x0] = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                box |= QRect(p, QSize(1, 1));
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + d;
                    if (q.x() < 0 || q.y() < 0 || q.x() >= w || q.y() >= h)
                        continue;
                    char &s = seen[size_t(q.y()) * w + q.x()];
                    if (!s && Dark(page.pixel(q))) {
                        s = 1;
                        stack.push_back(q);
                    }
                }
            }
            const double aspect = double(box.width()) / box.height();
            if (box.width() > w / 8 && aspect > 0.95 && aspect < 1.05)
                boards.append(box);
        }
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
