#include "VxTestFrame.h"

#include "velox/VxDraw.h"
#include "velox/VxPrinter.h"
#include "velox/VxResource.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {
// Draws on a 200 x 100 white image with a 9000-unit board mapped onto it (proportional: the
// board is the centred square x 50..150).
QImage Draw(const std::function<void(VxVectorDrawArea &, GScale &)> &draw)
{
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    GScale scale;
    scale.SetScale(0, 0, 9000, 9000);
    scale.SetDeviceRect(0, 0, 200, 100);
    scale.SetProportional(true);
    {
        VxVectorDrawArea area(painter, scale);
        draw(area, scale);
    }
    painter.end();
    return image;
}
} // namespace

TEST(VxDrawAreaTest, RectanglesAndLinesInPaletteColours)
{
    const QImage img = Draw([](VxVectorDrawArea &area, GScale &) {
        area.DrawRect(GPoint(0, 0), GPoint(1000, 1000), 0, 12);
        area.DrawRect(GPoint(8000, 8000), GPoint(9000, 9000), 0, -1);
        area.DrawLine(GPoint(3000, 0), GPoint(3000, 9000), 9, 1, 3); // x = 83
    });
    const QList<QPair<QPoint, QColor>> pixels = {
        {{55, 5}, QColor(255, 0, 0)},       // inside the filled field
        {{50, 5}, QColor(0, 0, 0)},         // its frame
        {{45, 5}, QColor(255, 255, 255)},   // left of the board
        {{145, 94}, QColor(255, 255, 255)}, // an unfilled field stays white
        {{83, 50}, QColor(0, 0, 255)},      // the line and its width
        {{84, 50}, QColor(0, 0, 255)},      {{88, 50}, QColor(255, 255, 255)},
    };
    for (const auto &[p, colour] : pixels)
        EXPECT_EQ(QColor(img.pixel(p)), colour) << p.x() << "," << p.y();
}

TEST(VxPrinterTest, PagesOfAJobGoToAPdfFile)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("board.pdf");
    VxVectorPrinter printer;
    ASSERT_TRUE(printer.SysCreate(QString(), VxVectorPrinter::NoDialog, nullptr));
    ASSERT_TRUE(printer.StartJob("NinefoldSudoku", pdf));
    EXPECT_GT(printer.GetDeviceRect().height(), printer.GetDeviceRect().width()); // portrait
    ASSERT_NE(printer.Output(), nullptr);
    printer.Output()->Scale().SetScale(0, 0, 9000, 9000);
    for (int p = 0; p < 2; ++p) {
        ASSERT_TRUE(printer.StartPage());
        printer.Output()->DrawRect(GPoint(0, 0), GPoint(9000, 9000), 0, -1, 1, 10);
        EXPECT_TRUE(printer.EndPage());
    }
    EXPECT_TRUE(printer.EndJob());
    EXPECT_EQ(printer.Output(), nullptr);
    printer.SysDelete();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
}
