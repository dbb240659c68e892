#include "format/component_file.h"

#include <gtest/gtest.h>

#include "format/set_paths.h"
#include "session/load_component.h"
#include "support/temp_dir.h"
#include "ui/scripted_prompter.h"

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

TEST(HeaderTest, EveryKindPassesWithItsCodeWhateverBytesFiveAndSevenHold) {
  for (Kind kind : kAllKinds) {
    SCOPED_TRACE(std::string(KindName(kind)));
    const int code = IsIStyleKind(kind) ? 0x55 : KindCode(kind);
    for (int b5 : {0, 0x7F, 0xFF}) {
      for (int b7 : {0, 0x20, 0xFF}) {
        EXPECT_TRUE(IsValidComponentHeader(ComponentHeaderBytes(code, static_cast<std::uint8_t>(b5),
                                                                static_cast<std::uint8_t>(b7)),
                                           kind));
      }
    }
  }
}

TEST(HeaderTest, AnyWrongByteAmongTheFirstFiveFails) {
  for (Kind kind : kAllKinds) {
    const int code = IsIStyleKind(kind) ? 0 : KindCode(kind);
    for (std::size_t at = 0; at < 5; ++at) {
      auto bytes = ComponentHeaderBytes(code);
      bytes[at] ^= 0x20;  // "korg" or "m" in lower case is wrong too
      EXPECT_FALSE(IsValidComponentHeader(bytes, kind)) << KindName(kind) << " byte " << at;
    }
  }
}

TEST(HeaderTest, StoredKindsNeedTheirOwnCodeInByteSixIStyleKindsAnyCode) {
  for (Kind kind : kAllKinds) {
    for (int code = 0; code < 256; ++code) {
      const bool expected = IsIStyleKind(kind) || code == KindCode(kind);
      EXPECT_EQ(IsValidComponentHeader(ComponentHeaderBytes(code), kind), expected)
          << KindName(kind) << " code " << code;
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
    EXPECT_EQ(prompter_.messages().size(), 1u);
    const Message& m = prompter_.messages().front();
    EXPECT_EQ(m.title, "Error");
    EXPECT_EQ(m.icon, MessageIcon::Critical);
    EXPECT_EQ(m.buttons, MessageButtons::Ok);
    return m.text;
  }

  TempDir dir_;
  ScriptedPrompter prompter_;
};

TEST_F(OpenComponentTest, MissingFileIsNamedWithItsFullPathAndExtension) {
  const std::string full = PathText(dir_ / "MYSET.STY");
  EXPECT_EQ(OpenAndMessage(Kind::Style), "File " + full + " not found");
}

TEST_F(OpenComponentTest, ShortFileCannotHaveItsHeaderRead) {
  WriteFile(dir_ / "MYSET.ARR", {'K', 'O', 'R', 'G', 'M', 0, 3});
  EXPECT_EQ(OpenAndMessage(Kind::Arrangement),
            "Error reading " + PathText(dir_ / "MYSET.ARR") + " file header");
  WriteFile(dir_ / "MYSET.ARR", {});
  EXPECT_EQ(OpenAndMessage(Kind::Arrangement),
            "Error reading " + PathText(dir_ / "MYSET.ARR") + " file header");
}

TEST_F(OpenComponentTest, StyleFileNamedAsProgramsIsNotValid) {
  WriteFile(dir_ / "MYSET.PRG", ComponentHeaderBytes(KindCode(Kind::Style)));
  EXPECT_EQ(OpenAndMessage(Kind::Program), PathText(dir_ / "MYSET.PRG") + " is not a valid file");
}

TEST_F(OpenComponentTest, ValidFileIsReadWholeAndNoMessageShown) {
  auto bytes = ComponentHeaderBytes(KindCode(Kind::Program), 0xAA, 0xBB);
  bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
  WriteFile(dir_ / "MYSET.PRG", bytes);
  prompter_.Clear();
  const auto file = OpenComponent(SetPath(), Kind::Program, prompter_);
  ASSERT_TRUE(file);
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(file->bytes, bytes);
  EXPECT_EQ(file->path, dir_ / "MYSET.PRG");
  EXPECT_EQ(file->kind, Kind::Program);
}

TEST_F(OpenComponentTest, ExtensionIsFoundWhateverItsCaseAndNamedAsOnDisk) {
  WriteFile(dir_ / "MYSET.kbs", ComponentHeaderBytes(0));  // wrong code on purpose
  EXPECT_EQ(OpenAndMessage(Kind::KbdSet), PathText(dir_ / "MYSET.kbs") + " is not a valid file");
  WriteFile(dir_ / "MYSET.kbs", ComponentHeaderBytes(KindCode(Kind::KbdSet)));
  EXPECT_EQ(OpenAndMessage(Kind::KbdSet), "");
  // The Set name itself keeps its case: "myset.KBS" is another Set.
  std::filesystem::remove(dir_ / "MYSET.kbs");
  WriteFile(dir_ / "myset.KBS", ComponentHeaderBytes(KindCode(Kind::KbdSet)));
  EXPECT_EQ(OpenAndMessage(Kind::KbdSet), "File " + PathText(dir_ / "MYSET.KBS") + " not found");
}

TEST_F(OpenComponentTest, FolderOfTheComponentsNameIsNotAFile) {
  std::filesystem::create_directory(dir_ / "MYSET.GBL");
  EXPECT_EQ(OpenAndMessage(Kind::Global), "File " + PathText(dir_ / "MYSET.GBL") + " not found");
}

TEST_F(OpenComponentTest, IStyleFileOpensWithAnyByteSix) {
  WriteFile(dir_ / "MYSET.ISF", ComponentHeaderBytes(0x99));
  EXPECT_EQ(OpenAndMessage(Kind::IStyleStyle), "");
  WriteFile(dir_ / "MYSET.ISF", {'K', 'O', 'R', 'G', 'X', 0, 0, 0});
  EXPECT_EQ(OpenAndMessage(Kind::IStyleStyle),
            PathText(dir_ / "MYSET.ISF") + " is not a valid file");
}

TEST(ComponentErrorText, EachProblemHasItsOwnWords) {
  const std::filesystem::path p = "/sets/ONE/ONE.STY";
  EXPECT_EQ(ComponentErrorText({ComponentProblem::NotFound, p}),
            "File /sets/ONE/ONE.STY not found");
  EXPECT_EQ(ComponentErrorText({ComponentProblem::CantOpen, p}),
            "Can't open file /sets/ONE/ONE.STY");
  EXPECT_EQ(ComponentErrorText({ComponentProblem::HeaderUnreadable, p}),
            "Error reading /sets/ONE/ONE.STY file header");
  EXPECT_EQ(ComponentErrorText({ComponentProblem::NotValid, p}),
            "/sets/ONE/ONE.STY is not a valid file");
}

}  // namespace
}  // namespace i40
