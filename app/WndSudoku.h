#pragma once

// The main window: owns the one game of the run, draws its board, turns the engine's events into
// display on a 20 ms timer and offers the game's commands.
//
// Files by concern: WndSudoku.cpp (life cycle), WndSudoku_timer.cpp (state machine, enabling,
// title line), WndSudoku_notify.cpp (engine events, status line, speed bar), WndSudoku_board.cpp
// (geometry and drawing), WndSudoku_commands.cpp, WndSudoku_input.cpp, WndSudoku_settings.cpp,
// WndSudoku_language.cpp, WndSudoku_help.cpp, WndSudoku_print.cpp, WndSudoku_aids.cpp (play aids,
// pencil keys, shortcuts), WndSudoku_clock.cpp (playing time, pause, statistics),
// WndSudoku_clipboard.cpp (copy, paste, dropped files), WndSudoku_hint.cpp (hint and rating).

#include "app/SdkTexts.h"
#include "app/SdkWndOptions.h"
#include "base/GGeometry.h"
#include "base/TMutex.h"
#include "base/TOpSystem.h"
#include "booklet/SdkBookletRiddles.h"
#include "engine/Sudoku.h"
#include "velox/VxDraw.h"
#include "velox/VxEvent.h"
#include "velox/VxLink.h"
#include "velox/VxWFrame.h"

#include <QFont>
#include <QPointer>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QDragEnterEvent;
class QDropEvent;
class QLineEdit;
class QMenu;

// Timer state bits: what EvTimer still has to do.
enum SdkTimerState : unsigned short {
    TS_SOLVE = 0x0001,          // automatic solution runs or has just ended
    TS_SOLUTION = 0x0002,       // playback of the solution runs or has just ended
    TS_NEXT_STEP = 0x0004,      // a proposal is computed or has just been
    TS_CREATE = 0x0008,         // a riddle is computed or has just been
    TS_EDIT_DONE = 0x0010,      // remove the in-place candidate editor
    TS_STATUS_TIMEOUT = 0x0020, // clear the status line once its time-out has passed
    TS_STARTUP = 0x0100,        // deferred start-up work
    TS_ASK_LANGUAGE = 0x0200,   // ask for the language during the start-up work
    TS_VERSION_CHECK = 0x0400,  // compare the stored program version
    TS_DESTROY = 0x0800,        // destroy the main window
};

// The settings key of the program (root 2 of CurrentOS).
inline constexpr char SdkRegistryKey[] = "Software\\Orbel\\Ninefold Sudoku";

class WndSudoku : public VxWFrame
{
    TDYN_DECLARE(WndSudoku)

public:
    // The one the framework uses when it creates the window by class name.
    WndSudoku();
    // The same, then builds "SUDOKU_MAIN" into this object.
    explicit WndSudoku(QWidget *parent);
    ~WndSudoku() override;
    WndSudoku(const WndSudoku &) = delete;
    WndSudoku &operator=(const WndSudoku &) = delete;

    Sudoku &Game() { return *game; }
    const Sudoku &Game() const { return *game; }
    short GetLanguage() const { return languageIndex < 0 ? 0 : languageIndex; }
    unsigned ActiveRow() const { return activeRow; }
    unsigned ActiveColumn() const { return activeColumn; }
    VxWindowTimer &WindowTimer() { return windowTimer; }
    // The clock of the timer and the status line, in milliseconds; tests replace it.
    void SetClock(std::function<int64_t()> clock);

    // --- Framework events and the generic close ----------------------------------------
    bool EvInit() override;
    bool EvClose() override;
    bool EvDestroy() override;
    bool EvTimer() override;
    bool EvSize() override { return true; }
    bool DoExit(VxEvent &event);

    // --- Timer state (each under timerMutex) -------------------------------------------
    unsigned short GetTimerState() const;
    bool HasTimerState(unsigned short bits) const;
    void AddTimerState(unsigned short bits);
    void RemoveTimerState(unsigned short bits);

