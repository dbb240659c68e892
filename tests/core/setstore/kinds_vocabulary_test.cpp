#include <gtest/gtest.h>

#include "format/kinds.h"
#include "format/vocabulary.h"

namespace i40 {
namespace {

// The numbers the instrument's files and dumps carry for each kind; the tests build their
// files from these same tables, so only a literal copy catches a slip in them.
TEST(Kinds, TablesGiveEachKindItsNameExtensionCodeAndFunction) {
  struct Row {
    Kind kind;
    const char* name;
    const char* ext;
    int code;
    int function;
  };
  const Row rows[] = {
      {Kind::Arrangement, "Arrangement", ".ARR", 3, 100},
      {Kind::Style, "Style", ".STY", 4, 101},
      {Kind::Program, "Program", ".PRG", 0, 76},
      {Kind::BackingSequence, "Backing Sequence", ".BSQ", 5, 102},
      {Kind::Song, "Song", ".SNG", 1, 72},
      {Kind::KbdSet, "KBD Set", ".KBS", 8, 105},
      {Kind::ArrangementGlobal, "Arrangement Global", ".ARG", 7, 104},
      {Kind::Global, "Global", ".GBL", 6, 81},
      {Kind::IStyleArrangement, "IStyle Arrangement", ".IAF", -1, -1},
      {Kind::IStyleStyle, "IStyle Style", ".ISF", -1, -1},
      {Kind::IStyleProgram, "IStyle Program", ".IPF", -1, -1},
      {Kind::IStyleDrumKit, "IStyle DrumKit", ".IDK", -1, -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(KindName(row.kind), row.name);
    EXPECT_EQ(KindExt(row.kind), row.ext);
    EXPECT_EQ(KindCode(row.kind), row.code);
    EXPECT_EQ(KindSysExFunction(row.kind), row.function);
  }
}

TEST(Vocabulary, SysExHeaderStartsAsTheGenericRequest) {
  const std::array<std::uint8_t, 6> expected = {0xF0, 0x42, 0x30, 0x4D, 0x23, 0xF7};
  EXPECT_EQ(kDefaultSysExHeader, expected);
}

}  // namespace
}  // namespace i40
