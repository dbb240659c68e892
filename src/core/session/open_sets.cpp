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

std::size_t OpenSets::At(int slot) const {
  if (!IsSlot(slot)) throw std::out_of_range("no such Set slot: " + std::to_string(slot));
  return static_cast<std::size_t>(slot - 1);
}

SetEntry& OpenSets::Entry(int slot) {
  return entries_[At(slot)];
}
const SetEntry& OpenSets::Entry(int slot) const {
  return entries_[At(slot)];
}
FileSet& OpenSets::Files(int slot) {
  return *fileSets_[At(slot)];
}
const FileSet& OpenSets::Files(int slot) const {
  return *fileSets_[At(slot)];
}

int OpenSets::FindFreeSlot() {
  for (int slot = 1; slot <= SlotCount(); ++slot) {
    if (Entry(slot).Free) {
      Entry(slot).Free = false;
      return slot;
    }
  }
  entries_.emplace_back();
  fileSets_.push_back(std::make_unique<FileSet>());
  entries_.back().Free = false;
  return SlotCount();
}

void OpenSets::Release(int slot) {
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
