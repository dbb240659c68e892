#pragma once

#include <string>

#include "cli/json_prompter.h"
#include "session/workspace.h"

namespace i40::cli {

// One screen about a Set: used items per kind, free events per Block, Backing Sequence
// events and what is free; as text, or as one JSON object.
std::string SetInfo(const Workspace& ws, SetSlot slot);
Json SetInfoJson(const Workspace& ws, SetSlot slot);

}  // namespace i40::cli
