// Random play against a plain model of the rules: after every move the game's
// values, candidates, marks, double lists, history, events and changed flag
// must be those of the model, also when play goes on in a copy of the game.
// (The solver's direct steps are pinned by its known event sequences.)
#include "SdkTestUtil.h"

#include <random>

namespace {
unsigned At(unsigned type, unsigned b, unsigned p)
{
    return type == 0   ? b * 9 + p
           : type == 1 ? p * 9 + b
                       : (b / 3 * 3 + p / 3) * 9 + b % 3 * 3 + p % 3;
}
unsigned BlockOf(unsigned type, unsigned i)
{
    return type == 0 ? i / 9 : type == 1 ? i % 9 : i / 27 * 3 + i % 9 / 3;
}
int Bits(uint16_t m)
{
    return __builtin_popcount(m);
}

// The rules written out the slow way, on plain arrays.
struct Model
{
    unsigned v[81] = {};
    bool fix[81] = {}, last[81] = {}, mark[81] = {};
    uint16_t set[81] = {};
    bool deep = false, stateChanged = false;
    std::vector<std::array<unsigned, 4>> hist; // value, previous, row, column
    unsigned cur = 0;
    std::vector<std::string> events;

    bool Allowed(unsigned d, unsigned i, bool deepCheck) const
    {
        for (unsigned t = 0; t < 3; ++t) {
            const unsigned b = BlockOf(t, i);
            for (unsigned p = 0; p < 9; ++p)
                if (v[At(t, b, p)] == d) {
                    if (At(t, b, p) != i)
                        return false;
                    break;
                }
            for (unsigned p = 0; deepCheck && p < 9; ++p) {
                const unsigned j = At(t, b, p);
                if (j != i && v[j] == 0 && set[j] == 1u << d)
                    return false;
            }
        }
        return true;
    }
    bool Pass(bool full, bool deepCheck)
    {
        bool changed = false;
        if (full)
            std::fill(std::begin(set), std::end(set), 0);
        for (unsigned i = 0; i < 81; ++i)
            for (unsigned d = 1; !fix[i] && v[i] == 0 && d <= 9; ++d) {
                const uint16_t bit = uint16_t(1u << d);
                if (!Allowed(d, i, deepCheck)) {
                    if (set[i] & bit)
                        changed = last[i] = true;
                    set[i] &= uint16_t(~bit);
                } else if (full && !(set[i] & bit)) {
                    set[i] |= bit;
                    changed = true;
                }
            }
        return changed;
    }
    // Groups of k empty fields with the same k >= 2 candidates, smaller sets
    // first, then by their digits.
    std::vector<std::pair<uint16_t, uint16_t>> Doubles(unsigned t, unsigned b) const
    {
        std::vector<std::pair<uint16_t, uint16_t>> out; // set, positions
        for (unsigned p = 0; p < 9; ++p) {
            const uint16_t s = set[At(t, b, p)];
            uint16_t positions = 0;
            for (unsigned q = 0; q < 9; ++q)
                if (v[At(t, b, q)] == 0 && set[At(t, b, q)] == s)
                    positions |= uint16_t(1u << q);
            if (v[At(t, b, p)] == 0 && Bits(s) >= 2 && Bits(positions) == Bits(s) &&
                std::find(out.begin(), out.end(), std::make_pair(s, positions)) == out.end())
                out.push_back({s, positions});
        }
        std::sort(out.begin(), out.end(), [](auto a, auto b) {
            if (Bits(a.first) != Bits(b.first))
                return Bits(a.first) < Bits(b.first);
            const uint16_t diff = a.first ^ b.first; // the lowest differing digit decides
            return (a.first & diff & -diff) != 0;
        });
        return out;
    }
    unsigned Clean(unsigned t)
    {
        unsigned removed = 0;
        for (unsigned b = 0; b < 9; ++b) {
            const auto doubles = Doubles(t, b);
            for (unsigned p = 0; p < 9; ++p) {
                const unsigned i = At(t, b, p);
                for (auto [s, positions] : doubles)
                    if (!fix[i] && v[i] == 0 && set[i] != s && (set[i] & s)) {
                        removed += unsigned(Bits(set[i] & s));
                        set[i] &= uint16_t(~s);
                        last[i] = true;
                    }
            }
        }
        return removed;
    }
    bool AnyEmpty() const { return std::count(std::begin(v), std::end(v), 0u) > 0; }
    void Mark()
    {
        std::fill(std::begin(mark), std::end(mark), false);
        for (unsigned t = 0; t < 3; ++t)
            for (unsigned b = 0; b < 9; ++b)
                for (unsigned i = 0; i < 9; ++i) {
                    const unsigned f = At(t, b, i), vf = v[f];
                    const uint16_t s = set[f];
                    std::vector<unsigned> group = {f};
                    for (unsigned j = i + 1; j < 9; ++j) {
                        const unsigned g = At(t, b, j), w = v[g];
                        const uint16_t u = set[g];
                        if (vf ? (w ? w == vf : u == 1u << vf) : (w ? s == 1u << w : s && u == s))
                            group.push_back(g);
                    }
                    if (int(group.size()) > (vf ? 1 : Bits(s)))
                        for (unsigned g : group)
                            mark[g] = true;
                }
    }
    void Reduce()
    {
        bool again = true;
        for (bool d = deep; again; d = false) {
            const bool changed = Pass(false, d);
            unsigned cleaned = 0;
            if (AnyEmpty())
                cleaned = Clean(0) + Clean(1) + Clean(2);
            again = changed || cleaned > 0;
        }
        Mark();
    }
    void Push(std::array<unsigned, 4> e)
    {
        if (cur < hist.size() && hist[cur] == e) {
            ++cur;
            return;
        }
        hist.resize(cur);
        hist.push_back(e);
        cur = unsigned(hist.size());
    }
    void Event(bool ok, unsigned d, unsigned i) { events.push_back(Solved(ok, d, i / 9, i % 9)); }
    bool SetValue(unsigned d, unsigned i, bool record, bool notify)
    {
        const unsigned old = v[i];
        if (fix[i] || d == old)
            return !fix[i];
        if (d != 0 && !Allowed(d, i, false)) {
            if (notify)
                Event(false, d, i);
            return false;
        }
        if (d == 0 || old != 0) {
            v[i] = 0;
            Pass(true, false);
            Reduce();
            Reduce();
            std::fill(std::begin(last), std::end(last), false);
            last[i] = stateChanged = true;
            if (d == 0 && record)
                Push({0, old, i / 9, i % 9});
            if (notify || d != 0)
                Event(true, 0, i);
            if (d == 0)
                return true;
        }
        v[i] = d;
        set[i] = 0;
        last[i] = stateChanged = true;
        Reduce();
        if (record)
            Push({d, old, i / 9, i % 9});
        if (notify)
            Event(true, d, i);
        return true;
    }
    bool StepBack(bool notify)
    {
        if (cur == 0)
            return false;
        const auto e = hist[--cur];
        if (!SetValue(e[1], e[2] * 9 + e[3], false, notify))
            return ++cur, false;
        if (e[1] == 0 && cur > 0 && hist[cur - 1][0] != 0 &&
            !fix[hist[cur - 1][2] * 9 + hist[cur - 1][3]])
            last[hist[cur - 1][2] * 9 + hist[cur - 1][3]] = true;
        return true;
    }
    bool StepForward(bool notify)
    {
        const unsigned top = cur > 0 ? hist[cur - 1][2] * 9 + hist[cur - 1][3] : 81;
        std::fill(std::begin(last), std::end(last), false);
        if (cur >= hist.size())
            return false;
        const auto e = hist[cur++];
        const unsigned i = e[2] * 9 + e[3];
        if (!SetValue(e[0], i, false, notify))
            return --cur, false;
        if (top < 81 && !fix[top])
            last[top] = false;
        last[i] = last[i] || !fix[i];
        return true;
    }
    bool Undo()
    {
        if (cur == 0 || !StepBack(cur <= 1))
            return false;
        if (StepBack(false))
            StepForward(true);
        return true;
    }
    // Starting the game: candidates anew, cleaned once, no marks of moves.
    void Start()
    {
        Pass(true, false);
        Reduce();
        if (AnyEmpty())
            Clean(0), Clean(1), Clean(2);
        std::fill(std::begin(last), std::end(last), false);
        Mark();
    }
    // Keeping values and history, the latest move is marked again.
    void Restart()
    {
        Start();
        if (cur > 0 && StepBack(false))
            StepForward(false);
    }
};

std::string Compare(const Model &m, const Sudoku &g)
{
    for (unsigned i = 0; i < 81; ++i) {
        const SdkField f = g.GetField(i / 9, i % 9);
        if (f.GetValue() != m.v[i] || f.GetResultSet().GetMask() != m.set[i] ||
            f.IsLastChanged() != m.last[i] || f.IsDoubleResult() != m.mark[i] ||
            f.IsFix() != m.fix[i])
            return "field " + std::to_string(i) + " set " +
                   std::to_string(f.GetResultSet().GetMask()) + "/" + std::to_string(m.set[i]);
    }
    for (unsigned t = 0; t < 3 && m.AnyEmpty(); ++t)
        for (unsigned b = 0; b < 9; ++b) {
            const SdkDoubleList &list = g.GetBlock(SdkBlockTypes[t], b).GetDoubleList();
            const auto doubles = m.Doubles(t, b);
            bool same = list.Count() == int(doubles.size());
            for (int k = 0; same && k < list.Count(); ++k) {
                uint16_t positions = 0;
                for (int x = 0; x < list.GetDouble(k)->IndexCount(); ++x)
                    positions |= uint16_t(1u << list.GetDouble(k)->GetIndex(x));
                same = list.GetDouble(k)->GetResultSet().GetMask() == doubles[size_t(k)].first &&
                       positions == doubles[size_t(k)].second;
            }
            if (!same)
                return "doubles of block " + std::to_string(t) + "/" + std::to_string(b);
        }
    std::string hist;
    for (auto e : m.hist)
        hist += Entry(SdkSolvedField(D(e[0]), D(e[1]), e[2], e[3])) + " ";
    if (History(g) != hist + "|" + std::to_string(m.cur))
        return "history " + History(g);
    return g.IsStateChanged() == m.stateChanged ? "" : "state changed";
}

const char *const Riddles[] = {kRiddle, kOneGuess, kTwoGuesses, ".", kHard2, kHard3};
} // namespace

