#include "styles/style_blocks.h"

namespace i40 {
namespace {

bool IsSlot(int slot) {
  return slot >= 0 && slot < kUserStyleCount;
}

}  // namespace

int StyleEvents(const StyleData& styles, int slot) {
  if (!IsSlot(slot)) return -1;
  return EventsOfLength(styles.slots[static_cast<std::size_t>(slot)].length);
}

int FreeEventsOfBlock(const StyleData& styles, int block) {
  int used = 0;
  for (int s = block * kStylesPerBlock; s < (block + 1) * kStylesPerBlock; ++s) {
    used += StyleEvents(styles, s);
  }
  return kBlockCapacity - used;
}

int BlockFree(const StyleData& styles, int slot) {
  return IsSlot(slot) ? FreeEventsOfBlock(styles, BlockOfSlot(slot)) : -1;
}

std::string FreeEventsText(const StyleData& styles, int block) {
  return std::to_string(FreeEventsOfBlock(styles, block));
}

}  // namespace i40
