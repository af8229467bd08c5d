#include "velox/VxApp.h"
#include "velox/VxModal.h"
#include "velox/VxPrinter.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(VxModalTest, PlainMessageBoxIsTitledVeloxMessage)
{
    QString title, text;
    VxModalHookGuard guard([&](QWidget &w) {
        auto &box = dynamic_cast<QMessageBox &>(w);
        title = box.windowTitle();
        text = box.text();
        box.button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(VxApp::Message("Load of main window <SUDOKU_MAIN> failed!"), QMessageBox::Ok);
    EXPECT_EQ(title, "VELOX Message");
    EXPECT_EQ(text, "Load of main window <SUDOKU_MAIN> failed!");
}

TEST(VxModalTest, HooksNestAndThePreviousHookComesBack)
{
    int outer = 0, inner = 0;
    VxModalHookGuard a([&](QWidget &) { ++outer; });
    {
        VxModalHookGuard b([&](QWidget &) { ++inner; });
        VxApp::Message("x");
    }
    VxApp::Message("y");
    EXPECT_EQ(inner, 1);
    EXPECT_EQ(outer, 1);
}

TEST(VxModalTest, FileDialogReturnsTheChosenFileOrNothingWhenCancelled)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        VxModalHookGuard guard([&](QWidget &w) {
            auto &dialog = dynamic_cast<QFileDialog &>(w);
            EXPECT_EQ(dialog.windowTitle(), "Save SUDOKU Game");
            dialog.selectFile(dir.filePath("game"));
            static_cast<QDialog &>(dialog).accept();
        });
        const QString path =
            VxFileDialog::GetFileName(nullptr, "Save SUDOKU Game", VxFileDialog::Save, dir.path(),
                                      "SUDOKU Games (*.sdk)", "sdk");
        EXPECT_EQ(path, dir.filePath("game.sdk"));
    }
    {
        VxModalHookGuard guard([](QWidget &) {}); // the user closes the dialog
        EXPECT_TRUE(VxFileDialog::GetFileName(nullptr, "Open SUDOKU Game", VxFileDialog::Open,
                                              dir.path(), "SUDOKU Games (*.sdk)", "sdk")
                        .isEmpty());
    }
    {
        VxModalHookGuard guard([&](QWidget &w) {
            auto &dialog = dynamic_cast<QFileDialog &>(w);
            dialog.selectFile(dir.path());
            static_cast<QDialog &>(dialog).accept();
        });
        EXPECT_EQ(QDir(VxFileDialog::GetDirectory(nullptr, "Folder", dir.path())),
                  QDir(dir.path()));
    }
}

TEST(VxModalTest, ContextMenuChoiceComesBackAndTriggersTheItem)
{
    QMenu menu;
    QAction *first = menu.addAction("&1");
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
    (void)first;
}

TEST(VxModalTest, CancelledPrinterDialogCreatesNoPrinter)
{
    VxModalHookGuard guard(
        [](QWidget &w) { EXPECT_NE(dynamic_cast<QPrintDialog *>(&w), nullptr); });
    VxVectorPrinter printer;
    EXPECT_FALSE(printer.SysCreate(QString(), VxVectorPrinter::PrinterDialog, nullptr));
    EXPECT_FALSE(printer.StartJob("NinefoldSudoku"));
}
