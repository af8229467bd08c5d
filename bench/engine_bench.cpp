// Costs of the engine steps the solver repeats most: copying a game, the full
// candidate calculation and setting a value with its reduction.
#include "engine/Sudoku.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {
const std::string kRiddle =
    "530070000600195000098000060800060003400803001700020006060000280000419005000080079";
const std::string kSolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

// 30 given digits, 20 played values, 20 history entries.
void MidGame(Sudoku &g)
{
    for (unsigned i = 0; i < 81; ++i)
        if (kRiddle[i] != '0')
            (void)g.Fix(SdkDigit(kRiddle[i] - '0'), i / 9, i % 9);
    (void)g.StartGame(false, false, true);
    unsigned played = 0;
    for (unsigned i = 0; i < 81 && played < 20; ++i)
        if (kRiddle[i] == '0' && g.SetValue(SdkDigit(kSolution[i] - '0'), i / 9, i % 9))
            ++played;
}

void BM_CopyMidGame(benchmark::State &state)
{
    Sudoku g;
    MidGame(g);
    for (auto _ : state) {
        Sudoku copy(g);
        benchmark::DoNotOptimize(&copy);
    }
}
BENCHMARK(BM_CopyMidGame);

void BM_FullCalculation(benchmark::State &state)
{
    Sudoku g;
    MidGame(g);
    for (auto _ : state)
        benchmark::DoNotOptimize(g.StartGame(true, true, false));
}
BENCHMARK(BM_FullCalculation);

void BM_SetValueWithReduction(benchmark::State &state)
{
    Sudoku start;
    MidGame(start);
    Sudoku g(start);
    // The first empty field and its solution digit.
    unsigned at = 0;
    while (g.GetField(at / 9, at % 9).GetValue() != SdkDigitEmpty)
        ++at;
    const SdkDigit d = SdkDigit(kSolution[at] - '0');
    for (auto _ : state) {
        state.PauseTiming();
        g = start;
        state.ResumeTiming();
        benchmark::DoNotOptimize(g.SetValue(d, at / 9, at % 9));
    }
}
BENCHMARK(BM_SetValueWithReduction);
} // namespace
