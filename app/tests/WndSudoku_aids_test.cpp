// Play aids through the main window: board tints, digit counts, pencil marks by Shift+digit,
// shortcuts, the playing time with its pause and file section, statistics, clipboard and drops.
#include "SdkGameFlow.h"

#include "base/TOpSystem.h"
#include "engine/SdkSolutionCounter.h"
#include "velox/VxCtl.h"
#include "velox/VxModal.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace SdkTest;
using namespace SdkFlow;

namespace {
const QRgb SameDigitTint = qRgb(255, 228, 130);
const QRgb UnitTint = qRgb(222, 233, 248);
const TString StatisticsKey = TString(SdkRegistryKey) + "\\Statistics";

class PlayAids : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(games.isValid());
        SdkFlow::FreshStart(QCoreApplication::applicationDirPath());
        for (const char *kind : {"Predefined2", "Computed3"})
            for (const char *what : {"Count", "Best", "Total"})
                CurrentOS->DeleteRegistryValue(TOpSystem::RootCurrentUser, StatisticsKey,
                                               TString(kind) + what);
        w = OpenMainWindow();
        ASSERT_NE(w, nullptr);
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        w->SetClock([this] { return now; });
        w->Game() = *MakeGame(Riddle);
        VxCtl::SetFocus(w->DrawWindow());
        Tick(*w);
    }
    void TearDown() override { CloseMainWindow(w); }

    void SetAids(bool sameDigit, bool units, bool counts = false, bool time = false)
    {
        SdkPlayAids aids;
        aids.sameDigit = sameDigit;
        aids.units = units;
        aids.digitCounts = counts;
        aids.playTime = time;
        w->SetPlayAids(aids);
    }
    QRgb Fill(const QImage &image, unsigned row, unsigned column)
    {
        return image.pixel(FieldRect(*w, row, column, 8).topLeft() + QPoint(2, 2)) & 0xFFFFFF;
    }
    // A key as the platform delivers it: the code and text depend on the layout, the scan code
    // (X11 key code) does not.
    void SendKey(int key, Qt::KeyboardModifiers modifiers, quint32 scanCode, const QString &text)
    {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, modifiers, scanCode, 0, 0, text);
            QApplication::sendEvent(w->DrawWindow(), &event);
        }
    }
    // Ticks with the clock moving on by a second each.
    void Play(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            now += 1000;
            Tick(*w);
        }
    }

    QTemporaryDir games;
    WndSudoku *w = nullptr;
    int64_t now = 100000;
};
} // namespace

TEST_F(PlayAids, TintsAppearOnlyForTheChosenAidAndNeverHideAConflict)
{
    // Active field (0,0) holds 5; (1,5) holds 5 too, outside its row, column and box.
    struct Case
    {
        bool sameDigit, units;
        QRgb row, box, sameFive, far;
    };
    const QRgb white = PaletteRgb(7) & 0xFFFFFF;
    const Case cases[] = {
        {false, false, white, white, white, white},
        {false, true, UnitTint, UnitTint, white, white},
        {true, false, white, white, SameDigitTint, white},
        {true, true, UnitTint, UnitTint, SameDigitTint, white},
    };
    for (const Case &c : cases) {
        SetAids(c.sameDigit, c.units);
        const QImage image = GrabBoard(*w);
        SCOPED_TRACE(testing::Message() << c.sameDigit << c.units);
        EXPECT_EQ(Fill(image, 0, 6), c.row & 0xFFFFFF);
        EXPECT_EQ(Fill(image, 2, 2), c.box & 0xFFFFFF);
        EXPECT_EQ(Fill(image, 1, 5), c.sameFive & 0xFFFFFF);
        EXPECT_EQ(Fill(image, 8, 8), c.far & 0xFFFFFF);
    }

    // (0,8) can take no digit: lightred as always, and with an aid on a black corner as well.
    w->Game() = *MakeGame("123456780000000009000000000000000000000000000000000000000000000000000000"
                          "900000000");
    ASSERT_TRUE(w->Game().GetField(0, 8).GetResultSet().IsEmpty());
    SetAids(false, false);
    EXPECT_EQ(Fill(GrabBoard(*w), 0, 8), PaletteRgb(12) & 0xFFFFFF);
    SetAids(false, true);
    const QImage image = GrabBoard(*w);
    EXPECT_EQ(Fill(image, 0, 8), PaletteRgb(0) & 0xFFFFFF);
    const QRect inner = FieldRect(*w, 0, 8, 8);
    EXPECT_EQ(image.pixel(inner.bottomRight() - QPoint(2, 2)) & 0xFFFFFF,
              PaletteRgb(12) & 0xFFFFFF);
}

