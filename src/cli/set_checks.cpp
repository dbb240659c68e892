#include "cli/set_checks.h"

#include "reports/set_statistics.h"

namespace i40::cli {

Json SetInfoJson(const Workspace& ws, SetSlot slot) {
  const SetStatistics s = StatisticsOf(ws.sets.Files(slot));
  Json blocks = Json::array();
  for (const BlockRoom& block : s.blocks) {
    blocks.push_back(
        Json{{"block", block.block}, {"styles", block.styles}, {"freeEvents", block.freeEvents}});
  }
  return Json{{"set", JsonText(ws.sets.Entry(slot).Name)},
              {"arrangements", s.arrangements},
              {"styles", s.styles},
              {"programs", s.programs},
              {"drumKits", s.drumKits},
              {"backingSequences", s.backingSequences},
              {"styleBlocks", std::move(blocks)},
              {"sequenceEvents", s.sequenceEvents},
              {"sequenceEventsFree", s.sequenceEventsFree}};
}

std::string SetInfo(const Workspace& ws, SetSlot slot) {
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
