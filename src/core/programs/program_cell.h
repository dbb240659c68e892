#pragma once

#include <vector>

#include "calls/item_lookup.h"
#include "host/cell_colour.h"

namespace i40 {

// The Set window's cell of a Program: label, a space and the name. "called" says
// whether an Arrangement, Style, Backing Sequence or KBD Set of the Set calls it.
CellLook ProgramCell(const ItemSources& from, ItemNumber number, bool highlightCalls, bool called);

// The cells of one Program bank (64, or 16 for bank R), with callers highlighted when
// asked. One pass over the Set's calls serves all the cells.
std::vector<CellLook> FillProgramGrid(const ItemSources& from, BankNo bank, bool highlightCalls);

}  // namespace i40
