#pragma once

#include <cstdint>
#include <span>

#include "format/kinds.h"
#include "host/prompter.h"
#include "session/workspace.h"

// Keeping calls meaningful when an item arrives from another Set: each call into a user
// bank is looked up by the called item's 16-character name among the destination's user
// items; a name the destination lacks is offered for redirection.
namespace i40 {

// The item at `index` of the destination's `kind` came from the source Set, where its
// record read `sourceRecord`: its calls are re-pointed field by field, in the order of
// the calls table. No keeps a call as it is, Yes opens the picker, Cancel (or a
// cancelled picker) abandons the check. False when abandoned: the position is then as
// the check found it.
bool CheckPastedCalls(Workspace& ws, Prompter& prompter, Kind kind, SetSlot sourceSlot,
                      SetSlot destSlot, ItemIndex index,
                      std::span<const std::uint8_t> sourceRecord);

}  // namespace i40
