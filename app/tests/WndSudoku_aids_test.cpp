// Play aids through the main window: board tints, pencil marks by Shift+digit, the playing time
// with its pause and file section, statistics, the clipboard, and the hint in four presses with
// the rating beside the counters.
#include "SdkAppTestSupport.h"

#include "engine/SdkSolutionCounter.h"

#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QRegularExpression>
#include <QThread>
#include <QUrl>

using namespace SdkTest;

namespace {
class PlayAids : public WndTest
{
protected:
    void SetUp() override
    {
        WndTest::SetUp();
        Start();
        w->DrawWindow()->setFocus();
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
    void Play(int seconds) // ticks with the clock moving on by a second each
    {
        for (int i = 0; i < seconds; ++i)
            Tick(1000);
    }

    // The rating runs on a thread of its own; ticks until it is shown (at most 20 s).
    bool WaitForRating()
    {
        return WaitUntil([this] {
            w->EvTimer();
            QThread::msleep(5);
            return !Text("STAT_RATING").contains(QStringLiteral("..."));
        });
    }
    bool Shown(const char *name) { return !w->FindChild(QLatin1String(name))->isHidden(); }
};

enum : int { Green = 2, Magenta = 5, LightRed = 12 };

} // namespace

TEST_F(PlayAids, TintsAppearOnlyForTheChosenAidAndNeverHideAConflict)
{
    // Active field (0,0) holds 5; (1,5) holds 5 too, outside its row, column and box.
    const QRgb unit = qRgb(222, 233, 248) & 0xFFFFFF, same = qRgb(255, 228, 130) & 0xFFFFFF;
    const QRgb white = PaletteRgb(7);
    const std::tuple<bool, bool, QList<QRgb>> cases[] = {
        // sameDigit, units, corners
        {false, false, {white, white, white, white}},
        {false, true, {unit, unit, white, white}},
        {true, false, {white, white, same, white}},
        {true, true, {unit, unit, same, white}},
    };
    SetActive(0, 0);
    for (const auto &[sameDigit, units, corners] : cases) {
        w->SetPlayAids({sameDigit, units, false, false});
        const QImage image = Board();
        EXPECT_EQ(QList<QRgb>({Corner(image, 0, 6), Corner(image, 2, 2), Corner(image, 1, 5),
                               Corner(image, 8, 8)}),
                  corners)
            << sameDigit << units;
    }
    // (0,8) can take no digit: lightred as always, and with an aid on a black corner as well.
    w->Game() = *MakeGame("123456780000000009000000000000000000000000000000000000000000000000000000"
                          "900000000");
    ASSERT_TRUE(w->Game().GetField(0, 8).GetResultSet().IsEmpty());
    w->SetPlayAids({});
    EXPECT_EQ(Corner(Board(), 0, 8), PaletteRgb(12));
    w->SetPlayAids({false, true, false, false});
    const QImage image = Board();
    EXPECT_EQ(Corner(image, 0, 8), PaletteRgb(0));
    const QRect inner = FieldRect(*w, 0, 8, 8);
    EXPECT_EQ(image.pixel(inner.bottomRight() - QPoint(2, 2)) & 0xFFFFFF, PaletteRgb(12));
}

TEST_F(PlayAids, ShiftDigitTogglesAManualCandidateOnAnyLayout)
{
    const std::tuple<const char *, int, quint32, const char *, SdkDigit> cases[] = {
        // layout, key, scanCode, text, digit
        {"US", Qt::Key_Exclam, 10, "!", SdkDigit1},
        {"German", Qt::Key_section, 12, "\u00a7", SdkDigit3},
        {"French", Qt::Key_7, 16, "7", SdkDigit7},
        {"keypad", Qt::Key_9, 0, "9", SdkDigit9},
    };
    SetActive(0, 2); // empty
    for (const auto &[layout, key, scanCode, text, digit] : cases) {
        SCOPED_TRACE(layout);
        SendKey(key, Qt::ShiftModifier, scanCode, QString::fromUtf8(text));
        EXPECT_TRUE(w->Game().GetUserCandidates(0, 2).HasValue(digit));
        EXPECT_EQ(Value(0, 2), SdkDigitEmpty);
        SendKey(key, Qt::ShiftModifier, scanCode, QString::fromUtf8(text));
        EXPECT_FALSE(w->Game().GetUserCandidates(0, 2).HasValue(digit));
    }
    // Where the candidate editor would not open, nothing is marked.
    View(true, false);
    SendKey(Qt::Key_Exclam, Qt::ShiftModifier, 10, "!");
    View(false, false);
    SetActive(0, 0); // a given
    SendKey(Qt::Key_Exclam, Qt::ShiftModifier, 10, "!");
    EXPECT_TRUE(w->Game().GetUserCandidates(0, 2).IsEmpty());
    EXPECT_TRUE(w->Game().GetUserCandidates(0, 0).IsEmpty());
    // The key keeps its old meaning there: a digit that fewer than ten givens refuse.
    w->Game() = *MakeGame(FewGivens);
    SetActive(4, 4);
    SendKey(Qt::Key_9, Qt::ShiftModifier, 0, "9");
    EXPECT_TRUE(Status().startsWith("You first have to setup")) << Status();
    Start();
    // A digit without Shift still plays it.
    SetActive(0, 2);
    SendKey(Qt::Key_4, Qt::NoModifier, 13, "4");
    EXPECT_EQ(Value(0, 2), SdkDigit4);
}

TEST_F(PlayAids, DigitCountsShowADigitPlacedNineTimesAsDone)
{
    auto *label = qobject_cast<QLabel *>(Find("STAT_DIGIT_COUNTS"));
    EXPECT_FALSE(label->isVisible());
    w->Game() = *SolutionWithout({0}); // one 5 missing
    w->SetPlayAids({false, false, true, false});
    w->EvTimer();
    ASSERT_TRUE(label->isVisible());
    auto green = [label] {
        const QImage image = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
        return CountColour(image, image.rect(), qRgb(0, 128, 0));
    };
    EXPECT_EQ(label->text().count("&#x2713;"), 8);
    const int eightDone = green();
    ASSERT_TRUE(w->Game().SetValue(SdkDigit5, 0, 0));
    w->EvTimer();
    EXPECT_EQ(label->text().count("&#x2713;"), 9);
    EXPECT_GT(green(), eightDone);
}

// Undo, both redo keys, and Ctrl+O only while loading is enabled.
TEST_F(PlayAids, ShortcutsRunTheirMenuItemsOnlyWhenTheItemsAreEnabled)
{
    SetActive(0, 2); // empty
    Digit(4);
    ASSERT_EQ(Value(0, 2), SdkDigit4);
    for (const QKeyCombination redo : {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y}) {
        Key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Value(0, 2), SdkDigitEmpty);
        Key(redo.key(), redo.keyboardModifiers());
        EXPECT_EQ(Value(0, 2), SdkDigit4);
    }
    Script script;
    w->EnterFixMode(false);
    Key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(script.Seen().isEmpty());
    w->ExitFixMode();
    Key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_FALSE(script.Seen().isEmpty());
}

