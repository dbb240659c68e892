#pragma once

#include "format/ids.h"
#include "format/item_numbers.h"
#include "format/kinds.h"

namespace i40::test {

// What an item dialog is opened on, as the tests name it: an Arrangement, Style or
// Program by its number (presets included), a Backing Sequence by its position.
inline ItemRef ItemAt(Kind kind, int position) {
  if (kind == Kind::BackingSequence) return {kNoNumber, ItemIndex{position}};
  return {ItemNumber{position}, ItemUserIndex(kind, ItemNumber{position})};
}

}  // namespace i40::test
