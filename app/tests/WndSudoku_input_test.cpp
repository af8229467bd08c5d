// Mouse and keyboard on the board: the context menu, the candidate editor, the moves of the
// active field and input while the engine works.
#include "SdkGameFlow.h"

#include "velox/VxCtl.h"
#include "velox/VxLink.h"
#include "velox/VxModal.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace SdkFlow;
using SdkTest::Riddle;
using SdkTest::Solution;
using SdkTest::TextOf;

namespace {
// One entry of the context menu: its id ("-" for a separator), text and enabling.
struct MenuItem
{
    QString id;
    QString text;
    bool enabled = true;
};

QStringList Ids(const QList<MenuItem> &items)
{
    QStringList ids;
    for (const MenuItem &item : items)
        ids.append(item.id);
    return ids;
}

const QStringList Digits = {"ID_ITEM_DIGIT_1", "ID_ITEM_DIGIT_2", "ID_ITEM_DIGIT_3",
                            "ID_ITEM_DIGIT_4", "ID_ITEM_DIGIT_5", "ID_ITEM_DIGIT_6",
                            "ID_ITEM_DIGIT_7", "ID_ITEM_DIGIT_8", "ID_ITEM_DIGIT_9"};

class BoardInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(install.isValid());
        FreshStart(install.path());
        w = SdkTest::OpenMainWindow();
        ASSERT_NE(w, nullptr);
        // Focus changes reach only the active window.
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        w->Game() = *SdkTest::MakeGame(Riddle);
        w->ValidateStates();
        Tick(*w);
    }
    void TearDown() override
    {
        GateSolver::OpenGate();
        SdkTest::CloseMainWindow(w);
    }

    // Right click on a field; the menu shown (if any) is read and one of its items chosen.
    QList<MenuItem> Menu(unsigned row, unsigned column, const QString &choose = QString(),
                         bool *shown = nullptr)
    {
        QList<MenuItem> items;
        bool seen = false;
        QPointer<QAction> chosen;
        {
            Script script;
            script.On("SDK_CONTEXT_MENU", [&](QWidget &window) {
                seen = true;
                for (QAction *action : qobject_cast<QMenu *>(&window)->actions()) {
                    if (action->isSeparator()) {
                        items.append({QStringLiteral("-"), QString(), true});
                        continue;
                    }
                    items.append({action->objectName(), action->text(), action->isEnabled()});
                    if (action->objectName() == choose)
                        chosen = action;
                }
            });
            ClickField(*w, row, column, Qt::RightButton);
        }
        // As on a desktop, the item runs once the menu is gone and the window active again.
        QTest::qWait(1);
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        if (chosen) {
            // The item's link, as the framework fires it for the chosen item.
            VxEvent event;
            EXPECT_TRUE(VxLinks::Fire(chosen, QLatin1String(VX_LINK_COMMAND), event));
        }
        QApplication::processEvents();
        if (shown)
            *shown = seen;
        return items;
    }
    void View(const char *box, bool on)
    {
        QWidget *check = w->FindChild(QLatin1String(box));
        if (VxCtl::IsChecked(check) != on)
            Check(check);
    }
    QLineEdit *Editor() { return w->DrawWindow()->findChild<QLineEdit *>("ED_DIGIT"); }
    QString Candidates(unsigned row, unsigned column)
    {
        return QString::fromStdString(w->Game().GetUserCandidates(row, column).ToRsString().Str());
    }

    QTemporaryDir install;
    WndSudoku *w = nullptr;
};
} // namespace

TEST_F(BoardInput, MenuOfAValueOffersToRemoveIt)
{
    ClickField(*w, 0, 2);
    Digit(*w, 4);
    const QList<MenuItem> items = Menu(0, 2, "ID_EMPTY_FIELD");
    EXPECT_EQ(Ids(items), QStringList({"ID_EMPTY_FIELD", "-", "ID_DELETE_ALL_MANUAL_CANDIDATES"}));
    EXPECT_EQ(items[0].text, "Remove current value");
    EXPECT_EQ(items[2].text, "Delete all manual candidates of this riddle");
    EXPECT_EQ(w->Game().GetField(0, 2).GetValue(), SdkDigitEmpty);

    // A given digit and a riddle of fewer than 10 givens show no menu at all.
    bool shown = true;
    Menu(0, 0, QString(), &shown);
    EXPECT_FALSE(shown);
    w->Game() = *SdkTest::MakeGame("5300700000000000000000000000000000000000000000000000000000"
                                   "00000000000000000000000");
    Menu(4, 4, QString(), &shown);
    EXPECT_FALSE(shown);
}

