#include "cli/cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "version.h"

namespace i40::cli {
namespace {

struct Result {
  int code;
  std::string out;
  std::string err;
};

Result RunWith(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int code = Run(args, out, err);
  return {code, out.str(), err.str()};
}

TEST(Cli, VersionAndHelpGoToStandardOutput) {
  Result r = RunWith({"--version"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "i40set " + VersionText() + "\n");
  EXPECT_EQ(r.err, "");
  r = RunWith({"--help"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out.rfind("Usage: i40set", 0), 0u);
}

TEST(Cli, NoArgumentsOrUnknownOnesFailWithUsageOnStandardError) {
  Result r = RunWith({});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("Usage: i40set"), std::string::npos);
  r = RunWith({"--bogus"});
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("unknown command or option '--bogus'"), std::string::npos);
  EXPECT_EQ(RunWith({"--version", "extra"}).code, 2);
}

}  // namespace
}  // namespace i40::cli
