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

// The stock level of a riddle by its technique rating (x 10): 1 up to 2.3 (singles),
// 2 from 2.6 to 3.4 (pointing, claiming, pairs, X-Wing), 3 from 3.6; 0 otherwise.
int StockLevel(int rating);

} // namespace SdkCli
