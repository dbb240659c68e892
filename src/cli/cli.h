#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace i40::cli {

// Runs the command-line tool on its arguments (without the program name) and returns
// its exit code.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace i40::cli