TEST_F(PlayAids, ADroppedGameFileIsLoadedAsTheLoadCommandDoes)
{
    const QString path = dir.filePath("dropped.sdk");
    ASSERT_TRUE(SolutionWithout({0, 1, 2})->SaveGame(path.toStdString(), false, true));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    Script script("WND_MESSAGE", PressButton("BT_NO"));
    // Qt takes a drop only where the drag has entered and was accepted.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &drop);
    // The load runs once the drop has ended.
    EXPECT_TRUE(QTest::qWaitFor([this] { return w->Game().GetFixCount() == 78u; }, 2000));
    EXPECT_EQ(FromT(w->Game().GetFileName()), path);
}

TEST_F(PlayAids, PlayingTimeRunsPausesWithPAndIsSavedInItsOwnSection)
{
    EXPECT_TRUE(Find("STAT_PLAY_TIME")->isVisible()); // the clock is on by default
    w->SetPlayAids({false, false, false, true});
    Play(5);
    EXPECT_EQ(w->Game().GetPlayTime(), 5u);
    EXPECT_EQ(Text("STAT_PLAY_TIME"), "Playing time: 0:05");
    Key(Qt::Key_P);
    ASSERT_TRUE(w->IsPaused());
    EXPECT_EQ(Corner(Board(), 4, 4), PaletteRgb(15)); // the board is covered
    Play(5);
    EXPECT_EQ(w->Game().GetPlayTime(), 5u);
    QTest::keyClick(w, Qt::Key_P);
    ASSERT_FALSE(w->IsPaused());
    Play(3); // the first tick after the pause only starts the clock again
    EXPECT_EQ(w->Game().GetPlayTime(), 7u);
    // Not while a riddle is defined.
    WndSudokuPeer::FixMode(*w) = true;
    Play(3);
    WndSudokuPeer::FixMode(*w) = false;
    EXPECT_EQ(w->Game().GetPlayTime(), 7u);
    EXPECT_TRUE(FromT(w->Game().WriteStream(false, true)).endsWith("*USERRSEXC:*TIME:7*"));
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
            w->EvTimer();
            ASSERT_TRUE(w->Game().ReadStream(text, false));
        }
        w->EvTimer();
        Play(3);
        w->ValidateStates();
        if (help == Proposal) {
            Press("BT_NEXT_STEP");
        } else {
            if (help == Hint)
                w->FindAction("MN_HINT")->trigger();
            SdkSolutionCounter::Grid grid{}, solution{};
            for (unsigned i = 0; i < 81; ++i)
                grid[i] = uint8_t(Value(i / 9, i % 9));
            ASSERT_GE(SdkSolutionCounter::Count(grid, 1, &solution), 1u);
            for (unsigned i = 0; i < 81; ++i)
                ASSERT_TRUE(grid[i] || w->Game().SetValue(SdkDigit(solution[i]), i / 9, i % 9));
        }
        ASSERT_TRUE(w->Game().IsCompleted());
        w->EvTimer();
    }
    EXPECT_EQ(GetSetting("Predefined2Count", "Statistics"), "2");
    EXPECT_EQ(GetSetting("Predefined2Best", "Statistics"), "3");
    QStringList cells;
    Script script([&cells](QWidget &dialog) {
        for (const char *name : {"STAT_PRE_2_0", "STAT_PRE_2_1", "STAT_PRE_2_2", "STAT_PRE_1_0",
                                 "STAT_PRE_1_1", "STAT_COMP_3_0", "STAT_COMP_4_0"})
            if (auto *label = dialog.findChild<QLabel *>(name))
                cells << label->text();
    });
    w->FindAction("MN_STATISTICS")->trigger();
    EXPECT_EQ(cells, QStringList({"2", "0:03", "0:03", "0", "-", "1", "0"}));
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
    const std::tuple<const char *, QString, unsigned, bool> cases[] = {
        // name, text, fixCount, definition
        {"zeros", line, 30, false},
        {"dots", dots, 30, false},
        {"grid", grid, 30, false},
        {"game text", FromT(MakeGame(Riddle)->WriteStream(false, false)), 30, false},
        {"few givens", "5" + QString(80, '.'), 1, true},
        {"garbage", "Dear diary, today I solved a sudoku.", 0, false},
        {"broken rule", "55" + QString(79, '.'), 0, false},
        {"80 characters", dots.left(80), 0, false},
    };
    for (const auto &[name, text, fixCount, definition] : cases) {
        SCOPED_TRACE(name);
        Start(*SolutionWithout({0}));
        QGuiApplication::clipboard()->setText(text);
        Script script("WND_MESSAGE", PressButton("BT_NO"));
        w->FindAction("MN_PASTE_RIDDLE")->trigger();
        EXPECT_EQ(w->Game().GetFixCount(), fixCount ? fixCount : 80u);
        EXPECT_EQ(WndSudokuPeer::FixMode(*w), definition);
        EXPECT_EQ(Status().startsWith("No riddle in the clipboard"), fixCount == 0);
        if (definition)
            w->ExitFixMode();
    }
    w->Game() = *MakeGame(Riddle);
    w->FindAction("MN_COPY_RIDDLE")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), dots);
}