TEST_F(BoardInput, MenuOfAnEmptyFieldWithCandidatesHidden)
{
    View("CHK_VIEW_RS", false);
    View("CHK_VIEW_RS_SINGLE", false);
    QList<MenuItem> items = Menu(0, 2, "ID_ITEM_DIGIT_4");
    EXPECT_EQ(Ids(items), QStringList({"ID_EDIT_MANUAL_CANDIDATES", "ID_DELETE_MANUAL_CANDIDATES",
                                       "-", "ID_DELETE_ALL_MANUAL_CANDIDATES", "-"}) +
                              Digits);
    EXPECT_EQ(items[0].text, "Edit manual candidates ...");
    EXPECT_EQ(items[1].text, "Delete manual candidates");
    for (int d = 1; d <= 9; ++d) {
        EXPECT_EQ(items[4 + d].text, QString("&%1").arg(d));
        EXPECT_TRUE(items[4 + d].enabled) << d; // the engine decides in play
    }
    EXPECT_EQ(w->Game().GetField(0, 2).GetValue(), SdkDigit4);

    // A field with a single candidate offers no candidate editing while singles are shown.
    // Field (4,4) of the classic riddle can only take a 5.
    ASSERT_EQ(w->Game().GetField(4, 4).GetResultSet().Count(), 1);
    View("CHK_VIEW_RS_SINGLE", true);
    items = Menu(4, 4);
    EXPECT_EQ(Ids(items).mid(0, 2), QStringList({"ID_DELETE_ALL_MANUAL_CANDIDATES", "-"}));

    // Delete and delete-all remove manual candidates.
    SdkResultSet set;
    set.FromRsString("1,2");
    w->Game().SetUserCandidates(set, 0, 3);
    w->Game().SetUserCandidates(set, 0, 4 + 2);
    Menu(0, 3, "ID_DELETE_MANUAL_CANDIDATES");
    EXPECT_EQ(Candidates(0, 3), "");
    EXPECT_EQ(Candidates(0, 6), "1,2");
    Menu(0, 3, "ID_DELETE_ALL_MANUAL_CANDIDATES");
    EXPECT_EQ(Candidates(0, 6), "");
}

TEST_F(BoardInput, MenuOfAnEmptyFieldWithCandidatesShown)
{
    View("CHK_VIEW_RS", true);
    // (0,2) can take 1, 2 or 4.
    QList<MenuItem> items = Menu(0, 2, "ID_TAKE_CANDIDATES");
    EXPECT_EQ(Ids(items), QStringList({"ID_TAKE_CANDIDATES", "-"}) + Digits);
    EXPECT_EQ(items[0].text, "Take computed candidates into your user-candidates-list");
    QString enabled;
    for (int d = 1; d <= 9; ++d)
        enabled += items[1 + d].enabled ? QChar('0' + d) : QChar('.');
    EXPECT_EQ(enabled, "12.4.....");
    EXPECT_EQ(Candidates(0, 2), "1,2,4");
    // Taken over, the lists are equal: nothing more to take.
    items = Menu(0, 2);
    EXPECT_EQ(Ids(items), Digits);
}

TEST_F(BoardInput, MenuInDefinitionModeFixesAllowedDigitsAndRemovesGivens)
{
    {
        Script script;
        script.On("WND_MESSAGE", PressButton("BT_NO"));
        script.On("SUDOKU_GAME_DEF_TYPE", PressButton("BT_OK"));
        Press(*w, "BT_NEW_GAME");
    }
    ASSERT_TRUE(WndSudokuPeer::FixMode(*w));
    // Candidate items are never offered in a definition, even with candidates shown.
    View("CHK_VIEW_RS", true);
    QList<MenuItem> items = Menu(0, 2, "ID_ITEM_DIGIT_4");
    EXPECT_EQ(Ids(items), Digits);
    QString enabled;
    for (const MenuItem &item : items)
        enabled += item.enabled ? item.text.mid(1) : QStringLiteral(".");
    EXPECT_EQ(enabled, "12.4.....");
    EXPECT_TRUE(w->Game().GetField(0, 2).IsFix());
    EXPECT_EQ(w->Game().GetFixCount(), 31u);

    items = Menu(0, 0, "ID_EMPTY_FIELD");
    EXPECT_EQ(Ids(items).first(), "ID_EMPTY_FIELD");
    EXPECT_EQ(w->Game().GetFixCount(), 30u);
    EXPECT_EQ(w->Game().GetField(0, 0).GetValue(), SdkDigitEmpty);
    Press(*w, "BT_NEW_GAME");
}

