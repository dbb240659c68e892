#include "kbdsets/kbdset_grid.h"

#include "format/kbdset_record.h"

namespace i40 {

std::string KbdSetSectionText(const ItemSources& from, int index, int section) {
  const int program =
      from.set.kbdSets.records.at(static_cast<std::size_t>(index)).SectionProgram(section);
  return ProgramLabel(program) + " " + ProgramName(from, program);
}

}  // namespace i40
