// Game commands of the buttons and the menu. Commands that start the worker return at once;
// the timer finishes them.
#include "app/SdkCreateGameParam.h"
#include "app/SdkCreateType.h"
#include "app/SdkLoadParam.h"
#include "app/SdkWndSelectDefType.h"
#include "app/WndSudoku.h"
#include "msgbox/VxWndMessage.h"
#include "velox/VxApp.h"
#include "velox/VxCtl.h"
#include "velox/VxModal.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace {
const SdkText SolveStartFailed{"Berechnen der Lösung konnte nicht gestartet werden.",
                               "Error when trying to start solving the game."};
const SdkText ComputingSolution{"Berechnen der Lösung ...", "Computing the solution ..."};
const SdkText SolveStarted{"Berechnen der Lösung gestartet ...",
                           "Computing the solution has been started ..."};
const SdkText StepError{"FEHLER in Feld Zeile/Spalte: [%u/%u].",
                        "ERROR in field row/column: [%u/%u]."};
const SdkText ComputingProposal{"Lösungsberechnung für den nächsten Schritt ...",
                                "Solution-computing for the next step ..."};
const SdkText ProposalStarted{"Berechnen des nächsten Vorschlags gestartet ...",
                              "Computing the next proposal has been started ..."};
const SdkText UndoImpossible{"Schritt zurück nicht möglich.", "Stepping back is not possible."};
const SdkText RedoImpossible{"Schritt vorwärts nicht möglich.",
                             "Stepping forward is not possible."};
const SdkText UserRequest{"Rückfrage an den Benutzer", "User Request"};
const SdkText SaveQuestion{
    "<size:4>\n</size><font:Arial><size:16><col:blue><b>Spiel speichern?</b></size></font><size:4>"
    "\n\n</size><size:11><col:lightred><b>$(NOT_YET_SAVED)</b><col:blue>Ihre Änderungen gehen "
    "verloren. Wollen Sie das Spiel jetzt im aktuellen Zustand speichern?</b></col></font>",
    "<size:4>\n</size><font:Arial><size:16><col:blue><b>Save Game?</b></size></font><size:4>\n\n"
    "</size><size:11><col:lightred><b>$(NOT_YET_SAVED)</b><col:blue>Your changes will be lost. "
    "Do you want to save the game now in the current state?</b></col></font>"};
const SdkText NotYetSaved{
    "Dieses Spiel wurde bisher noch nicht gespeichert.<size:4>\n\n</size><size:11>",
    "This game has not yet been saved.<size:4>\n\n</size><size:11>"};
const SdkText GameSaved{"Spiel wurde gespeichert.", "The game has been saved."};
const SdkText GameNotSaved{"FEHLER: Das Spiel konnte nicht gespeichert werden.",
                           "ERROR: The game could not be saved."};
const SdkText OpenTitle{"SUDOKU Spiel öffnen", "Open SUDOKU Game"};
const SdkText SaveTitle{"SUDOKU Spiel speichern", "Save SUDOKU Game"};
const SdkText NoPredefined{"Es konnte kein vordefiniertes Rätsel gefunden werden.",
                           "No predefined riddle could be found."};
const SdkText CreateStartFailed{"Die Berechnung eines neuen Spiels konnte nicht gestartet werden.",
                                "Start computing a new game failed."};
const SdkText ComputingGame{"Berechnen eines neuen Spiels ...", "Computing a new game ..."};
const SdkText CreateStarted{"Berechnen eines neuen Spiels gestartet ...",
                            "Computing of a new game started ..."};
const SdkText NotAGameFile{"FEHLER: Das Spiel konnte nicht geladen werden: Das ist keine Datei.",
                           "ERROR: The game could not be loaded: this is not a file."};
const SdkText GameFileTooLarge{
    "FEHLER: Das Spiel konnte nicht geladen werden: Die Datei ist zu groß für ein Spiel.",
    "ERROR: The game could not be loaded: the file is too large for a game."};
const SdkText GameFileUnreadable{
    "FEHLER: Das Spiel konnte nicht geladen werden: Die Datei ist nicht lesbar.",
    "ERROR: The game could not be loaded: the file cannot be read."};
