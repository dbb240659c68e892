#pragma once

#include <optional>

#include "dialog_model/dialog_model.h"
#include "session/workspace.h"

namespace i40 {

// The Arrangement dialog (FParArr) of a user or preset Arrangement: nothing for an empty
// user slot.
std::optional<DialogModel> ArrangementDialog(Workspace& ws, SetSlot slot, ItemNumber number);

}  // namespace i40
