// The technique solver: each technique found where it is the easiest next step,
// every step true to the solution, the checks of a hint and the rating's verdicts.
#include "engine/SdkTechBoard.h"
#include "engine/SdkTechnique.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Grid = SdkSolutionCounter::Grid;

Grid G(const char *line)
{
    Grid grid{};
    EXPECT_TRUE(SdkSolutionCounter::Parse(line, grid)) << line;
    return grid;
}

Grid SolutionOf(const Grid &riddle)
{
    Grid solution{};
    EXPECT_EQ(SdkSolutionCounter::Count(riddle, 2, &solution), 1u);
    return solution;
}

// "+484 -937": place 4 at row 4 column 8; remove 7 from row 9 column 3; in text order.
std::string Changes(const SdkTechStep &s)
{
    std::set<std::string> words;
    for (const auto &[cs, sign] : {std::pair{&s.placements, '+'}, std::pair{&s.eliminations, '-'}})
        for (const SdkTechCandidate &c : *cs)
            words.insert(
                {sign, char('1' + c.cell / 9), char('1' + c.cell % 9), char('0' + c.digit)});
    std::string text;
    for (const std::string &w : words)
        text += (text.empty() ? "" : " ") + w;
    return text;
}

// Placements are the solution's digits; eliminations never remove one.
void ExpectTrue(const SdkTechStep &s, const Grid &solution)
{
    for (const SdkTechCandidate &p : s.placements)
        EXPECT_EQ(p.digit, solution[p.cell]) << "technique " << int(s.technique);
    for (const SdkTechCandidate &e : s.eliminations)
        EXPECT_NE(e.digit, solution[e.cell]) << "technique " << int(s.technique);
}

struct TechCase
{
    SdkTechnique technique;
    const char *givens;
    const char *values;  // givens and played values
    const char *changes; // as Changes gives them
};

