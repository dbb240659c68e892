#include "arrangements/arrangement_cell.h"

#include "format/item_record.h"

namespace i40 {

std::string ArrangementCellText(const ItemSources& from, int number) {
  const std::string name = ArrangementName(from, number);
  std::string text = ArrangementLabel(number) + " " + name;
  if (name == kEmptyName) return text;
  const int user = ArrangementUserIndex(number);
  const int style = user >= 0
                        ? from.set.arrangements.records[static_cast<std::size_t>(user)].Style()
                        : PresetArrangementStyle(from.presets, number);
  text += " (" + StyleLabel(style) + ")";
  if (user >= 0 && StyleSlotOfNumber(style) >= 0) text += "U";
  return text;
}

CellColour ArrangementCellColour(const ItemSources& from, int number, bool highlightCalls,
                                 bool called) {
  const bool user = ArrangementUserIndex(number) >= 0;
  return ItemTextColour(ArrangementName(from, number) == kEmptyName, user, highlightCalls, called);
}

CellLook ArrangementCell(const ItemSources& from, int number, bool highlightCalls, bool called) {
  return {ArrangementCellText(from, number),
          ArrangementCellColour(from, number, highlightCalls, called), CellColour::GridDefault()};
}

}  // namespace i40
