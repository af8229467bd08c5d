// The technique solver's driver: techniques tried easiest first, rating, hint.
#include "engine/SdkTechBoard.h"
#include "engine/Sudoku.h"

#include <algorithm>
#include <climits>

namespace SdkTech {

namespace {

struct FinderEntry
{
    Finder find;
    SdkTechnique technique; // the finder's easiest technique
};

// In the order of their ratings; a finder whose base rating is no better than the
// best step found so far is not asked.
constexpr FinderEntry Finders[] = {
    {FindLastValue, SdkTechnique::LastValue},
    {FindHiddenSingleBox, SdkTechnique::HiddenSingleBox},
    {FindHiddenSingleLine, SdkTechnique::HiddenSingleLine},
    {FindNakedSingle, SdkTechnique::NakedSingle},
    {FindPointing, SdkTechnique::Pointing},
    {FindClaiming, SdkTechnique::Claiming},
    {FindNakedPair, SdkTechnique::NakedPair},
    {FindXWing, SdkTechnique::XWing},
    {FindHiddenPair, SdkTechnique::HiddenPair},
    {FindNakedTriple, SdkTechnique::NakedTriple},
    {FindSwordfish, SdkTechnique::Swordfish},
    {FindHiddenTriple, SdkTechnique::HiddenTriple},
    {FindXYWing, SdkTechnique::XYWing},
    {FindXYZWing, SdkTechnique::XYZWing},
    {FindUniqueRectangle, SdkTechnique::UniqueRectangle1},
    {FindNakedQuad, SdkTechnique::NakedQuad},
    {FindJellyfish, SdkTechnique::Jellyfish},
    {FindHiddenQuad, SdkTechnique::HiddenQuad},
    {FindBugPlus1, SdkTechnique::BugPlus1},
    {FindSkyscraper, SdkTechnique::Skyscraper},
    {FindTwoStringKite, SdkTechnique::TwoStringKite},
    {FindSimpleColouring, SdkTechnique::SimpleColouring},
    {FindXChain, SdkTechnique::XChain},
    {FindWWing, SdkTechnique::WWing},
    {FindXYChain, SdkTechnique::XYChain},
    {FindAlternatingChain, SdkTechnique::AlternatingChain},
    {FindNishio, SdkTechnique::ContradictionChain},
    {FindStaticForcingChain, SdkTechnique::ContradictionChain},
    {FindDynamicForcingChain, SdkTechnique::DynamicForcingChain},
};

// The effective steps of the lowest rating the board offers.
std::vector<SdkTechStep> EasiestSteps(const Board &b)
{
    std::vector<SdkTechStep> found, best;
    int bestRating = INT_MAX;
    for (const FinderEntry &f : Finders) {
        if (BaseRating(f.technique) >= bestRating)
            break;
        found.clear();
        f.find(b, found);
        for (SdkTechStep &s : found) {
            if (s.rating > bestRating || !b.Effective(s))
                continue;
            if (s.rating < bestRating) {
                best.clear();
                bestRating = s.rating;
            }
            best.push_back(std::move(s));
        }
    }
    return best;
}

// Nothing else helps: the solution's value in a cell with the fewest candidates.
bool TrialStep(const Board &b, const Grid *solution, SdkTechStep &step)
{
    if (!solution)
        return false;
    int cell = -1;
    for (int c = 0; c < 81; ++c)
        if (b.cand[c] && (cell < 0 || Bits(b.cand[c]) < Bits(b.cand[cell])))
            cell = c;
    if (cell < 0)
        return false;
    step = {};
    step.technique = SdkTechnique::Trial;
    step.rating = BaseRating(SdkTechnique::Trial);
    step.digits = Bit((*solution)[cell]);
    step.proof.push_back({uint8_t(cell), 0, SdkProofRole::Pattern});
    step.placements.push_back({uint8_t(cell), (*solution)[cell]});
    return true;
}

// Of equally easy steps the hint prefers one that places a value.
const SdkTechStep &Preferred(const std::vector<SdkTechStep> &steps)
{
    for (const SdkTechStep &s : steps)
        if (!s.placements.empty())
            return s;
    return steps.front();
}

// Works the board to its end. With batch every step of the easiest rating is
// applied at once (their conclusions all hold on the same board), which keeps
// rating fast; otherwise one step at a time. visit sees every applied step.
template<typename Visit>
void Run(Board &b, const Grid *solution, bool batch, Visit visit)
{
    for (int guard = 0; guard < 2000 && !b.Solved(); ++guard) {
        std::vector<SdkTechStep> steps = EasiestSteps(b);
        if (steps.empty()) {
            SdkTechStep trial;
            if (!TrialStep(b, solution, trial))
                return;
            steps.push_back(std::move(trial));
        }
        if (!batch) {
            SdkTechStep one = Preferred(steps);
            b.Apply(one);
            if (!visit(one))
                return;
            continue;
        }
        for (const SdkTechStep &s : steps)
            if (b.Apply(s) && !visit(s))
                return;
    }
}

// The finder that makes steps of a technique.
Finder FinderOf(SdkTechnique technique)
{
    switch (technique) {
    case SdkTechnique::UniqueRectangle2:
    case SdkTechnique::UniqueRectangle4:
        return FindUniqueRectangle;
    case SdkTechnique::BugType2:
        return FindBugPlus1;
    case SdkTechnique::CellForcingChain:
    case SdkTechnique::HouseForcingChain:
        return FindStaticForcingChain;
    default:
        break;
    }
    for (const FinderEntry &f : Finders)
        if (f.technique == technique)
            return f.find;
    return nullptr;
}

bool SameChanges(const SdkTechStep &a, const SdkTechStep &b)
{
    return a.technique == b.technique && a.placements == b.placements &&
           a.eliminations == b.eliminations;
}

// Whether steps, applied in order from start, are each still found on the board.
bool StillFound(const Board &start, const std::vector<SdkTechStep> &steps)
{
    Board b = start;
    std::vector<SdkTechStep> found;
    for (const SdkTechStep &s : steps) {
        Finder find = FinderOf(s.technique);
        found.clear();
        if (find)
            find(b, found);
        if (std::none_of(found.begin(), found.end(),
                         [&](const SdkTechStep &f) { return SameChanges(f, s); }))
            return false;
        b.Apply(s);
    }
    return true;
}

// Drops the eliminations the placement does not need, so the hint shows the
// shortest way to it.
void DropNeedless(const Board &start, std::vector<SdkTechStep> &steps)
{
    for (size_t i = steps.size() - 1; i-- > 0;) {
        std::vector<SdkTechStep> fewer = steps;
        fewer.erase(fewer.begin() + long(i));
        if (StillFound(start, fewer))
            steps = std::move(fewer);
    }
}

} // namespace

int BaseRating(SdkTechnique technique)
{
    static constexpr int ratings[] = {0,  10, 12, 15, 23, 26, 28, 30, 32,  34, 36, 38,
                                      40, 42, 44, 45, 46, 50, 52, 54, 56,  65, 65, 66,
                                      65, 65, 66, 70, 80, 80, 75, 85, 100, 57, 46};
    static_assert(std::size(ratings) == size_t(SdkTechnique::Count));
    return ratings[size_t(technique) < std::size(ratings) ? size_t(technique) : 0];
}

std::vector<SdkTechStep> Solve(const Grid &values, bool unique)
{
    Board b;
    std::vector<SdkTechStep> steps;
    if (!b.Load(values))
        return steps;
    b.unique = unique;
    Grid solution{};
    const bool solved = unique && SdkSolutionCounter::Count(values, 2, &solution) == 1;
    Run(b, solved ? &solution : nullptr, false, [&](const SdkTechStep &s) {
        steps.push_back(s);
        return true;
    });
    return steps;
}

SdkRating Rate(const Grid &riddle, const std::atomic<bool> *stop)
{
    SdkRating r;
    Board b;
    if (!b.Load(riddle))
        return r;
    Grid solution{};
    if (SdkSolutionCounter::Count(riddle, 2, &solution) != 1) {
        r.status = SdkRating::NoUniqueSolution;
        return r;
    }
    b.unique = true;
    r.status = SdkRating::Rated;
    Run(b, &solution, true, [&](const SdkTechStep &s) {
        if (stop && stop->load(std::memory_order_relaxed)) {
            r = {};
            r.status = SdkRating::Cancelled;
            return false;
        }
        ++r.steps;
        if (s.rating > r.rating) {
            r.rating = s.rating;
            r.hardest = s.technique;
        }
        return true;
    });
    return r;
}

SdkHint Hint(const Grid &givens, const Grid &values)
{
    SdkHint hint;
    Board b;
    if (!b.Load(givens))
        return hint;
    for (int c = 0; c < 81; ++c)
        if (givens[c] && values[c] != givens[c])
            return hint;
    Grid solution{};
    if (SdkSolutionCounter::Count(givens, 2, &solution) != 1) {
        hint.status = SdkHint::NoUniqueSolution;
        return hint;
    }
    // Checked before the values' own clashes: a clash always holds a wrong value.
    for (int c = 0; c < 81; ++c)
        if (values[c] && !givens[c] && values[c] != solution[c]) {
            hint.status = SdkHint::WrongValue;
            hint.wrongCell = c;
            hint.rightDigit = solution[c];
            return hint;
        }
    if (!b.Load(values))
        return hint;
    hint.status = b.Solved() ? SdkHint::Solved : SdkHint::Steps;
    b.unique = true;
    const Board start = b;
    Run(b, &solution, false, [&](const SdkTechStep &s) {
        hint.steps.push_back(s);
        return s.placements.empty();
    });
    DropNeedless(start, hint.steps);
    return hint;
}

void GridsOf(const Sudoku &game, Grid &givens, Grid &values)
{
    for (unsigned c = 0; c < 81; ++c) {
        SdkField f = game.GetField(c / 9, c % 9);
        values[c] = uint8_t(f.GetValue());
        givens[c] = f.IsFix() ? values[c] : 0;
    }
}

} // namespace SdkTech
