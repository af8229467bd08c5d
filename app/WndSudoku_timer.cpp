// The window's state machine: the 20 ms tick that finishes what the commands started, the
// enabling of commands and the title line.
#include "app/SdkAccessible.h"
#include "app/SudokuApp.h"
#include "app/WndSudoku.h"
#include "velox/VxCtl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>

namespace {
// Restores a flag when a scope ends.
struct FlagGuard
{
    explicit FlagGuard(bool &f) : flag(f) { flag = true; }
    ~FlagGuard() { flag = false; }
    FlagGuard(const FlagGuard &) = delete;
    FlagGuard &operator=(const FlagGuard &) = delete;
    bool &flag;
};

constexpr unsigned short ThreadBits = TS_SOLVE | TS_SOLUTION | TS_NEXT_STEP | TS_CREATE;
} // namespace

bool WndSudoku::IsModalRunning() const
{
    return QApplication::activeModalWidget() != nullptr ||
           QApplication::activePopupWidget() != nullptr;
}

bool WndSudoku::EvTimer()
{
    // A message box opened by a tick runs its own event loop; its ticks must not re-enter.
    if (inTimer)
        return true;
    FlagGuard guard(inTimer);
    const unsigned short snapshot = GetTimerState();
    // A command is waiting for an answer in a modal window: finishing a thread now could
    // change the game under the command's feet, so the tick only polls and redraws.
    if (IsModalRunning()) {
        TimerWhileModal(snapshot);
        return true;
    }

    if (snapshot & TS_EDIT_DONE) {
        RemoveTimerState(TS_EDIT_DONE);
        delete editWindow.data();
        editWindow = nullptr;
        RedrawGame(true);
    }
    TimerCounters();
    TimerRating();
    TimerTitle();
    if (snapshot & TS_DESTROY) {
        RemoveTimerState(TS_DESTROY);
        Destroy();
        return true;
    }
    if ((snapshot & TS_STATUS_TIMEOUT) && NowMs() / 1000 - statusTime > statusTimeout)
        Status(QString(), 1, 0);

    QString queued;
    short queuedColour = 1;
    bool dropQueued = false;
    if (snapshot & TS_CREATE)
        TimerCreate(queued, queuedColour);
    if (snapshot & TS_NEXT_STEP)
        TimerNextStep(queued, queuedColour);
    if (snapshot & TS_SOLVE)
        TimerSolve(queued, queuedColour);
    if (snapshot & TS_SOLUTION)
        TimerSolution(queued, queuedColour, dropQueued);
    TimerMarkers();
    TimerHint();
    if (!queued.isEmpty() && !dropQueued)
        Status(queued, queuedColour, 0);
    SdkAccessible::Track(*this);
    TimerPlayClock();

    if (snapshot & TS_STARTUP)
        TimerStartup(snapshot);
    else if ((snapshot & TS_VERSION_CHECK) && !game->IsThreadRunning())
        TimerVersionCheck();
    return true;
}

void WndSudoku::TimerWhileModal(unsigned short snapshot)
{
    if (!(snapshot & ThreadBits))
        return;
    TLocker<Sudoku> lock(*game);
    if (!game->IsThreadRunning())
        return;
    UpdateRunningState();
    const int64_t now = NowMs();
    if (lastModalRedrawMs < 0 || now < lastModalRedrawMs || now - lastModalRedrawMs >= 100) {
        RedrawGame(true);
        lastModalRedrawMs = now;
    }
}

void WndSudoku::TimerCounters()
{
    QString stack;
    QString btSteps;
    {
        TLocker<Sudoku> lock(*game);
        if (fixMode) {
            stack =
                QStringLiteral("%1: %2").arg(Text(SdkTx::FixCountLabel)).arg(game->GetFixCount());
        } else {
            stack = QStringLiteral("%1: %2   %3: %4/%5")
                        .arg(Text(SdkTx::FixLabel))
                        .arg(game->GetFixCount())
                        .arg(Text(SdkTx::StepLabel))
                        .arg(game->GetUserStackPtr())
                        .arg(game->GetUserStackCount());
            const int bt = game->GetBtStepsOnCreation();
            if (bt >= 0)
                btSteps = QString::number(bt);
        }
    }
    SetTextIfChanged("STAT_STACK", stack);
    QWidget *steps = Child(QStringLiteral("STAT_BT_STEPS"));
    if (VxCtl::GetText(steps) != btSteps) {
        VxCtl::SetText(steps, btSteps);
        const bool show = !btSteps.isEmpty();
        VxCtl::Show(Child(QStringLiteral("LABEL_BT_STEPS")), show);
        VxCtl::Show(steps, show);
        if (show)
            VxCtl::Update(steps);
    }
}

