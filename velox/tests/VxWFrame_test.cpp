#include "VxTestFrame.h"

#include "velox/VxCtl.h"
#include "velox/VxModal.h"
#include "velox/VxResource.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryFile>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class VxWFrameTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(InstallTestBundle()); }

    std::unique_ptr<VxTestFrame> Load()
    {
        QWidget *w = VxResource::LoadWindow("VX_TEST_FRAME");
        auto *frame = dynamic_cast<VxTestFrame *>(w);
        EXPECT_NE(frame, nullptr);
        if (!frame)
            delete w;
        return std::unique_ptr<VxTestFrame>(frame);
    }
};

} // namespace

TEST_F(VxWFrameTest, ResourceFileErrorsAreReportedWithThePath)
{
    EXPECT_EQ(VxResource::InstallResourceFile("/nonexistent/NinefoldSudoku.vxt", nullptr),
              VxResource::VX_RES_NOT_FOUND);
    EXPECT_EQ(VxResource::ErrorText(VxResource::VX_RES_NOT_FOUND, "x/NinefoldSudoku.vxt"),
              "Resource file <x/NinefoldSudoku.vxt> not found!");
    QTemporaryFile junk;
    ASSERT_TRUE(junk.open());
    junk.write("not a resource bundle");
    junk.flush();
    EXPECT_EQ(VxResource::InstallResourceFile(junk.fileName(), nullptr),
              VxResource::VX_RES_INVALID);
    EXPECT_EQ(VxResource::LoadWindow("NO_SUCH_WINDOW"), nullptr);
}

TEST_F(VxWFrameTest, WindowIsCreatedByTheClassItsFormNamesWithAllControls)
{
    auto frame = Load();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->GetWindowName(), "VX_TEST_FRAME");
    EXPECT_TRUE(frame->IsClassFamily("VxWFrame"));
    EXPECT_EQ(frame->windowTitle(), "Test frame");
    for (const char *name : {"BT_PRESS", "BT_OK", "CHK_OPTION", "ED_TEXT", "SC_SPEED", "DRAW"})
        EXPECT_NE(frame->FindChild(name), nullptr) << name;
    EXPECT_NE(dynamic_cast<VxWDraw *>(frame->FindChild("DRAW")), nullptr);
    // Controls created by class name are children, not windows of their own.
    EXPECT_EQ(frame->FindChild("DRAW")->window(), frame.get());
    EXPECT_NE(frame->FindAction("MN_ITEM"), nullptr);
    EXPECT_TRUE(VxResource::Windows().contains("VX_TEST_FRAME"));
}

TEST_F(VxWFrameTest, WindowLoadedForAParentIsADialogWindowOverIt)
{
    QWidget parent;
    std::unique_ptr<QWidget> w(VxResource::LoadWindow("VX_TEST_FRAME", &parent));
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->parentWidget(), &parent);
    EXPECT_EQ(w->windowType(), Qt::Dialog);
}

TEST_F(VxWFrameTest, FormLinksAreBoundAndGapsAreReported)
{
    auto frame = Load();
    ASSERT_TRUE(frame);
    QTest::mouseClick(frame->FindChild("BT_PRESS"), Qt::LeftButton);
    EXPECT_EQ(frame->presses, 1);
    EXPECT_EQ(frame->lastSource, frame->FindChild("BT_PRESS"));
    QTest::mouseClick(frame->FindChild("CHK_OPTION"), Qt::LeftButton, {}, QPoint(8, 11));
    EXPECT_EQ(frame->options, 1);
    frame->FindAction("MN_ITEM")->trigger();
    EXPECT_EQ(frame->menuItems, 1);

    EXPECT_EQ(VxResource::UnboundLinks("VX_TEST_FRAME"),
              QStringList{"BT_UNKNOWN/VX_LINK_COMMAND/VxTestFrame::DoMissing"});
    EXPECT_FALSE(VxLinks::IsBound(frame->FindChild("BT_UNKNOWN"), VX_LINK_COMMAND));
}

