// The playing time and the riddle's origin in the game text: sections after "USERRSEXC:",
// written only when there is something to keep; the time is taken over only with the game's
// state, the origin with the givens.
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
    game.SetRiddleOrigin({2, 4});
    EXPECT_EQ(game.WriteStream(false, false).Str(), Grid() + Tail + "TIME:754*ORIGIN:C4*");
    // Back at the givens the clock starts over; the riddle is still the same.
    EXPECT_TRUE(game.StartGame(true, true, false));
    EXPECT_EQ(game.GetPlayTime(), 754u);
    EXPECT_TRUE(game.StartGame(false, true, false));
    EXPECT_EQ(game.GetPlayTime(), 0u);
    EXPECT_EQ(game.GetRiddleOrigin().kind, 2);
    EXPECT_TRUE(game.Reset());
    EXPECT_EQ(game.GetRiddleOrigin().kind, 0);
    game.SetRiddleOrigin({3, 1});
    EXPECT_EQ(game.GetRiddleOrigin().kind, 0);
}

TEST(PlayTime, TheSectionIsReadWithTheStateAndABrokenValueIsIgnored)
{
    struct Case
    {
        const char *section;
        bool definitionOnly;
        unsigned seconds;
        int kind = 0;
        int level = 0;
    };
    const Case cases[] = {
        {"TIME:754*", false, 754},
        {"TIME:754", false, 754},
        {"TIME:754*", true, 0},
        {"TIME:7x*", false, 0},
        {"TIME:-3*", false, 0},
        {"TIME:*", false, 0},
        {"TIMER:9*", false, 0},
        {"TIME:5*ORIGIN:P3*", false, 5, 1, 3},
        {"TIME:5*ORIGIN:C4*", true, 0, 2, 4},
        {"ORIGIN:C2", false, 0, 2, 2},
        {"ORIGIN:X2*", false, 0},
        {"ORIGIN:P*", false, 0},
        {"ORIGIN:P12*", false, 0},
        {"ORIGIN:C2*TIME:5*", false, 0, 2, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.section);
        Sudoku game;
        game.SetPlayTime(99);
        game.SetRiddleOrigin({1, 1});
        EXPECT_TRUE(game.ReadStream(Grid() + Tail + c.section, c.definitionOnly));
        EXPECT_EQ(game.GetPlayTime(), c.seconds);
        EXPECT_EQ(game.GetRiddleOrigin().kind, c.kind);
        EXPECT_EQ(game.GetRiddleOrigin().level, c.level);
        EXPECT_EQ(game.GetFixCount(), 3u);
    }
}
