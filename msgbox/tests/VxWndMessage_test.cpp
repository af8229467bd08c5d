#include "msgbox/VxWndMessage.h"
#include "velox/VxDynButtonBar.h"
#include "velox/VxModal.h"

#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>
#include <tuple>

namespace {
class VxWndMessageTest : public ::testing::Test
{
protected:
    void SetUp() override { VxWndMessage::ResetDefaults(); }
    void TearDown() override { VxWndMessage::ResetDefaults(); }

    // Runs StartMsg; the hook records the box and presses the button (none: the user closes the
    // window by its frame).
    unsigned short Run(unsigned short language, unsigned short type,
                       const QString &press = QString(), QSize size = QSize(450, 230),
                       const QString &text = "<b>Text</b>", const QString &title = "Title")
    {
        VxModalHookGuard guard([&](QWidget &w) {
            auto &box = dynamic_cast<VxWndMessage &>(w);
            QStringList buttons;
            for (QPushButton *b :
                 dynamic_cast<VxDynButtonBar *>(box.FindChild("BUTTONBAR"))->Buttons())
                buttons << b->objectName() + "=" + b->text();
            seen = {box.windowTitle(),
                    qobject_cast<QTextEdit *>(box.FindChild("ED_INFO"))->toPlainText(),
                    buttons.join(' '),
                    box.GetIconName(),
                    box.focusWidget() ? box.focusWidget()->objectName() : QString(),
                    QString("%1x%2").arg(box.width()).arg(box.height())};
            if (!press.isEmpty())
                QTest::mouseClick(box.FindChild(press), Qt::LeftButton);
        });
        return VxWndMessage::StartMsg(language, title, text, nullptr, type, size, false);
    }
    // Everything a test wants to know about the last box while it ran.
    struct
    {
        QString title, text, buttons, icon, focus, size;
    } seen;
};
} // namespace

TEST_F(VxWndMessageTest, ButtonSetsTheirTextsAndResultsInBothLanguages)
{
    // language, type, button pressed (none: closed by the frame), result, buttons shown
    const std::tuple<int, int, const char *, int, QString> rows[] = {
        {1, 0, "BT_CLOSE", 2, "BT_CLOSE=&Close"},
        {0, 0, "", 2, "BT_CLOSE=&Schliessen"},
        {1, 1, "BT_OK", 1, "BT_OK=&OK BT_CANCEL=&Cancel"},
        {0, 1, "BT_CANCEL", 2, "BT_OK=&OK BT_CANCEL=Abbre&chen"},
        {1, 3, "BT_YES", 6, "BT_YES=&Yes BT_NO=&No BT_CANCEL=&Cancel"},
        {0, 3, "BT_NO", 7, "BT_YES=&Ja BT_NO=&Nein BT_CANCEL=Abbre&chen"},
        {1, 3, "", 2, "BT_YES=&Yes BT_NO=&No BT_CANCEL=&Cancel"},
        {1, 4, "BT_YES", 6, "BT_YES=&Yes BT_NO=&No"},
        {1, 4, "", 7, "BT_YES=&Yes BT_NO=&No"},       // closed by the frame: no
        {7, 4, "BT_NO", 7, "BT_YES=&Ja BT_NO=&Nein"}, // any other language counts as German
        {1, 2, "", 2, ""},                            // an unknown button code: no buttons
        {1, 0x44, "", 7, "BT_YES=&Yes BT_NO=&No"},
        {1, 0x13, "", 2, "BT_YES=&Yes BT_NO=&No BT_CANCEL=&Cancel"},
    };
    for (const auto &[language, type, press, result, buttons] : rows) {
        EXPECT_EQ(Run(language, type, press), result) << type << " " << press;
        EXPECT_EQ(seen.buttons, buttons) << type << " " << language;
    }
}

TEST_F(VxWndMessageTest, IconsAndTheDefaultButtonFollowTheType)
{
    // A default beyond the buttons there are falls back to the first.
    const QList<QPair<unsigned short, QString>> rows = {
        {0x10, "BMP_MBSTOP BT_CLOSE"},   {0x20, "BMP_MBQUEST BT_CLOSE"},
        {0x30, "BMP_MBEXCLAM BT_CLOSE"}, {0x40, "BMP_MBINFO BT_CLOSE"},
        {0x00, "BMP_MBINFO BT_CLOSE"},   {0x50, "BMP_MBINFO BT_CLOSE"},
        {0x41, "BMP_MBINFO BT_OK"},      {0x43, "BMP_MBQUEST BT_YES"},
        {0x04, "BMP_MBQUEST BT_YES"},    {0x13, "BMP_MBSTOP BT_YES"},
        {0x34, "BMP_MBEXCLAM BT_YES"},   {0x003, "BMP_MBQUEST BT_YES"},
        {0x103, "BMP_MBQUEST BT_NO"},    {0x203, "BMP_MBQUEST BT_CANCEL"},
        {0x204, "BMP_MBQUEST BT_YES"}};
    for (const auto &[type, look] : rows) {
        Run(1, type);
        EXPECT_EQ(seen.icon + " " + seen.focus, look) << type;
    }
}

TEST_F(VxWndMessageTest, TitleTextAndSize)
{
    // Every segment is followed by a blank; a missing title and a too small size get defaults.
    const auto shown = [this](QSize size, const QString &text, const QString &title) {
        Run(1, 0, "", size, text, title);
        return seen.title + "|" + seen.text + "|" + seen.size;
    };
    EXPECT_EQ(shown(QSize(0, 0), "<b>Hello</b> world", "Information"),
              "Information| Hello  world |350x150");
    EXPECT_EQ(shown(QSize(49, 300), "x", ""), "VELOX Message| x |350x300");
    EXPECT_EQ(shown(QSize(400, 230), "<b>Text</b>", "Title"), "Title| Text |400x230");
}

TEST_F(VxWndMessageTest, MalformedMarkupIsReportedFirstAndTheBoxStillAnswers)
{
    QStringList order;
    VxModalHookGuard guard([&](QWidget &w) {
        order << w.windowTitle();
        if (auto *box = dynamic_cast<VxWndMessage *>(&w)) {
            order << qobject_cast<QTextEdit *>(box->FindChild("ED_INFO"))->toPlainText();
            QTest::mouseClick(box->FindChild("BT_YES"), Qt::LeftButton);
        }
    });
    EXPECT_EQ(
        VxWndMessage::StartMsg(1, "Question", "<b>Save</b> now<?", nullptr, 4, QSize(), false), 6);
    EXPECT_EQ(order, (QStringList{"Format-Fehler", "Question", " Save  now "}));
}

TEST_F(VxWndMessageTest, DefaultsTakeOnlyValidValuesAndServeTheOverloadWithoutLanguage)
{
    VxWndMessage::SetDefaults(1, QSize(500, 200), true, 9, "Arial", 12);
    VxWndMessage::SetDefaults(2, QSize(10, 49), true, 16, "", 0); // all invalid but bold
    QTextCharFormat format;
    VxModalHookGuard guard([&](QWidget &w) {
        auto *info = w.findChild<QTextEdit *>("ED_INFO");
        QTextCursor c(info->document());
        c.setPosition(info->toPlainText().indexOf("Saved") + 1);
        format = c.charFormat();
        EXPECT_EQ(w.size(), QSize(500, 200));
    });
    EXPECT_EQ(VxWndMessage::StartMsg("Info", "Saved", nullptr, 0, QSize()), 2);
    EXPECT_EQ(format.foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(format.fontWeight(), QFont::Bold);
    EXPECT_EQ(format.fontPointSize(), 12);
}
