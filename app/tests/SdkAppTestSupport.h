#pragma once

// Helpers of the program's widget tests: the resource bundle, the settings and the current
// game of the scratch home, the main window opened as the framework opens it, message boxes
// answered through the modal hook, and access to the window's inner state.

#include "app/WndSudoku.h"
#include "engine/Sudoku.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// Reads and sets what the window keeps to itself.
class WndSudokuPeer
{
public:
    static short &Language(WndSudoku &w) { return w.languageIndex; }
    static bool &FixMode(WndSudoku &w) { return w.fixMode; }
    static int SolveLevel(WndSudoku &w) { return w.solveLevel; }
    static unsigned LoadingDepth(WndSudoku &w) { return w.loadingDepth; }
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

// A solver that reports guess level 2 and then waits until the test opens its gate, so that
// a test sees the window while a solve runs.
class GateSolver : public SdkDefaultSolver
{
    TDYN_DECLARE(GateSolver)

public:
    bool Run() override;
    static void CloseGate();
    static void OpenGate();
};

namespace SdkTest {

// The classic riddle and its solution, row by row ('0' = empty).
extern const char Riddle[];
extern const char Solution[];

// Installs NinefoldSudoku.vxt with the link table; true on success.
bool InstallBundle();

// Settings of the program's key.
void SetSetting(const char *name, const QString &value);
QString GetSetting(const char *name);
void ClearSettings();
// Removes the games folder with the current game.
void ClearGames();
// A fresh scratch state: no settings but the language, no games.
void FreshStart(const char *language = "English");

// A game whose given digits are those of text (81 digits, '0' empty), started as a new game.
std::unique_ptr<Sudoku> MakeGame(const char *text);
// The solution with every field given except those listed as row*9+column.
std::unique_ptr<Sudoku> SolutionWithout(std::initializer_list<int> empty);
// Stores game as the current game "$curr.sdk".
bool SaveAsCurrent(const Sudoku &game);

// Opens "SUDOKU_MAIN" as the program does, shown at a fixed size, with its own timer stopped
// so that the test ticks by hand (EvTimer). The first tick (start-up work) is done.
WndSudoku *OpenMainWindow(bool firstTick = true, QSize size = QSize(900, 660));
void CloseMainWindow(WndSudoku *w);

// Ticks until pred holds or the engine's worker has ended; no time limit is asserted.
void WaitForThreadEnd(Sudoku &game);

// Message boxes and dialogs answered by the hook.
struct ModalAnswer
{
    QString window; // object name of the modal window
    QString title;  // its window title
    QString text;   // the text shown (message boxes)
};
class ModalRecorder
{
public:
    // answer is called with each window before it is dismissed; it may press buttons.
    explicit ModalRecorder(std::function<void(QWidget &)> answer = nullptr);
    ~ModalRecorder();
    const QList<ModalAnswer> &Seen() const { return seen; }

private:
    QList<ModalAnswer> seen;
};

QString TextOf(WndSudoku &w, const char *name);
// The board as the screen shows it.
QImage GrabBoard(WndSudoku &w);
// Device rectangle of a field's inner part (a margin of pct % of the field cut away).
QRect FieldRect(WndSudoku &w, unsigned row, unsigned column, int pct = 15);
// Number of pixels of exactly that colour in a rectangle of the image.
int CountColour(const QImage &image, const QRect &rect, QRgb colour);
QRgb PaletteRgb(int index);

// Saves a screenshot of the window under the build tree.
void SaveScreenshot(QWidget &w, const QString &name);

} // namespace SdkTest
