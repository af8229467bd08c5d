// The window under hostile input: keys, clicks and pastes into the candidate editor, and game
// files that are cut off, binary, oversized, self-contradicting or that name a device or a folder.
#include "SdkGameFlow.h"

#include "velox/VxCtl.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace SdkFlow;
using SdkTest::Riddle;

namespace {

QString FromT(const TString &text)
{
    return QString::fromStdString(text.Str());
}

class Robust : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(install.isValid());
        ASSERT_TRUE(files.isValid());
        FreshStart(install.path());
        Open();
    }
    void TearDown() override { SdkTest::CloseMainWindow(w); }

    void Open()
    {
        w = SdkTest::OpenMainWindow();
        ASSERT_NE(w, nullptr);
        // Focus changes reach only the active window.
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        VxCtl::SetChecked(w->FindChild(QStringLiteral("CHK_VIEW_RS")), false);
        VxCtl::SetChecked(w->FindChild(QStringLiteral("CHK_VIEW_RS_SINGLE")), false);
    }
    void StartRiddle()
    {
        w->Game() = *SdkTest::MakeGame(Riddle);
        w->ValidateStates();
        Tick(*w);
    }
    QLineEdit *Editor() { return w->DrawWindow()->findChild<QLineEdit *>("ED_DIGIT"); }
    // Opens the candidate editor on an empty field of the riddle, with the list it holds.
    QLineEdit *OpenEditor(unsigned row, unsigned column, const char *list = "")
    {
        SdkResultSet set;
        set.FromRsString(TString(list));
        w->Game().SetUserCandidates(set, row, column);
        ClickField(*w, row, column);
        Key(*w, Qt::Key_Return);
        QLineEdit *edit = Editor();
        EXPECT_NE(edit, nullptr);
        EXPECT_TRUE(edit && edit->hasFocus());
        return edit;
    }
    QString Candidates(unsigned row, unsigned column)
    {
        return QString::fromStdString(w->Game().GetUserCandidates(row, column).ToRsString().Str());
    }
    QString File(const QString &name) const { return files.filePath(name); }

    QTemporaryDir install;
    QTemporaryDir files;
    WndSudoku *w = nullptr;
};

} // namespace

// --- The candidate editor -----------------------------------------------------------------------

TEST_F(Robust, EditorKeepsKeysTheBoardWouldActOn)
{
    StartRiddle();
    QLineEdit *edit = OpenEditor(0, 2);
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "12");
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_F2, Qt::Key_PageDown})
        QTest::keyClick(edit, key);
    EXPECT_EQ(Active(*w), 2u);
    EXPECT_EQ(Editor(), edit);
    EXPECT_TRUE(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(Candidates(0, 2), "1,2");
    Tick(*w);
}

TEST_F(Robust, EditorDeleteRemovesTheCharacterAfterTheCursor)
{
    StartRiddle();
    QLineEdit *edit = OpenEditor(0, 2, "1,2,3");
    ASSERT_NE(edit, nullptr);
    QTest::keyClick(edit, Qt::Key_Home);
    // The character the desktop sends with the Delete key.
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Delete, QString(QChar(0x7F)), Qt::NoModifier);
    EXPECT_EQ(edit->text(), ",2,3");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(Candidates(0, 2), "2,3");
    Tick(*w);
}

TEST_F(Robust, EditorRightClickInsideKeepsTheInput)
{
    StartRiddle();
    QLineEdit *edit = OpenEditor(0, 2);
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "45");
    // A right press as the desktop delivers it: the press, then the request for a menu.
    const QPoint inside(3, 3);
    QTest::mousePress(edit, Qt::RightButton, {}, inside);
    QContextMenuEvent request(QContextMenuEvent::Mouse, inside, edit->mapToGlobal(inside));
    QApplication::sendEvent(edit, &request);
    QTest::mouseRelease(edit, Qt::RightButton, {}, inside);
    QWidget *popup = QApplication::activePopupWidget();
    if (popup)
        popup->close();
    EXPECT_EQ(popup, nullptr);
    ASSERT_EQ(Editor(), edit);
    EXPECT_TRUE(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(Candidates(0, 2), "4,5");
    Tick(*w);
}

TEST_F(Robust, EditorPasteKeepsOnlyTheAcceptedCharacters)
{
    StartRiddle();
    QLineEdit *edit = OpenEditor(0, 2, "9");
    ASSERT_NE(edit, nullptr);
    QApplication::clipboard()->setText(QStringLiteral("1a2 b;3x0\n"));
    QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(edit->text(), "912;3");
    QTest::keyClick(edit, Qt::Key_Escape);
    Tick(*w);
}

// --- Hostile game files -------------------------------------------------------------------------

namespace {

// Path, size and modification time of every file below a folder: what a load must not change.
QStringList Snapshot(const QString &folder)
{
    QStringList out;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        out << QStringLiteral("%1 %2 %3")
                   .arg(info.filePath())
                   .arg(info.size())
                   .arg(info.lastModified().toMSecsSinceEpoch());
    }
    out.sort();
    return out;
}

bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

