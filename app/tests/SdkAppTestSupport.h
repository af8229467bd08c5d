#pragma once

// Helpers of the program's widget tests: a scratch state of settings and games, the main window
// opened as the framework opens it, modal windows answered through the modal hook, a player's
// clicks and keys, and bounded waits.

#include "app/SdkPlatform.h"
#include "app/WndSudoku.h"
#include "engine/Sudoku.h"
#include "velox/VxCtl.h"
#include "velox/VxLink.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline std::ostream &operator<<(std::ostream &os, const QString &text)
{
    return os << text.toStdString();
}

// Reads and sets what the window keeps to itself.
class WndSudokuPeer
{
public:
    static short &Language(WndSudoku &w) { return w.languageIndex; }
    static bool &FixMode(WndSudoku &w) { return w.fixMode; }
    static int SolveLevel(WndSudoku &w) { return w.solveLevel; }
    static bool HasPending(WndSudoku &w)
    {
        TLocker<Sudoku> lock(w.Game());
        return w.pendingSolved != nullptr;
    }
    static unsigned &ActiveRow(WndSudoku &w) { return w.activeRow; }
    static unsigned &ActiveColumn(WndSudoku &w) { return w.activeColumn; }
    static bool MarkActiveField(WndSudoku &w) { return w.markActiveField; }
    static QString &InstallDir(WndSudoku &w) { return w.installDir; }
};

// A solver that reports guess level 2 and then waits until the test opens its gate.
class GateSolver : public SdkDefaultSolver
{
    TDYN_DECLARE(GateSolver)

public:
    bool Run() override;
    static void CloseGate() { gateOpen = false; }
    static void OpenGate() { gateOpen = true; }

private:
    inline static std::atomic<bool> gateOpen{true};
};

