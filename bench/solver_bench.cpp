// Solving speed of the default solver on the shared puzzle sets: each set is
// solved once per run, every riddle timed on its own. Reports riddles per
// second, the median and worst time per riddle, and the cost of one tried
// digit of the search (with the direct steps that follow it). Times are the
// solving thread's CPU time, so that other work on a shared machine does not
// count.
#include "engine/Sudoku.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace {
std::vector<std::string> ReadSet(const std::string &name)
{
    std::vector<std::string> riddles;
    // NINEFOLD_DATA_DIR in the environment points at another copy of the sets.
    const char *dir = std::getenv("NINEFOLD_DATA_DIR");
    std::ifstream in(std::string(dir && *dir ? dir : NINEFOLD_DATA_DIR) + "/" + name);
    for (std::string line; std::getline(in, line);)
        if (line.size() >= 81)
            riddles.push_back(line.substr(0, 81));
    return riddles;
}

double ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Counts the digits the search tries. It listens only to "SDK_TEST_VALUE", so
// the solve runs as it does for a caller that does not watch its steps.
struct TrialCounter
{
    long trials = 0;
    bool Count(SdkParam &)
    {
        ++trials;
        return true;
    }
};

bool SolveRiddle(const std::string &riddle, TrialCounter &counter)
{
    Sudoku game;
    for (unsigned i = 0; i < 81; ++i)
        if (riddle[i] >= '1' && riddle[i] <= '9' &&
            !game.Fix(static_cast<SdkDigit>(riddle[i] - '0'), i / 9, i % 9))
            return false;
    game.MVC().AddNotification(SDK_TEST_VALUE, &counter, &TrialCounter::Count);
    return game.Solve(-1, true, TString()) && game.GetSolutionStackCount() > 0;
}

void SolveSet(benchmark::State &state, const char *name)
{
    const std::vector<std::string> riddles = ReadSet(name);
    if (riddles.empty()) {
        state.SkipWithError("puzzle set not found");
        return;
    }
    std::vector<double> ms;
    double total = 0;
    TrialCounter counter;
    for (auto _ : state) {
        ms.clear();
        for (const std::string &riddle : riddles) {
            const double start = ThreadCpuMs();
            const bool solved = SolveRiddle(riddle, counter);
            const double took = ThreadCpuMs() - start;
            if (!solved) {
                state.SkipWithError(("not solved: " + riddle).c_str());
                return;
            }
            ms.push_back(took);
            total += took;
        }
    }
    std::sort(ms.begin(), ms.end());
    state.counters["riddles_per_s"] =
        benchmark::Counter(static_cast<double>(riddles.size() * state.iterations()) / total * 1000);
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["max_ms"] = ms.back();
    state.counters["trials"] =
        static_cast<double>(counter.trials) / static_cast<double>(state.iterations());
    state.counters["ns_per_trial"] =
        counter.trials > 0 ? total * 1e6 / static_cast<double>(counter.trials) : 0.0;
}
} // namespace

BENCHMARK_CAPTURE(SolveSet, easy_1000, "easy_1000.txt")->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(SolveSet, expert_1000, "expert_1000.txt")
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(SolveSet, top1465, "top1465.txt")->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(SolveSet, 17clue_100, "17clue_100.txt")->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(SolveSet, se_rated_1448, "se_rated_1448.txt")
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
