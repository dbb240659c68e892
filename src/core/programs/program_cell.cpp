#include "programs/program_cell.h"

#include "calls/callers.h"
#include "format/item_record.h"
#include "format/vocabulary.h"

namespace i40 {

CellLook ProgramCell(const ItemSources& from, ItemNumber number, bool highlightCalls, bool called) {
  const std::string name = ItemName(from, Kind::Program, number);
  const bool user = ItemUserIndex(Kind::Program, number) != kNoIndex;
  return {ItemNumberLabel(Kind::Program, number) + " " + name,
          ItemTextColour(name == kEmptyName, user, highlightCalls, called),
          CellColour::GridDefault()};
}

std::vector<CellLook> FillProgramGrid(const ItemSources& from, BankNo bank, bool highlightCalls) {
  std::unordered_set<ItemNumber> called;
  if (highlightCalls) called = CalledNumbers(from.set, Kind::Program);
  std::vector<CellLook> cells;
  const int count = BankLastIndex(Kind::Program, bank) + 1;
  for (int index = 0; index < count; ++index) {
    const ItemNumber number = NumberAt(Kind::Program, {bank, index});
    cells.push_back(ProgramCell(from, number, highlightCalls, called.contains(number)));
  }
  return cells;
}

}  // namespace i40