TEST_F(PlayAids, DigitCountsAreHiddenByDefaultAndShowADigitPlacedNineTimesAsDone)
{
    auto *label = qobject_cast<QLabel *>(w->FindChild("STAT_DIGIT_COUNTS"));
    ASSERT_NE(label, nullptr);
    EXPECT_FALSE(label->isVisible());
    EXPECT_TRUE(w->FindChild("STAT_PLAY_TIME")->isVisible()); // the clock is on by default
    w->Game() = *SolutionWithout({0});                        // one 5 missing
    SetAids(false, false, true);
    Tick(*w);
    ASSERT_TRUE(label->isVisible());
    auto greenPixels = [label] {
        const QImage image = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
        return CountColour(image, image.rect(), qRgb(0, 128, 0));
    };
    EXPECT_EQ(label->text().count("&#x2713;"), 8);
    const int eightDone = greenPixels();
    EXPECT_GT(eightDone, 0);
    ASSERT_TRUE(w->Game().SetValue(SdkDigit5, 0, 0));
    Tick(*w);
    EXPECT_EQ(label->text().count("&#x2713;"), 9);
    EXPECT_GT(greenPixels(), eightDone);
}

TEST_F(PlayAids, ShiftDigitTogglesAManualCandidateOnAnyLayout)
{
    struct Case
    {
        const char *layout;
        int key;
        quint32 scanCode;
        const char *text;
        SdkDigit digit;
    };
    const Case cases[] = {
        {"US", Qt::Key_Exclam, 10, "!", SdkDigit1},
        {"German", Qt::Key_section, 12, "\u00a7", SdkDigit3},
        {"French", Qt::Key_7, 16, "7", SdkDigit7},
        {"keypad", Qt::Key_9, 0, "9", SdkDigit9},
    };
    WndSudokuPeer::ActiveRow(*w) = 0;
    WndSudokuPeer::ActiveColumn(*w) = 2; // empty
    for (const Case &c : cases) {
        SCOPED_TRACE(c.layout);
        SendKey(c.key, Qt::ShiftModifier, c.scanCode, QString::fromUtf8(c.text));
        EXPECT_TRUE(w->Game().GetUserCandidates(0, 2).HasValue(c.digit));
        EXPECT_EQ(w->Game().GetField(0, 2).GetValue(), SdkDigitEmpty);
        SendKey(c.key, Qt::ShiftModifier, c.scanCode, QString::fromUtf8(c.text));
        EXPECT_FALSE(w->Game().GetUserCandidates(0, 2).HasValue(c.digit));
    }

    // Where the candidate editor would not open, nothing is marked.
    VxCtl::SetChecked(w->FindChild("CHK_VIEW_RS"), true);
    SendKey(Qt::Key_Exclam, Qt::ShiftModifier, 10, "!");
    VxCtl::SetChecked(w->FindChild("CHK_VIEW_RS"), false);
    WndSudokuPeer::ActiveColumn(*w) = 0; // a given
    SendKey(Qt::Key_Exclam, Qt::ShiftModifier, 10, "!");
    EXPECT_TRUE(w->Game().GetUserCandidates(0, 2).IsEmpty());
    EXPECT_TRUE(w->Game().GetUserCandidates(0, 0).IsEmpty());

    // A digit without Shift still plays it.
    WndSudokuPeer::ActiveColumn(*w) = 2;
    SendKey(Qt::Key_4, Qt::NoModifier, 13, "4");
    EXPECT_EQ(w->Game().GetField(0, 2).GetValue(), SdkDigit4);
}