void WndSudoku::TimerTitle()
{
    if (game->IsCompleted())
        ViewAsCompleted(false);
    else
        ViewAsIncompleted();
    AlignTitleFields();
}

void WndSudoku::ResetTitleFields()
{
    SetStatTitle(TitleText());
    SetTextIfChanged("STAT_TITLE_LEVEL", QString());
    SetTextIfChanged("STAT_TITLE_RUNNING", QString());
}

void WndSudoku::TimerCreate(QString &, short &)
{
    TLocker<Sudoku> lock(*game);
    if (game->IsThreadRunning()) {
        UpdateRunningState();
        // The riddle being built is shown live, but not more often than every 100 ms.
        const int64_t now = NowMs();
        if (lastCreateRedrawMs < 0 || now < lastCreateRedrawMs || now - lastCreateRedrawMs >= 100) {
            RedrawGame(true);
            lastCreateRedrawMs = now;
        }
        return;
    }
    RemoveTimerState(TS_CREATE);
    createTry = 0;
    createMaxTries = 0;
    lastCreateRedrawMs = -1;
    ResetTitleFields();
    if (game->WasCreateGameSuccessful())
        Status(QString::asprintf(Text(SdkTx::GameCreated).toUtf8().constData(),
                                 game->GetCreateGameSuccessAttempt(), game->GetCreateGameBtStep()),
               2, 20);
    else
        Status(Text(SdkTx::GameNotCreated), 12, 20);
    RedrawGame(true);
    ValidateStatesForThread(false, true);
    VxCtl::SetFocus(Child(QStringLiteral("BT_NEXT_STEP")));
}

void WndSudoku::TimerNextStep(QString &queued, short &queuedColour)
{
    TLocker<Sudoku> lock(*game);
    if (game->IsThreadRunning()) {
        UpdateRunningState();
        return;
    }
    RemoveTimerState(TS_NEXT_STEP);
    solveLevel = 0;
    testDigit = 0;
    testRow = 0;
    testColumn = 0;
    ResetTitleFields();
    SdkSolvedField entry;
    // A successful SetValue reports itself through the value notification.
    if (!(game->WasSolveSuccessful() && game->GetSolution(proposalIndex, entry) &&
          game->SetValue(entry.GetValue(), entry.GetRow(), entry.GetColumn()))) {
        RedrawGame(true);
        queued = Text(SdkTx::NoProposal);
        queuedColour = 12;
    }
    proposalIndex = 0;
    ValidateStatesForThread(true, false);
    VxCtl::SetFocus(Child(QStringLiteral("BT_NEXT_STEP")));
}

void WndSudoku::TimerSolve(QString &queued, short &queuedColour)
{
    TLocker<Sudoku> lock(*game);
    if (game->IsThreadRunning()) {
        UpdateRunningState();
        return;
    }
    RemoveTimerState(TS_SOLVE);
    // The solve's own value records are no steps of the playback.
    pendingSolved.reset();
    solveLevel = 0;
    testDigit = 0;
    testRow = 0;
    testColumn = 0;
    ValidateStatesForThread(false, false);
    RedrawGame(true);
    ResetTitleFields();
    if (!game->WasSolveSuccessful()) {
        // A solve the user cancelled says nothing about the riddle.
        queued = Text(game->WasSolveCancelled() ? SdkTx::SolveCancelled : SdkTx::Unsolvable);
        queuedColour = 12;
        return;
    }
    if (game->RunSolution()) {
        // Now the playback runs: the solve button stays the cancel button.
        ValidateStatesForThread(false, false);
        SetStatTitle(Text(SdkTx::PlaybackTitle));
        queued = Text(SdkTx::PlaybackStarted);
        queuedColour = 1;
        RedrawGame(true);
        AddTimerState(TS_SOLUTION);
    } else {
        SetStatTitle(TitleText());
        queued = Text(SdkTx::PlaybackImpossible);
        queuedColour = 12;
        RedrawGame(true);
    }
}

