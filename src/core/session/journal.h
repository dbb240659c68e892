#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "format/ids.h"
#include "format/item_image.h"
#include "format/kinds.h"

// What one edit changed in a Set, so that Undo can give back exactly what was there,
// whatever the user answered along the way.
namespace i40 {

// One piece of a Set as it was before an edit and as the edit left it: a whole item, or
// the two bytes of one call inside an item whose other bytes the edit did not touch.
// Index -1 of the Backing Sequence kind is the sequences' track starts.
struct Change {
  Kind kind = Kind::Arrangement;
  ItemIndex index{0};
  bool whole = true;
  std::size_t offset = 0;  // of the call's bytes in the item's record
  ItemImage before;
  ItemImage after;
};

inline constexpr ItemIndex kBsqLayoutIndex{-1};

struct Journal {
  SetSlot slot = kNoSet;  // the Set the edit was made in
  std::vector<Change> changes;
};

// The kinds whose component a journal or an edit changed, indexed by kind.
using ChangedKinds = std::array<bool, 8>;

// Compares two states of one Set item by item.
Journal DiffSets(SetSlot slot, const FileSet& before, const FileSet& after);

ChangedKinds KindsOf(const Journal& journal);

// Puts back what the journal recorded, wherever the Set still holds what the edit wrote
// there: bytes that a later edit changed stay as they are now. The kinds it restored.
ChangedKinds RevertJournal(const Journal& journal, FileSet& set);

// A snapshot of a Set taken before an edit: what the edit changed, or everything back as
// it was when the edit is abandoned.
class EditTransaction {
 public:
  EditTransaction(FileSet& set, SetSlot slot) : set_(set), slot_(slot), before_(set) {}

  Journal Changes() const { return DiffSets(slot_, before_, set_); }
  void Abandon() { set_ = before_; }

 private:
  FileSet& set_;
  SetSlot slot_;
  FileSet before_;
};

}  // namespace i40
