#include "msgbox/VxWndMessage.h"
#include "velox/VxDynButtonBar.h"
#include "velox/VxModal.h"
#include "velox/VxResource.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <functional>
#include <gtest/gtest.h>

namespace {

QStringList ButtonTexts(VxWndMessage &box)
{
    QStringList texts;
    if (auto *bar = dynamic_cast<VxDynButtonBar *>(box.FindChild("BUTTONBAR")))
        for (QPushButton *b : bar->Buttons())
            texts << b->objectName() + QLatin1Char('=') + b->text();
    return texts;
}

// Everything a test wants to know about a box while it runs.
struct Seen
{
    QString title;
    QString text;
    QStringList buttons;
    QString icon;
    QString focus;
    QSize size;
};

class VxWndMessageTest : public ::testing::Test
{
protected:
    void SetUp() override { VxWndMessage::ResetDefaults(); }
    void TearDown() override { VxWndMessage::ResetDefaults(); }

    // Runs StartMsg; the hook records the box and then does what act says (nothing: the user
    // closes the window by its frame).
    unsigned short Run(unsigned short language, unsigned short type, const QString &press,
                       QSize size = QSize(450, 230), bool wrap = false,
                       const QString &text = "<b>Text</b>", const QString &title = "Title")
    {
        VxModalHookGuard guard([&](QWidget &w) {
            auto &box = dynamic_cast<VxWndMessage &>(w);
            seen.title = box.windowTitle();
            seen.text = qobject_cast<QTextEdit *>(box.FindChild("ED_INFO"))->toPlainText();
            seen.buttons = ButtonTexts(box);
            seen.icon = box.GetIconName();
            seen.focus = box.focusWidget() ? box.focusWidget()->objectName() : QString();
            seen.size = box.size();
            if (!press.isEmpty())
                QTest::mouseClick(box.FindChild(press), Qt::LeftButton);
        });
        return VxWndMessage::StartMsg(language, title, text, nullptr, type, size, wrap);
    }

    Seen seen;
};

} // namespace

TEST_F(VxWndMessageTest, EveryButtonGivesItsResult)
{
    struct Row
    {
        unsigned short type;
        const char *button;
        unsigned short result;
    };
    const Row rows[] = {
        {0, "BT_CLOSE", 2}, {1, "BT_OK", 1},     {1, "BT_CANCEL", 2}, {3, "BT_YES", 6},
        {3, "BT_NO", 7},    {3, "BT_CANCEL", 2}, {4, "BT_YES", 6},    {4, "BT_NO", 7},
    };
    for (const Row &r : rows)
        EXPECT_EQ(Run(1, r.type, r.button), r.result) << r.type << " " << r.button;
}

TEST_F(VxWndMessageTest, ClosingByTheFrameGivesNoForYesNoAndCancelOtherwise)
{
    EXPECT_EQ(Run(1, 4, QString()), 7);
    for (unsigned short type : {0, 1, 3, 5, 0x44, 0x13})
        EXPECT_EQ(Run(1, type, QString()), (type & 0x0F) == 4 ? 7 : 2) << type;
}

TEST_F(VxWndMessageTest, ButtonSetsAndTextsInBothLanguages)
{
    Run(0, 3, "BT_YES");
    EXPECT_EQ(seen.buttons, (QStringList{"BT_YES=&Ja", "BT_NO=&Nein", "BT_CANCEL=Abbre&chen"}));
    Run(1, 3, "BT_YES");
    EXPECT_EQ(seen.buttons, (QStringList{"BT_YES=&Yes", "BT_NO=&No", "BT_CANCEL=&Cancel"}));
    Run(0, 0, "BT_CLOSE");
    EXPECT_EQ(seen.buttons, QStringList{"BT_CLOSE=&Schliessen"});
    Run(1, 0, "BT_CLOSE");
    EXPECT_EQ(seen.buttons, QStringList{"BT_CLOSE=&Close"});
    Run(0, 1, "BT_OK");
    EXPECT_EQ(seen.buttons, (QStringList{"BT_OK=&OK", "BT_CANCEL=Abbre&chen"}));
    Run(1, 4, "BT_NO");
    EXPECT_EQ(seen.buttons, (QStringList{"BT_YES=&Yes", "BT_NO=&No"}));
    // Any other language counts as German; other button codes give no buttons.
    Run(7, 4, "BT_NO");
    EXPECT_EQ(seen.buttons, (QStringList{"BT_YES=&Ja", "BT_NO=&Nein"}));
    Run(1, 2, QString());
    EXPECT_TRUE(seen.buttons.isEmpty());
}

