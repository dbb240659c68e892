#include "calls/picker_model.h"

#include <gtest/gtest.h>

namespace i40 {
namespace {

class PickerModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Every preset in category 12 unless a test says otherwise; user slots are blank
    // (category 15).
    for (auto* table :
         {&presets_.arrangements, &presets_.styles, &presets_.programsAB, &presets_.programsCD}) {
      for (auto& entry : *table)
        entry.category = 12;
    }
    for (auto& entry : presets_.programsE)
      entry.category = 12;
    for (auto& entry : presets_.drumKits)
      entry.category = 12;

    presets_.arrangements[0] = {"Preset Arr A11  ", 3, 17};
    presets_.arrangements[70] = {"Preset Arr B17  ", 3, 0};
    presets_.arrangements[5] = {"Preset Arr A16  ", 4, 0};
    set_.arrangements.records[0].SetName("User Arr");
    set_.arrangements.records[0].SetCategory(3);
    set_.arrangements.records[44].SetName("Forty Five");
    set_.arrangements.records[44].SetCategory(3);

    presets_.styles[64] = {"Preset Sty B11  ", 7, 0};
    set_.styles.slots[15].record.SetName("Last Style");
    set_.styles.slots[15].record.SetCategory(7);

    presets_.programsAB[1] = {"Piano A12       ", 14, 0};
    presets_.drumKits[0] = {"Kit R11         ", 14, 0};
    presets_.drumKits[13] = {"Kit R26         ", 14, 0};
    set_.programs.records[2].SetName("User Perc");
    set_.programs.records[2].SetCategory(14);
    set_.programs.records[65].SetName("Kit Two");
    set_.programs.records[65].SetCategory(14);
  }

  ItemSources From() const { return {presets_, set_}; }

