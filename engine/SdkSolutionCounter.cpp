#include "engine/SdkSolutionCounter.h"

#include <bit>

namespace {
using Grid = SdkSolutionCounter::Grid;
constexpr uint16_t AllDigits = 0x1FF;

inline unsigned QuadOf(unsigned cell)
{
    return cell / 27 * 3 + cell % 9 / 3;
}

// The search state: digits in use per block plus the grid itself. Small enough
// to be copied by value, which keeps the recursion free of undo bookkeeping.
struct State
{
    Grid grid{};
    uint16_t rows[9]{};
    uint16_t cols[9]{};
    uint16_t quads[9]{};

    uint16_t Free(unsigned cell) const
    {
        return AllDigits & ~(rows[cell / 9] | cols[cell % 9] | quads[QuadOf(cell)]);
    }
    void Place(unsigned cell, unsigned digit)
    {
        uint16_t bit = uint16_t(1u << (digit - 1));
        grid[cell] = uint8_t(digit);
        rows[cell / 9] |= bit;
        cols[cell % 9] |= bit;
        quads[QuadOf(cell)] |= bit;
    }
    void Remove(unsigned cell)
    {
        uint16_t bit = uint16_t(~(1u << (grid[cell] - 1)));
        rows[cell / 9] &= bit;
        cols[cell % 9] &= bit;
        quads[QuadOf(cell)] &= bit;
        grid[cell] = 0;
    }
};

// False when the givens clash or hold an invalid value.
bool Load(const Grid &grid, State &s)
{
    for (unsigned cell = 0; cell < 81; ++cell) {
        unsigned d = grid[cell];
        if (d == 0)
            continue;
        if (d > 9 || !(s.Free(cell) & (1u << (d - 1))))
            return false;
        s.Place(cell, d);
    }
    return true;
}

// The empty field with the fewest candidates; 81 when the grid is full, and
// dead is set when some empty field has none.
unsigned BestCell(const State &s, uint16_t &mask, bool &dead)
{
    unsigned best = 81;
    int bestCount = 10;
    dead = false;
    for (unsigned cell = 0; cell < 81; ++cell) {
        if (s.grid[cell])
            continue;
        uint16_t m = s.Free(cell);
        int n = std::popcount(m);
        if (n < bestCount) {
            best = cell;
            bestCount = n;
            mask = m;
            if (n == 0) {
                dead = true;
                break;
            }
            if (n == 1)
                break;
        }
    }
    return best;
}

struct Counter
{
    unsigned limit;
    unsigned found = 0;
    Grid *solution;

    void Search(State &s)
    {
        uint16_t mask = 0;
        bool dead = false;
        unsigned cell = BestCell(s, mask, dead);
        if (dead)
            return;
        if (cell == 81) {
            if (found == 0 && solution)
                *solution = s.grid;
            ++found;
            return;
        }
        while (mask && (limit == 0 || found < limit)) {
            unsigned digit = unsigned(std::countr_zero(mask)) + 1;
            mask &= uint16_t(mask - 1);
            s.Place(cell, digit);
            Search(s);
            s.Remove(cell);
        }
    }
};

unsigned Below(SdkSolutionCounter::Random random, void *state, unsigned n)
{
    return random(state) % n;
}

// Fills the grid with digits tried in a random order per field; the first
// complete grid found is the result.
bool FillRandom(State &s, SdkSolutionCounter::Random random, void *rstate)
{
    uint16_t mask = 0;
    bool dead = false;
    unsigned cell = BestCell(s, mask, dead);
    if (dead)
        return false;
    if (cell == 81)
        return true;
    unsigned digits[9];
    unsigned n = 0;
    for (unsigned d = 1; d <= 9; ++d)
        if (mask & (1u << (d - 1)))
            digits[n++] = d;
    for (unsigned i = n; i > 1; --i) {
        unsigned j = Below(random, rstate, i);
        std::swap(digits[i - 1], digits[j]);
    }
    for (unsigned i = 0; i < n; ++i) {
        s.Place(cell, digits[i]);
        if (FillRandom(s, random, rstate))
            return true;
        s.Remove(cell);
    }
    return false;
}
} // namespace

unsigned SdkSolutionCounter::Count(const Grid &grid, unsigned limit, Grid *solution)
{
    State s;
    if (!Load(grid, s))
        return 0;
    Counter c{limit, 0, solution};
    c.Search(s);
    return c.found;
}

SdkSolutionCounter::Grid SdkSolutionCounter::RandomFull(Random random, void *state)
{
    State s;
    FillRandom(s, random, state);
    return s.grid;
}

SdkSolutionCounter::Grid SdkSolutionCounter::MinimalRiddle(const Grid &riddle, Random random,
                                                           void *state)
{
    Grid result = riddle;
    unsigned order[81];
    unsigned n = 0;
    for (unsigned cell = 0; cell < 81; ++cell)
        if (result[cell])
            order[n++] = cell;
    for (unsigned i = n; i > 1; --i) {
        unsigned j = Below(random, state, i);
        std::swap(order[i - 1], order[j]);
    }
    // One pass suffices: removing digits only adds solutions, so a digit that
    // could not go earlier cannot go later either.
    for (unsigned i = 0; i < n; ++i) {
        uint8_t keep = result[order[i]];
        result[order[i]] = 0;
        if (Count(result, 2) != 1)
            result[order[i]] = keep;
    }
    return result;
}

bool SdkSolutionCounter::Parse(const std::string &text, Grid &grid)
{
    Grid g{};
    unsigned n = 0;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        if (n >= 81)
            return false;
        if (c >= '1' && c <= '9')
            g[n++] = uint8_t(c - '0');
        else if (c == '.' || c == '0' || c == '-')
            g[n++] = 0;
        else
            return false;
    }
    if (n != 81)
        return false;
    grid = g;
    return true;
}

std::string SdkSolutionCounter::ToLine(const Grid &grid)
{
    std::string line(81, '.');
    for (unsigned cell = 0; cell < 81; ++cell)
        if (grid[cell] >= 1 && grid[cell] <= 9)
            line[cell] = char('0' + grid[cell]);
    return line;
}

unsigned SdkSolutionCounter::GivenCount(const Grid &grid)
{
    unsigned n = 0;
    for (uint8_t d : grid)
        n += d != 0;
    return n;
}
