// The installation's stock of predefined riddles: at least 200 a level, every file loads, has a
// unique solution and enough given digits, and sits at the level its technique rating gives.
#include "engine/SdkSolutionCounter.h"
#include "engine/SdkTechnique.h"
#include "engine/Sudoku.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

namespace fs = std::filesystem;

// One test per level, so the three can run side by side.
class StockLevel : public testing::TestWithParam<int>
{
};

TEST_P(StockLevel, EveryRiddleIsUniqueAndAtItsLevel)
{
    // Level 1 needs singles only, level 2 at most pointing, claiming, pairs and X-Wing,
    // level 3 more: the ratings each level takes.
    const int level = GetParam(), lowest[] = {0, 0, 26, 36}, highest[] = {0, 23, 34, 1000};
    static const std::regex name(R"(.+\.0([1-3])\.spd)");
    int riddles = 0;
    for (const auto &entry :
         fs::directory_iterator(fs::path(NINEFOLD_SOURCE_DIR) / "data/PreDefs")) {
        const std::string file = entry.path().filename().string();
        std::smatch m;
        ASSERT_TRUE(std::regex_match(file, m, name)) << "not a predefined riddle's name: " << file;
        if (std::stoi(m[1]) != level)
            continue;
        SCOPED_TRACE(file);
        ++riddles;
        Sudoku game;
        ASSERT_TRUE(game.LoadGame(entry.path().c_str(), true, false));
        EXPECT_EQ(game.GetSolvedCount(), 0u);
        EXPECT_GE(game.GetFixCount(), 17u);
        SdkSolutionCounter::Grid grid{};
        for (unsigned i = 0; i < 81; ++i)
            grid[i] = uint8_t(game.GetField(i / 9, i % 9).GetValue());
        EXPECT_EQ(SdkSolutionCounter::Count(grid, 2), 1u);
        const SdkRating r = SdkTech::Rate(grid);
        EXPECT_EQ(r.status, SdkRating::Rated);
        EXPECT_TRUE(r.rating >= lowest[level] && r.rating <= highest[level]) << r.rating;
        // The file carries the solver's measure of the riddle.
        ASSERT_TRUE(game.Solve(-1, true, ""));
        EXPECT_EQ(game.GetBtStepsOnCreation(), game.GetSolveBtStep());
    }
    EXPECT_GE(riddles, 200);
}

INSTANTIATE_TEST_SUITE_P(Stock, StockLevel, testing::Values(1, 2, 3));