const SdkText HistoryContradicts{"FEHLER: Das Spiel konnte nicht geladen werden: Der "
                                 "Spielverlauf der Datei passt nicht zu ihrem Spielfeld.",
                                 "ERROR: The game could not be loaded: the move history of the "
                                 "file does not match its board."};
const SdkText LoadedComplete{"Spiel mit vollständiger Lösung geladen.",
                             "The game has been loaded with its complete solution."};
const SdkText ReplayQuestion{
    "<size:4>\n</size><font:Arial><size:16><col:blue><b>Rücksetzen des Spiels</b></size></font>"
    "<size:4>\n\n</size><size:11><col:blue>Diese Funktion setzt Ihr aktuelles Spiel auf seinen "
    "Anfangszustand mit allen ursprünglich festgelegten Fix-Werten zurück.<size:4>\n\n</size>"
    "<size:11>So können Sie das Spiel noch einmal lösen.<size:4>\n\n</size><size:13>"
    "<col:lightred><b><u>ACHTUNG:</u></b><size:4>\n\n</size><size:11><b>Ihre bisherigen Züge "
    "gehen verloren.</b><size:4>\n\n</size><size:11><col:blue>Wenn Sie Ihre Züge nicht "
    "verlieren wollen, wählen Sie bitte die Funktion <size:4>\n</size><size:11><b><u>\"Spiel "
    "exakt wiederholen\"</u></b>.<size:4>\n\n</size><size:13><col:lightblue><b>Das Spiel jetzt "
    "zurücksetzen?</b></col></font>",
    "<size:4>\n</size><font:Arial><size:16><col:blue><b>Game-Reset</b></size></font><size:4>\n\n"
    "</size><size:11><col:blue>This function will reset your current game to its initial state "
    "with all originally defined fix-values.<size:4>\n\n</size><size:11>This is a way to solve "
    "the game again.<size:4>\n\n</size><size:13><col:lightred><b><u>ATTENTION:</u></b><size:4>"
    "\n\n</size><size:11><b>Your previously done moves will be lost.</b><size:4>\n\n</size>"
    "<size:11><col:blue>If you don't want to loose your moves, please choose the function "
    "<size:4>\n</size><size:11><b><u>\"Repeat game exactly\"</u></b>.<size:4>\n\n</size>"
    "<size:13><col:lightblue><b>Reset the game now?</b></col></font>"};
const SdkText GameReplayed{"Spiel rückgesetzt und bereit für eine neue Lösung.",
                           "The game has been resetted and is now ready for a new solution."};
const SdkText GameRepeatReady{
    "Spiel bereit zur Wiederholung. Verwenden Sie hierzu den Button \"1 Schritt vor\".",
    "The game is now ready for beeing repeated. Please use the button \"1 Step forward\"."};

constexpr unsigned short MsgYes = 6;
constexpr unsigned short MsgNo = 7;
constexpr unsigned short MsgTypeYesNoCancel = 3;
constexpr unsigned short MsgTypeYesNo = 4;

QString FromT(const TString &text)
{
    return QString::fromStdString(text.Str());
}

TString ToT(const QString &text)
{
    return TString(text.toStdString());
}
} // namespace

bool WndSudoku::DoNewGame(VxEvent &)
{
    NewGame();
    return true;
}

bool WndSudoku::DoFinishNewGame(VxEvent &)
{
    ExitFixMode();
    return true;
}

bool WndSudoku::DoCreateGame(VxEvent &)
{
    CreateGame();
    return true;
}

bool WndSudoku::DoSaveGame(VxEvent &)
{
    SaveGame();
    return true;
}

bool WndSudoku::DoSaveGameAs(VxEvent &)
{
    SaveGameAs();
    return true;
}

bool WndSudoku::DoLoadGame(VxEvent &)
{
    LoadGame();
    return true;
}

