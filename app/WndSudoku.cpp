#include "app/WndSudoku.h"
#include "app/SdkAccessible.h"

#include "app/SdkWndOptions.h"
#include "base/TTimeMs.h"
#include "msgbox/VxWndMessage.h"
#include "velox/VxCtl.h"
#include "velox/VxResource.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>

TDYN_IMPLEMENT(WndSudoku, "VxWFrame");

WndSudoku::WndSudoku() : windowTimer(this, 20), game(std::make_unique<Sudoku>())
{
    Construct();
}

WndSudoku::WndSudoku(QWidget *parent)
    : VxWFrame(parent), windowTimer(this, 20), game(std::make_unique<Sudoku>())
{
    Construct();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    LoadCustomWindow(QStringLiteral("SUDOKU_MAIN"));
    QApplication::restoreOverrideCursor();
}

void WndSudoku::Construct()
{
    // The board asks for "Arial"; where it is missing its metric twin stands in, so that text
    // measures as the layout expects.
    static const bool fontsSubstituted = [] {
        if (!QFontDatabase::hasFamily(QStringLiteral("Arial")))
            QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"),
                                                                 QStringLiteral("Arimo")});
        if (!QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif")))
            QFont::insertSubstitutions(
                QStringLiteral("MS Sans Serif"),
                {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
        return true;
    }();
    (void)fontsSubstituted;
    editFont.setFamilies({QStringLiteral("MS Sans Serif")});
    ReadLanguage();
    ReadDelay();
}

WndSudoku::~WndSudoku()
{
    // No worker may call a notification handler into a half-destroyed window.
    game->StopThread();
    pendingSolved.reset();
    game.reset();
}

void WndSudoku::SetClock(std::function<int64_t()> newClock)
{
    clock = std::move(newClock);
}

int64_t WndSudoku::NowMs() const
{
    if (clock)
        return clock();
    TTimeMs now;
    now.InitCurrentTime();
    return now.GetMs();
}

QString WndSudoku::Text(const SdkText &text) const
{
    return Tx(text, languageIndex);
}

QString WndSudoku::TitleText() const
{
    return QString::fromLatin1(SdkTx::Title);
}

// --- Timer state ----------------------------------------------------------------------------

unsigned short WndSudoku::GetTimerState() const
{
    TLocker<TMutex> lock(timerMutex);
    return timerState;
}

bool WndSudoku::HasTimerState(unsigned short bits) const
{
    TLocker<TMutex> lock(timerMutex);
    return (timerState & bits) != 0;
}

void WndSudoku::AddTimerState(unsigned short bits)
{
    TLocker<TMutex> lock(timerMutex);
    timerState |= bits;
}

void WndSudoku::RemoveTimerState(unsigned short bits)
{
    TLocker<TMutex> lock(timerMutex);
    timerState &= static_cast<unsigned short>(~bits);
}

// --- Small control helpers ------------------------------------------------------------------

bool WndSudoku::SetTextIfChanged(const char *name, const QString &text)
{
    QWidget *w = Child(QLatin1String(name));
    if (VxCtl::GetText(w) == text)
        return false;
    VxCtl::SetText(w, text);
    VxCtl::Update(w);
    return true;
}

void WndSudoku::SetStatTitle(const QString &text)
{
    SetTextIfChanged("STAT_TITLE", text);
}

void WndSudoku::EnableControl(const char *name, bool enable)
{
    QWidget *w = Child(QLatin1String(name));
    if (w->isEnabled() != enable)
        w->setEnabled(enable);
}

void WndSudoku::EnableMenu(const char *name, bool enable)
{
    EnableMenuItem(QLatin1String(name), enable);
}

bool WndSudoku::IsCheckedBox(const char *name)
{
    return VxCtl::IsChecked(FindChild(QLatin1String(name)));
}

// --- Life cycle -----------------------------------------------------------------------------

void WndSudoku::RegisterNotifications(bool add)
{
    struct Handler
    {
        const char *event;
        bool (WndSudoku::*member)(SdkParam &);
    };
    static const Handler handlers[] = {
        {SDK_TRY_CREATED_GAME, &WndSudoku::NotifyTryCreatedGame},
        {SDK_START_LOADING, &WndSudoku::NotifyLoadingStarted},
        {SDK_END_LOADING, &WndSudoku::NotifyLoadingEnded},
        {SDK_START_SOLVING, &WndSudoku::NotifySolveStarted},
        {SDK_END_SOLVING, &WndSudoku::NotifySolveEnded},
        {SDK_VALUE_SOLVED, &WndSudoku::NotifyValueSolved},
        {SDK_TEST_VALUE, &WndSudoku::NotifyTestValue},
    };
    TMvc &mvc = game->MVC();
    for (const Handler &h : handlers) {
        if (add)
            mvc.AddNotification(h.event, this, h.member);
        else
            mvc.RemoveNotification(h.event, this);
    }
}

bool WndSudoku::EvInit()
{
    SdkAccessible::Install();
    AddTimerState(TS_STARTUP);
    if (languageIndex == -1) {
        languageIndex = 0;
        AddTimerState(TS_ASK_LANGUAGE);
    }
    // The form's layout keeps the window's lower edge 3 pixels below the status line.
    RegisterNotifications(true);
    VxCtl::SetText(Child(QStringLiteral("STAT_TITLE_LEVEL")), QString());
    VxCtl::SetText(Child(QStringLiteral("STAT_TITLE_RUNNING")), QString());

    if (auto *speed =
            qobject_cast<QAbstractSlider *>(FindChild(QStringLiteral("SC_SOLUTION_SPEED")))) {
        speed->setRange(0, 1000);
        speed->setSingleStep(10);
        speed->setPageStep(100);
        speed->setValue(1000 - int(game->GetDelayMs()));
    }
    windowTimer.Start(20);

    if (VxWDraw *draw = DrawWindow()) {
        VxLinks::Bind(draw, QLatin1String(VX_LINK_CALCFOCUSRECT), this,
                      VxHandler<&WndSudoku::CalcGameFocusRect>,
                      QStringLiteral("WndSudoku::CalcGameFocusRect"));
        GScale &scale = draw->GetContent()->Scale();
        scale.SetScale(0, 0, 9 * FieldSize, 9 * FieldSize);
        scale.SetYTurned(false);
        scale.SetProportional(true);
    }

    {
        SdkWndOptions options(languageIndex, this);
        game->SetDeepCalcResultSets(options.GetDeepCalc());
        markActiveField = options.GetMarkActiveField();
        playAids = options.GetPlayAids();
        hideRating = options.GetHideRating();
        if (options.GetViewRs())
            VxCtl::SetChecked(Child(QStringLiteral("CHK_VIEW_RS")), true);
        if (options.GetViewRsSingle())
            VxCtl::SetChecked(Child(QStringLiteral("CHK_VIEW_RS_SINGLE")), true);
        if (options.GetViewConflicts())
            VxCtl::SetChecked(Child(QStringLiteral("CHK_VIEW_CONFLICTS")), true);
    }

    if (!game->LoadCurrentGame())
        (void)game->StartGame(false, false, true);

    EmptyStatus();
    for (const char *name : {"STAT_STACK", "LABEL_BT_STEPS", "STAT_BT_STEPS"})
        VxCtl::SetText(Child(QLatin1String(name)), QString());
    VxCtl::Show(Child(QStringLiteral("LABEL_BT_STEPS")), false);
    VxCtl::Show(Child(QStringLiteral("STAT_BT_STEPS")), false);

    Localize();

    if (game->IsCompleted())
        ViewAsCompleted(true);
    else
        ViewAsIncompleted();
    ValidateStates();

    const unsigned fixCount = game->GetFixCount();
    if (fixCount >= SdkTx::MinFixNum && !game->IsCompleted())
        VxCtl::SetFocus(DrawWindow());
    else if (fixCount >= 1 && fixCount < SdkTx::MinFixNum)
        ResumeDefinition();
    else
        VxCtl::SetFocus(Child(QStringLiteral("BT_CREATE_GAME")));

    InitEditFont();
    InitAids();
    return true;
}

void WndSudoku::ResumeDefinition()
{
    (void)game->StartGame(false, false, false);
    fixMode = true;
    savedDeepCalc = game->IsDeepCalcResultSets();
    VxCtl::SetFocus(DrawWindow());
    RedrawGame(true);
    ViewAsIncompleted();
    ValidateStates();
}

bool WndSudoku::EvClose()
{
    const SdkText *refusal = nullptr;
    game->Lock();
    if (fixMode)
        refusal = &SdkTx::CloseRefusedDefinition;
    else if (game->IsThreadRunning())
        refusal = &SdkTx::CloseRefusedRunning;
    else
        WriteDelay();
    game->Release();

    if (!refusal) {
        {
            TLocker<TMutex> lock(timerMutex);
            windowTimer.Stop();
        }
        game->SaveCurrentGame();
        return VxWFrame::EvClose();
    }
    QString text = Text(*refusal);
    text.replace(QStringLiteral("$(TITLE)"), TitleText());
    VxWndMessage::StartMsg(static_cast<unsigned short>(GetLanguage()),
                           Text(SdkTx::InformationTitle), text, this, 0, QSize(450, 230), false);
    return true;
}

bool WndSudoku::EvDestroy()
{
    RegisterNotifications(false);
    game->StopThread();
    pendingSolved.reset();
    return true;
}

bool WndSudoku::DoExit(VxEvent &)
{
    Close(false);
    return true;
}
