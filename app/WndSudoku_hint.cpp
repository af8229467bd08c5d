// The hint that teaches and the rating beside the counters.
//
// A hint is taken in up to four presses of the same command: where to look, the technique, the
// proof drawn on the board with one sentence per step, and the placement itself. It is worked
// out once, at the first press, from the values on the board; any other input, or a change of
// the values, ends it.
//
// The rating of a riddle can take long for hard riddles, so it runs on a thread of its own on a
// copy of the given digits. The engine's worker stays free for solving; the job shares nothing
// with the window but its own record, so the window may forget it at any time (a new riddle, the
// window closing): it raises the job's stop flag and the thread ends on its own.
#include "app/SdkHintText.h"
#include "app/WndSudoku.h"
#include "engine/SdkTechnique.h"
#include "velox/VxCtl.h"

#include <QApplication>
#include <QStringList>
#include <thread>

namespace {
const SdkText NothingToPlace{"Tipp: Es ist kein Wert mehr zu setzen.",
                             "Hint: There is no value left to place."};
const SdkText NoUniqueSolution{"Kein Tipp: Das Rätsel hat keine eindeutige Lösung.",
                               "No hint: The riddle has no unique solution."};
const SdkText DigitsClash{"Kein Tipp: Ziffern auf dem Brett widersprechen sich.",
                          "No hint: Digits on the board clash."};
const SdkText RatingComputing{"wird berechnet ...", "computing ..."};
const SdkText RatingNotUnique{"keine eindeutige Lösung", "no unique solution"};
const SdkText RatingInvalid{"widersprüchlich", "clashing digits"};

// Colour indices of the overlay.
enum : short {
    Black = 0,
    Green = 2,
    Red = 4,
    Magenta = 5,
    Yellow = 6,
    White = 7,
    LightGreen = 10,
    LightCyan = 11,
    LightRed = 12,
    LightMagenta = 13
};

const QString BoardFont = QStringLiteral("Arial");
constexpr double Third = WndSudoku::FieldSize / 3;
constexpr double MarkHeight = WndSudoku::FieldSize / 3.5;

short RoleColour(SdkProofRole role)
{
    switch (role) {
    case SdkProofRole::LinkOn:
        return LightGreen;
    case SdkProofRole::LinkOff:
        return Yellow;
    case SdkProofRole::Fin:
        return LightMagenta;
    case SdkProofRole::Pattern:
    default:
        return LightCyan;
    }
}

// The digits a cell may take by its row, column and box, from the values alone.
uint16_t Candidates(const SdkTech::Grid &values, int cell)
{
    if (values[size_t(cell)] != 0)
        return 0;
    const int row = cell / 9;
    const int column = cell % 9;
    uint16_t used = 0;
    for (int i = 0; i < 9; ++i) {
        used |= uint16_t(1u << values[size_t(row * 9 + i)]);
        used |= uint16_t(1u << values[size_t(i * 9 + column)]);
        const int r = row / 3 * 3 + i / 3;
        const int c = column / 3 * 3 + i % 3;
        used |= uint16_t(1u << values[size_t(r * 9 + c)]);
    }
    return uint16_t(~used & 0x3FE);
}
} // namespace

struct WndSudoku::HintData
{
    // The hint: stage 0 none, 1 where to look, 2 technique, 3 proof.
    int stage = 0;
    SdkHint hint;
    SdkTech::Grid values{};

    // The rating of the riddle on the board, and the job computing one.
    struct RatingJob
    {
        SdkTech::Grid givens{};
        SdkRating result;
        std::atomic<bool> done{false};
        std::atomic<bool> stop{false};
    };
    ~HintData()
    {
        // The window goes: the rating of its riddle is of no use any more.
        if (job)
            job->stop = true;
    }
    std::shared_ptr<RatingJob> job;
    bool rated = false;
    SdkTech::Grid ratedGivens{};
    SdkRating rating;
};

WndSudoku::HintData &WndSudoku::Hint()
{
    if (!hintData)
        hintData = std::make_shared<HintData>();
    return *hintData;
}

