#pragma once

#include <optional>

#include "dialog_model/dialog_model.h"
#include "format/kinds.h"
#include "session/workspace.h"

namespace i40 {

// The dialog of an item, as Details or a double click opens it: nothing for a slot the
// Set window shows as empty, or for a kind without a dialog. What `item` names: its
// number for an Arrangement, Style or Program, its position for a Backing Sequence
// (0-9); the Set's one Arrangement Global and Global take neither.
std::optional<DialogModel> OpenItemDialog(Workspace& ws, SetSlot slot, Kind kind, ItemRef item);

}  // namespace i40
