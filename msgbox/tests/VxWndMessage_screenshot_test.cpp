// Writes pictures of message boxes as the program shows them, in English and German, for people
// to look at (<build>/screenshots).
#include "msgbox/VxWndMessage.h"
#include "velox/VxModal.h"

#include <QDir>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>
#include <tuple>

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
    // file, language, type, title, text
    const std::tuple<const char *, unsigned short, unsigned short, QString, QString> shots[] = {
        {"message_info_en", 1, 0x40, "Information",
         framed.arg(
             "can't be closed while a solution process or a game-creation process is running.")},
        {"message_info_de", 0, 0x40, "Information",
         framed.arg("kann nicht beendet werden, solange ein Lösungsprozess oder ein "
                    "Spielerzeugungsprozess läuft.")},
        {"message_question_en", 1, 0x03, "User Request",
         "<b>The game has been changed.</b>\n\nSave it?"},
        {"message_question_de", 0, 0x03, "Rückfrage an den Benutzer",
         "<b>Das Spiel wurde geändert.</b>\n\nSpeichern?"},
        {"message_formatted_en", 1, 0x31, "Markup", colours},
        {"message_formatted_de", 0, 0x31, "Auszeichnung", colours}};
    for (const auto &[file, language, type, title, text] : shots) {
        QImage picture;
        VxModalHookGuard guard([&](QWidget &w) {
            QTest::qWait(10); // let the layout settle before the picture
            picture = w.grab().toImage();
        });
        VxWndMessage::StartMsg(language, title, text, nullptr, type, QSize(450, 260), false);
        ASSERT_FALSE(picture.isNull()) << file;
        EXPECT_TRUE(picture.save(QDir(dir).filePath(QString(file) + ".png"))) << file;
    }
}
