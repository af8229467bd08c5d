#include "VxTestFrame.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
class Other : public QObject
{
public:
    bool Do(VxEvent &) { return true; }
};

constexpr VxHandlerFn Press = VxHandler<&VxTestFrame::DoPress>;
} // namespace

TEST(VxLinksTest, CommandLinksAreBoundReboundAndRemovedAndNeverReachAWrongOrDeadReceiver)
{
    VxTestFrame r;
    QPushButton button;
    button.setObjectName("BT_GO");
    ASSERT_TRUE(VxLinks::Bind(&button, VX_LINK_COMMAND, &r, Press, "R::A"));
    EXPECT_EQ(VxLinks::BoundHandler(&button, VX_LINK_COMMAND), "R::A");
    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_TRUE(VxLinks::Bind(&button, VX_LINK_COMMAND, &r, VxHandler<&VxTestFrame::DoMenu>));
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(VxLinks::Unbind(&button, VX_LINK_COMMAND));
    EXPECT_FALSE(VxLinks::Unbind(&button, VX_LINK_COMMAND));
    QTest::mouseClick(&button, Qt::LeftButton);
    QAction action;
    action.setObjectName("MN_ITEM");
    VxLinks::Bind(&action, VX_LINK_COMMAND, &r, Press);
    action.trigger();
    EXPECT_EQ(r.calls, (QStringList{"press:BT_GO:VX_LINK_COMMAND", "menu",
                                    "press:MN_ITEM:VX_LINK_COMMAND"}));

    EXPECT_FALSE(VxLinks::Bind(nullptr, VX_LINK_COMMAND, &r, Press));
    EXPECT_FALSE(VxLinks::Bind(&button, VX_LINK_COMMAND, nullptr, Press));
    EXPECT_FALSE(VxLinks::Bind(&button, VX_LINK_COMMAND, &r, VxHandlerFn(nullptr)));
    EXPECT_FALSE(VxLinks::Bind(&button, VX_LINK_COMMAND, &r, "NO_WINDOW", "VxTestFrame::DoPress"));
    VxEvent e;
    for (VxHandlerFn wrong : {VxHandler<&Other::Do>, VxHandler<&VxTestFrame::DrawClick>}) {
        ASSERT_TRUE(VxLinks::Bind(&button, VX_LINK_COMMAND, &r, wrong));
        EXPECT_FALSE(VxLinks::Fire(&button, VX_LINK_COMMAND, e));
    }
    {
        VxTestFrame gone;
        VxLinks::Bind(&button, VX_LINK_COMMAND, &gone, Press);
    }
    QTest::mouseClick(&button, Qt::LeftButton); // must not crash
    EXPECT_FALSE(VxLinks::Fire(&button, VX_LINK_COMMAND, e));
    EXPECT_EQ(r.calls.size(), 3);
}
