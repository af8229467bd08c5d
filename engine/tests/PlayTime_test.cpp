// The playing time in the game text: its own section after "USERRSEXC:", written only for a
// timed game and taken over only with the game's state.
#include "engine/Sudoku.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Grid()
{
    return "*5*3--*7" + std::string(76, '-'); // 81 fields, three given
}
const std::string Tail = "FILE:*US:|0*BT:-1*USERRSINC:*USERRSEXC:*";
} // namespace

TEST(PlayTime, OnlyATimedGameWritesItsTime)
{
    Sudoku game;
    ASSERT_TRUE(game.ReadStream(Grid() + Tail, false));
    EXPECT_EQ(game.WriteStream(false, false).Str(), Grid() + Tail);
    game.SetPlayTime(754);
    EXPECT_EQ(game.WriteStream(false, false).Str(), Grid() + Tail + "TIME:754*");
    EXPECT_TRUE(game.Reset());
    EXPECT_EQ(game.GetPlayTime(), 0u);
}

TEST(PlayTime, TheSectionIsReadWithTheStateAndABrokenValueIsIgnored)
{
    struct Case
    {
        const char *section;
        bool definitionOnly;
        unsigned seconds;
    };
    const Case cases[] = {
        {"TIME:754*", false, 754}, {"TIME:754", false, 754}, {"TIME:754*", true, 0},
        {"TIME:7x*", false, 0},    {"TIME:-3*", false, 0},   {"TIME:*", false, 0},
        {"TIMER:9*", false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.section);
        Sudoku game;
        game.SetPlayTime(99);
        EXPECT_TRUE(game.ReadStream(Grid() + Tail + c.section, c.definitionOnly));
        EXPECT_EQ(game.GetPlayTime(), c.seconds);
        EXPECT_EQ(game.GetFixCount(), 3u);
    }
}