TEST_F(VxWFrameTest, GapsBetweenFormsAndTablesAreListed)
{
    // The check the program's own test makes for all its windows.
    EXPECT_EQ(VxResource::FormLinks("VX_TEST_FRAME").size(), 10);
    EXPECT_EQ(VxResource::LinkGaps({"VX_TEST_FRAME", "VX_NO_FORM"}),
              (QStringList{"VX_TEST_FRAME: BT_UNKNOWN/VX_LINK_COMMAND/VxTestFrame::DoMissing has "
                           "no entry",
                           "VX_NO_FORM: no form"}));
    static const VxLinkEntry extra[] = {
        {"VX_TEST_FRAME", "VxTestFrame::DoUnused", 0, 0, VxHandler<&VxTestFrame::DoPress>},
        {nullptr, nullptr, 0, 0, nullptr},
    };
    VxLinkTable::Install(extra);
    EXPECT_TRUE(VxResource::LinkGaps({"VX_TEST_FRAME"})
                    .contains("VX_TEST_FRAME: VxTestFrame::DoUnused is named by no control"));
}

TEST_F(VxWFrameTest, CharactersMouseAndScrollReachTheirHandlers)
{
    auto frame = Load();
    ASSERT_TRUE(frame);
    frame->Start();
    auto *edit = qobject_cast<QLineEdit *>(frame->FindChild("ED_TEXT"));
    QTest::keyClicks(edit, "1x2");
    EXPECT_EQ(frame->typed, "1x2");
    EXPECT_EQ(edit->text(), "12");

    QTest::mouseClick(frame->FindChild("DRAW"), Qt::LeftButton, {}, QPoint(25, 75));
    ASSERT_EQ(frame->clicks.size(), 1);
    EXPECT_EQ(frame->clicks[0].GetPos(), QPoint(25, 75));
    EXPECT_EQ(frame->clicks[0].GetButton(), VxEventMouse::Left);

    auto *bar = qobject_cast<QScrollBar *>(frame->FindChild("SC_SPEED"));
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(frame->scrolls, (QList<QPair<int, int>>{{VX_SCROLL_TO_MAX, 1000}}));
    frame->Close(true);
}

TEST_F(VxWFrameTest, InitRunsOnceBeforeTheFirstShowAndCloseDestroysOnce)
{
    auto frame = Load();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->inits, 0);
    frame->Start();
    frame->hide();
    frame->Start();
    EXPECT_EQ(frame->inits, 1);
    EXPECT_TRUE(frame->isVisible());

    frame->refuseClose = true;
    frame->close(); // the frame's close button
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(frame->IsDestroyed());

    frame->refuseClose = false;
    frame->Close(false);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(frame->IsDestroyed());
    frame->Close(false);
    frame->Destroy();
    EXPECT_EQ(frame->destroys, 1);
}

TEST_F(VxWFrameTest, ModalRunPassesThroughTheHookWhichCanAnswerIt)
{
    auto frame = Load();
    ASSERT_TRUE(frame);
    QString seen;
    VxModalHookGuard guard([&](QWidget &w) {
        seen = w.objectName();
        // Type into a field, tick a control and press OK, as a user would.
        QTest::keyClicks(w.findChild<QLineEdit *>("ED_TEXT"), "42");
        QTest::mouseClick(w.findChild<QCheckBox *>("CHK_OPTION"), Qt::LeftButton, {},
                          QPoint(8, 11));
        QTest::mouseClick(w.findChild<QPushButton *>("BT_OK"), Qt::LeftButton);
    });
    const int before = VxModal::RunCount();
    EXPECT_EQ(frame->StartModal(), 1);
    EXPECT_EQ(VxModal::RunCount(), before + 1);
    EXPECT_EQ(seen, "VX_TEST_FRAME");
    EXPECT_EQ(frame->inits, 1);
    EXPECT_EQ(frame->options, 1);
    EXPECT_EQ(VxCtl::GetText(frame->FindChild("ED_TEXT")), "42");
    EXPECT_TRUE(frame->IsDestroyed());
}