    // --- State machine, enabling, title line -------------------------------------------
    void UpdateRunningState();
    void ValidateStates();
    void ValidateStatesForThread(bool nextStep, bool create);
    void ViewAsDefinition(bool withStatus);
    void ViewAsIncompleted();
    void ViewAsCompleted(bool withStatus);
    void RedrawGame(bool update);

    // --- Engine notifications (any thread: they only store values) ---------------------
    bool NotifyTryCreatedGame(SdkParam &param);
    bool NotifyLoadingStarted(SdkParam &param);
    bool NotifyLoadingEnded(SdkParam &param);
    bool NotifySolveStarted(SdkParam &param);
    bool NotifySolveEnded(SdkParam &param);
    bool NotifyValueSolved(SdkParam &param);
    bool NotifyTestValue(SdkParam &param);

    // --- Status line and speed bar -----------------------------------------------------
    void Status(const QString &text, short colour, short seconds);
    void EmptyStatus();
    void SetStatusAfterStep(SdkDigit digit, unsigned row, unsigned column);
    void AlignTitleFields();
    bool ScrollSolutionSpeed(VxEventWnd &event);

    // --- Board geometry and drawing ----------------------------------------------------
    static constexpr double FieldSize = 1000.0;
    static bool GetBox(const GScale &scale, GPoint &p1, GPoint &p2, unsigned row, unsigned column);
    static bool GetBox(const GScale &scale, GPoint &p1, GPoint &p2, const GPoint &point);
    static bool GetRowCol(const GScale &scale, const GPoint &point, unsigned &row,
                          unsigned &column);
    static bool GetRowCol(const GScale &scale, const GPoint &p1, const GPoint &p2, unsigned &row,
                          unsigned &column);
    static bool GetRowCol(const GScale &scale, const GDoubleBox &box, unsigned &row,
                          unsigned &column);
    static void BoxToGPoints(GPoint &p1, GPoint &p2, const GDoubleBox &box);
    static void GPointsToBox(GDoubleBox &box, const GPoint &p1, const GPoint &p2);
    VxWDraw *DrawWindow() const;
    VxCntDraw *DrawContent() const;
    // The whole board, drawn from a copy of the game taken under its lock.
    void Draw(VxCntDraw &content, VxVectorDrawArea &area);
    void DrawFields(const Sudoku &game, VxVectorDrawArea &area, bool printing);
    void DrawDigits(const Sudoku &game, VxVectorDrawArea &area, bool printing);
    void DrawResultSets(const Sudoku &game, VxVectorDrawArea &area, bool printing);
    void DrawFieldResultSet(VxVectorDrawArea &area, unsigned row, unsigned column,
                            const SdkResultSet &set, const QColor &colour, bool showMarkers,
                            bool isDouble);
    void InitEditFont();
    bool SdkRedraw(VxEventDraw &event);
    // Serves the board's set-focus and kill-focus alike.
    bool SdkDrawSetFocus(VxEvent &event);
    bool CalcGameFocusRect(VxEvent2Res &event);

    // --- Game commands -----------------------------------------------------------------
    bool DoNewGame(VxEvent &event);
    bool DoFinishNewGame(VxEvent &event);
    bool DoCreateGame(VxEvent &event);
    bool DoSaveGame(VxEvent &event);
    bool DoSaveGameAs(VxEvent &event);
    bool DoLoadGame(VxEvent &event);
    bool DoReplayGame(VxEvent &event);
    bool DoRepeatGame(VxEvent &event);
    bool DoNextStep(VxEvent &event);
    bool DoUndo(VxEvent &event);
    bool DoRedo(VxEvent &event);
    bool DoSolve(VxEvent &event);
    bool DoCancelSolve(VxEvent &event);
    bool NewGame();
    void CreateGame();
    void _CreateGamePredefined(int level);
    void _CreateGameComputed();
    void EnterFixMode(bool newDefinition);
    void ExitFixMode();
    bool CheckChanges();
    void SaveGame();
    void SaveGameAs();
    QString SelectGameFile(bool open);
    // A PDF file to write, ".pdf" appended when missing; empty when the user cancels.
    QString SelectPdfFile();
    void ShowBookletFailure(const QString &text);
    void LoadGame();

