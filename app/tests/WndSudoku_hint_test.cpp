// The hint in four presses and the rating beside the counters, driven through the main window.
#include "SdkAppTestSupport.h"

#include <QRegularExpression>
#include <QTest>
#include <QThread>

using namespace SdkTest;

namespace {
enum : int { Green = 2, Magenta = 5, LightRed = 12 };

class WndSudokuHint : public WndTest
{
protected:
    void SetUp() override {} // each test opens the window in its language
    void OpenIn(const char *language, const char *hideRating = "0")
    {
        FreshStart(language);
        SetSetting("HideRating", hideRating, "PlayOptions");
        Open(); // active: the key H is a shortcut of the window
        Start();
    }
    void TearDown() override
    {
        GateSolver::OpenGate();
        WaitForRating();
        WndTest::TearDown();
    }
    // The rating runs on a thread of its own; ticks until it is shown (at most 20 s).
    bool WaitForRating()
    {
        return !w || WaitUntil([this] {
            w->EvTimer();
            QThread::msleep(5);
            return !Text("STAT_RATING").contains(QStringLiteral("..."));
        });
    }
    bool Shown(const char *name) { return !w->FindChild(QLatin1String(name))->isHidden(); }
};
} // namespace

// The hint in four presses in either language; the rating is shown beside the counters unless
// it is hidden, and never for a riddle being defined.
TEST_F(WndSudokuHint, FourPressesLookNameProveAndPlaceBesideTheRating)
{
    const struct
    {
        const char *language, *suffix, *look, *technique, *placed;
        bool hideRating;
    } cases[] = {{"English", "en", "Look at ", "Technique", "Value <", false},
                 {"German", "de", "Schauen Sie sich ", "Techni", "Wert <", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.language);
        OpenIn(c.language, c.hideRating ? "1" : "0");
        ASSERT_TRUE(WaitForRating());
        for (const char *name : {"LABEL_RATING", "STAT_RATING", "STAT_RATING_TECHNIQUE"})
            EXPECT_EQ(Shown(name), !c.hideRating) << name;
        EXPECT_EQ(Text("STAT_RATING").contains(QRegularExpression("^\\d+\\.\\d$")), !c.hideRating)
            << Text("STAT_RATING");
        const QString start = Values(w->Game());
        ASSERT_EQ(Pixels(Magenta), 0);

        Press("BT_HINT");
        EXPECT_TRUE(Status().startsWith(QString::fromUtf8(c.look))) << Status();
        EXPECT_GT(Pixels(Magenta), 0) << "the house to look at is outlined";
        Key(Qt::Key_H);
        EXPECT_TRUE(Status().startsWith(QString::fromUtf8(c.technique))) << Status();
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
        SaveScreenshot(*w, QStringLiteral("main_hint_%1").arg(QLatin1String(c.suffix)));

        Press("BT_HINT");
        int changed = 0;
        for (int i = 0; i < 81; ++i) {
            if (Values(w->Game())[i] != start[i]) {
                ++changed;
                EXPECT_EQ(Values(w->Game())[i], QLatin1Char(Solution[i]));
            }
        }
        EXPECT_EQ(changed, 1);
        EXPECT_EQ(w->Game().GetUserStackCount(), 1u) << "recorded like a move";
        EXPECT_TRUE(Status().startsWith(QString::fromUtf8(c.placed))) << Status();
        EXPECT_EQ(Pixels(Magenta), 0) << "the hint is over";
        WndSudokuPeer::FixMode(*w) = true;
        w->EvTimer();
        EXPECT_FALSE(Shown("STAT_RATING"));
        WndSudokuPeer::FixMode(*w) = false;
        TearDown();
        w = nullptr;
    }
}

TEST_F(WndSudokuHint, WrongPlayedValueIsNamedAndNothingIsPlaced)
{
    OpenIn("English");
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
