#include "calls/picker_model.h"
#include "support/numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace i40 {
namespace {

class PickerModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Every preset in category 12 unless a test says otherwise; user slots are blank
    // (category 15).
    [](auto&... tables) {
      ((std::for_each(tables.begin(), tables.end(), [](auto& e) { e.category = 12; })), ...);
    }(presets_.arrangements, presets_.styles, presets_.programsAB, presets_.programsCD,
      presets_.programsE, presets_.drumKits);
    presets_.arrangements[0] = {"Preset Arr A11  ", 3, 17};
    presets_.arrangements[70] = {"Preset Arr B17  ", 3, 0};
    presets_.arrangements[5] = {"Preset Arr A16  ", 4, 0};
    presets_.styles[64] = {"Preset Sty B11  ", 7, 0};
    presets_.programsAB[1] = {"Piano A12       ", 14, 0};
    presets_.drumKits[0] = {"Kit R11         ", 14, 0};
    presets_.drumKits[13] = {"Kit R26         ", 14, 0};
    const auto user = [](auto& record, const char* name, int category) {
      record.SetName(name);
      record.SetCategory(static_cast<std::uint8_t>(category));
    };
    user(set_.arrangements.records[0], "User Arr", 3);
    user(set_.arrangements.records[44], "Forty Five", 3);
    user(set_.styles.slots[15].record, "Last Style", 7);
    user(set_.programs.records[2], "User Perc", 14);
    user(set_.programs.records[65], "Kit Two", 14);
  }

  ItemSources From() const { return {presets_, set_}; }

  // Bank, category, row and the number chosen.
  static std::tuple<int, int, int, int> State(const PickerModel& model) {
    return {Value(model.bank()), model.category(), model.row(), Value(model.Chosen())};
  }

  static std::vector<int> Numbers(const std::vector<PickerLine>& lines) {
    std::vector<int> numbers;
    for (const auto& line : lines)
      numbers.push_back(Value(line.number));
    return numbers;
  }

  PresetTables presets_;
  FileSet set_;
};

