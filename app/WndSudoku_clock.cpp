// The playing time of the game, the pause and the statistics of finished games. The time lives
// in the game (and so in its file); the window only lets it run, once a tick, while a riddle is
// being played in the active window.
#include "app/WndSudoku.h"
#include "base/TOpSystem.h"
#include "velox/VxCtl.h"
#include "velox/VxModal.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const TString StatisticsKey = TString(SdkRegistryKey) + "\\Statistics";
// A tick never adds more than this, so a machine that slept does not count its sleep.
constexpr int64_t MaxTickMs = 1000;

const SdkText PausedStatus{"Das Spiel ist angehalten. Weiter mit P.",
                           "The game is paused. Press P to go on."};
const SdkText PauseCover{"PAUSE", "PAUSED"};
const SdkText StatisticsTitle{"Statistik", "Statistics"};
const SdkText KindNames[2] = {{"Vordefinierte Rätsel", "Predefined riddles"},
                              {"Berechnete Rätsel", "Computed riddles"}};
const SdkText LevelName{"Stufe %1", "Level %1"};
const SdkText ProfiName{"Profi", "Expert"};
const SdkText ColumnNames[3] = {
    {"Gelöst", "Finished"}, {"Bestzeit", "Best time"}, {"Durchschnitt", "Average"}};
const SdkText StatisticsNote{
    "Gezählt werden Rätsel, die ohne Vorschlag, Tipp und berechnete Lösung gelöst wurden.",
    "Counted are riddles finished without Proposal, Hint or the computed solution."};

TString StatName(int kind, int level, const char *what)
{
    return TString::Format("%s%d%s", kind == 1 ? "Predefined" : "Computed", level, what);
}

unsigned ReadStat(int kind, int level, const char *what)
{
    bool ok = false;
    const unsigned value = CurrentOS
                               ->ReadRegistryValue(TOpSystem::RootCurrentUser, StatisticsKey,
                                                   StatName(kind, level, what))
                               .AsUint(&ok);
    return ok ? value : 0;
}

void WriteStat(int kind, int level, const char *what, unsigned value)
{
    CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser, StatisticsKey,
                                  StatName(kind, level, what), TString::Format("%u", value));
}

// The given digits, '.' for every other field: another string is another riddle.
QString GivensOf(const Sudoku &game)
{
    QString givens;
    for (unsigned i = 0; i < 81; ++i) {
        const SdkField field = game.GetField(i / 9, i % 9);
        givens += field.IsFix() ? QChar(u'0' + field.GetValue()) : QChar(u'.');
    }
    return givens;
}
} // namespace

void WndSudoku::SetRiddleOrigin(int kind, int level)
{
    game->SetRiddleOrigin({kind, level});
    RiddleArrived();
}

void WndSudoku::MarkGameAssisted()
{
    game->SetRiddleOrigin({});
}

void WndSudoku::RiddleArrived()
{
    TLocker<Sudoku> lock(*game);
    riddleGivens = GivensOf(*game);
    finishRecorded = wasCompleted = game->IsCompleted();
    clockRemainderMs = 0;
}

void WndSudoku::TimerPlayClock()
{
    unsigned counts[10] = {};
    QString givens;
    unsigned fixCount = 0;
    unsigned seconds = 0;
    bool completed = false;
    bool running = false;
    bool created = false;
    {
        TLocker<Sudoku> lock(*game);
        running = game->IsThreadRunning();
        fixCount = game->GetFixCount();
        completed = game->IsCompleted();
        seconds = game->GetPlayTime();
        created = !running && game->WasCreateGameSuccessful();
        for (unsigned i = 0; i < 81; ++i)
            ++counts[game->GetField(i / 9, i % 9).GetValue()];
        givens = GivensOf(*game);
    }

    // The computed riddle that was asked for has arrived.
    if (expectedComputedLevel > 0 && !running && !HasTimerState(TS_CREATE)) {
        if (created && fixCount >= SdkTx::MinFixNum)
            SetRiddleOrigin(2, expectedComputedLevel);
        expectedComputedLevel = 0;
    }
    // Any other new set of givens keeps the origin the game brought along (from its file),
    // or none.
    if (givens != riddleGivens)
        RiddleArrived();

    const bool run = !paused && !fixMode && !running && fixCount >= SdkTx::MinFixNum &&
                     !completed && isActiveWindow();
    const int64_t now = NowMs();
    if (run && lastClockMs >= 0 && now > lastClockMs) {
        clockRemainderMs += std::min(now - lastClockMs, MaxTickMs);
        if (clockRemainderMs >= 1000) {
            seconds += unsigned(clockRemainderMs / 1000);
            clockRemainderMs %= 1000;
            game->SetPlayTime(seconds);
        }
    }
    lastClockMs = run ? now : -1;

    if (completed && !wasCompleted && !fixMode && !running && !finishRecorded) {
        const Sudoku::Origin origin = game->GetRiddleOrigin();
        if (origin.kind > 0)
            RecordFinishedGame(origin.kind, origin.level, seconds);
        finishRecorded = true;
    }
    wasCompleted = completed;

    UpdateAidWidgets(counts, seconds);
    ValidateAids(running, fixCount, completed);
}

