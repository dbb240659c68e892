#include "presets/preset_list.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "calls/item_lookup.h"
#include "host/scripted_prompter.h"
#include "support/expected_text.h"
#include "support/shown.h"
#include "support/temp_dir.h"

namespace i40 {
namespace {

// A complete list: 128 Arrangements (name, category, Style), then 128 Styles, 128 + 128
// + 64 Programs and 14 drum kits (name, category). Entry n is named "E<n>".
std::vector<std::string> EntryLines() {
  std::vector<std::string> lines;
  int n = 0;
  auto add = [&](int count, bool withStyle) {
    for (int i = 0; i < count; ++i, ++n) {
      std::string line = "\"E" + std::to_string(n) + "\"," + std::to_string(n % 16);
      if (withStyle) line += "," + std::to_string(127 - i);
      lines.push_back(line);
    }
  };
  add(128, true);
  for (int count : {128, 128, 128, 64, 14})
    add(count, false);
  return lines;
}

std::string Join(const std::vector<std::string>& lines, const char* eol = "\n") {
  std::string text;
  for (const auto& l : lines)
    text += l + eol;
  return text;
}

std::string ValidList() {
  return "Korg-i40\n" + Join(EntryLines());
}

PresetTables Parsed(const std::string& text) {
  auto result = ParsePresetList(text);
  if (auto* error = std::get_if<PresetListError>(&result)) {
    ADD_FAILURE() << error->Describe();
    return {};
  }
  return std::get<PresetTables>(result);
}

PresetListError Failure(const std::string& text) {
  auto result = ParsePresetList(text);
  EXPECT_TRUE(std::holds_alternative<PresetListError>(result));
  if (auto* error = std::get_if<PresetListError>(&result)) return *error;
  return {PresetListProblem::Unreadable, 0, 0, {}};
}

TEST(PresetList, EverythingUpToTheKorgLineIsIgnoredWhateverItsCase) {
  const std::string text =
      "\"Not\",1,2\nsome title\nthe KORG-I40 presets, version 2\n" + Join(EntryLines());
  EXPECT_EQ(Parsed(text).arrangements[0].name, "E0              ");
}

TEST(PresetList, CommentsAndEmptyFieldsBeforeANameAreSkippedHoweverMany) {
  std::vector<std::string> lines = EntryLines();
  lines.insert(lines.begin() + 200, {"/ Sty B11-B18", "", "   ", "/ a, comment with commas", ",,"});
  lines.insert(lines.begin(), {"", "/ Arr A11-A18", "/", "//"});
  const PresetTables t = Parsed("Korg-i40\r\n" + Join(lines, "\r\n"));
  EXPECT_EQ(t.arrangements[0].name, "E0              ");
  EXPECT_EQ(t.styles[200 - 128].name, "E200            ");
  EXPECT_EQ(t.drumKits[13].name, "E589            ");
}

TEST(PresetList, NamesAreCutOrPaddedToSixteenAndKeepTheirBlanks) {
  std::vector<std::string> lines = EntryLines();
  lines[0] = "\"A very long preset name\",3,5";
  lines[1] = "\"  Lead, 2  \",4,6";     // a comma inside quotes belongs to the name
  lines[2] = "  Unquoted  , 255 , -1";  // numbers take signs and blanks
  const PresetTables t = Parsed("Korg-i40\n" + Join(lines));
  EXPECT_EQ(t.arrangements[0].name, "A very long pres");
  EXPECT_EQ(t.arrangements[1], (PresetEntry{"  Lead, 2       ", 4, 6}));
  EXPECT_EQ(t.arrangements[2], (PresetEntry{"Unquoted        ", 255, -1}));
}

TEST(PresetList, FieldsMayStandOnSeveralLines) {
  std::vector<std::string> lines = EntryLines();
  lines[0] = "\"E0\"";
  lines.insert(lines.begin() + 1, {" 0", "127"});
  EXPECT_EQ(Parsed("Korg-i40\n" + Join(lines)).arrangements[0].style, 127);
}

TEST(PresetList, EachFailureIsReported) {
  EXPECT_EQ(Failure(Join(EntryLines())).problem, PresetListProblem::NoMarkerLine);
  EXPECT_EQ(Failure("").problem, PresetListProblem::NoMarkerLine);

  std::vector<std::string> shortList = EntryLines();
  shortList.pop_back();
  PresetListError e = Failure("Korg-i40\n" + Join(shortList));
  EXPECT_EQ(std::tuple(e.problem, e.entry), std::tuple(PresetListProblem::EndedEarly, 590));

  std::vector<std::string> cut = EntryLines();
  cut.back() = "\"E589\"";  // name without its category
  EXPECT_EQ(Failure("Korg-i40\n" + Join(cut)).problem, PresetListProblem::EndedEarly);

  for (const char* bad : {"\"E0\",x,1", "\"E0\",,1", "\"E0\",1.5,1", "\"E0\",256,1", "\"E0\",-1,1",
                          "\"E0\",1,40000", "\"E0\",1,", "\"E0\",1,2x"}) {
    std::vector<std::string> lines = EntryLines();
    lines[0] = bad;
    e = Failure("title\nKorg-i40\n" + Join(lines));
    EXPECT_EQ(std::tuple(e.problem, e.line, e.entry),
              std::tuple(PresetListProblem::NotANumber, 3, 1))
        << bad;
  }
}

TEST(PresetList, UnusableListShowsTheEndingMessage) {
  EXPECT_EQ(PresetListErrorText(),
            "Error getting Preset names from file I40PRSTS.TXT\nEnding program!");
  test::TempDir dir;
  ScriptedPrompter prompter;
  EXPECT_FALSE(LoadPresetLists(dir / "I40PRSTS.TXT", prompter));
  EXPECT_EQ(test::ShownOf(prompter.messages()), std::vector{test::ErrorBox(PresetListErrorText())});

  test::WriteTextFile(dir / "I40PRSTS.TXT", Join(EntryLines()));  // no "Korg-i40" line
  EXPECT_FALSE(LoadPresetLists(dir / "I40PRSTS.TXT", prompter));
  EXPECT_EQ(prompter.messages().size(), 2u);

  test::WriteTextFile(dir / "I40PRSTS.TXT", ValidList());
  EXPECT_EQ(LoadPresetLists(dir / "I40PRSTS.TXT", prompter), Parsed(ValidList()));
  EXPECT_EQ(prompter.messages().size(), 2u);
}

const std::filesystem::path kDataDir = I40_SOURCE_DATA_DIR;

TEST(ShippedPresetList, ReadsAndNamesEachPositionWithTheStyleAtTheSamePosition) {
  auto result = ReadPresetList(kDataDir / kPresetListFileName);
  ASSERT_TRUE(std::holds_alternative<PresetTables>(result))
      << std::get<PresetListError>(result).Describe();
  const PresetTables& presets = std::get<PresetTables>(result);
  const FileSet noSet;
  const ItemSources from{presets, noSet};
  EXPECT_EQ(ItemName(from, Kind::Arrangement, ItemNumber{0}), "Arr A11         ");
  EXPECT_EQ(ItemName(from, Kind::Arrangement, ItemNumber{127}), "Arr B88         ");
  EXPECT_EQ(ItemName(from, Kind::Style, ItemNumber{127}), "Style B88       ");
  EXPECT_EQ(ItemName(from, Kind::Program, ItemNumber{0}), "Prog A11        ");
  EXPECT_EQ(ItemName(from, Kind::Program, ItemNumber{256}), "Prog C11        ");
  EXPECT_EQ(ItemName(from, Kind::Program, ItemNumber{575}), "Prog E88        ");
  EXPECT_EQ(ItemName(from, Kind::Program, ItemNumber{1024}), "Kit R11         ");
  EXPECT_EQ(ItemName(from, Kind::Program, ItemNumber{1037}), "Kit R26         ");
  for (int n = 0; n < 128; ++n) {
    EXPECT_EQ(PresetArrangementStyle(presets, ItemNumber{n}), ItemNumber{n});
    EXPECT_NE(ItemCategory(from, Kind::Arrangement, ItemNumber{n}), 255);
    EXPECT_NE(ItemCategory(from, Kind::Program, ItemNumber{n}), 255);
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
