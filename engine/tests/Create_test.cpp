// Riddle creation on the caller's thread, and the predefined riddles with the
// list of recently used ones in the settings.
#include "SdkTestUtil.h"

#include "base/TOpSystem.h"
#include "engine/Sudoku.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {

const char *const RecentKey = "Software\\Orbel\\Ninefold Sudoku\\RecentPredefs";

// The settings live in a scratch folder from before the first test on, because
// the settings layer fixes its folder at its first use.
struct ScratchHome
{
    fs::path root;
    ScratchHome()
    {
        char pattern[] = "/tmp/ninefold-create-XXXXXX";
        root = mkdtemp(pattern);
        fs::create_directories(root / "config");
        setenv("HOME", root.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    }
    ~ScratchHome()
    {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};
const ScratchHome scratchHome;

void LoadLine(Sudoku &game, const std::string &line)
{
    ASSERT_TRUE(game.Reset());
    for (unsigned i = 0; i < 81; ++i)
        if (line[i] >= '1' && line[i] <= '9') {
            ASSERT_TRUE(game.Fix(SdkDigit(line[i] - '0'), i / 9, i % 9));
        }
    ASSERT_TRUE(game.StartGame(false, false, true));
}

std::string Recent(int position)
{
    return CurrentOS
        ->ReadRegistryValue(TOpSystem::RootCurrentUser, RecentKey,
                            TString::Format("%04d", position))
        .Str();
}

void SetRecent(const std::vector<std::string> &names)
{
    for (int i = 0; i < 3; ++i)
        CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser, RecentKey,
                                      TString::Format("%04d", i + 1),
                                      i < int(names.size()) ? TString(names[size_t(i)]) : "");
}

void ExpectEmptyGame(const Sudoku &game)
{
    EXPECT_EQ(game.GetFixCount(), 0u);
    EXPECT_EQ(game.GetSolvedCount(), 0u);
    EXPECT_EQ(game.GetUserStackCount(), 0u);
}

unsigned CountEvents(Sudoku &game, const char *event, const std::function<bool()> &action)
{
    unsigned count = 0;
    int receiver = 0;
    game.MVC().AddNotification(event, &receiver, [&count](TMvcParam &) {
        ++count;
        return true;
    });
    EXPECT_TRUE(action());
    game.MVC().RemoveNotification(event, &receiver);
    return count;
}

class PredefFolder : public testing::Test
{
protected:
    fs::path folder;

    void SetUp() override
    {
        folder = scratchHome.root / ("predefs-" + std::to_string(++m_counter));
        fs::create_directories(folder);
        SetRecent({});
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
        SetRecent({});
    }
    void Write(const std::string &name, const std::string &riddle)
    {
        Sudoku game;
        LoadLine(game, riddle);
        ASSERT_TRUE(game.SaveGame((folder / name).c_str(), true, true));
    }
    static std::string Given(Sudoku &game)
    {
        std::string line(81, '.');
        for (unsigned i = 0; i < 81; ++i)
            if (game.GetField(i / 9, i % 9).IsFix())
                line[i] = char('0' + game.GetField(i / 9, i % 9).GetValue());
        return line;
    }

private:
    static inline int m_counter = 0;
};

// Riddles differing in their given digits, each with at least ten of them.
std::string Variant(int k)
{
    std::string line = kRiddle;
    for (char &c : line)
        if (c == '0')
            c = '.';
    for (char &c : line)
        if (c != '.' && k-- == 0) {
            c = '.';
            break;
        }
    return line;
}

} // namespace

TEST(RandomNumber, SignBitOnlyForTheRotatedMinimum)
{
    std::set<unsigned> seen;
    for (int i = 0; i < 2000; ++i) {
        unsigned z = Sudoku::GetRandomNumber();
        EXPECT_TRUE((z & 0x80000000u) == 0 || z == 0x80000000u) << z;
        seen.insert(z);
    }
    EXPECT_GT(seen.size(), 1u) << "the clock must move the seed";
}

TEST(RandomNumber, MixesTheClockComponentsAsSpecifiedBitForBit)
{
    // Worked by hand: x = ((s mod 21) + 1) * us, m, y, rotation by (x mod 31) + 1.
    EXPECT_EQ(Sudoku::MixRandomSeed(0, 0), 1u);
    EXPECT_EQ(Sudoku::MixRandomSeed(20, 1), 79691776u);
    EXPECT_EQ(Sudoku::MixRandomSeed(-1, 3), 1u);
    EXPECT_EQ(Sudoku::MixRandomSeed(0, 100), 24320u);
    EXPECT_EQ(Sudoku::MixRandomSeed(5, 1000000), 1907302411u);
    // A negative remainder keeps its sign, as in C.
    EXPECT_EQ(Sudoku::MixRandomSeed(-25, 999999), 12000005u);
    EXPECT_EQ(Sudoku::MixRandomSeed(1765000000, 123456), 1073710961u);
}

