#include "tools/cli_tech.h"

#include "base/TOpSystem.h"
#include "engine/SdkTechnique.h"
#include "engine/Sudoku.h"
#include "tools/cli_progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <numeric>
#include <sstream>

namespace SdkCli {

namespace {

// The tool's names of the techniques, in the order of their ids.
constexpr const char *TechniqueNames[] = {"none",
                                          "last-value",
                                          "hidden-single-box",
                                          "hidden-single-line",
                                          "naked-single",
                                          "pointing",
                                          "claiming",
                                          "naked-pair",
                                          "x-wing",
                                          "hidden-pair",
                                          "naked-triple",
                                          "swordfish",
                                          "hidden-triple",
                                          "xy-wing",
                                          "xyz-wing",
                                          "unique-rectangle-1",
                                          "unique-rectangle-2",
                                          "naked-quad",
                                          "jellyfish",
                                          "hidden-quad",
                                          "bug+1",
                                          "skyscraper",
                                          "2-string-kite",
                                          "w-wing",
                                          "simple-colouring",
                                          "x-chain",
                                          "xy-chain",
                                          "alternating-chain",
                                          "cell-forcing-chain",
                                          "house-forcing-chain",
                                          "contradiction-chain",
                                          "dynamic-forcing-chain",
                                          "trial",
                                          "bug-type-2",
                                          "unique-rectangle-4"};
static_assert(std::size(TechniqueNames) == size_t(SdkTechnique::Count));

const char *NameOf(SdkTechnique t)
{
    return TechniqueNames[size_t(t) < std::size(TechniqueNames) ? size_t(t) : 0];
}

std::string RatingText(int rating)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d", rating / 10, rating % 10);
    return text;
}

std::string CellText(int cell)
{
    char text[16];
    std::snprintf(text, sizeof text, "[%d,%d]", cell / 9 + 1, cell % 9 + 1);
    return text;
}

std::string HouseText(const SdkHouse &h)
{
    static const char *kinds[] = {"", "row", "column", "quad"};
    char text[16];
    std::snprintf(text, sizeof text, "%s %d", kinds[h.type], h.index + 1);
    return text;
}

// One sentence per step: what, where, and what it does.
std::string StepText(const SdkTechStep &s)
{
    std::ostringstream t;
    t << NameOf(s.technique) << " (" << RatingText(s.rating) << ")";
    for (size_t i = 0; i < s.houses.size(); ++i)
        t << (i ? ", " : " in ") << HouseText(s.houses[i]);
    if (s.chainLength > 0) {
        t << ": ";
        for (size_t i = 0; i < s.proof.size(); ++i) {
            const SdkProofMark &m = s.proof[i];
            t << (i ? " " : "") << CellText(m.cell)
              << (m.role == SdkProofRole::LinkOff ? "<>" : "=") << int(m.digit);
        }
    }
    for (const SdkTechCandidate &p : s.placements)
        t << "; places " << int(p.digit) << " at " << CellText(p.cell);
    if (!s.eliminations.empty()) {
        t << "; removes";
        for (size_t i = 0; i < s.eliminations.size(); ++i)
            t << (i ? ", " : " ") << int(s.eliminations[i].digit) << " from "
              << CellText(s.eliminations[i].cell);
    }
    return t.str();
}

std::string RateText(const SdkRating &r)
{
    if (r.status == SdkRating::Invalid)
        return "invalid";
    if (r.status == SdkRating::NoUniqueSolution)
        return "no unique solution";
    return RatingText(r.rating) + " " + NameOf(r.hardest);
}

// The riddle is the first word of a line; a second word is taken as a
// reference rating by --compare, or as the current values by hint.
bool SplitLine(const std::string &line, std::string &riddle, std::string &second)
{
    std::istringstream words(line);
    words >> riddle >> second;
    return !riddle.empty();
}

bool ToGrid(const std::string &text, SdkTech::Grid &grid, std::string &reason)
{
    std::vector<int> digits;
    if (!ParseRiddleLine(text, digits, reason))
        return false;
    for (size_t i = 0; i < 81; ++i)
        grid[i] = uint8_t(digits[i]);
    return true;
}

bool ReadAll(const std::string &file, std::istream &in, std::ostream &err,
             std::vector<std::string> &lines)
{
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
    while (std::getline(*source, text)) {
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        lines.push_back(text);
    }
    return true;
}

void Agreement(const std::vector<double> &ours, const std::vector<double> &theirs,
               std::ostream &out)
{
    size_t near = 0;
    for (size_t i = 0; i < ours.size(); ++i)
        near += std::fabs(ours[i] - theirs[i]) <= 0.5 + 1e-9 ? 1 : 0;
    char text[160];
    std::snprintf(text, sizeof text, "compared %zu: spearman %.3f, within 0.5: %.1f %%\n",
                  ours.size(), Spearman(ours, theirs),
                  ours.empty() ? 0.0 : 100.0 * double(near) / double(ours.size()));
    out << text;
}

int Rate(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
         std::ostream &err, const Options &options)
{
    bool compare = false;
    std::string file;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--compare")
            compare = true;
        else if (file.empty() && (args[i] == "-" || args[i][0] != '-'))
            file = args[i];
        else {
            err << "ninefold-sudoku-cli: unknown option '" << args[i] << "'\n\n" << TechUsageText();
            return ExitUsage;
        }
    }
    std::vector<std::string> lines;
    if (!ReadAll(file, in, err, lines))
        return ExitUsage;
    size_t total = 0;
    for (const std::string &l : lines)
        total += IsSkippedLine(l) ? 0 : 1;
    ProgressBar bar(err, total, options.progress);
    std::vector<double> ours, theirs;
    int result = ExitOk;
    size_t done = 0;
    for (size_t n = 0; n < lines.size(); ++n) {
        if (IsSkippedLine(lines[n]))
            continue;
        std::string riddle, second, reason;
        SdkTech::Grid grid{};
        SplitLine(lines[n], riddle, second);
        if (!ToGrid(riddle, grid, reason)) {
            err << "invalid " << n + 1 << ": " << reason << "\n";
            result = ExitInvalidInput;
        } else {
            SdkRating r = SdkTech::Rate(grid);
            out << RateText(r) << "\n";
            char *end = nullptr;
            double reference = std::strtod(second.c_str(), &end);
            if (compare && r.status == SdkRating::Rated && !second.empty() && *end == '\0') {
                ours.push_back(r.rating / 10.0);
                theirs.push_back(reference);
            }
        }
        bar.Step(++done);
    }
    if (compare)
        Agreement(ours, theirs, out);
    return result;
}

