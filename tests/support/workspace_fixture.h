#pragma once

#include <string>

#include "format/component_io.h"
#include "session/workspace.h"

namespace i40::test {

// Puts a Set into the next free slot of a workspace, as if it had been opened.
inline SetSlot AddSet(Workspace& ws, const FileSet& set, const std::string& name) {
  const SetSlot slot = ws.sets.FindFreeSlot();
  ws.sets.Files(slot) = set;
  ws.sets.Entry(slot).Name = name;
  ws.sets.Entry(slot).Modified = {};
  ws.sets.Entry(slot).UndoEnabled = false;
  return slot;
}

// The seven file images of a Set, or of a slot's Set, to compare a Set byte for byte.
inline std::vector<std::vector<std::uint8_t>> Images(const FileSet& set) {
  std::vector<std::vector<std::uint8_t>> images;
  for (Kind kind : kStoredKinds)
    images.push_back(WriteComponentBytes(kind, set));
  return images;
}
inline std::vector<std::vector<std::uint8_t>> Images(const Workspace& ws, SetSlot slot) {
  return Images(ws.sets.Files(slot));
}

}  // namespace i40::test
