#include <csignal>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
  // A MIDI server that goes away mid-exchange must not end the program: a write to it
  // fails with an error the MIDI layer reports.
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::error_code ec;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) program = std::filesystem::absolute(argv[0], ec);
  // Nothing ends the program unsaid: anything not handled where it happened is a usage
  // or input error, with its text.
  try {
    return i40::cli::Run(args, std::cout, std::cerr, program);
  } catch (const std::exception& e) {
    std::cerr << "i40set: " << e.what() << '\n';
  } catch (...) {
    std::cerr << "i40set: an unexpected error\n";
  }
  return 2;
}
