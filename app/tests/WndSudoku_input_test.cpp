// Mouse and keyboard on the board: the context menu, the candidate editor, the moves of the
// active field and input while the engine works.
#include "SdkAppTestSupport.h"

#include "velox/VxLink.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTest>

using namespace SdkTest;

namespace {
class BoardInput : public WndTest
{
protected:
    void SetUp() override
    {
        WndTest::SetUp();
        Start();
        View(false, false);
    }

    // Right click on a field: the menu's item names ("." before a disabled one, "-" a
    // separator); the item chosen is run as the framework runs it once the menu is gone.
    QString Menu(unsigned row, unsigned column, const QString &choose = QString())
    {
        QStringList items;
        QPointer<QAction> chosen;
        {
            Script script;
            script.On("SDK_CONTEXT_MENU", [&](QWidget &window) {
                for (QAction *a : qobject_cast<QMenu *>(&window)->actions()) {
                    items << (a->isSeparator() ? QStringLiteral("-")
                                               : (a->isEnabled() ? "" : ".") + a->objectName());
                    if (a->objectName() == choose)
                        chosen = a;
                }
            });
            Click(row, column, Qt::RightButton);
        }
        QTest::qWait(1); // as on a desktop, the item runs once the menu is gone
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        VxEvent event;
        if (chosen)
            VxLinks::Fire(chosen, QLatin1String(VX_LINK_COMMAND), event);
        QApplication::processEvents();
        return items.join(' ').replace("ID_ITEM_DIGIT_", "");
    }
    QLineEdit *Editor() { return w->DrawWindow()->findChild<QLineEdit *>("ED_DIGIT"); }
    QString Candidates(unsigned row, unsigned column)
    {
        return FromT(w->Game().GetUserCandidates(row, column).ToRsString());
    }
    void SetCandidates(const char *list, unsigned row, unsigned column)
    {
        SdkResultSet set;
        set.FromRsString(list);
        w->Game().SetUserCandidates(set, row, column);
    }
    // The editor opened on (0,2) by a key, holding the list given.
    QLineEdit *OpenEditor(const char *list = "", Qt::Key key = Qt::Key_Return)
    {
        SetCandidates(list, 0, 2);
        Click(0, 2);
        Key(key);
        QLineEdit *edit = Editor();
        EXPECT_TRUE(edit && edit->hasFocus());
        return edit;
    }
};

const QString AllDigits = "1 2 3 4 5 6 7 8 9";
const QString Digits124 = "1 2 .3 4 .5 .6 .7 .8 .9";
} // namespace

TEST_F(BoardInput, ContextMenuOffersWhatTheFieldAllows)
{
    const QString edit = "ID_EDIT_MANUAL_CANDIDATES ID_DELETE_MANUAL_CANDIDATES - "
                         "ID_DELETE_ALL_MANUAL_CANDIDATES - ";
    const struct
    {
        bool rs, single;
        unsigned row, column;
        QString items;
    } cases[] = {
        {false, false, 0, 2, edit + AllDigits},
        // (0,2) can take 1, 2 or 4; (4,4) only 5.
        {true, false, 0, 2, "ID_TAKE_CANDIDATES - " + Digits124},
        {false, true, 4, 4, "ID_DELETE_ALL_MANUAL_CANDIDATES - " + AllDigits},
        {false, false, 0, 0, ""}, // a given
    };
    for (const auto &c : cases) {
        View(c.rs, c.single);
        EXPECT_EQ(Menu(c.row, c.column), c.items) << c.row << "/" << c.column;
    }
    // Taken over, the lists are equal: nothing more to take.
    View(true, false);
    Menu(0, 2, "ID_TAKE_CANDIDATES");
    EXPECT_EQ(Candidates(0, 2), "1,2,4");
    EXPECT_EQ(Menu(0, 2), Digits124);
    // A digit from the menu is played; a value offers to be removed.
    View(false, false);
    Menu(0, 2, "ID_ITEM_DIGIT_4");
    EXPECT_EQ(Value(0, 2), SdkDigit4);
    EXPECT_EQ(Menu(0, 2, "ID_EMPTY_FIELD"), "ID_EMPTY_FIELD - ID_DELETE_ALL_MANUAL_CANDIDATES");
    EXPECT_EQ(Value(0, 2), SdkDigitEmpty);
    // Delete and delete-all remove manual candidates.
    SetCandidates("1,2", 0, 3);
    SetCandidates("1,2", 0, 6);
    Menu(0, 3, "ID_DELETE_MANUAL_CANDIDATES");
    EXPECT_EQ(Candidates(0, 3), "");
    EXPECT_EQ(Candidates(0, 6), "1,2");
    Menu(0, 3, "ID_DELETE_ALL_MANUAL_CANDIDATES");
    EXPECT_EQ(Candidates(0, 6), "");
    // The menu opens the editor too.
    Menu(0, 3, "ID_EDIT_MANUAL_CANDIDATES");
    ASSERT_NE(Editor(), nullptr);
    QTest::keyClicks(Editor(), "78");
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_EQ(Candidates(0, 3), "7,8");
    w->EvTimer();
    // Fewer than 10 givens: no menu at all.
    w->Game() = *MakeGame(FewGivens);
    EXPECT_EQ(Menu(4, 4), "");
}

