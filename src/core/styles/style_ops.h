#pragma once

#include <string>
#include <vector>

#include "calls/redirect_question.h"
#include "setstore/workspace.h"
#include "ui/prompter.h"

// What the Set window does to a Set's 16 user Styles (slot 0-15; -1 for a preset cell,
// which does nothing). Styles are never deleted or inserted: the slots are fixed, and
// the four Styles of a Block share its 15200 events.
namespace i40 {

// "Arr C12" for each named Arrangement and "BSeq  3" for each named Backing Sequence
// that calls the Style.
std::vector<std::string> StyleCallers(const FileSet& set, int number);
void RedirectStyleCalls(Workspace& ws, int slot, int oldNumber, int newNumber);
ReferenceAnswer ConfirmStyleOverwrite(Workspace& ws, Prompter& prompter, int slot, int styleSlot);

void CopyStyle(Workspace& ws, int slot, int styleSlot);
bool CutStyle(Workspace& ws, Prompter& prompter, int slot, int styleSlot, bool quiet = false);
bool PasteStyle(Workspace& ws, Prompter& prompter, int slot, int styleSlot, bool move = false);
void EraseStyleBank(Workspace& ws, int slot, int bank);
bool DragStyle(Workspace& ws, Prompter& prompter, int fromSlot, int fromStyle, int toSlot,
               int toStyle);
bool LoadOneStyle(Workspace& ws, Prompter& prompter, int slot, int styleSlot);

// Re-points the six track calls of the Style pasted from another Set.
bool CheckPastedStyleCalls(Workspace& ws, Prompter& prompter, int sourceSlot, int destSlot,
                           int styleSlot);
bool WarnDuplicateStyleNames(Workspace& ws, Prompter& prompter, int slot);

// Events a Style of this length needs in a Block, rounded to the nearest whole event
// (halves to even).
int NeededEvents(std::int32_t length);

void UndoStyle(Workspace& ws);

}  // namespace i40
