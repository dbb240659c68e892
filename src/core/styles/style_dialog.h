#pragma once

#include <optional>

#include "dialog_model/dialog_model.h"
#include "session/workspace.h"

namespace i40 {

// The Style dialog (FParSty) of a user or preset Style: nothing for an empty user slot.
std::optional<DialogModel> StyleDialog(Workspace& ws, SetSlot slot, ItemNumber number);

}  // namespace i40
