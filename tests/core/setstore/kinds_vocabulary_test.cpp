#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format/kinds.h"
#include "format/vocabulary.h"
#include "support/expected_text.h"

namespace i40 {
namespace {

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

TEST(Vocabulary, SysExHeaderStartsAsTheGenericRequest) {
  const std::array<std::uint8_t, 6> expected = {0xF0, 0x42, 0x30, 0x4D, 0x23, 0xF7};
  EXPECT_EQ(kDefaultSysExHeader, expected);
}

}  // namespace
}  // namespace i40
