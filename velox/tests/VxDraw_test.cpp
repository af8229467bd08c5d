#include "VxTestFrame.h"

#include "velox/VxDraw.h"
#include "velox/VxPrinter.h"
#include "velox/VxResource.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

QColor Pixel(const QImage &image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

// A 200 x 100 white image with a 9000-unit board mapped onto it.
class VxDrawAreaTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        image = QImage(200, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        painter = std::make_unique<QPainter>(&image);
        scale.SetScale(0, 0, 9000, 9000);
        scale.SetDeviceRect(0, 0, 200, 100);
        scale.SetProportional(true);
        area = std::make_unique<VxVectorDrawArea>(*painter, scale);
    }
    QImage Finish()
    {
        area.reset();
        painter->end();
        return image;
    }

    QImage image;
    std::unique_ptr<QPainter> painter;
    GScale scale;
    std::unique_ptr<VxVectorDrawArea> area;
};

} // namespace

TEST_F(VxDrawAreaTest, RectanglesAreFilledAndFramedInPaletteColours)
{
    // Proportional: the board is the centred square x 50..150.
    area->DrawRect(GPoint(0, 0), GPoint(1000, 1000), 0, 12);
    area->DrawRect(GPoint(8000, 8000), GPoint(9000, 9000), 0, -1);
    const QImage img = Finish();
    EXPECT_EQ(Pixel(img, 55, 5), QColor(255, 0, 0));       // inside the first field
    EXPECT_EQ(Pixel(img, 50, 5), QColor(0, 0, 0));         // its frame
    EXPECT_EQ(Pixel(img, 45, 5), QColor(255, 255, 255));   // left of the board
    EXPECT_EQ(Pixel(img, 145, 94), QColor(255, 255, 255)); // unfilled field stays white
}

TEST_F(VxDrawAreaTest, LinesUseTheirColourAndWidth)
{
    area->DrawLine(GPoint(3000, 0), GPoint(3000, 9000), 9, 1, 3);
    const QImage img = Finish();
    const int x = int(std::lround(scale.LogToDc(GPoint(3000, 0)).x));
    EXPECT_EQ(Pixel(img, x, 50), QColor(0, 0, 255));
    EXPECT_EQ(Pixel(img, x + 1, 50), QColor(0, 0, 255));
    EXPECT_EQ(Pixel(img, x + 4, 50), QColor(255, 255, 255));
}

TEST_F(VxDrawAreaTest, TextIsMeasuredInLogicalUnitsAndDrawnInsideItsBox)
{
    const GPoint size = area->GetTextSize("8", "Arial", 1000 / 2.25);
    // The text is about as high as asked for, and a digit narrower than it is high.
    EXPECT_GT(size.y, 400);
    EXPECT_LT(size.y, 700);
    EXPECT_GT(size.x, 100);
    EXPECT_LT(size.x, size.y);
    EXPECT_GT(area->GetTextSize("88", "Arial", 1000 / 2.25).x, size.x * 1.5);
    EXPECT_GT(area->GetTextSize("8", "Arial", 1000 / 2.25, 0, true).x, size.x * 0.99);

    const GPoint pos((1000 - size.x) / 2, (1000 - size.y) / 2);
    const GDoubleBox box = area->GetTextBox(pos, "8", "Arial", 1000 / 2.25);
    EXPECT_EQ(box.Min(), pos);
    EXPECT_NEAR(box.Width(), size.x, 1e-9);

    // A big digit: its ink lies inside its box in the device.
    const GDoubleBox big = area->GetTextBox(GPoint(0, 0), "8", "Arial", 9000);
    area->DrawText(GPoint(0, 0), "8", "Arial", 9000, 12);
    const QImage img = Finish();
    const GPoint tl = scale.LogToDc(big.Min()), br = scale.LogToDc(big.Max());
    int inside = 0, outside = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (Pixel(img, x, y).red() > 200 && Pixel(img, x, y).green() < 60) {
                const bool in = x >= tl.x - 1 && x <= br.x + 1 && y >= tl.y - 1 && y <= br.y + 1;
                (in ? inside : outside)++;
            }
    EXPECT_GT(inside, 50);
    EXPECT_EQ(outside, 0);
}

TEST(VxWDrawTest, RedrawAndFocusRectangleGoThroughLinks)
{
    ASSERT_TRUE(InstallTestBundle());
    std::unique_ptr<QWidget> w(VxResource::LoadWindow("VX_TEST_FRAME"));
    auto *frame = dynamic_cast<VxTestFrame *>(w.get());
    ASSERT_NE(frame, nullptr);
    auto *draw = dynamic_cast<VxWDraw *>(frame->FindChild("DRAW"));
    ASSERT_NE(draw, nullptr);
    const QImage img = draw->grab().toImage();
    // The form's redraw handler fills the top-left quarter in light red.
    EXPECT_EQ(Pixel(img, 10, 10), QColor(255, 0, 0));
    EXPECT_EQ(Pixel(img, 80, 80), QColor(255, 255, 255));
    // The content's mapping follows the window.
    EXPECT_EQ(draw->LogToDc(GPoint(100, 100)), GPoint(100, 100));
    EXPECT_EQ(draw->DcToLog(GPoint(50, 25)), GPoint(50, 25));
}

TEST(VxPrinterTest, PagesOfAJobGoToAPdfFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath("board.pdf");
    VxVectorPrinter printer;
    ASSERT_TRUE(printer.SysCreate(QString(), VxVectorPrinter::NoDialog, nullptr));
    ASSERT_TRUE(printer.StartJob("NinefoldSudoku", pdf));
    const QRect page = printer.GetDeviceRect();
    EXPECT_GT(page.width(), 1000);
    EXPECT_GT(page.height(), page.width()); // portrait
    ASSERT_NE(printer.Output(), nullptr);
    GScale &s = printer.Output()->Scale();
    s.SetScale(0, 0, 9000, 9000);
    s.SetYTurned(false);
    s.SetProportional(true);
    for (int p = 0; p < 2; ++p) {
        ASSERT_TRUE(printer.StartPage());
        printer.Output()->DrawRect(GPoint(0, 0), GPoint(9000, 9000), 0, -1, 1, 10);
        printer.Output()->DrawText(GPoint(100, 100), "5", "Arial", 444, 0);
        EXPECT_TRUE(printer.EndPage());
    }
    EXPECT_TRUE(printer.EndJob());
    EXPECT_EQ(printer.Output(), nullptr);
    printer.SysDelete();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
}
