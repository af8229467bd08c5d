// Engine notifications, the status line, the title fields and the speed bar.
#include "app/WndSudoku.h"
#include "velox/VxCtl.h"

#include <QAbstractSlider>
#include <QLayout>
#include <QWidget>

// --- Notifications: on the worker they only store values ------------------------------------

bool WndSudoku::NotifyTryCreatedGame(SdkParam &param)
{
    TLocker<Sudoku> lock(*game);
    createTry = param.GetChanges();
    return true;
}

bool WndSudoku::NotifyLoadingStarted(SdkParam &)
{
    ++loadingDepth;
    return true;
}

bool WndSudoku::NotifyLoadingEnded(SdkParam &)
{
    unsigned depth = loadingDepth.load();
    while (depth > 0 && !loadingDepth.compare_exchange_weak(depth, depth - 1)) {
    }
    return true;
}

bool WndSudoku::NotifySolveStarted(SdkParam &param)
{
    solveLevel = param.GetLevel();
    return true;
}

bool WndSudoku::NotifySolveEnded(SdkParam &param)
{
    solveLevel = param.GetLevel() - 1;
    return true;
}

bool WndSudoku::NotifyTestValue(SdkParam &param)
{
    testDigit = int(param.GetDigit());
    testRow = int(param.GetRow());
    testColumn = int(param.GetColumn());
    return true;
}

QString WndSudoku::ValueNotAcceptedText(const SdkParam &param) const
{
    const QString digit = param.GetDigit() == SdkDigitEmpty
                              ? Text(SdkTx::EmptyDigit)
                              : QString::asprintf("%1d", unsigned(param.GetDigit()));
    return QString::asprintf(Text(SdkTx::ValueNotAccepted).toUtf8().constData(),
                             digit.toUtf8().constData(), param.GetRow() + 1, param.GetColumn() + 1);
}

bool WndSudoku::NotifyValueSolved(SdkParam &param)
{
    TLocker<Sudoku> lock(*game);
    pendingSolved.reset();
    // From the worker: keep the record for the timer, touch no window.
    if (game->IsThreadRunning()) {
        pendingSolved = std::make_unique<SdkParam>(param);
        return true;
    }
    if (!param.GetSuccess()) {
        Status(ValueNotAcceptedText(param), 12, 0);
    } else {
        SetStatusAfterStep(param.GetDigit(), param.GetRow(), param.GetColumn());
        if (game->IsCompleted())
            ViewAsCompleted(true);
    }
    RedrawGame(true);
    return true;
}

// --- Status line ----------------------------------------------------------------------------

void WndSudoku::Status(const QString &text, short colour, short seconds)
{
    {
        TLocker<TMutex> lock(timerMutex);
        timerState &= static_cast<unsigned short>(~TS_STATUS_TIMEOUT);
        statusTimeout = 0;
    }
    QWidget *status = Child(QStringLiteral("STAT_STATUS"));
    VxCtl::SetTextColor(status, colour);
    VxCtl::SetText(status, text);
    VxCtl::Update(status);
    statusTime = NowMs() / 1000;
    if (seconds > 0) {
        TLocker<TMutex> lock(timerMutex);
        statusTimeout = seconds;
        timerState |= TS_STATUS_TIMEOUT;
    }
}

void WndSudoku::EmptyStatus()
{
    Status(QString(), 1, 0);
}

void WndSudoku::SetStatusAfterStep(SdkDigit digit, unsigned row, unsigned column)
{
    if (loadingDepth > 0)
        return;
    QString text;
    if (digit == SdkDigitEmpty)
        text =
            QString::asprintf(Text(SdkTx::ValueDeleted).toUtf8().constData(), row + 1, column + 1);
    else
        text = QString::asprintf(Text(SdkTx::ValueSet).toUtf8().constData(), unsigned(digit),
                                 row + 1, column + 1);
    short colour = 2;
    unsigned badRow = 0;
    unsigned badColumn = 0;
    if (IsCheckedBox("CHK_VIEW_CONFLICTS") && game->FindUnsolvableField(badRow, badColumn, true)) {
        text = QString::asprintf(Text(SdkTx::UnsolvableField).toUtf8().constData(), badRow + 1,
                                 badColumn + 1);
        colour = 12;
    }
    Status(text, colour, 0);
}

// --- Title fields ---------------------------------------------------------------------------

// The level text and the running indicator stand right of a title shortened to the board's
// width while a computation runs; otherwise the title spans the whole window.
void WndSudoku::AlignTitleFields()
{
    QWidget *draw = FindChild(QStringLiteral("DRAW"));
    QWidget *title = FindChild(QStringLiteral("STAT_TITLE"));
    if (!draw || !title)
        return;
    bool computing = false;
    {
        TLocker<Sudoku> lock(*game);
        computing = game->IsThreadRunning() && (game->IsSolving() || game->IsCreating());
    }
    const int drawRight = draw->mapTo(this, QPoint(draw->width(), 0)).x();
    const QPoint titleLeft = title->mapTo(this, QPoint(0, 0));
    const int titleRight = titleLeft.x() + title->width();
    QWidget *level = Child(QStringLiteral("STAT_TITLE_LEVEL"));
    QWidget *running = Child(QStringLiteral("STAT_TITLE_RUNNING"));
    if (computing) {
        if (titleRight > drawRight + 10 || !level->isVisible()) {
            title->setMaximumWidth(std::max(0, drawRight - titleLeft.x()));
            VxCtl::Show(level, true);
            VxCtl::Show(running, true);
        }
    } else if (titleRight < drawRight + 10 || level->isVisible()) {
        title->setMaximumWidth(QWIDGETSIZE_MAX);
        VxCtl::Show(level, false);
        VxCtl::Show(running, false);
    } else {
        return;
    }
    if (QLayout *layout = title->parentWidget() ? title->parentWidget()->layout() : nullptr)
        layout->activate();
    VxCtl::Update(title);
}

// --- Speed bar ------------------------------------------------------------------------------

bool WndSudoku::ScrollSolutionSpeed(VxEventWnd &event)
{
    auto *bar = qobject_cast<QAbstractSlider *>(event.GetSourceWindow());
    const int p = int(1000 - game->GetDelayMs());
    int n = -1;
    switch (event.GetScrollCode()) {
    case VX_SCROLL_TO_MAX:
        n = 1000;
        break;
    case VX_SCROLL_TO_MIN:
        n = 0;
        break;
    case VX_SCROLL_LINE_ADD:
        n = p > 990 ? 1000 : p + 10;
        break;
    case VX_SCROLL_LINE_SUB:
        n = p < 10 ? 0 : p - 10;
        break;
    case VX_SCROLL_PAGE_ADD:
        n = p > 900 ? 1000 : p + 100;
        break;
    case VX_SCROLL_PAGE_SUB:
        n = p < 100 ? 0 : p - 100;
        break;
    case VX_SCROLL_THUMB_TRACK:
    case VX_SCROLL_THUMB_POSITION:
        n = event.GetPosition();
        break;
    default:
        break;
    }
    if (n < 0)
        return true;
    n = std::min(n, 1000);
    Status(QString::asprintf(Text(SdkTx::ChangingSpeed).toUtf8().constData(), n), 8, 2);
    if (bar) {
        bar->setSliderPosition(n);
        bar->setValue(n);
    }
    game->SetDelayMs(static_cast<uint16_t>(1000 - n));
    return true;
}
