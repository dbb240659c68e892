#include <algorithm>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <utility>
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

// The arguments as UTF-8 text, as the program takes all text. On Windows they are read
// from the wide command line: the narrow argv holds them in the ANSI code page, which
// loses every character outside it.
std::vector<std::string> Arguments(int argc, char** argv) {
#ifdef _WIN32
  int count = 0;
  if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count); wide != nullptr) {
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) {
      const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
      std::string arg(static_cast<std::size_t>(std::max(bytes, 1)), '\0');
      WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), bytes, nullptr, nullptr);
      arg.resize(arg.size() - 1);  // the terminating zero
      args.push_back(std::move(arg));
    }
    LocalFree(wide);
    return args;
  }
#endif
  return {argv + 1, argv + argc};
}

}  // namespace

int main(int argc, char** argv) {
  // A MIDI server that goes away mid-exchange must not end the program: a write to it
  // fails with an error the MIDI layer reports.
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif
#ifdef _WIN32
  // What the program prints is UTF-8, on the console too.
  SetConsoleOutputCP(CP_UTF8);
#endif
  const std::vector<std::string> args = Arguments(argc, argv);
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
