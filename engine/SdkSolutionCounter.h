#pragma once
// A fast exact-cover style solution counter on plain digits, independent of the
// game object: the generator's uniqueness test and the tool's "count" command.
//
// It works on a grid of 81 bytes, row by row, 0 = empty, 1 to 9 = digits. Three
// arrays of nine 9-bit masks hold the digits used per row, column and quad; the
// search always branches on the empty field with the fewest candidates, so it
// answers "unique or not" for any riddle in well under a millisecond.
#include <array>
#include <cstdint>
#include <string>

class SdkSolutionCounter
{
public:
    using Grid = std::array<uint8_t, 81>;
    // Returns uniformly distributed 32-bit values; seeded by the caller, so runs repeat.
    using Random = uint32_t (*)(void *state);

    // Number of solutions of grid, counting stops at limit (0 = no limit). A grid
    // whose digits already clash in a row, column or quad, or that holds a value
    // outside 0 to 9, has none. When solution is given it receives the first
    // solution found (untouched when there is none).
    static unsigned Count(const Grid &grid, unsigned limit, Grid *solution = nullptr);
    static bool IsUnique(const Grid &grid) { return Count(grid, 2) == 1; }

    // A random complete valid grid.
    static Grid RandomFull(Random random, void *state);
    // Removes digits of a unique grid in random order as long as the solution stays
    // unique; the result cannot lose any further digit without a second solution.
    static Grid MinimalRiddle(const Grid &riddle, Random random, void *state);

    // Reads 81 characters ('1'-'9' digits; '.', '0', '-' empty); white space is
    // skipped. False for any other character or a count other than 81.
    static bool Parse(const std::string &text, Grid &grid);
    // 81 characters, '.' for an empty field.
    static std::string ToLine(const Grid &grid);
    static unsigned GivenCount(const Grid &grid);
};
