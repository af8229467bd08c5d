// Wings, unique rectangles, the bivalue universal grave, the single-digit
// patterns made of two strong links, and simple colouring.
#include "engine/SdkTechBoard.h"

namespace SdkTech {

namespace {

SdkTechStep NewStep(SdkTechnique technique, uint16_t digits)
{
    SdkTechStep s;
    s.technique = technique;
    s.rating = BaseRating(technique);
    s.digits = digits;
    return s;
}

void MarkCell(SdkTechStep &s, const Board &b, int cell, SdkProofRole role)
{
    for (int d = 1; d <= 9; ++d)
        if (b.cand[cell] & Bit(d))
            s.proof.push_back({uint8_t(cell), uint8_t(d), role});
}

// Eliminates d from every cell that sees all the given cells.
void EliminateSeenByAll(SdkTechStep &s, const Board &b, int d, std::initializer_list<int> cells)
{
    for (int c = 0; c < 81; ++c) {
        if (!(b.cand[c] & Bit(d)))
            continue;
        bool all = true;
        for (int o : cells)
            all = all && Sees(c, o);
        if (all)
            s.eliminations.push_back({uint8_t(c), uint8_t(d)});
    }
}

void Push(std::vector<SdkTechStep> &out, SdkTechStep &&s)
{
    if (!s.eliminations.empty() || !s.placements.empty())
        out.push_back(std::move(s));
}

// A strong link of digit d: a house with exactly two places, as its two cells.
struct StrongLink
{
    int house;
    int a, b;
};

std::vector<StrongLink> StrongLinks(const Board &b, int d, int first, int last)
{
    std::vector<StrongLink> links;
    for (int h = first; h < last; ++h) {
        uint16_t places = b.Places(h, d);
        if (Bits(places) != 2)
            continue;
        int p = std::countr_zero(places);
        int q = std::countr_zero(uint16_t(places & (places - 1)));
        links.push_back({h, Tab().houseCells[h][p], Tab().houseCells[h][q]});
    }
    return links;
}

// Two strong links of d joined by a weak one between b1 and b2; the far ends
// t1 and t2 cannot both be false.
void TwoLinks(const Board &b, SdkTechnique technique, int d, const StrongLink &l1,
              const StrongLink &l2, int b1, int t1, int b2, int t2, std::vector<SdkTechStep> &out)
{
    if (!Sees(b1, b2) || t1 == t2 || b1 == b2 || b1 == t2 || b2 == t1)
        return;
    SdkTechStep s = NewStep(technique, Bit(d));
    s.houses = {HouseRef(l1.house), HouseRef(l2.house)};
    s.proof = {{uint8_t(t1), uint8_t(d), SdkProofRole::LinkOn},
               {uint8_t(b1), uint8_t(d), SdkProofRole::LinkOff},
               {uint8_t(b2), uint8_t(d), SdkProofRole::LinkOff},
               {uint8_t(t2), uint8_t(d), SdkProofRole::LinkOn}};
    s.chainLength = 3;
    EliminateSeenByAll(s, b, d, {t1, t2});
    Push(out, std::move(s));
}

// Both ends pairings of two strong links.
void LinkPairs(const Board &b, SdkTechnique technique, int d, const StrongLink &l1,
               const StrongLink &l2, std::vector<SdkTechStep> &out)
{
    TwoLinks(b, technique, d, l1, l2, l1.a, l1.b, l2.a, l2.b, out);
    TwoLinks(b, technique, d, l1, l2, l1.a, l1.b, l2.b, l2.a, out);
    TwoLinks(b, technique, d, l1, l2, l1.b, l1.a, l2.a, l2.b, out);
    TwoLinks(b, technique, d, l1, l2, l1.b, l1.a, l2.b, l2.a, out);
}

void Wing(const Board &b, bool withPivotDigit, std::vector<SdkTechStep> &out)
{
    const SdkTechnique technique = withPivotDigit ? SdkTechnique::XYZWing : SdkTechnique::XYWing;
    for (int pivot = 0; pivot < 81; ++pivot) {
        const uint16_t pc = b.cand[pivot];
        if (Bits(pc) != (withPivotDigit ? 3 : 2))
            continue;
        for (int i = 0; i < 20; ++i)
            for (int j = i + 1; j < 20; ++j) {
                int p1 = Tab().peers[pivot][i], p2 = Tab().peers[pivot][j];
                uint16_t c1 = b.cand[p1], c2 = b.cand[p2];
                if (Bits(c1) != 2 || Bits(c2) != 2 || c1 == c2)
                    continue;
                uint16_t z = c1 & c2;
                if (Bits(z) != 1 || (c1 | c2) != (withPivotDigit ? pc : (pc | z)) ||
                    (!withPivotDigit && (pc & z)) || (withPivotDigit && !(pc & z)))
                    continue;
                int d = std::countr_zero(z);
                SdkTechStep s = NewStep(technique, uint16_t(pc | z));
                MarkCell(s, b, pivot, SdkProofRole::Pattern);
                MarkCell(s, b, p1, SdkProofRole::Fin);
                MarkCell(s, b, p2, SdkProofRole::Fin);
                if (withPivotDigit)
                    EliminateSeenByAll(s, b, d, {pivot, p1, p2});
                else
                    EliminateSeenByAll(s, b, d, {p1, p2});
                Push(out, std::move(s));
            }
    }
}

// The two roofs share a house in which one pair digit has no other place: that
// digit sits in one roof, so the other pair digit can sit in neither.
void RectangleType4(const Board &b, const int (&cells)[4], uint16_t pair, int r1, int r2,
                    std::vector<SdkTechStep> &out)
{
    for (int k = 0; k < 3; ++k) {
        const int h = Tab().cellHouses[r1][k];
        if (h != Tab().cellHouses[r2][k])
            continue;
        for (int a = 1; a <= 9; ++a) {
            if (!(pair & Bit(a)) || Bits(b.Places(h, a)) != 2)
                continue;
            const int other = std::countr_zero(uint16_t(pair & ~Bit(a)));
            SdkTechStep s = NewStep(SdkTechnique::UniqueRectangle4, pair);
            s.houses.push_back(HouseRef(h));
            for (int c : cells)
                MarkCell(s, b, c, SdkProofRole::Pattern);
            s.eliminations = {{uint8_t(r1), uint8_t(other)}, {uint8_t(r2), uint8_t(other)}};
            Push(out, std::move(s));
        }
    }
}

// The rectangle's four cells in two rows, two columns and two quads.
void Rectangle(const Board &b, int r1, int r2, int c1, int c2, std::vector<SdkTechStep> &out)
{
    const int cells[4] = {r1 * 9 + c1, r1 * 9 + c2, r2 * 9 + c1, r2 * 9 + c2};
    if (QuadOf(cells[0]) == QuadOf(cells[3]) ||
        (QuadOf(cells[0]) != QuadOf(cells[1]) && QuadOf(cells[0]) != QuadOf(cells[2])))
        return;
    for (int i = 0; i < 4; ++i)
        if (Bits(b.cand[cells[i]]) == 2) {
            const uint16_t pair = b.cand[cells[i]];
            int floors = 0;
            std::vector<int> roofs;
            bool fits = true;
            for (int c : cells) {
                if (b.cand[c] == pair)
                    ++floors;
                else if ((b.cand[c] & pair) == pair)
                    roofs.push_back(c);
                else
                    fits = false;
            }
            if (!fits)
                return;
            if (floors == 3) {
                SdkTechStep s = NewStep(SdkTechnique::UniqueRectangle1, pair);
                for (int c : cells)
                    MarkCell(s, b, c, c == roofs[0] ? SdkProofRole::Fin : SdkProofRole::Pattern);
                for (int d = 1; d <= 9; ++d)
                    if (pair & Bit(d))
                        s.eliminations.push_back({uint8_t(roofs[0]), uint8_t(d)});
                Push(out, std::move(s));
            } else if (floors == 2 && b.cand[roofs[0]] == b.cand[roofs[1]] &&
                       Bits(b.cand[roofs[0]]) == 3) {
                int extra = std::countr_zero(uint16_t(b.cand[roofs[0]] & ~pair));
                SdkTechStep s = NewStep(SdkTechnique::UniqueRectangle2, b.cand[roofs[0]]);
                for (int c : cells)
                    MarkCell(s, b, c, SdkProofRole::Pattern);
                EliminateSeenByAll(s, b, extra, {roofs[0], roofs[1]});
                Push(out, std::move(s));
            }
            if (floors == 2)
                RectangleType4(b, cells, pair, roofs[0], roofs[1], out);
            return;
        }
}

} // namespace

void FindXYWing(const Board &b, std::vector<SdkTechStep> &out)
{
    Wing(b, false, out);
}

void FindXYZWing(const Board &b, std::vector<SdkTechStep> &out)
{
    Wing(b, true, out);
}

void FindUniqueRectangle(const Board &b, std::vector<SdkTechStep> &out)
{
    if (!b.unique)
        return;
    for (int r1 = 0; r1 < 9; ++r1)
        for (int r2 = r1 + 1; r2 < 9; ++r2)
            for (int c1 = 0; c1 < 9; ++c1)
                for (int c2 = c1 + 1; c2 < 9; ++c2)
                    Rectangle(b, r1, r2, c1, c2, out);
}

// A bivalue universal grave: were every empty cell down to two candidates and
// every digit down to two places in each of its houses, the grid would have two
// solutions. The candidates beyond such a grave are found per cell as those
// seen more than twice in the cell's row, column and quad; one of them is true.
// All of them in one cell: that cell keeps only them (one: it is placed). All
// of them one digit: whatever sees them all loses that digit.
void FindBugPlus1(const Board &b, std::vector<SdkTechStep> &out)
{
    if (!b.unique)
        return;
    std::array<uint16_t, 81> extra{};
    std::vector<int> extraCells;
    for (int c = 0; c < 81; ++c) {
        const int n = Bits(b.cand[c]);
        if (n < 3)
            continue;
        for (int d = 1; d <= 9; ++d)
            if ((b.cand[c] & Bit(d)) && Bits(b.Places(RowOf(c), d)) > 2 &&
                Bits(b.Places(9 + ColOf(c), d)) > 2 && Bits(b.Places(18 + QuadOf(c), d)) > 2)
                extra[c] |= Bit(d);
        if (n - Bits(extra[c]) != 2)
            return;
        extraCells.push_back(c);
    }
    if (extraCells.empty())
        return;
    for (int h = 0; h < 27; ++h)
        for (int d = 1; d <= 9; ++d) {
            int n = 0;
            for (int c : Tab().houseCells[h])
                n += (b.cand[c] & ~extra[c] & Bit(d)) ? 1 : 0;
            if (n != 0 && n != 2)
                return;
        }
    uint16_t digits = 0;
    for (int c : extraCells)
        digits |= extra[c];
    const bool oneCell = extraCells.size() == 1;
    if (!oneCell && Bits(digits) != 1)
        return;
    SdkTechStep s = NewStep(SdkTechnique::BugPlus1, digits);
    if (!oneCell) {
        s.technique = SdkTechnique::BugType2;
        s.rating = BaseRating(SdkTechnique::BugType2);
    }
    for (int c : extraCells)
        for (int d = 1; d <= 9; ++d)
            if (b.cand[c] & Bit(d))
                s.proof.push_back(
                    {uint8_t(c), uint8_t(d),
                     (extra[c] & Bit(d)) ? SdkProofRole::Fin : SdkProofRole::Pattern});
    const int first = extraCells[0];
    if (oneCell && Bits(digits) == 1)
        s.placements.push_back({uint8_t(first), uint8_t(std::countr_zero(digits))});
    else if (oneCell) {
        for (int d = 1; d <= 9; ++d)
            if ((b.cand[first] & Bit(d)) && !(digits & Bit(d)))
                s.eliminations.push_back({uint8_t(first), uint8_t(d)});
    } else {
        const int d = std::countr_zero(digits);
        for (int c = 0; c < 81; ++c) {
            bool all = b.cand[c] & Bit(d);
            for (int x : extraCells)
                all = all && Sees(c, x);
            if (all)
                s.eliminations.push_back({uint8_t(c), uint8_t(d)});
        }
    }
    Push(out, std::move(s));
}

// Two parallel strong links whose one ends share a line.
void FindSkyscraper(const Board &b, std::vector<SdkTechStep> &out)
{
    for (int d = 1; d <= 9; ++d)
        for (int base = 0; base <= 9; base += 9) {
            auto links = StrongLinks(b, d, base, base + 9);
            for (size_t i = 0; i < links.size(); ++i)
                for (size_t j = i + 1; j < links.size(); ++j)
                    LinkPairs(b, SdkTechnique::Skyscraper, d, links[i], links[j], out);
        }
}

// A row's strong link and a column's strong link whose one ends share a quad.
void FindTwoStringKite(const Board &b, std::vector<SdkTechStep> &out)
{
    for (int d = 1; d <= 9; ++d) {
        auto rows = StrongLinks(b, d, 0, 9);
        auto cols = StrongLinks(b, d, 9, 18);
        for (const StrongLink &r : rows)
            for (const StrongLink &c : cols) {
                const int re[2] = {r.a, r.b}, ce[2] = {c.a, c.b};
                for (int i = 0; i < 2; ++i)
                    for (int j = 0; j < 2; ++j)
                        if (QuadOf(re[i]) == QuadOf(ce[j]) && re[i] != ce[j] &&
                            re[1 - i] != ce[1 - j])
                            TwoLinks(b, SdkTechnique::TwoStringKite, d, r, c, re[i], re[1 - i],
                                     ce[j], ce[1 - j], out);
            }
    }
}

// Two equal bivalue cells {x, y} whose x's are joined by a strong link of x:
// one of them is y.
void FindWWing(const Board &b, std::vector<SdkTechStep> &out)
{
    for (int c1 = 0; c1 < 81; ++c1) {
        if (Bits(b.cand[c1]) != 2)
            continue;
        for (int c2 = c1 + 1; c2 < 81; ++c2) {
            if (b.cand[c2] != b.cand[c1] || Sees(c1, c2))
                continue;
            for (int x = 1; x <= 9; ++x) {
                if (!(b.cand[c1] & Bit(x)))
                    continue;
                int y = std::countr_zero(uint16_t(b.cand[c1] & ~Bit(x)));
                for (const StrongLink &l : StrongLinks(b, x, 0, 27)) {
                    int e1 = l.a, e2 = l.b;
                    if (!(Sees(e1, c1) && Sees(e2, c2)))
                        std::swap(e1, e2);
                    if (!(Sees(e1, c1) && Sees(e2, c2)) || e1 == c2 || e2 == c1)
                        continue;
                    SdkTechStep s = NewStep(SdkTechnique::WWing, b.cand[c1]);
                    s.houses = {HouseRef(l.house)};
                    s.proof = {{uint8_t(c1), uint8_t(y), SdkProofRole::LinkOn},
                               {uint8_t(c1), uint8_t(x), SdkProofRole::LinkOff},
                               {uint8_t(e1), uint8_t(x), SdkProofRole::LinkOn},
                               {uint8_t(e2), uint8_t(x), SdkProofRole::LinkOff},
                               {uint8_t(c2), uint8_t(x), SdkProofRole::LinkOn},
                               {uint8_t(c2), uint8_t(y), SdkProofRole::LinkOff}};
                    s.chainLength = 5;
                    EliminateSeenByAll(s, b, y, {c1, c2});
                    Push(out, std::move(s));
                }
            }
        }
    }
}

// The strong links of one digit split its cells into clusters of two colours,
// one of which is true. Two cells of one colour in a house make that colour
// false; a cell that sees both colours loses the digit.
void FindSimpleColouring(const Board &b, std::vector<SdkTechStep> &out)
{
    for (int d = 1; d <= 9; ++d) {
        auto links = StrongLinks(b, d, 0, 27);
        std::array<int8_t, 81> colour;
        colour.fill(-1);
        std::array<int, 81> cluster{};
        int clusters = 0;
        for (const StrongLink &start : links) {
            if (colour[start.a] >= 0)
                continue;
            std::vector<int> cells{start.a};
            colour[start.a] = 0;
            cluster[start.a] = clusters;
            for (size_t k = 0; k < cells.size(); ++k)
                for (const StrongLink &l : links) {
                    int from = cells[k], to = l.a == from ? l.b : l.b == from ? l.a : -1;
                    if (to < 0 || colour[to] >= 0)
                        continue;
                    colour[to] = int8_t(1 - colour[from]);
                    cluster[to] = clusters;
                    cells.push_back(to);
                }
            ++clusters;
            if (cells.size() < 4)
                continue;
            SdkTechStep s = NewStep(SdkTechnique::SimpleColouring, Bit(d));
            for (int c : cells)
                s.proof.push_back({uint8_t(c), uint8_t(d),
                                   colour[c] ? SdkProofRole::Fin : SdkProofRole::Pattern});
            s.chainLength = int(cells.size());
            s.rating += LengthBonus(int(cells.size()));
            int wrong = -1;
            for (int x : cells)
                for (int y : cells)
                    if (Sees(x, y) && colour[x] == colour[y])
                        wrong = colour[x];
            for (int c = 0; c < 81; ++c) {
                if (!(b.cand[c] & Bit(d)))
                    continue;
                bool inCluster = colour[c] >= 0 && cluster[c] == clusters - 1;
                bool sees[2] = {false, false};
                for (int x : cells)
                    if (Sees(c, x))
                        sees[colour[x]] = true;
                if ((inCluster && colour[c] == wrong) || (!inCluster && sees[0] && sees[1]))
                    s.eliminations.push_back({uint8_t(c), uint8_t(d)});
            }
            Push(out, std::move(s));
        }
    }
}

} // namespace SdkTech
