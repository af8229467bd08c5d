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
    void Convert(const QString &markup, bool reset = true, int breaks = 0)
    {
        VxModalHookGuard guard([this](QWidget &w) {
            messages << w.windowTitle() + "|" + dynamic_cast<QMessageBox &>(w).text();
        });
        VxRichEditUtil::SetFormattedText(&edit, markup, reset, breaks);
    }
    // The format and alignment of the first fragment holding text.
    QTextCharFormat Format(const QString &text, Qt::Alignment *align = nullptr)
    {
        for (QTextBlock b = edit.document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().text().contains(text)) {
                    if (align)
                        *align = b.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
                    return it.fragment().charFormat();
                }
        ADD_FAILURE() << "no fragment with " << text.toStdString();
        return {};
    }
    QString Plain() const { return edit.toPlainText(); }

    QTextEdit edit;
    QStringList messages;
};
} // namespace

TEST(VxRichEditUtilColorTest, NamesAndIndicesOfTheSixteenColours)
{
    const char *names[16] = {"black",    "blue",         "green",      "cyan",
                             "red",      "magenta",      "yellow",     "white",
                             "gray",     "lightblue",    "lightgreen", "lightcyan",
                             "lightred", "lightmagenta", "brown",      "lightgray"};
    for (short i = 0; i < 16; ++i) {
        EXPECT_EQ(VxRichEditUtil::GetColorName(i), names[i]);
        EXPECT_EQ(VxRichEditUtil::GetColorIndex(QString(names[i]).toUpper()), i);
    }
    for (const char *unknown : {"pink", "", " red"})
        EXPECT_EQ(VxRichEditUtil::GetColorIndex(unknown), 0) << unknown;
    EXPECT_EQ(VxRichEditUtil::GetColorName(16), "black");
    EXPECT_EQ(VxRichEditUtil::GetColorName(-1), "black");
}

TEST_F(VxRichEditUtilTest, TagsFormatTheirRunsAndClosingTagsReturnToTheDefault)
{
    Convert("<u>a<i>b</u>c</i>d<b>e</b><col:LightRed>f<col:pink>g<col:BROWN>h</col>i"
            "<size:11>j<size:16>k</size>l<font:Courier New>m</font>n<size:x>o<size:99999>p");
    EXPECT_EQ(Plain(), " a b c d e f g h i j k l m n o p ");
    const struct
    {
        const char *text;
        bool underline, italic, bold;
        QColor colour;
        double size;
    } runs[] = {
        {"a", true, false, false, Qt::black, 0},   {"b", true, true, false, Qt::black, 0},
        {"c", false, true, false, Qt::black, 0},   {"d", false, false, false, Qt::black, 0},
        {"e", false, false, true, Qt::black, 0},   {"f", false, false, false, QColor(255, 0, 0), 0},
        {"g", false, false, false, Qt::black, 0},  {"h", false, false, false, QColor(64, 0, 0), 0},
        {"i", false, false, false, Qt::black, 0},  {"j", false, false, false, Qt::black, 11},
        {"k", false, false, false, Qt::black, 16}, {"l", false, false, false, Qt::black, 0},
        {"o", false, false, false, Qt::black, 0},
    };
    for (const auto &r : runs) {
        const QTextCharFormat f = Format(r.text);
        EXPECT_EQ(f.fontUnderline(), r.underline) << r.text;
        EXPECT_EQ(f.fontItalic(), r.italic) << r.text;
        EXPECT_EQ(f.fontWeight() == QFont::Bold, r.bold) << r.text;
        EXPECT_EQ(f.foreground().color(), r.colour) << r.text;
        EXPECT_EQ(f.fontPointSize(), r.size) << r.text; // never back to an outer value
    }
    EXPECT_EQ(Format("m").fontFamilies().toStringList(), QStringList{"Courier New"});
    EXPECT_FALSE(Format("n").hasProperty(QTextFormat::FontFamilies));
    EXPECT_LE(Format("p").fontPointSize(), 400);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(VxRichEditUtilTest, WordsWithoutValueDoNothingAndUnknownTagsAreText)
{
    Convert("<col:red>a<col>b</col:blue>c<size><font><align>d<b><p>x</p></b><colour:red>");
    EXPECT_EQ(Plain(), " a b c d <p> x </p> <colour:red> ");
    EXPECT_EQ(Format("d").foreground().color(), QColor(128, 0, 0));
    EXPECT_EQ(Format("<p>").fontWeight(), QFont::Bold);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(VxRichEditUtilTest, UnterminatedOrEmptyTagShowsTheTextBeforeItAndReportsOnce)
{
    const QList<QPair<QString, QString>> cases = {
        {"a<b", " a "}, {"<col:blue>one<b>two<<size:5", " one two "}, {"x<>y<b>z</b>", " x "}};
    for (const auto &[markup, shown] : cases) {
        edit.clear();
        messages.clear();
        Convert(markup);
        EXPECT_EQ(Plain(), shown);
        EXPECT_EQ(messages, QStringList{"Format-Fehler|Formatting error in text:\n\n" + markup});
    }
}
