// Chains: candidates as nodes that are true ("on") or false ("off"), linked by
// implications. One propagation routine serves every chain technique; the mode
// picks which links it may follow:
//   X        one digit: on -> its peers off; off -> the other place of a house with two;
//   XY       on -> same digit in peers off; off -> the other digit of a bivalue cell;
//   Static   both of the above, links taken from the board as it is;
//   Dynamic  as Static, but an off node makes singles of what it leaves behind, so
//            the implications grow the board as a player would;
//   Nishio   one digit, dynamic: on -> its peers off; off -> a last place in a house.
// Each node keeps its cause, so the nodes behind a conclusion can be counted
// (the rating grows with them) and shown.
#include "engine/SdkTechBoard.h"

namespace SdkTech {

namespace {

constexpr int NodeCount = 729;
enum class Mode { X, XY, Static, Dynamic, Nishio };

int NodeOf(int cell, int d)
{
    return cell * 9 + d - 1;
}
int CellOf(int node)
{
    return node / 9;
}
int DigitOf(int node)
{
    return node % 9 + 1;
}

// Causes: -1 the assumption; < 729 the parent node; 1000 + cell the cell's last
// candidate; 2000 + house the digit's last place in the house.
constexpr int CauseCell = 1000;
constexpr int CauseHouse = 2000;

struct Implications
{
    std::bitset<NodeCount> on, off;
    std::array<int16_t, NodeCount> whyOn, whyOff;
    int conflict = -1;    // a node both on and off
    bool emptied = false; // a cell or house was left without a candidate
    int emptiedCell = -1;
};

struct Context
{
    const Board &b;
    std::array<std::array<uint16_t, 10>, 27> places{};

    explicit Context(const Board &board) : b(board)
    {
        for (int h = 0; h < 27; ++h)
            for (int d = 1; d <= 9; ++d)
                places[h][d] = b.Places(h, d);
    }

