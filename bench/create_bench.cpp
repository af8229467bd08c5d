// Riddle creation at the three standard severities of the creation dialog:
// 30 given digits, 1000 attempts, at least 5 direct steps, and 0..0, 1..3 or
// 4..unlimited nested guesses. Each run seeds itself from the clock, so a
// benchmark iteration is one independent creation; the counters give the
// median and worst time of the creations and the share that found a riddle.
#include "engine/Sudoku.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

constexpr unsigned FixCount = 30;
constexpr unsigned Attempts = 1000;
constexpr int MinDirect = 5;
constexpr int Runs = 20;

void CreateAtSeverity(benchmark::State &state)
{
    const int minDepth = int(state.range(0));
    const int maxDepth = int(state.range(1));
    std::vector<double> seconds;
    std::vector<double> okSeconds;
    std::vector<double> attempts;
    int successes = 0;
    for (auto _ : state) {
        Sudoku game;
        auto start = std::chrono::steady_clock::now();
        bool ok = game.CreateGame(FixCount, Attempts, minDepth, maxDepth, MinDirect);
        auto end = std::chrono::steady_clock::now();
        seconds.push_back(std::chrono::duration<double>(end - start).count());
        if (ok) {
            ++successes;
            okSeconds.push_back(seconds.back());
            attempts.push_back(double(game.GetCreateGameSuccessAttempt()));
        }
        benchmark::DoNotOptimize(ok);
    }
    std::sort(seconds.begin(), seconds.end());
    std::sort(okSeconds.begin(), okSeconds.end());
    std::sort(attempts.begin(), attempts.end());
    state.counters["median_ms"] = seconds[seconds.size() / 2] * 1000;
    state.counters["worst_ms"] = seconds.back() * 1000;
    state.counters["median_ok_ms"] =
        okSeconds.empty() ? 0.0 : okSeconds[okSeconds.size() / 2] * 1000;
    state.counters["success_share"] = double(successes) / double(seconds.size());
    state.counters["median_attempt"] = attempts.empty() ? 0.0 : attempts[attempts.size() / 2];
}

} // namespace

BENCHMARK(CreateAtSeverity)
    ->Args({0, 0})
    ->Args({1, 3})
    ->Args({4, -1})
    ->ArgNames({"min_bt", "max_bt"})
    ->Iterations(Runs)
    ->Unit(benchmark::kMillisecond);
