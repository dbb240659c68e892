#pragma once

#include <cstdint>

#include "setstore/undo.h"
#include "setstore/workspace.h"
#include "ui/prompter.h"

// What the Set window does to a Set's ten Backing Sequences (index 0-9; anything else
// does nothing). A sequence travels whole: its parameters, its 17 track lengths and its
// events. Every change marks the Set's Backing Sequences modified and lays the tracks
// out again from the base; a change that would push a track start past what the file's
// 16-bit starts can hold is refused before anything is touched.
namespace i40 {

void CopySequence(Workspace& ws, int slot, int index);
// The sequence goes to the clipboard and an empty one takes its place.
bool CutSequence(Workspace& ws, int slot, int index);
// Pastes the clipboard; from another Set the calls are re-pointed by name first, and a
// cancelled check leaves the slot as it was. The undo copy records `operation` (paste,
// or copy by dragging).
bool PasteSequence(Workspace& ws, Prompter& prompter, int slot, int index,
                   std::int32_t operation = kUndoPaste);
// The following sequences close up; the last slot becomes empty.
bool DeleteSequence(Workspace& ws, Prompter& prompter, int slot, int index);
// The clipboard goes in at `index`, the following sequences open up, and the one pushed
// out of the last slot lands on the clipboard.
bool InsertSequence(Workspace& ws, Prompter& prompter, int slot, int index);
// All ten empty, laid out from the erased bank's base. Cannot be undone.
void EraseSequences(Workspace& ws, int slot);
// Dragging sequence `from` before entry `to` of the same list. Chaining (the next
// fields) follows the sequences to their new numbers.
bool MoveSequence(Workspace& ws, Prompter& prompter, int slot, int from, int to);
// Dropping a sequence on another Set's list: a copy and a paste.
bool CopySequenceByDrag(Workspace& ws, Prompter& prompter, int fromSlot, int from, int toSlot,
                        int to);

// The sequence in the clipboard has been pasted into `index` of destSlot: re-point its
// Arrangement, Style and eleven track Program calls by name. False when the user
// cancelled (the slot is then untouched by the check).
bool CheckSequenceCalls(Workspace& ws, Prompter& prompter, int sourceSlot, int destSlot, int index);

// Undoes the last Backing Sequence operation, whatever Set it was made in, if that Set
// is still open.
void UndoSequence(Workspace& ws);

}  // namespace i40