TEST_F(BoardInput, MenuTextsInGerman)
{
    WndSudokuPeer::Language(*w) = 0;
    View("CHK_VIEW_RS", true);
    EXPECT_EQ(Menu(0, 2).first().text, "Berechnete Kandidaten in Benutzerliste übernehmen");
    View("CHK_VIEW_RS", false);
    QList<MenuItem> items = Menu(0, 2);
    EXPECT_EQ(items[0].text, "Manuelle Kandidaten bearbeiten ...");
    EXPECT_EQ(items[1].text, "Manuelle Kandidaten löschen");
    EXPECT_EQ(items[3].text, "Alle manuelle Kandidaten des Rätsels löschen");
    ClickField(*w, 0, 2);
    Digit(*w, 4);
    EXPECT_EQ(Menu(0, 2).first().text, "Aktuellen Wert entfernen");
}

TEST_F(BoardInput, CandidateEditorTakesDigitsAndSeparatorsAndReturnStoresThem)
{
    View("CHK_VIEW_RS", false);
    View("CHK_VIEW_RS_SINGLE", false);
    ClickField(*w, 0, 2);
    Key(*w, Qt::Key_Return);
    QLineEdit *edit = Editor();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(Status(*w), "Edit candidates for field [1/3] ... (insert digits, optionally "
                          "separated by comma)");
    QTest::keyClicks(edit, "1a2,3;x9 0");
    EXPECT_EQ(edit->text(), "12,3;9");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_4);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(Candidates(0, 2), "1,2,3,4");
    EXPECT_EQ(Status(*w), "");
    EXPECT_TRUE(w->DrawWindow()->hasFocus());
    Tick(*w);
    EXPECT_EQ(Editor(), nullptr);

    // F2 opens it again with the stored list; Escape leaves the list as it was.
    Key(*w, Qt::Key_F2);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->text(), "1,2,3,4");
    QTest::keyClicks(Editor(), "5");
    QTest::keyClick(Editor(), Qt::Key_Escape);
    EXPECT_EQ(Candidates(0, 2), "1,2,3,4");
    Tick(*w);
    EXPECT_EQ(Editor(), nullptr);

    // The menu opens it too.
    Menu(0, 3, "ID_EDIT_MANUAL_CANDIDATES");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_TRUE(Editor()->hasFocus());
    QTest::keyClicks(Editor(), "78");
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_EQ(Candidates(0, 3), "7,8");
    Tick(*w);
}

TEST_F(BoardInput, CandidateEditorDiscardsOnFocusLossAndOnAClickOutside)
{
    View("CHK_VIEW_RS", false);
    View("CHK_VIEW_RS_SINGLE", false);
    ClickField(*w, 0, 2);
    Key(*w, Qt::Key_Return);
    ASSERT_NE(Editor(), nullptr);
    QTest::keyClicks(Editor(), "12");
    w->FindChild("BT_SOLVE")->setFocus();
    EXPECT_EQ(Candidates(0, 2), "");
    Tick(*w);
    EXPECT_EQ(Editor(), nullptr);

    ClickField(*w, 0, 2);
    Key(*w, Qt::Key_Return);
    QLineEdit *edit = Editor();
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "3");
    // The editor has the mouse: a press anywhere reaches it. One on field (5,5) closes it.
    const QPoint target =
        edit->mapFromGlobal(w->DrawWindow()->mapToGlobal(SdkTest::FieldRect(*w, 5, 5).center()));
    QTest::mousePress(edit, Qt::LeftButton, {}, target);
    EXPECT_EQ(Candidates(0, 2), "");
    EXPECT_EQ(Active(*w), 5u * 9 + 5);
    Tick(*w);
    EXPECT_EQ(Editor(), nullptr);

    // A press inside the edited field keeps it open.
    ClickField(*w, 0, 2);
    Key(*w, Qt::Key_Return);
    ASSERT_NE(Editor(), nullptr);
    QTest::mousePress(Editor(), Qt::LeftButton, {}, QPoint(2, 2));
    Tick(*w);
    EXPECT_NE(Editor(), nullptr);
    QTest::keyClick(Editor(), Qt::Key_Escape);
    Tick(*w);
}

TEST_F(BoardInput, CandidateEditorIsNotOfferedWhereItHasNothingToEdit)
{
    View("CHK_VIEW_RS", false);
    View("CHK_VIEW_RS_SINGLE", false);
    ClickField(*w, 0, 0); // a given
    Key(*w, Qt::Key_Return);
    EXPECT_EQ(Editor(), nullptr);
    View("CHK_VIEW_RS", true); // computed candidates shown
    ClickField(*w, 0, 2);
    Key(*w, Qt::Key_Return);
    EXPECT_EQ(Editor(), nullptr);
    // A riddle of fewer than 10 givens only says what is missing.
    View("CHK_VIEW_RS", false);
    w->Game() = *SdkTest::MakeGame("5300700000000000000000000000000000000000000000000000000000"
                                   "00000000000000000000000");
    ClickField(*w, 3, 3);
    Key(*w, Qt::Key_F2);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(Status(*w),
              "You first have to setup or create a game-definition with at least 10 fix values.");
    Key(*w, Qt::Key_Delete);
    Digit(*w, 1);
    EXPECT_EQ(w->Game().GetField(3, 3).GetValue(), SdkDigitEmpty);
}

