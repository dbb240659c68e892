#include <csignal>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli.h"
#include "util/windows_api.h"

namespace {

// Where this program is: its data folder is found beside it.
std::filesystem::path ProgramPath(const char* argv0) {
  std::error_code ec;
#ifdef _WIN32
  std::wstring buffer(32768, L'\0');
  const DWORD length =
      GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (length > 0 && length < buffer.size()) return std::filesystem::path(buffer.substr(0, length));
#else
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) return program;
#endif
  return std::filesystem::absolute(argv0, ec);
}

}  // namespace

int main(int argc, char** argv) {
  // A MIDI server that goes away mid-exchange must not end the program: a write to it
  // fails with an error the MIDI layer reports.
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::filesystem::path program = ProgramPath(argv[0]);
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
