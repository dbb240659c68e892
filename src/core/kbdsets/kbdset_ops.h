#pragma once

#include "setstore/workspace.h"
#include "ui/prompter.h"

// What the Set window does to a Set's 15 KBD Sets (index 0-14).
namespace i40 {

void CopyKbdSet(Workspace& ws, int slot, int index);
// Pastes the clipboard; from another Set the section calls are re-pointed by name.
// The undo copy records `operation` (paste, or copy by dragging).
bool PasteKbdSet(Workspace& ws, Prompter& prompter, int slot, int index,
                 std::int32_t operation = 3);
// Dragging KBD Set `from` before KBD Set `before` of the same Set.
bool MoveKbdSet(Workspace& ws, int slot, int from, int before);
// Dragging onto the KBD Set grid of another Set: a copy.
bool CopyKbdSetByDrag(Workspace& ws, Prompter& prompter, int fromSlot, int from, int toSlot,
                      int to);
// Every KBD Set becomes the template's first one. Cannot be undone.
void EraseKbdSetBank(Workspace& ws, int slot);
void UndoKbdSet(Workspace& ws);

}  // namespace i40
