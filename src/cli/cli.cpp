#include "cli/cli.h"

#include "version.h"

namespace i40::cli {
namespace {

constexpr const char* kUsage =
    "Usage: i40set --version | --help\n"
    "\n"
    "The command-line companion of the Korg-i40 Set Editor, for the disk Sets of the\n"
    "Korg iS40 and iS50 arranger keyboards.\n"
    "\n"
    "  --version   print the version and exit\n"
    "  --help      print this help and exit\n";

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && args[0] == "--version") {
    out << "i40set " << VersionText() << '\n';
    return 0;
  }
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    out << kUsage;
    return 0;
  }
  if (args.empty()) {
    err << kUsage;
  } else {
    err << "i40set: unknown command or option '" << args[0] << "'\n"
        << "Try 'i40set --help'.\n";
  }
  return 2;
}

}  // namespace i40::cli
