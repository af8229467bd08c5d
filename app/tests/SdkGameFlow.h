#pragma once

// Helpers of the game-flow tests: a player's clicks and keys on the real main window, the
// modal windows answered by a script, the timer ticked by hand until the engine is idle, and
// scratch folders of games and predefined riddles.

#include "SdkAppTestSupport.h"

#include <QDir>
#include <QHash>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace SdkFlow {

using Answer = std::function<void(QWidget &)>;

// Answers modal windows by their object name, each from its own queue in order. A window
// without a queued answer is left alone, so the framework dismisses it as its close box
// would. Every window seen is recorded with its title and text.
class Script
{
public:
    Script();
    ~Script();
    Script(const Script &) = delete;
    Script &operator=(const Script &) = delete;

    Script &On(const QString &window, Answer answer);
    const QList<SdkTest::ModalAnswer> &Seen() const { return recorder->Seen(); }
    QStringList SeenWindows() const;
    // Answers still queued (a flow that did not open a window it was expected to).
    int Pending() const;

private:
    QHash<QString, std::deque<Answer>> answers;
    std::unique_ptr<SdkTest::ModalRecorder> recorder;
};

// A click on the indicator of a radio button or check box (a layout may stretch the control
// wider than the part that takes clicks).
void Check(QWidget *button);

// Ready-made answers.
Answer PressButton(const char *name);
Answer TickThenPress(const char *radio, const char *button = "BT_OK");
// The file dialog: chooses path and accepts.
Answer ChooseFile(const QString &path);
// The create-type dialog: computed, or predefined at a level.
Answer CreateComputed();
Answer CreatePredefined(int level);
// The parameter dialog: standard severity 1..3 with a fix count and few attempts.
Answer ComputedParameters(int level, int fixCount, int attempts);

// The scratch state every flow starts from: no settings but English, the installation folder
// given (predefined riddles are read from its "PreDefs"), no games.
void FreshStart(const QString &installDir);

// A click on a button as the player does it.
void Press(WndSudoku &w, const char *button);
// Mouse on a field of the board.
void ClickField(WndSudoku &w, unsigned row, unsigned column,
                Qt::MouseButton button = Qt::LeftButton);
// Keys on the board.
void Key(WndSudoku &w, Qt::Key key);
void Digit(WndSudoku &w, int digit);
// Ticks the window until no worker runs and no thread bit is left. The cap is generous and only
// guards against a hang; reaching it fails the test.
bool TickUntilIdle(WndSudoku &w);
void Tick(WndSudoku &w, int count = 1);

QString Title(WndSudoku &w);
QString Status(WndSudoku &w);
// The board as 81 digits, '0' empty.
QString Values(const Sudoku &game);
unsigned Active(WndSudoku &w); // row * 9 + column

// A folder with a few predefined riddles "<name>.0<level>.spd" for each level.
bool MakePreDefs(const QString &installDir, int perLevel);

} // namespace SdkFlow
