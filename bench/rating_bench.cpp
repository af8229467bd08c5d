// Rating speed of the technique solver on the shared puzzle sets: every riddle
// rated on its own, reporting the median, 99th percentile and worst time per
// riddle and the highest rating of the set. Times are the rating thread's CPU
// time, so that other work on a shared machine does not count.
#include "engine/SdkTechnique.h"

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

void RateSet(benchmark::State &state, const char *name)
{
    const std::vector<std::string> riddles = ReadSet(name);
    if (riddles.empty()) {
        state.SkipWithError("puzzle set not found");
        return;
    }
    std::vector<double> ms;
    int highest = 0;
    for (auto _ : state) {
        ms.clear();
        for (const std::string &riddle : riddles) {
            SdkSolutionCounter::Grid grid{};
            SdkSolutionCounter::Parse(riddle, grid);
            const double start = ThreadCpuMs();
            const SdkRating r = SdkTech::Rate(grid);
            ms.push_back(ThreadCpuMs() - start);
            if (r.status != SdkRating::Rated) {
                state.SkipWithError(("not rated: " + riddle).c_str());
                return;
            }
            highest = std::max(highest, r.rating);
        }
    }
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["p99_ms"] = ms[ms.size() * 99 / 100];
    state.counters["max_ms"] = ms.back();
    state.counters["highest_rating"] = highest / 10.0;
}
} // namespace

BENCHMARK_CAPTURE(RateSet, easy_1000, "easy_1000.txt")->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(RateSet, se_rated_1448, "se_rated_1448.txt")
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(RateSet, expert_1000, "expert_1000.txt")->Iterations(1)->Unit(benchmark::kSecond);