TEST_F(BoardInput, ContextMenuInDefinitionModeFixesAllowedDigitsAndRemovesGivens)
{
    WndSudokuPeer::FixMode(*w) = true;
    View(true, false); // candidate items are never offered in a definition
    EXPECT_EQ(Menu(0, 2, "ID_ITEM_DIGIT_4"), Digits124);
    EXPECT_TRUE(w->Game().GetField(0, 2).IsFix());
    EXPECT_EQ(w->Game().GetFixCount(), 31u);
    EXPECT_EQ(Menu(0, 0, "ID_EMPTY_FIELD"), "ID_EMPTY_FIELD - ID_DELETE_ALL_MANUAL_CANDIDATES");
    EXPECT_EQ(w->Game().GetFixCount(), 30u);
}

// Keys typed into the editor: '\b' Backspace, '\x7f' Delete (with the character the desktop
// sends), 'H' Home, 'P' Shift+Insert (paste), 'U', 'D', 'F', 'N' Up, Down, F2, PageDown (all
// kept by the editor, never acting on the board).
TEST_F(BoardInput, CandidateEditorKeys)
{
    const struct
    {
        const char *before;
        Qt::Key open;
        QString typed;
        Qt::Key end;
        QString shown, stored;
    } cases[] = {
        {"", Qt::Key_Return, "1a2,3;x9 0", Qt::Key_Return, "12,3;9", "1,2,3,9"},
        {"", Qt::Key_F2, "3;1,2", Qt::Key_Enter, "3;1,2", "1,2,3"},
        {"", Qt::Key_Return, "12\b4", Qt::Key_Return, "14", "1,4"},
        {"1,2", Qt::Key_F2, "5", Qt::Key_Escape, "1,25", "1,2"},
        {"4,5", Qt::Key_Return, "", Qt::Key_Return, "4,5", "4,5"},
        {"4,5", Qt::Key_Return, "\b\b\b", Qt::Key_Return, "", ""},
        {"1,2,3", Qt::Key_Return, "H\x7f", Qt::Key_Return, ",2,3", "2,3"},
        {"9", Qt::Key_Return, "P", Qt::Key_Return, "912;3", "1,2,3,9"},
        {"", Qt::Key_Return, "1UDFN2", Qt::Key_Return, "12", "1,2"},
    };
    QApplication::clipboard()->setText(QStringLiteral("1a2 b;3x0\n"));
    for (const auto &c : cases) {
        QLineEdit *edit = OpenEditor(c.before, c.open);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), c.before);
        EXPECT_EQ(Status(), "Edit candidates for field [1/3] ... (insert digits, optionally "
                            "separated by comma)");
        for (QChar ch : c.typed) {
            const QHash<QChar, Qt::Key> keys = {{'\b', Qt::Key_Backspace}, {'H', Qt::Key_Home},
                                                {'U', Qt::Key_Up},         {'D', Qt::Key_Down},
                                                {'F', Qt::Key_F2},         {'N', Qt::Key_PageDown}};
            if (ch == '\x7f')
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Delete, QString(ch), {});
            else if (ch == 'P')
                QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
            else if (keys.contains(ch))
                QTest::keyClick(edit, keys[ch]);
            else
                QTest::keyClicks(edit, QString(ch));
        }
        EXPECT_EQ(edit->text(), c.shown) << c.typed;
        EXPECT_EQ(Editor(), edit);
        EXPECT_EQ(Active(), 2u);
        QTest::keyClick(edit, c.end);
        EXPECT_EQ(Candidates(0, 2), c.stored) << c.typed;
        EXPECT_EQ(Status(), "");
        EXPECT_TRUE(w->DrawWindow()->hasFocus());
        w->EvTimer();
        EXPECT_EQ(Editor(), nullptr);
    }
}

