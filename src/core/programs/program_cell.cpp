#include "programs/program_cell.h"

#include "setstore/item_record.h"

namespace i40 {

CellLook ProgramCell(const ItemSources& from, int number, bool highlightCalls, bool called) {
  const std::string name = ProgramName(from, number);
  const bool user = ProgramUserIndex(number) >= 0;
  return {ProgramLabel(number) + " " + name,
          ItemTextColour(name == kEmptyName, user, highlightCalls, called),
          CellColour::GridDefault()};
}

}  // namespace i40
