#include "kbdsets/kbdset_grid.h"

#include "format/kbdset_record.h"

namespace i40 {

std::string KbdSetLabel(int index) {
  if (index < 0 || index >= kKbdSetCount) return {};
  return std::string(1, static_cast<char>('A' + index / 5)) + std::to_string(index % 5 + 1);
}

std::string KbdSetSectionText(const ItemSources& from, int index, int section) {
  const int program =
      from.set.kbdSets.records.at(static_cast<std::size_t>(index)).SectionProgram(section);
  return ProgramLabel(program) + " " + ProgramName(from, program);
}

}  // namespace i40
