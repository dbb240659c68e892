#include "calls/item_lookup.h"

#include <gtest/gtest.h>

namespace i40 {
namespace {

class ItemLookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    presets_.arrangements[0] = {"Preset Arr A11  ", 3, 17};
    presets_.arrangements[127] = {"Preset Arr B88  ", 20, 300};
    presets_.styles[64] = {"Preset Sty B11  ", 15, 0};
    presets_.programsAB[127] = {"Piano B88       ", 0, 0};
    presets_.programsCD[0] = {"Prog C11        ", 4, 0};
    presets_.programsCD[64].category = 5;
    presets_.programsE[63] = {"Prog E88        ", 6, 0};
    presets_.drumKits[13] = {"Kit R26         ", 14, 0};

    set_.arrangements.records[0].SetName("User Arr");
    set_.arrangements.records[0].SetCategory(2);
    set_.arrangements.records[63].SetName("Last Arr");
    set_.arrangements.records[63].SetCategory(16);
    set_.styles.slots[15].record.SetName("Last Style");
    set_.styles.slots[15].record.SetCategory(254);
    set_.programs.records[3].SetName("Twin");
    set_.programs.records[3].SetCategory(20);
    set_.programs.records[64].SetName("Twin");
    set_.programs.records[65].SetName("Kit Two");
    set_.programs.records[65].SetCategory(14);
  }

  ItemSources From() const { return {presets_, set_}; }

  PresetTables presets_;
  FileSet set_;
};

TEST_F(ItemLookupTest, UserNumbersReadTheSetsRecords) {
  EXPECT_EQ(ArrangementName(From(), 256), "User Arr        ");
  EXPECT_EQ(ArrangementCategory(From(), 256), 2);
  EXPECT_EQ(ArrangementCategory(From(), 319), 255);  // stored 16
  EXPECT_EQ(StyleName(From(), 271), "Last Style      ");
  EXPECT_EQ(StyleCategory(From(), 271), 255);  // stored 254
  EXPECT_EQ(ProgramName(From(), 771), "Twin            ");
  EXPECT_EQ(ProgramName(From(), 1039), "Kit Two         ");
  EXPECT_EQ(ProgramCategory(From(), 1039), 14);
  // An empty slot is whatever sits there now: 16 spaces, its category kept.
  EXPECT_EQ(ArrangementName(From(), 257), std::string(16, ' '));
  EXPECT_EQ(ArrangementCategory(From(), 257), 15);
}

// A preset's category past the last reads as 255; numbers in no bank give nothing.
TEST_F(ItemLookupTest, NumbersInNoBankGiveNothing) {
  EXPECT_EQ(ArrangementCategory(From(), 127), 255);  // 20 is no category
  EXPECT_EQ(PresetArrangementStyle(presets_, 256), -1);
  for (int none : {128, 255, 320, -1}) {
    EXPECT_EQ(ArrangementName(From(), none), "") << none;
    EXPECT_EQ(ArrangementCategory(From(), none), 255) << none;
  }
  EXPECT_EQ(StyleName(From(), 272), "");
  EXPECT_EQ(StyleCategory(From(), 272), 255);
  EXPECT_EQ(ProgramName(From(), 832), "");
  EXPECT_EQ(ProgramCategory(From(), 1040), 255);
}

TEST_F(ItemLookupTest, UserNamesAndEmptySlots) {
  EXPECT_EQ(ProgramUserName(set_, 65), "Kit Two         ");
  for (const int outside : {-1, 64})
    EXPECT_EQ(ArrangementUserName(set_, outside), std::string(16, ' ')) << outside;
  EXPECT_EQ(StyleUserName(set_, 16), std::string(16, ' '));
  EXPECT_FALSE(IsArrangementSlotEmpty(set_, 0));
  EXPECT_TRUE(IsArrangementSlotEmpty(set_, 1));
  EXPECT_FALSE(IsArrangementSlotEmpty(set_, -1));  // outside the bank: not empty
  EXPECT_FALSE(IsStyleSlotEmpty(set_, 15));
  EXPECT_TRUE(IsStyleSlotEmpty(set_, 0));
  EXPECT_FALSE(IsProgramSlotEmpty(set_, 66));
  // A slot only reads as empty by its name; a NUL-filled name is not empty.
  set_.programs.records[10].SetName(std::string(16, '\0'));
  EXPECT_FALSE(IsProgramSlotEmpty(set_, 10));
}

TEST_F(ItemLookupTest, FindByExactSixteenCharacterName) {
  EXPECT_EQ(FindProgramByName(set_, "Twin            "), 771);  // the Program before the Kit
  set_.programs.records[3].SetName("Other");
  EXPECT_EQ(FindProgramByName(set_, "Twin            "), 1038);
  EXPECT_EQ(FindProgramByName(set_, "Twin"), -1);  // trailing spaces count
  EXPECT_EQ(FindProgramByName(set_, "twin            "), -1);
  EXPECT_EQ(FindArrangementByName(set_, "Last Arr        "), 319);
  EXPECT_EQ(FindStyleByName(set_, "Last Style      "), 271);
}

}  // namespace
}  // namespace i40
