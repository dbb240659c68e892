#pragma once

#include "calls/item_lookup.h"
#include "ui/cell_colour.h"

namespace i40 {

// The Set window's cell of a Program: label, a space and the name. "called" says
// whether an Arrangement, Style, Backing Sequence or KBD Set of the Set calls it.
CellLook ProgramCell(const ItemSources& from, int number, bool highlightCalls, bool called);

}  // namespace i40
