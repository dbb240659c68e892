#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

#include "format/item_image.h"
#include "format/kinds.h"
#include "session/journal.h"

namespace i40 {

// What the last undoable operation of a kind was. The numbers are the instrument
// editor's own undo codes.
enum class UndoOp : std::int32_t {
  None = 0,
  Cut = 1,
  Paste = 3,       // also a paste from a one-item file
  MoveByDrag = 4,  // a drag inside a Set
  CopyByDrag = 5,  // a drag into another Set
  Delete = 6,
  Insert = 7,
  Details = 8,  // ours: the OK of an item dialog
};

// One item of a clipboard and the position it was copied from.
struct ClipItem {
  ItemIndex sourceIndex{-1};
  ItemImage image;
};

// A kind's clipboard: an item and where it came from, or several items of one Set.
struct ItemBuffer {
  static constexpr SetSlot kNotFromASet{65535};  // read from a one-item file

  // No Set until something was copied, and again once that Set has closed.
  SetSlot sourceSet = kNoSet;
  ItemIndex sourceIndex{-1};
  ItemImage image;
  // The items after the first when several were copied at once, in position order.
  std::vector<ClipItem> more;

  bool Filled() const { return sourceSet != kNoSet; }
  bool FromASet() const { return sourceSet != kNoSet && sourceSet != kNotFromASet; }
  std::size_t Count() const { return Filled() ? 1 + more.size() : 0; }
  ClipItem Item(std::size_t i) const {
    return i == 0 ? ClipItem{sourceIndex, image} : more.at(i - 1);
  }
  // The clipboard holding only its item `i`, as a copy of that item alone would leave it.
  ItemBuffer Only(std::size_t i) const {
    ClipItem item = Item(i);
    return {sourceSet, item.sourceIndex, std::move(item.image), {}};
  }
  // Holds `items` of `set`; at least one.
  void Hold(SetSlot set, std::vector<ClipItem> items) {
    sourceSet = set;
    sourceIndex = items.front().sourceIndex;
    image = std::move(items.front().image);
    more.assign(std::make_move_iterator(items.begin() + 1), std::make_move_iterator(items.end()));
  }
};

// The one level of undo of a kind: which operation, and what it changed in which Set.
struct UndoState {
  UndoOp op = UndoOp::None;
  Journal journal;
};

// The clipboard and the undo state of each editable kind, shared by all open Sets.
class EditRecords {
 public:
  ItemBuffer& Clipboard(Kind kind) { return clipboards_.at(At(kind)); }
  const ItemBuffer& Clipboard(Kind kind) const { return clipboards_.at(At(kind)); }
  UndoState& Undo(Kind kind) { return undo_.at(At(kind)); }
  const UndoState& Undo(Kind kind) const { return undo_.at(At(kind)); }

  // A Set's window has closed: nothing may lead back into its slot.
  void ForgetSet(SetSlot slot) {
    for (ItemBuffer& clip : clipboards_) {
      if (clip.sourceSet == slot) clip.sourceSet = kNoSet;
    }
    for (UndoState& state : undo_) {
      if (state.journal.slot == slot) state = {};
    }
  }

 private:
  static std::size_t At(Kind kind) { return static_cast<std::size_t>(KindIndex(kind)); }

  // Indexed by kind 0-5 (Songs hold nothing and stay unused).
  std::array<ItemBuffer, 6> clipboards_;
  std::array<UndoState, 6> undo_;
};

}  // namespace i40
