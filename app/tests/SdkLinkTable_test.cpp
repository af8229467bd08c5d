// The handler link table against the forms of the resource file.
#include "SdkAppTestSupport.h"

#include "app/SdkWndOptions.h"
#include "app/SudokuApp.h"
#include "velox/VxModal.h"
#include "velox/VxResource.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QSet>
#include <gtest/gtest.h>

using namespace SdkTest;

namespace {
const QStringList ProgramWindows = {"SUDOKU_MAIN",
                                    "SUDOKU_CREATE_GAME_PARAMETERS",
                                    "SUDOKU_GAME_CREATE_TYPE",
                                    "SUDOKU_LOAD_PARAMETERS",
                                    "SUDOKU_GAME_DEF_TYPE",
                                    "SUDOKU_OPTIONS",
                                    "SUDOKU_SELECT_LANGUAGE",
                                    "SUDOKU_ABOUT"};

QList<const VxLinkEntry *> TableEntries()
{
    QList<const VxLinkEntry *> out;
    for (const VxLinkEntry *e = SdkLinkTable; *e->window || *e->handler; ++e)
        out.append(e);
    return out;
}

void PressButton(QWidget &window, const char *name)
{
    if (auto *b = window.findChild<QAbstractButton *>(QLatin1String(name)))
        b->click();
}
} // namespace

TEST(SdkLinkTable, HasTheFiftyOneEntriesOfTheSevenWindowsWithHandlers)
{
    const auto entries = TableEntries();
    EXPECT_EQ(entries.size(), 52);
    QMap<QString, int> perWindow;
    QSet<QString> keys;
    for (const VxLinkEntry *e : entries) {
        ++perWindow[QLatin1String(e->window)];
        EXPECT_EQ(e->reserved1, 0u);
        EXPECT_EQ(e->reserved2, 0u);
        EXPECT_NE(e->operation, nullptr) << e->handler;
        const QString key = QLatin1String(e->window) + "/" + QLatin1String(e->handler);
        EXPECT_FALSE(keys.contains(key)) << qPrintable(key);
        keys.insert(key);
    }
    EXPECT_EQ(perWindow.value("SUDOKU_MAIN"), 34);
    EXPECT_EQ(perWindow.value("SUDOKU_ABOUT"), 2);
    EXPECT_EQ(perWindow.value("SUDOKU_CREATE_GAME_PARAMETERS"), 4);
    EXPECT_EQ(perWindow.value("SUDOKU_GAME_CREATE_TYPE"), 3);
    EXPECT_EQ(perWindow.value("SUDOKU_GAME_DEF_TYPE"), 2);
    EXPECT_EQ(perWindow.value("SUDOKU_LOAD_PARAMETERS"), 5);
    EXPECT_EQ(perWindow.value("SUDOKU_OPTIONS"), 2);
}

TEST(SdkLinkTable, EveryHandlerOfEveryFormHasAnEntryAndEveryEntryIsNamedByAForm)
{
    ASSERT_TRUE(InstallBundle());
    for (const QString &window : ProgramWindows)
        EXPECT_FALSE(VxResource::FormPath(window).isEmpty()) << qPrintable(window);

    QSet<QString> named;
    for (const QString &window : ProgramWindows) {
        for (const VxResource::FormLink &link : VxResource::FormLinks(window)) {
            named.insert(window + "/" + link.handler);
            EXPECT_NE(VxLinkTable::Find(window, link.handler), nullptr)
                << qPrintable(window + " " + link.object + " " + link.handler);
        }
    }
    for (const VxLinkEntry *e : TableEntries())
        EXPECT_TRUE(named.contains(QLatin1String(e->window) + "/" + QLatin1String(e->handler)))
            << e->window << " " << e->handler;
}

TEST(SdkLinkTable, KillFocusOfTheBoardRunsTheSetFocusOperation)
{
    ASSERT_TRUE(InstallBundle());
    const QString main = QStringLiteral("SUDOKU_MAIN");
    EXPECT_EQ(VxLinkTable::Find(main, "WndSudoku::SdkDrawKillFocus"),
              VxLinkTable::Find(main, "WndSudoku::SdkDrawSetFocus"));
    // The dialogs' cancel and close share the frame's generic close.
    const VxHandlerFn close = VxLinkTable::Find("SUDOKU_OPTIONS", "SdkWndOptions::DoCancel");
    EXPECT_EQ(close, VxLinkTable::Find("SUDOKU_ABOUT", "SdkWndAbout::DoClose"));
    EXPECT_EQ(close,
              VxLinkTable::Find("SUDOKU_CREATE_GAME_PARAMETERS", "SdkCreateGameParam::DoCancel"));
    EXPECT_EQ(close, VxLinkTable::Find("SUDOKU_GAME_DEF_TYPE", "SdkWndSelectDefType::DoCancel"));
}

