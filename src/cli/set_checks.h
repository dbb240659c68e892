#pragma once

#include <string>
#include <vector>

#include "setstore/workspace.h"

namespace i40::cli {

// What a musician wants to know before a gig, one line per finding: calls into empty
// user slots, Blocks and Backing Sequence memory over capacity. (Duplicate names and
// read problems come from the editor's own checks while the Set opens.)
std::vector<std::string> SetFindings(const Workspace& ws, int slot);

// One screen about a Set: used items per kind, free events per Block, Backing Sequence
// events and what is free.
std::string SetInfo(const Workspace& ws, int slot);

}  // namespace i40::cli
