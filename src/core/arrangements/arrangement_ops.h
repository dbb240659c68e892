#pragma once

#include <string>
#include <vector>

#include "calls/redirect_question.h"
#include "setstore/workspace.h"
#include "ui/prompter.h"

// What the Set window does to a Set's 64 user Arrangements. Every operation takes the
// Set's slot and a user index (0-63; -1 for a preset cell, which does nothing), keeps
// what it overwrites for one level of undo, and marks what it changes as modified.
namespace i40 {

// "BSeq 3" for each named Backing Sequence that calls the Arrangement.
std::vector<std::string> ArrangementReferences(const FileSet& set, int number);
void RedirectArrangementReferences(Workspace& ws, int slot, int oldNumber, int newNumber);

// Asked before an Arrangement that Backing Sequences call is overwritten, cut, deleted
// or pushed out. Redirecting the calls cannot be undone, so it disables Undo.
ReferenceAnswer ConfirmArrangementReferences(Workspace& ws, Prompter& prompter, int slot,
                                             int userIndex);

void CopyArrangement(Workspace& ws, int slot, int userIndex);
bool CutArrangement(Workspace& ws, Prompter& prompter, int slot, int userIndex,
                    bool skipReferenceQuestion = false);
bool PasteArrangement(Workspace& ws, Prompter& prompter, int slot, int userIndex,
                      bool moveReferences = false);
bool DeleteArrangement(Workspace& ws, Prompter& prompter, int slot, int userIndex);
bool InsertArrangement(Workspace& ws, Prompter& prompter, int slot, int userIndex);
// Erases bank C; any other bank holds no user Arrangements. Cannot be undone.
void EraseArrangementBank(Workspace& ws, int slot, int bank);
// A drag from one cell to another: a move inside a Set (Backing Sequences follow it), a
// copy into another Set (with the calls check and the duplicate check).
bool DragArrangement(Workspace& ws, Prompter& prompter, int fromSlot, int fromIndex, int toSlot,
                     int toIndex);
// Edit > Paste from IStyle: one Arrangement from an ".IAF" file.
bool LoadOneArrangement(Workspace& ws, Prompter& prompter, int slot, int userIndex);

// Warns about user Arrangements of equal (trimmed) names, when the option is on.
bool CheckArrangementDuplicates(Workspace& ws, Prompter& prompter, int slot);

// Undoes the last Arrangement operation, whatever Set it was made in, if that Set is
// still open.
void UndoArrangement(Workspace& ws);

}  // namespace i40
