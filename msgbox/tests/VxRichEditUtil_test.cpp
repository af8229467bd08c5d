#include "msgbox/VxRichEditUtil.h"
#include "velox/VxModal.h"

#include <QMessageBox>
#include <QTextBlock>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {
// Converts with a hook that records every message box instead of showing it.
class VxRichEditUtilTest : public ::testing::Test
{
protected:
    void Convert(const QString &markup)
    {
        edit.clear();
        messages.clear();
        VxModalHookGuard guard([this](QWidget &w) {
            messages << w.windowTitle() + "|" + dynamic_cast<QMessageBox &>(w).text();
        });
        VxRichEditUtil::SetFormattedText(&edit, markup, true, 0);
    }
    // The format of the first fragment holding text.
    QTextCharFormat Format(const QString &text)
    {
        for (QTextBlock b = edit.document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().text().contains(text))
                    return it.fragment().charFormat();
        ADD_FAILURE() << "no fragment with " << text.toStdString();
        return {};
    }
    // Underline, italic and bold as "uib", then colour and point size (0: the edit's own).
    QString Style(const QString &text)
    {
        const QTextCharFormat f = Format(text);
        return QString("%1%2%3 %4 %5")
            .arg(f.fontUnderline() ? "u" : "", f.fontItalic() ? "i" : "",
                 f.fontWeight() == QFont::Bold ? "b" : "",
                 f.foreground().color().name(QColor::HexArgb))
            .arg(f.fontPointSize());
    }

    QTextEdit edit;
    QStringList messages;
};
} // namespace

// Names and indices of the sixteen colours lead to each other; the markup tests read the names.
TEST(VxRichEditUtilColorTest, NamesAndIndicesOfTheSixteenColoursLeadToEachOther)
{
    for (short i = 0; i < 16; ++i)
        EXPECT_EQ(VxRichEditUtil::GetColorIndex(VxRichEditUtil::GetColorName(i).toUpper()), i);
    EXPECT_EQ(VxRichEditUtil::GetColorName(12), "lightred");
    for (const char *unknown : {"pink", "", " red"})
        EXPECT_EQ(VxRichEditUtil::GetColorIndex(unknown), 0) << unknown;
    EXPECT_EQ(VxRichEditUtil::GetColorName(16), "black");
    EXPECT_EQ(VxRichEditUtil::GetColorName(-1), "black");
}

TEST_F(VxRichEditUtilTest, TagsFormatTheirRunsAndClosingTagsReturnToTheDefault)
{
    Convert("<u>a<i>b</u>c</i>d<b>e</b><col:LightRed>f<col:pink>g<col:BROWN>h</col>i"
            "<size:11>j<size:16>k</size>l<font:Courier New>m</font>n<size:x>o<size:99999>p");
    EXPECT_EQ(edit.toPlainText(), " a b c d e f g h i j k l m n o p ");
    QStringList styles;
    for (const QString run : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "o"})
        styles << run + ":" + Style(run);
    // A closing size never goes back to an outer value.
    EXPECT_EQ(styles,
              (QStringList{"a:u #ff000000 0", "b:ui #ff000000 0", "c:i #ff000000 0",
                           "d: #ff000000 0", "e:b #ff000000 0", "f: #ffff0000 0", "g: #ff000000 0",
                           "h: #ff400000 0", "i: #ff000000 0", "j: #ff000000 11", "k: #ff000000 16",
                           "l: #ff000000 0", "o: #ff000000 0"}));
    EXPECT_EQ(Format("m").fontFamilies().toStringList(), QStringList{"Courier New"});
    EXPECT_FALSE(Format("n").hasProperty(QTextFormat::FontFamilies));
    EXPECT_LE(Format("p").fontPointSize(), 400);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(VxRichEditUtilTest, WordsWithoutValueDoNothingAndUnknownTagsAreText)
{
    Convert("<col:red>a<col>b</col:blue>c<size><font><align>d<b><p>x</p></b><colour:red>");
    EXPECT_EQ(edit.toPlainText(), " a b c d <p> x </p> <colour:red> ");
    EXPECT_EQ(Format("d").foreground().color(), QColor(128, 0, 0));
    EXPECT_EQ(Format("<p>").fontWeight(), QFont::Bold);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(VxRichEditUtilTest, UnterminatedOrEmptyTagShowsTheTextBeforeItAndReportsOnce)
{
    const QList<QPair<QString, QString>> cases = {
        {"a<b", " a "}, {"<col:blue>one<b>two<<size:5", " one two "}, {"x<>y<b>z</b>", " x "}};
    for (const auto &[markup, shown] : cases) {
        Convert(markup);
        EXPECT_EQ(edit.toPlainText(), shown);
        EXPECT_EQ(messages, QStringList{"Format-Fehler|Formatting error in text:\n\n" + markup});
    }
}