TEST(SdkLinkTable, MainWindowHasEveryControlAndMenuItemBoundWithoutGaps)
{
    FreshStart();
    WndSudoku *w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(VxResource::UnboundLinks("SUDOKU_MAIN").isEmpty())
        << qPrintable(VxResource::UnboundLinks("SUDOKU_MAIN").join(", "));
    for (const char *name : {"STAT_STATUS",
                             "STAT_TITLE",
                             "STAT_TITLE_LEVEL",
                             "STAT_TITLE_RUNNING",
                             "STAT_STACK",
                             "LABEL_BT_STEPS",
                             "STAT_BT_STEPS",
                             "STAT_STATE_CHANGED",
                             "STAT_DEF_CHANGED",
                             "STAT_FILENAME",
                             "STAT_ACTIONS",
                             "LABEL_SOLUTION_SPEED",
                             "LABEL_STATE_CHANGED",
                             "LABEL_DEF_CHANGED",
                             "SC_SOLUTION_SPEED",
                             "DRAW",
                             "CHK_VIEW_RS",
                             "CHK_VIEW_RS_SINGLE",
                             "CHK_VIEW_CONFLICTS",
                             "BT_NEW_GAME",
                             "BT_CREATE_GAME",
                             "BT_SAVE_GAME",
                             "BT_SAVE_GAME_AS",
                             "BT_LOAD_GAME",
                             "BT_REPLAY_GAME",
                             "BT_REPEAT_GAME",
                             "BT_UNDO",
                             "BT_REDO",
                             "BT_NEXT_STEP",
                             "BT_SOLVE"})
        EXPECT_NE(w->FindChild(QLatin1String(name)), nullptr) << name;
    for (const char *name : {"MN_DATEI", "MN_SPIELABLAUF", "MN_HELP"})
        EXPECT_NE(w->findChild<QMenu *>(QLatin1String(name)), nullptr) << name;
    for (const char *name :
         {"MN_NEW_GAME", "MN_CREATE_GAME", "MN_SAVE_GAME", "MN_SAVE_GAME_AS", "MN_LOAD_GAME",
          "MN_GAME_OPTIONS", "MN_PRINT", "MN_EXIT", "MN_REPLAY_GAME", "MN_REPEAT_GAME", "MN_UNDO",
          "MN_REDO", "MN_NEXT_STEP", "MN_SOLVE", "MN_DOCUMENTATION", "MN_VERSION_HISTORY",
          "MN_NS_HOMEPAGE", "MN_CHANGE_LANGUAGE", "MN_ABOUT"})
        EXPECT_NE(w->FindAction(QLatin1String(name)), nullptr) << name;
    EXPECT_EQ(VxLinks::BoundHandler(w->FindChild("DRAW"), VX_LINK_CALCFOCUSRECT),
              "WndSudoku::CalcGameFocusRect");
    CloseMainWindow(w);
}

TEST(SdkLinkTable, CancelInADialogClosesOnlyThatDialog)
{
    FreshStart();
    WndSudoku *w = OpenMainWindow();
    ASSERT_NE(w, nullptr);
    {
        ModalRecorder hook([](QWidget &window) { PressButton(window, "BT_CANCEL"); });
        SdkWndOptions options(1, w);
        EXPECT_EQ(options.StartModal(), 2);
        EXPECT_TRUE(options.IsDestroyed());
        ASSERT_EQ(hook.Seen().size(), 1);
        EXPECT_EQ(hook.Seen().first().title, "Game-Options");
    }
    {
        ModalRecorder hook([](QWidget &window) { PressButton(window, "BT_CLOSE"); });
        VxEvent event;
        EXPECT_TRUE(w->DoAbout(event));
        ASSERT_EQ(hook.Seen().size(), 1);
        EXPECT_EQ(hook.Seen().first().window, "SUDOKU_ABOUT");
    }
    EXPECT_FALSE(w->IsDestroyed());
    EXPECT_TRUE(w->isVisible());
    CloseMainWindow(w);
}
