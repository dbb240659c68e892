#pragma once

#include <array>
#include <cstdint>

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

// A kind's clipboard: an item and where it came from.
struct ItemBuffer {
  static constexpr SetSlot kNotFromASet{65535};  // read from a one-item file

  // No Set until something was copied, and again once that Set has closed.
  SetSlot sourceSet = kNoSet;
  ItemIndex sourceIndex{-1};
  ItemImage image;

  bool Filled() const { return sourceSet != kNoSet; }
  bool FromASet() const { return sourceSet != kNoSet && sourceSet != kNotFromASet; }
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
