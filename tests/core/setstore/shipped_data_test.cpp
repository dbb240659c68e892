#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calls/item_lookup.h"
#include "presets/preset_list.h"
#include "support/expected_text.h"

namespace i40 {
namespace {

const std::filesystem::path kDataDir = I40_SOURCE_DATA_DIR;

TEST(ShippedPresetList, ReadsAndNamesEachPositionWithTheStyleAtTheSamePosition) {
  auto result = ReadPresetList(kDataDir / kPresetListFileName);
  ASSERT_TRUE(std::holds_alternative<PresetTables>(result))
      << std::get<PresetListError>(result).Describe();
  const PresetTables& presets = std::get<PresetTables>(result);
  const FileSet noSet;
  const ItemSources from{presets, noSet};
  EXPECT_EQ(ArrangementName(from, 0), "Arr A11         ");
  EXPECT_EQ(ArrangementName(from, 127), "Arr B88         ");
  EXPECT_EQ(StyleName(from, 127), "Style B88       ");
  EXPECT_EQ(ProgramName(from, 256), "Prog C11        ");
  EXPECT_EQ(ProgramName(from, 575), "Prog E88        ");
  EXPECT_EQ(ProgramName(from, 1024), "Kit R11         ");
  EXPECT_EQ(ProgramName(from, 1037), "Kit R26         ");
  for (int n = 0; n < 128; ++n) {
    EXPECT_EQ(PresetArrangementStyle(presets, n), n);
    EXPECT_NE(ArrangementCategory(from, n), 255);
    EXPECT_NE(ProgramCategory(from, n), 255);
  }
}

// The export to preset files finds each bank by these marker lines, so they must stand
// right before the bank's first entry.
TEST(ShippedPresetList, MarkersStandBeforeEachBanksFirstEntry) {
  const auto lines = test::CrlfLines(test::ReadTextFile(kDataDir / kPresetListFileName));
  auto entryAfter = [&](const std::string& marker) -> std::string {
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
      if (lines[i] == marker) return lines[i + 1].substr(0, 18);
    }
    return "marker " + marker + " missing";
  };
  EXPECT_EQ(entryAfter("/ Arr A11-A18"), "\"Arr A11         \"");
  EXPECT_EQ(entryAfter("/ Arr B11-B18"), "\"Arr B11         \"");
  for (char bank : std::string("ABCDE")) {
    const std::string b(1, bank);
    EXPECT_EQ(entryAfter("/ Prg " + b + "11-" + b + "18"), "\"Prog " + b + "11        \"");
  }
  for (const char* pair :
       {"R11-R12", "R13-R14", "R15-R16", "R17-R18", "R21-R22", "R23-R24", "R25-R26"}) {
    EXPECT_EQ(entryAfter(std::string("/ Prg ") + pair),
              "\"Kit " + std::string(pair).substr(0, 3) + "         \"");
  }
}

}  // namespace
}  // namespace i40
