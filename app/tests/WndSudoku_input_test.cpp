// Mouse and keyboard on the board: the context menu, the candidate editor, the moves of the
// active field and input while the engine works.
#include "SdkAppTestSupport.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPointer>

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

    // The context menu opened by open: its item names ("." before a disabled one, "-" a
    // separator) and where it was shown; the item chosen is run as the framework runs it once the
    // menu is gone.
    QString MenuBy(const std::function<void()> &open, const QString &choose,
                   QRect *shownAt = nullptr)
    {
        QStringList items;
        QPointer<QAction> chosen;
        {
            Script script("SDK_CONTEXT_MENU", [&](QWidget &window) {
                if (shownAt)
                    *shownAt = window.geometry();
                for (QAction *a : qobject_cast<QMenu *>(&window)->actions()) {
                    items << (a->isSeparator() ? QStringLiteral("-")
                                               : (a->isEnabled() ? "" : ".") + a->objectName());
                    if (a->objectName() == choose)
                        chosen = a;
                }
            });
            open();
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
    QString Menu(unsigned row, unsigned column, const QString &choose = QString())
    {
        return MenuBy([=, this] { Click(row, column, Qt::RightButton); }, choose);
    }
    QLineEdit *Editor() { return w->DrawWindow()->findChild<QLineEdit *>("ED_DIGIT"); }
    QString Candidates(unsigned row, unsigned column)
    {
        return FromT(w->Game().GetUserCandidates(row, column).ToRsString());
    }
};

const QString AllDigits = "1 2 3 4 5 6 7 8 9";
const QString Digits124 = "1 2 .3 4 .5 .6 .7 .8 .9";
} // namespace

