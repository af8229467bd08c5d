#include "velox/VxCtl.h"
#include "velox/VxLink.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A receiver with handlers of every event kind.
class Receiver : public QObject
{
public:
    QStringList calls;
    bool handle = true;

    bool DoA(VxEvent &e)
    {
        calls << QStringLiteral("A:") + e.GetSourceName() + QLatin1Char(':') + e.GetLink();
        return handle;
    }
    bool DoB(VxEvent &)
    {
        calls << QStringLiteral("B");
        return handle;
    }
    bool Char(VxEventKey &e)
    {
        calls << QStringLiteral("char:") + e.GetText();
        return e.GetChar() == QLatin1Char('x');
    }
    bool KeyDown(VxEventKey &e)
    {
        calls << QStringLiteral("down:%1").arg(VxKeyTable::FindKeyIndex(e.GetKey()));
        return e.GetKey() == Qt::Key_F2;
    }
    bool Mouse(VxEventMouse &e)
    {
        calls << QStringLiteral("mouse:%1:%2,%3")
                     .arg(e.GetButton())
                     .arg(e.GetPos().x())
                     .arg(e.GetPos().y());
        return true;
    }
    bool Scroll(VxEventWnd &e)
    {
        calls << QStringLiteral("scroll:%1:%2").arg(e.GetScrollCode()).arg(e.GetPosition());
        return true;
    }
};

class Other : public QObject
{
public:
    bool Do(VxEvent &) { return true; }
};

} // namespace

TEST(VxLinkTableTest, InstalledEntriesAreFoundByWindowAndHandlerAndCanBeReplaced)
{
    static const VxLinkEntry table[] = {
        {"LT_WINDOW", "Receiver::DoA", 0, 0, VxHandler<&Receiver::DoA>},
        {"LT_WINDOW", "Receiver::DoB", 0, 0, VxHandler<&Receiver::DoB>},
        {"LT_OTHER", "Receiver::DoA", 0, 0, VxHandler<&Receiver::DoB>},
        {"", "", 0, 0, nullptr},
        {"LT_WINDOW", "Receiver::AfterTheEnd", 0, 0, VxHandler<&Receiver::DoA>},
    };
    VxLinkTable::Install(table);
    EXPECT_EQ(VxLinkTable::Find("LT_WINDOW", "Receiver::DoA"), VxHandler<&Receiver::DoA>);
    EXPECT_EQ(VxLinkTable::Find("LT_OTHER", "Receiver::DoA"), VxHandler<&Receiver::DoB>);
    EXPECT_EQ(VxLinkTable::Find("LT_WINDOW", "Receiver::AfterTheEnd"), nullptr);
    EXPECT_EQ(VxLinkTable::Find("LT_WINDOW", "receiver::doa"), nullptr);
    EXPECT_EQ(VxLinkTable::Entries("LT_WINDOW").size(), 2);

    static const VxLinkEntry replacement[] = {
        {"LT_WINDOW", "Receiver::DoA", 0, 0, VxHandler<&Receiver::DoB>},
        {nullptr, nullptr, 0, 0, nullptr},
    };
    VxLinkTable::Install(replacement);
    EXPECT_EQ(VxLinkTable::Find("LT_WINDOW", "Receiver::DoA"), VxHandler<&Receiver::DoB>);
    EXPECT_EQ(VxLinkTable::Entries("LT_WINDOW").size(), 2);
}

