#include "booklet/SdkBookletRiddles.h"

#include "engine/SdkTechnique.h"

#include "base/TOpSystem.h"
#include "base/TString.h"
#include "engine/Sudoku.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

namespace {

// The solution played over the riddle; the game must hold just the riddle.
SdkBoardPaint::Grid SolutionOf(Sudoku &game)
{
    SdkBoardPaint::Grid solution{};
    if (!game.Solve(-1, true, TString()))
        return solution;
    solution = SdkBoardPaint::ValuesOf(game);
    const unsigned count = game.GetSolutionStackCount();
    for (unsigned i = 0; i < count; ++i) {
        SdkSolvedField move;
        if (game.GetSolution(i, move) && move.IsValid())
            solution[move.GetRow() * 9 + move.GetColumn()] = uint8_t(move.GetValue());
    }
    return solution;
}

SdkBookletRiddle Finish(Sudoku &game, int level, const SdkBookletSource &source)
{
    SdkBookletRiddle r;
    r.riddle = SdkBoardPaint::ValuesOf(game);
    r.level = level;
    r.solution = SolutionOf(game);
    if (source.rate)
        r.rating = source.rate(r.riddle);
    return r;
}

SdkBookletOutcome FromStock(const SdkBookletSource &source, std::vector<SdkBookletRiddle> &riddles,
                            const std::atomic<bool> &cancel, std::atomic<unsigned> *done)
{
    const int level = std::clamp(source.level, 1, 3);
    TString folder(source.stockFolder);
    folder.ReplaceAll("\\", "/");
    std::vector<TOpSystem::DirEntry> entries;
    if (!CurrentOS->ListDirectory(folder, TString::Format("*.%02d.spd", level), entries))
        return SdkBookletOutcome::NoRiddle;
    std::vector<TString> names;
    for (const TOpSystem::DirEntry &entry : entries)
        if (!entry.isDirectory)
            names.push_back(entry.name);
    // Distinct riddles in a random order: one booklet never repeats a riddle.
    std::mt19937 random(Sudoku::GetRandomNumber() ^ std::random_device{}());
    std::shuffle(names.begin(), names.end(), random);
    for (const TString &name : names) {
        if (riddles.size() >= source.count)
            break;
        if (cancel)
            return SdkBookletOutcome::Cancelled;
        Sudoku game;
        if (!game.LoadGame(folder + "/" + name, true, false) || game.GetFixCount() < 10 ||
            !game.StartGame(false, false, true))
            continue;
        riddles.push_back(Finish(game, level, source));
        if (done)
            ++*done;
    }
    return riddles.empty() ? SdkBookletOutcome::NoRiddle : SdkBookletOutcome::Done;
}

SdkBookletOutcome Computed(const SdkBookletSource &source, std::vector<SdkBookletRiddle> &riddles,
                           const std::atomic<bool> &cancel, std::atomic<unsigned> *done)
{
    // A creation round gives up after its attempts by chance too; only settings that find
    // nothing in several rounds in a row are reported.
    constexpr int RoundsPerRiddle = 4;
    int failedRounds = 0;
    while (riddles.size() < source.count) {
        if (cancel)
            return SdkBookletOutcome::Cancelled;
        // Each riddle on its own game and its worker, so a cancel reaches a long search too.
        Sudoku game;
        if (!game.ThreadCreateGame(source.fixCount, source.attempts, source.minBt, source.maxBt,
                                   source.minDirect))
            return SdkBookletOutcome::NoRiddle;
        bool cancelled = false;
        while (game.IsThreadRunning()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            if (!cancelled && cancel) {
                cancelled = true;
                game.CancelThread();
            }
        }
        game.StopThread();
        if (cancelled || cancel)
            return SdkBookletOutcome::Cancelled;
        if (!game.WasCreateGameSuccessful()) {
            if (++failedRounds >= RoundsPerRiddle)
                return SdkBookletOutcome::NoRiddle;
            continue;
        }
        failedRounds = 0;
        riddles.push_back(Finish(game, SdkLevelOfBtSteps(game.GetBtStepsOnCreation()), source));
        if (done)
            ++*done;
    }
    return SdkBookletOutcome::Done;
}

} // namespace

int SdkRateRiddle(const SdkBoardPaint::Grid &riddle)
{
    const SdkRating rating = SdkTech::Rate(riddle);
    return rating.status == SdkRating::Rated ? rating.rating : -1;
}

int SdkLevelOfBtSteps(int btSteps)
{
    if (btSteps <= 0)
        return 1;
    return btSteps <= 3 ? 2 : 3;
}

SdkBookletOutcome SdkCollectRiddles(const SdkBookletSource &source,
                                    std::vector<SdkBookletRiddle> &riddles,
                                    const std::atomic<bool> &cancel, std::atomic<unsigned> *done)
{
    riddles.clear();
    if (source.count == 0)
        return SdkBookletOutcome::NoRiddle;
    const SdkBookletOutcome outcome = source.computed ? Computed(source, riddles, cancel, done)
                                                      : FromStock(source, riddles, cancel, done);
    if (outcome != SdkBookletOutcome::Done)
        riddles.clear();
    return outcome;
}