int Hint(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
         std::ostream &err)
{
    if (args.size() > 2) {
        err << "ninefold-sudoku-cli: hint takes one FILE\n\n" << TechUsageText();
        return ExitUsage;
    }
    const std::string file = args.size() == 2 ? args[1] : "";
    SdkTech::Grid givens{}, values{};
    if (TString(file).EndsWith(".sdk", true) || TString(file).EndsWith(".spd", true)) {
        Sudoku game;
        if (CurrentOS->IsDirectory(file) || !game.LoadGame(file, false, true)) {
            err << "invalid 1: " << file << " is not a readable game file\n";
            return ExitInvalidInput;
        }
        SdkTech::GridsOf(game, givens, values);
    } else {
        std::vector<std::string> lines;
        if (!ReadAll(file, in, err, lines))
            return ExitUsage;
        auto first = std::find_if(lines.begin(), lines.end(),
                                  [](const std::string &l) { return !IsSkippedLine(l); });
        std::string riddle, played, reason;
        if (first == lines.end() || !SplitLine(*first, riddle, played) ||
            !ToGrid(riddle, givens, reason) ||
            !ToGrid(played.empty() ? riddle : played, values, reason)) {
            err << "invalid: " << (reason.empty() ? "no riddle line" : reason) << "\n";
            return ExitInvalidInput;
        }
        for (size_t i = 0; i < 81; ++i)
            if (givens[i] && values[i] != givens[i]) {
                err << "invalid: the values differ from the givens at " << CellText(int(i)) << "\n";
                return ExitInvalidInput;
            }
    }
    SdkHint hint = SdkTech::Hint(givens, values);
    switch (hint.status) {
    case SdkHint::Invalid:
        out << "invalid: digits clash\n";
        return ExitInvalidInput;
    case SdkHint::NoUniqueSolution:
        out << "no unique solution\n";
        return ExitOk;
    case SdkHint::Solved:
        out << "solved\n";
        return ExitOk;
    case SdkHint::WrongValue:
        out << "wrong value at " << CellText(hint.wrongCell) << ": the solution has "
            << int(hint.rightDigit) << "\n";
        return ExitOk;
    case SdkHint::Steps:
        break;
    }
    for (const SdkTechStep &s : hint.steps)
        out << StepText(s) << "\n";
    return ExitOk;
}

