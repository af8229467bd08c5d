#include "base/GGeometry.h"

#include <gtest/gtest.h>

TEST(GPointTest, IsInIncludesEveryEdge)
{
    const GPoint min(0, 0), max(9000, 9000);
    EXPECT_TRUE(GPoint(0, 0).IsIn(min, max));
    EXPECT_TRUE(GPoint(9000, 9000).IsIn(min, max));
    EXPECT_TRUE(GPoint(9000, 0).IsIn(min, max));
    EXPECT_FALSE(GPoint(-0.001, 10).IsIn(min, max));
    EXPECT_FALSE(GPoint(10, 9000.5).IsIn(min, max));
}

TEST(GDoubleBoxTest, CornersInAnyOrderGiveTheSameExtent)
{
    const GDoubleBox box(GPoint(30, 5), GPoint(10, 25));
    EXPECT_EQ(box.Min(), GPoint(10, 5));
    EXPECT_EQ(box.Max(), GPoint(30, 25));
    EXPECT_DOUBLE_EQ(box.Width(), 20);
    EXPECT_DOUBLE_EQ(box.Height(), 20);
    EXPECT_EQ(box.Center(), GPoint(20, 15));
    EXPECT_TRUE(box.Contains(GPoint(10, 25)));
    EXPECT_FALSE(box.IsEmpty());
    EXPECT_TRUE(GDoubleBox().IsEmpty());
    EXPECT_TRUE(GDoubleBox(0, 0, 10, 0).IsEmpty());
}

TEST(GScaleTest, StretchedMappingFillsTheDeviceRectangle)
{
    GScale s;
    s.SetScale(0, 0, 9000, 9000);
    s.SetDeviceRect(0, 0, 900, 450);
    EXPECT_EQ(s.LogToDc(GPoint(0, 0)), GPoint(0, 0));
    EXPECT_EQ(s.LogToDc(GPoint(9000, 9000)), GPoint(900, 450));
    EXPECT_EQ(s.LogToDc(GPoint(4500, 1000)), GPoint(450, 50));
}

TEST(GScaleTest, ProportionalMappingKeepsTheSquareAndCentresIt)
{
    GScale s;
    s.SetScale(0, 0, 9000, 9000);
    s.SetDeviceRect(0, 0, 900, 450);
    s.SetProportional(true);
    EXPECT_DOUBLE_EQ(s.FactorX(), s.FactorY());
    EXPECT_EQ(s.LogToDc(GPoint(0, 0)), GPoint(225, 0));
    EXPECT_EQ(s.LogToDc(GPoint(9000, 9000)), GPoint(675, 450));

    // Resizing the device later keeps the proportional setting.
    s.SetDeviceRect(10, 20, 110, 420);
    EXPECT_EQ(s.LogToDc(GPoint(0, 0)), GPoint(10, 170));
    EXPECT_EQ(s.LogToDc(GPoint(9000, 9000)), GPoint(110, 270));
}

TEST(GScaleTest, TurnedYAxisPutsTheLogicalMinimumAtTheBottom)
{
    GScale s;
    s.SetScale(0, 0, 100, 100);
    s.SetDeviceRect(0, 0, 200, 200);
    s.SetYTurned(true);
    EXPECT_EQ(s.LogToDc(GPoint(0, 0)), GPoint(0, 200));
    EXPECT_EQ(s.LogToDc(GPoint(100, 100)), GPoint(200, 0));
    s.SetYTurned(false);
    EXPECT_EQ(s.LogToDc(GPoint(0, 0)), GPoint(0, 0));
}

TEST(GScaleTest, DcToLogInvertsLogToDcInEveryMode)
{
    for (bool proportional : {false, true}) {
        for (bool turned : {false, true}) {
            GScale s;
            s.SetScale(-500, 100, 8500, 9100);
            s.SetDeviceRect(37, 12, 611, 397);
            s.SetProportional(proportional);
            s.SetYTurned(turned);
            for (const GPoint p : {GPoint(-500, 100), GPoint(1234.5, 6789), GPoint(8500, 9100)}) {
                const GPoint back = s.DcToLog(s.LogToDc(p));
                EXPECT_NEAR(back.x, p.x, 1e-6) << proportional << turned;
                EXPECT_NEAR(back.y, p.y, 1e-6) << proportional << turned;
            }
        }
    }
}

TEST(GScaleTest, DegenerateRectanglesNeverDivideByZero)
{
    GScale s;
    s.SetScale(0, 0, 0, 0);
    s.SetDeviceRect(0, 0, 100, 100);
    EXPECT_EQ(s.DcToLog(GPoint(50, 50)), GPoint(0, 0));
    s.SetScale(0, 0, 9000, 9000);
    s.SetDeviceRect(5, 5, 5, 5);
    s.SetProportional(true);
    EXPECT_EQ(s.LogToDc(GPoint(9000, 9000)), GPoint(5, 5));
    EXPECT_EQ(s.DcToLog(GPoint(5, 5)), GPoint(0, 0));
}
