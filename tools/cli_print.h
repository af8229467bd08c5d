#pragma once
// The tool's print command: a booklet of riddles written to a PDF file without a display.
#include <iosfwd>
#include <string>
#include <vector>

namespace SdkCli {

// args[0] is "print". Exit codes as for Run.
int RunPrintCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);
std::string PrintUsageText();

} // namespace SdkCli
