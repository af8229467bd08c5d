// Riddle creation on the caller's thread, predefined riddles and the list of
// recently used ones in the settings.
#include "SdkTestUtil.h"

#include <set>

namespace {
const char *const RecentKey = "Software\\Orbel\\Ninefold Sudoku\\RecentPredefs";

// The settings layer fixes its folder at first use: scratch from the start.
struct ScratchHome
{
    fs::path root;
    ScratchHome()
    {
        char pattern[] = "/tmp/nf-create-XXXXXX";
        root = mkdtemp(pattern);
        setenv("HOME", root.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    }
    ~ScratchHome() { fs::remove_all(root); }
};
const ScratchHome scratchHome;

// The list of recently used predefined riddles, emptied first when asked.
std::string Recent(bool clear = false)
{
    std::string list;
    for (size_t i = 0; i < 4; ++i) {
        const TString key = TString::Format("%04d", int(i + 1));
        if (clear)
            CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser, RecentKey, key, "");
        list +=
            CurrentOS->ReadRegistryValue(TOpSystem::RootCurrentUser, RecentKey, key).Str() + ";";
    }
    return list;
}
// What creation left: given, played, history, attempt, depths; "empty" for nothing.
std::string Outcome(const Sudoku &g)
{
    if (g.GetFixCount() + g.GetSolvedCount() + g.GetUserStackCount() == 0)
        return "empty " + std::to_string(g.GetCreateGameSuccessAttempt()) +
               std::to_string(g.GetCreateGameBtStep()) + std::to_string(g.GetBtStepsOnCreation());
    return std::to_string(g.GetFixCount()) + " given, attempt " +
           std::to_string(g.GetCreateGameSuccessAttempt() > 0) + ", depth " +
           std::to_string(g.GetCreateGameBtStep() == g.GetBtStepsOnCreation()) +
           std::to_string(g.IsDefinitionChanged()) + std::to_string(g.IsStateChanged()) +
           std::to_string(g.Verify()) + std::to_string(g.GetFileName().IsEmpty());
}

// kRiddle without its k-th given digit: riddles that differ.
std::string Variant(int k)
{
    std::string line = kRiddle;
    for (char &c : line)
        if (c != '0' && k-- == 0)
            c = '0';
    return line;
}
} // namespace

TEST(Create, RandomNumbers)
{
    for (int i = 0; i < 200; ++i) // the sign bit only for the rotated minimum
        EXPECT_TRUE(Sudoku::GetRandomNumber() <= 0x80000000u);
    // Worked by hand from the clock's seconds and microseconds.
    const int64_t mixes[][3] = {{0, 0, 1},
                                {20, 1, 79691776},
                                {-1, 3, 1},
                                {0, 100, 24320},
                                {5, 1000000, 1907302411},
                                {-25, 999999, 12000005},
                                {1765000000, 123456, 1073710961}};
    for (auto m : mixes)
        EXPECT_EQ(Sudoku::MixRandomSeed(int32_t(m[0]), uint32_t(m[1])), m[2])
            << m[0] << " " << m[1];
}

TEST(Create, OutcomesAndAttempts)
{
    Sudoku g;
    StartRiddle(g);
    EXPECT_FALSE(g.CreateGame(0, 5, 0, -1, 0) || g.CreateGame(30, 0, 0, -1, 0));
    EXPECT_EQ(g.GetFixCount(), 30u);
    ASSERT_TRUE(g.Solve(-1, true, ""));
    // Givens, attempts, depths from and to, direct steps. No riddle needs 80 guesses, none
    // has more givens than fields; one attempt gives the riddle as placed, or nothing.
    const struct
    {
        unsigned fixCount, attempts;
        int minDepth, maxDepth, minDirect;
    } cases[] = {{25, 3, 80, -1, 0},
                 {82, 2, 0, -1, 0},
                 {30, 1000, 0, 0, 5},
                 {30, 1000, 1, -1, 5},
                 {30, 1, 0, -1, 0}};
    for (const auto &c : cases) {
        unsigned attempts = 0;
        int receiver = 0;
        g.MVC().AddNotification(SDK_TRY_CREATED_GAME, &receiver, [&](TMvcParam &p) {
            EXPECT_EQ(static_cast<SdkParam &>(p).GetChanges(), ++attempts);
            // A move played while the riddle is made does not survive into it.
            for (unsigned k = 0; k < 729 && !g.SetValue(D(k % 9 + 1), k / 81, k / 9 % 9); ++k) {
            }
            return true;
        });
        bool ok = false;
        for (int round = 0; round < 4 && !ok; ++round) { // a creation may miss by chance
            attempts = 0;
            ok = g.CreateGame(c.fixCount, c.attempts, c.minDepth, c.maxDepth, c.minDirect);
        }
        g.MVC().RemoveNotification(SDK_TRY_CREATED_GAME, &receiver);
        EXPECT_EQ(ok, g.WasCreateGameSuccessful());
        EXPECT_FALSE(g.WasCreateGameCancelled() || g.IsCreating());
        EXPECT_EQ(Outcome(g), ok ? "30 given, attempt 1, depth 11011" : "empty 0-1-1")
            << c.fixCount << c.minDepth;
        EXPECT_EQ(ok ? g.GetCreateGameSuccessAttempt() : c.attempts, attempts);
        EXPECT_EQ(g.GetSolutionStackCount() + g.GetUserStackCount(), 0u);
        if (!ok)
            continue;
        // The measured depth is the solver's, within the limits asked for.
        const int depth = g.GetCreateGameBtStep();
        EXPECT_TRUE(depth >= c.minDepth && (c.maxDepth < 0 || depth <= c.maxDepth)) << depth;
        EXPECT_EQ(g.Solve(0, true, ""), depth == 0);
        ASSERT_TRUE(g.Solve(-1, true, ""));
        EXPECT_EQ(g.GetSolveBtStep(), depth);
    }
}