void WndSudoku::TimerSolution(QString &queued, short &queuedColour, bool &dropQueued)
{
    TLocker<Sudoku> lock(*game);
    if (game->IsThreadRunning()) {
        if (!pendingSolved)
            return;
        if (!pendingSolved->GetSuccess()) {
            queued = ValueNotAcceptedText(*pendingSolved);
            queuedColour = 12;
        } else {
            SetStatusAfterStep(pendingSolved->GetDigit(), pendingSolved->GetRow(),
                               pendingSolved->GetColumn());
        }
        pendingSolved.reset();
        RedrawGame(true);
        return;
    }
    RemoveTimerState(TS_SOLUTION);
    pendingSolved.reset();
    ValidateStatesForThread(false, false);
    RedrawGame(true);
    if (game->IsCompleted()) {
        ViewAsCompleted(true);
        dropQueued = true;
        return;
    }
    SetStatTitle(TitleText());
    unsigned row = 0;
    unsigned column = 0;
    // The playback keeps no solve record of its own: a cancel shows in the worker's flag,
    // which stays set until the next worker starts.
    if (game->WasSolveCancelled() || game->IsThreadCancelled()) {
        queued = Text(SdkTx::SolveCancelled);
        queuedColour = 12;
    } else if (game->HasSolveError(row, column)) {
        queued =
            QString::asprintf(Text(SdkTx::SolveError).toUtf8().constData(), row + 1, column + 1);
        queuedColour = 12;
    } else {
        queued = QString::asprintf(Text(SdkTx::NotSolvedCompletely).toUtf8().constData(),
                                   game->GetUnsolvedCount());
        queuedColour = 4;
    }
}

void WndSudoku::SetMarker(const char *name, bool changed)
{
    QWidget *w = Child(QLatin1String(name));
    const QString text = Text(changed ? SdkTx::ChangedMarker : SdkTx::UnchangedMarker);
    if (VxCtl::GetText(w) == text)
        return;
    VxCtl::SetTextColor(w, changed ? 12 : 1);
    VxCtl::SetText(w, text);
    VxCtl::Update(w);
}

void WndSudoku::TimerMarkers()
{
    SetMarker("STAT_STATE_CHANGED", game->IsStateChanged());
    if (game->IsThreadRunning())
        return;
    SetMarker("STAT_DEF_CHANGED", game->IsDefinitionChanged());
    SetTextIfChanged("STAT_FILENAME", QString::fromStdString(game->GetFileName().Str()));
}

void WndSudoku::TimerStartup(unsigned short snapshot)
{
    // The dialogs of the start-up must not re-enter the tick.
    windowTimer.Stop();
    RemoveTimerState(TS_STARTUP);
    ReadConfig();
    MoveOldStyleGameFiles();
    CheckAndCopyExampleFiles();
    if (snapshot & TS_ASK_LANGUAGE) {
        RemoveTimerState(TS_ASK_LANGUAGE);
        ChangeLanguage(false);
    }
    const QString initFile = SudokuApp::Current() ? SudokuApp::Current()->GetInitFile() : QString();
    if (!initFile.isEmpty()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        TLocker<Sudoku> lock(*game);
        bool definition = false;
        if (game->LoadGame(initFile.toStdString(), true, false)) {
            const unsigned n = game->GetFixCount();
            if (n >= 1 && n < SdkTx::MinFixNum) {
                ResumeDefinition();
                definition = true;
            } else if (n >= SdkTx::MinFixNum) {
                // A definition resumed from the current game ends: this riddle is played.
                if (fixMode) {
                    fixMode = false;
                    game->SetDeepCalcResultSets(savedDeepCalc);
                }
                (void)game->StartGame(false, false, false);
            }
            Status(Text(SdkTx::GameLoadedReady), 1, 0);
        } else {
            (void)game->Reset();
            (void)game->StartGame(false, false, true);
            Status(Text(SdkTx::GameNotLoaded), 12, 0);
        }
        ValidateStates();
        RedrawGame(true);
        if (!definition)
            ViewAsIncompleted();
        QApplication::restoreOverrideCursor();
    }
    if (!IsDestroyed())
        windowTimer.Start(20);
    AddTimerState(TS_VERSION_CHECK);
}

void WndSudoku::TimerVersionCheck()
{
    RemoveTimerState(TS_VERSION_CHECK);
    const QString stored = QString::fromStdString(
        CurrentOS->ReadRegistryValue(TOpSystem::RootCurrentUser, SdkRegistryKey, "Version").Str());
    const QString current = QString::asprintf("%04X", SdkTx::ProgramVersion);
    if (stored.isEmpty() || stored.compare(current, Qt::CaseInsensitive) == 0)
        return;
    NotifyVersionChanged(stored, current);
    CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser, SdkRegistryKey, "Version",
                                  current.toStdString());
}

// --- Running indicator ----------------------------------------------------------------------

