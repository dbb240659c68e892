#pragma once

#include "host/prompter.h"
#include "session/workspace.h"

namespace i40 {

// Edit > Import...: replaces all the Set's items of one stored kind with those of a
// component file the user picks. The file is read into a copy first, so a file that
// fails the header test or breaks off leaves the Set as it was. No calls are checked
// and Undo is disabled afterwards.
bool ImportAllItems(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind);

}  // namespace i40
