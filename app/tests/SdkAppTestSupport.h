#pragma once

// Helpers of the program's widget tests: a scratch state of settings and games, the main window
// opened as the framework opens it, modal windows answered through the modal hook, a player's
// clicks and keys, and bounded waits.

#include "app/WndSudoku.h"
#include "engine/Sudoku.h"

#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
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
    static void CloseGate();
    static void OpenGate();
};

namespace SdkTest {

extern const char Riddle[];   // the classic riddle, row by row, '0' empty
extern const char Solution[]; // its solution

bool InstallBundle();
void SetSetting(const char *name, const QString &value, const char *subKey = nullptr);
QString GetSetting(const char *name, const char *subKey = nullptr);
// No settings but the language and the installation folder (the build folder unless given),
// no games.
void FreshStart(const char *language = "English", const QString &installDir = QString());

std::unique_ptr<Sudoku> MakeGame(const char *text); // 81 digits, started as a new game
std::unique_ptr<Sudoku> SolutionWithout(std::initializer_list<int> empty);
// Predefined riddles "<installDir>/PreDefs/*.0<level>.spd", perLevel of each level.
bool MakePreDefs(const QString &installDir, int perLevel);

// "SUDOKU_MAIN" as the program opens it, with its own timer stopped: tests tick by hand.
WndSudoku *OpenMainWindow(bool firstTick = true);
void CloseMainWindow(WndSudoku *w);

// Polls pred (processing events) until it holds; false after limitMs.
bool WaitUntil(const std::function<bool()> &pred, int limitMs = 20000);
bool WaitForThreadEnd(Sudoku &game);
// Ticks until no worker runs and no thread bit is left; false after the limit.
bool TickUntilIdle(WndSudoku &w);

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
    ~Script();
    Script &On(const QString &window, Reply answer);
    const QList<ModalAnswer> &Seen() const { return seen; }
    QStringList SeenWindows() const;
    int Pending() const;

private:
    QHash<QString, std::deque<Reply>> answers;
    QList<ModalAnswer> seen;
};
using ModalRecorder = Script; // the name tests of other parts know it by

void Check(QWidget *button); // a click on a radio button's or check box's indicator
Reply PressButton(const char *name);
Reply TickThenPress(const char *radio, const char *button = "BT_OK");
Reply ChooseFile(const QString &path);
Reply CreatePredefined(int level);
Reply ComputedParameters(int level, int fixCount, int attempts);

void Press(WndSudoku &w, const char *button);
void ClickField(WndSudoku &w, unsigned row, unsigned column,
                Qt::MouseButton button = Qt::LeftButton);
void Key(WndSudoku &w, Qt::Key key);
void Digit(WndSudoku &w, int digit);
bool Enabled(WndSudoku &w, const char *name);
QString TextOf(WndSudoku &w, const char *name);
QString Title(WndSudoku &w);
QString Status(WndSudoku &w);
QString Values(const Sudoku &game); // 81 digits, '0' empty
unsigned Active(WndSudoku &w);      // row * 9 + column

QImage GrabBoard(WndSudoku &w);
// Device rectangle of a field's inner part (pct % of the field cut away on each side).
QRect FieldRect(WndSudoku &w, unsigned row, unsigned column, int pct = 15);
int CountColour(const QImage &image, const QRect &rect, QRgb colour);
QRgb PaletteRgb(int index);

void SaveScreenshot(QWidget &w, const QString &name); // under <build>/screenshots

} // namespace SdkTest
