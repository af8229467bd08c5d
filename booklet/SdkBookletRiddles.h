#pragma once

// The riddles of a printed booklet: drawn from the stock of predefined riddles of a level, or
// computed with creation settings, each with its solution. No Qt: the collection runs on a
// thread of its own and is stopped through an atomic flag.

#include "booklet/SdkBoardPaint.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

struct SdkBookletRiddle
{
    SdkBoardPaint::Grid riddle{};
    SdkBoardPaint::Grid solution{}; // all zero when the riddle could not be solved
    int level = 0;                  // 1 to 3, by the solver's nested guesses for computed ones
    int rating = -1;                // x 10; below 0 when no rating is known
};

struct SdkBookletSource
{
    unsigned count = 1;
    bool computed = false;
    // Stock: the folder of "*.%02d.spd" files and the level 1 to 3.
    std::string stockFolder;
    int level = 1;
    // Computed: the creation settings of one riddle.
    unsigned fixCount = 30;
    unsigned attempts = 1000;
    int minBt = 0;
    int maxBt = -1;
    int minDirect = 5;
    // Optional: the rating of a riddle (x 10, below 0 for none).
    std::function<int(const SdkBoardPaint::Grid &)> rate;
};

enum class SdkBookletOutcome { Done, NoRiddle, Cancelled };

// Fills riddles with up to count riddles (the stock may hold fewer). done counts finished
// riddles for a progress display; cancel is polled between and during computations.
SdkBookletOutcome SdkCollectRiddles(const SdkBookletSource &source,
                                    std::vector<SdkBookletRiddle> &riddles,
                                    const std::atomic<bool> &cancel,
                                    std::atomic<unsigned> *done = nullptr);

// The level of a riddle by the solver's nested guesses, as the standard levels of the
// creation settings divide them: none 1, 1 to 3 gives 2, more 3.
int SdkLevelOfBtSteps(int btSteps);

// The technique rating x 10 of a riddle, as the booklet prints it; -1 for a riddle without one
// unique solution.
int SdkRateRiddle(const SdkBoardPaint::Grid &riddle);