void WndSudoku::RecordFinishedGame(int kind, int level, unsigned seconds)
{
    const unsigned count = ReadStat(kind, level, "Count");
    const unsigned best = ReadStat(kind, level, "Best");
    const unsigned total = ReadStat(kind, level, "Total");
    WriteStat(kind, level, "Count", count + 1);
    WriteStat(kind, level, "Best", count == 0 ? seconds : std::min(best, seconds));
    WriteStat(kind, level, "Total", total + seconds);
}

bool WndSudoku::DoPause(VxEvent &)
{
    bool playable = false;
    {
        TLocker<Sudoku> lock(*game);
        playable = !game->IsThreadRunning() && !fixMode &&
                   game->GetFixCount() >= SdkTx::MinFixNum && !game->IsCompleted();
    }
    if (paused || playable) {
        paused = !paused;
        if (paused && editWindow)
            TakeEditValue(false);
        // The board takes no input while it is hidden.
        if (VxWDraw *draw = DrawWindow()) {
            draw->setEnabled(!paused);
            if (!paused)
                VxCtl::SetFocus(draw);
        }
        Status(paused ? Text(PausedStatus) : QString(), 1, 0);
        RedrawGame(true);
    }
    if (QAction *a = FindAction(QStringLiteral("MN_PAUSE")))
        a->setChecked(paused);
    return true;
}

void WndSudoku::DrawPauseCover(VxVectorDrawArea &area)
{
    const GPoint min = area.Scale().GetMin();
    const GPoint max = area.Scale().GetMax();
    area.DrawRect(min, max, 0, 15, 1, 1, -1, 1);
    const QString text = Text(PauseCover);
    const double height = FieldSize;
    const GPoint size = area.GetTextSize(text, QStringLiteral("Arial"), height, 0, true);
    const GPoint pos((min.x + max.x - size.x) / 2, (min.y + max.y - size.y) / 2);
    area.DrawText(pos, text, QStringLiteral("Arial"), height, 8, 0, 17, 0, 0, true, false, false,
                  false, -1, 1);
}

bool WndSudoku::DoStatistics(VxEvent &)
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("SUDOKU_STATISTICS"));
    dialog.setWindowTitle(Text(StatisticsTitle));
    auto *layout = new QVBoxLayout(&dialog);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    layout->addLayout(grid);
    int row = 0;
    for (int kind = 1; kind <= 2; ++kind) {
        auto *heading = new QLabel(QStringLiteral("<b>%1</b>").arg(Text(KindNames[kind - 1])));
        grid->addWidget(heading, row, 0);
        for (int c = 0; c < 3; ++c)
            grid->addWidget(new QLabel(Text(ColumnNames[c])), row, c + 1, Qt::AlignRight);
        ++row;
        const int levels = kind == 1 ? 3 : 4;
        for (int level = 1; level <= levels; ++level) {
            const unsigned count = ReadStat(kind, level, "Count");
            const QString name =
                level == 4 ? Text(ProfiName) : Text(LevelName).arg(QString::number(level));
            grid->addWidget(new QLabel(name), row, 0);
            const QString best = count ? PlayTimeText(ReadStat(kind, level, "Best")) : "-";
            const QString average =
                count ? PlayTimeText(ReadStat(kind, level, "Total") / count) : "-";
            const QString cells[3] = {QString::number(count), best, average};
            for (int c = 0; c < 3; ++c) {
                auto *cell = new QLabel(cells[c]);
                cell->setObjectName(
                    QString::asprintf("STAT_%s_%d_%d", kind == 1 ? "PRE" : "COMP", level, c));
                grid->addWidget(cell, row, c + 1, Qt::AlignRight);
            }
            ++row;
        }
    }
    auto *note = new QLabel(Text(StatisticsNote));
    note->setWordWrap(true);
    layout->addWidget(note);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BT_OK"));
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    VxModal::Exec(dialog);
    return true;
}
