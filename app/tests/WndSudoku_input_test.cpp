// Mouse and keyboard on the board: the context menu, the candidate editor, the moves of the
// active field and input while the engine works.
#include "SdkAppTestSupport.h"

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

using namespace SdkTest;

namespace {
const char FewGivens[] = "530070000000000000000000000000000000000000000000000000000000000000000000"
                         "000000000";
const QString TenFixMessage =
    "You first have to setup or create a game-definition with at least 10 fix values.";

class BoardInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FreshStart();
        w = OpenMainWindow();
        ASSERT_NE(w, nullptr);
        w->activateWindow(); // focus changes reach only the active window
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        w->Game() = *MakeGame(Riddle);
        w->ValidateStates();
        w->EvTimer();
        View(false, false);
    }
    void TearDown() override { CloseMainWindow(w); }

    // Right click on a field: the menu's entries as "id:text" ("." before a disabled one, "-"
    // a separator); the item choose is run as the framework runs it once the menu is gone.
    QStringList Menu(unsigned row, unsigned column, const QString &choose = QString())
    {
        QStringList items;
        QPointer<QAction> chosen;
        {
            Script script;
            script.On("SDK_CONTEXT_MENU", [&](QWidget &window) {
                for (QAction *a : qobject_cast<QMenu *>(&window)->actions()) {
                    items << (a->isSeparator() ? QStringLiteral("-")
                                               : (a->isEnabled() ? "" : ".") + a->objectName() +
                                                     ":" + a->text());
                    if (a->objectName() == choose)
                        chosen = a;
                }
            });
            ClickField(*w, row, column, Qt::RightButton);
        }
        QTest::qWait(1); // as on a desktop, the item runs once the menu is gone
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        VxEvent event;
        if (chosen)
            VxLinks::Fire(chosen, QLatin1String(VX_LINK_COMMAND), event);
        QApplication::processEvents();
        return items;
    }
    void View(bool rs, bool single)
    {
        VxCtl::SetChecked(w->FindChild("CHK_VIEW_RS"), rs);
        VxCtl::SetChecked(w->FindChild("CHK_VIEW_RS_SINGLE"), single);
    }
    QLineEdit *Editor() { return w->DrawWindow()->findChild<QLineEdit *>("ED_DIGIT"); }
    QString Candidates(unsigned row, unsigned column)
    {
        return QString::fromStdString(w->Game().GetUserCandidates(row, column).ToRsString().Str());
    }
    void SetCandidates(const char *list, unsigned row, unsigned column)
    {
        SdkResultSet set;
        set.FromRsString(list);
        w->Game().SetUserCandidates(set, row, column);
    }

    WndSudoku *w = nullptr;
};

QStringList Digits(const QString &disabled = QString())
{
    QStringList items;
    for (int d = 1; d <= 9; ++d)
        items << QString("%1ID_ITEM_DIGIT_%2:&%2")
                     .arg(disabled.contains(QChar('0' + d)) ? "." : "")
                     .arg(d);
    return items;
}
} // namespace

TEST_F(BoardInput, ContextMenuOffersWhatTheFieldAllows)
{
    const QString all =
        "ID_DELETE_ALL_MANUAL_CANDIDATES:Delete all manual candidates of this riddle";
    const QString edit = "ID_EDIT_MANUAL_CANDIDATES:Edit manual candidates ...";
    const QString remove = "ID_DELETE_MANUAL_CANDIDATES:Delete manual candidates";
    const QString take =
        "ID_TAKE_CANDIDATES:Take computed candidates into your user-candidates-list";
    const struct
    {
        const char *what;
        bool rs, single;
        unsigned row, column;
        QStringList items;
    } cases[] = {
        {"empty, candidates hidden", false, false, 0, 2,
         QStringList{edit, remove, "-", all, "-"} + Digits()},
        // (0,2) can take 1, 2 or 4; (4,4) only 5.
        {"empty, candidates shown", true, false, 0, 2, QStringList{take, "-"} + Digits("356789")},
        {"single candidate shown", false, true, 4, 4, QStringList{all, "-"} + Digits()},
        {"given", false, false, 0, 0, {}},
    };
    for (const auto &c : cases) {
        View(c.rs, c.single);
        EXPECT_EQ(Menu(c.row, c.column), c.items) << c.what;
    }
    // Taken over, the lists are equal: nothing more to take.
    View(true, false);
    Menu(0, 2, "ID_TAKE_CANDIDATES");
    EXPECT_EQ(Candidates(0, 2), "1,2,4");
    EXPECT_EQ(Menu(0, 2), Digits("356789"));
    // A digit from the menu is played; a value offers to be removed.
    View(false, false);
    Menu(0, 2, "ID_ITEM_DIGIT_4");
    EXPECT_EQ(w->Game().GetField(0, 2).GetValue(), SdkDigit4);
    EXPECT_EQ(Menu(0, 2, "ID_EMPTY_FIELD"),
              QStringList({"ID_EMPTY_FIELD:Remove current value", "-", all}));
    EXPECT_EQ(w->Game().GetField(0, 2).GetValue(), SdkDigitEmpty);
    // Delete and delete-all remove manual candidates.
    SetCandidates("1,2", 0, 3);
    SetCandidates("1,2", 0, 6);
    Menu(0, 3, "ID_DELETE_MANUAL_CANDIDATES");
    EXPECT_EQ(Candidates(0, 3), "");
    EXPECT_EQ(Candidates(0, 6), "1,2");
    Menu(0, 3, "ID_DELETE_ALL_MANUAL_CANDIDATES");
    EXPECT_EQ(Candidates(0, 6), "");
    // Fewer than 10 givens: no menu at all.
    w->Game() = *MakeGame(FewGivens);
    EXPECT_EQ(Menu(4, 4), QStringList());
}

