// The board as assistive technology reads it.
#include "SdkAppTestSupport.h"

#include "app/SdkAccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

using namespace SdkTest;

namespace {
class WndSudokuDesktop : public WndTest
{
protected:
    void SetUp() override
    {
        WndTest::SetUp();
        Start();
    }
    QAccessibleInterface *Table() { return QAccessible::queryAccessibleInterface(w->DrawWindow()); }
};

TEST_F(WndSudokuDesktop, BoardIsATableOfNamedFieldsInTheWindowsLanguage)
{
    QAccessibleInterface *board = Table();
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->role(), QAccessible::Table);
    ASSERT_EQ(board->childCount(), 81);
    ASSERT_TRUE(w->Game().AddUserCandidate(SdkDigit(4), 0, 2));
    // Name, value and kind of a given and an empty field with own candidates, in either language.
    const struct
    {
        short language;
        int index;
        const char *name, *description;
    } rows[] = {
        {1, 0, "Row 1, column 1", "given"},
        {1, 2, "Row 1, column 3", "empty; own candidates 4"},
        {0, 0, "Zeile 1, Spalte 1", "vorgegeben"},
        {0, 2, "Zeile 1, Spalte 3", "leer; eigene Kandidaten 4"},
    };
    for (const auto &row : rows) {
        WndSudokuPeer::Language(*w) = row.language;
        QAccessibleInterface *field = board->child(row.index);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->role(), QAccessible::Cell);
        EXPECT_EQ(board->indexOfChild(field), row.index);
        EXPECT_EQ(field->text(QAccessible::Name), row.name);
        EXPECT_EQ(field->text(QAccessible::Description), row.description) << row.index;
        const char digit = Riddle[row.index];
        EXPECT_EQ(field->text(QAccessible::Value), digit == '0' ? QString() : QString(digit));
        EXPECT_EQ(field->state().readOnly, digit != '0');
        // The field's screen box is where the board draws it: asking there finds the field.
        EXPECT_EQ(board->childAt(field->rect().center().x(), field->rect().center().y()), field);
    }
    EXPECT_EQ(board->text(QAccessible::Name), "Spielfeld");
}

TEST_F(WndSudokuDesktop, FocusFollowsTheActiveFieldAndMovesAreAnnounced)
{
    VxWDraw *draw = w->DrawWindow();
    draw->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return draw->hasFocus(); }, 2000));
    SetActive(0, 2);
    SdkAccessible::Track(*w);
    // Each row: a key on the board, then what the next report announces; a report of its own
    // right after it finds nothing new.
    const struct
    {
        int key, announced;
        const char *value, *description;
    } steps[] = {
        {Qt::Key_Right, QAccessible::Focus, "", "empty"},
        {Qt::Key_6, QAccessible::ValueChanged, "6", "played"},
        {Qt::Key_Delete, QAccessible::ValueChanged, "", "empty"},
    };
    for (const auto &step : steps) {
        Key(Qt::Key(step.key));
        EXPECT_EQ(SdkAccessible::Track(*w), step.announced) << step.key;
        EXPECT_EQ(SdkAccessible::Track(*w), 0);
        QAccessibleInterface *field = Table()->child(3);
        EXPECT_EQ(Table()->focusChild(), field);
        EXPECT_TRUE(field->state().focused);
        EXPECT_FALSE(Table()->child(2)->state().focused);
        EXPECT_EQ(field->text(QAccessible::Value), step.value);
        EXPECT_EQ(field->text(QAccessible::Description), step.description);
    }
    Key(Qt::Key_Left);
    w->EvTimer();
    EXPECT_EQ(SdkAccessible::Track(*w), 0) << "the tick announced the move itself";
    EXPECT_EQ(Table()->focusChild(), Table()->child(2));
    Find("BT_CREATE_GAME")->setFocus(); // the board without focus has no focused field
    EXPECT_EQ(Table()->focusChild(), nullptr);
}

} // namespace