TEST(CreateGame, ZeroCountsAreRefusedAndChangeNothing)
{
    Sudoku game;
    LoadLine(game, kRiddle);
    std::string before = game.WriteStream(false, false).Str();
    EXPECT_FALSE(game.CreateGame(0, 5, 0, -1, 0));
    EXPECT_FALSE(game.CreateGame(30, 0, 0, -1, 0));
    EXPECT_EQ(game.WriteStream(false, false).Str(), before);
    EXPECT_FALSE(game.IsCreating());
}

TEST(CreateGame, OneAttemptEitherGivesTheRiddleAsPlacedOrAnEmptyGame)
{
    for (int round = 0; round < 8; ++round) {
        Sudoku game;
        bool ok = game.CreateGame(30, 1, 0, -1, 0);
        EXPECT_EQ(ok, game.WasCreateGameSuccessful());
        EXPECT_FALSE(game.WasCreateGameCancelled());
        if (ok) {
            EXPECT_EQ(game.GetFixCount(), 30u);
            EXPECT_EQ(game.GetCreateGameSuccessAttempt(), 1u);
            EXPECT_GE(game.GetCreateGameBtStep(), 0);
            EXPECT_EQ(game.GetBtStepsOnCreation(), game.GetCreateGameBtStep());
            EXPECT_TRUE(game.IsDefinitionChanged());
            EXPECT_FALSE(game.IsStateChanged());
            EXPECT_TRUE(game.Verify());
        } else {
            ExpectEmptyGame(game);
            EXPECT_EQ(game.GetCreateGameSuccessAttempt(), 0u);
            EXPECT_EQ(game.GetCreateGameBtStep(), -1);
            EXPECT_EQ(game.GetBtStepsOnCreation(), -1);
        }
    }
}

TEST(CreateGame, DirectStepsOnlyRiddleNeedsNoGuess)
{
    Sudoku game;
    bool ok = false;
    // About nine in ten creations at these settings succeed.
    for (int round = 0; round < 4 && !ok; ++round)
        ok = game.CreateGame(30, 1000, 0, 0, 5);
    ASSERT_TRUE(ok);
    EXPECT_EQ(game.GetFixCount(), 30u);
    EXPECT_EQ(game.GetCreateGameBtStep(), 0);
    EXPECT_EQ(game.GetBtStepsOnCreation(), 0);
    EXPECT_TRUE(game.GetFileName().IsEmpty());
    EXPECT_EQ(game.GetUserStackCount(), 0u);
    EXPECT_TRUE(game.Solve(0, true, ""));
    EXPECT_EQ(game.GetSolveBtStep(), 0);
}

TEST(CreateGame, MinimumDepthRejectsRiddlesTheDirectStepsSolve)
{
    Sudoku game;
    ASSERT_TRUE(game.CreateGame(30, 1000, 1, -1, 5));
    EXPECT_GE(game.GetCreateGameBtStep(), 1);
    EXPECT_FALSE(game.Solve(0, true, "")) << "direct steps alone must not solve it";
    EXPECT_TRUE(game.Solve(-1, true, ""));
    EXPECT_EQ(game.GetSolveBtStep(), game.GetCreateGameBtStep());
}

TEST(CreateGame, RejectedLastAttemptLeavesAnEmptyGame)
{
    Sudoku game;
    LoadLine(game, kRiddle);
    ASSERT_TRUE(game.Solve(-1, true, ""));
    ASSERT_GT(game.GetSolutionStackCount(), 0u);

    unsigned attempts =
        CountEvents(game, SDK_TRY_CREATED_GAME, [&] { return !game.CreateGame(25, 3, 80, -1, 0); });
    EXPECT_EQ(attempts, 3u);
    ExpectEmptyGame(game);
    EXPECT_FALSE(game.WasCreateGameSuccessful());
    EXPECT_FALSE(game.WasCreateGameCancelled());
    EXPECT_EQ(game.GetCreateGameBtStep(), -1);
    EXPECT_EQ(game.GetCreateGameSuccessAttempt(), 0u);
    EXPECT_EQ(game.GetSolutionStackCount(), 0u) << "the old game's solution is gone";
}

TEST(CreateGame, FixCountThatCannotBePlacedEndsEachAttempt)
{
    // More given digits than fields: the filling runs into a grid where no empty
    // field takes a digit, which must end the attempt instead of drawing forever.
    Sudoku game;
    unsigned attempts =
        CountEvents(game, SDK_TRY_CREATED_GAME, [&] { return !game.CreateGame(82, 2, 0, -1, 0); });
    EXPECT_EQ(attempts, 2u);
    ExpectEmptyGame(game);
    EXPECT_FALSE(game.WasCreateGameSuccessful());
}

