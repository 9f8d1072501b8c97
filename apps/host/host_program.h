#pragma once
// The command line of the host program `trackquery`, and the run of the command it names:
//   trackquery demo-db --out FILE [--orders N] [--seed S] [--force]   builds a demo ERP database
//   trackquery icmo --db FILE|--profile NAME [...]           tracks production task orders
//   trackquery seorder --db FILE|--profile NAME [...]        tracks sales or export orders
//   trackquery --version
// The program's main hands it the process's arguments and standard streams; tests hand it their
// own, and read what a user would have seen.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace apps {

// Runs the command of `args` (args[0] being the program's name) and returns the process exit
// code. Help goes to `out`; a command line that cannot be used is named on `err`, with CLI11's
// exit code.
int RunHostProgram(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);

}  // namespace apps
