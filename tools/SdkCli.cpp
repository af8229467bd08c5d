#include "tools/SdkCli.h"

#include "base/TOpSystem.h"
#include "base/TString.h"
#include "engine/Sudoku.h"
#include "tools/cli_create.h"
#include "tools/cli_progress.h"
#include "tools/cli_tech.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

namespace SdkCli {

namespace {

struct InputLine
{
    int number; // 1-based
    std::string text;
};

struct Command
{
    std::string name;
    int maxDepth = -1;
    bool threaded = false;
    std::string file; // empty or "-" = standard input
    bool help = false;
};

bool IsGameFileName(const std::string &file)
{
    return TString(file).EndsWith(".sdk", true);
}

bool ParseInt(const std::string &text, int &value)
{
    if (text.empty())
        return false;
    char *end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || v < -1 || v > 81)
        return false;
    value = static_cast<int>(v);
    return true;
}

bool ParseCommand(const std::vector<std::string> &args, Command &cmd, std::string &problem)
{
    if (args.empty()) {
        problem = "no command given";
        return false;
    }
    size_t i = 0;
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        cmd.help = true;
        return true;
    }
    cmd.name = args[i++];
    if (cmd.name != "solve" && cmd.name != "show" && cmd.name != "convert") {
        problem = "unknown command '" + cmd.name + "'";
        return false;
    }
    bool haveFile = false;
    for (; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "--help" || a == "-h") {
            cmd.help = true;
            return true;
        }
        if (cmd.name == "solve" && a == "--threaded") {
            cmd.threaded = true;
            continue;
        }
        if (cmd.name == "solve" && a == "--max-depth") {
            if (i + 1 >= args.size() || !ParseInt(args[i + 1], cmd.maxDepth)) {
                problem = "--max-depth needs a number from -1 to 81";
                return false;
            }
            ++i;
            continue;
        }
        if (a.size() > 1 && a[0] == '-') {
            problem = "unknown option '" + a + "'";
            return false;
        }
        if (haveFile) {
            problem = "more than one file given";
            return false;
        }
        cmd.file = a;
        haveFile = true;
    }
    if (cmd.name == "show" && (cmd.file.empty() || cmd.file == "-")) {
        problem = "show needs a game file";
        return false;
    }
    return true;
}

bool ReadLines(std::istream &in, std::vector<InputLine> &lines)
{
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        lines.push_back({number, text});
    }
    return !in.bad();
}

// Lines from FILE or standard input; false (with a message on err) when FILE cannot be read.
bool ReadInputLines(const Command &cmd, std::istream &in, std::ostream &err,
                    std::vector<InputLine> &lines)
{
    if (cmd.file.empty() || cmd.file == "-")
        return ReadLines(in, lines);
    if (CurrentOS->IsDirectory(cmd.file)) {
        err << "ninefold-sudoku-cli: " << cmd.file << " is a folder\n";
        return false;
    }
    std::ifstream file(cmd.file, std::ios::binary);
    if (!file || !ReadLines(file, lines)) {
        err << "ninefold-sudoku-cli: cannot read " << cmd.file << "\n";
        return false;
    }
    return true;
}

// The riddle as given digits of a fresh game; false with a reason when they conflict.
bool MakeRiddle(const std::vector<int> &digits, Sudoku &game, std::string &reason)
{
    for (unsigned i = 0; i < 81; ++i) {
        if (digits[i] == 0)
            continue;
        unsigned row = i / 9, col = i % 9;
        if (!game.Fix(static_cast<SdkDigit>(digits[i]), row, col)) {
            reason = "given " + std::to_string(digits[i]) + " at " + std::to_string(row + 1) + "/" +
                     std::to_string(col + 1) + " conflicts with another given digit";
            return false;
        }
    }
    return true;
}

std::string ValuesLine(const Sudoku &game, char emptyChar)
{
    std::string line(81, emptyChar);
    game.Lock();
    for (unsigned i = 0; i < 81; ++i) {
        unsigned v = game.GetField(i / 9, i % 9).GetValue();
        if (v != 0)
            line[i] = static_cast<char>('0' + v);
    }
    game.Release();
    return line;
}

