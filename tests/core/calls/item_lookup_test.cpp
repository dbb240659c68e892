#include "calls/item_lookup.h"
#include "support/numbers.h"

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
  EXPECT_EQ(ItemCategory(From(), Kind::Arrangement, ItemNumber{127}), 255);  // 20 is no category
  EXPECT_EQ(ItemCategory(From(), Kind::Arrangement, ItemNumber{319}), 255);  // stored 16
  EXPECT_EQ(ItemCategory(From(), Kind::Style, ItemNumber{271}), 255);        // stored 254
  EXPECT_EQ(PresetArrangementStyle(presets_, ItemNumber{256}), kNoNumber);
  for (int none : {128, 255, 320, -1}) {
    EXPECT_EQ(ItemName(From(), Kind::Arrangement, ItemNumber{none}), "") << none;
    EXPECT_EQ(ItemCategory(From(), Kind::Arrangement, ItemNumber{none}), 255) << none;
  }
  EXPECT_EQ(ItemName(From(), Kind::Style, ItemNumber{272}), "");
  EXPECT_EQ(ItemCategory(From(), Kind::Style, ItemNumber{272}), 255);
  EXPECT_EQ(ItemName(From(), Kind::Program, ItemNumber{832}), "");
  EXPECT_EQ(ItemCategory(From(), Kind::Program, ItemNumber{1040}), 255);
}

// Outside its bank a user index has a name of blanks and is not an empty slot; inside, a
// slot is empty by its name only.
TEST_F(ItemLookupTest, UserNamesOutsideTheBanksAndEmptySlots) {
  for (const int outside : {-1, 64})
    EXPECT_EQ(ItemUserName(set_, Kind::Arrangement, ItemIndex{outside}), std::string(16, ' '))
        << outside;
  EXPECT_EQ(ItemUserName(set_, Kind::Style, ItemIndex{16}), std::string(16, ' '));
  EXPECT_FALSE(IsItemSlotEmpty(set_, Kind::Arrangement, ItemIndex{-1}));
  EXPECT_FALSE(IsItemSlotEmpty(set_, Kind::Program, ItemIndex{66}));
  set_.programs.records[10].SetName(std::string(16, '\0'));  // a NUL-filled name
  EXPECT_FALSE(IsItemSlotEmpty(set_, Kind::Program, ItemIndex{10}));
}

TEST_F(ItemLookupTest, FindByExactSixteenCharacterName) {
  EXPECT_EQ(FindItemByName(set_, Kind::Program, "Twin            "),
            771);  // the Program before the Kit
  set_.programs.records[3].SetName("Other");
  EXPECT_EQ(FindItemByName(set_, Kind::Program, "Twin            "), 1038);
  EXPECT_EQ(FindItemByName(set_, Kind::Program, "Twin"), -1);  // trailing spaces count
  EXPECT_EQ(FindItemByName(set_, Kind::Program, "twin            "), -1);
}

}  // namespace
}  // namespace i40