namespace SdkTest {

extern const char Riddle[];    // the classic riddle, row by row, '0' empty
extern const char Solution[];  // its solution
extern const char FewGivens[]; // the first three givens of the riddle only

bool InstallBundle();
void SetSetting(const char *name, const QString &value, const char *subKey = nullptr);
QString GetSetting(const char *name, const char *subKey = nullptr);
// No settings but the language and the installation folder (the build folder), no games.
void FreshStart(const char *language = "English");
bool WriteFile(const QString &path, const QByteArray &content); // folders made as needed
inline QString FromT(const TString &text)
{
    return QString::fromStdString(text.Str());
}

std::unique_ptr<Sudoku> MakeGame(const char *text); // 81 digits, started as a new game
std::unique_ptr<Sudoku> SolutionWithout(std::initializer_list<int> empty);
QString Values(const Sudoku &game); // 81 digits, '0' empty
inline bool SetMarks(Sudoku &game, const char *list, unsigned row, unsigned column)
{
    SdkResultSet set;
    set.FromRsString(list); // "1,2"
    return game.SetUserCandidates(set, row, column);
}

void CloseMainWindow(WndSudoku *w);

// Polls pred until it holds; false after limitMs.
bool WaitUntil(const std::function<bool()> &pred, int limitMs = 20000);
// Ticks until no worker runs and no thread bit is left; false after the limit.
bool TickUntilIdle(WndSudoku &w);
// A solve held by the gate after it reported its guess level 2, as the solve button starts it.
bool GatedSolve(WndSudoku &w);

// Modal windows answered through the hook: by object name from queues in order, else by the
// fallback. A window left alone is dismissed as its close box would. All are recorded.
using Reply = std::function<void(QWidget &)>;
struct ModalAnswer
{
    QString window, title, text;
};
class Script
{
public:
    explicit Script(Reply fallback = nullptr);
    Script(const QString &window, Reply answer) : Script() { On(window, std::move(answer)); }
    ~Script();
    Script &On(const QString &window, Reply answer)
    {
        answers[window].push_back(std::move(answer));
        return *this;
    }
    const QList<ModalAnswer> &Seen() const { return seen; }
    QStringList SeenWindows() const;

private:
    QHash<QString, std::deque<Reply>> answers;
    QList<ModalAnswer> seen;
};

void Check(QWidget *button); // a click on a radio button's or check box's indicator
Reply PressButton(const char *name);
Reply ChooseFile(const QString &path);
inline const Reply Reject = [](QWidget &window) { static_cast<QDialog &>(window).reject(); };

// Device rectangle of a field's inner part (pct % of the field cut away on each side).
QRect FieldRect(WndSudoku &w, unsigned row, unsigned column, int pct = 15);
int CountColour(const QImage &image, const QRect &rect, QRgb colour);
QRgb PaletteRgb(int index);
void SaveScreenshot(QWidget &w, const QString &name); // under <build>/screenshots

// The main window opened on fresh settings, active so that focus and shortcuts work, and what a
// player does to it and reads from it.
class WndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FreshStart();
        Open();
    }
    void TearDown() override { CloseMainWindow(w); }
    void Open(bool firstTick = true); // (re)opens the main window on the settings as they are
    void Start(const Sudoku &game);   // a game put in as a load would, and one tick
    void Start(const char *game = Riddle) { Start(*MakeGame(game)); }
    void Tick(int64_t advanceMs = 250) // the window's clock is the test's
    {
        now += advanceMs;
        w->EvTimer();
    }

    void Press(const char *name) { QTest::mouseClick(Find(name), Qt::LeftButton); }
    void Click(unsigned row, unsigned column, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(w->DrawWindow(), button, {}, FieldRect(*w, row, column).center());
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mod = {})
    {
        QTest::keyClick(w->DrawWindow(), key, mod);
    }
    void Digit(int digit) { Key(Qt::Key(Qt::Key_0 + digit)); }
    void View(bool rs, bool single, bool conflicts = true)
    {
        VxCtl::SetChecked(w->FindChild("CHK_VIEW_RS"), rs);
        VxCtl::SetChecked(w->FindChild("CHK_VIEW_RS_SINGLE"), single);
        VxCtl::SetChecked(w->FindChild("CHK_VIEW_CONFLICTS"), conflicts);
    }
    QWidget *Find(const char *name) { return w->FindChild(QLatin1String(name)); }
    QString Text(const char *name) { return VxCtl::GetText(Find(name)); }
    QString Status() { return Text("STAT_STATUS"); }
    QString Title() { return Text("STAT_TITLE"); }
    bool Enabled(const char *name) { return VxCtl::IsEnabled(Find(name)); }
    SdkDigit Value(unsigned row, unsigned column)
    {
        return w->Game().GetField(row, column).GetValue();
    }
    unsigned Active() { return w->ActiveRow() * 9 + w->ActiveColumn(); }
    void SetActive(unsigned row, unsigned column)
    {
        WndSudokuPeer::ActiveRow(*w) = row;
        WndSudokuPeer::ActiveColumn(*w) = column;
    }
    QImage Board()
    {
        return w->DrawWindow()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    // The fill of a field near its top left (0), top right (1) or bottom left (2) corner.
    QRgb Corner(const QImage &image, unsigned row, unsigned column, int corner = 0)
    {
        const QRect r = FieldRect(*w, row, column, 8);
        const QPoint at[] = {r.topLeft() + QPoint(2, 2), r.topRight() + QPoint(-2, 2),
                             r.bottomLeft() + QPoint(2, -2)};
        return image.pixel(at[corner]) & 0xFFFFFF;
    }
    bool Do(bool (WndSudoku::*command)(VxEvent &)) // a command as its menu item runs it
    {
        VxEvent event;
        return (w->*command)(event);
    }
    int Pixels(int colour, const QRect &area = QRect()) // the whole board unless given
    {
        const QImage board = Board();
        return CountColour(board, area.isNull() ? board.rect() : area, PaletteRgb(colour));
    }

    WndSudoku *w = nullptr;
    int64_t now = 1'000'000;
    QTemporaryDir dir; // the test's own files
};

} // namespace SdkTest