// Game positions met while solving riddles of the shared sets, each the first
// position where the technique is the easiest step.
const TechCase TechCases[] = {
    {SdkTechnique::LastValue,
     ".6.8.2.3..3.1.7.6.2.......13.19.65.2.4..8..1..7..2..8....764....14...69..........",
     "16.8.2.3.43.1.726.2..6....13819765.2.42.8..1..7..21.8....764....14...69..........", "+484"},
    {SdkTechnique::HiddenSingleBox,
     ".6.8.2.3..3.1.7.6.2.......13.19.65.2.4..8..1..7..2..8....764....14...69..........",
     ".6.8.2.3..3.1.7.6.2.......13.19.65.2.4..8..1..7..2..8....764....14...69..........", "+111"},
    {SdkTechnique::HiddenSingleLine,
     ".6.8.2.3..3.1.7.6.2.......13.19.65.2.4..8..1..7..2..8....764....14...69..........",
     "16.8.2.3.43.1.726.2..6....1381976542.42.8..1..7.421.8....7641...14..869.....19...", "+842"},
    {SdkTechnique::NakedSingle,
     ".6.8.2.3..3.1.7.6.2.......13.19.65.2.4..8..1..7..2..8....764....14...69..........",
     "16.8.2.3.43.1.726.29.6....1381976542.42.8..1.57.421.8....7641...142.869.....19...", "+817"},
    {SdkTechnique::Pointing,
     ".6.8.2.3..3.1.7.6.2.......13.19.65.2.4..8..1..7..2..8....764....14...69..........",
     "16.8.2.3.43.1.726.2..6....1381976542.42.8..1..7.421.8....7641...142.869.....19...", "-937"},
    {SdkTechnique::Claiming,
     "...7..31.1.6.94...4....3.9..25.....1.9..2..6.6.....27..8.1....7...43.1.2.41..7...",
     ".5.76.314136.9472.47..13.96.25.7...1794321.6.61..4527..8.15...7567439182.41.87.5.",
     "-478 -698"},
    {SdkTechnique::NakedPair,
     ".48...76.1..4.7..5.5.....1.91.....84...2.1....7.....3.............8.9...8.5.7.2.9",
     "2489157631..487925759..24189127...84.8.241.97.7..98132.9..248...2.8.93..8.517.249",
     "-636 -733 -736 -836"},
    {SdkTechnique::XWing,
     "3.82.15.77..8.6..2.........6..7.3..1.8.4.5.9..3.....5.8..172..5...........1...4..",
     "3.82.15.77..8.6..2.....7...6..7.3..11874.5.9..32.1875.8..172..5.....4.....1..94..",
     "-324 -334 -354 -384"},
    {SdkTechnique::HiddenPair,
     "....6..7.....3.569...1......5.4..13...89.16...71..2.8......3...485.1.....6..4....",
     "....6..71....3.569..61......5.4861373489716..671352984.....3...485.1.....63.4....",
     "-312 -318 -319 -364 -368 -369"},
    {SdkTechnique::NakedTriple,
     "9...2.....613......8.6..13...5..4.1.....3.....2.5..7...72..9.4......698.....4...7",
     "9..421....6138.....8.69.13...5..4.1.....32....2.5.87...72..9.4......698.....43..7",
     "-534 -537 -633 -634"},
    {SdkTechnique::Swordfish,
     "1..9....3..87.65...75..149..52....87....9....71....23..971..35...15.87..5....9..1",
     "1..9...739.87.6512.75..149..52.13987...2971.5719...23..9716.35...15.87.95...79..1",
     "-516 -816"},
    {SdkTechnique::HiddenTriple,
     "..4....3...61..2.72........7...94..394.3.6.218..51...9........44.9..81...5....8..",
     "514..293.3861.92.7297....1.7612945839453867218..517..9..8...3.44.9..81...5....8..",
     "-946 -952 -953 -956 -986"},
    {SdkTechnique::XYWing,
     "....7......65.28....7.4.2...853.967.....8.....34...19.1..8.7..63..2.4..5.........",
     "423.78..1916532847857.412..285319674791486...63472519814.857..636829471557.16348.", "-593"},
    {SdkTechnique::XYZWing,
     "3...7...494.613.27...5.9....1.457.9.5..198..6..........5.....8...9...4..18.....63",
     "36.8729.494.613.27...54963..1645739.5..198..6.9.236....5..6..896.9.8.4..18.92..63", "-895"},
    {SdkTechnique::UniqueRectangle1,
     ".9.4.6.5.1..5..6.4.45...3..8......29....7....91......3..7...21.2.1..4..5.3.1.8.4.",
     "7984361521235.76.4645...3.787.....2935..7..6191.....73467...218281764935539128746",
     "-358 -359"},
    {SdkTechnique::UniqueRectangle2,
     ".5.3.....8.9..7..42.4...3..97.2.3.......5.......7.4.91..7...8.51..6..9.3.....8.1.",
     "75634..8.839..7..42148..3..97.2.3...4...5..3....784.916.7.3.8.51..6..9.3.....8.1.",
     "-532 -832"},
    {SdkTechnique::NakedQuad,
     ".6......5....4....2........58.1...9..7.96.518..94...7..5..7..4...7...9....285.6..",
     ".6......5....4....2........586137294.7.962518129485376651379842837624951..2851637",
     "-233 -247 -263"},
    {SdkTechnique::Jellyfish,
     "1..9....3..87.65...75..149..52....87....9....71....23..971..35...15.87..5....9..1",
     "1..9...739.87.6512.75..149..52.13987...2971.5719...23..971..35...15.87.95...79..1",
     "-516 -816 -856 -946"},
    {SdkTechnique::BugPlus1,
     "....6.......3.5...2.......98.51.92.6.........9..586..743.....68..8.9.1...9.628.7.",
     "...962.8..893.5.2.2..81..39875139246.1.2..895924586317432751968768493152591628473", "+377"},
    {SdkTechnique::Skyscraper,
     "..4....3...61..2.72........7...94..394.3.6.218..51...9........44.9..81...5....8..",
     "..4....3..861.92.72......1.7612945839453867218..517..9..8...3.44.9..81...5....8..",
     "-323 -913"},
    {SdkTechnique::TwoStringKite,
     "...321.............7.9.4.3..5..3..4..146.938.3.......1..2...8..79.....15.45...92.",
     "...3217...2357.1...719.4.3..5.13..4.2146593873...4...113249587679.2.3415.45.1.923", "-316"},
    {SdkTechnique::WWing,
     "347....696.......8..87..4.1....7.6.....5.3.....4.8....4.3..91..7.......556....942",
     "34712856961.3..728..87..4318...7261...65.389...4.8.25.483259176792...385561837942", "-554"},
    {SdkTechnique::SimpleColouring,
     ".17.3.96.4...7...3...1.6...53..2..18.2.3.8.7............4...8..8..6.9..11.......9",
     "21783.96.4..9721.3...1.6..7539.2.618621398.7.748561392..4.1.8.68..6.9..11...8...9", "-874"},
    {SdkTechnique::XChain,
     ".3.9.5...8.4.......9...4.23.8...1..5..24.98..1..6...4.94.2...3.......2.4...7.8.9.",
     "23.9.54..8.4132.59.9.8.4.2348.3219.53.24598..15968734294.216.3..1.5932.4.23748.9.", "-887"},
    {SdkTechnique::XYChain,
     "..71694..26.............37....6...5.845...613.1...8....52.............34..65748..",
     "..71694..264.3.1....14..376723641958845...613619358247452..376..78..6534..65748..", "-799"},
    {SdkTechnique::AlternatingChain,
     "5...8.9.4...25...8...19....7.1..2.9...3...6...2.9..5.7....79...1...26...6.4.1...5",
     "51.68.9.43.925...88..19..5.7518624939837456..42693158723..79...17..26..9694318..5", "-281"},
    {SdkTechnique::CellForcingChain,
     "9....3.26.6...4...7.3.5.8...2.3.......7...3.......1.6...1.9.6.8...1...5.84.6....9",
     "9.4..3.26.6.9.4...713256894.2.3.......7...3.......1.6...1.9.6.8...1.8.5.84.63...9", "-558"},
    {SdkTechnique::ContradictionChain,
     "...8...6..43.5...89....7...3...9.1.2.2.....3.5.1.3...6...3....91...7.32..3...2...",
     "...8.396..43.59..89....7..33...9.1.2.29....3.5.123..96...3....919..7.32..3.9.2...", "-446"},
    {SdkTechnique::UniqueRectangle4,
     ".2.....8.6...8...1..86759.....147....8.....7.5.......2..2...4...6..9..3.4.3.6.2.7",
     ".2..1..8.6...8...1..867592.2..147....8.526.7.5..938..2..27534...6..9..3.4.38612.7",
     "-244 -264"},
    {SdkTechnique::BugType2,
     "8............1.9.....753.485.8.3..97..6.7.8..17..6.2.432.985.....4.2............1",
     "81..9.7.24.7.1.96...2753148548.3.6972.6.7.81.17..6.2.4321985476..4.2..89.8..4..21",
     "-816 -826 -946 -966"},
    {SdkTechnique::HouseForcingChain,
     ".......6...9.5...4...3..5.1.1.59.7.8..6.1.2..5.8.72.1.8.5..7...7...8.4...6.......",
     ".5.....6...9.5...4...3..5.1.1.5967.8.768132..5.8472.1.8.5..7...7...8.4...6.......", "-141"},
    {SdkTechnique::DynamicForcingChain,
     ".5.9.86..8....6..7..6.2......9....7.2.3...8.9.1....4......3.7..9..8....4..56.4.3.",
     ".5.9.86..8....6..7..6.2......9....7.2.3...8.9.1....4......3.7..93.8...64..56.4.3.", "-492"},
};

