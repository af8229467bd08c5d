#include "tools/cli_print.h"

#include "app/SdkBookletTexts.h"
#include "base/TOpSystem.h"
#include "booklet/SdkBooklet.h"
#include "tools/SdkCli.h"

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <ostream>

namespace SdkCli {

namespace {

struct PrintOptions
{
    long count = 10;
    long level = 1;
    long perPage = 4;
    bool computed = false;
    bool solutions = false;
    int language = 1;
    std::string output;
    std::string stock;
};

bool Number(const std::string &text, long low, long high, long &value)
{
    char *end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < low || v > high)
        return false;
    value = v;
    return true;
}

bool Parse(const std::vector<std::string> &args, PrintOptions &o, std::string &problem)
{
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string &a = args[i];
        const bool hasValue = i + 1 < args.size();
        const std::string value = hasValue ? args[i + 1] : std::string();
        if (a == "--solutions") {
            o.solutions = true;
        } else if (a == "--computed") {
            o.computed = true;
        } else if (a == "--count") {
            if (!hasValue || !Number(value, 1, 100, o.count))
                return problem = "--count needs a number from 1 to 100", false;
            ++i;
        } else if (a == "--level") {
            if (!hasValue || !Number(value, 1, 3, o.level))
                return problem = "--level needs a number from 1 to 3", false;
            ++i;
        } else if (a == "--per-page") {
            if (!hasValue || !Number(value, 1, 6, o.perPage) || o.perPage == 3 || o.perPage == 5)
                return problem = "--per-page needs 1, 2, 4 or 6", false;
            ++i;
        } else if (a == "--language") {
            if (value == "de" || value == "en")
                o.language = value == "de" ? 0 : 1;
            else
                return problem = "--language needs de or en", false;
            ++i;
        } else if (a == "-o" || a == "--stock") {
            if (!hasValue || value.empty())
                return problem = a + " needs a " + (a == "-o" ? "file" : "folder"), false;
            (a == "-o" ? o.output : o.stock) = value;
            ++i;
        } else {
            return problem = "unknown argument '" + a + "'", false;
        }
    }
    if (o.output.empty())
        return problem = "print needs -o FILE", false;
    return true;
}

// The stock beside the program (build tree) or in the installed data folder.
std::string DefaultStock()
{
    const std::string dir = CurrentOS->GetProgramDir().Str();
    for (const std::string &candidate :
         {dir + "/PreDefs", dir + "/../share/ninefold-sudoku/PreDefs"})
        if (CurrentOS->IsDirectory(candidate))
            return candidate;
    return dir + "/PreDefs";
}

// The backtracking ranges of the standard levels of the creation settings.
void CreationSettings(int level, SdkBookletSource &source)
{
    source.minBt = level == 1 ? 0 : level == 2 ? 1 : 4;
    source.maxBt = level == 1 ? 0 : level == 2 ? 3 : -1;
}

} // namespace

int RunPrintCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    PrintOptions o;
    std::string problem;
    if (args.size() > 1 && (args[1] == "--help" || args[1] == "-h")) {
        out << PrintUsageText();
        return ExitOk;
    }
    if (!Parse(args, o, problem)) {
        err << "ninefold-sudoku-cli: " << problem << "\n\n" << PrintUsageText();
        return ExitUsage;
    }
    // Drawing text needs a GUI application; without a display it runs on the offscreen
    // platform, for this command only.
    std::unique_ptr<QGuiApplication> app;
    int argc = 3;
    char name[] = "ninefold-sudoku-cli";
    char option[] = "-platform";
    char platform[] = "offscreen";
    char *argv[] = {name, option, platform, nullptr};
    if (!QGuiApplication::instance())
        app = std::make_unique<QGuiApplication>(argc, argv);

    SdkBookletSource source;
    source.count = unsigned(o.count);
    source.computed = o.computed;
    source.level = int(o.level);
    source.rate = SdkRateRiddle;
    source.stockFolder = o.stock.empty() ? DefaultStock() : o.stock;
    if (o.computed)
        CreationSettings(int(o.level), source);
    std::vector<SdkBookletRiddle> riddles;
    const std::atomic<bool> never{false};
    if (SdkCollectRiddles(source, riddles, never) != SdkBookletOutcome::Done) {
        err << Tx(SdkTx::BookletNoRiddle, o.language).toStdString() << "\n";
        return ExitInvalidInput;
    }
    SdkBookletLayout layout;
    layout.perPage = int(o.perPage);
    layout.solutions = o.solutions;
    layout.language = o.language;
    const QString path = QString::fromStdString(o.output);
    if (!SdkBooklet::WriteBookletPdf(path, riddles, layout)) {
        err << Tx(SdkTx::PdfNotWritten, o.language).arg(path).toStdString() << "\n";
        return ExitUsage;
    }
    out << o.output << " riddles=" << riddles.size()
        << " pages=" << SdkBooklet::PageCount(riddles.size(), layout) << "\n";
    return ExitOk;
}

std::string PrintUsageText()
{
    return "  print -o FILE.pdf [--count N] [--level L] [--computed] [--per-page P]\n"
           "        [--solutions] [--stock DIR] [--language de|en]\n"
           "      Writes a booklet of N riddles (1-100, default 10) to a PDF file,\n"
           "      P a page (1, 2, 4 or 6, default 4), each with its number and level\n"
           "      beneath; --solutions adds the solutions, twelve a page, at the end.\n"
           "      Riddles come from the stock of level L (1-3, default 1; the PreDefs\n"
           "      beside the program, or --stock DIR), or with --computed are computed\n"
           "      at the standard level L. Needs no display. The file is replaced only\n"
           "      when the whole booklet was written.\n";
}

} // namespace SdkCli