std::vector<double> Ranks(const std::vector<double> &v)
{
    std::vector<size_t> order(v.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return v[a] < v[b]; });
    std::vector<double> ranks(v.size());
    for (size_t i = 0; i < order.size();) {
        size_t j = i;
        while (j + 1 < order.size() && v[order[j + 1]] == v[order[i]])
            ++j;
        for (size_t k = i; k <= j; ++k)
            ranks[order[k]] = (double(i) + double(j)) / 2.0;
        i = j + 1;
    }
    return ranks;
}

} // namespace

double Spearman(const std::vector<double> &a, const std::vector<double> &b)
{
    if (a.size() != b.size() || a.size() < 2)
        return 0.0;
    std::vector<double> ra = Ranks(a), rb = Ranks(b);
    const double n = double(a.size());
    const double ma = std::accumulate(ra.begin(), ra.end(), 0.0) / n;
    const double mb = std::accumulate(rb.begin(), rb.end(), 0.0) / n;
    double cov = 0, va = 0, vb = 0;
    for (size_t i = 0; i < ra.size(); ++i) {
        cov += (ra[i] - ma) * (rb[i] - mb);
        va += (ra[i] - ma) * (ra[i] - ma);
        vb += (rb[i] - mb) * (rb[i] - mb);
    }
    return va > 0 && vb > 0 ? cov / std::sqrt(va * vb) : 0.0;
}

bool IsTechCommand(const std::string &name)
{
    return name == "rate" || name == "hint";
}

int RunTechCommand(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
                   std::ostream &err, const Options &options)
{
    for (size_t i = 1; i < args.size(); ++i)
        if (args[i] == "--help" || args[i] == "-h") {
            out << TechUsageText();
            return ExitOk;
        }
    return args[0] == "rate" ? Rate(args, in, out, err, options) : Hint(args, in, out, err);
}

std::string TechUsageText()
{
    return "  rate [--compare] [FILE|-]\n"
           "      Rates each riddle line by the human techniques it needs: prints\n"
           "      '<rating> <technique>' (the hardest step of the easiest solution,\n"
           "      on Sudoku Explainer's scale) or 'no unique solution'. With\n"
           "      --compare, a second word on a line is a reference rating, and a\n"
           "      last line gives the Spearman correlation and the share of riddles\n"
           "      rated within 0.5 of it.\n"
           "  hint [FILE|-]\n"
           "      The steps to the next placement, one per line. FILE ending in .sdk\n"
           "      or .spd is a game; otherwise the first riddle line is read: the\n"
           "      givens, then optionally the current values as a second word.\n"
           "      Prints 'wrong value at [row,col]: ...' when a played value is not\n"
           "      the solution's, 'solved' or 'no unique solution'.\n";
}

} // namespace SdkCli
