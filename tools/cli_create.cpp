#include "tools/cli_create.h"

#include "base/TOpSystem.h"
#include "base/TString.h"
#include "engine/SdkSolutionCounter.h"
#include "engine/SdkTechnique.h"
#include "engine/Sudoku.h"
#include "tools/SdkCli.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <sstream>

namespace SdkCli {

namespace {

struct Numbers
{
    std::map<std::string, long> values;
    std::string file;
};

// Options "--name N" with integer values in [min, max]; at most one plain argument.
bool ParseOptions(const std::vector<std::string> &args,
                  const std::map<std::string, std::pair<long, long>> &allowed, Numbers &numbers,
                  bool fileAllowed, std::string &problem)
{
    bool haveFile = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "--out" && fileAllowed) {
            if (i + 1 >= args.size() || haveFile) {
                problem = haveFile ? "more than one folder given" : "--out needs a folder";
                return false;
            }
            numbers.file = args[++i];
            haveFile = true;
            continue;
        }
        auto option = allowed.find(a);
        if (option != allowed.end()) {
            char *end = nullptr;
            long v = i + 1 < args.size() ? std::strtol(args[i + 1].c_str(), &end, 10) : 0;
            if (i + 1 >= args.size() || args[i + 1].empty() || *end != '\0' ||
                v < option->second.first || v > option->second.second) {
                problem = a + " needs a number from " + std::to_string(option->second.first) +
                          " to " + std::to_string(option->second.second);
                return false;
            }
            numbers.values[a] = v;
            ++i;
            continue;
        }
        if (a.size() > 1 && a[0] == '-') {
            problem = "unknown option '" + a + "'";
            return false;
        }
        if (!fileAllowed || haveFile) {
            problem = fileAllowed ? "more than one file given" : "unexpected argument '" + a + "'";
            return false;
        }
        numbers.file = a;
        haveFile = true;
    }
    return true;
}

long Value(const Numbers &numbers, const std::string &name, long fallback)
{
    auto it = numbers.values.find(name);
    return it == numbers.values.end() ? fallback : it->second;
}

std::string GivenLine(const Sudoku &game)
{
    std::string line(81, '.');
    game.Lock();
    for (unsigned i = 0; i < 81; ++i) {
        SdkField field = game.GetField(i / 9, i % 9);
        if (field.IsFix())
            line[i] = char('0' + field.GetValue());
    }
    game.Release();
    return line;
}

int Create(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    Numbers n;
    std::string problem;
    if (!ParseOptions(args,
                      {{"--fix", {1, 81}},
                       {"--attempts", {1, 100000000}},
                       {"--min-bt", {-1, 81}},
                       {"--max-bt", {-1, 81}},
                       {"--min-direct", {-1, 81}},
                       {"--count", {1, 100000}}},
                      n, false, problem)) {
        err << "ninefold-sudoku-cli: " << problem << "\n\n" << CreateUsageText();
        return ExitUsage;
    }
    long count = Value(n, "--count", 1);
    int created = 0;
    for (long k = 0; k < count; ++k) {
        Sudoku game;
        if (game.CreateGame(unsigned(Value(n, "--fix", 30)), unsigned(Value(n, "--attempts", 1000)),
                            int(Value(n, "--min-bt", 0)), int(Value(n, "--max-bt", -1)),
                            int(Value(n, "--min-direct", 0)))) {
            ++created;
            out << GivenLine(game) << " bt=" << game.GetCreateGameBtStep()
                << " attempt=" << game.GetCreateGameSuccessAttempt() << "\n";
        } else {
            out << "failed\n";
        }
        out.flush();
    }
    return created > 0 ? ExitOk : ExitInvalidInput;
}