TEST_F(BoardInput, ArrowsWrapThroughTheBoard)
{
    struct Move
    {
        unsigned from;
        Qt::Key key;
        unsigned to;
    };
    const Move moves[] = {
        {80, Qt::Key_Right, 0},
        {0, Qt::Key_Left, 80},
        {3 * 9 + 8, Qt::Key_Right, 4 * 9},
        {4 * 9, Qt::Key_Left, 3 * 9 + 8},
        {80, Qt::Key_Down, 0},
        {0, Qt::Key_Up, 80},
        {3, Qt::Key_Up, 8 * 9 + 2},
        {8 * 9 + 2, Qt::Key_Down, 3},
        {40, Qt::Key_Up, 31},
    };
    for (const Move &m : moves) {
        ClickField(*w, m.from / 9, m.from % 9);
        ASSERT_EQ(Active(*w), m.from);
        Key(*w, m.key);
        EXPECT_EQ(Active(*w), m.to) << m.from << " " << m.key;
    }
    // Other keys are left to the window.
    ClickField(*w, 4, 4);
    Key(*w, Qt::Key_Escape);
    Key(*w, Qt::Key_Home);
    EXPECT_EQ(Active(*w), 40u);
}

TEST_F(BoardInput, InputIsRefusedWhileTheEngineWorks)
{
    View("CHK_VIEW_RS", false);
    ClickField(*w, 0, 2);
    GateSolver::CloseGate();
    ASSERT_TRUE(w->Game().ThreadSolve(-1, false, "GateSolver"));
    w->AddTimerState(TS_SOLVE);
    w->ValidateStatesForThread(false, false);

    Digit(*w, 4);
    Key(*w, Qt::Key_Right);
    Key(*w, Qt::Key_Return);
    ClickField(*w, 6, 6);
    bool shown = true;
    Menu(0, 3, QString(), &shown);
    EXPECT_EQ(w->Game().GetField(0, 2).GetValue(), SdkDigitEmpty);
    EXPECT_EQ(Active(*w), 2u);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_FALSE(shown);
    VxEventKey right(Qt::Key_Right, QString(), 0, false);
    EXPECT_FALSE(w->SdkKeyDown(right));
    EXPECT_FALSE(w->SdkKeyUp(right));

    GateSolver::OpenGate();
    ASSERT_TRUE(TickUntilIdle(*w));
    VxEventKey up(Qt::Key_Right, QString(), 0, false);
    EXPECT_TRUE(w->SdkKeyUp(up));
}

namespace {
// Clicks an item of the popup menu that is showing, once it shows.
void ClickPopupItem(const QString &id, int attempts = 200)
{
    QTimer::singleShot(5, [id, attempts] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu) {
            if (attempts > 0)
                ClickPopupItem(id, attempts - 1);
            return;
        }
        for (QAction *action : menu->actions())
            if (action->objectName() == id) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                return;
            }
        menu->close();
    });
}
} // namespace

TEST_F(BoardInput, MenuRunByItsOwnLoopAsOnTheDesktop)
{
    // No hook: the menu runs its own event loop and the item is clicked with the mouse.
    ASSERT_FALSE(VxModal::HasHook());
    View("CHK_VIEW_RS", false);
    View("CHK_VIEW_RS_SINGLE", false);
    ClickPopupItem("ID_ITEM_DIGIT_4");
    ClickField(*w, 0, 2, Qt::RightButton);
    EXPECT_EQ(w->Game().GetField(0, 2).GetValue(), SdkDigit4);

    ClickPopupItem("ID_EDIT_MANUAL_CANDIDATES");
    ClickField(*w, 0, 3, Qt::RightButton);
    for (int i = 0; i < 1000 && !Editor(); ++i)
        QTest::qWait(1);
    ASSERT_NE(Editor(), nullptr);
    for (int i = 0; i < 1000 && !Editor()->hasFocus(); ++i)
        QTest::qWait(1);
    QTest::keyClicks(Editor(), "69");
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_EQ(Candidates(0, 3), "6,9");
    Tick(*w);
    EXPECT_EQ(Editor(), nullptr);
}
