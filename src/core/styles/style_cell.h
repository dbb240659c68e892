#pragma once

#include <string>

#include "calls/item_lookup.h"
#include "host/cell_colour.h"

namespace i40 {

// The Set window's cell of a Style: a present user Style shows label, name, ":" and its
// events; a user slot without data shows nothing on grey; a preset shows label and name.
// "called" says whether an Arrangement or Backing Sequence of the Set calls the Style.
CellLook StyleCell(const ItemSources& from, ItemNumber number, bool highlightCalls, bool called);

}  // namespace i40
