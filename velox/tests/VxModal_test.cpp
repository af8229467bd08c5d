#include "velox/VxApp.h"
#include "velox/VxModal.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <gtest/gtest.h>

TEST(VxModalTest, HooksNestAndAnswerThePlainMessageBox)
{
    QStringList outer, inner;
    VxModalHookGuard a([&](QWidget &w) { outer << w.windowTitle(); });
    {
        VxModalHookGuard b([&](QWidget &w) {
            inner << w.windowTitle() + "|" + dynamic_cast<QMessageBox &>(w).text();
            dynamic_cast<QMessageBox &>(w).button(QMessageBox::Ok)->click();
        });
        EXPECT_EQ(VxApp::Message("Load failed!"), QMessageBox::Ok);
    }
    VxApp::Message("y");
    EXPECT_EQ(inner, QStringList{"VELOX Message|Load failed!"});
    EXPECT_EQ(outer, QStringList{"VELOX Message"});
}

TEST(VxModalTest, ContextMenuChoiceComesBackAndTriggersTheItem)
{
    QMenu menu;
    menu.addAction("&1");
    QAction *second = menu.addAction("&2");
    int triggered = 0;
    QObject::connect(second, &QAction::triggered, [&] { ++triggered; });
    {
        VxModalHookGuard guard([&](QWidget &w) {
            EXPECT_EQ(&w, &menu);
            second->trigger();
        });
        EXPECT_EQ(VxModal::ExecMenu(menu, QPoint(10, 10)), second);
    }
    EXPECT_EQ(triggered, 1);
    VxModalHookGuard none([](QWidget &) {});
    EXPECT_EQ(VxModal::ExecMenu(menu, QPoint(10, 10)), nullptr);
    EXPECT_FALSE(menu.isVisible());
}
