#include "velox/VxCtl.h"
#include "velox/VxLink.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// A receiver that records every event it gets.
class Receiver : public QObject
{
public:
    QStringList calls;

    bool DoA(VxEvent &e) { return calls << "A:" + e.GetSourceName() + ":" + e.GetLink(), true; }
    bool DoB(VxEvent &) { return calls << "B", true; }
    bool Char(VxEventKey &e)
    {
        return calls << "char:" + e.GetText(), e.GetChar() == QLatin1Char('x');
    }
    bool KeyDown(VxEventKey &e)
    {
        calls << QStringLiteral("down:%1").arg(VxKeyTable::FindKeyIndex(e.GetKey()));
        return e.GetKey() == Qt::Key_F2;
    }
    bool Mouse(VxEventMouse &e)
    {
        return calls << QString("mouse:%1:%2,%3")
                            .arg(e.GetButton())
                            .arg(e.GetPos().x())
                            .arg(e.GetPos().y()),
               true;
    }
    bool Scroll(VxEventWnd &e)
    {
        return calls << QString("scroll:%1:%2").arg(e.GetScrollCode()).arg(e.GetPosition()), true;
    }
};

class Other : public QObject
{
public:
    bool Do(VxEvent &) { return true; }
};
} // namespace

TEST(VxLinksTest, CommandLinksAreBoundReboundAndRemovedAndNeverReachAWrongOrDeadReceiver)
{
    Receiver r;
    QPushButton button;
    button.setObjectName("BT_GO");
    ASSERT_TRUE(VxLinks::Bind(&button, VX_LINK_COMMAND, &r, VxHandler<&Receiver::DoA>, "R::A"));
    EXPECT_EQ(VxLinks::BoundHandler(&button, VX_LINK_COMMAND), "R::A");
    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_TRUE(VxLinks::Bind(&button, VX_LINK_COMMAND, &r, VxHandler<&Receiver::DoB>));
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(VxLinks::Unbind(&button, VX_LINK_COMMAND));
    EXPECT_FALSE(VxLinks::Unbind(&button, VX_LINK_COMMAND));
    QTest::mouseClick(&button, Qt::LeftButton);
    QAction action;
    action.setObjectName("MN_ITEM");
    VxLinks::Bind(&action, VX_LINK_COMMAND, &r, VxHandler<&Receiver::DoA>);
    action.trigger();
    EXPECT_EQ(r.calls, (QStringList{"A:BT_GO:VX_LINK_COMMAND", "B", "A:MN_ITEM:VX_LINK_COMMAND"}));

    EXPECT_FALSE(VxLinks::Bind(nullptr, VX_LINK_COMMAND, &r, VxHandler<&Receiver::DoA>));
    EXPECT_FALSE(VxLinks::Bind(&button, VX_LINK_COMMAND, nullptr, VxHandler<&Receiver::DoA>));
    EXPECT_FALSE(VxLinks::Bind(&button, VX_LINK_COMMAND, &r, VxHandlerFn(nullptr)));
    EXPECT_FALSE(VxLinks::Bind(&button, VX_LINK_COMMAND, &r, "NO_WINDOW", "Receiver::DoA"));
    VxEvent e;
    for (VxHandlerFn wrong : {VxHandler<&Other::Do>, VxHandler<&Receiver::Mouse>}) {
        ASSERT_TRUE(VxLinks::Bind(&button, VX_LINK_COMMAND, &r, wrong));
        EXPECT_FALSE(VxLinks::Fire(&button, VX_LINK_COMMAND, e));
    }
    {
        Receiver gone;
        VxLinks::Bind(&button, VX_LINK_COMMAND, &gone, VxHandler<&Receiver::DoA>);
    }
    QTest::mouseClick(&button, Qt::LeftButton); // must not crash
    EXPECT_FALSE(VxLinks::Fire(&button, VX_LINK_COMMAND, e));
    EXPECT_EQ(r.calls.size(), 3);
}

TEST(VxLinksTest, KeysMouseAndScrollArriveAsTheirEvents)
{
    Receiver r;
    QLineEdit edit;
    VxLinks::Bind(&edit, VX_LINK_KEYDOWN, &r, VxHandler<&Receiver::KeyDown>);
    VxLinks::Bind(&edit, VX_LINK_CHAR, &r, VxHandler<&Receiver::Char>);
    QTest::keyClicks(&edit, "axb");
    EXPECT_EQ(edit.text(), "ab"); // the character handler swallowed the x
    r.calls.clear();
    QTest::keyClick(&edit, Qt::Key_F2);
    QTest::keyClick(&edit, Qt::Key_Return);
    // F2 is handled on key down; Return is not, and arrives as the character "\r".
    EXPECT_EQ(r.calls, (QStringList{"down:14", "down:0", "char:\r"}));

    r.calls.clear();
    QWidget w;
    w.resize(100, 100);
    VxLinks::Bind(&w, VX_LINK_LBUTTONDOWN, &r, VxHandler<&Receiver::Mouse>);
    VxLinks::Bind(&w, VX_LINK_RBUTTONUP, &r, VxHandler<&Receiver::Mouse>);
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(10, 20));
    QTest::mouseClick(&w, Qt::RightButton, {}, QPoint(30, 40));
    QScrollBar bar(Qt::Horizontal);
    bar.setRange(0, 1000);
    bar.setSingleStep(10);
    bar.setPageStep(100);
    bar.setValue(500);
    VxLinks::Bind(&bar, VX_LINK_SCROLL, &r, VxHandler<&Receiver::Scroll>);
    for (auto action : {QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub,
                        QAbstractSlider::SliderPageStepAdd, QAbstractSlider::SliderPageStepSub,
                        QAbstractSlider::SliderToMinimum, QAbstractSlider::SliderToMaximum})
        bar.triggerAction(action);
    EXPECT_EQ(r.calls,
              (QStringList{"mouse:1:10,20", "mouse:2:30,40", "scroll:2:510", "scroll:3:500",
                           "scroll:4:600", "scroll:5:500", "scroll:1:0", "scroll:0:1000"}));
}
