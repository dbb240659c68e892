#pragma once

#include <optional>

#include "dialog_model/dialog_model.h"
#include "session/workspace.h"

namespace i40 {

// The Program dialog (FParPrg) of a user or preset Program or Drum Kit: nothing for an
// empty user slot.
std::optional<DialogModel> ProgramDialog(Workspace& ws, SetSlot slot, ItemNumber number);

}  // namespace i40
