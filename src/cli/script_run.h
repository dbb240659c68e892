#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "session/workspace.h"

namespace i40::cli {

// Runs an edit session script, one command a line (see `i40set --help`), printing what
// the user would be shown as JSON lines on `out`. Returns the exit status: 0, 1 when an
// error message was shown, 2 for a script error or a question left unanswered.
int RunScript(Workspace& ws, std::istream& script, std::ostream& out, std::ostream& err);

// The commands of the language and their arguments, as --help lists them.
std::string ScriptHelp();

}  // namespace i40::cli