const QByteArray Grid = "*5*346*7----*6--*1*9*5----*9*8----*6-*8---*6---*3*4--*8-*3--*1*7---*2---*"
                        "6-*6----*2*8----*4*1*9--*5----*8--*7*9";

struct HostileFile
{
    const char *name;
    QByteArray content;
    const char *status;
};

} // namespace

TEST_F(Robust, HostileFilesLeaveTheGameAsItWasAndSayWhy)
{
    const char *const notLoaded = "ERROR: The game could not be loaded.";
    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 131 + 7) % 256);
    QByteArray huge = Grid + "FILE:*US:|0*BT:-1*USERRSINC:*USERRSEXC:*";
    huge.append(QByteArray(int(Sudoku::MaxGameFileBytes) + 1 - huge.size(), ' '));
    const HostileFile cases[] = {
        {"cut-in-grid.sdk", Grid.left(100), notLoaded},
        {"cut-in-history.sdk", Grid + "FILE:*US:40026003", notLoaded},
        {"binary.sdk", binary, notLoaded},
        {"binary-after-grid.sdk", Grid + "FILE:*US:4002\x01\xff", notLoaded},
        {"huge.sdk", huge,
         "ERROR: The game could not be loaded: the file is too large for a game."},
        // The first move puts a 5 onto the given 5 at (0, 0); the board shows none of the moves.
        {"contradicting.sdk", Grid + "FILE:*US:5000900210444002|4*BT:-1*",
         "ERROR: The game could not be loaded: the move history of the file does not match its "
         "board."},
    };

    StartRiddle();
    ASSERT_TRUE(w->Game().SetValue(SdkDigit(4), 0, 2));
    const unsigned fixes = w->Game().GetFixCount();
    const QString saved = File("mine.sdk");
    ASSERT_TRUE(w->Game().SaveGame(saved.toStdString(), false, true));
    for (const HostileFile &c : cases)
        ASSERT_TRUE(WriteBytes(File(QLatin1String(c.name)), c.content)) << c.name;
    const QString before = Values(w->Game());
    const QStringList filesBefore = Snapshot(files.path());
    const QStringList gamesBefore = Snapshot(FromT(Sudoku::GetUserGamesPath()));

    for (const HostileFile &c : cases) {
        Script script;
        script.On("VX_FILE_DIALOG", ChooseFile(File(QLatin1String(c.name))));
        Press(*w, "BT_LOAD_GAME");
        EXPECT_EQ(Status(*w), QLatin1String(c.status)) << c.name;
        EXPECT_EQ(script.SeenWindows(), QStringList({"VX_FILE_DIALOG"})) << c.name;
        EXPECT_EQ(Values(w->Game()), before) << c.name;
        EXPECT_EQ(FromT(w->Game().GetFileName()), saved) << c.name;
        EXPECT_EQ(w->Game().GetFixCount(), fixes) << c.name;
        Tick(*w);
    }
    EXPECT_EQ(Snapshot(files.path()), filesBefore);
    EXPECT_EQ(Snapshot(FromT(Sudoku::GetUserGamesPath())), gamesBefore);
}

TEST_F(Robust, FileNamesOfAPipeOrAFolderAreNeverWrittenTo)
{
    // A named pipe stands in for a device: neither is a file a game could be saved to.
    const QString pipe = File("pipe");
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    const QString folder = File("folder");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString games = FromT(Sudoku::GetUserGamesPath());
    ASSERT_FALSE(games.isEmpty());

    for (const QString &named : {pipe, folder}) {
        SdkTest::CloseMainWindow(w);
        w = nullptr;
        // The current game names the pipe or the folder as the file it came from.
        const QByteArray text = Grid + "FILE:" + named.toLocal8Bit() + "*US:|0*BT:-1*";
        ASSERT_TRUE(WriteBytes(games + "/$curr.sdk", text));
        Open();
        EXPECT_GE(w->Game().GetFixCount(), 10u);
        EXPECT_TRUE(w->Game().GetFileName().IsEmpty()) << named.toStdString();

        // Saving asks for a file instead; cancelled, nothing is written anywhere.
        const QStringList before = Snapshot(files.path());
        Script script;
        Press(*w, "BT_SAVE_GAME");
        EXPECT_EQ(script.SeenWindows(), QStringList({"VX_FILE_DIALOG"}));
        EXPECT_EQ(Snapshot(files.path()), before);

        // Loading a file that names them takes the loaded file as the game's file.
        const QString named2 = File("names-it.sdk");
        ASSERT_TRUE(WriteBytes(named2, text));
        Script load;
        load.On("WND_MESSAGE", PressButton("BT_NO"));
        load.On("VX_FILE_DIALOG", ChooseFile(named2));
        load.On("SUDOKU_LOAD_PARAMETERS", PressButton("BT_OK"));
        Press(*w, "BT_LOAD_GAME");
        EXPECT_EQ(FromT(w->Game().GetFileName()), named2);
    }
    struct stat st = {};
    ASSERT_EQ(stat(pipe.toLocal8Bit().constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_TRUE(QDir(folder).isEmpty());
}