    // --- Board input -------------------------------------------------------------------
    bool SdkLButtonDown(VxEventMouse &event);
    bool SdkLButtonUp(VxEventMouse &event);
    bool SdkRButtonDown(VxEventMouse &event);
    bool SdkRButtonUp(VxEventMouse &event);
    bool SdkKeyDown(VxEventKey &event);
    bool SdkKeyUp(VxEventKey &event);
    bool SdkChar(VxEventKey &event);
    bool GameEditChar(VxEventKey &event);
    bool GameEditMouseDown(VxEventMouse &event);
    bool GameEditKillFocus(VxEvent &event);
    bool DoEmptyField(VxEvent &event);
    bool DoTakeComputedCandidates(VxEvent &event);
    bool DoEditCandidates(VxEvent &event);
    bool DoDeleteCandidates(VxEvent &event);
    bool DoDeleteAllCandidates(VxEvent &event);
    bool DoSetMenuDigit(VxEvent &event);
    // The context menu of the field under a logical point, shown at a screen position; the
    // right mouse button and the menu keys (Menu, Shift+F10, at the active field) open it.
    void ShowFieldMenu(const GPoint &point, const QPoint &globalPos);
    void ShowActiveFieldMenu();
    bool ViewResultSetsChecked(VxEvent &event);
    bool ViewResultSetsSingleChecked(VxEvent &event);
    bool ViewConflictsChecked(VxEvent &event);
    bool SetCurrentValue(SdkDigit digit, unsigned row, unsigned column);
    bool RemoveCurrentValue(unsigned row, unsigned column);
    void EditValue(unsigned row, unsigned column);
    bool TakeEditValue(bool take);

    // --- Settings ----------------------------------------------------------------------
    void ReadDelay();
    void WriteDelay();
    bool ReadLanguage();
    void ReadConfig();
    bool DoGameOptions(VxEvent &event);

    // --- Language ----------------------------------------------------------------------
    void Localize();
    void ChangeLanguage(bool always);
    bool DoChangeLanguage(VxEvent &event);

    // --- Housekeeping, help, version history, About ------------------------------------
    bool MoveOldStyleGameFiles();
    bool CheckAndCopyExampleFiles();
    static bool _CopyFiles(const QString &source, const QString &comparison, bool move,
                           const QString &target);
    static bool _HasFile(const QString &name, const std::vector<TOpSystem::DirEntry> &listing);
    void NotifyVersionChanged(const QString &oldVersion, const QString &newVersion);
    void ViewVersionHistory();
    bool DoVersionHistory(VxEvent &event);
    bool DoHelp(VxEvent &event);
    bool DoHomepage(VxEvent &event);
    bool DoAbout(VxEvent &event);
    // The command line that opens the help file with the command associated with "html": the
    // program part quoted, "%1" replaced by the quoted file. When the command has no "%1" the
    // quoted file comes back in separateArgument (or is appended when that is null).
    static QString HelpCommand(const QString &associated, const QString &helpFile,
                               QString *separateArgument);
    static void ShowBrowserError(short language, QWidget *parent);

    // --- Hint and rating ---------------------------------------------------------------
    // One press more of the hint: where to look, the technique, the proof, the placement.
    bool DoHint(VxEvent &event);
    // Any other input ends a hint that is being shown.
    void EndHint();

    // --- Printing ----------------------------------------------------------------------
    bool DoPrint(VxEvent &event);
    void Print(bool useDefaultPrinter);
    // A game file chosen elsewhere (file dialog, drop), loaded as the Load command does.
    void LoadGameFile(const QString &file);