bool WndSudoku::DoReplayGame(VxEvent &)
{
    const unsigned short answer =
        VxWndMessage::StartMsg(static_cast<unsigned short>(GetLanguage()), Text(UserRequest),
                               Text(ReplayQuestion), this, MsgTypeYesNo, QSize(450, 350), false);
    if (answer != MsgYes || !CheckChanges())
        return true;
    {
        TLocker<Sudoku> lock(*game);
        if (!game->StartGame(false, false, false))
            return true;
    }
    // Played again from the givens: another finish to count.
    RiddleArrived();
    RedrawGame(true);
    ValidateStates();
    Status(Text(GameReplayed), 1, 0);
    return true;
}

bool WndSudoku::DoRepeatGame(VxEvent &)
{
    if (!CheckChanges())
        return true;
    {
        TLocker<Sudoku> lock(*game);
        // The history stays, the values go back to the given digits: redo replays the game.
        if (!game->StartGame(false, true, false))
            return true;
    }
    // Redo plays the old moves back: a finish that way is no achievement of its own.
    MarkGameAssisted();
    RedrawGame(true);
    ValidateStates();
    Status(Text(GameRepeatReady), 1, 0);
    return true;
}

bool WndSudoku::DoNextStep(VxEvent &)
{
    MarkGameAssisted();
    QString status;
    short colour = 1;
    {
        TLocker<Sudoku> lock(*game);
        if (game->IsThreadRunning())
            return true;
        bool error = false;
        SdkDigit digit = SdkDigitEmpty;
        unsigned row = 0;
        unsigned column = 0;
        if (game->Step(error, digit, row, column, true)) {
            RedrawGame(true);
        } else if (error) {
            status = QString::asprintf(Text(StepError).toUtf8().constData(), row + 1, column + 1);
            colour = 12;
        } else {
            solveLevel = 0;
            testDigit = 0;
            testRow = 0;
            testColumn = 0;
            proposalIndex = game->GetUserStackPtr();
            if (!game->ThreadSolve(-1, false, TString())) {
                proposalIndex = 0;
                status = Text(SolveStartFailed);
                colour = 12;
            } else {
                SetStatTitle(Text(ComputingProposal));
                AddTimerState(TS_NEXT_STEP);
                status = Text(ProposalStarted);
                ValidateStatesForThread(true, false);
            }
        }
        ValidateStates();
    }
    if (!status.isEmpty())
        Status(status, colour, 0);
    return true;
}

bool WndSudoku::DoUndo(VxEvent &)
{
    TLocker<Sudoku> lock(*game);
    if (game->IsThreadRunning())
        return true;
    if (game->Undo()) {
        RedrawGame(true);
        ValidateStates();
    } else {
        Status(Text(UndoImpossible), 1, 0);
    }
    return true;
}

bool WndSudoku::DoRedo(VxEvent &)
{
    TLocker<Sudoku> lock(*game);
    if (game->IsThreadRunning())
        return true;
    if (game->Redo()) {
        RedrawGame(true);
        ValidateStates();
    } else {
        Status(Text(RedoImpossible), 1, 0);
    }
    return true;
}

bool WndSudoku::DoSolve(VxEvent &)
{
    MarkGameAssisted();
    SetStatTitle(Text(ComputingSolution));
    solveLevel = 0;
    testDigit = 0;
    testRow = 0;
    testColumn = 0;
    if (!game->ThreadSolve(-1, false, TString())) {
        SetStatTitle(TitleText());
        Status(Text(SolveStartFailed), 12, 0);
        return true;
    }
    AddTimerState(TS_SOLVE);
    Status(Text(SolveStarted), 1, 0);
    ValidateStatesForThread(false, false);
    return true;
}

bool WndSudoku::DoCancelSolve(VxEvent &event)
{
    TLocker<Sudoku> lock(*game);
    if (!game->IsThreadRunning())
        return true;
    game->CancelThread();
    if (auto *button = qobject_cast<QAbstractButton *>(event.GetSourceWindow())) {
        // Pressed once is enough: the timer gives the button back when the thread has ended.
        VxLinks::Unbind(button, QLatin1String(VX_LINK_COMMAND));
        button->setText(Text(SdkTx::BtPleaseWait));
        VxCtl::SetTextColor(button, 5);
        button->setProperty("sdkTextColour", 5);
        VxCtl::Update(button);
    }
    return true;
}

