// The board as assistive technology reads it.
#include "SdkAppTestSupport.h"

#include "app/SdkAccessible.h"

#include <QAccessible>

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
    const std::tuple<short, int, const char *, const char *> rows[] = {
        {1, 0, "Row 1, column 1", "given"},
        {1, 2, "Row 1, column 3", "empty; own candidates 4"},
        {0, 0, "Zeile 1, Spalte 1", "vorgegeben"},
        {0, 2, "Zeile 1, Spalte 3", "leer; eigene Kandidaten 4"},
    };
    for (const auto &[language, index, name, description] : rows) {
        WndSudokuPeer::Language(*w) = language;
        QAccessibleInterface *field = board->child(index);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->role(), QAccessible::Cell);
        EXPECT_EQ(board->indexOfChild(field), index);
        EXPECT_EQ(field->text(QAccessible::Name), name);
        EXPECT_EQ(field->text(QAccessible::Description), description) << index;
        const char digit = Riddle[index];
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
    const std::tuple<int, int, const char *, const char *> steps[] = {
        {Qt::Key_Right, QAccessible::Focus, "", "empty"},
        {Qt::Key_6, QAccessible::ValueChanged, "6", "played"},
        {Qt::Key_Delete, QAccessible::ValueChanged, "", "empty"},
    };
    for (const auto &[key, announced, value, description] : steps) {
        Key(Qt::Key(key));
        EXPECT_EQ(SdkAccessible::Track(*w), announced) << key;
        EXPECT_EQ(SdkAccessible::Track(*w), 0);
        QAccessibleInterface *field = Table()->child(3);
        EXPECT_EQ(Table()->focusChild(), field);
        EXPECT_TRUE(field->state().focused);
        EXPECT_FALSE(Table()->child(2)->state().focused);
        EXPECT_EQ(field->text(QAccessible::Value), value);
        EXPECT_EQ(field->text(QAccessible::Description), description);
    }
    Key(Qt::Key_Left);
    w->EvTimer();
    EXPECT_EQ(SdkAccessible::Track(*w), 0) << "the tick announced the move itself";
    EXPECT_EQ(Table()->focusChild(), Table()->child(2));
    Find("BT_CREATE_GAME")->setFocus(); // the board without focus has no focused field
    EXPECT_EQ(Table()->focusChild(), nullptr);
}

TEST_F(WndSudokuDesktop, EveryControlThatTakesFocusHasANameInBothLanguages)
{
    for (short language : {short(0), short(1)}) {
        WndSudokuPeer::Language(*w) = language;
        w->Localize();
        for (QWidget *child : w->findChildren<QWidget *>()) {
            if (child->focusPolicy() == Qt::NoFocus || !child->isVisibleTo(w))
                continue;
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(child);
            ASSERT_NE(a, nullptr);
            EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty())
                << child->objectName().toStdString() << " language " << language;
        }
    }
}

// The board drawn as a screen of that pixel ratio shows it: a digit has about ratio^2 as many
// dark pixels, and the edges stay sharp (a small picture scaled up would blur or block them).
TEST_F(WndSudokuDesktop, BoardStaysSharpAndProportionedAtEveryPixelRatioAndSize)
{
    VxWDraw *draw = w->DrawWindow();
    int baseInk = 0;
    for (double ratio : {1.0, 1.5, 2.0}) {
        QImage image(draw->size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        draw->render(&image);
        image.save(QStringLiteral(NINEFOLD_SCREENSHOT_DIR "/board_ratio_%1.png").arg(ratio * 10));
        int ink = 0, sharp = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const int grey = qGray(image.pixel(x, y));
                ink += grey < 96;
                sharp += grey < 96 || grey > 200;
            }
        if (ratio == 1.0)
            baseInk = ink;
        EXPECT_NEAR(double(ink) / baseInk, ratio * ratio, 0.35 * ratio * ratio) << ratio;
        EXPECT_GT(double(sharp) / (image.width() * image.height()), 0.9) << ratio;
    }
    for (QSize size : {QSize(640, 480), QSize(1920, 1080)}) {
        w->resize(size);
        QApplication::processEvents();
        const QRect field = FieldRect(*w, 4, 4, 0);
        EXPECT_NEAR(field.width(), field.height(), 2) << size.width();
        EXPECT_GT(field.width(), size.height() / 20) << size.width();
        SaveScreenshot(*w, QStringLiteral("main_%1x%2_en").arg(size.width()).arg(size.height()));
    }
}

} // namespace