TEST(VxLinksTest, CommandLinkCanBeBoundReboundAndRemovedAtRunTime)
{
    Receiver r;
    QPushButton button;
    button.setObjectName("BT_GO");
    ASSERT_TRUE(VxLinks::Bind(&button, VX_LINK_COMMAND, &r, VxHandler<&Receiver::DoA>, "R::A"));
    EXPECT_EQ(VxLinks::BoundHandler(&button, VX_LINK_COMMAND), "R::A");
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(r.calls, QStringList{"A:BT_GO:VX_LINK_COMMAND"});

    ASSERT_TRUE(VxLinks::Bind(&button, VX_LINK_COMMAND, &r, VxHandler<&Receiver::DoB>));
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(r.calls.size(), 2);
    EXPECT_EQ(r.calls.last(), "B");

    EXPECT_TRUE(VxLinks::Unbind(&button, VX_LINK_COMMAND));
    EXPECT_FALSE(VxLinks::Unbind(&button, VX_LINK_COMMAND));
    EXPECT_FALSE(VxLinks::IsBound(&button, VX_LINK_COMMAND));
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(r.calls.size(), 2);
}

TEST(VxLinksTest, BindingRefusesMissingPartsAndWrongReceiversAreNotCalled)
{
    Receiver r;
    QPushButton button;
    EXPECT_FALSE(VxLinks::Bind(nullptr, VX_LINK_COMMAND, &r, VxHandler<&Receiver::DoA>));
    EXPECT_FALSE(VxLinks::Bind(&button, VX_LINK_COMMAND, nullptr, VxHandler<&Receiver::DoA>));
    EXPECT_FALSE(VxLinks::Bind(&button, VX_LINK_COMMAND, &r, VxHandlerFn(nullptr)));
    EXPECT_FALSE(VxLinks::Bind(&button, VX_LINK_COMMAND, &r, "NO_WINDOW", "Receiver::DoA"));

    // A handler of another class bound to this receiver reports "not handled".
    Other o;
    ASSERT_TRUE(VxLinks::Bind(&button, VX_LINK_COMMAND, &r, VxHandler<&Other::Do>));
    VxEvent e;
    EXPECT_FALSE(VxLinks::Fire(&button, VX_LINK_COMMAND, e));
    // A mouse handler does not receive a plain event.
    ASSERT_TRUE(VxLinks::Bind(&button, VX_LINK_COMMAND, &r, VxHandler<&Receiver::Mouse>));
    EXPECT_FALSE(VxLinks::Fire(&button, VX_LINK_COMMAND, e));
    EXPECT_TRUE(r.calls.isEmpty());
}

TEST(VxLinksTest, ReceiverDestroyedBeforeTheControlIsNeverCalled)
{
    QPushButton button;
    {
        Receiver r;
        VxLinks::Bind(&button, VX_LINK_COMMAND, &r, VxHandler<&Receiver::DoA>);
    }
    QTest::mouseClick(&button, Qt::LeftButton); // must not crash
    VxEvent e;
    EXPECT_FALSE(VxLinks::Fire(&button, VX_LINK_COMMAND, e));
}

TEST(VxLinksTest, MenuItemsRaiseCommands)
{
    Receiver r;
    QAction action;
    action.setObjectName("MN_ITEM");
    VxLinks::Bind(&action, VX_LINK_COMMAND, &r, VxHandler<&Receiver::DoA>);
    action.trigger();
    EXPECT_EQ(r.calls, QStringList{"A:MN_ITEM:VX_LINK_COMMAND"});
}

TEST(VxLinksTest, KeyDownComesFirstAndCharactersOnlyWhenItWasNotHandled)
{
    Receiver r;
    QLineEdit edit;
    VxLinks::Bind(&edit, VX_LINK_KEYDOWN, &r, VxHandler<&Receiver::KeyDown>);
    VxLinks::Bind(&edit, VX_LINK_CHAR, &r, VxHandler<&Receiver::Char>);
    QTest::keyClicks(&edit, "axb");
    // "x" is swallowed by the character handler, the others reach the edit.
    EXPECT_EQ(edit.text(), "ab");
    EXPECT_EQ(r.calls.filter("char:").join(","), "char:a,char:x,char:b");

    r.calls.clear();
    QTest::keyClick(&edit, Qt::Key_F2);
    QTest::keyClick(&edit, Qt::Key_Return);
    // F2 is handled on key down; Return is not, and arrives as the character "\r".
    EXPECT_EQ(r.calls, (QStringList{"down:14", "down:0", "char:\r"}));
}

