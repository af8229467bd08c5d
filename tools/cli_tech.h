#pragma once
// The tool's human-technique commands: rate (difficulty per riddle, optionally
// compared with reference ratings) and hint (the way to the next placement).
#include "tools/SdkCli.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace SdkCli {

bool IsTechCommand(const std::string &name);
// args[0] is the command name. Exit codes as for Run.
int RunTechCommand(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
                   std::ostream &err, const Options &options);
std::string TechUsageText();

// Spearman's rank correlation of two equally long series (ties share their mean rank).
double Spearman(const std::vector<double> &a, const std::vector<double> &b);

} // namespace SdkCli