TEST(CrossCheck, RandomPlayFollowsThePlainRules)
{
    int marked = 0, copies = 0;
    for (unsigned seed = 1; seed <= 48; ++seed) {
        std::mt19937 random(seed);
        EventRecorder rec;
        auto game = std::make_unique<Sudoku>();
        rec.Attach(*game);
        const std::string riddle = std::string(Riddles[seed % 6]) + std::string(80, '.');
        StartRiddle(*game, riddle.substr(0, 81));
        Model m;
        for (unsigned i = 0; i < 81; ++i)
            m.v[i] = riddle[i] >= '1' && riddle[i] <= '9' ? unsigned(riddle[i] - '0') : 0;
        std::copy(std::begin(m.v), std::end(m.v), std::begin(m.fix));
        m.Start();
        ASSERT_EQ(Compare(m, *game), "") << "seed " << seed;
        for (int move = 0; move < 70; ++move) {
            const unsigned i = random() % 81, kind = random() % 16;
            const uint16_t s = m.set[i];
            unsigned d = 1 + random() % 9;
            for (unsigned k = random() % 9; kind < 6 && s && !(s & 1u << d); k = (k + 1) % 9)
                d = 1 + k; // mostly a candidate: play runs into contradictions
            rec.Clear();
            m.events.clear();
            std::string what = std::to_string(kind), expect, got;
            if (kind < 9) {
                got = std::to_string(game->SetValue(D(d), i / 9, i % 9));
                expect = std::to_string(m.SetValue(d, i, true, true));
            } else if (kind == 9) {
                got = std::to_string(game->EmptyValue(i / 9, i % 9));
                expect = std::to_string(m.SetValue(0, i, true, true));
            } else if (kind == 10) {
                got = std::to_string(game->Undo());
                expect = std::to_string(m.Undo());
            } else if (kind == 11) {
                got = std::to_string(game->Redo());
                expect = std::to_string(m.cur < m.hist.size() && m.StepForward(true));
            } else if (kind == 12 || kind == 13) {
                ASSERT_TRUE(game->StartGame(true, true, false));
                m.Restart();
            } else if (kind == 14) {
                // Play goes on in a copy made with the listeners, or in an assigned game.
                std::unique_ptr<Sudoku> next;
                if (random() % 2) {
                    next = std::make_unique<Sudoku>(*game, true);
                } else {
                    next = std::make_unique<Sudoku>();
                    rec.Attach(*next);
                    *next = *game;
                }
                game = std::move(next);
                ++copies;
            } else {
                m.deep = !m.deep;
                game->SetDeepCalcResultSets(m.deep);
            }
            ASSERT_EQ(got, expect) << "seed " << seed << " move " << move << " kind " << what;
            ASSERT_EQ(rec.lines, m.events) << "seed " << seed << " move " << move;
            ASSERT_EQ(Compare(m, *game), "") << "seed " << seed << " move " << move << " " << what;
            marked += std::count(std::begin(m.mark), std::end(m.mark), true) > 0;
        }
    }
    // Play really ran into conflicts, dead ends and copies.
    EXPECT_GT(marked, 300);
    EXPECT_GT(copies, 100);
}
