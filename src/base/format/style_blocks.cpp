#include "format/style_blocks.h"

#include <cmath>

namespace i40 {
namespace {

bool IsSlot(ItemIndex slot) {
  return Value(slot) >= 0 && Value(slot) < kUserStyleCount;
}

}  // namespace

int NeededEventsOfLength(std::int32_t length) {
  if (length < kEmptyStyleLength) return 0;
  return static_cast<int>(std::nearbyint(static_cast<double>(length - kEmptyStyleLength) / 4.0));
}

int StyleEvents(const StyleData& styles, ItemIndex slot) {
  if (!IsSlot(slot)) return -1;
  return EventsOfLength(styles.slots[static_cast<std::size_t>(Value(slot))].length);
}

int FreeEventsOfBlock(const StyleData& styles, int block) {
  int used = 0;
  for (int s = block * kStylesPerBlock; s < (block + 1) * kStylesPerBlock; ++s) {
    used += StyleEvents(styles, ItemIndex{s});
  }
  return kBlockCapacity - used;
}

int BlockFree(const StyleData& styles, ItemIndex slot) {
  return IsSlot(slot) ? FreeEventsOfBlock(styles, BlockOfSlot(slot)) : -1;
}

std::string FreeEventsText(const StyleData& styles, int block) {
  return std::to_string(FreeEventsOfBlock(styles, block));
}

}  // namespace i40
