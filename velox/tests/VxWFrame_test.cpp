#include "VxTestFrame.h"

#include "velox/VxCtl.h"
#include "velox/VxModal.h"
#include "velox/VxResource.h"

#include <QAction>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {
class VxWFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(InstallTestBundle());
        frame.reset(dynamic_cast<VxTestFrame *>(VxResource::LoadWindow("VX_TEST_FRAME")));
        ASSERT_TRUE(frame);
    }
    std::unique_ptr<VxTestFrame> frame;
};
} // namespace

TEST(VxResourceTest, FileErrorsAreReportedWithThePathAndUnknownWindowsAreNotLoaded)
{
    EXPECT_EQ(VxResource::InstallResourceFile("/nonexistent/x.vxt", nullptr),
              VxResource::VX_RES_NOT_FOUND);
    EXPECT_EQ(VxResource::ErrorText(VxResource::VX_RES_NOT_FOUND, "x/y.vxt"),
              "Resource file <x/y.vxt> not found!");
    // Any file that is not a bundle, here the test program itself.
    EXPECT_EQ(VxResource::InstallResourceFile(QCoreApplication::applicationFilePath(), nullptr),
              VxResource::VX_RES_INVALID);
    EXPECT_EQ(VxResource::LoadWindow("NO_SUCH_WINDOW"), nullptr);
    VxTestFrame other;
    EXPECT_FALSE(other.LoadCustomWindow("NO_SUCH_WINDOW"));
}

TEST_F(VxWFrameTest, WindowIsBuiltFromItsFormAndItsLinksReachTheHandlers)
{
    EXPECT_EQ(frame->GetWindowName(), "VX_TEST_FRAME");
    EXPECT_EQ(frame->windowTitle(), "Test frame");
    EXPECT_NE(dynamic_cast<VxWDraw *>(frame->FindChild("DRAW")), nullptr);
    EXPECT_EQ(frame->FindChild("DRAW")->window(), frame.get()); // a child, not a window
    frame->Start();
    QTest::mouseClick(frame->FindChild("BT_PRESS"), Qt::LeftButton);
    EXPECT_EQ(frame->lastSource, frame->FindChild("BT_PRESS"));
    QTest::mouseClick(frame->FindChild("CHK_OPTION"), Qt::LeftButton, {}, QPoint(8, 11));
    frame->FindAction("MN_ITEM")->trigger();
    auto *edit = qobject_cast<QLineEdit *>(frame->FindChild("ED_TEXT"));
    QTest::keyClicks(edit, "1x2");
    EXPECT_EQ(edit->text(), "12"); // the handler swallowed the x
    // F2 is handled on key down; Return is not, and arrives as the character "\r".
    QTest::keyClick(edit, Qt::Key_F2);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::mouseClick(frame->FindChild("DRAW"), Qt::LeftButton, {}, QPoint(25, 75));
    QTest::mouseClick(frame->FindChild("DRAW"), Qt::RightButton, {}, QPoint(30, 40));
    auto *bar = qobject_cast<QScrollBar *>(frame->FindChild("SC_SPEED"));
    for (auto action : {QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub,
                        QAbstractSlider::SliderPageStepAdd, QAbstractSlider::SliderPageStepSub,
                        QAbstractSlider::SliderToMinimum, QAbstractSlider::SliderToMaximum})
        bar->triggerAction(action);
    EXPECT_EQ(frame->calls.join(' '),
              "press:BT_PRESS:VX_LINK_COMMAND option menu down:-1 char:1 down:-1 char:x down:-1 "
              "char:2 down:14 down:0 char:\r click:1:25,75 click:2:30,40 scroll:2:510 "
              "scroll:3:500 scroll:4:600 scroll:5:500 scroll:1:0 scroll:0:1000");
    // The one link without a handler is reported, by the window and against the tables.
    EXPECT_EQ(VxResource::UnboundLinks("VX_TEST_FRAME"),
              QStringList{"BT_UNKNOWN/VX_LINK_COMMAND/VxTestFrame::DoMissing"});
    EXPECT_EQ(VxResource::LinkGaps({"VX_TEST_FRAME", "VX_NO_FORM"}),
              (QStringList{
                  "VX_TEST_FRAME: BT_UNKNOWN/VX_LINK_COMMAND/VxTestFrame::DoMissing has no entry",
                  "VX_NO_FORM: no form"}));
    frame->Close(true);
}

TEST_F(VxWFrameTest, ModalRunGoesThroughTheHookWhichAnswersItOrLeavesItOpen)
{
    VxModalHookGuard guard([](QWidget &w) {
        QTest::keyClicks(w.findChild<QLineEdit *>("ED_TEXT"), "42");
        QTest::mouseClick(w.findChild<QWidget *>("BT_OK"), Qt::LeftButton);
    });
    const int before = VxModal::RunCount();
    EXPECT_EQ(frame->StartModal(), 1);
    EXPECT_EQ(VxModal::RunCount(), before + 1);
    EXPECT_EQ(VxCtl::GetText(frame->FindChild("ED_TEXT")), "42");
    EXPECT_TRUE(frame->IsDestroyed());
    // Left open by the hook, the run ends even if the window refuses to close.
    SetUp();
    frame->refuseClose = true;
    frame->SetDialogResult(2);
    VxModalHookGuard none([](QWidget &) {});
    EXPECT_EQ(frame->StartModal(), 2);
    EXPECT_EQ(frame->destroys, 1);
}
