#include "styles/style_cell.h"

#include "format/item_record.h"
#include "format/style_blocks.h"

namespace i40 {

CellLook StyleCell(const ItemSources& from, int number, bool highlightCalls, bool called) {
  const int slot = StyleSlotOfNumber(number);
  const std::string name = StyleName(from, number);
  CellLook look;
  look.background = colours::kLightMagenta;
  if (slot >= 0) {
    const StyleSlot& s = from.set.styles.slots[static_cast<std::size_t>(slot)];
    if (s.present == 0) {
      look.background = CellColour::SystemGrey();
    } else {
      // A space before the count: a name of all 16 letters would run into it.
      look.text = StyleLabel(number) + " " + name + " :" +
                  std::to_string(StyleEvents(from.set.styles, slot));
    }
  } else {
    look.text = StyleLabel(number) + " " + name;
  }
  look.textColour = ItemTextColour(name == kEmptyName, slot >= 0, highlightCalls, called);
  return look;
}

}  // namespace i40