TEST_F(BoardInput, ContextMenuInDefinitionModeFixesAllowedDigitsAndRemovesGivens)
{
    WndSudokuPeer::FixMode(*w) = true;
    View(true, false); // candidate items are never offered in a definition
    EXPECT_EQ(Menu(0, 2, "ID_ITEM_DIGIT_4"), Digits("356789"));
    EXPECT_TRUE(w->Game().GetField(0, 2).IsFix());
    EXPECT_EQ(w->Game().GetFixCount(), 31u);
    EXPECT_EQ(Menu(0, 0, "ID_EMPTY_FIELD").value(0), "ID_EMPTY_FIELD:Remove current value");
    EXPECT_EQ(w->Game().GetFixCount(), 30u);
    WndSudokuPeer::Language(*w) = 0;
    EXPECT_EQ(Menu(0, 1).value(0), "ID_EMPTY_FIELD:Aktuellen Wert entfernen");
    WndSudokuPeer::FixMode(*w) = false;
    const struct
    {
        bool rs;
        QString first;
    } german[] = {{true, "Berechnete Kandidaten in Benutzerliste übernehmen"},
                  {false, "Manuelle Kandidaten bearbeiten ..."}};
    for (const auto &g : german) {
        View(g.rs, false);
        EXPECT_TRUE(Menu(0, 3).value(0).endsWith(":" + g.first)) << qPrintable(g.first);
    }
}

TEST_F(BoardInput, CandidateEditorKeys)
{
    const struct
    {
        const char *before;
        Qt::Key open;
        QString typed; // '\b' is Backspace
        Qt::Key end;
        QString shown, stored;
    } cases[] = {
        {"", Qt::Key_Return, "1a2,3;x9 0", Qt::Key_Return, "12,3;9", "1,2,3,9"},
        {"", Qt::Key_F2, "3;1,2", Qt::Key_Enter, "3;1,2", "1,2,3"},
        {"", Qt::Key_Return, "12\b4", Qt::Key_Return, "14", "1,4"},
        {"1,2", Qt::Key_F2, "5", Qt::Key_Escape, "1,25", "1,2"},
        {"4,5", Qt::Key_Return, "", Qt::Key_Return, "4,5", "4,5"},
        {"4,5", Qt::Key_Return, "\b\b\b", Qt::Key_Return, "", ""},
    };
    ClickField(*w, 0, 2);
    for (const auto &c : cases) {
        SetCandidates(c.before, 0, 2);
        Key(*w, c.open);
        QLineEdit *edit = Editor();
        ASSERT_NE(edit, nullptr);
        EXPECT_TRUE(edit->hasFocus());
        EXPECT_EQ(edit->text(), c.before);
        EXPECT_EQ(Status(*w), "Edit candidates for field [1/3] ... (insert digits, optionally "
                              "separated by comma)");
        for (QChar ch : c.typed) {
            if (ch == '\b')
                QTest::keyClick(edit, Qt::Key_Backspace);
            else
                QTest::keyClicks(edit, QString(ch));
        }
        EXPECT_EQ(edit->text(), c.shown) << qPrintable(c.typed);
        QTest::keyClick(edit, c.end);
        EXPECT_EQ(Candidates(0, 2), c.stored) << qPrintable(c.typed);
        EXPECT_EQ(Status(*w), "");
        EXPECT_TRUE(w->DrawWindow()->hasFocus());
        w->EvTimer();
        EXPECT_EQ(Editor(), nullptr);
    }
    // The menu opens it too, in the window's language.
    WndSudokuPeer::Language(*w) = 0;
    Menu(0, 3, "ID_EDIT_MANUAL_CANDIDATES");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Status(*w), "Kandidaten editieren für Feld [1/4] ... (Ziffern eingeben, optional "
                          "mit Komma trennen)");
    QTest::keyClicks(Editor(), "78");
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_EQ(Candidates(0, 3), "7,8");
    w->EvTimer();
}

