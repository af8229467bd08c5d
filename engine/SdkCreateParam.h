#pragma once
// The creation record of a game: the request of a riddle creation and its result.
// A reset sets every member to 0 or false.

class SdkCreateParam
{
public:
    void Reset() { *this = SdkCreateParam(); }

    // The creation runs on the worker thread; only then is the cancel flag watched.
    bool threaded = false;
    // Given digits to place per attempt.
    unsigned fixCount = 0;
    // The largest number of attempts.
    unsigned attempts = 0;
    // Fewest nested guesses the solver must need (<= 0: none).
    int minDepth = 0;
    // Most nested guesses the solver may use (-1: unlimited).
    int maxDepth = 0;
    // Fewest values the direct steps must set before guessing starts.
    int minDirect = 0;

    // Results
    unsigned successAttempt = 0;
    bool cancelled = false;
    bool success = false;
    int btSteps = 0;
};