    // --- Play aids, pencil keys, shortcuts ---------------------------------------------
    // Binds the commands that the link table does not know and sets the shortcuts.
    void InitAids();
    const SdkPlayAids &GetPlayAids() const { return playAids; }
    void SetPlayAids(const SdkPlayAids &aids);
    // Shift plus a digit key toggles that digit among the active field's manual candidates.
    bool PencilKey(VxEventKey &event);
    // The digit of the key in the row of digits (or the keypad) whatever the layout and the
    // modifiers made of it; 0 for any other key.
    static SdkDigit DigitOfKey(const VxEventKey &event);
    // Enabling of the commands added beside the original ones.
    void ValidateAids(bool running, unsigned fixCount, bool completed);
    void LocalizeAids();

    // --- Playing time, pause, statistics ------------------------------------------------
    bool DoPause(VxEvent &event);
    bool DoStatistics(VxEvent &event);
    bool IsPaused() const { return paused; }
    // Proposal, Hint and the computed solution keep the game out of the statistics; the
    // game forgets where its riddle came from, in its file too.
    void MarkGameAssisted();
    // Where the riddle on the board came from: kind 1 predefined, 2 computed; level 1..4.
    void SetRiddleOrigin(int kind, int level);
    // A riddle came onto the board: its finish is still to come, unless it came finished.
    void RiddleArrived();
    // A computed riddle of this level is on its way; it counts once it is on the board.
    void ExpectComputedRiddle(int level) { expectedComputedLevel = level; }
    static QString PlayTimeText(unsigned seconds);

    // --- Clipboard and drops -------------------------------------------------------------
    bool DoCopyRiddle(VxEvent &event);
    bool DoPasteRiddle(VxEvent &event);
    // The givens of a clipboard text (81 characters, a grid of 9 lines or a game text) as a
    // game text; empty when the text is none of these or its givens break a rule.
    static QString RiddleFromText(const QString &text);

    // The printed board of a game on a page of the given device rectangle, as Print draws it.
    void DrawPrintedPage(const Sudoku &game, VxVectorDrawArea &area, const QRect &page);

    // --- Booklets and PDF export ---------------------------------------------------------
    bool DoPrintRiddles(VxEvent &event);
    bool DoExportPdf(VxEvent &event);
    void PrintRiddles();
    void ExportPdf();
    // Runs the collection on a thread of its own behind a cancellable progress dialog.
    SdkBookletOutcome CollectBookletRiddles(const SdkBookletSource &source,
                                            std::vector<SdkBookletRiddle> &riddles);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    friend class WndSudokuPeer;

