#pragma once

#include <string>

#include "calls/item_lookup.h"
#include "host/cell_colour.h"

namespace i40 {

// The Set window's cell of an Arrangement: label, a space, the name, and for a named
// Arrangement the label of its Style in brackets, with "U" after it when a user
// Arrangement calls a user Style.
std::string ArrangementCellText(const ItemSources& from, ItemNumber number);

// "called" says whether a Backing Sequence of the Set calls this Arrangement.
CellColour ArrangementCellColour(const ItemSources& from, ItemNumber number, bool highlightCalls,
                                 bool called);

CellLook ArrangementCell(const ItemSources& from, ItemNumber number, bool highlightCalls,
                         bool called);

}  // namespace i40