// Riddles of a game file (its given digits) or of riddle lines.
bool ReadRiddles(const std::string &file, std::istream &in, std::ostream &err,
                 std::vector<std::pair<int, std::string>> &riddles, int &result)
{
    if (TString(file).EndsWith(".sdk", true) || TString(file).EndsWith(".spd", true)) {
        Sudoku game;
        if (CurrentOS->IsDirectory(file) || !game.LoadGame(file, true, false)) {
            err << "invalid 1: " << file << " is not a readable game file\n";
            result = ExitInvalidInput;
            return true;
        }
        riddles.push_back({1, GivenLine(game)});
        return true;
    }
    std::ifstream stream;
    std::istream *source = &in;
    if (!file.empty() && file != "-") {
        stream.open(file, std::ios::binary);
        if (!stream || CurrentOS->IsDirectory(file)) {
            err << "ninefold-sudoku-cli: cannot read " << file << "\n";
            return false;
        }
        source = &stream;
    }
    std::string text;
    for (int number = 1; std::getline(*source, text); ++number) {
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        if (!IsSkippedLine(text))
            riddles.push_back({number, text});
    }
    return true;
}

int Count(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
          std::ostream &err)
{
    Numbers n;
    std::string problem;
    if (!ParseOptions(args, {{"--limit", {1, 1000000}}}, n, true, problem)) {
        err << "ninefold-sudoku-cli: " << problem << "\n\n" << CreateUsageText();
        return ExitUsage;
    }
    int result = ExitOk;
    std::vector<std::pair<int, std::string>> riddles;
    if (!ReadRiddles(n.file, in, err, riddles, result))
        return ExitUsage;
    for (const auto &[number, line] : riddles) {
        std::vector<int> digits;
        std::string reason;
        if (!ParseRiddleLine(line, digits, reason)) {
            err << "invalid " << number << ": " << reason << "\n";
            result = ExitInvalidInput;
            continue;
        }
        SdkSolutionCounter::Grid grid{};
        for (size_t i = 0; i < 81; ++i)
            grid[i] = uint8_t(digits[i]);
        out << SdkSolutionCounter::Count(grid, unsigned(Value(n, "--limit", 2))) << "\n";
    }
    return result;
}

uint32_t Draw(void *state)
{
    return uint32_t((*static_cast<std::mt19937 *>(state))());
}

// Unique riddles made by taking digits away from random full grids until none
// can go without a second solution; each is sorted into its level by its human
// technique rating. The generator is seeded, so a seed gives the same stock on
// every machine.
int MakeStock(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    Numbers n;
    std::string problem;
    if (!ParseOptions(args,
                      {{"--seed", {0, UINT32_MAX}},
                       {"--per-level", {1, 100000}},
                       {"--max-tries", {1, 100000000}}},
                      n, true, problem) ||
        n.file.empty()) {
        if (problem.empty())
            problem = "make-stock needs --out DIR";
        err << "ninefold-sudoku-cli: " << problem << "\n\n" << CreateUsageText();
        return ExitUsage;
    }
    TString folder = n.file;
    if (!CurrentOS->CreateDirectory(folder)) {
        err << "ninefold-sudoku-cli: cannot create " << n.file << "\n";
        return ExitUsage;
    }
    std::mt19937 random(uint32_t(Value(n, "--seed", 1)));
    const long perLevel = Value(n, "--per-level", 200);
    const long maxTries = Value(n, "--max-tries", perLevel * 100);
    long made[4] = {0, 0, 0, 0};
    long tries = 0;
    while ((made[1] < perLevel || made[2] < perLevel || made[3] < perLevel) && tries < maxTries) {
        ++tries;
        SdkSolutionCounter::Grid full = SdkSolutionCounter::RandomFull(Draw, &random);
        SdkSolutionCounter::Grid riddle = SdkSolutionCounter::MinimalRiddle(full, Draw, &random);
        Sudoku game;
        for (unsigned i = 0; i < 81; ++i)
            if (riddle[i] && !game.Fix(SdkDigit(riddle[i]), i / 9, i % 9))
                return ExitInvalidInput;
        if (!game.StartGame(false, false, true) || !game.Solve(-1, true, TString()))
            continue;
        const SdkRating rating = SdkTech::Rate(riddle);
        int level = rating.status == SdkRating::Rated ? StockLevel(rating.rating) : 0;
        if (level == 0 || made[level] >= perLevel)
            continue;
        ++made[level];
        // The written riddle carries no file name of the machine that made it.
        TString text = game.WriteStream(true, false);
        TString path = TString::Format("%s/s%u-%04ld.%02d.spd", folder.c_str(),
                                       unsigned(Value(n, "--seed", 1)), made[level], level);
        if (!CurrentOS->WriteFile(path, text)) {
            err << "ninefold-sudoku-cli: cannot write " << path.c_str() << "\n";
            return ExitUsage;
        }
        out << path.c_str() << " givens=" << SdkSolutionCounter::GivenCount(riddle)
            << " rating=" << rating.rating / 10 << "." << rating.rating % 10 << "\n";
    }
    for (int level = 1; level <= 3; ++level)
        err << "level " << level << ": " << made[level] << "\n";
    return made[1] >= perLevel && made[2] >= perLevel && made[3] >= perLevel ? ExitOk
                                                                             : ExitInvalidInput;
}

} // namespace

