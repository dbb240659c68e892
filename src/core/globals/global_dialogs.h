#pragma once

#include <optional>

#include "dialog_model/dialog_model.h"
#include "session/workspace.h"

namespace i40 {

// The Set's one Arrangement Global dialog and its Global dialog.
std::optional<DialogModel> ArrangementGlobalDialog(Workspace& ws, SetSlot slot);
std::optional<DialogModel> GlobalDialog(Workspace& ws, SetSlot slot);

}  // namespace i40