bool WndSudoku::NewGame()
{
    TLocker<Sudoku> lock(*game);
    if (game->IsThreadRunning() || !CheckChanges())
        return false;
    short mode = game->IsCompleted() ? 1 : 2;
    if (game->GetFixCount() == 0) {
        mode = 1;
    } else {
        SdkWndSelectDefType dialog(GetLanguage(), mode, false, this);
        // Cancel keeps the proposed mode: the command was asked for, the dialog only refines it.
        if (dialog.StartModal() == 1 && dialog.GetMode() != 0)
            mode = dialog.GetMode();
    }
    EnterFixMode(mode == 1);
    return true;
}

void WndSudoku::CreateGame()
{
    {
        TLocker<Sudoku> lock(*game);
        if (game->IsThreadRunning() || !CheckChanges())
            return;
    }
    short type = 0;
    int level = 1;
    {
        SdkCreateType dialog(GetLanguage(), 1, 1, this);
        if (dialog.StartModal() != 1)
            return;
        type = dialog.GetCreateType(&level);
    }
    if (type == 1)
        _CreateGamePredefined(level);
    else if (type == 2)
        _CreateGameComputed();
}

void WndSudoku::_CreateGamePredefined(int level)
{
    bool found = false;
    {
        VxWaitCursor wait;
        TLocker<Sudoku> lock(*game);
        found = game->CreateGamePredefined(ToT(installDir + QStringLiteral("/PreDefs")), level);
    }
    if (found)
        SetRiddleOrigin(1, level);
    ValidateStates();
    RedrawGame(true);
    ViewAsIncompleted();
    if (!found) {
        QMessageBox box(QMessageBox::Critical, Text(SdkTx::InformationTitle), Text(NoPredefined),
                        QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("VX_MESSAGE"));
        VxModal::Exec(box);
    }
}

void WndSudoku::_CreateGameComputed()
{
    {
        TLocker<Sudoku> lock(*game);
        if (!game->Reset() || !game->StartGame(false, false, true))
            return;
    }
    RedrawGame(true);
    ValidateStates();
    createTry = 0;
    createMaxTries = 0;

    unsigned fixCount = 0;
    unsigned attempts = 0;
    int minBt = 0;
    int maxBt = 0;
    int minDirect = 0;
    {
        SdkCreateGameParam dialog(GetLanguage(), this);
        if (dialog.StartModal() != 1)
            return;
        fixCount = dialog.GetFix();
        attempts = dialog.GetAttempts();
        minDirect = dialog.GetMinDirectSteps();
        dialog.GetMinMaxBtSteps(minBt, maxBt);
        ExpectComputedRiddle(dialog.IsProfiLevel() ? 4 : int(dialog.GetStdLevel()));
    }
    createMaxTries = attempts;

    QString status;
    short colour = 1;
    if (!game->ThreadCreateGame(fixCount, attempts, minBt, maxBt, minDirect)) {
        createTry = 0;
        createMaxTries = 0;
        status = Text(CreateStartFailed);
        colour = 12;
    } else {
        SetStatTitle(Text(ComputingGame));
        AddTimerState(TS_CREATE);
        status = Text(CreateStarted);
        ValidateStatesForThread(false, true);
    }
    RedrawGame(true);
    ValidateStates();
    Status(status, colour, 0);
}

void WndSudoku::EnterFixMode(bool newDefinition)
{
    {
        TLocker<Sudoku> lock(*game);
        if (newDefinition)
            (void)game->Reset();
        (void)game->StartGame(false, false, newDefinition);
        // Changed givens are another riddle than the one chosen.
        game->SetRiddleOrigin({});
        fixMode = true;
        savedDeepCalc = game->IsDeepCalcResultSets();
    }
    VxCtl::SetFocus(DrawWindow());
    RedrawGame(true);
    ViewAsIncompleted();
    ValidateStates();
}

void WndSudoku::ExitFixMode()
{
    fixMode = false;
    game->SetDeepCalcResultSets(savedDeepCalc);
    (void)game->StartGame(false, false, true);
    VxCtl::SetFocus(DrawWindow());
    RedrawGame(true);
    EmptyStatus();
    if (game->IsCompleted())
        ViewAsCompleted(true);
    else
        ViewAsIncompleted();
    ValidateStates();
}

