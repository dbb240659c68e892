#include "cli/set_checks.h"

#include "calls/item_lookup.h"
#include "format/bsq_file.h"
#include "format/positions.h"
#include "format/style_blocks.h"
#include "format/vocabulary.h"
#include "kbdsets/kbdset_grid.h"
#include "util/text.h"

namespace i40::cli {

Json SetInfoJson(const Workspace& ws, int slot) {
  const FileSet& set = ws.sets.Files(slot);
  auto used = [&](Kind kind, int first, int count) {
    int n = 0;
    for (int i = first; i < first + count; ++i)
      n += IsItemSlotEmpty(set, kind, i) ? 0 : 1;
    return n;
  };
  int sequences = 0;
  for (const auto& r : set.backingSequences.records)
    sequences += r.IsEmpty() ? 0 : 1;
  Json blocks = Json::array();
  for (int b = 0; b < kStyleBlockCount; ++b) {
    blocks.push_back(Json{{"block", b + 1},
                          {"styles", StyleUserLabel(4 * b) + "-" + StyleUserLabel(4 * b + 3)},
                          {"freeEvents", FreeEventsOfBlock(set.styles, b)}});
  }
  return Json{{"set", JsonText(ws.sets.Entry(slot).Name)},
              {"arrangements", used(Kind::Arrangement, 0, kUserArrangementCount)},
              {"styles", used(Kind::Style, 0, kUserStyleCount)},
              {"programs", used(Kind::Program, 0, 64)},
              {"drumKits", used(Kind::Program, 64, 2)},
              {"backingSequences", sequences},
              {"styleBlocks", std::move(blocks)},
              {"sequenceEvents", BsqTotalUnits(set.backingSequences) * kBsqEventsPerUnit},
              {"sequenceEventsFree", BsqFreeUnits(set.backingSequences) * kBsqEventsPerUnit}};
}

std::string SetInfo(const Workspace& ws, int slot) {
  const Json info = SetInfoJson(ws, slot);
  const auto number = [&](const char* key) { return std::to_string(info[key].get<int>()); };
  std::string text = "Set " + info["set"].get<std::string>() + "\n";
  text += "Arrangements: " + number("arrangements") + " of 64\n";
  text += "Styles: " + number("styles") + " of 16\n";
  text += "Programs: " + number("programs") + " of 64\n";
  text += "Drum Kits: " + number("drumKits") + " of 2\n";
  text += "Backing Sequences: " + number("backingSequences") + " of 10\n";
  for (const Json& block : info["styleBlocks"]) {
    text += "Style Block " + std::to_string(block["block"].get<int>()) + " (" +
            block["styles"].get<std::string>() +
            "): " + std::to_string(block["freeEvents"].get<int>()) + " events free\n";
  }
  text += "Backing Sequence events: " + number("sequenceEvents") + ", free " +
          number("sequenceEventsFree") + "\n";
  return text;
}

}  // namespace i40::cli