TEST_F(BoardInput, CandidateEditorDiscardsOnFocusLossAndOnAClickOutside)
{
    ClickField(*w, 0, 2);
    Key(*w, Qt::Key_Return);
    ASSERT_NE(Editor(), nullptr);
    QTest::keyClicks(Editor(), "12");
    w->FindChild("BT_SOLVE")->setFocus();
    EXPECT_EQ(Candidates(0, 2), "");
    w->EvTimer();
    EXPECT_EQ(Editor(), nullptr);

    // The editor has the mouse: a press on field (5,5) closes it and makes (5,5) active.
    ClickField(*w, 0, 2);
    Key(*w, Qt::Key_Return);
    QLineEdit *edit = Editor();
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "3");
    QTest::mousePress(
        edit, Qt::LeftButton, {},
        edit->mapFromGlobal(w->DrawWindow()->mapToGlobal(FieldRect(*w, 5, 5).center())));
    EXPECT_EQ(Candidates(0, 2), "");
    EXPECT_EQ(Active(*w), 5u * 9 + 5);
    w->EvTimer();
    EXPECT_EQ(Editor(), nullptr);

    // A press inside the edited field keeps it open.
    ClickField(*w, 0, 2);
    Key(*w, Qt::Key_Return);
    ASSERT_NE(Editor(), nullptr);
    QTest::mousePress(Editor(), Qt::LeftButton, {}, QPoint(2, 2));
    w->EvTimer();
    ASSERT_NE(Editor(), nullptr);
    QTest::keyClick(Editor(), Qt::Key_Escape);
    w->EvTimer();
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
        {"fewer than 10 givens", false, FewGivens, 3, 3, TenFixMessage},
    };
    for (const auto &c : cases) {
        View(c.rs, false);
        w->Game() = *MakeGame(c.game);
        ClickField(*w, c.row, c.column);
        w->EmptyStatus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_F2, Qt::Key_Delete}) {
            Key(*w, key);
            EXPECT_EQ(Editor(), nullptr) << c.what;
        }
        if (!c.status.isEmpty())
            Digit(*w, 1);
        EXPECT_EQ(Values(w->Game()), Values(*MakeGame(c.game))) << c.what;
        EXPECT_EQ(Status(*w), c.status) << c.what;
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
        ClickField(*w, m.from / 9, m.from % 9);
        ASSERT_EQ(Active(*w), m.from);
        Key(*w, m.key);
        EXPECT_EQ(Active(*w), m.to) << m.from << " " << m.key;
    }
}

TEST_F(BoardInput, InputIsRefusedWhileTheEngineWorks)
{
    ClickField(*w, 0, 2);
    GateSolver::CloseGate();
    ASSERT_TRUE(w->Game().ThreadSolve(-1, false, "GateSolver"));
    w->AddTimerState(TS_SOLVE);
    w->ValidateStatesForThread(false, false);
    Digit(*w, 4);
    Key(*w, Qt::Key_Right);
    Key(*w, Qt::Key_Return);
    Key(*w, Qt::Key_Delete);
    ClickField(*w, 6, 6);
    EXPECT_EQ(Menu(0, 3), QStringList());
    EXPECT_EQ(w->Game().GetField(0, 2).GetValue(), SdkDigitEmpty);
    EXPECT_EQ(Active(*w), 2u);
    EXPECT_EQ(Editor(), nullptr);
    VxEventKey right(Qt::Key_Right, QString(), 0, false);
    EXPECT_FALSE(w->SdkKeyDown(right));
    EXPECT_FALSE(w->SdkKeyUp(right));
    GateSolver::OpenGate();
    ASSERT_TRUE(TickUntilIdle(*w));
    EXPECT_TRUE(w->SdkKeyUp(right));
}
