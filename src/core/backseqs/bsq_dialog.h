#pragma once

#include <optional>

#include "dialog_model/dialog_model.h"
#include "session/workspace.h"

namespace i40 {

// The Backing Sequence dialog (FParBsq) of sequence 0-9: nothing for an empty one.
std::optional<DialogModel> BsqDialog(Workspace& ws, SetSlot slot, ItemIndex sequence);

}  // namespace i40
