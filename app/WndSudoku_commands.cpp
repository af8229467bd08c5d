// Game commands of the buttons and the menu. Commands that start the worker return at once;
// the timer finishes them.
#include "app/WndSudoku.h"
#include "velox/VxCtl.h"

#include <QAbstractButton>

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
    return true;
}

bool WndSudoku::DoRepeatGame(VxEvent &)
{
    return true;
}

bool WndSudoku::DoNextStep(VxEvent &)
{
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
    return false;
}

void WndSudoku::CreateGame() {}

void WndSudoku::_CreateGamePredefined(int) {}

void WndSudoku::_CreateGameComputed() {}

void WndSudoku::EnterFixMode(bool) {}

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
    return !game->IsThreadRunning();
}

void WndSudoku::SaveGame() {}

void WndSudoku::SaveGameAs() {}

QString WndSudoku::SelectGameFile(bool)
{
    return QString();
}

void WndSudoku::LoadGame() {}