// The riddle's values with the recorded solution played over them.
std::string SolutionLine(const Sudoku &game)
{
    std::string line = ValuesLine(game, '0');
    unsigned count = game.GetSolutionStackCount();
    for (unsigned i = 0; i < count; ++i) {
        SdkSolvedField move;
        if (game.GetSolution(i, move) && move.IsValid())
            line[move.GetRow() * 9 + move.GetColumn()] = static_cast<char>('0' + move.GetValue());
    }
    return line;
}

std::string SolveResultLine(Sudoku &game, int maxDepth, bool threaded)
{
    bool solved = threaded ? SolveThreaded(game, maxDepth) : game.Solve(maxDepth, true, TString());
    if (solved)
        return SolutionLine(game) + " bt=" + std::to_string(game.GetSolveBtStep());
    unsigned row = 0, col = 0;
    if (game.HasSolveError(row, col))
        return "error " + std::to_string(row + 1) + "/" + std::to_string(col + 1);
    return "unsolved";
}

int SolveGameFile(const Command &cmd, std::ostream &out, std::ostream &err)
{
    Sudoku game;
    if (!game.LoadGame(cmd.file, false, true)) {
        err << "invalid 1: " << cmd.file << " is not a readable game file\n";
        return ExitInvalidInput;
    }
    out << SolveResultLine(game, cmd.maxDepth, cmd.threaded) << "\n";
    return ExitOk;
}

int Solve(const Command &cmd, std::istream &in, std::ostream &out, std::ostream &err,
          const Options &options)
{
    if (IsGameFileName(cmd.file))
        return SolveGameFile(cmd, out, err);
    std::vector<InputLine> lines;
    if (!ReadInputLines(cmd, in, err, lines))
        return ExitUsage;
    size_t riddles = 0;
    for (const InputLine &l : lines)
        riddles += IsSkippedLine(l.text) ? 0 : 1;

    int result = ExitOk;
    ProgressBar bar(err, riddles, options.progress);
    size_t done = 0;
    for (const InputLine &l : lines) {
        if (IsSkippedLine(l.text))
            continue;
        std::vector<int> digits;
        std::string reason;
        Sudoku game;
        if (!ParseRiddleLine(l.text, digits, reason) || !MakeRiddle(digits, game, reason)) {
            err << "invalid " << l.number << ": " << reason << "\n";
            result = ExitInvalidInput;
        } else {
            out << SolveResultLine(game, cmd.maxDepth, cmd.threaded) << "\n";
        }
        bar.Step(++done);
    }
    return result;
}

int Show(const Command &cmd, std::ostream &out, std::ostream &err)
{
    if (CurrentOS->IsDirectory(cmd.file)) {
        err << "ninefold-sudoku-cli: " << cmd.file << " is a folder\n";
        return ExitUsage;
    }
    Sudoku game;
    if (!game.LoadGame(cmd.file, false, true)) {
        err << "ninefold-sudoku-cli: " << cmd.file << " is not a readable game file\n";
        return ExitInvalidInput;
    }
    out << game.ToString().Str() << "\n\n";
    out << "given: " << game.GetFixCount() << "\n";
    out << "played: " << game.GetSolvedCount() << "\n";
    out << "empty: " << game.GetUnsolvedCount() << "\n";
    out << "history: " << game.GetUserStackPtr() << "/" << game.GetUserStackCount() << "\n";
    return ExitOk;
}

int Convert(const Command &cmd, std::istream &in, std::ostream &out, std::ostream &err)
{
    if (IsGameFileName(cmd.file)) {
        Sudoku game;
        if (CurrentOS->IsDirectory(cmd.file) || !game.LoadGame(cmd.file, false, true)) {
            err << "invalid 1: " << cmd.file << " is not a readable game file\n";
            return ExitInvalidInput;
        }
        out << ValuesLine(game, '.') << "\n";
        return ExitOk;
    }
    std::vector<InputLine> lines;
    if (!ReadInputLines(cmd, in, err, lines))
        return ExitUsage;
    int result = ExitOk;
    for (const InputLine &l : lines) {
        if (IsSkippedLine(l.text))
            continue;
        std::vector<int> digits;
        std::string reason;
        Sudoku game;
        if (ParseRiddleLine(l.text, digits, reason)) {
            if (MakeRiddle(digits, game, reason)) {
                out << game.WriteStream(false, false).Str() << "\n";
                continue;
            }
        } else if (game.ReadStream(l.text, false)) {
            out << ValuesLine(game, '.') << "\n";
            continue;
        } else {
            reason += ", and not a game text either";
        }
        err << "invalid " << l.number << ": " << reason << "\n";
        result = ExitInvalidInput;
    }
    return result;
}

} // namespace