void WndSudoku::UpdateRunningState()
{
    static const char *const spinner[8] = {"|", "/", "--", "\\", "|", "/", "--", "\\"};
    const int64_t now = NowMs();
    if (lastSpinnerMs < 0 || now < lastSpinnerMs || now - lastSpinnerMs >= 200) {
        SetTextIfChanged("STAT_TITLE_RUNNING", QLatin1String(spinner[spinnerIndex]));
        spinnerIndex = (spinnerIndex + 1) % 8;
        lastSpinnerMs = now;
    }
    QString level;
    if (game->IsCreating()) {
        level = QString::asprintf("%u/%u (BT:%d)", createTry, createMaxTries, solveLevel.load());
    } else if (game->IsSolving()) {
        level = QString::asprintf("%4d", solveLevel.load());
        if (testDigit != 0)
            level.prepend(QString::asprintf("[%1u/%1u]:%1d - ", unsigned(testRow + 1),
                                            unsigned(testColumn + 1), testDigit.load()));
    }
    SetTextIfChanged("STAT_TITLE_LEVEL", level);
}

// --- Enabling -------------------------------------------------------------------------------

void WndSudoku::SetButtonRole(const char *name, const QString &text, bool bold, int colour,
                              VxHandlerFn command, const char *handler, bool force)
{
    QWidget *button = Child(QLatin1String(name));
    const QVariant current = button->property("sdkTextColour");
    if (!force && current.isValid() && current.toInt() == colour)
        return;
    button->setProperty("sdkTextColour", colour);
    VxCtl::SetText(button, text);
    QFont f = button->font();
    f.setBold(bold);
    button->setFont(f);
    VxCtl::SetTextColor(button, colour);
    VxLinks::Bind(button, QLatin1String(VX_LINK_COMMAND), this, command, QLatin1String(handler));
    VxCtl::Update(button);
}

void WndSudoku::ValidateStates()
{
    TLocker<Sudoku> lock(*game);
    if (game->IsThreadRunning())
        return;
    const bool d = fixMode;
    const bool undo = game->CanUndo() && !d;
    const bool redo = game->CanRedo() && !d;
    const bool repeat = game->GetUserStackCount() > 0 && !d;
    const bool enoughFix = game->GetFixCount() >= SdkTx::MinFixNum;
    const bool step = !game->IsCompleted() && enoughFix && !d;
    const bool replay = enoughFix && !d;

    EnableControl("BT_NEW_GAME", true);
    for (const char *name : {"BT_CREATE_GAME", "BT_SAVE_GAME", "BT_SAVE_GAME_AS", "BT_LOAD_GAME"})
        EnableControl(name, !d);
    for (const char *name : {"MN_NEW_GAME", "MN_CREATE_GAME", "MN_SAVE_GAME", "MN_SAVE_GAME_AS",
                             "MN_LOAD_GAME", "MN_GAME_OPTIONS", "MN_PRINT"})
        EnableMenu(name, !d);
    EnableControl("BT_UNDO", undo);
    EnableMenu("MN_UNDO", undo);
    EnableControl("BT_REDO", redo);
    EnableMenu("MN_REDO", redo);
    EnableControl("BT_REPEAT_GAME", repeat);
    EnableMenu("MN_REPEAT_GAME", repeat);
    for (const char *name : {"BT_NEXT_STEP", "BT_SOLVE", "BT_HINT"})
        EnableControl(name, step);
    for (const char *name : {"MN_NEXT_STEP", "MN_SOLVE", "MN_HINT"})
        EnableMenu(name, step);
    EnableControl("BT_REPLAY_GAME", replay);
    EnableMenu("MN_REPLAY_GAME", replay);

    if (d)
        SetButtonRole("BT_NEW_GAME", Text(SdkTx::BtFinishDefinition), true, 12,
                      VxHandler<&WndSudoku::DoFinishNewGame>, "WndSudoku::DoFinishNewGame", false);
    else
        SetButtonRole("BT_NEW_GAME", Text(SdkTx::BtNewGame), false, 0,
                      VxHandler<&WndSudoku::DoNewGame>, "WndSudoku::DoNewGame", false);
}

