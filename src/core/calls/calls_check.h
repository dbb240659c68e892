#pragma once

#include <optional>
#include <string>

#include "setstore/workspace.h"
#include "ui/prompter.h"

// Keeping calls meaningful when an item arrives from another Set: each call into a user
// bank is looked up by the called item's 16-character name among the destination's user
// items; a name the destination lacks is offered for redirection.
namespace i40 {

struct CallResolution {
  enum Outcome { Cancelled, Kept, Redirected };
  Outcome outcome = Kept;
  int number = 0;  // the number to store when redirected
};

// Settles one call: the destination's first user item of that exact name, or, when there
// is none, what the user says to the question: No keeps the call as it is, Yes opens the
// picker, Cancel (or a cancelled picker) abandons the whole check.
CallResolution ResolveCallByName(Workspace& ws, Prompter& prompter, int destSlot, Kind calledKind,
                                 const std::string& sourceName, const std::string& question,
                                 const PickRequest& picker);

// The Arrangement in the clipboard has been pasted into destIndex of destSlot: re-point
// its Style and nine track calls. False when the user cancelled (the slot is untouched).
bool CheckArrangementCalls(Workspace& ws, Prompter& prompter, int sourceSlot, int destSlot,
                           int destIndex);

// The same for the three keyboard sections of the KBD Set in the clipboard.
bool CheckKbdSetCalls(Workspace& ws, Prompter& prompter, int sourceSlot, int destSlot,
                      int destIndex);

}  // namespace i40
