// The board of the technique solver and the basic techniques: singles,
// intersections, naked and hidden subsets, fish.
#include "engine/SdkTechBoard.h"

namespace SdkTech {

namespace {

Tables MakeTables()
{
    Tables t{};
    for (int i = 0; i < 9; ++i)
        for (int p = 0; p < 9; ++p) {
            t.houseCells[i][p] = uint8_t(i * 9 + p);
            t.houseCells[9 + i][p] = uint8_t(p * 9 + i);
            t.houseCells[18 + i][p] = uint8_t((i / 3 * 3 + p / 3) * 9 + i % 3 * 3 + p % 3);
        }
    for (int c = 0; c < 81; ++c) {
        t.cellHouses[c] = {uint8_t(RowOf(c)), uint8_t(9 + ColOf(c)), uint8_t(18 + QuadOf(c))};
        int n = 0;
        for (int o = 0; o < 81; ++o)
            if (o != c &&
                (RowOf(o) == RowOf(c) || ColOf(o) == ColOf(c) || QuadOf(o) == QuadOf(c))) {
                t.peers[c][n++] = uint8_t(o);
                t.peerSet[c].set(o);
            }
    }
    return t;
}

SdkTechStep Single(SdkTechnique technique, int house, int cell, int d)
{
    SdkTechStep s;
    s.technique = technique;
    s.rating = BaseRating(technique);
    if (house >= 0)
        s.houses.push_back(HouseRef(house));
    s.digits = Bit(d);
    s.proof.push_back({uint8_t(cell), uint8_t(d), SdkProofRole::Pattern});
    s.placements.push_back({uint8_t(cell), uint8_t(d)});
    return s;
}

void HiddenSingles(const Board &b, int first, int last, SdkTechnique technique,
                   std::vector<SdkTechStep> &out)
{
    for (int h = first; h < last; ++h)
        for (int d = 1; d <= 9; ++d) {
            uint16_t places = b.Places(h, d);
            if (Bits(places) == 1)
                out.push_back(
                    Single(technique, h, Tab().houseCells[h][std::countr_zero(places)], d));
        }
}

// Calls visit for every k-subset (as a bit mask) of the set bits of items.
template<typename Visit>
void Subsets(uint16_t items, int k, uint16_t chosen, int from, Visit &visit)
{
    if (k == 0) {
        visit(chosen);
        return;
    }
    for (int i = from; i < 16; ++i)
        if (items & (1u << i))
            Subsets(items, k - 1, uint16_t(chosen | (1u << i)), i + 1, visit);
}

void NakedSubsets(const Board &b, int k, SdkTechnique technique, std::vector<SdkTechStep> &out)
{
    for (int h = 0; h < 27; ++h) {
        const auto &cells = Tab().houseCells[h];
        uint16_t usable = 0;
        for (int p = 0; p < 9; ++p)
            if (b.cand[cells[p]] && Bits(b.cand[cells[p]]) <= k)
                usable |= uint16_t(1u << p);
        auto visit = [&](uint16_t chosen) {
            uint16_t digits = 0;
            for (int p = 0; p < 9; ++p)
                if (chosen & (1u << p))
                    digits |= b.cand[cells[p]];
            if (Bits(digits) != k)
                return;
            SdkTechStep s;
            s.technique = technique;
            s.rating = BaseRating(technique);
            s.houses.push_back(HouseRef(h));
            s.digits = digits;
            for (int p = 0; p < 9; ++p) {
                int c = cells[p];
                uint16_t hit = b.cand[c] & digits;
                for (int d = 1; d <= 9; ++d)
                    if (hit & Bit(d)) {
                        if (chosen & (1u << p))
                            s.proof.push_back({uint8_t(c), uint8_t(d), SdkProofRole::Pattern});
                        else
                            s.eliminations.push_back({uint8_t(c), uint8_t(d)});
                    }
            }
            if (!s.eliminations.empty())
                out.push_back(std::move(s));
        };
        Subsets(usable, k, 0, 0, visit);
    }
}

void HiddenSubsets(const Board &b, int k, SdkTechnique technique, std::vector<SdkTechStep> &out)
{
    for (int h = 0; h < 27; ++h) {
        const auto &cells = Tab().houseCells[h];
        uint16_t usable = 0;
        for (int d = 1; d <= 9; ++d) {
            int n = Bits(b.Places(h, d));
            if (n >= 1 && n <= k)
                usable |= Bit(d);
        }
        auto visit = [&](uint16_t digits) {
            uint16_t places = 0;
            for (int d = 1; d <= 9; ++d)
                if (digits & Bit(d))
                    places |= b.Places(h, d);
            if (Bits(places) != k)
                return;
            SdkTechStep s;
            s.technique = technique;
            s.rating = BaseRating(technique);
            s.houses.push_back(HouseRef(h));
            s.digits = digits;
            for (int p = 0; p < 9; ++p)
                if (places & (1u << p)) {
                    int c = cells[p];
                    for (int d = 1; d <= 9; ++d)
                        if (b.cand[c] & Bit(d)) {
                            if (digits & Bit(d))
                                s.proof.push_back({uint8_t(c), uint8_t(d), SdkProofRole::Pattern});
                            else
                                s.eliminations.push_back({uint8_t(c), uint8_t(d)});
                        }
                }
            if (!s.eliminations.empty())
                out.push_back(std::move(s));
        };
        Subsets(usable, k, 0, 0, visit);
    }
}

// k base lines of one kind holding digit d only in k cover lines of the other.
void Fish(const Board &b, int k, SdkTechnique technique, std::vector<SdkTechStep> &out)
{
    for (int d = 1; d <= 9; ++d)
        for (int base = 0; base <= 9; base += 9) {
            const int cover = 9 - base;
            uint16_t usable = 0;
            for (int i = 0; i < 9; ++i) {
                int n = Bits(b.Places(base + i, d));
                if (n >= 2 && n <= k)
                    usable |= uint16_t(1u << i);
            }
            auto visit = [&](uint16_t lines) {
                uint16_t covers = 0;
                for (int i = 0; i < 9; ++i)
                    if (lines & (1u << i))
                        covers |= b.Places(base + i, d);
                if (Bits(covers) != k)
                    return;
                SdkTechStep s;
                s.technique = technique;
                s.rating = BaseRating(technique);
                s.digits = Bit(d);
                for (int i = 0; i < 9; ++i)
                    if (lines & (1u << i))
                        s.houses.push_back(HouseRef(base + i));
                for (int j = 0; j < 9; ++j)
                    if (covers & (1u << j)) {
                        s.houses.push_back(HouseRef(cover + j));
                        for (int i = 0; i < 9; ++i) {
                            int c = Tab().houseCells[cover + j][i];
                            if (!(b.cand[c] & Bit(d)))
                                continue;
                            if (lines & (1u << i))
                                s.proof.push_back({uint8_t(c), uint8_t(d), SdkProofRole::Pattern});
                            else
                                s.eliminations.push_back({uint8_t(c), uint8_t(d)});
                        }
                    }
                if (!s.eliminations.empty())
                    out.push_back(std::move(s));
            };
            Subsets(usable, k, 0, 0, visit);
        }
}

// Digit d of house 'from' confined to its intersection with house 'to'.
void Intersections(const Board &b, int fromFirst, int fromLast, SdkTechnique technique,
                   std::vector<SdkTechStep> &out)
{
    for (int h = fromFirst; h < fromLast; ++h)
        for (int d = 1; d <= 9; ++d) {
            uint16_t places = b.Places(h, d);
            if (Bits(places) < 2)
                continue;
            const auto &cells = Tab().houseCells[h];
            for (int kind = 0; kind < 3; ++kind) {
                int first = cells[std::countr_zero(places)];
                int target = Tab().cellHouses[first][kind];
                if (target == h)
                    continue;
                bool inside = true;
                for (int p = 0; p < 9; ++p)
                    if ((places & (1u << p)) && Tab().cellHouses[cells[p]][kind] != target)
                        inside = false;
                if (!inside)
                    continue;
                SdkTechStep s;
                s.technique = technique;
                s.rating = BaseRating(technique);
                s.houses = {HouseRef(h), HouseRef(target)};
                s.digits = Bit(d);
                for (int p = 0; p < 9; ++p)
                    if (places & (1u << p))
                        s.proof.push_back({cells[p], uint8_t(d), SdkProofRole::Pattern});
                for (int c : Tab().houseCells[target])
                    if ((b.cand[c] & Bit(d)) && Tab().cellHouses[c][h < 18 ? h / 9 : 2] != h)
                        s.eliminations.push_back({uint8_t(c), uint8_t(d)});
                if (!s.eliminations.empty())
                    out.push_back(std::move(s));
            }
        }
}

} // namespace

const Tables &Tab()
{
    static const Tables tables = MakeTables();
    return tables;
}

SdkHouse HouseRef(int house)
{
    static constexpr SdkBlockType types[3] = {SdkBlockRow, SdkBlockColumn, SdkBlockQuad};
    return {types[house / 9], uint8_t(house % 9)};
}

int LengthBonus(int nodes)
{
    int added = 0;
    int ceiling = 4;
    bool odd = false;
    while (nodes > ceiling) {
        ++added;
        ceiling = odd ? ceiling * 4 / 3 : ceiling * 3 / 2;
        odd = !odd;
    }
    return added;
}

bool Board::Load(const Grid &values)
{
    value = values;
    cand.fill(0);
    for (int c = 0; c < 81; ++c)
        if (value[c] > 9)
            return false;
    for (int c = 0; c < 81; ++c) {
        if (value[c])
            continue;
        uint16_t m = SdkResultSet::AllDigits;
        for (int o : Tab().peers[c])
            m &= uint16_t(~Bit(value[o]));
        cand[c] = m & SdkResultSet::AllDigits;
    }
    for (int c = 0; c < 81; ++c)
        for (int o : Tab().peers[c])
            if (value[c] && value[c] == value[o])
                return false;
    return true;
}

bool Board::Solved() const
{
    for (uint8_t v : value)
        if (!v)
            return false;
    return true;
}

uint16_t Board::Places(int house, int d) const
{
    uint16_t places = 0;
    const auto &cells = Tab().houseCells[house];
    for (int p = 0; p < 9; ++p)
        if (cand[cells[p]] & Bit(d))
            places |= uint16_t(1u << p);
    return places;
}

bool Board::HasValueIn(int house, int d) const
{
    for (int c : Tab().houseCells[house])
        if (value[c] == d)
            return true;
    return false;
}

void Board::Place(int cell, int d)
{
    value[cell] = uint8_t(d);
    cand[cell] = 0;
    for (int o : Tab().peers[cell])
        cand[o] &= uint16_t(~Bit(d));
}

bool Board::Effective(const SdkTechStep &step) const
{
    for (const SdkTechCandidate &p : step.placements)
        if (!value[p.cell])
            return true;
    for (const SdkTechCandidate &e : step.eliminations)
        if (cand[e.cell] & Bit(e.digit))
            return true;
    return false;
}

bool Board::Apply(const SdkTechStep &step)
{
    bool changed = Effective(step);
    for (const SdkTechCandidate &e : step.eliminations)
        cand[e.cell] &= uint16_t(~Bit(e.digit));
    for (const SdkTechCandidate &p : step.placements)
        if (!value[p.cell])
            Place(p.cell, p.digit);
    return changed;
}

void FindLastValue(const Board &b, std::vector<SdkTechStep> &out)
{
    for (int h = 0; h < 27; ++h) {
        int empty = -1, count = 0;
        uint16_t used = 0;
        for (int c : Tab().houseCells[h]) {
            if (b.value[c])
                used |= Bit(b.value[c]);
            else {
                empty = c;
                ++count;
            }
        }
        uint16_t missing = uint16_t(SdkResultSet::AllDigits & ~used);
        if (count == 1 && Bits(missing) == 1)
            out.push_back(Single(SdkTechnique::LastValue, h, empty, std::countr_zero(missing)));
    }
}

void FindHiddenSingleBox(const Board &b, std::vector<SdkTechStep> &out)
{
    HiddenSingles(b, 18, 27, SdkTechnique::HiddenSingleBox, out);
}

void FindHiddenSingleLine(const Board &b, std::vector<SdkTechStep> &out)
{
    HiddenSingles(b, 0, 18, SdkTechnique::HiddenSingleLine, out);
}

void FindNakedSingle(const Board &b, std::vector<SdkTechStep> &out)
{
    for (int c = 0; c < 81; ++c)
        if (b.cand[c] && Bits(b.cand[c]) == 1)
            out.push_back(Single(SdkTechnique::NakedSingle, -1, c, std::countr_zero(b.cand[c])));
}

void FindPointing(const Board &b, std::vector<SdkTechStep> &out)
{
    Intersections(b, 18, 27, SdkTechnique::Pointing, out);
}

void FindClaiming(const Board &b, std::vector<SdkTechStep> &out)
{
    Intersections(b, 0, 18, SdkTechnique::Claiming, out);
}

void FindNakedPair(const Board &b, std::vector<SdkTechStep> &out)
{
    NakedSubsets(b, 2, SdkTechnique::NakedPair, out);
}
void FindNakedTriple(const Board &b, std::vector<SdkTechStep> &out)
{
    NakedSubsets(b, 3, SdkTechnique::NakedTriple, out);
}
void FindNakedQuad(const Board &b, std::vector<SdkTechStep> &out)
{
    NakedSubsets(b, 4, SdkTechnique::NakedQuad, out);
}
void FindHiddenPair(const Board &b, std::vector<SdkTechStep> &out)
{
    HiddenSubsets(b, 2, SdkTechnique::HiddenPair, out);
}
void FindHiddenTriple(const Board &b, std::vector<SdkTechStep> &out)
{
    HiddenSubsets(b, 3, SdkTechnique::HiddenTriple, out);
}
void FindHiddenQuad(const Board &b, std::vector<SdkTechStep> &out)
{
    HiddenSubsets(b, 4, SdkTechnique::HiddenQuad, out);
}
void FindXWing(const Board &b, std::vector<SdkTechStep> &out)
{
    Fish(b, 2, SdkTechnique::XWing, out);
}
void FindSwordfish(const Board &b, std::vector<SdkTechStep> &out)
{
    Fish(b, 3, SdkTechnique::Swordfish, out);
}
void FindJellyfish(const Board &b, std::vector<SdkTechStep> &out)
{
    Fish(b, 4, SdkTechnique::Jellyfish, out);
}

} // namespace SdkTech
