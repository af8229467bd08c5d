// The window at home on the desktop: the board as assistive technology reads it, names for every
// control, and the board at several pixel ratios and window sizes.
#include "SdkAppTestSupport.h"
#include "app/SdkAccessible.h"
#include "velox/VxDraw.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

using namespace SdkTest;

namespace {

class WndSudokuDesktop : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(InstallBundle());
        FreshStart();
        w = OpenMainWindow();
        ASSERT_NE(w, nullptr);
        w->Game() = *MakeGame(Riddle);
        w->EvTimer();
    }
    void TearDown() override { CloseMainWindow(w); }
    QAccessibleInterface *Board() { return QAccessible::queryAccessibleInterface(w->DrawWindow()); }

    WndSudoku *w = nullptr;
};

TEST_F(WndSudokuDesktop, BoardIsATableOfNamedFieldsInTheWindowsLanguage)
{
    QAccessibleInterface *board = Board();
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->role(), QAccessible::Table);
    ASSERT_EQ(board->childCount(), 81);
    ASSERT_TRUE(w->Game().AddUserCandidate(SdkDigit(4), 0, 2));
    // Row by row, one language after the other: name, value and kind of a given, a played and an
    // empty field with own candidates.
    struct Row
    {
        short language;
        int index;
        const char *name;
        const char *description;
    };
    const int firstGiven = int(std::string(Riddle).find_first_not_of('0'));
    const Row rows[] = {
        {1, firstGiven, "", "given"},
        {1, 2, "Row 1, column 3", "empty; own candidates 4"},
        {0, firstGiven, "", "vorgegeben"},
        {0, 2, "Zeile 1, Spalte 3", "leer; eigene Kandidaten 4"},
    };
    ASSERT_EQ(Riddle[2], '0');
    for (const Row &row : rows) {
        WndSudokuPeer::Language(*w) = row.language;
        QAccessibleInterface *field = board->child(row.index);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->role(), QAccessible::Cell);
        EXPECT_EQ(board->indexOfChild(field), row.index);
        if (*row.name) {
            EXPECT_EQ(field->text(QAccessible::Name), row.name);
        }
        EXPECT_EQ(field->text(QAccessible::Description), row.description) << row.index;
        const char digit = Riddle[row.index];
        EXPECT_EQ(field->text(QAccessible::Value), digit == '0' ? QString() : QString(digit));
        EXPECT_EQ(field->state().readOnly, digit != '0');
        EXPECT_TRUE(field->rect().isValid());
        // The field's screen box is where the board draws it: asking there finds the field.
        EXPECT_EQ(board->childAt(field->rect().center().x(), field->rect().center().y()), field);
    }
    EXPECT_EQ(board->text(QAccessible::Name), "Spielfeld");
}

TEST_F(WndSudokuDesktop, FocusFollowsTheActiveFieldAndMovesAreAnnounced)
{
    VxWDraw *draw = w->DrawWindow();
    QApplication::setActiveWindow(w);
    draw->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return draw->hasFocus(); }, 2000));
    WndSudokuPeer::ActiveRow(*w) = 0;
    WndSudokuPeer::ActiveColumn(*w) = 2;
    SdkAccessible::Track(*w);

    // Each row: a key on the board, then what the next report announces; the tick in between
    // reports on its own, so a report of its own right after it finds nothing new.
    ASSERT_EQ(Riddle[3], '0');
    struct Step
    {
        int key;
        int announced;
        const char *value;
        const char *description;
    };
    const Step steps[] = {
        {Qt::Key_Right, QAccessible::Focus, "", "empty"},
        {Solution[3], QAccessible::ValueChanged, nullptr, "played"},
        {Qt::Key_Delete, QAccessible::ValueChanged, "", "empty"},
    };
    for (const Step &step : steps) {
        if (step.key < 0x100)
            QTest::keyClick(draw, char(step.key));
        else
            QTest::keyClick(draw, Qt::Key(step.key));
        EXPECT_EQ(SdkAccessible::Track(*w), step.announced) << step.key;
        EXPECT_EQ(SdkAccessible::Track(*w), 0);
        QAccessibleInterface *field = Board()->child(3);
        EXPECT_EQ(Board()->focusChild(), field);
        EXPECT_TRUE(field->state().focused);
        EXPECT_EQ(field->text(QAccessible::Value),
                  step.value ? QString(step.value) : QString(QChar(Solution[3])));
        EXPECT_EQ(field->text(QAccessible::Description), step.description);
    }
    QTest::keyClick(draw, Qt::Key_Left);
    w->EvTimer();
    EXPECT_EQ(SdkAccessible::Track(*w), 0) << "the tick announced the move itself";
    EXPECT_EQ(Board()->focusChild(), Board()->child(2));
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

// The board drawn as a screen of that pixel ratio would show it: the picture grows with the
// ratio, it is not a small picture scaled up.
TEST_F(WndSudokuDesktop, BoardStaysSharpAndProportionedAtEveryPixelRatioAndSize)
{
    VxWDraw *draw = w->DrawWindow();
    const QString dir = QStringLiteral(NINEFOLD_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    int baseInk = 0;
    for (double ratio : {1.0, 1.5, 2.0}) {
        QImage image(draw->size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        draw->render(&image);
        image.save(dir + QStringLiteral("/board_ratio_%1.png").arg(ratio * 10));
        // Ink of the given digits: a digit drawn at the higher resolution has about ratio^2 as
        // many dark pixels; a picture merely scaled would have the same as at ratio 1 in
        // coarser blocks, which the sharp-edge count below tells apart.
        int ink = 0;
        int sharp = 0;
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
        SaveScreenshot(*w, QStringLiteral("main_%1x%2_%3")
                               .arg(size.width())
                               .arg(size.height())
                               .arg(w->GetLanguage() ? "en" : "de"));
    }
}

} // namespace