TEST_F(PlayAids, ShortcutsRunTheirMenuItemsOnlyWhenTheItemsAreEnabled)
{
    EXPECT_EQ(w->FindAction("MN_SAVE_GAME_AS")->shortcut().toString(), "Ctrl+Shift+S");
    EXPECT_EQ(w->FindAction("MN_DOCUMENTATION")->shortcut().toString(), "F1");
    WndSudokuPeer::ActiveColumn(*w) = 2; // (0,2) is empty
    Digit(*w, 4);
    ASSERT_EQ(w->Game().GetField(0, 2).GetValue(), SdkDigit4);
    const std::pair<Qt::Key, Qt::KeyboardModifiers> redoKeys[] = {
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier}, {Qt::Key_Y, Qt::ControlModifier}};
    for (const auto &[key, modifiers] : redoKeys) {
        QTest::keyClick(w->DrawWindow(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(w->Game().GetField(0, 2).GetValue(), SdkDigitEmpty);
        QTest::keyClick(w->DrawWindow(), key, modifiers);
        EXPECT_EQ(w->Game().GetField(0, 2).GetValue(), SdkDigit4);
    }

    // In definition mode loading is disabled, and so is Ctrl+O.
    Script script;
    w->EnterFixMode(false);
    QTest::keyClick(w->DrawWindow(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(script.Seen().isEmpty());
    w->ExitFixMode();
    QTest::keyClick(w->DrawWindow(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_FALSE(script.Seen().isEmpty());
}

TEST_F(PlayAids, PlayingTimeRunsPausesWithPAndIsSavedInItsOwnSection)
{
    SetAids(false, false, false, true);
    Play(5);
    EXPECT_EQ(w->Game().GetPlayTime(), 5u);
    EXPECT_EQ(TextOf(*w, "STAT_PLAY_TIME"), "Playing time: 0:05");

    QTest::keyClick(w->DrawWindow(), Qt::Key_P);
    ASSERT_TRUE(w->IsPaused());
    EXPECT_EQ(Fill(GrabBoard(*w), 4, 4), PaletteRgb(15) & 0xFFFFFF); // the board is covered
    Play(5);
    EXPECT_EQ(w->Game().GetPlayTime(), 5u);
    QTest::keyClick(w, Qt::Key_P);
    ASSERT_FALSE(w->IsPaused());
    Play(3); // the first tick after the pause only starts the clock again
    EXPECT_EQ(w->Game().GetPlayTime(), 7u);

    const QString path = games.filePath("timed.sdk");
    ASSERT_TRUE(w->Game().SaveGame(path.toStdString(), false, true));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.endsWith("*USERRSEXC:*TIME:7*")) << text.toStdString();
    Sudoku back;
    ASSERT_TRUE(back.LoadGame(path.toStdString(), false, true));
    EXPECT_EQ(back.GetPlayTime(), 7u);
    // A broken time leaves the game readable, without a time.
    QByteArray broken = text;
    broken.replace("TIME:7*", "TIME:7x*");
    ASSERT_TRUE(back.ReadStream(broken.toStdString(), false));
    EXPECT_EQ(back.GetFixCount(), 30u);
    EXPECT_EQ(back.GetPlayTime(), 0u);
}

// Each riddle arrives as the program brings it and is finished after three seconds; it counts
// only when nothing helped, also when it was saved and read back in between.
TEST_F(PlayAids, OnlyARiddleFinishedWithoutHelpEntersTheStatistics)
{
    enum Arrival { Predefined, Computed, ReadBack };
    enum Help { None, Proposal, Hint };
    const std::pair<Arrival, Help> cases[] = {{Predefined, None}, {Computed, None},
                                              {ReadBack, None},   {Predefined, Proposal},
                                              {ReadBack, Hint},   {Computed, Hint}};
    for (const auto &[arrival, help] : cases) {
        SCOPED_TRACE(int(arrival) * 10 + int(help));
        w->Game() = *SolutionWithout({0});
        if (arrival == Computed) {
            w->ExpectComputedRiddle(3);
            // Random givens: a round may find no riddle with one solution.
            bool created = false;
            for (int round = 0; round < 20 && !created; ++round)
                created = w->Game().CreateGame(30, 100, 0, -1, 0);
            ASSERT_TRUE(created);
        } else {
            w->SetRiddleOrigin(1, 2);
        }
        if (arrival == ReadBack) {
            const TString text = w->Game().WriteStream(false, true);
            w->Game() = *MakeGame(Riddle);
            Tick(*w);
            ASSERT_TRUE(w->Game().ReadStream(text, false));
        }
        Tick(*w);
        Play(3);
        w->ValidateStates();
        if (help == Proposal) {
            Press(*w, "BT_NEXT_STEP");
        } else {
            if (help == Hint)
                w->FindAction("MN_HINT")->trigger();
            SdkSolutionCounter::Grid grid{}, solution{};
            for (unsigned i = 0; i < 81; ++i)
                grid[i] = uint8_t(w->Game().GetField(i / 9, i % 9).GetValue());
            ASSERT_GE(SdkSolutionCounter::Count(grid, 1, &solution), 1u);
            for (unsigned i = 0; i < 81; ++i) {
                if (!grid[i]) {
                    ASSERT_TRUE(w->Game().SetValue(SdkDigit(solution[i]), i / 9, i % 9));
                }
            }
        }
        ASSERT_TRUE(w->Game().IsCompleted());
        Tick(*w);
    }
    auto stat = [](const char *name) {
        return CurrentOS->ReadRegistryValue(TOpSystem::RootCurrentUser, StatisticsKey, name);
    };
    EXPECT_EQ(stat("Predefined2Count"), "2");
    EXPECT_EQ(stat("Predefined2Best"), "3");
    EXPECT_EQ(stat("Computed3Count"), "1");

    QStringList cells;
    ModalRecorder recorder([&cells](QWidget &dialog) {
        for (const char *name : {"STAT_PRE_2_0", "STAT_PRE_2_1", "STAT_PRE_1_0"})
            cells << dialog.findChild<QLabel *>(name)->text();
    });
    w->FindAction("MN_STATISTICS")->trigger();
    EXPECT_EQ(cells, QStringList({"2", "0:03", "0"}));
}

TEST_F(PlayAids, PasteTakesEachFormatAndRefusesAnythingElse)
{
    const QString line = QString::fromLatin1(Riddle);
    const QString dots = QString(line).replace('0', '.');
    QString grid;
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c)
            grid += QString(c % 3 == 0 && c ? " | " : " ") + dots[r * 9 + c];
        grid += r == 2 || r == 5 ? "\n-------+-------+-------\n" : "\n";
    }
    struct Case
    {
        const char *name;
        QString text;
        unsigned fixCount; // 0: refused
        bool definition;
    };
    const Case cases[] = {
        {"zeros", line, 30, false},
        {"dots", dots, 30, false},
        {"dashes", QString(line).replace('0', '-'), 30, false},
        {"grid", grid, 30, false},
        {"game text", QString::fromStdString(MakeGame(Riddle)->WriteStream(false, false).Str()), 30,
         false},
        {"few givens", "5" + QString(80, '.'), 1, true},
        {"garbage", "Dear diary, today I solved a sudoku.", 0, false},
        {"broken rule", "55" + QString(79, '.'), 0, false},
        {"80 characters", dots.left(80), 0, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        w->Game() = *SolutionWithout({0});
        w->ValidateStates();
        Tick(*w);
        QGuiApplication::clipboard()->setText(c.text);
        Script script;
        script.On("WND_MESSAGE", PressButton("BT_NO"));
        w->FindAction("MN_PASTE_RIDDLE")->trigger();
        EXPECT_EQ(w->Game().GetFixCount(), c.fixCount ? c.fixCount : 80u);
        EXPECT_EQ(WndSudokuPeer::FixMode(*w), c.definition);
        EXPECT_EQ(TextOf(*w, "STAT_STATUS").startsWith("No riddle in the clipboard"),
                  c.fixCount == 0);
        if (c.definition)
            w->ExitFixMode();
    }
    w->Game() = *MakeGame(Riddle);
    w->FindAction("MN_COPY_RIDDLE")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), dots);
}

TEST_F(PlayAids, ADroppedGameFileIsLoadedAsTheLoadCommandDoes)
{
    const QString path = games.filePath("dropped.sdk");
    ASSERT_TRUE(SolutionWithout({0, 1, 2})->SaveGame(path.toStdString(), false, true));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    Script script;
    script.On("WND_MESSAGE", PressButton("BT_NO"));
    // Qt takes a drop only where the drag has entered and was accepted.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &drop);
    EXPECT_TRUE(drop.isAccepted());
    // The load runs once the drop has ended.
    for (int i = 0; i < 100 && w->Game().GetFixCount() != 78u; ++i)
        QTest::qWait(10);
    EXPECT_EQ(w->Game().GetFixCount(), 78u) << script.SeenWindows().join(", ").toStdString();
    EXPECT_EQ(QString::fromStdString(w->Game().GetFileName().Str()), path);
}

TEST_F(PlayAids, ScreenshotsShowEveryAidInBothLanguages)
{
    for (const char *language : {"en", "de"}) {
        WndSudokuPeer::Language(*w) = QLatin1String(language) == "en" ? 1 : 0;
        w->Localize();
        w->Game() = *MakeGame(Riddle);
        for (int i : {2, 3, 5, 10, 11})
            ASSERT_TRUE(
                w->Game().SetValue(SdkDigit(Solution[i] - '0'), unsigned(i / 9), unsigned(i % 9)));
        SdkResultSet marks;
        marks.AddValue(SdkDigit1);
        marks.AddValue(SdkDigit2);
        ASSERT_TRUE(w->Game().SetUserCandidates(marks, 2, 0));
        WndSudokuPeer::ActiveRow(*w) = 0;
        WndSudokuPeer::ActiveColumn(*w) = 0;
        SetAids(true, true, true, true);
        Play(75);
        w->ValidateStates();
        EXPECT_EQ(TextOf(*w, "STAT_PLAY_TIME"),
                  QLatin1String(language) == "en" ? "Playing time: 1:15" : "Spielzeit: 1:15");
        SaveScreenshot(*w, QStringLiteral("main_aids_%1").arg(language));

        ModalRecorder recorder([language](QWidget &dialog) {
            SaveScreenshot(dialog, QStringLiteral("options_aids_%1").arg(language));
        });
        w->FindAction("MN_GAME_OPTIONS")->trigger();
    }
}
