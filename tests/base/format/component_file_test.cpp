#include "format/component_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include "format/kinds.h"
#include "format/set_paths.h"
#include "host/scripted_prompter.h"
#include "session/load_component.h"
#include "support/expected_text.h"
#include "support/shown.h"
#include "support/temp_dir.h"

namespace i40 {
namespace {

using test::ComponentHeaderBytes;
using test::TempDir;
using test::WriteFile;

constexpr Kind kAllKinds[] = {
    Kind::Arrangement,       Kind::Style,         Kind::Program,
    Kind::BackingSequence,   Kind::Song,          Kind::KbdSet,
    Kind::ArrangementGlobal, Kind::Global,        Kind::IStyleArrangement,
    Kind::IStyleStyle,       Kind::IStyleProgram, Kind::IStyleDrumKit,
};

// Any wrong byte among the first five fails; byte six must be a stored kind's own code,
// while an IStyle kind takes any. Bytes five and seven are never tested: they take every
// value along the way.
TEST(HeaderTest, TheFirstFiveBytesAndAStoredKindsOwnCodeInByteSix) {
  for (Kind kind : kAllKinds) {
    for (int code = 0; code < 256; ++code) {
      const bool expected = IsIStyleKind(kind) || code == KindCode(kind);
      const auto header = ComponentHeaderBytes(code, static_cast<std::uint8_t>(code * 37),
                                               static_cast<std::uint8_t>(code * 101));
      EXPECT_EQ(IsValidComponentHeader(header, kind), expected) << KindName(kind) << " " << code;
    }
    for (std::size_t at = 0; at < 5; ++at) {
      auto bytes = ComponentHeaderBytes(IsIStyleKind(kind) ? 0 : KindCode(kind));
      bytes[at] ^= 0x20;  // "korg" or "m" in lower case is wrong too
      EXPECT_FALSE(IsValidComponentHeader(bytes, kind)) << KindName(kind) << " byte " << at;
    }
  }
}

TEST(HeaderTest, FewerThanEightBytesNeverPass) {
  const auto full = ComponentHeaderBytes(KindCode(Kind::Arrangement));
  for (std::size_t n = 0; n < 8; ++n) {
    EXPECT_FALSE(IsValidComponentHeader(std::span(full.data(), n), Kind::IStyleStyle));
  }
}

class OpenComponentTest : public ::testing::Test {
 protected:
  std::filesystem::path SetPath() const { return dir_ / "MYSET"; }

  // Opens and returns the one message shown, or "" when none was.
  std::string OpenAndMessage(Kind kind) {
    prompter_.Clear();
    const auto file = OpenComponent(SetPath(), kind, prompter_);
    EXPECT_EQ(file.has_value(), prompter_.messages().empty());
    if (prompter_.messages().empty()) return "";
    const std::string text = prompter_.messages().front().text;
    EXPECT_EQ(test::ShownOf(prompter_.messages()), std::vector{test::ErrorBox(text)});
    return text;
  }

  TempDir dir_;
  ScriptedPrompter prompter_;
};

// Each problem names the file as it is on disk, whatever the case of its extension; the
// Set name itself keeps its case ("myset.KBS" belongs to another Set).
TEST_F(OpenComponentTest, EachProblemIsNamedWithTheFilesFullPath) {
  const auto at = [&](const char* name) { return PathText(dir_ / name); };
  auto shortHeader = ComponentHeaderBytes(3), notKorgM = ComponentHeaderBytes(0);
  shortHeader.pop_back();
  notKorgM[4] = 'X';
  const struct {
    const char* file;  // written before opening; nullptr for none
    std::vector<std::uint8_t> bytes;
    Kind kind;
    std::string message;  // empty when the file opens
  } cases[] = {
      {nullptr, {}, Kind::Style, "File " + at("MYSET.STY") + " not found"},
      {"MYSET.ARR", shortHeader, Kind::Arrangement,
       "Error reading " + at("MYSET.ARR") + " file header"},
      {"MYSET.ARR", {}, Kind::Arrangement, "Error reading " + at("MYSET.ARR") + " file header"},
      {"MYSET.PRG", ComponentHeaderBytes(KindCode(Kind::Style)), Kind::Program,
       at("MYSET.PRG") + " is not a valid file"},
      {"MYSET.kbs", ComponentHeaderBytes(0), Kind::KbdSet,
       at("MYSET.kbs") + " is not a valid file"},
      {"MYSET.kbs", ComponentHeaderBytes(KindCode(Kind::KbdSet)), Kind::KbdSet, ""},
      // Another Set's name on a file system that tells case apart; the same on Windows.
      {"myset.KBS", ComponentHeaderBytes(KindCode(Kind::KbdSet)), Kind::KbdSet,
       kCaseBlindFileNames ? "" : "File " + at("MYSET.KBS") + " not found"},
      {"MYSET.ISF", ComponentHeaderBytes(0x99), Kind::IStyleStyle, ""},
      {"MYSET.ISF", notKorgM, Kind::IStyleStyle, at("MYSET.ISF") + " is not a valid file"},
  };
  for (const auto& c : cases) {
    for (const std::string& name : test::FileNamesIn(dir_.path()))
      std::filesystem::remove(dir_ / name);
    if (c.file) WriteFile(dir_ / c.file, c.bytes);
    EXPECT_EQ(OpenAndMessage(c.kind), c.message) << (c.file ? c.file : "no file");
  }
  // A folder of the component's name is not a file.
  std::filesystem::create_directory(dir_ / "MYSET.GBL");
  EXPECT_EQ(OpenAndMessage(Kind::Global), "File " + at("MYSET.GBL") + " not found");
  // A file that is there but cannot be read.
  EXPECT_EQ(ComponentErrorText({ComponentProblem::CantOpen, "/sets/ONE/ONE.STY"}),
            "Can't open file /sets/ONE/ONE.STY");
}

// The numbers the instrument's files and dumps carry for each kind; the tests build their
// files from these same tables, so only a literal copy (tests/data/kinds.txt) catches a
// slip in them.
TEST(Kinds, TablesGiveEachKindItsNameExtensionCodeAndFunction) {
  // One line a kind, in kind order: name|extension|code|function.
  std::vector<std::string> rows;
  for (int k = 0; k < kKindCount; ++k) {
    const Kind kind = static_cast<Kind>(k);
    rows.push_back(std::string(KindName(kind)) + "|" + std::string(KindExt(kind)) + "|" +
                   std::to_string(KindCode(kind)) + "|" + std::to_string(KindSysExFunction(kind)));
  }
  EXPECT_EQ(rows, test::ExpectedLines("kinds.txt"));
}

}  // namespace
}  // namespace i40