TEST_F(BoardInput, ContextMenuOffersWhatTheFieldAllows)
{
    const QString edit = "ID_EDIT_MANUAL_CANDIDATES ID_DELETE_MANUAL_CANDIDATES - "
                         "ID_DELETE_ALL_MANUAL_CANDIDATES - ";
    const std::tuple<bool, bool, unsigned, unsigned, QString> cases[] = {
        // rs, single, row, column, items
        {false, false, 0, 2, edit + AllDigits},
        // (0,2) can take 1, 2 or 4; (4,4) only 5.
        {true, false, 0, 2, "ID_TAKE_CANDIDATES - " + Digits124},
        {false, true, 4, 4, "ID_DELETE_ALL_MANUAL_CANDIDATES - " + AllDigits},
        {false, false, 0, 0, ""}, // a given
    };
    for (const auto &[rs, single, row, column, items] : cases) {
        View(rs, single);
        EXPECT_EQ(Menu(row, column), items) << row << "/" << column;
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
    SetMarks(w->Game(), "1,2", 0, 3);
    SetMarks(w->Game(), "1,2", 0, 6);
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

// The candidate editor on (0,2): keys typed into it ('\b' Backspace, '\x7f' Delete with the
// character the desktop sends, 'H' Home, 'P' Shift+Insert pasting, 'U', 'D', 'F', 'N' Up, Down,
// F2, PageDown, all kept by the editor), and how it is left: by a key, or (negative codes) focus
// elsewhere or a press on (5,5), both dropping the input, or a left or right press inside, which
// keep it open without a menu of its own.
TEST_F(BoardInput, CandidateEditorKeysAndHowItIsLeft)
{
    enum { FocusElsewhere = -1, PressOnField = -2, PressInside = -3, RightPressInside = -4 };
    const std::tuple<const char *, Qt::Key, QString, int, QString, QString, unsigned> cases[] = {
        // before, open, typed, end, shown, stored, active
        {"", Qt::Key_Return, "1a2,3;x9 0", Qt::Key_Return, "12,3;9", "1,2,3,9", 2},
        {"", Qt::Key_F2, "3;1,2", Qt::Key_Enter, "3;1,2", "1,2,3", 2},
        {"", Qt::Key_Return, "12\b4", Qt::Key_Return, "14", "1,4", 2},
        {"1,2", Qt::Key_F2, "5", Qt::Key_Escape, "1,25", "1,2", 2},
        {"4,5", Qt::Key_Return, "", Qt::Key_Return, "4,5", "4,5", 2},
        {"4,5", Qt::Key_Return, "\b\b\b", Qt::Key_Return, "", "", 2},
        {"1,2,3", Qt::Key_Return, "H\x7f", Qt::Key_Return, ",2,3", "2,3", 2},
        {"9", Qt::Key_Return, "P", Qt::Key_Return, "912;3", "1,2,3,9", 2},
        {"", Qt::Key_Return, "1UDFN2", Qt::Key_Return, "12", "1,2", 2},
        {"", Qt::Key_Return, "12", FocusElsewhere, "12", "", 2},
        {"", Qt::Key_Return, "12", PressOnField, "12", "", 5 * 9 + 5},
        {"", Qt::Key_Return, "12", PressInside, "12", "1,2", 2},
        {"", Qt::Key_Return, "12", RightPressInside, "12", "1,2", 2},
    };
    QApplication::clipboard()->setText(QStringLiteral("1a2 b;3x0\n"));
    const QHash<QChar, Qt::Key> keys = {{'\b', Qt::Key_Backspace}, {'H', Qt::Key_Home},
                                        {'U', Qt::Key_Up},         {'D', Qt::Key_Down},
                                        {'F', Qt::Key_F2},         {'N', Qt::Key_PageDown}};
    for (const auto &[before, open, typed, end, shown, stored, active] : cases) {
        SCOPED_TRACE((typed + " " + QString::number(end)).toStdString());
        SetMarks(w->Game(), before, 0, 2);
        Click(0, 2);
        Key(open);
        QLineEdit *edit = Editor();
        ASSERT_TRUE(edit && edit->hasFocus());
        EXPECT_EQ(edit->text(), before);
        EXPECT_EQ(Status(), "Edit candidates for field [1/3] ... (insert digits, optionally "
                            "separated by comma)");
        for (QChar ch : typed) {
            if (ch == '\x7f')
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Delete, QString(ch), {});
            else if (ch == 'P')
                QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
            else if (keys.contains(ch))
                QTest::keyClick(edit, keys[ch]);
            else
                QTest::keyClicks(edit, QString(ch));
        }
        EXPECT_EQ(edit->text(), shown);
        EXPECT_EQ(Editor(), edit);
        EXPECT_EQ(Active(), 2u);
        const QPoint inside(3, 3);
        if (end == FocusElsewhere) {
            w->FindChild("BT_SOLVE")->setFocus();
        } else if (end == PressOnField) {
            const QPoint field = w->DrawWindow()->mapToGlobal(FieldRect(*w, 5, 5).center());
            QTest::mousePress(edit, Qt::LeftButton, {}, edit->mapFromGlobal(field));
        } else if (end == PressInside) {
            QTest::mousePress(edit, Qt::LeftButton, {}, inside);
        } else if (end == RightPressInside) { // the press, then the request for a menu
            QTest::mousePress(edit, Qt::RightButton, {}, inside);
            QContextMenuEvent request(QContextMenuEvent::Mouse, inside, edit->mapToGlobal(inside));
            QApplication::sendEvent(edit, &request);
            QTest::mouseRelease(edit, Qt::RightButton, {}, inside);
        } else {
            QTest::keyClick(edit, Qt::Key(end));
            EXPECT_TRUE(w->DrawWindow()->hasFocus());
        }
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        w->EvTimer();
        ASSERT_EQ(Editor() != nullptr, end <= PressInside);
        if (Editor()) {
            EXPECT_TRUE(edit->hasFocus());
            QTest::keyClick(edit, Qt::Key_Return);
            w->EvTimer();
        }
        EXPECT_EQ(Candidates(0, 2), stored);
        EXPECT_EQ(Active(), active);
        EXPECT_EQ(Status(), "");
        EXPECT_EQ(Editor(), nullptr);
    }
}

// Keys and clicks that find nothing to do: on a given, with computed candidates shown, with fewer
// than ten givens, and while the engine works.
TEST_F(BoardInput, KeysThatFindNothingToDo)
{
    const std::tuple<const char *, bool, bool, unsigned, unsigned, QString> cases[] = {
        // game, rs, working, row, column, status
        {Riddle, false, false, 0, 0, ""},
        {Riddle, true, false, 0, 2, ""},
        {FewGivens, false, false, 3, 3,
         "You first have to setup or create a game-definition with at least 10 fix values."},
        {Riddle, false, true, 0, 2, ""},
    };
    for (const auto &[game, rs, working, row, column, status] : cases) {
        SCOPED_TRACE(testing::Message() << row << "/" << column << " " << working);
        View(rs, false);
        w->Game() = *MakeGame(game);
        Click(row, column);
        w->EmptyStatus();
        if (working) {
            ASSERT_TRUE(GatedSolve(*w));
            EXPECT_FALSE(Enabled("BT_HINT"));
            EXPECT_FALSE(w->FindAction("MN_HINT")->isEnabled());
            EXPECT_TRUE(Do(&WndSudoku::DoHint)); // handled, and nothing shown
            Key(Qt::Key_Right);
            Click(6, 6);
            EXPECT_EQ(Menu(0, 3), "");
            EXPECT_EQ(Active(), 2u);
        }
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_F2, Qt::Key_Delete}) {
            Key(key);
            EXPECT_EQ(Editor(), nullptr);
        }
        if (!rs)
            Digit(row == 0 ? 4 : 1);
        EXPECT_EQ(Values(w->Game()), Values(*MakeGame(game)));
        EXPECT_EQ(Status(), status);
    }
    VxEventKey right(Qt::Key_Right, QString(), 0, false);
    EXPECT_FALSE(w->SdkKeyDown(right));
    EXPECT_FALSE(w->SdkKeyUp(right));
    GateSolver::OpenGate();
    ASSERT_TRUE(TickUntilIdle(*w));
    EXPECT_TRUE(w->SdkKeyUp(right));
}

TEST_F(BoardInput, MenuKeyAndShiftF10OpenTheActiveFieldsMenuAtTheField)
{
    const struct
    {
        QKeyCombination key;
        bool rs; // take the computed candidates of (4,4), else delete all manual ones
        const char *item, *left44, *left80;
    } cases[] = {
        {QKeyCombination(Qt::Key_Menu), true, "ID_TAKE_CANDIDATES", "5", "9"},
        {Qt::SHIFT | Qt::Key_F10, false, "ID_DELETE_ALL_MANUAL_CANDIDATES", "", ""},
    };
    for (const auto &c : cases) {
        SetMarks(w->Game(), "9", 4, 4);
        SetMarks(w->Game(), "9", 8, 0);
        View(c.rs, false);
        SetActive(4, 4);
        w->DrawWindow()->setFocus();
        QRect shownAt;
        MenuBy([&] { Key(c.key.key(), c.key.keyboardModifiers()); }, c.item, &shownAt);
        const QPoint board = w->DrawWindow()->mapToGlobal(QPoint());
        EXPECT_TRUE(FieldRect(*w, 4, 4, 0).translated(board).contains(shownAt.topLeft()));
        EXPECT_EQ(Candidates(4, 4), c.left44);
        EXPECT_EQ(Candidates(8, 0), c.left80);
    }
}