// How the editor holding "12" is left: focus elsewhere or a press on another field drops the
// input; a left or right press inside keeps it open, without a menu of its own.
TEST_F(BoardInput, CandidateEditorKeepsItsInputOnlyWhileItHasTheFocus)
{
    const struct
    {
        const char *what;
        std::function<void(QLineEdit &)> act;
        bool open;
        unsigned active;
    } cases[] = {
        {"focus elsewhere", [this](QLineEdit &) { w->FindChild("BT_SOLVE")->setFocus(); }, false,
         2},
        {"press on (5,5)",
         [this](QLineEdit &edit) {
             QTest::mousePress(
                 &edit, Qt::LeftButton, {},
                 edit.mapFromGlobal(w->DrawWindow()->mapToGlobal(FieldRect(*w, 5, 5).center())));
         },
         false, 45 + 5},
        {"press inside",
         [](QLineEdit &edit) { QTest::mousePress(&edit, Qt::LeftButton, {}, QPoint(2, 2)); }, true,
         2},
        {"right press inside",
         [](QLineEdit &edit) {
             const QPoint inside(3, 3);
             QTest::mousePress(&edit, Qt::RightButton, {}, inside);
             QContextMenuEvent request(QContextMenuEvent::Mouse, inside, edit.mapToGlobal(inside));
             QApplication::sendEvent(&edit, &request);
             QTest::mouseRelease(&edit, Qt::RightButton, {}, inside);
         },
         true, 2},
    };
    for (const auto &c : cases) {
        QLineEdit *edit = OpenEditor();
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, "12");
        c.act(*edit);
        QWidget *popup = QApplication::activePopupWidget();
        if (popup)
            popup->close();
        EXPECT_EQ(popup, nullptr) << c.what;
        w->EvTimer();
        EXPECT_EQ(Active(), c.active) << c.what;
        ASSERT_EQ(Editor() != nullptr, c.open) << c.what;
        if (c.open) {
            EXPECT_TRUE(edit->hasFocus()) << c.what;
            QTest::keyClick(edit, Qt::Key_Return);
            w->EvTimer();
        }
        EXPECT_EQ(Candidates(0, 2), c.open ? "1,2" : "") << c.what;
    }
}

TEST_F(BoardInput, KeysThatFindNothingToDo)
{
    const struct
    {
        const char *what;
        bool rs;
        const char *game;
        unsigned row, column;
        QString status;
    } cases[] = {
        {"a given", false, Riddle, 0, 0, ""},
        {"computed candidates shown", true, Riddle, 0, 2, ""},
        {"fewer than 10 givens", false, FewGivens, 3, 3,
         "You first have to setup or create a game-definition with at least 10 fix values."},
    };
    for (const auto &c : cases) {
        View(c.rs, false);
        w->Game() = *MakeGame(c.game);
        Click(c.row, c.column);
        w->EmptyStatus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_F2, Qt::Key_Delete}) {
            Key(key);
            EXPECT_EQ(Editor(), nullptr) << c.what;
        }
        if (!c.status.isEmpty())
            Digit(1);
        EXPECT_EQ(Values(w->Game()), Values(*MakeGame(c.game))) << c.what;
        EXPECT_EQ(Status(), c.status) << c.what;
    }
}

TEST_F(BoardInput, ArrowsWrapThroughTheBoard)
{
    const struct
    {
        unsigned from;
        Qt::Key key;
        unsigned to;
    } moves[] = {
        {80, Qt::Key_Right, 0}, {0, Qt::Key_Left, 80},    {35, Qt::Key_Right, 36},
        {36, Qt::Key_Left, 35}, {80, Qt::Key_Down, 0},    {0, Qt::Key_Up, 80},
        {3, Qt::Key_Up, 74},    {74, Qt::Key_Down, 3},    {40, Qt::Key_Up, 31},
        {40, Qt::Key_Down, 49}, {40, Qt::Key_Escape, 40}, {40, Qt::Key_Home, 40},
    };
    for (const auto &m : moves) {
        Click(m.from / 9, m.from % 9);
        ASSERT_EQ(Active(), m.from);
        Key(m.key);
        EXPECT_EQ(Active(), m.to) << m.from << " " << m.key;
    }
}

TEST_F(BoardInput, InputIsRefusedWhileTheEngineWorks)
{
    Click(0, 2);
    ASSERT_TRUE(GatedSolve(*w));
    Digit(4);
    Key(Qt::Key_Right);
    Key(Qt::Key_Return);
    Key(Qt::Key_Delete);
    Click(6, 6);
    EXPECT_EQ(Menu(0, 3), "");
    EXPECT_EQ(Value(0, 2), SdkDigitEmpty);
    EXPECT_EQ(Active(), 2u);
    EXPECT_EQ(Editor(), nullptr);
    VxEventKey right(Qt::Key_Right, QString(), 0, false);
    EXPECT_FALSE(w->SdkKeyDown(right));
    EXPECT_FALSE(w->SdkKeyUp(right));
    GateSolver::OpenGate();
    ASSERT_TRUE(TickUntilIdle(*w));
    EXPECT_TRUE(w->SdkKeyUp(right));
}
