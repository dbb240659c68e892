#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "format/file_set.h"
#include "format/ids.h"
#include "format/kinds.h"

namespace i40 {

// What the program knows about the Set held in a slot.
struct SetEntry {
  std::string Name;                // the Set name, as the file system spells it
  std::filesystem::path Dir;       // folder of the Set
  std::array<bool, 8> Modified{};  // per kind: changed since last read or written (4 unused)
  bool Free = true;
  bool UndoEnabled = false;  // the Set window's Undo entry: "&Undo", or "Can't Undo"

  bool AnyModified() const;
};

// The table of open Sets. Slots are numbered from 1; the number of a slot names its Set
// everywhere. The table starts with one free slot and grows by one slot at a time,
// never shrinking; a closed Set's data stays in its slot until the slot is reused.
class OpenSets {
 public:
  OpenSets();

  int SlotCount() const { return static_cast<int>(entries_.size()); }
  bool IsSlot(SetSlot slot) const { return Value(slot) >= 1 && Value(slot) <= SlotCount(); }
  bool InUse(SetSlot slot) const { return IsSlot(slot) && !Entry(slot).Free; }
  // Every slot, free or not, from the first.
  std::vector<SetSlot> Slots() const;

  SetEntry& Entry(SetSlot slot);
  const SetEntry& Entry(SetSlot slot) const;
  FileSet& Files(SetSlot slot);
  const FileSet& Files(SetSlot slot) const;

  // Takes the lowest-numbered free slot, growing every per-slot table by one when none
  // is free, and returns it.
  SetSlot FindFreeSlot();

  // Marks a slot free; its data stays until the slot is taken again.
  void Release(SetSlot slot);

  // Back to a single free slot with nothing modified (start-up).
  void Reset();

  bool AnySetOpen() const;

 private:
  std::size_t At(SetSlot slot) const;

  std::vector<SetEntry> entries_;
  std::vector<std::unique_ptr<FileSet>> fileSets_;
};

}  // namespace i40