// The random filling gives up only when no empty field can take any digit.
TEST(Create, FillingEndsWithoutPlaceableFields)
{
    std::string firstColumn(81, '.');
    for (unsigned i = 0; i < 81; i += 9)
        firstColumn[i] = kSolution[i];
    const std::pair<std::string, bool> cases[] = {
        {std::string(81, '.'), true}, {firstColumn, true}, {kSolution, false}};
    for (const auto &[grid, placeable] : cases) {
        Sudoku g;
        LoadGrid(g, grid);
        EXPECT_EQ(Peer::HasPlaceableField(g), placeable) << grid;
    }
}

TEST(Create, PredefinedRiddlesAvoidTheRecentOnes)
{
    const fs::path folder = scratchHome.root / "predefs";
    fs::create_directories(folder);
    auto write = [&](const std::string &name, const std::string &riddle) {
        Sudoku g;
        StartRiddle(g, riddle);
        ASSERT_TRUE(g.SaveGame((folder / name).c_str(), true, true));
    };
    auto given = [](const Sudoku &g) {
        std::string line(81, '0');
        for (unsigned i = 0; i < 81; ++i)
            if (g.GetField(i / 9, i % 9).IsFix())
                line[i] = char('0' + g.GetField(i / 9, i % 9).GetValue());
        return line;
    };
    Recent(true);
    Sudoku g;
    StartRiddle(g);
    EXPECT_FALSE(g.CreateGamePredefined((folder / "missing").c_str(), 1));
    EXPECT_FALSE(g.GetFixCount() || g.IsDefinitionChanged() || g.IsStateChanged()); // a new game
    write("nine.01.spd", "123456789" + std::string(72, '.')); // too few givens: never taken
    write("one.02.spd", Variant(0));
    EXPECT_FALSE(g.CreateGamePredefined(folder.c_str(), 1));
    EXPECT_EQ(Recent(), ";;;;");
    // Level 7 is taken as 3; "\" separators as "/".
    write("only.03.spd", Variant(1));
    std::string path = folder.string();
    std::replace(path.begin(), path.end(), '/', '\\');
    ASSERT_TRUE(g.CreateGamePredefined(path.c_str(), 7));
    EXPECT_EQ(given(g), Variant(1));
    EXPECT_EQ(g.GetSolvedCount(), 0u);
    EXPECT_TRUE(g.GetFileName().IsEmpty() && g.IsDefinitionChanged());
    EXPECT_EQ(Recent(), "only.03.spd;;;;");
    EXPECT_FALSE(g.CreateGamePredefined(folder.c_str(), 3)); // all used up
    EXPECT_EQ(Recent(), "only.03.spd;;;;");
    // The list keeps the three newest.
    Recent(true);
    for (const char *name : {"", "one.01.spd", "two.01.spd", "three.02.spd", "four.03.spd"})
        Sudoku::AddRecentPredef(name);
    EXPECT_EQ(Recent(), "four.03.spd;three.02.spd;two.01.spd;;");
    EXPECT_TRUE(Sudoku::IsRecentPredef("TWO.01.spd"));
    EXPECT_FALSE(Sudoku::IsRecentPredef("one.01.spd") || Sudoku::IsRecentPredef(""));
    Recent(true);
    // The stock is drawn from at random: every one of three names comes up.
    const std::vector<TString> names = {"a", "b", "c"};
    std::set<std::string> drawn;
    for (int k = 0; k < 60; ++k)
        drawn.insert(Sudoku::PickRandomName(names, k == 0).Str());
    EXPECT_EQ(drawn.size(), 3u);
}