// Each position's easiest step is its technique with its changes; the whole solution of
// each riddle, one step at a time, holds; the hint leaves out the easier eliminations the
// placement does not need; without a known single solution the uniqueness techniques stay
// unused.
TEST(TechSolve, EasiestStepsHintsAndWholeSolutions)
{
    int shorter = 0;
    for (const TechCase &c : TechCases) {
        SCOPED_TRACE(c.values);
        const Grid riddle = G(c.givens), solution = SolutionOf(riddle);
        const std::vector<SdkTechStep> steps = SdkTech::Solve(G(c.values), true);
        ASSERT_FALSE(steps.empty());
        EXPECT_EQ(steps[0].technique, c.technique);
        EXPECT_EQ(Changes(steps[0]), c.changes);
        EXPECT_GE(steps[0].rating, SdkTech::BaseRating(c.technique));
        EXPECT_FALSE(steps[0].proof.empty());
        Grid grid = riddle;
        for (const SdkTechStep &s : SdkTech::Solve(riddle, true)) {
            ExpectTrue(s, solution);
            for (const SdkTechCandidate &p : s.placements)
                grid[p.cell] = p.digit;
        }
        EXPECT_EQ(grid, solution);
        if (c.technique == SdkTechnique::UniqueRectangle1) {
            EXPECT_NE(SdkTech::Solve(G(c.values), false).at(0).technique, c.technique);
        }

        const SdkHint hint = SdkTech::Hint(riddle, G(c.values));
        ASSERT_EQ(hint.status, SdkHint::Steps);
        ASSERT_FALSE(hint.steps.empty());
        for (const SdkTechStep &s : hint.steps) {
            ExpectTrue(s, solution);
            EXPECT_EQ(s.placements.size(), &s == &hint.steps.back() ? 1u : 0u);
        }
        size_t upToPlacement = 0;
        while (upToPlacement < steps.size() && steps[upToPlacement].placements.empty())
            ++upToPlacement;
        EXPECT_LE(hint.steps.size(), upToPlacement + 1);
        shorter += hint.steps.size() <= upToPlacement ? 1 : 0;
    }
    EXPECT_GT(shorter, 0);
}

