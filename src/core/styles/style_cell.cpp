#include "styles/style_cell.h"

#include "format/item_record.h"
#include "format/style_blocks.h"

namespace i40 {

CellLook StyleCell(const ItemSources& from, ItemNumber number, bool highlightCalls, bool called) {
  const ItemIndex slot = ItemUserIndex(Kind::Style, number);
  const std::string name = ItemName(from, Kind::Style, number);
  const std::string label = ItemNumberLabel(Kind::Style, number);
  CellLook look;
  look.background = colours::kLightMagenta;
  if (slot != kNoIndex) {
    const StyleSlot& s = from.set.styles.slots[static_cast<std::size_t>(Value(slot))];
    if (s.present == 0) {
      look.background = CellColour::SystemGrey();
    } else {
      // A space before the count: a name of all 16 letters would run into it.
      look.text = label + " " + name + " :" + std::to_string(StyleEvents(from.set.styles, slot));
    }
  } else {
    look.text = label + " " + name;
  }
  look.textColour = ItemTextColour(name == kEmptyName, slot != kNoIndex, highlightCalls, called);
  return look;
}

}  // namespace i40
