// Writing and reading a game text, and a game file, with a 200-entry history.
#include "engine/Sudoku.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {
const char *const Riddle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";

// The riddle, with a history of 200 moves that fill and empty one field in turn,
// and user candidates on a few fields.
void MakeGame(Sudoku &game)
{
    for (unsigned i = 0; i < 81; ++i)
        if (Riddle[i] != '.')
            (void)game.Fix(static_cast<SdkDigit>(Riddle[i] - '0'), i / 9, i % 9);
    (void)game.StartGame(false, false, true);
    for (int i = 0; i < 100; ++i) {
        (void)game.SetValue(SdkDigit4, 0, 2);
        (void)game.EmptyValue(0, 2);
    }
    SdkResultSet marks;
    marks.FromRsString("1,2,9");
    for (unsigned col = 0; col < 9; ++col)
        game.SetUserCandidates(marks, 8, col);
}

void WriteGameText(benchmark::State &state)
{
    Sudoku game;
    MakeGame(game);
    for (auto _ : state)
        benchmark::DoNotOptimize(game.WriteStream(false, false));
}

void ReadGameText(benchmark::State &state)
{
    Sudoku game;
    MakeGame(game);
    const TString text = game.WriteStream(false, false);
    Sudoku target;
    for (auto _ : state)
        benchmark::DoNotOptimize(target.ReadStream(text, false));
}

void SaveAndLoadGameFile(benchmark::State &state)
{
    Sudoku game;
    MakeGame(game);
    const std::string path = "/tmp/ninefold-bench-" + std::to_string(getpid()) + ".sdk";
    Sudoku target;
    for (auto _ : state) {
        benchmark::DoNotOptimize(game.SaveGame(path, false, true));
        benchmark::DoNotOptimize(target.LoadGame(path, false, true));
    }
    if (target.GetUserStackCount() != 200)
        state.SkipWithError("history not read back");
    std::remove(path.c_str());
}
} // namespace

BENCHMARK(WriteGameText)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadGameText)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveAndLoadGameFile)->Unit(benchmark::kMicrosecond);
