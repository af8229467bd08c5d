// Writes pictures of message boxes as the program shows them, in English and German, for
// people to look at (<build>/screenshots).
#include "msgbox/VxWndMessage.h"
#include "velox/VxModal.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const char *const Title = "N I N E F O L D   S U D O K U";

// The frame of the program's messages: a big blue headline, then the message in light red.
QString Framed(const QString &message)
{
    return QStringLiteral("<size:4>\n</size><size:11>            <font:Arial><size:16><col:blue><b>"
                          "%1 ...</b></size></font><size:4>\n\n</size><size:11><col:lightred><b>"
                          "            ... %2</size></b></col></font>")
        .arg(QLatin1String(Title), message);
}

struct Shot
{
    const char *file;
    unsigned short language;
    const char *title;
    QString text;
    unsigned short type;
    QSize size;
    bool wrap;
};

// Runs the box and keeps a picture of it with a simple title bar drawn above, as a window
// manager would; the offscreen platform draws none.
QImage Take(const Shot &shot)
{
    QImage picture;
    VxModalHookGuard guard([&](QWidget &w) {
        QTest::qWait(10); // let the layout settle before the picture
        const QImage client = w.grab().toImage();
        picture = QImage(client.width() + 2, client.height() + 26, QImage::Format_RGB32);
        picture.fill(QColor(90, 90, 90));
        QPainter p(&picture);
        p.fillRect(1, 1, client.width(), 24, QColor(45, 85, 140));
        p.setPen(Qt::white);
        QFont f("Arial");
        f.setPixelSize(13);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRect(8, 1, client.width() - 16, 24), Qt::AlignVCenter | Qt::AlignLeft,
                   w.windowTitle());
        p.drawImage(1, 25, client);
    });
    VxWndMessage::StartMsg(shot.language, QString::fromUtf8(shot.title), shot.text, nullptr,
                           shot.type, shot.size, shot.wrap);
    return picture;
}

} // namespace

TEST(VxWndMessageScreenshotTest, InformationQuestionAndFormattedMessagesInBothLanguages)
{
    const QString dir = QStringLiteral(NINEFOLD_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(dir));

    const QString colours =
        QStringLiteral("<size:4>\n</size><size:11><align:center><b>Colours</b>\n</align>"
                       "<col:blue>blue</col> <col:green>green</col> <col:red>red</col> "
                       "<col:lightblue>lightblue</col> <col:lightred>lightred</col> "
                       "<col:magenta>magenta</col> <col:brown>brown</col> <col:gray>gray</col>\n"
                       "<u>underlined</u> <i>italic</i> <b>bold</b> <size:16>big</size><size:11> "
                       "<font:Courier New>Courier</font>");
    const Shot shots[] = {
        {"message_info_en.png", 1, "Information",
         Framed("can't be closed while a solution process or a game-creation process is running."),
         0x40, QSize(450, 230), false},
        {"message_info_de.png", 0, "Information",
         Framed("kann nicht beendet werden, solange ein Lösungsprozess oder ein "
                "Spielerzeugungsprozess läuft."),
         0x40, QSize(450, 230), false},
        {"message_question_en.png", 1, "User Request",
         QStringLiteral("<size:4>\n</size><size:11><b>The current game has been changed.</b>\n\n"
                        "Do you want to save it before a new game is started?"),
         0x03, QSize(450, 230), false},
        {"message_question_de.png", 0, "Rückfrage an den Benutzer",
         QStringLiteral("<size:4>\n</size><size:11><b>Das aktuelle Spiel wurde geändert.</b>\n\n"
                        "Soll es gespeichert werden, bevor ein neues Spiel beginnt?"),
         0x03, QSize(450, 230), false},
        {"message_formatted_en.png", 1, "Markup", colours, 0x31, QSize(450, 300), false},
        {"message_formatted_de.png", 0, "Auszeichnung", colours, 0x31, QSize(450, 300), false},
        {"message_wrapped_en.png", 1, "Error", QStringLiteral("The game file could not be read."),
         0x10, QSize(0, 0), true},
    };
    for (const Shot &shot : shots) {
        const QImage picture = Take(shot);
        ASSERT_FALSE(picture.isNull()) << shot.file;
        EXPECT_TRUE(picture.save(QDir(dir).filePath(QLatin1String(shot.file)))) << shot.file;
    }
}
