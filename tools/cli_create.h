#pragma once
// The tool's creation commands: create (computed riddles), count (solutions per
// riddle) and make-stock (the installation's predefined riddles), and the
// threaded variant of solve.
#include <iosfwd>
#include <string>
#include <vector>

class Sudoku;

namespace SdkCli {

// True for the commands handled here.
bool IsCreateCommand(const std::string &name);
// args[0] is the command name. Exit codes as for Run.
int RunCreateCommand(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
                     std::ostream &err);
std::string CreateUsageText();

// Solve on the game's worker thread, waiting for its end; the result as for Solve.
bool SolveThreaded(Sudoku &game, int maxDepth);

// The level of a riddle by the default solver's nested guesses: 1 for none,
// 2 for 1 to 3, 3 for 4 or more; 0 when it cannot be solved.
int StockLevel(int btSteps);

} // namespace SdkCli