TEST_F(PickerModelTest, CaptionsLabelsBanksAndCategories) {
  EXPECT_EQ(PickerCaption(Kind::Arrangement, " for Backing Sequence 3"),
            "Select an Arrangement for Backing Sequence 3");
  EXPECT_EQ(PickerCaption(Kind::Arrangement, ""), "Select an Arrangement");
  EXPECT_EQ(PickerCaption(Kind::Style, "ignored"), "Select a Style");
  EXPECT_EQ(PickerCaption(Kind::Program, "for track 'DRUMS  '"),
            "Select a Program for track 'DRUMS  '");
  EXPECT_EQ(PickerFieldLabels(Kind::Arrangement),
            (std::array<std::string, 3>{"Bank", "Category", "Name"}));
  EXPECT_EQ(
      PickerFieldLabels(Kind::Style),
      (std::array<std::string, 3>{"Style Bank", "Style Category", "Style Reference and Name"}));
  EXPECT_EQ(PickerFieldLabels(Kind::Program),
            (std::array<std::string, 3>{"Program Bank", "Program Category",
                                        "Program Reference and Name"}));
  EXPECT_EQ(PickerBankNames(Kind::Style), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(PickerBankNames(Kind::Program),
            (std::vector<std::string>{"A", "B", "C", "D", "E", "F", "R"}));
  const auto arr = PickerCategoryNames(Kind::Arrangement);
  EXPECT_EQ(PickerCategoryNames(Kind::Style), arr);
  EXPECT_EQ(arr.front() + "|" + arr.back(), "8 Beat|User 4");
  const auto prg = PickerCategoryNames(Kind::Program);
  EXPECT_EQ(prg.at(14) + "|" + prg.at(15), "Drum/Perc.|User");
}

TEST_F(PickerModelTest, BankLinesAreLabelSpaceNameWithTheirNumbers) {
  const auto a = PickerBankLines(From(), Kind::Arrangement, BankNo{0});
  ASSERT_EQ(a.size(), 64u);
  EXPECT_EQ(a[0], (PickerLine{"A11 Preset Arr A11  ", ItemNumber{0}}));
  const auto c = PickerBankLines(From(), Kind::Arrangement, BankNo{2});
  EXPECT_EQ(c.at(44), (PickerLine{"C65 Forty Five      ", ItemNumber{300}}));
  EXPECT_EQ(c.at(1),
            (PickerLine{"C12 " + std::string(16, ' '), ItemNumber{257}}));  // blank name listed
  EXPECT_EQ(PickerBankLines(From(), Kind::Style, BankNo{2}).back(),
            (PickerLine{"C28 Last Style      ", ItemNumber{271}}));
  const auto kits = PickerBankLines(From(), Kind::Program, BankNo{6});
  ASSERT_EQ(kits.size(), 16u);
  EXPECT_EQ(kits[0], (PickerLine{"R11 Kit R11         ", ItemNumber{1024}}));
  EXPECT_EQ(kits[15], (PickerLine{"R28 Kit Two         ", ItemNumber{1039}}));
  EXPECT_EQ(PickerBankLines(From(), Kind::Program, BankNo{5}).front().number, ItemNumber{768});
  EXPECT_TRUE(PickerBankLines(From(), Kind::Arrangement, BankNo{3}).empty());
  EXPECT_TRUE(PickerBankLines(From(), Kind::Program, BankNo{-1}).empty());
}

TEST_F(PickerModelTest, CategoryLinesSpanAllBanksPresetsFirst) {
  EXPECT_EQ(Numbers(PickerCategoryLines(From(), Kind::Arrangement, 3)),
            (std::vector<int>{0, 70, 256, 300}));
  EXPECT_EQ(Numbers(PickerCategoryLines(From(), Kind::Style, 7)), (std::vector<int>{64, 271}));
  // The preset Drum Kits come before the user Program F13, although their numbers are
  // higher; the user Drum Kit comes last.
  EXPECT_EQ(Numbers(PickerCategoryLines(From(), Kind::Program, 14)),
            (std::vector<int>{1, 1024, 1037, 770, 1039}));
  // Empty user slots keep category 15 and are listed under it.
  EXPECT_EQ(PickerCategoryLines(From(), Kind::Arrangement, 15).size(), 62u);
  EXPECT_TRUE(PickerCategoryLines(From(), Kind::Program, 255).empty());
}

// The picker opens on the start number's bank and line; a number in no bank opens on the
// first line of bank A.
TEST_F(PickerModelTest, ModelOpensOnTheStartNumber) {
  EXPECT_EQ(State({Kind::Arrangement, From(), ItemNumber{300}}), std::tuple(2, -1, 44, 300));
  EXPECT_EQ(State({Kind::Program, From(), ItemNumber{1039}}), std::tuple(6, -1, 15, 1039));
  EXPECT_EQ(State({Kind::Style, From(), ItemNumber{-1}}), std::tuple(0, -1, 0, 0));
}

TEST_F(PickerModelTest, BankAndCategoryClearEachOther) {
  PickerModel model(Kind::Arrangement, From(), ItemNumber{300});
  model.ChooseCategory(3);  // 300 is in that category: it stays selected
  EXPECT_EQ(State(model), std::tuple(-1, 3, 3, 300));
  EXPECT_EQ(model.lines(), PickerCategoryLines(From(), Kind::Arrangement, 3));
  model.ChooseCategory(4);
  EXPECT_EQ(model.Chosen(), 5);  // 300 is not listed: the first line
  model.ChooseBank(BankNo{1});
  EXPECT_EQ(std::tuple(model.category(), model.Chosen()), std::tuple(-1, ItemNumber{64}));
  EXPECT_EQ(model.lines(), PickerBankLines(From(), Kind::Arrangement, BankNo{1}));
  model.ChooseRow(6);
  model.ChooseRow(64);  // out of range: nothing changes
  model.ChooseRow(-1);
  EXPECT_EQ(model.Chosen(), 70);
  model.ChooseCategory(3);
  EXPECT_EQ(model.Chosen(), 70);
  model.ChooseBank(BankNo{0});
  EXPECT_EQ(model.Chosen(), 0);
}

TEST_F(PickerModelTest, AnEmptyCategoryChoosesNothing) {
  PickerModel model(Kind::Program, From(), ItemNumber{770});
  EXPECT_EQ(model.bank(), BankNo{5});
  model.ChooseCategory(9);
  EXPECT_TRUE(model.lines().empty());
  EXPECT_EQ(std::tuple(model.row(), model.Chosen()), std::tuple(-1, -1));
  model.ChooseRow(0);
  EXPECT_EQ(model.Chosen(), -1);
  model.ChooseCategory(14);
  EXPECT_EQ(std::tuple(model.row(), model.Chosen()), std::tuple(0, 1));
}

}  // namespace
}  // namespace i40