TEST_F(VxWndMessageTest, IconsFollowTheTypeAndYesNoTurnsInformationIntoAQuestion)
{
    const QPair<unsigned short, const char *> rows[] = {
        {0x10, "BMP_MBSTOP"},  {0x20, "BMP_MBQUEST"}, {0x30, "BMP_MBEXCLAM"}, {0x40, "BMP_MBINFO"},
        {0x00, "BMP_MBINFO"},  {0x50, "BMP_MBINFO"},  {0x41, "BMP_MBINFO"},   {0x43, "BMP_MBQUEST"},
        {0x04, "BMP_MBQUEST"}, {0x13, "BMP_MBSTOP"},  {0x34, "BMP_MBEXCLAM"},
    };
    for (const auto &[type, icon] : rows) {
        Run(1, type, QString());
        EXPECT_EQ(seen.icon, icon) << type;
    }
}

TEST_F(VxWndMessageTest, DefaultButtonTakesTheFocus)
{
    Run(1, 0x003, QString());
    EXPECT_EQ(seen.focus, "BT_YES");
    Run(1, 0x103, QString());
    EXPECT_EQ(seen.focus, "BT_NO");
    Run(1, 0x203, QString());
    EXPECT_EQ(seen.focus, "BT_CANCEL");
    // A default beyond the buttons there are falls back to the first.
    Run(1, 0x204, QString());
    EXPECT_EQ(seen.focus, "BT_YES");
}

TEST_F(VxWndMessageTest, TitleAndTextAreShown)
{
    Run(1, 0, QString(), QSize(450, 230), false, "<b>Hello</b> world", "Information");
    EXPECT_EQ(seen.title, "Information");
    // Every segment is followed by a blank, so the one before " world" doubles.
    EXPECT_EQ(seen.text, " Hello  world ");
    Run(1, 0, QString(), QSize(450, 230), false, "x", "");
    EXPECT_EQ(seen.title, "VELOX Message");
}

TEST_F(VxWndMessageTest, MalformedMarkupIsReportedAndTheBoxStillAnswers)
{
    QStringList order;
    QString shown;
    VxModalHookGuard guard([&](QWidget &w) {
        order << w.windowTitle();
        if (auto *box = dynamic_cast<VxWndMessage *>(&w)) {
            shown = qobject_cast<QTextEdit *>(box->FindChild("ED_INFO"))->toPlainText();
            QTest::mouseClick(box->FindChild("BT_YES"), Qt::LeftButton);
        }
    });
    EXPECT_EQ(
        VxWndMessage::StartMsg(1, "Question", "<b>Save</b> now<?", nullptr, 4, QSize(), false), 6);
    // The format error comes first, once; the box shows what came before the broken tag.
    EXPECT_EQ(order, (QStringList{"Format-Fehler", "Question"}));
    EXPECT_EQ(shown, " Save  now ");
}

TEST_F(VxWndMessageTest, SmallSizesGiveTheDefaultSize)
{
    Run(1, 0, QString(), QSize(0, 0));
    EXPECT_EQ(seen.size, QSize(350, 150));
    Run(1, 0, QString(), QSize(49, 300));
    EXPECT_EQ(seen.size, QSize(350, 300));
    Run(1, 0, QString(), QSize(400, 230));
    EXPECT_EQ(seen.size, QSize(400, 230));
}

TEST_F(VxWndMessageTest, SetDefaultsTakesOnlyValidValues)
{
    VxWndMessage::SetDefaults(1, QSize(500, 200), true, 12, "Courier New", 14);
    EXPECT_EQ(VxWndMessage::m_stusDefaultLanguage, 1);
    EXPECT_EQ(VxWndMessage::m_stcoDefaultWindowSize, QSize(500, 200));
    EXPECT_TRUE(VxWndMessage::m_stbDefaultBold);
    EXPECT_EQ(VxWndMessage::m_stsDefaultColorIndex, 12);
    EXPECT_EQ(VxWndMessage::m_stcoDefaultFont, "Courier New");
    EXPECT_EQ(VxWndMessage::m_stuiDefaultFontSize, 14u);

    VxWndMessage::SetDefaults(2, QSize(10, 49), false, 16, "", 0);
    EXPECT_EQ(VxWndMessage::m_stusDefaultLanguage, 1);
    EXPECT_EQ(VxWndMessage::m_stcoDefaultWindowSize, QSize(500, 200));
    EXPECT_FALSE(VxWndMessage::m_stbDefaultBold); // bold is always taken
    EXPECT_EQ(VxWndMessage::m_stsDefaultColorIndex, 12);
    EXPECT_EQ(VxWndMessage::m_stcoDefaultFont, "Courier New");
    EXPECT_EQ(VxWndMessage::m_stuiDefaultFontSize, 14u);

    VxWndMessage::SetDefaults(0, QSize(), false, -1, "", 0);
    EXPECT_EQ(VxWndMessage::m_stusDefaultLanguage, 0);
    Run(1, 0, QString(), QSize(0, 0));
    EXPECT_EQ(seen.size, QSize(500, 200));
}