bool WndSudoku::CheckChanges()
{
    TLocker<Sudoku> lock(*game);
    if (game->IsThreadRunning())
        return false;
    bool changed = game->IsStateChanged() || game->IsDefinitionChanged();
    const TString file = game->GetFileName();
    if (changed && !file.IsEmpty() && CurrentOS->ExistsPath(file)) {
        // The flags also count moves that were taken back; the file tells what would be lost.
        Sudoku saved;
        if (saved.LoadGame(file, false, true) &&
            ((saved.IsCompleted() && !game->IsCompleted()) ||
             (saved.EqualsFix(*game) && saved.EqualsValues(*game))))
            changed = false;
    }
    if (!changed)
        return true;

    QString text = Text(SaveQuestion);
    text.replace(QStringLiteral("$(NOT_YET_SAVED)"), Text(NotYetSaved));
    const unsigned short answer =
        VxWndMessage::StartMsg(static_cast<unsigned short>(GetLanguage()), Text(UserRequest), text,
                               this, MsgTypeYesNoCancel, QSize(400, 230), false);
    if (answer == MsgNo)
        return true;
    if (answer != MsgYes)
        return false;
    // A save that went wrong keeps the game: its error stays in the status line and the
    // command that asked stops. A cancelled file dialog lets the command go on.
    const SaveOutcome outcome = file.IsEmpty() ? _SaveGameAs() : _SaveGame();
    return outcome != SaveOutcome::Failed;
}

WndSudoku::SaveOutcome WndSudoku::_SaveGameTo(const QString &path)
{
    bool saved = false;
    {
        TLocker<Sudoku> lock(*game);
        saved = game->SaveGame(ToT(path), false, true);
    }
    Status(Text(saved ? GameSaved : GameNotSaved), saved ? 1 : 12, 10);
    return saved ? SaveOutcome::Saved : SaveOutcome::Failed;
}

WndSudoku::SaveOutcome WndSudoku::_SaveGame()
{
    const QString file = FromT(game->GetFileName());
    // The current-game file belongs to the program: a game never goes there silently.
    const QString name = file.section(QLatin1Char('/'), -1);
    if (file.isEmpty() || name.compare(QStringLiteral("$curr.sdk"), Qt::CaseInsensitive) == 0)
        return _SaveGameAs();
    return _SaveGameTo(file);
}

WndSudoku::SaveOutcome WndSudoku::_SaveGameAs()
{
    QString file = SelectGameFile(false);
    if (file.isEmpty())
        return SaveOutcome::Cancelled;
    if (!file.endsWith(QStringLiteral(".sdk"), Qt::CaseInsensitive))
        file += QStringLiteral(".sdk");
    return _SaveGameTo(file);
}

void WndSudoku::SaveGame()
{
    (void)_SaveGame();
}

void WndSudoku::SaveGameAs()
{
    (void)_SaveGameAs();
}

QString WndSudoku::SelectGameFile(bool open)
{
    QString start;
    if (!lastGameDir.isEmpty() && QFileInfo(lastGameDir).isDir())
        start = lastGameDir;
    if (start.isEmpty())
        start = FromT(Sudoku::GetUserGamesPath());
    if (start.isEmpty())
        start = QDir::currentPath();
    start = QDir::toNativeSeparators(start);
    while (start.size() > 1 &&
           (start.endsWith(QLatin1Char('\\')) || start.endsWith(QLatin1Char('/'))))
        start.chop(1);

    const QString filter = QStringLiteral("Sudoku files (*.sdk);;All files (*)");
    QString path = VxFileDialog::GetFileName(this, Text(open ? OpenTitle : SaveTitle),
                                             open ? VxFileDialog::Open : VxFileDialog::Save, start,
                                             filter, QStringLiteral("sdk"));
    if (path.isEmpty())
        return QString();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash > 0)
        lastGameDir = path.left(slash);
    return path;
}

