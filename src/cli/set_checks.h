#pragma once

#include <string>

#include "session/workspace.h"

namespace i40::cli {

// One screen about a Set: used items per kind, free events per Block, Backing Sequence
// events and what is free.
std::string SetInfo(const Workspace& ws, int slot);

}  // namespace i40::cli
