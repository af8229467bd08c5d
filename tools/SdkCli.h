#pragma once
// The command-line companion: solving batches of riddles, showing and converting
// game files. Kept apart from main() so that tests run it in-process.
#include <iosfwd>
#include <string>
#include <vector>

namespace SdkCli {

enum ExitCode { ExitOk = 0, ExitInvalidInput = 1, ExitUsage = 2 };

struct Options
{
    // Draw a progress bar on err for batches of more than 100 riddles.
    bool progress = false;
};

// args excludes the program name. in serves "-" and a missing FILE.
int Run(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
        std::ostream &err, const Options &options = {});

// A riddle line: 81 characters, '1'-'9' given, '.', '0' or '-' empty. On success
// digits receives 81 values 0-9; otherwise reason says why.
bool ParseRiddleLine(const std::string &line, std::vector<int> &digits, std::string &reason);

// Lines that carry no riddle: blank ones and comments.
bool IsSkippedLine(const std::string &line);

std::string UsageText();

} // namespace SdkCli