    void Propagate(int start, bool startOn, Mode mode, Implications &imp) const;
    // d just went off in cell c: a house of c left with one place for d gets it.
    template<typename Set>
    void HouseSingles(int c, int d, Implications &imp, Set &set) const
    {
        for (int h : Tab().cellHouses[c]) {
            int place = -1, count = 0;
            for (int p = 0; p < 9; ++p) {
                int o = Tab().houseCells[h][p];
                if ((places[h][d] & (1u << p)) && !imp.off[NodeOf(o, d)]) {
                    place = o;
                    ++count;
                }
            }
            if (count == 0)
                imp.emptied = true;
            else if (count == 1)
                set(NodeOf(place, d), true, CauseHouse + h);
        }
    }
    int Ancestors(const Implications &imp, int node, bool on, std::bitset<2 * NodeCount> &seen,
                  std::vector<SdkProofMark> *proof) const;
};

void Context::Propagate(int start, bool startOn, Mode mode, Implications &imp) const
{
    imp.on.reset();
    imp.off.reset();
    imp.conflict = -1;
    imp.emptied = false;
    std::array<int16_t, 2 * NodeCount> queue;
    int head = 0, tail = 0;
    auto set = [&](int n, bool on, int why) {
        auto &mine = on ? imp.on : imp.off;
        if (mine[n])
            return;
        mine.set(n);
        (on ? imp.whyOn : imp.whyOff)[n] = int16_t(why);
        if ((on ? imp.off : imp.on)[n])
            imp.conflict = n;
        queue[tail++] = int16_t(n * 2 + (on ? 1 : 0));
    };
    set(start, startOn, -1);
    const bool cellLinks = mode != Mode::X, houseLinks = mode != Mode::XY;
    while (head < tail && imp.conflict < 0 && !imp.emptied) {
        const int n = queue[head] / 2;
        const bool on = queue[head++] % 2;
        const int c = CellOf(n), d = DigitOf(n);
        if (on) {
            if (mode == Mode::Static || mode == Mode::Dynamic)
                for (int e = 1; e <= 9; ++e)
                    if (e != d && (b.cand[c] & Bit(e)))
                        set(NodeOf(c, e), false, n);
            for (int o : Tab().peers[c])
                if (b.cand[o] & Bit(d))
                    set(NodeOf(o, d), false, n);
            continue;
        }
        if (mode == Mode::Nishio) {
            HouseSingles(c, d, imp, set);
            continue;
        }
        if (mode == Mode::Dynamic) {
            int left = -1, count = 0;
            for (int e = 1; e <= 9; ++e)
                if ((b.cand[c] & Bit(e)) && !imp.off[NodeOf(c, e)]) {
                    left = e;
                    ++count;
                }
            if (count == 0) {
                imp.emptied = true;
                imp.emptiedCell = c;
            } else if (count == 1)
                set(NodeOf(c, left), true, CauseCell + c);
            HouseSingles(c, d, imp, set);
            continue;
        }
        if (cellLinks && Bits(b.cand[c]) == 2)
            set(NodeOf(c, std::countr_zero(uint16_t(b.cand[c] & ~Bit(d)))), true, n);
        if (houseLinks)
            for (int h : Tab().cellHouses[c])
                if (Bits(places[h][d]) == 2)
                    for (int p = 0; p < 9; ++p) {
                        int o = Tab().houseCells[h][p];
                        if (o != c && (places[h][d] & (1u << p)))
                            set(NodeOf(o, d), true, n);
                    }
    }
}

// Counts (and lists, start first) the nodes that node's value rests on.
int Context::Ancestors(const Implications &imp, int node, bool on, std::bitset<2 * NodeCount> &seen,
                       std::vector<SdkProofMark> *proof) const
{
    std::vector<int> stack{node * 2 + (on ? 1 : 0)};
    std::vector<SdkProofMark> marks;
    int count = 0;
    while (!stack.empty()) {
        int item = stack.back();
        stack.pop_back();
        if (seen[item])
            continue;
        seen.set(item);
        ++count;
        const int n = item / 2, c = CellOf(n), d = DigitOf(n);
        const bool isOn = item % 2;
        marks.push_back(
            {uint8_t(c), uint8_t(d), isOn ? SdkProofRole::LinkOn : SdkProofRole::LinkOff});
        const int why = isOn ? imp.whyOn[n] : imp.whyOff[n];
        if (why < 0)
            continue;
        if (why < NodeCount)
            stack.push_back(why * 2 + (isOn ? 0 : 1));
        else if (why < CauseHouse) {
            for (int e = 1; e <= 9; ++e)
                if (e != d && (b.cand[c] & Bit(e)))
                    stack.push_back(NodeOf(c, e) * 2);
        } else {
            int h = why - CauseHouse;
            for (int o : Tab().houseCells[h])
                if (o != c && (b.cand[o] & Bit(d)))
                    stack.push_back(NodeOf(o, d) * 2);
        }
    }
    if (proof)
        proof->insert(proof->end(), marks.rbegin(), marks.rend());
    return count;
}

// Candidates that cannot be true together with either of two nodes.
template<typename Visit>
void WeakToBoth(const Board &b, int s, int t, Visit visit)
{
    const int sc = CellOf(s), sd = DigitOf(s), tc = CellOf(t), td = DigitOf(t);
    auto weak = [&](int c, int d, int oc, int od) {
        return (c == oc && d != od) || (d == od && Sees(c, oc));
    };
    for (int e = 1; e <= 9; ++e)
        if (e != sd && (b.cand[sc] & Bit(e)) && weak(sc, e, tc, td))
            visit(sc, e);
    for (int o : Tab().peers[sc])
        if ((b.cand[o] & Bit(sd)) && weak(o, sd, tc, td) && NodeOf(o, sd) != t)
            visit(o, sd);
}

SdkTechStep ChainStep(SdkTechnique technique, int nodes, std::vector<SdkProofMark> &&proof)
{
    SdkTechStep s;
    s.technique = technique;
    s.chainLength = nodes - 1;
    s.rating = BaseRating(technique) + LengthBonus(nodes);
    s.proof = std::move(proof);
    for (const SdkProofMark &m : s.proof)
        s.digits |= Bit(m.digit);
    return s;
}

thread_local std::vector<Implications> OnImps, OffImps;

// "s is false" implies "t is true": whatever sees both s and t is false.
void Chains(const Board &b, Mode mode, SdkTechnique technique, std::vector<SdkTechStep> &out)
{
    Context ctx(b);
    Implications imp;
    for (int s = 0; s < NodeCount; ++s) {
        if (!(b.cand[CellOf(s)] & Bit(DigitOf(s))))
            continue;
        ctx.Propagate(s, false, mode, imp);
        if (imp.conflict >= 0) {
            std::bitset<2 * NodeCount> seen;
            std::vector<SdkProofMark> proof;
            int nodes = ctx.Ancestors(imp, imp.conflict, true, seen, &proof);
            nodes += ctx.Ancestors(imp, imp.conflict, false, seen, &proof);
            SdkTechStep step = ChainStep(technique, nodes, std::move(proof));
            step.placements.push_back({uint8_t(CellOf(s)), uint8_t(DigitOf(s))});
            out.push_back(std::move(step));
            continue;
        }
        for (int t = s + 1; t < NodeCount; ++t) {
            if (!imp.on[t])
                continue;
            std::vector<SdkTechCandidate> gone;
            WeakToBoth(b, s, t, [&](int c, int d) { gone.push_back({uint8_t(c), uint8_t(d)}); });
            if (gone.empty())
                continue;
            std::bitset<2 * NodeCount> seen;
            std::vector<SdkProofMark> proof;
            int nodes = ctx.Ancestors(imp, t, true, seen, &proof);
            SdkTechStep step = ChainStep(technique, nodes, std::move(proof));
            step.eliminations = std::move(gone);
            out.push_back(std::move(step));
        }
    }
}

// A node reached by every branch holds whichever branch is true.
void Common(const Context &ctx, const std::vector<const Implications *> &branches,
            const std::vector<int> &starts, SdkTechnique technique, int house,
            std::vector<SdkTechStep> &out)
{
    std::bitset<NodeCount> on = branches[0]->on, off = branches[0]->off;
    for (const Implications *imp : branches) {
        on &= imp->on;
        off &= imp->off;
    }
    for (int pass = 0; pass < 2; ++pass) {
        const bool isOn = pass == 0;
        const auto &hits = isOn ? on : off;
        if (hits.none())
            continue;
        for (int n = 0; n < NodeCount; ++n) {
            if (!hits[n])
                continue;
            const int c = CellOf(n), d = DigitOf(n);
            if (isOn ? ctx.b.value[c] != 0 : !(ctx.b.cand[c] & Bit(d)))
                continue;
            std::vector<SdkProofMark> proof;
            int nodes = 0;
            for (size_t i = 0; i < branches.size(); ++i) {
                std::bitset<2 * NodeCount> seen;
                proof.push_back(
                    {uint8_t(CellOf(starts[i])), uint8_t(DigitOf(starts[i])), SdkProofRole::Fin});
                nodes += ctx.Ancestors(*branches[i], n, isOn, seen, &proof);
            }
            SdkTechStep step = ChainStep(technique, nodes, std::move(proof));
            if (house >= 0)
                step.houses.push_back(HouseRef(house));
            if (isOn)
                step.placements.push_back({uint8_t(c), uint8_t(d)});
            else
                step.eliminations.push_back({uint8_t(c), uint8_t(d)});
            out.push_back(std::move(step));
        }
    }
}

void Contradiction(const Context &ctx, const Implications &imp, int s, bool startOn,
                   SdkTechnique technique, std::vector<SdkTechStep> &out)
{
    if (imp.conflict < 0 && !imp.emptied)
        return;
    std::bitset<2 * NodeCount> seen;
    std::vector<SdkProofMark> proof;
    int nodes = 0;
    if (imp.conflict >= 0) {
        nodes += ctx.Ancestors(imp, imp.conflict, true, seen, &proof);
        nodes += ctx.Ancestors(imp, imp.conflict, false, seen, &proof);
    } else {
        // The whole propagation stands behind an emptied cell or house.
        nodes = int(imp.on.count() + imp.off.count());
        proof.push_back({uint8_t(CellOf(s)), uint8_t(DigitOf(s)),
                         startOn ? SdkProofRole::LinkOn : SdkProofRole::LinkOff});
    }
    SdkTechStep step = ChainStep(technique, nodes, std::move(proof));
    if (startOn)
        step.eliminations.push_back({uint8_t(CellOf(s)), uint8_t(DigitOf(s))});
    else
        step.placements.push_back({uint8_t(CellOf(s)), uint8_t(DigitOf(s))});
    out.push_back(std::move(step));
}

// Cell and house forcing chains and contradictions, from every candidate assumed true
// (and, in the dynamic mode, false).
void Forcing(const Board &b, Mode mode, std::vector<SdkTechStep> &out)
{
    const bool dynamic = mode == Mode::Dynamic;
    const SdkTechnique cellTech =
        dynamic ? SdkTechnique::DynamicForcingChain : SdkTechnique::CellForcingChain;
    const SdkTechnique houseTech =
        dynamic ? SdkTechnique::DynamicForcingChain : SdkTechnique::HouseForcingChain;
    const SdkTechnique contraTech =
        dynamic ? SdkTechnique::DynamicForcingChain : SdkTechnique::ContradictionChain;
    Context ctx(b);
    OnImps.resize(NodeCount);
    OffImps.resize(NodeCount);
    bool broken[NodeCount] = {};
    for (int s = 0; s < NodeCount; ++s) {
        if (!(b.cand[CellOf(s)] & Bit(DigitOf(s))))
            continue;
        ctx.Propagate(s, true, mode, OnImps[s]);
        broken[s] = OnImps[s].conflict >= 0 || OnImps[s].emptied;
        Contradiction(ctx, OnImps[s], s, true, contraTech, out);
        if (dynamic) {
            ctx.Propagate(s, false, mode, OffImps[s]);
            Contradiction(ctx, OffImps[s], s, false, contraTech, out);
            if (!broken[s] && OffImps[s].conflict < 0 && !OffImps[s].emptied)
                Common(ctx, {&OnImps[s], &OffImps[s]}, {s, s}, contraTech, -1, out);
        }
    }
    auto branchOut = [&](const std::vector<int> &starts, SdkTechnique technique, int house) {
        // A broken branch is the contradiction's step; what the others share
        // would hide that chain's length.
        std::vector<const Implications *> branches;
        for (int s : starts) {
            if (broken[s])
                return;
            branches.push_back(&OnImps[s]);
        }
        Common(ctx, branches, starts, technique, house, out);
    };
    for (int c = 0; c < 81; ++c) {
        if (Bits(b.cand[c]) < 2)
            continue;
        std::vector<int> starts;
        for (int d = 1; d <= 9; ++d)
            if (b.cand[c] & Bit(d))
                starts.push_back(NodeOf(c, d));
        branchOut(starts, cellTech, -1);
    }
    for (int h = 0; h < 27; ++h)
        for (int d = 1; d <= 9; ++d) {
            uint16_t places = ctx.places[h][d];
            if (Bits(places) < 2)
                continue;
            std::vector<int> starts;
            for (int p = 0; p < 9; ++p)
                if (places & (1u << p))
                    starts.push_back(NodeOf(Tab().houseCells[h][p], d));
            branchOut(starts, houseTech, h);
        }
}

} // namespace

void FindXChain(const Board &b, std::vector<SdkTechStep> &out)
{
    Chains(b, Mode::X, SdkTechnique::XChain, out);
}

void FindXYChain(const Board &b, std::vector<SdkTechStep> &out)
{
    Chains(b, Mode::XY, SdkTechnique::XYChain, out);
}

void FindAlternatingChain(const Board &b, std::vector<SdkTechStep> &out)
{
    Chains(b, Mode::Static, SdkTechnique::AlternatingChain, out);
}

// A candidate assumed true that leaves its digit no place in some house.
void FindNishio(const Board &b, std::vector<SdkTechStep> &out)
{
    Context ctx(b);
    Implications imp;
    for (int s = 0; s < NodeCount; ++s)
        if (b.cand[CellOf(s)] & Bit(DigitOf(s))) {
            ctx.Propagate(s, true, Mode::Nishio, imp);
            Contradiction(ctx, imp, s, true, SdkTechnique::ContradictionChain, out);
        }
}

void FindStaticForcingChain(const Board &b, std::vector<SdkTechStep> &out)
{
    Forcing(b, Mode::Static, out);
}

void FindDynamicForcingChain(const Board &b, std::vector<SdkTechStep> &out)
{
    Forcing(b, Mode::Dynamic, out);
}

} // namespace SdkTech
