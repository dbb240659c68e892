#pragma once

#include "setstore/workspace.h"

namespace i40 {

// Undo kinds, as the operations record them in a kind's undo copy.
enum UndoType : std::int32_t {
  kUndoNone = 0,
  kUndoCut = 1,
  kUndoPaste = 3,
  kUndoMoveByDrag = 4,
  kUndoCopyByDrag = 5,
  kUndoDelete = 6,
  kUndoInsert = 7,
};

// The Undo entry of a Set window: "&Undo" when enabled, "Can't Undo" when not.
void SetUndoMenu(Workspace& ws, int slot, bool enabled);
std::string UndoMenuCaption(const SetEntry& entry);

void MarkModified(Workspace& ws, int slot, Kind kind);

// A record may only be restored into a Set that is still open.
bool IsOpenSet(const Workspace& ws, int slot);

// Edit > Undo of a Set window showing the tab of this kind: undoes the kind's last
// operation, then disables the window's Undo entry. Nothing is restored into a Set that
// has been closed since.
void UndoLastEdit(Workspace& ws, int slot, Kind tabKind);

}  // namespace i40
