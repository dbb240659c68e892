#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace i40::cli {

// Runs the command-line tool on its arguments (without the program name) and returns
// its exit code. `program` is where the tool runs from, to find its data folder.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const std::filesystem::path& program);
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace i40::cli
