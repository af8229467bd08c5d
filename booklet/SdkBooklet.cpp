#include "booklet/SdkBooklet.h"

#include "app/SdkBookletTexts.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStringList>
#include <algorithm>

namespace SdkBooklet {

namespace {

constexpr short Black = 0;

struct Cells
{
    int columns;
    int rows;
};

int NormalPerPage(int perPage)
{
    return perPage >= 6 ? 6 : perPage >= 4 ? 4 : perPage >= 2 ? 2 : 1;
}

// Two boards share a portrait page one above the other; four and six stand in two columns.
Cells RiddleCells(int perPage)
{
    switch (NormalPerPage(perPage)) {
    case 6:
        return {2, 3};
    case 4:
        return {2, 2};
    case 2:
        return {1, 2};
    default:
        return {1, 1};
    }
}

constexpr Cells SolutionCells{3, 4};

int Pages(size_t count, int perPage)
{
    return int((count + size_t(perPage) - 1) / size_t(perPage));
}

class PageWriter
{
public:
    PageWriter(QPainter &painter, QPagedPaintDevice &device, int total)
        : m_device(device), m_area(painter, m_scale), m_total(total),
          m_page(0, 0, device.width(), device.height())
    {
        const double mx = m_page.width() / 12;
        const double my = m_page.height() / 16;
        m_content = m_page.adjusted(mx, my, -mx, -my);
        m_footer = m_page.height() / 70;
    }

    bool StartPage(int language)
    {
        if (m_number > 0 && !m_device.newPage())
            return false;
        ++m_number;
        const QString text = Tx(SdkTx::BookletPage, language).arg(m_number).arg(m_total);
        Text(QPointF(m_content.center().x(), m_content.bottom() - m_footer), text, m_footer);
        return true;
    }

    // The part of the page that holds boards, below an optional heading.
    QRectF Body(const QString &heading)
    {
        QRectF body = m_content.adjusted(0, 0, 0, -2 * m_footer);
        if (!heading.isEmpty()) {
            const double h = m_page.height() / 45;
            Text(QPointF(body.center().x(), body.top()), heading, h, true);
            body.setTop(body.top() + 2 * h);
        }
        return body;
    }

    // A printed board centred in its cell with the caption beneath it.
    void Board(const QRectF &cell, const SdkBoardPaint::Grid &values, const QString &caption,
               double textHeight)
    {
        const double side =
            std::min(cell.width() * 0.92, (cell.height() - 2.6 * textHeight) * 0.95);
        const double left = cell.center().x() - side / 2;
        const double top = cell.top() + (cell.height() - side - 2 * textHeight) / 2;
        m_scale.SetScale(0, 0, 9 * SdkBoardPaint::FieldSize, 9 * SdkBoardPaint::FieldSize);
        m_scale.SetDeviceRect(left, top, left + side, top + side);
        m_scale.SetYTurned(false);
        m_scale.SetProportional(true);
        m_scale.CalcNew();
        SdkBoardPaint::DrawPrintedBoard(values, m_area);
        Text(QPointF(cell.center().x(), top + side + textHeight * 0.6), caption, textHeight);
    }

    double PageHeight() const { return m_page.height(); }

private:
    // Texts are placed in device units: the page itself is the logical rectangle.
    void Text(const QPointF &topCentre, const QString &text, double height, bool bold = false)
    {
        m_scale.SetScale(m_page.left(), m_page.top(), m_page.right(), m_page.bottom());
        m_scale.SetDeviceRect(m_page.left(), m_page.top(), m_page.right(), m_page.bottom());
        m_scale.SetYTurned(false);
        m_scale.SetProportional(false);
        m_scale.CalcNew();
        m_area.DrawText(GPoint(topCentre.x(), topCentre.y()), text, SdkBoardPaint::BoardFont(),
                        height, Black, 0, VX_ALIGN_CENTER | VX_ALIGN_TOP, 0, 0, bold);
    }

    QPagedPaintDevice &m_device;
    GScale m_scale;
    VxVectorDrawArea m_area;
    int m_total;
    int m_number = 0;
    QRectF m_page;
    QRectF m_content;
    double m_footer;
};

QRectF Cell(const QRectF &body, Cells cells, int index)
{
    const double w = body.width() / cells.columns;
    const double h = body.height() / cells.rows;
    const int column = index % cells.columns;
    const int row = index / cells.columns;
    return QRectF(body.left() + column * w, body.top() + row * h, w, h);
}

} // namespace

int PageCount(size_t riddles, const SdkBookletLayout &layout)
{
    int pages = Pages(riddles, NormalPerPage(layout.perPage));
    if (layout.solutions)
        pages += Pages(riddles, SolutionsPerPage);
    return pages;
}

QString Caption(int number, const SdkBookletRiddle &riddle, int language)
{
    QStringList parts{Tx(SdkTx::BookletNumber, language).arg(number)};
    if (riddle.level > 0)
        parts << Tx(SdkTx::BookletLevel, language).arg(riddle.level);
    if (riddle.rating >= 0)
        parts << Tx(SdkTx::BookletRating, language).arg(riddle.rating / 10.0, 0, 'f', 1);
    return parts.join(QStringLiteral("  \u00b7  "));
}

bool Draw(QPainter &painter, QPagedPaintDevice &device,
          const std::vector<SdkBookletRiddle> &riddles, const SdkBookletLayout &layout)
{
    PageWriter writer(painter, device, PageCount(riddles.size(), layout));
    const int perPage = NormalPerPage(layout.perPage);
    const Cells cells = RiddleCells(perPage);
    const double captionHeight = writer.PageHeight() / (perPage >= 4 ? 70 : 55);
    for (size_t first = 0; first < riddles.size(); first += size_t(perPage)) {
        if (!writer.StartPage(layout.language))
            return false;
        const QRectF body = writer.Body(QString());
        for (int k = 0; k < perPage && first + size_t(k) < riddles.size(); ++k) {
            const size_t index = first + size_t(k);
            writer.Board(Cell(body, cells, k), riddles[index].riddle,
                         Caption(int(index) + 1, riddles[index], layout.language), captionHeight);
        }
    }
    if (!layout.solutions)
        return true;
    const double solutionCaption = writer.PageHeight() / 90;
    for (size_t first = 0; first < riddles.size(); first += SolutionsPerPage) {
        if (!writer.StartPage(layout.language))
            return false;
        const QRectF body = writer.Body(Tx(SdkTx::BookletSolutions, layout.language));
        for (int k = 0; k < SolutionsPerPage && first + size_t(k) < riddles.size(); ++k) {
            const size_t index = first + size_t(k);
            writer.Board(Cell(body, SolutionCells, k), riddles[index].solution,
                         Tx(SdkTx::BookletNumber, layout.language).arg(index + 1), solutionCaption);
        }
    }
    return true;
}

bool WritePdf(const QString &path, const QString &title,
              const std::function<bool(QPainter &, QPagedPaintDevice &)> &draw)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    bool drawn = false;
    {
        QPdfWriter writer(&file);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Ninefold Sudoku"));
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (painter.begin(&writer)) {
            drawn = draw(painter, writer);
            drawn = painter.end() && drawn;
        }
    }
    if (!drawn) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool WriteBookletPdf(const QString &path, const std::vector<SdkBookletRiddle> &riddles,
                     const SdkBookletLayout &layout)
{
    if (riddles.empty())
        return false;
    return WritePdf(path, QStringLiteral("NinefoldSudoku"),
                    [&](QPainter &painter, QPagedPaintDevice &device) {
                        return Draw(painter, device, riddles, layout);
                    });
}

} // namespace SdkBooklet
