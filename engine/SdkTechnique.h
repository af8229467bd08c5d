#pragma once
// Human-style solving: a riddle is worked through one technique at a time,
// easiest first, on the rating scale of Sudoku Explainer (rating x 10, so 2.3 is
// 23). Every step is plain data; the program words it. Works on plain value
// grids (81 bytes, row by row, 0 = empty), independent of the game object.
//
// Cells are numbered 0..80 row by row (row = cell / 9, column = cell % 9).
#include "engine/SdkSolutionCounter.h"
#include "engine/SdkTypes.h"

#include <atomic>
#include <cstdint>
#include <vector>

class Sudoku;

// Technique ids, in the order the solver tries them. The numbers are stable.
enum class SdkTechnique : uint8_t {
    None = 0,
    LastValue = 1,        // the last empty cell of a house
    HiddenSingleBox = 2,  // a digit's only place in a quad
    HiddenSingleLine = 3, // a digit's only place in a row or column
    NakedSingle = 4,      // a cell's only candidate
    Pointing = 5,         // a digit of a quad confined to one line
    Claiming = 6,         // a digit of a line confined to one quad
    NakedPair = 7,
    XWing = 8,
    HiddenPair = 9,
    NakedTriple = 10,
    Swordfish = 11,
    HiddenTriple = 12,
    XYWing = 13,
    XYZWing = 14,
    UniqueRectangle1 = 15, // only used when the riddle has one solution
    UniqueRectangle2 = 16,
    NakedQuad = 17,
    Jellyfish = 18,
    HiddenQuad = 19,
    BugPlus1 = 20, // bivalue universal grave plus one
    Skyscraper = 21,
    TwoStringKite = 22,
    WWing = 23,
    SimpleColouring = 24,     // one digit, two colours: a colour wrap or trap
    XChain = 25,              // one digit, alternating strong and weak links
    XYChain = 26,             // bivalue cells linked by shared digits
    AlternatingChain = 27,    // alternating inference chain over digits and cells
    CellForcingChain = 28,    // every candidate of a cell leads to the same result
    HouseForcingChain = 29,   // every place of a digit in a house leads to the same result
    ContradictionChain = 30,  // a candidate whose truth leads to a contradiction (in one
                              // digit, or over cells and houses)
    DynamicForcingChain = 31, // forcing chains that follow singles on the way
    Trial = 32,               // nothing else found: the solution's value, by trial
    BugType2 = 33,            // grave with one extra digit in several cells
    UniqueRectangle4 = 34,    // a pair digit strongly linked between the two extra cells
    Count
};

// The role of a marked candidate or cell in a step's proof, for drawing in its own colour.
enum class SdkProofRole : uint8_t {
    Pattern = 0, // the candidates that make up the pattern (fish, subset, wing pivot...)
    LinkOn = 1,  // a chain node that is true
    LinkOff = 2, // a chain node that is false
    Fin = 3,     // a second colour (colouring, forcing-chain branch start)
};

struct SdkTechCandidate
{
    uint8_t cell = 0;  // 0..80
    uint8_t digit = 0; // 1..9
    bool operator==(const SdkTechCandidate &) const = default;
};

struct SdkProofMark
{
    uint8_t cell = 0;
    uint8_t digit = 0; // 0: the whole cell
    SdkProofRole role = SdkProofRole::Pattern;
    bool operator==(const SdkProofMark &) const = default;
};

struct SdkHouse
{
    SdkBlockType type = SdkBlockRow;
    uint8_t index = 0; // 0..8 in the grid numbering of that block type
    bool operator==(const SdkHouse &) const = default;
};

// One step of the human-style solution.
//   houses: the houses of the pattern, base houses first (a fish: its base lines,
//           then its cover lines; pointing: the quad, then the line).
//   digits: the digits of the pattern as a mask (bit d = digit d).
//   proof:  cells and candidates of the proof; for chains in chain order, the
//           first mark being the chain's start.
//   chainLength: the number of links of a chain step (0 otherwise).
struct SdkTechStep
{
    SdkTechnique technique = SdkTechnique::None;
    int rating = 0; // x 10
    std::vector<SdkHouse> houses;
    uint16_t digits = 0;
    std::vector<SdkProofMark> proof;
    std::vector<SdkTechCandidate> placements;
    std::vector<SdkTechCandidate> eliminations;
    int chainLength = 0;
};

// A riddle's difficulty as a person meets it: the hardest step of the easiest
// human-style solution.
struct SdkRating
{
    enum Status : uint8_t {
        Rated = 0,
        NoUniqueSolution = 1, // none or several solutions: not rated
        Invalid = 2,          // clashing digits
        Cancelled = 3,        // stopped through the stop flag
    };
    Status status = Invalid;
    int rating = 0; // x 10; 0 unless Rated
    SdkTechnique hardest = SdkTechnique::None;
    int steps = 0;
};

struct SdkHint
{
    enum Status : uint8_t {
        Steps = 0,            // steps holds the way to the next placement
        WrongValue = 1,       // a played value differs from the solution
        Solved = 2,           // nothing left to place
        NoUniqueSolution = 3, // the givens have none or several solutions
        Invalid = 4,          // clashing digits
    };
    Status status = Invalid;
    int wrongCell = -1;     // WrongValue: the first wrong played cell (reading order)
    uint8_t rightDigit = 0; // WrongValue: the solution's digit there
    // Eliminations needed first, then the step that places a value (last).
    std::vector<SdkTechStep> steps;
};

namespace SdkTech {

using Grid = SdkSolutionCounter::Grid;

// All functions here are re-entrant: they share no mutable state (scratch space is
// per thread), so any threads may rate, hint and solve at the same time.

// The rating of a riddle given by its digits. A set stop flag ends the rating
// between two steps with the status Cancelled.
SdkRating Rate(const Grid &riddle, const std::atomic<bool> *stop = nullptr);

// The next thing to do in a game: givens are the riddle's digits, values the
// givens and the played values. When the givens have one solution every played
// value is checked against it first (so a clash of played values reports a
// wrong value); values that differ from givens at a given cell are Invalid. Steps use candidates
// computed from values only (the player's own marks play no part).
SdkHint Hint(const Grid &givens, const Grid &values);

// The whole human-style solution of values, step by step; empty when values clash.
// unique tells whether the riddle is known to have one solution (allows the
// uniqueness techniques).
std::vector<SdkTechStep> Solve(const Grid &values, bool unique);

// The rating value of a technique's simplest form (x 10); chains add to it by length.
int BaseRating(SdkTechnique technique);

// Reads a game given by 81-byte grids from the game object.
void GridsOf(const Sudoku &game, Grid &givens, Grid &values);

} // namespace SdkTech