TEST_F(VxWndMessageTest, OverloadWithoutLanguageUsesTheDefaultsAndWraps)
{
    VxWndMessage::SetDefaults(1, QSize(), true, 9, "Arial", 12);
    QColor color;
    QFont::Weight weight = QFont::Normal;
    double size = 0;
    QStringList buttons;
    VxModalHookGuard guard([&](QWidget &w) {
        auto &box = dynamic_cast<VxWndMessage &>(w);
        buttons = ButtonTexts(box);
        auto *info = qobject_cast<QTextEdit *>(box.FindChild("ED_INFO"));
        QTextCursor c(info->document());
        c.setPosition(info->toPlainText().indexOf("Saved") + 1);
        color = c.charFormat().foreground().color();
        weight = QFont::Weight(c.charFormat().fontWeight());
        size = c.charFormat().fontPointSize();
    });
    EXPECT_EQ(VxWndMessage::StartMsg("Info", "Saved", nullptr, 0, QSize()), 2);
    EXPECT_EQ(buttons, QStringList{"BT_CLOSE=&Close"});
    EXPECT_EQ(color, QColor(0, 0, 255));
    EXPECT_EQ(weight, QFont::Bold);
    EXPECT_EQ(size, 12);
}

TEST_F(VxWndMessageTest, WindowComesFromTheDialogLibrarysResourceFile)
{
    VxWndMessage box(1, "Title", "Text", 0, nullptr);
    const QString path = VxConfig::FindFile("stddlg.vxt");
    ASSERT_FALSE(path.isEmpty());
    EXPECT_TRUE(VxResource::IsInstalled(path));
    EXPECT_FALSE(VxResource::FormPath("WND_MESSAGE").isEmpty());
    EXPECT_EQ(box.GetWindowName(), "WND_MESSAGE");
    for (const char *name : {"ED_INFO", "MSGICON", "BUTTONBAR"})
        EXPECT_NE(box.FindChild(name), nullptr) << name;
    EXPECT_EQ(box.FindChild("BUTTONBAR")->window(), &box);
}

TEST_F(VxWndMessageTest, ButtonsSitAtTheBottomRightAndTheTextFillsTheRest)
{
    VxWndMessage box(1, "Title", "Text", 3, nullptr);
    box.resize(450, 300);
    box.Init();
    QWidget *bar = box.FindChild("BUTTONBAR");
    QWidget *info = box.FindChild("ED_INFO");
    ASSERT_TRUE(bar && info);
    const QSize client = box.GetClientSize();
    EXPECT_EQ(bar->geometry().bottom() + 1, client.height() - 5);
    EXPECT_EQ(bar->geometry().right() + 1, client.width() - 5);
    EXPECT_EQ(info->geometry().right() + 1, client.width() - 5);
    EXPECT_EQ(info->geometry().bottom() + 1, client.height() - bar->height() - 10);
    box.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&box));
    const auto buttons = dynamic_cast<VxDynButtonBar *>(bar)->Buttons();
    ASSERT_EQ(buttons.size(), 3);
    for (QPushButton *b : buttons)
        EXPECT_EQ(b->width(), 100);
    EXPECT_EQ(buttons.last()->mapTo(&box, QPoint(buttons.last()->width(), 0)).x(),
              client.width() - 5);
    EXPECT_EQ(box.GetResult(), 0);
    box.Close(true);
}

TEST_F(VxWndMessageTest, BoxIsCentredOnItsParent)
{
    QWidget parent;
    parent.setGeometry(100, 100, 800, 600);
    parent.show();
    QPoint centre;
    VxModalHookGuard guard([&](QWidget &w) { centre = w.frameGeometry().center(); });
    VxWndMessage::StartMsg(1, "T", "x", &parent, 0, QSize(400, 200), false);
    EXPECT_LE((centre - parent.frameGeometry().center()).manhattanLength(), 10);
}
