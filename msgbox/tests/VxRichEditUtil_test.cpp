#include "msgbox/VxRichEditUtil.h"
#include "velox/VxModal.h"

#include <QMessageBox>
#include <QTextBlock>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

// One character of the converted text with the format it was given.
struct Run
{
    QString text;
    QTextCharFormat format;
    Qt::Alignment align;
};

QList<Run> Runs(const QTextEdit &edit)
{
    QList<Run> runs;
    for (QTextBlock b = edit.document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            runs.append({it.fragment().text(), it.fragment().charFormat(),
                         b.blockFormat().alignment() & Qt::AlignHorizontal_Mask});
    return runs;
}

// The format of the first run that contains text.
Run RunOf(const QTextEdit &edit, const QString &text)
{
    for (const Run &r : Runs(edit))
        if (r.text.contains(text))
            return r;
    ADD_FAILURE() << "no run with " << text.toStdString();
    return {};
}

QColor ColorOf(const QTextEdit &edit, const QString &text)
{
    return RunOf(edit, text).format.foreground().color();
}

// Converts with a hook that records every message box instead of showing it.
class VxRichEditUtilTest : public ::testing::Test
{
protected:
    void Convert(const QString &markup, bool reset = true, int breaks = 0)
    {
        VxModalHookGuard guard([this](QWidget &w) {
            auto &box = dynamic_cast<QMessageBox &>(w);
            messages << box.windowTitle() + QLatin1Char('|') + box.text();
        });
        VxRichEditUtil::SetFormattedText(&edit, markup, reset, breaks);
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
        EXPECT_EQ(VxRichEditUtil::GetColorIndex(names[i]), i);
        EXPECT_EQ(VxRichEditUtil::GetColorIndex(QString(names[i]).toUpper()), i);
    }
    EXPECT_EQ(VxRichEditUtil::GetColorIndex("LightRed"), 12);
    EXPECT_EQ(VxRichEditUtil::GetColorIndex("pink"), 0);
    EXPECT_EQ(VxRichEditUtil::GetColorIndex(""), 0);
    EXPECT_EQ(VxRichEditUtil::GetColorIndex(" red"), 0);
    EXPECT_EQ(VxRichEditUtil::GetColorName(16), "black");
    EXPECT_EQ(VxRichEditUtil::GetColorName(-1), "black");
}

TEST_F(VxRichEditUtilTest, BoldUnderlineAndItalicRunsEachFollowedByABlank)
{
    Convert("<b>A</b>B");
    EXPECT_EQ(Plain(), " A B ");
    EXPECT_EQ(RunOf(edit, "A").format.fontWeight(), QFont::Bold);
    EXPECT_EQ(RunOf(edit, "B").format.fontWeight(), QFont::Normal);

    edit.clear();
    Convert("<u>a<i>b</u>c</i>d");
    EXPECT_EQ(Plain(), " a b c d ");
    EXPECT_TRUE(RunOf(edit, "a").format.fontUnderline());
    EXPECT_FALSE(RunOf(edit, "a").format.fontItalic());
    EXPECT_TRUE(RunOf(edit, "b").format.fontUnderline());
    EXPECT_TRUE(RunOf(edit, "b").format.fontItalic());
    EXPECT_FALSE(RunOf(edit, "c").format.fontUnderline());
    EXPECT_TRUE(RunOf(edit, "c").format.fontItalic());
    EXPECT_FALSE(RunOf(edit, "d").format.fontItalic());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(VxRichEditUtilTest, ColoursByNameIgnoringCaseUnknownNamesAreBlack)
{
    Convert("<col:LightRed>x<col:pink>y<col:BROWN>z<col:yellow>w</col>v");
    EXPECT_EQ(ColorOf(edit, "x"), QColor(255, 0, 0));
    EXPECT_EQ(ColorOf(edit, "y"), QColor(0, 0, 0));
    EXPECT_EQ(ColorOf(edit, "z"), QColor(64, 0, 0));
    EXPECT_EQ(ColorOf(edit, "w"), QColor(255, 255, 0));
    EXPECT_EQ(ColorOf(edit, "v"), QColor(0, 0, 0));
}

TEST_F(VxRichEditUtilTest, SizesAndFontsAndClosingTagsReturnToTheDefaultNotTheOuterValue)
{
    Convert("<size:11>a<size:16>b</size>c<font:Courier New>d</font>e");
    EXPECT_EQ(RunOf(edit, "a").format.fontPointSize(), 11);
    EXPECT_EQ(RunOf(edit, "b").format.fontPointSize(), 16);
    // Not 11: a closing tag never returns to an outer value.
    EXPECT_EQ(RunOf(edit, "c").format.fontPointSize(), 0);
    EXPECT_EQ(RunOf(edit, "d").format.fontFamilies().toStringList(), QStringList{"Courier New"});
    EXPECT_FALSE(RunOf(edit, "e").format.hasProperty(QTextFormat::FontFamilies));

    edit.clear();
    Convert("<size:16>a</size>b<size:x>c<size:-3>d<size:99999>e");
    EXPECT_EQ(RunOf(edit, "b").format.fontPointSize(), 0);
    EXPECT_EQ(RunOf(edit, "c").format.fontPointSize(), 0);
    EXPECT_EQ(RunOf(edit, "d").format.fontPointSize(), 0);
    EXPECT_LE(RunOf(edit, "e").format.fontPointSize(), 400);
}

TEST_F(VxRichEditUtilTest, AlignmentWordsAndTheClosingAlignTag)
{
    Convert("<align:center>c\n<align:justify>j\n<align:RIGHT>r\n</align>l");
    // Centre stays for the justify paragraph; the closing tag goes back to left.
    EXPECT_EQ(RunOf(edit, "c").align, Qt::AlignHCenter);
    EXPECT_EQ(RunOf(edit, "j").align, Qt::AlignHCenter);
    EXPECT_EQ(RunOf(edit, "r").align, Qt::AlignRight);
    EXPECT_EQ(RunOf(edit, "l").align, Qt::AlignLeft);
}

TEST_F(VxRichEditUtilTest, WordsWithoutValueAndClosingTagsWithValueDoNothing)
{
    Convert("<col:red>a<col>b</col:blue>c<size><font><align>d");
    EXPECT_EQ(Plain(), " a b c d ");
    EXPECT_EQ(ColorOf(edit, "d"), QColor(128, 0, 0));
}

TEST_F(VxRichEditUtilTest, UnknownTagsAreShownAsTextInTheCurrentFormat)
{
    Convert("<b><p>x</p></b><colour:red>");
    EXPECT_EQ(Plain(), " <p> x </p> <colour:red> ");
    EXPECT_EQ(RunOf(edit, "<p>").format.fontWeight(), QFont::Bold);
    EXPECT_EQ(RunOf(edit, "<colour").format.fontWeight(), QFont::Normal);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(VxRichEditUtilTest, UnterminatedTagShowsTheTextBeforeItAndReportsOnce)
{
    Convert("a<b");
    EXPECT_EQ(Plain(), " a ");
    EXPECT_EQ(messages, QStringList{"Format-Fehler|Formatting error in text:\n\na<b"});

    edit.clear();
    messages.clear();
    Convert("<col:blue>one<b>two<<size:5");
    EXPECT_EQ(Plain(), " one two ");
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(VxRichEditUtilTest, EmptyTagIsAFormatError)
{
    Convert("x<>y<b>z</b>");
    EXPECT_EQ(Plain(), " x ");
    EXPECT_EQ(messages, QStringList{"Format-Fehler|Formatting error in text:\n\nx<>y<b>z</b>"});
}

TEST_F(VxRichEditUtilTest, LineBreaksAreAppendedAndTheSelectionCanGoBackToTheStart)
{
    Convert("a", true, 2);
    EXPECT_EQ(Plain(), " a\n\n ");
    EXPECT_EQ(edit.textCursor().position(), 0);

    edit.clear();
    Convert("a", false, 1);
    EXPECT_EQ(Plain(), " a\n ");
    EXPECT_EQ(edit.textCursor().position(), Plain().size());

    edit.clear();
    Convert("", true, 3);
    EXPECT_EQ(Plain(), "");

    // Text goes after what the control holds already.
    edit.setPlainText("old");
    Convert("new");
    EXPECT_EQ(Plain(), "oldnew ");
}

TEST_F(VxRichEditUtilTest, HostileInputNeverCrashes)
{
    QString big;
    for (int i = 0; i < 2000; ++i)
        big += "<b><col:red><size:12><x>" + QString::number(i) + "</size></col></b>";
    Convert(big + "<");
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(Plain().contains("1999"));
    edit.clear();
    Convert(QString(5000, '>') + QString(5000, '<'));
    EXPECT_EQ(messages.size(), 2);
    VxRichEditUtil::SetFormattedText(nullptr, "x", true, 0);
}