bool WndSudoku::DoHint(VxEvent &)
{
    HintData &h = Hint();
    QString text;
    short colour = 1;
    {
        TLocker<Sudoku> lock(*game);
        if (game->IsThreadRunning() || fixMode || game->GetFixCount() < SdkTx::MinFixNum)
            return true;
        MarkGameAssisted();
        SdkTech::Grid givens{};
        SdkTech::Grid values{};
        SdkTech::GridsOf(*game, givens, values);
        // A hint shown for other values than these is over, even before the timer noticed.
        if (h.stage == 0 || h.hint.status != SdkHint::Steps || values != h.values) {
            h.values = values;
            QApplication::setOverrideCursor(Qt::WaitCursor);
            h.hint = SdkTech::Hint(givens, h.values);
            QApplication::restoreOverrideCursor();
            h.stage = 0;
        }
        switch (h.hint.status) {
        case SdkHint::WrongValue:
            h.stage = 1;
            text = SdkHintText::WrongValueText(h.hint.wrongCell, GetLanguage());
            colour = 12;
            break;
        case SdkHint::Solved:
            text = Text(NothingToPlace);
            break;
        case SdkHint::NoUniqueSolution:
            text = Text(NoUniqueSolution);
            colour = 12;
            break;
        case SdkHint::Invalid:
            text = Text(DigitsClash);
            colour = 12;
            break;
        case SdkHint::Steps:
            if (h.hint.steps.empty())
                break;
            ++h.stage;
            if (h.stage == 1) {
                text = SdkHintText::LookAtText(h.hint.steps.front(), GetLanguage());
                colour = 9;
            } else if (h.stage == 2) {
                text = SdkHintText::TechniquesText(h.hint.steps, GetLanguage());
            } else if (h.stage == 3) {
                QStringList sentences;
                for (const SdkTechStep &step : h.hint.steps)
                    sentences << SdkHintText::StepSentence(step, GetLanguage());
                text = sentences.join(QLatin1Char(' '));
            } else {
                PlaceHint();
                return true;
            }
            break;
        }
        if (h.hint.status != SdkHint::Steps && h.hint.status != SdkHint::WrongValue)
            h.stage = 0;
    }
    RedrawGame(true);
    if (!text.isEmpty())
        Status(text, colour, 0);
    return true;
}

void WndSudoku::PlaceHint()
{
    HintData &h = Hint();
    const std::vector<SdkTechCandidate> &placements = h.hint.steps.back().placements;
    h.stage = 0;
    if (placements.empty()) {
        RedrawGame(true);
        return;
    }
    const SdkTechCandidate p = placements.front();
    // Like a typed digit: recorded, undoable, and reported by the value notification.
    game->ResetLastChanges();
    (void)game->SetValue(SdkDigit(p.digit), unsigned(p.cell / 9), unsigned(p.cell % 9));
    RedrawGame(true);
    ValidateStates();
}

void WndSudoku::EndHint()
{
    if (!hintData || hintData->stage == 0)
        return;
    hintData->stage = 0;
    RedrawGame(false);
}

void WndSudoku::TimerHint()
{
    if (!hintData || hintData->stage == 0)
        return;
    SdkTech::Grid givens{};
    SdkTech::Grid values{};
    bool running = false;
    {
        TLocker<Sudoku> lock(*game);
        running = game->IsThreadRunning();
        SdkTech::GridsOf(*game, givens, values);
    }
    if (running || values != hintData->values)
        EndHint();
}

// --- Drawing --------------------------------------------------------------------------------

namespace {
void Outline(VxVectorDrawArea &area, GPoint p1, GPoint p2, short colour, int width)
{
    // Inside the box, so neighbouring grid lines stay visible.
    const GPoint inset(WndSudoku::FieldSize / 40, WndSudoku::FieldSize / 40);
    area.DrawRect(p1 + inset, p2 - inset, colour, -1, 1, width, -1, 1);
}

void HouseBox(const GScale &scale, const SdkHouse &house, GPoint &p1, GPoint &p2)
{
    unsigned r1 = 0;
    unsigned c1 = 0;
    unsigned r2 = 8;
    unsigned c2 = 8;
    if (house.type == SdkBlockRow) {
        r1 = r2 = house.index;
    } else if (house.type == SdkBlockColumn) {
        c1 = c2 = house.index;
    } else {
        r1 = house.index / 3u * 3u;
        c1 = house.index % 3u * 3u;
        r2 = r1 + 2;
        c2 = c1 + 2;
    }
    GPoint q1;
    GPoint q2;
    WndSudoku::GetBox(scale, p1, q1, r1, c1);
    WndSudoku::GetBox(scale, q2, p2, r2, c2);
}
} // namespace

void WndSudoku::DrawHint(VxVectorDrawArea &area)
{
    if (!hintData || hintData->stage == 0)
        return;
    const HintData &h = *hintData;
    const GScale &scale = area.Scale();
    GPoint p1;
    GPoint p2;
    if (h.hint.status == SdkHint::WrongValue) {
        if (GetBox(scale, p1, p2, unsigned(h.hint.wrongCell / 9), unsigned(h.hint.wrongCell % 9)))
            Outline(area, p1, p2, LightRed, 4);
        return;
    }
    if (h.hint.steps.empty())
        return;
    if (h.stage >= 3)
        DrawHintProof(area);
    const SdkHintText::LookAt look = SdkHintText::WhereToLook(h.hint.steps.front());
    if (look.isHouse)
        HouseBox(scale, look.house, p1, p2);
    else if (!GetBox(scale, p1, p2, unsigned(look.cell / 9), unsigned(look.cell % 9)))
        return;
    Outline(area, p1, p2, Magenta, 4);
}

