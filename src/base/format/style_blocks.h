#pragma once

#include <cstdint>
#include <string>

#include "format/ids.h"
#include "format/style_record.h"

// The 16 user Styles sit in 4 Blocks of 4; the Styles of a Block share one store of
// 15200 events. A Style's entry holds 1176 bytes of fixed data (its record included)
// and 4 bytes per event.
namespace i40 {

inline constexpr int kStylesPerBlock = 4;
inline constexpr int kStyleBlockCount = 4;
inline constexpr int kBlockCapacity = 15200;
inline constexpr int kBytesPerEvent = 4;

constexpr int BlockOfSlot(ItemIndex slot) {
  return Value(slot) / kStylesPerBlock;
}

// Events held by an entry of this length. An entry shorter than a Style without events
// (an absent slot has length 0) holds none: counting it negative would let its Block be
// filled past its capacity.
constexpr int EventsOfLength(std::int32_t length) {
  return length < kEmptyStyleLength ? 0 : (length - kEmptyStyleLength) / kBytesPerEvent;
}

// The events a Style of this length needs in a Block when it is pasted there, rounded to
// the nearest whole event (halves to even); none for an entry shorter than a Style
// without events.
int NeededEventsOfLength(std::int32_t length);

// Events used by a slot; -1 for no slot.
int StyleEvents(const StyleData& styles, ItemIndex slot);

// Free events of the Block that holds the slot; -1 for no slot.
int BlockFree(const StyleData& styles, ItemIndex slot);

// Free events of a Block (0-3), as the free-events grid shows them.
int FreeEventsOfBlock(const StyleData& styles, int block);
std::string FreeEventsText(const StyleData& styles, int block);

}  // namespace i40