bool IsCreateCommand(const std::string &name)
{
    return name == "create" || name == "count" || name == "make-stock";
}

int RunCreateCommand(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
                     std::ostream &err)
{
    for (size_t i = 1; i < args.size(); ++i)
        if (args[i] == "--help" || args[i] == "-h") {
            out << CreateUsageText();
            return ExitOk;
        }
    if (args[0] == "create")
        return Create(args, out, err);
    if (args[0] == "count")
        return Count(args, in, out, err);
    return MakeStock(args, out, err);
}

bool SolveThreaded(Sudoku &game, int maxDepth)
{
    if (!game.ThreadSolve(maxDepth, true, TString()))
        return false;
    while (game.IsThreadRunning())
        CurrentOS->Sleep(1);
    return game.WasSolveSuccessful();
}

int StockLevel(int rating)
{
    if (rating <= 0)
        return 0;
    if (rating <= 23)
        return 1;
    if (rating <= 34)
        return rating >= 26 ? 2 : 0;
    return rating >= 36 ? 3 : 0;
}

std::string CreateUsageText()
{
    return "  create [--fix N] [--attempts N] [--min-bt N] [--max-bt N] [--min-direct N]\n"
           "         [--count K]\n"
           "      Computes K riddles (default 1) as the program does: N given digits\n"
           "      (default 30) placed at random, at most --attempts tries (1000), the\n"
           "      solution needing --min-bt to --max-bt nested guesses (0 to -1 =\n"
           "      unlimited) and the direct steps setting at least --min-direct\n"
           "      values (0). Prints each riddle as an 81-character line ('.' for\n"
           "      empty) followed by ' bt=<n> attempt=<n>', or 'failed'. Exit\n"
           "      status 1 when no riddle was created.\n"
           "  count [--limit N] [FILE|-]\n"
           "      Prints the number of solutions of each riddle line, counting up to\n"
           "      N (default 2: 1 means unique). A FILE ending in .sdk or .spd is\n"
           "      read as a game file; its given digits are the riddle.\n"
           "  make-stock [--seed S] [--per-level N] [--max-tries N] --out DIR\n"
           "      Writes N (default 200) unique riddles per level into DIR as\n"
           "      s<S>-<k>.<level>.spd. Each riddle is a random full grid with\n"
           "      digits taken away, in random order, until none can go without a\n"
           "      second solution; its level is its human technique rating (see\n"
           "      rate): 1 singles only (up to 2.3), 2 at most pointing, claiming,\n"
           "      pairs and X-Wing (2.6 to 3.4), 3 anything harder (3.6 and up);\n"
           "      riddles beyond a level still wanted are dropped. The same seed\n"
           "      (default 1) always gives the same riddles. The installed stock\n"
           "      was made with: make-stock --seed 2026 --per-level 200 --out DIR\n";
}

} // namespace SdkCli
