#pragma once

#include <functional>
#include <string>

#include "setstore/workspace.h"
#include "ui/prompter.h"

namespace i40 {

enum class ReferenceAnswer { Cancel, Go, GoRedirected };

// Asked before an item that others call is overwritten, cut, deleted or pushed out:
// Cancel stops; No goes on and leaves the callers on the position; Yes opens the picker
// of the kind on the item, and a different choice redirects the callers there. A
// redirection cannot be undone, so it leaves Undo disabled; otherwise Undo is enabled.
ReferenceAnswer AskToRedirectCallers(Workspace& ws, Prompter& prompter, int slot, bool called,
                                     const std::string& question, Kind kind, int number,
                                     const std::function<void(int)>& redirect);

}  // namespace i40
