#include "session/open_sets.h"

#include <algorithm>
#include <stdexcept>

namespace i40 {

bool SetEntry::AnyModified() const {
  return std::any_of(Modified.begin(), Modified.end(), [](bool m) { return m; });
}

OpenSets::OpenSets() {
  Reset();
}

std::size_t OpenSets::At(SetSlot slot) const {
  if (!IsSlot(slot)) throw std::out_of_range("no such Set slot: " + std::to_string(Value(slot)));
  return static_cast<std::size_t>(Value(slot) - 1);
}

std::vector<SetSlot> OpenSets::Slots() const {
  std::vector<SetSlot> slots;
  for (int slot = 1; slot <= SlotCount(); ++slot)
    slots.push_back(SetSlot{slot});
  return slots;
}

SetEntry& OpenSets::Entry(SetSlot slot) {
  return entries_[At(slot)];
}
const SetEntry& OpenSets::Entry(SetSlot slot) const {
  return entries_[At(slot)];
}
FileSet& OpenSets::Files(SetSlot slot) {
  return *fileSets_[At(slot)];
}
const FileSet& OpenSets::Files(SetSlot slot) const {
  return *fileSets_[At(slot)];
}

SetSlot OpenSets::FindFreeSlot() {
  for (const SetSlot slot : Slots()) {
    if (Entry(slot).Free) {
      Entry(slot).Free = false;
      return slot;
    }
  }
  entries_.emplace_back();
  fileSets_.push_back(std::make_unique<FileSet>());
  entries_.back().Free = false;
  return SetSlot{SlotCount()};
}

void OpenSets::Release(SetSlot slot) {
  Entry(slot).Free = true;
}

void OpenSets::Reset() {
  entries_.assign(1, SetEntry{});
  fileSets_.clear();
  fileSets_.push_back(std::make_unique<FileSet>());
}

bool OpenSets::AnySetOpen() const {
  return std::any_of(entries_.begin(), entries_.end(), [](const SetEntry& e) { return !e.Free; });
}

}  // namespace i40
