#include "programs/program_cell.h"

#include "calls/callers.h"
#include "format/item_record.h"
#include "format/vocabulary.h"

namespace i40 {

CellLook ProgramCell(const ItemSources& from, int number, bool highlightCalls, bool called) {
  const std::string name = ProgramName(from, number);
  const bool user = ProgramUserIndex(number) >= 0;
  return {ProgramLabel(number) + " " + name,
          ItemTextColour(name == kEmptyName, user, highlightCalls, called),
          CellColour::GridDefault()};
}

std::vector<CellLook> FillProgramGrid(const ItemSources& from, int bank, bool highlightCalls) {
  std::unordered_set<int> called;
  if (highlightCalls) called = CalledNumbers(from.set, Kind::Program);
  std::vector<CellLook> cells;
  const int count = BankLastIndex(Kind::Program, bank) + 1;
  for (int index = 0; index < count; ++index) {
    const int number = ProgramNumber(bank, index);
    cells.push_back(ProgramCell(from, number, highlightCalls, called.count(number) > 0));
  }
  return cells;
}

}  // namespace i40