void WndSudoku::ValidateStatesForThread(bool nextStep, bool create)
{
    {
        TLocker<Sudoku> lock(*game);
        const bool idle = !game->IsThreadRunning();
        for (const char *name : {"BT_NEW_GAME", "BT_SAVE_GAME", "BT_SAVE_GAME_AS", "BT_LOAD_GAME",
                                 "BT_REPLAY_GAME", "BT_REPEAT_GAME"})
            EnableControl(name, idle);
        EnableControl("BT_REDO", idle && game->CanRedo());
        EnableControl("BT_UNDO", idle && game->CanUndo());
        const char *running = nextStep ? "BT_NEXT_STEP" : create ? "BT_CREATE_GAME" : "BT_SOLVE";
        for (const char *name : {"BT_CREATE_GAME", "BT_SOLVE", "BT_NEXT_STEP"})
            EnableControl(name, idle || qstrcmp(name, running) == 0);
        for (const char *name : {"MN_NEW_GAME", "MN_CREATE_GAME", "MN_SAVE_GAME", "MN_SAVE_GAME_AS",
                                 "MN_LOAD_GAME", "MN_GAME_OPTIONS", "MN_PRINT", "MN_EXIT",
                                 "MN_REPLAY_GAME", "MN_REPEAT_GAME", "MN_NEXT_STEP", "MN_SOLVE"})
            EnableMenu(name, idle);
        EnableMenu("MN_REDO", idle && game->CanRedo());
        EnableMenu("MN_UNDO", idle && game->CanUndo());
        for (const char *name : {"CHK_VIEW_RS", "CHK_VIEW_RS_SINGLE", "CHK_VIEW_CONFLICTS"})
            EnableControl(name, idle);
        EnableControl("BT_HINT", idle);
        EnableMenu("MN_HINT", idle);

        if (!idle)
            SetButtonRole(running, Text(SdkTx::BtCancel), true, 12,
                          VxHandler<&WndSudoku::DoCancelSolve>, "WndSudoku::DoCancelSolve", true);
        else if (nextStep)
            SetButtonRole(running, Text(SdkTx::BtNextStep), false, 0,
                          VxHandler<&WndSudoku::DoNextStep>, "WndSudoku::DoNextStep", true);
        else if (create)
            SetButtonRole(running, Text(SdkTx::BtCreateGame), false, 0,
                          VxHandler<&WndSudoku::DoCreateGame>, "WndSudoku::DoCreateGame", true);
        else
            SetButtonRole(running, Text(SdkTx::BtSolve), false, 0, VxHandler<&WndSudoku::DoSolve>,
                          "WndSudoku::DoSolve", true);
    }
    ValidateStates();
}

// --- Title line -----------------------------------------------------------------------------

void WndSudoku::SetTitleLook(const QString &text, int colour, int background)
{
    QWidget *title = Child(QStringLiteral("STAT_TITLE"));
    if (VxCtl::GetText(title) != text)
        VxCtl::SetText(title, text);
    if (title->property("sdkTextColour").toInt() != colour ||
        !title->property("sdkTextColour").isValid()) {
        title->setProperty("sdkTextColour", colour);
        VxCtl::SetTextColor(title, colour);
    }
    if (title->property("sdkBkColour").toInt() != background ||
        !title->property("sdkBkColour").isValid()) {
        title->setProperty("sdkBkColour", background);
        VxCtl::SetBkColor(title, background);
    }
}

void WndSudoku::ViewAsDefinition(bool withStatus)
{
    if (game->IsThreadRunning())
        return;
    SetTitleLook(TitleText() + SdkTx::Separator + Text(SdkTx::DefinitionSuffix), 12, 7);
    if (withStatus)
        Status(Text(SdkTx::SetupFixValues), 9, 0);
}

void WndSudoku::ViewAsIncompleted()
{
    if (game->IsThreadRunning())
        return;
    const unsigned n = game->GetFixCount();
    if (n == 0) {
        SetTitleLook(TitleText() + SdkTx::Separator + Text(SdkTx::EmptyRiddleSuffix), 1, 7);
    } else if (n < SdkTx::MinFixNum) {
        QString suffix = Text(SdkTx::IncompleteRiddleSuffix);
        suffix.replace(QStringLiteral("$(MINFIXNUM)"), QString::number(SdkTx::MinFixNum));
        SetTitleLook(TitleText() + SdkTx::Separator + suffix, 13, 7);
    } else {
        SetTitleLook(TitleText(), 1, 7);
    }
    if (fixMode)
        ViewAsDefinition(false);
}

void WndSudoku::ViewAsCompleted(bool withStatus)
{
    if (game->IsThreadRunning())
        return;
    SetTitleLook(TitleText() + SdkTx::Separator + Text(SdkTx::CompletedSuffix), 7, 2);
    if (withStatus)
        Status(Text(SdkTx::GameCompleted), 2, 0);
    if (fixMode)
        ViewAsDefinition(withStatus);
}

void WndSudoku::RedrawGame(bool update)
{
    VxWDraw *draw = DrawWindow();
    VxCtl::Invalidate(draw);
    if (update)
        VxCtl::Update(draw);
}
