// The command line's run: reads the program's own command line (as Unicode),
// does the work through the same routines as the windows, prints on standard
// output and standard error, and answers the exit code. Never shows a window.
#pragma once
#include <string>
#include <vector>

namespace cli {

// The arguments as UTF-8, without the program's own name.
std::vector<std::string> CommandLineArguments();
// Expects the caller to have loaded the block list and started COM.
int RunCommandLine(const std::vector<std::string>& arguments);

}  // namespace cli
