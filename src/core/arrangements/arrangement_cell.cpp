#include "arrangements/arrangement_cell.h"

#include "format/item_record.h"

namespace i40 {

std::string ArrangementCellText(const ItemSources& from, ItemNumber number) {
  constexpr Kind kArr = Kind::Arrangement;
  const std::string name = ItemName(from, kArr, number);
  std::string text = ItemNumberLabel(kArr, number) + " " + name;
  if (name == kEmptyName) return text;
  const ItemIndex user = ItemUserIndex(kArr, number);
  const ItemNumber style =
      user != kNoIndex
          ? ItemNumber{from.set.arrangements.records[static_cast<std::size_t>(Value(user))].Style()}
          : PresetArrangementStyle(from.presets, number);
  text += " (" + ItemNumberLabel(Kind::Style, style) + ")";
  if (user != kNoIndex && ItemUserIndex(Kind::Style, style) != kNoIndex) text += "U";
  return text;
}

CellColour ArrangementCellColour(const ItemSources& from, ItemNumber number, bool highlightCalls,
                                 bool called) {
  const bool user = ItemUserIndex(Kind::Arrangement, number) != kNoIndex;
  return ItemTextColour(ItemName(from, Kind::Arrangement, number) == kEmptyName, user,
                        highlightCalls, called);
}

CellLook ArrangementCell(const ItemSources& from, ItemNumber number, bool highlightCalls,
                         bool called) {
  return {ArrangementCellText(from, number),
          ArrangementCellColour(from, number, highlightCalls, called), CellColour::GridDefault()};
}

}  // namespace i40
