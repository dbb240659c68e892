#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calls/item_lookup.h"
#include "host/cell_colour.h"

namespace i40 {

// Captions of columns 1-3 of the KBD Set grid's header row.
inline constexpr std::array<std::string_view, 3> kKbdSetGridHeader = {"Lower KBD", "Upper1 KBD",
                                                                      "Upper2 KBD"};

inline constexpr CellColour kKbdSetLabelColour = colours::kRed;

// The text of a section's cell: the Program's label, a space and its name.
std::string KbdSetSectionText(const ItemSources& from, ItemIndex index, int section);

}  // namespace i40