TEST_F(PredefFolder, MissingFolderOrNoMatchingFileGivesAnEmptyGame)
{
    Sudoku game;
    LoadLine(game, kRiddle);
    EXPECT_FALSE(game.CreateGamePredefined((folder / "missing").c_str(), 1));
    ExpectEmptyGame(game);

    Write("one.02.spd", Variant(0));
    LoadLine(game, kRiddle);
    EXPECT_FALSE(game.CreateGamePredefined(folder.c_str(), 1));
    ExpectEmptyGame(game);
    EXPECT_EQ(Recent(1), "");
}

TEST_F(PredefFolder, RiddleWithNineGivensIsNeverTaken)
{
    Write("nine.01.spd", "123456789" + std::string(72, '.'));
    Sudoku game;
    for (int round = 0; round < 3; ++round) {
        EXPECT_FALSE(game.CreateGamePredefined(folder.c_str(), 1));
        ExpectEmptyGame(game);
    }
    EXPECT_EQ(Recent(1), "");
}

TEST_F(PredefFolder, PickLoadsOnlyTheGivensAndStartsANewGame)
{
    Write("only.03.spd", Variant(0));
    Sudoku game;
    // Level 7 is clamped to 3; '\' separators are taken as '/'.
    std::string path = folder.string();
    for (char &c : path)
        if (c == '/')
            c = '\\';
    ASSERT_TRUE(game.CreateGamePredefined(path.c_str(), 7));
    EXPECT_EQ(Given(game), Variant(0));
    EXPECT_EQ(game.GetSolvedCount(), 0u);
    EXPECT_TRUE(game.GetFileName().IsEmpty());
    EXPECT_TRUE(game.IsDefinitionChanged());
    EXPECT_EQ(Recent(1), "only.03.spd");

    // Now the only riddle is recent: every pick is used up.
    EXPECT_FALSE(game.CreateGamePredefined(folder.c_str(), 3));
    ExpectEmptyGame(game);
    EXPECT_EQ(Recent(1), "only.03.spd");
}

TEST_F(PredefFolder, RecentRiddlesAreAvoidedAndTheListRotates)
{
    const std::vector<std::string> names = {"a.01.spd", "b.01.spd", "c.01.spd", "d.01.spd"};
    for (size_t i = 0; i < names.size(); ++i)
        Write(names[i], Variant(int(i)));
    int successes = 0;
    for (int round = 0; round < 20; ++round) {
        SetRecent({"C.01.SPD", "b.01.spd", "a.01.spd"});
        Sudoku game;
        if (game.CreateGamePredefined(folder.c_str(), 1)) {
            ++successes;
            EXPECT_EQ(Given(game), Variant(3));
            EXPECT_EQ(Recent(1), "d.01.spd");
            EXPECT_EQ(Recent(2), "C.01.SPD");
            EXPECT_EQ(Recent(3), "b.01.spd");
        } else {
            ExpectEmptyGame(game);
            EXPECT_EQ(Recent(1), "C.01.SPD");
            EXPECT_EQ(Recent(3), "a.01.spd");
        }
    }
    // Three picks among four names miss the free one in about four calls of ten.
    EXPECT_GT(successes, 0);
}

TEST(RecentPredefs, KeepsTheThreeNewestIgnoringCase)
{
    SetRecent({});
    Sudoku::AddRecentPredef("");
    EXPECT_EQ(Recent(1), "");
    for (const char *name : {"one.01.spd", "two.01.spd", "three.02.spd", "four.03.spd"})
        Sudoku::AddRecentPredef(name);
    EXPECT_EQ(Recent(1), "four.03.spd");
    EXPECT_EQ(Recent(2), "three.02.spd");
    EXPECT_EQ(Recent(3), "two.01.spd");
    EXPECT_EQ(Recent(4), "");
    EXPECT_TRUE(Sudoku::IsRecentPredef("TWO.01.spd"));
    EXPECT_FALSE(Sudoku::IsRecentPredef("one.01.spd"));
    EXPECT_FALSE(Sudoku::IsRecentPredef(""));
    SetRecent({});
}

TEST(RecentPredefs, PickFollowsTheIndexRule)
{
    const std::vector<TString> names = {"a", "b", "c", "d", "e"};
    EXPECT_TRUE(Sudoku::PickRandomName({}, true).IsEmpty());
    for (unsigned seed : {1u, 7u, 12345u}) {
        srand(seed);
        unsigned r = unsigned(rand());
        if (r == 0)
            r = 1;
        unsigned k = r % 5;
        if (k == 0)
            k = 5;
        srand(seed);
        EXPECT_EQ(Sudoku::PickRandomName(names, false), names[k - 1]) << "seed " << seed;
    }
}