    void Construct();
    int64_t NowMs() const;
    QString Text(const SdkText &text) const;
    QString TitleText() const;
    // Sets a control's text only when it differs; true when it was changed.
    bool SetTextIfChanged(const char *name, const QString &text);
    void SetStatTitle(const QString &text);
    // Gives a button its text, weight, colour and command, unless it has that colour already.
    // With force the role is given even when the colour is the same.
    void SetButtonRole(const char *name, const QString &text, bool bold, int colour,
                       VxHandlerFn command, const char *handler, bool force);
    void SetTitleLook(const QString &text, int colour, int background);
    void ResetTitleFields();
    void EnableControl(const char *name, bool enable);
    void EnableMenu(const char *name, bool enable);
    bool IsCheckedBox(const char *name);
    // Definition mode as at start-up or after loading a riddle of 1 to 9 given digits.
    void ResumeDefinition();
    // EvTimer's parts.
    void TimerCounters();
    void TimerTitle();
    void TimerCreate(QString &queued, short &queuedColour);
    void TimerNextStep(QString &queued, short &queuedColour);
    void TimerSolve(QString &queued, short &queuedColour);
    void TimerSolution(QString &queued, short &queuedColour, bool &dropQueued);
    void TimerMarkers();
    void TimerStartup(unsigned short snapshot);
    void TimerVersionCheck();
    // Play aids on the board and beside it, and the corner marks of fields in trouble.
    enum class FieldAlarm { None, Conflict, NoSolution };
    void DrawAidField(const Sudoku &copy, VxVectorDrawArea &area, unsigned row, unsigned column,
                      FieldAlarm alarm);
    // The colours of the board on screen (the play option "BoardColours").
    const SdkBoardPalette &BoardPalette() const;
    void DrawPauseCover(VxVectorDrawArea &area);
    void UpdateAidWidgets(const unsigned counts[10], unsigned seconds);
    // The playing time and the finished games of the statistics, once a tick.
    void TimerPlayClock();
    bool CanRunClock();
    void RecordFinishedGame(int kind, int level, unsigned seconds);
    void StartPastedRiddle(const QString &gameText);
    // A tick while a modal window runs inside a command: poll and redraw only.
    void TimerWhileModal(unsigned short snapshot);
    bool IsModalRunning() const;
    QString ValueNotAcceptedText(const SdkParam &param) const;
    void SetMarker(const char *name, bool changed);
    struct HintData;
    HintData &Hint();
    void PlaceHint();
    void TimerHint();
    void TimerRating();
    // The rating value, or with technique the name of the hardest technique.
    QString RatingText(bool technique) const;
    void DrawHint(VxVectorDrawArea &area);
    void DrawHintProof(VxVectorDrawArea &area);
    void RegisterNotifications(bool add);
    // Saving with its outcome, so that the save question can tell a failure from a cancel.
    enum class SaveOutcome { Saved, Cancelled, Failed };
    SaveOutcome _SaveGame();
    SaveOutcome _SaveGameAs();
    SaveOutcome _SaveGameTo(const QString &path);

    // Members in the order of the window's description.
    QFont editFont;
    std::unique_ptr<QMenu> contextMenu;
    short languageIndex = -1;
    VxWindowTimer windowTimer;
    unsigned short timerState = 0;
    TMutex timerMutex;
    int64_t statusTime = 0;
    short statusTimeout = 0;
    bool markActiveField = true;
    std::unique_ptr<SdkParam> pendingSolved;
    // Written by notifications on the worker thread without the game's lock.
    std::atomic<int> solveLevel{0};
    std::atomic<int> testDigit{0};
    std::atomic<int> testRow{0};
    std::atomic<int> testColumn{0};
    unsigned createTry = 0;
    unsigned createMaxTries = 0;
    std::unique_ptr<Sudoku> game;
    GDoubleBox boardBox;
    GDoubleBox clickedBox;
    GDoubleBox editBox;
    QPointer<QLineEdit> editWindow;
    QString installDir;
    QString lastGameDir;
    unsigned proposalIndex = 0;
    std::atomic<unsigned> loadingDepth{0};
    bool fixMode = false;
    bool savedDeepCalc = false;
    unsigned activeRow = 0;
    unsigned activeColumn = 0;

    // The running indicator and the live redraw during a riddle computation.
    // -1: no step or redraw yet.
    unsigned spinnerIndex = 0;
    int64_t lastSpinnerMs = -1;
    int64_t lastCreateRedrawMs = -1;
    int64_t lastModalRedrawMs = -1;
    bool inTimer = false;
    // The hint being shown and the rating of the riddle (WndSudoku_hint.cpp).
    std::shared_ptr<HintData> hintData;
    bool hideRating = false;
    std::function<int64_t()> clock;

    // Play aids, the playing time and the statistics.
    SdkPlayAids playAids;
    bool paused = false;
    int64_t lastClockMs = -1;
    int64_t clockRemainderMs = 0;
    int expectedComputedLevel = 0;
    // The givens the clock last saw, digit by digit: another set is another riddle.
    QString riddleGivens;
    bool finishRecorded = false;
    bool wasCompleted = false;
};
