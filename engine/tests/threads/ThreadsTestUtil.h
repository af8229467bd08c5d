#pragma once

// The riddles and helpers of the worker and soak tests, on top of the engine tests' own.
#include "../SdkTestUtil.h"

namespace ThreadsTest {

// Direct steps alone solve it.
inline const char *const EasyRiddle = kRiddle;
// Needs fourteen nested guesses: the worker runs long enough to be caught while running.
inline const char *const HardRiddle = kHard;

inline void LoadRiddle(Sudoku &game, const std::string &line)
{
    ASSERT_TRUE(game.Reset());
    StartRiddle(game, line);
}

using ::Values;

} // namespace ThreadsTest
