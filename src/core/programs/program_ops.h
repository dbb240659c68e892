#pragma once

#include "calls/redirect_question.h"
#include "setstore/workspace.h"
#include "ui/prompter.h"

// What the Set window does to a Set's user Programs (user index 0-63) and user Drum Kits
// (64-65); -1 is a preset cell and does nothing. Delete and Insert shift the Programs
// and renumber every call to them, step by step.
namespace i40 {

ReferenceAnswer ConfirmProgramOverwrite(Workspace& ws, Prompter& prompter, int slot, int userIndex);

void CopyProgram(Workspace& ws, int slot, int userIndex);
bool CutProgram(Workspace& ws, Prompter& prompter, int slot, int userIndex, bool quiet = false);
bool PasteProgram(Workspace& ws, Prompter& prompter, int slot, int userIndex, bool move = false);
bool DeleteProgram(Workspace& ws, Prompter& prompter, int slot, int userIndex);
bool InsertProgram(Workspace& ws, Prompter& prompter, int slot, int userIndex);
// Bank F erases the 64 Programs, bank R the two Drum Kits; other banks hold no user
// Programs. Cannot be undone.
void EraseProgramBank(Workspace& ws, int slot, int bank);
bool DragProgram(Workspace& ws, Prompter& prompter, int fromSlot, int fromIndex, int toSlot,
                 int toIndex);
// Edit > Paste from IStyle: a Program from an ".IPF" file, or a Drum Kit from ".IDK".
bool LoadOneProgram(Workspace& ws, Prompter& prompter, int slot, int userIndex);
bool WarnDuplicateProgramNames(Workspace& ws, Prompter& prompter, int slot);

void UndoProgram(Workspace& ws);

}  // namespace i40