namespace {
// The moves of the history up to its cursor, replayed on the given digits, must be possible and
// leave on each field they touch the value the board was saved with. (Values without a move
// are fine: a game loaded without its history keeps its values.) A history that contradicts its
// board would put other values on it at every undo, redo and repetition.
bool HistoryMatchesBoard(const Sudoku &loaded)
{
    Sudoku replay(loaded);
    const unsigned cursor = replay.GetUserStackPtr();
    if (!replay.StartGame(false, true, false))
        return false;
    bool touched[81] = {};
    for (unsigned i = 0; i < cursor; ++i) {
        SdkSolvedField move;
        if (!replay.GetUserStack(i, move) || !replay.Redo())
            return false;
        touched[move.GetRow() * 9 + move.GetColumn()] = true;
    }
    for (unsigned i = 0; i < 81; ++i)
        if (touched[i] &&
            replay.GetField(i / 9, i % 9).GetValue() != loaded.GetField(i / 9, i % 9).GetValue())
            return false;
    return true;
}

// Why a file that the engine would not read is no game, in the words of the status line.
const SdkText &LoadRefusal(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return NotAGameFile;
    if (info.isFile() && info.size() > Sudoku::MaxGameFileBytes)
        return GameFileTooLarge;
    if (info.isFile() && !info.isReadable())
        return GameFileUnreadable;
    return SdkTx::GameNotLoaded;
}
} // namespace

// The file is read in full before the game in play is touched: a file that holds no game, or a
// game whose history contradicts its board, leaves the game as it was and says why.
void WndSudoku::LoadGame()
{
    if (!CheckChanges())
        return;
    const QString file = SelectGameFile(true);
    if (!file.isEmpty())
        LoadGameFile(file);
}

void WndSudoku::LoadGameFile(const QString &file)
{
    short option = SdkLoadParam::None;
    bool resetToStart = false;
    {
        Sudoku preview;
        if (!preview.LoadGame(ToT(file), false, true)) {
            Status(Text(LoadRefusal(file)), 12, 0);
            return;
        }
        if (!HistoryMatchesBoard(preview)) {
            Status(Text(HistoryContradicts), 12, 0);
            return;
        }
        {
            TLocker<Sudoku> lock(*game);
            if (!game->Reset() || !game->StartGame(false, false, true))
                return;
        }
        RedrawGame(true);
        ValidateStates();
        ViewAsIncompleted();
        if (preview.GetFixCount() >= SdkTx::MinFixNum) {
            SdkLoadParam dialog(GetLanguage(), preview, this);
            if (dialog.StartModal() == 1) {
                option = dialog.GetOption();
                resetToStart = dialog.IsResetToStart();
            }
        }
    }
    // Without a mode only the given digits are read.
    bool definitionOnly = true;
    bool readHistory = false;
    switch (option) {
    case SdkLoadParam::CurrentState:
    case SdkLoadParam::SolutionAndHistory:
        definitionOnly = false;
        readHistory = true;
        break;
    case SdkLoadParam::SolutionOnly:
        definitionOnly = false;
        break;
    case SdkLoadParam::NewSolution:
        break;
    default:
        resetToStart = false;
        break;
    }

    bool definition = false;
    bool completed = false;
    {
        VxWaitCursor wait;
        TLocker<Sudoku> lock(*game);
        if (!game->LoadGame(ToT(file), definitionOnly, readHistory)) {
            Status(Text(SdkTx::GameNotLoaded), 12, 0);
        } else {
            completed = game->IsCompleted();
            const unsigned fixCount = game->GetFixCount();
            QString text = Text(SdkTx::GameLoadedReady);
            if (completed) {
                text = Text(LoadedComplete);
            } else if (fixCount < SdkTx::MinFixNum) {
                EnterFixMode(false);
                definition = true;
            }
            Status(text, 1, 0);
            if (resetToStart && fixCount >= SdkTx::MinFixNum) {
                (void)game->StartGame(false, true, false);
                completed = game->IsCompleted();
            }
            RiddleArrived();
        }
    }
    ValidateStates();
    RedrawGame(true);
    if (!definition) {
        if (completed)
            ViewAsCompleted(false);
        else
            ViewAsIncompleted();
    }
}
