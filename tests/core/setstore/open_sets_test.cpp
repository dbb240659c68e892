#include "session/open_sets.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace i40 {
namespace {

TEST(OpenSets, TakesTheLowestFreeSlotBeforeGrowingByOne) {
  OpenSets sets;
  EXPECT_EQ(sets.FindFreeSlot(), 1);
  EXPECT_EQ(sets.FindFreeSlot(), 2);
  EXPECT_EQ(sets.FindFreeSlot(), 3);
  EXPECT_EQ(std::tuple(sets.SlotCount(), sets.AnySetOpen()), std::tuple(3, true));

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
  EXPECT_EQ(sets.Files(slot).arrangements.records[5].Name() + "|" + sets.Entry(slot).Name,
            "KEEP ME         |ONE");
}

TEST(OpenSets, ResetGoesBackToOneFreeSlot) {
  OpenSets sets;
  sets.FindFreeSlot();
  sets.FindFreeSlot();
  sets.Entry(2).Modified[0] = true;
  sets.Reset();
  EXPECT_EQ(std::tuple(sets.SlotCount(), sets.Entry(1).Free, sets.Entry(1).AnyModified()),
            std::tuple(1, true, false));
}

}  // namespace
}  // namespace i40
