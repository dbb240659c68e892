#include "kbdsets/kbdset_grid.h"

#include "format/kbdset_record.h"

namespace i40 {

std::string KbdSetSectionText(const ItemSources& from, ItemIndex index, int section) {
  const ItemNumber program{
      from.set.kbdSets.records.at(static_cast<std::size_t>(Value(index))).SectionProgram(section)};
  return ItemNumberLabel(Kind::Program, program) + " " + ItemName(from, Kind::Program, program);
}

}  // namespace i40