TEST(VxLinksTest, MouseButtonsReachTheirOwnLinksWithTheWindowPosition)
{
    Receiver r;
    QWidget w;
    w.resize(100, 100);
    VxLinks::Bind(&w, VX_LINK_LBUTTONDOWN, &r, VxHandler<&Receiver::Mouse>);
    VxLinks::Bind(&w, VX_LINK_RBUTTONUP, &r, VxHandler<&Receiver::Mouse>);
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(10, 20));
    QTest::mouseClick(&w, Qt::RightButton, {}, QPoint(30, 40));
    EXPECT_EQ(r.calls, (QStringList{"mouse:1:10,20", "mouse:2:30,40"}));
}

TEST(VxLinksTest, ScrollBarActionsArriveAsScrollCodes)
{
    Receiver r;
    QScrollBar bar(Qt::Horizontal);
    bar.setRange(0, 1000);
    bar.setSingleStep(10);
    bar.setPageStep(100);
    bar.setValue(500);
    VxLinks::Bind(&bar, VX_LINK_SCROLL, &r, VxHandler<&Receiver::Scroll>);
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar.triggerAction(QAbstractSlider::SliderSingleStepSub);
    bar.triggerAction(QAbstractSlider::SliderPageStepAdd);
    bar.triggerAction(QAbstractSlider::SliderPageStepSub);
    bar.triggerAction(QAbstractSlider::SliderToMinimum);
    bar.triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(r.calls, (QStringList{"scroll:2:510", "scroll:3:500", "scroll:4:600", "scroll:5:500",
                                    "scroll:1:0", "scroll:0:1000"}));
}

TEST(VxLinksTest, ScrollHandlerCanOverruleTheProposedPosition)
{
    // The way the solution-speed bar works: the handler computes its own position.
    class Clamp : public QObject
    {
    public:
        bool Scroll(VxEventWnd &e)
        {
            auto *bar = e.GetSourceWindow();
            const int p = VxCtl::GetScrollPos(bar);
            if (e.GetScrollCode() == VX_SCROLL_PAGE_ADD)
                VxCtl::SetScrollPos(bar, p > 900 ? 1000 : p + 100);
            return true;
        }
    } clamp;
    QScrollBar bar(Qt::Horizontal);
    VxCtl::SetScrollRange(&bar, 0, 1000);
    bar.setPageStep(250);
    VxCtl::SetScrollPos(&bar, 950);
    VxLinks::Bind(&bar, VX_LINK_SCROLL, &clamp, VxHandler<&Clamp::Scroll>);
    bar.triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(bar.value(), 1000);
    VxCtl::SetScrollPos(&bar, 100);
    bar.triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(bar.value(), 200); // not 350: the handler's step wins
}

TEST(VxKeyTableTest, ProgramKeysHaveTheirIndices)
{
    EXPECT_EQ(VxKeyTable::FindKeyIndex(Qt::Key_Return), 0);
    EXPECT_EQ(VxKeyTable::FindKeyIndex(Qt::Key_Enter), 0);
    EXPECT_EQ(VxKeyTable::FindKeyIndex(Qt::Key_Up), 1);
    EXPECT_EQ(VxKeyTable::FindKeyIndex(Qt::Key_Down), 2);
    EXPECT_EQ(VxKeyTable::FindKeyIndex(Qt::Key_Left), 3);
    EXPECT_EQ(VxKeyTable::FindKeyIndex(Qt::Key_Right), 4);
    EXPECT_EQ(VxKeyTable::FindKeyIndex(Qt::Key_Delete), 9);
    EXPECT_EQ(VxKeyTable::FindKeyIndex(Qt::Key_Escape), 12);
    EXPECT_EQ(VxKeyTable::FindKeyIndex(Qt::Key_F2), 14);
    EXPECT_EQ(VxKeyTable::FindKeyIndex(Qt::Key_A), -1);
}