// The hint in four presses in either language; the rating is shown beside the counters unless
// it is hidden, and never for a riddle being defined.
TEST_F(PlayAids, HintInFourPressesLookNameProveAndPlaceBesideTheRating)
{
    // language, suffix, look, technique, placed, hideRating
    const std::tuple<const char *, const char *, const char *, const char *, const char *, bool>
        cases[] = {{"English", "en", "Look at ", "Technique", "Value <", false},
                   {"German", "de", "Schauen Sie sich ", "Techni", "Wert <", true}};
    for (const auto &[language, suffix, look, technique, placed, hideRating] : cases) {
        SCOPED_TRACE(language);
        FreshStart(language);
        SetSetting("HideRating", hideRating ? "1" : "0", "PlayOptions");
        Open(); // active: the key H is a shortcut of the window
        Start();
        ASSERT_TRUE(WaitForRating());
        for (const char *name : {"LABEL_RATING", "STAT_RATING", "STAT_RATING_TECHNIQUE"})
            EXPECT_EQ(Shown(name), !hideRating) << name;
        EXPECT_EQ(Text("STAT_RATING").contains(QRegularExpression("^\\d+\\.\\d$")), !hideRating)
            << Text("STAT_RATING");
        const QString start = Values(w->Game());
        ASSERT_EQ(Pixels(Magenta), 0);

        Press("BT_HINT");
        EXPECT_TRUE(Status().startsWith(QString::fromUtf8(look))) << Status();
        EXPECT_GT(Pixels(Magenta), 0) << "the house to look at is outlined";
        Key(Qt::Key_H);
        EXPECT_TRUE(Status().startsWith(QString::fromUtf8(technique))) << Status();
        w->FindAction(QStringLiteral("MN_HINT"))->trigger();
        EXPECT_TRUE(Status().endsWith(QLatin1Char('.'))) << Status();
        EXPECT_GT(Pixels(Green), 0) << "the placement is drawn in its own colour";
        // The 8 of box 2 goes to (0,5), whose other candidates 2, 4 and 6 stand in their places.
        const QRect cell = FieldRect(*w, 0, 5, 0);
        for (int d : {2, 4, 6})
            EXPECT_GT(Pixels(0, QRect(cell.left() + (d - 1) % 3 * cell.width() / 3,
                                      cell.top() + (d - 1) / 3 * cell.height() / 3,
                                      cell.width() / 3, cell.height() / 3)),
                      5)
                << d;
        EXPECT_EQ(Values(w->Game()), start) << "explaining sets nothing";
        SaveScreenshot(*w, QStringLiteral("main_hint_%1").arg(QLatin1String(suffix)));

        Press("BT_HINT");
        QString after = start;
        after[5] = QLatin1Char('8');
        EXPECT_EQ(Values(w->Game()), after);
        EXPECT_EQ(w->Game().GetUserStackCount(), 1u) << "recorded like a move";
        EXPECT_TRUE(Status().startsWith(QString::fromUtf8(placed))) << Status();
        EXPECT_EQ(Pixels(Magenta), 0) << "the hint is over";
        WndSudokuPeer::FixMode(*w) = true;
        w->EvTimer();
        EXPECT_FALSE(Shown("STAT_RATING"));
        WndSudokuPeer::FixMode(*w) = false;
        ASSERT_TRUE(WaitForRating());
    }
}

TEST_F(PlayAids, HintNamesAWrongPlayedValueAndPlacesNothing)
{
    // (0,2) takes 4 in the solution; 1 is allowed by the rules.
    ASSERT_TRUE(w->Game().SetValue(SdkDigit1, 0, 2));
    w->EvTimer();
    const QString played = Values(w->Game());
    for (int press = 0; press < 4; ++press) {
        Press("BT_HINT");
        EXPECT_EQ(Status(), "The value in row 1, column 3 does not fit the solution.");
    }
    EXPECT_GT(Pixels(LightRed, FieldRect(*w, 0, 2, 0)), 0);
    EXPECT_EQ(Values(w->Game()), played);
}
