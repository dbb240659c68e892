#include "cli/set_checks.h"

#include "calls/item_lookup.h"
#include "format/bsq_file.h"
#include "format/positions.h"
#include "format/style_blocks.h"
#include "format/vocabulary.h"
#include "kbdsets/kbdset_grid.h"
#include "util/text.h"

namespace i40::cli {

std::string SetInfo(const Workspace& ws, int slot) {
  const FileSet& set = ws.sets.Files(slot);
  auto used = [&](Kind kind) {
    int count = 0;
    for (int i = 0; i < UserItemCount(kind); ++i)
      count += IsItemSlotEmpty(set, kind, i) ? 0 : 1;
    return count;
  };
  int sequences = 0;
  for (const auto& r : set.backingSequences.records)
    sequences += r.IsEmpty() ? 0 : 1;
  std::string text = "Set " + ws.sets.Entry(slot).Name + "\n";
  text += "Arrangements: " + std::to_string(used(Kind::Arrangement)) + " of 64\n";
  text += "Styles: " + std::to_string(used(Kind::Style)) + " of 16\n";
  int programs = 0;
  for (int i = 0; i < 64; ++i)
    programs += IsItemSlotEmpty(set, Kind::Program, i) ? 0 : 1;
  text += "Programs: " + std::to_string(programs) + " of 64\n";
  text += "Drum Kits: " + std::to_string(used(Kind::Program) - programs) + " of 2\n";
  text += "Backing Sequences: " + std::to_string(sequences) + " of 10\n";
  for (int b = 0; b < kStyleBlockCount; ++b) {
    text += "Style Block " + std::to_string(b + 1) + " (" + StyleUserLabel(4 * b) + "-" +
            StyleUserLabel(4 * b + 3) + "): " + std::to_string(FreeEventsOfBlock(set.styles, b)) +
            " events free\n";
  }
  text += "Backing Sequence events: " +
          std::to_string(BsqTotalUnits(set.backingSequences) * kBsqEventsPerUnit) + ", free " +
          std::to_string(BsqFreeUnits(set.backingSequences) * kBsqEventsPerUnit) + "\n";
  return text;
}

}  // namespace i40::cli