TEST(TechHint, NamesTheFirstWrongPlayedValue)
{
    const Grid givens = G(TechCases[0].givens), solution = SolutionOf(givens);
    EXPECT_EQ(SdkTech::Hint(givens, solution).status, SdkHint::Solved);
    // Right at 0; wrong, but clashing with no value, at 53 and 80.
    Grid values = givens;
    values[0] = solution[0], values[53] = 3, values[80] = 4;
    ASSERT_TRUE(solution[53] != 3 && solution[80] != 4);
    SdkHint hint = SdkTech::Hint(givens, values);
    EXPECT_EQ(hint.status, SdkHint::WrongValue);
    EXPECT_EQ(hint.wrongCell * 10 + hint.rightDigit, 530 + solution[53]);
    EXPECT_TRUE(hint.steps.empty());
}

TEST(TechRate, GivesVerdictsForUnratableRiddles)
{
    const std::tuple<std::string, SdkRating::Status, SdkHint::Status> cases[] = {
        {std::string(81, '.'), SdkRating::NoUniqueSolution, SdkHint::NoUniqueSolution},
        {"11" + std::string(79, '.'), SdkRating::Invalid, SdkHint::Invalid},
        {"123456789456789123789123456214365897365897214897214365531642978642978531978531642",
         SdkRating::Rated, SdkHint::Solved}};
    for (const auto &[riddle, rating, hint] : cases) {
        SCOPED_TRACE(riddle);
        const SdkRating r = SdkTech::Rate(G(riddle.c_str()));
        EXPECT_EQ(r.status, rating);
        EXPECT_TRUE(r.status == SdkRating::Rated || r.rating == 0);
        EXPECT_EQ(SdkTech::Hint(G(riddle.c_str()), G(riddle.c_str())).status, hint);
    }
    Grid tooBig{};
    tooBig[40] = 10;
    EXPECT_EQ(SdkTech::Rate(tooBig).status, SdkRating::Invalid);
}

// Rating applies every step of the easiest rating at once, so its way may differ
// from the one-step solution's, but it starts with the same step.
TEST(TechRate, IsAtLeastTheFirstStepAndSinglesRateAsSingles)
{
    const Grid riddle = G(TechCases[std::size(TechCases) - 1].givens);
    const SdkRating r = SdkTech::Rate(riddle);
    ASSERT_EQ(r.status, SdkRating::Rated);
    const SdkHint hint = SdkTech::Hint(riddle, riddle);
    ASSERT_FALSE(hint.steps.empty());
    EXPECT_GE(r.rating, hint.steps.front().rating);
    EXPECT_GE(r.rating, SdkTech::BaseRating(SdkTechnique::XChain));
    EXPECT_LE(SdkTech::BaseRating(r.hardest), r.rating);
    const std::atomic<bool> stop{true}, go{false};
    EXPECT_EQ(SdkTech::Rate(riddle, &stop).status, SdkRating::Cancelled);
    EXPECT_EQ(SdkTech::Rate(riddle, &go).rating, r.rating);

    const std::pair<const char *, int> known[] = {
        {"18..4..6...9.6....2..71.....48......7...5.....2...19.8496.7.8...7.........1...5..",
         23000 + int(SdkTechnique::NakedSingle)},
        // Without the uniqueness steps this one would need an XY-chain (6.8).
        {TechCases[0].values, 52000 + int(SdkTechnique::Jellyfish)}};
    for (auto [riddle, expected] : known) {
        const SdkRating k = SdkTech::Rate(G(riddle));
        EXPECT_EQ(k.rating * 1000 + int(k.hardest), expected) << riddle;
    }
}

} // namespace

// Longer chains rate higher by a tenth for each rung of the ladder 4, 6, 8, 12, 16, 24 they pass.
TEST(TechRate, ChainLengthLadder)
{
    const std::pair<int, int> cases[] = {{4, 0},  {5, 1},  {6, 1},  {7, 2},  {8, 2},  {9, 3},
                                         {12, 3}, {13, 4}, {16, 4}, {17, 5}, {24, 5}, {25, 6}};
    for (auto [nodes, tenths] : cases)
        EXPECT_EQ(SdkTech::LengthBonus(nodes), tenths) << nodes;
}