void WndSudoku::DrawHintProof(VxVectorDrawArea &area)
{
    const HintData &h = *hintData;
    // Per cell and digit: 0 plain, else the fill colour of the mark; whole-cell marks apart.
    std::array<std::array<short, 10>, 81> marks{};
    std::array<short, 81> cellFrames{};
    std::array<bool, 81> touched{};
    for (const SdkTechStep &step : h.hint.steps) {
        for (const SdkProofMark &m : step.proof) {
            touched[m.cell] = true;
            if (m.digit == 0)
                cellFrames[m.cell] = RoleColour(m.role);
            else if (marks[m.cell][m.digit] == 0)
                marks[m.cell][m.digit] = RoleColour(m.role);
        }
        for (const SdkTechCandidate &e : step.eliminations) {
            touched[e.cell] = true;
            marks[e.cell][e.digit] = LightRed;
        }
        for (const SdkTechCandidate &p : step.placements) {
            touched[p.cell] = true;
            marks[p.cell][p.digit] = Green;
        }
    }
    const GScale &scale = area.Scale();
    for (int cell = 0; cell < 81; ++cell) {
        if (!touched[size_t(cell)] || h.values[size_t(cell)] != 0)
            continue;
        GPoint p1;
        GPoint p2;
        GetBox(scale, p1, p2, unsigned(cell / 9), unsigned(cell % 9));
        // The board's own candidate text gives way to the candidates in their places.
        const GPoint inset(FieldSize / 40, FieldSize / 40);
        area.DrawRect(p1 + inset, p2 - inset, White, White, 1, 1, -1, 1);
        const uint16_t candidates = Candidates(h.values, cell);
        for (int d = 1; d <= 9; ++d) {
            const short fill = marks[size_t(cell)][size_t(d)];
            if (!(candidates & (1u << d)) && fill == 0)
                continue;
            const GPoint s1(p1.x + (d - 1) % 3 * Third, p1.y + (d - 1) / 3 * Third);
            const GPoint s2 = s1 + GPoint(Third, Third);
            if (fill != 0)
                area.DrawRect(s1 + inset, s2 - inset, fill, fill, 1, 1, -1, 1);
            const QString digit = QString::number(d);
            const GPoint size = area.GetTextSize(digit, BoardFont, MarkHeight);
            const GPoint pos(s1.x + (Third - size.x) / 2, s1.y + (Third - size.y) / 2);
            const bool eliminated = fill == LightRed;
            area.DrawText(pos, digit, BoardFont, MarkHeight,
                          fill == Green ? White
                          : eliminated  ? Red
                                        : Black,
                          0, 17, 0, 0, fill == Green, false, false, eliminated, -1, 1);
        }
        if (cellFrames[size_t(cell)] != 0) {
            GPoint f1 = p1;
            GPoint f2 = p2;
            Outline(area, f1, f2, cellFrames[size_t(cell)], 3);
        }
    }
}

// --- Rating ---------------------------------------------------------------------------------

QString WndSudoku::RatingText(bool technique) const
{
    if (!hintData || !hintData->rated)
        return technique ? QString() : Text(RatingComputing);
    const SdkRating &r = hintData->rating;
    if (technique)
        return r.status == SdkRating::Rated ? SdkHintText::TechniqueName(r.hardest, GetLanguage())
                                            : QString();
    if (r.status == SdkRating::NoUniqueSolution)
        return Text(RatingNotUnique);
    if (r.status == SdkRating::Invalid)
        return Text(RatingInvalid);
    return SdkHintText::RatingValue(r.rating, GetLanguage());
}

void WndSudoku::TimerRating()
{
    HintData &h = Hint();
    SdkTech::Grid givens{};
    bool played = false;
    {
        TLocker<Sudoku> lock(*game);
        played = !fixMode && !game->IsCreating() && game->GetFixCount() >= SdkTx::MinFixNum;
        if (played) {
            SdkTech::Grid values{};
            SdkTech::GridsOf(*game, givens, values);
        }
    }
    if (played) {
        if (h.job && h.job->givens != givens)
            h.job->stop = true;
        if (h.job && h.job->done.load(std::memory_order_acquire)) {
            if (h.job->givens == givens && h.job->result.status != SdkRating::Cancelled) {
                h.rated = true;
                h.ratedGivens = givens;
                h.rating = h.job->result;
            }
            h.job.reset();
        }
        if (h.rated && h.ratedGivens != givens)
            h.rated = false;
        // One job at a time: a job for an old riddle is stopped and then replaced.
        if (!h.rated && !h.job) {
            auto job = std::make_shared<HintData::RatingJob>();
            job->givens = givens;
            h.job = job;
            std::thread([job] {
                job->result = SdkTech::Rate(job->givens, &job->stop);
                job->done.store(true, std::memory_order_release);
            }).detach();
        }
    }
    const bool show = played && !hideRating;
    if (show) {
        SetTextIfChanged("STAT_RATING", RatingText(false));
        SetTextIfChanged("STAT_RATING_TECHNIQUE", RatingText(true));
    }
    // The value, the technique below it and their label come and go together.
    if (Child(QStringLiteral("STAT_RATING"))->isHidden() == show) {
        for (const char *name : {"LABEL_RATING", "STAT_RATING", "STAT_RATING_TECHNIQUE"})
            VxCtl::Show(Child(QLatin1String(name)), show);
    }
}