  static std::vector<int> Numbers(const std::vector<PickerLine>& lines) {
    std::vector<int> numbers;
    for (const auto& line : lines)
      numbers.push_back(line.number);
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

  EXPECT_EQ(PickerBankNames(Kind::Arrangement), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(PickerBankNames(Kind::Style), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(PickerBankNames(Kind::Program),
            (std::vector<std::string>{"A", "B", "C", "D", "E", "F", "R"}));

  const auto arr = PickerCategoryNames(Kind::Arrangement);
  ASSERT_EQ(arr.size(), 16u);
  EXPECT_EQ(arr[0], "8 Beat");
  EXPECT_EQ(arr[15], "User 4");
  EXPECT_EQ(PickerCategoryNames(Kind::Style), arr);
  const auto prg = PickerCategoryNames(Kind::Program);
  ASSERT_EQ(prg.size(), 16u);
  EXPECT_EQ(prg[14], "Drum/Perc.");
  EXPECT_EQ(prg[15], "User");
}

TEST_F(PickerModelTest, BankLinesAreLabelSpaceNameWithTheirNumbers) {
  const auto a = PickerBankLines(From(), Kind::Arrangement, 0);
  ASSERT_EQ(a.size(), 64u);
  EXPECT_EQ(a[0], (PickerLine{"A11 Preset Arr A11  ", 0}));
  EXPECT_EQ(a[63].number, 63);
  EXPECT_EQ(a[63].text.substr(0, 4), "A88 ");

  const auto c = PickerBankLines(From(), Kind::Arrangement, 2);
  ASSERT_EQ(c.size(), 64u);
  EXPECT_EQ(c[0], (PickerLine{"C11 User Arr        ", 256}));
  EXPECT_EQ(c[44], (PickerLine{"C65 Forty Five      ", 300}));
  // An empty user slot is listed with its blank name.
  EXPECT_EQ(c[1], (PickerLine{"C12 " + std::string(16, ' '), 257}));

  const auto styleC = PickerBankLines(From(), Kind::Style, 2);
  ASSERT_EQ(styleC.size(), 16u);
  EXPECT_EQ(styleC[15], (PickerLine{"C28 Last Style      ", 271}));

  const auto kits = PickerBankLines(From(), Kind::Program, 6);
  ASSERT_EQ(kits.size(), 16u);
  EXPECT_EQ(kits[0], (PickerLine{"R11 Kit R11         ", 1024}));
  EXPECT_EQ(kits[15], (PickerLine{"R28 Kit Two         ", 1039}));
  EXPECT_EQ(PickerBankLines(From(), Kind::Program, 4).front().number, 512);
  EXPECT_EQ(PickerBankLines(From(), Kind::Program, 5).front().number, 768);

  EXPECT_TRUE(PickerBankLines(From(), Kind::Arrangement, 3).empty());
  EXPECT_TRUE(PickerBankLines(From(), Kind::Program, -1).empty());
}

TEST_F(PickerModelTest, CategoryLinesSpanAllBanksPresetsFirst) {
  EXPECT_EQ(Numbers(PickerCategoryLines(From(), Kind::Arrangement, 3)),
            (std::vector<int>{0, 70, 256, 300}));
  EXPECT_EQ(PickerCategoryLines(From(), Kind::Arrangement, 3)[1].text, "B17 Preset Arr B17  ");
  EXPECT_EQ(Numbers(PickerCategoryLines(From(), Kind::Arrangement, 4)), (std::vector<int>{5}));
  EXPECT_EQ(Numbers(PickerCategoryLines(From(), Kind::Style, 7)), (std::vector<int>{64, 271}));
  // The preset Drum Kits come before the user Program F13, although their numbers are
  // higher; the user Drum Kit comes last.
  EXPECT_EQ(Numbers(PickerCategoryLines(From(), Kind::Program, 14)),
            (std::vector<int>{1, 1024, 1037, 770, 1039}));
  // Empty user slots keep category 15 and are listed under it.
  EXPECT_EQ(PickerCategoryLines(From(), Kind::Arrangement, 15).size(), 62u);
  EXPECT_TRUE(PickerCategoryLines(From(), Kind::Program, 9).empty());
  EXPECT_TRUE(PickerCategoryLines(From(), Kind::Program, 255).empty());
}

TEST_F(PickerModelTest, StartPositionIsTheStartNumbersBankAndIndex) {
  EXPECT_EQ(PickerStart(Kind::Arrangement, 300), (BankIndex{2, 44}));
  EXPECT_EQ(PickerStart(Kind::Arrangement, 127), (BankIndex{1, 63}));
  EXPECT_EQ(PickerStart(Kind::Style, 271), (BankIndex{2, 15}));
  EXPECT_EQ(PickerStart(Kind::Program, 1038), (BankIndex{6, 14}));
  EXPECT_EQ(PickerStart(Kind::Program, 575), (BankIndex{4, 63}));
  // Numbers in no bank open on the first position of bank A.
  EXPECT_EQ(PickerStart(Kind::Arrangement, 200), (BankIndex{0, 0}));
  EXPECT_EQ(PickerStart(Kind::Style, 272), (BankIndex{0, 0}));
  EXPECT_EQ(PickerStart(Kind::Program, -1), (BankIndex{0, 0}));
}

TEST_F(PickerModelTest, ModelOpensOnTheStartNumber) {
  PickerModel model(Kind::Arrangement, From(), 300);
  EXPECT_EQ(model.kind(), Kind::Arrangement);
  EXPECT_EQ(model.bank(), 2);
  EXPECT_EQ(model.category(), -1);
  ASSERT_EQ(model.lines().size(), 64u);
  EXPECT_EQ(model.row(), 44);
  EXPECT_EQ(model.Chosen(), 300);

  PickerModel kit(Kind::Program, From(), 1039);
  EXPECT_EQ(kit.bank(), 6);
  EXPECT_EQ(kit.row(), 15);
  EXPECT_EQ(kit.Chosen(), 1039);

  PickerModel nowhere(Kind::Style, From(), -1);
  EXPECT_EQ(nowhere.bank(), 0);
  EXPECT_EQ(nowhere.row(), 0);
  EXPECT_EQ(nowhere.Chosen(), 0);
}

TEST_F(PickerModelTest, BankAndCategoryClearEachOther) {
  PickerModel model(Kind::Arrangement, From(), 300);

  model.ChooseCategory(3);
  EXPECT_EQ(model.bank(), -1);
  EXPECT_EQ(model.category(), 3);
  EXPECT_EQ(model.lines(), PickerCategoryLines(From(), Kind::Arrangement, 3));
  // 300 is in that category: it stays selected.
  EXPECT_EQ(model.Chosen(), 300);
  EXPECT_EQ(model.row(), 3);

  model.ChooseCategory(4);
  EXPECT_EQ(model.Chosen(), 5);  // 300 is not listed: the first line

  model.ChooseBank(1);
  EXPECT_EQ(model.bank(), 1);
  EXPECT_EQ(model.category(), -1);
  EXPECT_EQ(model.lines(), PickerBankLines(From(), Kind::Arrangement, 1));
  EXPECT_EQ(model.Chosen(), 64);

  model.ChooseRow(6);
  EXPECT_EQ(model.Chosen(), 70);
  model.ChooseRow(64);  // out of range: nothing changes
  model.ChooseRow(-1);
  EXPECT_EQ(model.Chosen(), 70);

  model.ChooseCategory(3);
  EXPECT_EQ(model.Chosen(), 70);
  model.ChooseBank(0);
  EXPECT_EQ(model.Chosen(), 0);
}

TEST_F(PickerModelTest, AnEmptyCategoryChoosesNothing) {
  PickerModel model(Kind::Program, From(), 770);
  EXPECT_EQ(model.bank(), 5);
  EXPECT_EQ(model.Chosen(), 770);
  model.ChooseCategory(9);
  EXPECT_TRUE(model.lines().empty());
  EXPECT_EQ(model.row(), -1);
  EXPECT_EQ(model.Chosen(), -1);
  model.ChooseRow(0);
  EXPECT_EQ(model.Chosen(), -1);
  model.ChooseCategory(14);
  EXPECT_EQ(model.row(), 0);
  EXPECT_EQ(model.Chosen(), 1);
}

}  // namespace
}  // namespace i40
