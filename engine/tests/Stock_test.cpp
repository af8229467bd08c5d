// The installation's stock of predefined riddles: every file loads, has a unique
// solution and enough given digits, and sits at the level its technique rating gives.
#include "engine/SdkSolutionCounter.h"
#include "engine/SdkTechnique.h"
#include "engine/Sudoku.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path StockFolder()
{
    return fs::path(NINEFOLD_SOURCE_DIR) / "data" / "PreDefs";
}

// Level 1 needs singles only, level 2 at most pointing, claiming, pairs and
// X-Wing, level 3 more.
bool RatingFitsLevel(const SdkRating &r, int level)
{
    if (r.status != SdkRating::Rated)
        return false;
    switch (level) {
    case 1:
        return r.rating <= 23;
    case 2:
        return r.rating >= 26 && r.rating <= 34;
    case 3:
        return r.rating >= 36;
    }
    return false;
}

struct StockFile
{
    fs::path path;
    int level;
};

std::vector<StockFile> StockFiles()
{
    static const std::regex name(R"(.+\.0([1-3])\.spd)");
    std::vector<StockFile> files;
    for (const auto &entry : fs::directory_iterator(StockFolder())) {
        std::smatch m;
        std::string file = entry.path().filename().string();
        if (std::regex_match(file, m, name))
            files.push_back({entry.path(), std::stoi(m[1])});
        else
            ADD_FAILURE() << "not a predefined riddle's name: " << file;
    }
    return files;
}

} // namespace

TEST(Stock, HoldsAtLeastTwoHundredRiddlesPerLevel)
{
    ASSERT_TRUE(fs::is_directory(StockFolder())) << StockFolder();
    std::map<int, int> perLevel;
    for (const StockFile &f : StockFiles())
        ++perLevel[f.level];
    for (int level = 1; level <= 3; ++level)
        EXPECT_GE(perLevel[level], 200) << "level " << level;
}

// One test per level, so the three can run side by side.
class StockLevel : public testing::TestWithParam<int>
{
};

TEST_P(StockLevel, EveryRiddleIsUniqueAndAtItsLevel)
{
    for (const StockFile &f : StockFiles()) {
        if (f.level != GetParam())
            continue;
        SCOPED_TRACE(f.path.filename().string());
        Sudoku game;
        ASSERT_TRUE(game.LoadGame(f.path.c_str(), true, false));
        EXPECT_EQ(game.GetSolvedCount(), 0u);
        EXPECT_GE(game.GetFixCount(), 17u);

        SdkSolutionCounter::Grid grid{};
        for (unsigned i = 0; i < 81; ++i)
            grid[i] = uint8_t(game.GetField(i / 9, i % 9).GetValue());
        EXPECT_EQ(SdkSolutionCounter::Count(grid, 2), 1u);

        const SdkRating r = SdkTech::Rate(grid);
        EXPECT_TRUE(RatingFitsLevel(r, f.level)) << "rating " << r.rating;
        // The file carries the solver's measure of the riddle.
        ASSERT_TRUE(game.Solve(-1, true, ""));
        EXPECT_EQ(game.GetBtStepsOnCreation(), game.GetSolveBtStep());
    }
}

INSTANTIATE_TEST_SUITE_P(Stock, StockLevel, testing::Values(1, 2, 3));