bool IsSkippedLine(const std::string &line)
{
    size_t first = line.find_first_not_of(" \t");
    return first == std::string::npos || line[first] == '#';
}

bool ParseRiddleLine(const std::string &line, std::vector<int> &digits, std::string &reason)
{
    digits.assign(81, 0);
    if (line.size() != 81) {
        reason = "expected 81 characters, found " + std::to_string(line.size());
        return false;
    }
    for (size_t i = 0; i < 81; ++i) {
        char c = line[i];
        if (c >= '1' && c <= '9') {
            digits[i] = c - '0';
        } else if (c != '.' && c != '0' && c != '-') {
            std::ostringstream s;
            if (static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7f)
                s << "character '" << c << "'";
            else
                s << "byte 0x" << std::hex << static_cast<unsigned>(static_cast<unsigned char>(c));
            s << std::dec << " at position " << (i + 1);
            reason = s.str();
            return false;
        }
    }
    return true;
}

std::string UsageText()
{
    return "Usage: ninefold-sudoku-cli COMMAND [OPTIONS] [FILE|-]\n"
           "\n"
           "Commands:\n"
           "  solve [--max-depth N] [--threaded] [FILE|-]\n"
           "      Solves riddles, one per line: 81 characters, digits 1-9 given,\n"
           "      '.', '0' or '-' empty. Blank lines and lines starting with '#'\n"
           "      are skipped. A FILE ending in .sdk is read as one game file and\n"
           "      solved from its riddle. For each riddle, in input order, prints\n"
           "        <81 digits> bt=<backtracking steps>   when solved\n"
           "        unsolved                             when there is no solution\n"
           "                                             within the depth\n"
           "        error <row>/<col>                    when the solver hit a\n"
           "                                             refused candidate\n"
           "      A line that is no riddle prints 'invalid <line>: <reason>' on\n"
           "      stderr. --max-depth limits the nested guesses (-1 = unlimited,\n"
           "      0 = direct steps only). --threaded solves on the game's worker\n"
           "      thread, as the program does; the output is the same.\n"
           "  show FILE.sdk\n"
           "      Prints the board of a game file, then the counts of given,\n"
           "      played and empty fields and the history position (cursor/count).\n"
           "  convert [FILE|-]\n"
           "      A riddle line becomes a compact game text; a game text line, or a\n"
           "      FILE ending in .sdk, becomes the 81-character line of its current\n"
           "      values ('.' for empty).\n" +
           CreateUsageText() + TechUsageText() +
           "\n"
           "Without FILE, or with '-', input is read from standard input. On a\n"
           "terminal, batches of more than 100 riddles show a progress bar on stderr.\n"
           "\n"
           "Exit status: 0 when every line was a riddle, 1 when some line (or the\n"
           "game file) was invalid, 2 for a usage error or an unreadable FILE.\n";
}

int Run(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
        std::ostream &err, const Options &options)
{
    if (!args.empty() && IsTechCommand(args[0]))
        return RunTechCommand(args, in, out, err, options);
    if (!args.empty() && IsCreateCommand(args[0]))
        return RunCreateCommand(args, in, out, err);
    Command cmd;
    std::string problem;
    if (!ParseCommand(args, cmd, problem)) {
        err << "ninefold-sudoku-cli: " << problem << "\n\n" << UsageText();
        return ExitUsage;
    }
    if (cmd.help) {
        out << UsageText();
        return ExitOk;
    }
    if (cmd.name == "solve")
        return Solve(cmd, in, out, err, options);
    if (cmd.name == "show")
        return Show(cmd, out, err);
    return Convert(cmd, in, out, err);
}

} // namespace SdkCli
