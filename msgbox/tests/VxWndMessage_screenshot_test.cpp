// Writes pictures of message boxes as the program shows them, in English and German, for people
// to look at (<build>/screenshots).
#include "msgbox/VxWndMessage.h"
#include "velox/VxModal.h"

#include <QDir>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

TEST(VxWndMessageScreenshotTest, InformationQuestionAndFormattedMessagesInBothLanguages)
{
    const QString dir = QStringLiteral(NINEFOLD_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(dir));
    // The frame of the program's messages: a big blue headline, then the message in light red.
    const QString framed =
        "<size:4>\n</size><size:11>            <font:Arial><size:16><col:blue><b>N "
        "I N E F O L D   S U D O K U ...</b></size></font><size:4>\n\n</size>"
        "<size:11><col:lightred><b>            ... %1</size></b></col></font>";
    const QString colours =
        "<size:11><align:center><b>Colours</b>\n</align><col:blue>blue</col> "
        "<col:green>green</col> "
        "<col:red>red</col> <col:lightred>lightred</col> <col:magenta>magenta</col> "
        "<col:gray>gray</col>\n<u>underlined</u> <i>italic</i> <b>bold</b> <size:16>big</size>";
    const struct
    {
        const char *file;
        unsigned short language;
        QString title, text;
        unsigned short type;
    } shots[] = {
        {"message_info_en", 1, "Information",
         framed.arg(
             "can't be closed while a solution process or a game-creation process is running."),
         0x40},
        {"message_info_de", 0, "Information",
         framed.arg("kann nicht beendet werden, solange ein Lösungsprozess oder ein "
                    "Spielerzeugungsprozess läuft."),
         0x40},
        {"message_question_en", 1, "User Request", "<b>The game has been changed.</b>\n\nSave it?",
         0x03},
        {"message_question_de", 0, "Rückfrage an den Benutzer",
         "<b>Das Spiel wurde geändert.</b>\n\nSpeichern?", 0x03},
        {"message_formatted_en", 1, "Markup", colours, 0x31},
        {"message_formatted_de", 0, "Auszeichnung", colours, 0x31},
    };
    for (const auto &shot : shots) {
        QImage picture;
        VxModalHookGuard guard([&](QWidget &w) {
            QTest::qWait(10); // let the layout settle before the picture
            picture = w.grab().toImage();
        });
        VxWndMessage::StartMsg(shot.language, shot.title, shot.text, nullptr, shot.type,
                               QSize(450, 260), false);
        ASSERT_FALSE(picture.isNull()) << shot.file;
        EXPECT_TRUE(picture.save(QDir(dir).filePath(QString(shot.file) + ".png"))) << shot.file;
    }
}
