#include "session/open_sets.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace i40 {
namespace {

TEST(OpenSets, StartsWithOneFreeSlot) {
  OpenSets sets;
  EXPECT_EQ(sets.SlotCount(), 1);
  EXPECT_TRUE(sets.Entry(1).Free);
  EXPECT_FALSE(sets.AnySetOpen());
  EXPECT_FALSE(sets.Entry(1).AnyModified());
  EXPECT_FALSE(sets.IsSlot(0));
  EXPECT_THROW(sets.Entry(0), std::out_of_range);
  EXPECT_THROW(sets.Files(2), std::out_of_range);
}

TEST(OpenSets, TakesTheLowestFreeSlotBeforeGrowingByOne) {
  OpenSets sets;
  EXPECT_EQ(sets.FindFreeSlot(), 1);
  EXPECT_EQ(sets.FindFreeSlot(), 2);
  EXPECT_EQ(sets.FindFreeSlot(), 3);
  EXPECT_EQ(sets.SlotCount(), 3);
  EXPECT_TRUE(sets.AnySetOpen());

  sets.Release(2);
  sets.Release(1);
  EXPECT_EQ(sets.FindFreeSlot(), 1);
  EXPECT_EQ(sets.FindFreeSlot(), 2);
  EXPECT_EQ(sets.FindFreeSlot(), 4);
  EXPECT_EQ(sets.SlotCount(), 4);  // never shrinks
}

TEST(OpenSets, ReleasedSlotKeepsItsDataUntilReusedAndDataStaysPut) {
  OpenSets sets;
  const int slot = sets.FindFreeSlot();
  sets.Files(slot).arrangements.records[5].SetName("KEEP ME");
  sets.Entry(slot).Name = "ONE";
  const FileSet* address = &sets.Files(slot);
  sets.Release(slot);
  for (int i = 0; i < 10; ++i)
    sets.FindFreeSlot();  // grows the table
  EXPECT_EQ(&sets.Files(slot), address);
  EXPECT_EQ(sets.Files(slot).arrangements.records[5].Name(), "KEEP ME         ");
  EXPECT_EQ(sets.Entry(slot).Name, "ONE");
}

TEST(OpenSets, ResetGoesBackToOneFreeSlot) {
  OpenSets sets;
  sets.FindFreeSlot();
  sets.FindFreeSlot();
  sets.Entry(2).Modified[0] = true;
  sets.Reset();
  EXPECT_EQ(sets.SlotCount(), 1);
  EXPECT_TRUE(sets.Entry(1).Free);
  EXPECT_FALSE(sets.Entry(1).AnyModified());
}

TEST(FileSet, StartsWithEveryUserSlotEmptyAndCategoryFifteen) {
  const FileSet set;
  for (const auto& r : set.arrangements.records) {
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_EQ(r.Category(), 15);
  }
  for (std::size_t i = 0; i < set.styles.slots.size(); ++i) {
    EXPECT_TRUE(set.styles.slots[i].record.IsEmpty());
    EXPECT_EQ(set.styles.slots[i].index, i);
  }
  for (const auto& r : set.programs.records)
    EXPECT_TRUE(r.IsEmpty());
  EXPECT_EQ(set.styles.blockCount, 4);
}

}  // namespace
}  // namespace i40