TEST_F(VxWFrameTest, ModalRunLeftOpenByTheHookEndsEvenIfTheWindowRefusesToClose)
{
    auto frame = Load();
    ASSERT_TRUE(frame);
    frame->refuseClose = true;
    frame->SetDialogResult(2);
    VxModalHookGuard guard([](QWidget &) {});
    EXPECT_EQ(frame->StartModal(), 2);
    EXPECT_TRUE(frame->IsDestroyed());
    EXPECT_EQ(frame->destroys, 1);
}

TEST_F(VxWFrameTest, SizeAndTimerEventsReachTheFrame)
{
    auto frame = Load();
    ASSERT_TRUE(frame);
    frame->Start();
    const int sizes = frame->sizes;
    frame->resize(500, 400);
    EXPECT_GT(frame->sizes, sizes);
    EXPECT_EQ(frame->GetClientSize().width(), 500);

    VxWindowTimer timer(frame.get(), 5);
    EXPECT_FALSE(timer.IsRunning());
    timer.Start();
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame->timers >= 2; }, 5000));
    timer.Stop();
    EXPECT_FALSE(timer.IsRunning());

    // A destroyed window gets no more ticks.
    timer.Start();
    frame->Close(true);
    const int ticks = frame->timers;
    QTest::qWait(30);
    EXPECT_EQ(frame->timers, ticks);
}

TEST_F(VxWFrameTest, MissingChildrenAreHarmlessStandIns)
{
    auto frame = Load();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->FindChild("NOT_THERE"), nullptr);
    QWidget *standIn = frame->Child("NOT_THERE");
    ASSERT_NE(standIn, nullptr);
    VxCtl::SetText(standIn, "x");
    VxCtl::Enable(standIn, false);
    EXPECT_EQ(frame->Child("BT_OK"), frame->FindChild("BT_OK"));
}

TEST_F(VxWFrameTest, ControlHelpersSetTextColoursAndStates)
{
    auto frame = Load();
    ASSERT_TRUE(frame);
    QWidget *ok = frame->Child("BT_OK");
    VxCtl::SetText(ok, "&Fine");
    EXPECT_EQ(VxCtl::GetText(ok), "&Fine");
    VxCtl::SetTextColor(ok, 12);
    EXPECT_EQ(ok->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
    VxCtl::SetBkColor(frame->Child("ED_TEXT"), 6);
    EXPECT_EQ(frame->Child("ED_TEXT")->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(VxCtl::Color(14), QColor(64, 0, 0));
    EXPECT_EQ(VxCtl::Color(99), QColor(0, 0, 0));
    VxCtl::Enable(ok, false);
    EXPECT_FALSE(VxCtl::IsEnabled(ok));
    VxCtl::SetChecked(frame->Child("CHK_OPTION"), true);
    EXPECT_TRUE(VxCtl::IsChecked(frame->Child("CHK_OPTION")));
    VxCtl::SetResourceFont(ok, "Arial", 13, true);
    EXPECT_EQ(ok->font().pixelSize(), 13);
    EXPECT_TRUE(ok->font().bold());
    frame->EnableMenuItem("MN_ITEM", false);
    EXPECT_FALSE(frame->FindAction("MN_ITEM")->isEnabled());
    frame->SetMenuText("MN_ITEM", "&Thing");
    EXPECT_EQ(frame->FindAction("MN_ITEM")->text(), "&Thing");
}

TEST_F(VxWFrameTest, CustomWindowBuildsTheFormIntoAnExistingObject)
{
    VxTestFrame frame;
    ASSERT_TRUE(frame.LoadCustomWindow("VX_TEST_FRAME"));
    EXPECT_EQ(frame.GetWindowName(), "VX_TEST_FRAME");
    QTest::mouseClick(frame.FindChild("BT_PRESS"), Qt::LeftButton);
    EXPECT_EQ(frame.presses, 1);
    VxTestFrame other;
    EXPECT_FALSE(other.LoadCustomWindow("NO_SUCH_WINDOW"));
}
