#pragma once
// Inside the technique solver: the candidate board, the house tables and the
// step finders. Not part of the engine's interface.
//
// Houses are numbered 0..26: rows 0..8, columns 9..17, quads 18..26. A house's
// cells are listed in its position order, so a 9-bit "places" mask of a digit in
// a house has bit p for the cell at position p.
#include "engine/SdkTechnique.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

namespace SdkTech {

struct Tables
{
    std::array<std::array<uint8_t, 9>, 27> houseCells;
    std::array<std::array<uint8_t, 3>, 81> cellHouses; // row, column, quad
    std::array<std::array<uint8_t, 20>, 81> peers;
    std::array<std::bitset<81>, 81> peerSet;
};
const Tables &Tab();

inline int RowOf(int cell)
{
    return cell / 9;
}
inline int ColOf(int cell)
{
    return cell % 9;
}
inline int QuadOf(int cell)
{
    return cell / 27 * 3 + cell % 9 / 3;
}
inline bool Sees(int a, int b)
{
    return a != b && Tab().peerSet[a][b];
}
inline uint16_t Bit(int d)
{
    return uint16_t(1u << d);
}
inline int Bits(unsigned mask)
{
    return std::popcount(mask);
}
SdkHouse HouseRef(int house);

class Board
{
public:
    std::array<uint8_t, 81> value{};
    std::array<uint16_t, 81> cand{}; // bit d = digit d, 0 for a cell with a value
    bool unique = false;             // the riddle has one solution

    // False when digits of values clash.
    bool Load(const Grid &values);
    bool Solved() const;
    // Positions (bit p) of digit d's candidates in house h.
    uint16_t Places(int house, int d) const;
    bool HasValueIn(int house, int d) const;
    void Place(int cell, int d);
    // True when the step changed the board.
    bool Apply(const SdkTechStep &step);
    // A step changes something: a placement on an empty cell or a present candidate.
    bool Effective(const SdkTechStep &step) const;
};

// A finder adds the steps of its kind that it sees on the board to out.
using Finder = void (*)(const Board &, std::vector<SdkTechStep> &);

void FindLastValue(const Board &, std::vector<SdkTechStep> &);
void FindHiddenSingleBox(const Board &, std::vector<SdkTechStep> &);
void FindHiddenSingleLine(const Board &, std::vector<SdkTechStep> &);
void FindNakedSingle(const Board &, std::vector<SdkTechStep> &);
void FindPointing(const Board &, std::vector<SdkTechStep> &);
void FindClaiming(const Board &, std::vector<SdkTechStep> &);
void FindNakedPair(const Board &, std::vector<SdkTechStep> &);
void FindNakedTriple(const Board &, std::vector<SdkTechStep> &);
void FindNakedQuad(const Board &, std::vector<SdkTechStep> &);
void FindHiddenPair(const Board &, std::vector<SdkTechStep> &);
void FindHiddenTriple(const Board &, std::vector<SdkTechStep> &);
void FindHiddenQuad(const Board &, std::vector<SdkTechStep> &);
void FindXWing(const Board &, std::vector<SdkTechStep> &);
void FindSwordfish(const Board &, std::vector<SdkTechStep> &);
void FindJellyfish(const Board &, std::vector<SdkTechStep> &);
void FindXYWing(const Board &, std::vector<SdkTechStep> &);
void FindXYZWing(const Board &, std::vector<SdkTechStep> &);
void FindUniqueRectangle(const Board &, std::vector<SdkTechStep> &);
void FindBugPlus1(const Board &, std::vector<SdkTechStep> &);
void FindSkyscraper(const Board &, std::vector<SdkTechStep> &);
void FindTwoStringKite(const Board &, std::vector<SdkTechStep> &);
void FindWWing(const Board &, std::vector<SdkTechStep> &);
void FindSimpleColouring(const Board &, std::vector<SdkTechStep> &);
void FindXChain(const Board &, std::vector<SdkTechStep> &);
void FindXYChain(const Board &, std::vector<SdkTechStep> &);
void FindAlternatingChain(const Board &, std::vector<SdkTechStep> &);
void FindNishio(const Board &, std::vector<SdkTechStep> &);
void FindStaticForcingChain(const Board &, std::vector<SdkTechStep> &);
void FindDynamicForcingChain(const Board &, std::vector<SdkTechStep> &);

// Tenths added to a chain's rating for its length: one for each step of the ladder
// 4, 6, 8, 12, 16, 24, 32, ... the chain is longer than.
int LengthBonus(int nodes);

} // namespace SdkTech
