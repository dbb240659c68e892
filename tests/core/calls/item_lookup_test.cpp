#include "calls/item_lookup.h"

#include <gtest/gtest.h>

namespace i40 {
namespace {

class ItemLookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    presets_.arrangements[127] = {"Preset Arr B88  ", 20, 300};
    set_.arrangements.records[63].SetCategory(16);
    set_.styles.slots[15].record.SetCategory(254);
    set_.programs.records[3].SetName("Twin");
    set_.programs.records[64].SetName("Twin");
  }

  ItemSources From() const { return {presets_, set_}; }

  PresetTables presets_;
  FileSet set_;
};

// A category past the last reads as 255, a preset's or a user item's; numbers in no bank
// give nothing.
TEST_F(ItemLookupTest, CategoriesPastTheLastAndNumbersInNoBankGiveNothing) {
  EXPECT_EQ(ArrangementCategory(From(), 127), 255);  // 20 is no category
  EXPECT_EQ(ArrangementCategory(From(), 319), 255);  // stored 16
  EXPECT_EQ(StyleCategory(From(), 271), 255);        // stored 254
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

// Outside its bank a user index has a name of blanks and is not an empty slot; inside, a
// slot is empty by its name only.
TEST_F(ItemLookupTest, UserNamesOutsideTheBanksAndEmptySlots) {
  for (const int outside : {-1, 64})
    EXPECT_EQ(ArrangementUserName(set_, outside), std::string(16, ' ')) << outside;
  EXPECT_EQ(StyleUserName(set_, 16), std::string(16, ' '));
  EXPECT_FALSE(IsArrangementSlotEmpty(set_, -1));
  EXPECT_FALSE(IsProgramSlotEmpty(set_, 66));
  set_.programs.records[10].SetName(std::string(16, '\0'));  // a NUL-filled name
  EXPECT_FALSE(IsProgramSlotEmpty(set_, 10));
}

TEST_F(ItemLookupTest, FindByExactSixteenCharacterName) {
  EXPECT_EQ(FindProgramByName(set_, "Twin            "), 771);  // the Program before the Kit
  set_.programs.records[3].SetName("Other");
  EXPECT_EQ(FindProgramByName(set_, "Twin            "), 1038);
  EXPECT_EQ(FindProgramByName(set_, "Twin"), -1);  // trailing spaces count
  EXPECT_EQ(FindProgramByName(set_, "twin            "), -1);
}

}  // namespace
}  // namespace i40
