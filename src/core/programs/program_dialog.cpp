#include "programs/program_dialog.h"

#include <string>
#include <utility>

#include "calls/callers.h"
#include "calls/item_lookup.h"
#include "dialog_model/dialog_model.h"
#include "format/item_numbers.h"
#include "format/positions.h"
#include "format/vocabulary.h"

namespace i40 {
namespace {

std::vector<std::string> CallerLines(const FileSet& set, ItemNumber number) {
  std::vector<std::string> lines;
  for (const ItemCall& call : CallersOf(set, Kind::Program, number))
    lines.push_back(call.caller + ": " + call.track);
  return lines;
}

}  // namespace

std::optional<DialogModel> ProgramDialog(Workspace& ws, SetSlot slot, ItemNumber number) {
  FileSet& set = ws.sets.Files(slot);
  const ItemSources from{ws.presets, set};
  const std::string name = ItemName(from, Kind::Program, number);
  if (name.empty() || name == kEmptyName) return std::nullopt;
  const ItemIndex user = ItemUserIndex(Kind::Program, number);
  const bool preset = user == kNoIndex;

  DialogModel m(ws, slot, Kind::Program, user, !preset);
  m.formName = "FParPrg";
  m.title = "Program " + ItemNumberLabel(Kind::Program, number) + " in " + ws.sets.Entry(slot).Name;
  m.frames = {{"fraPrg", "Program"}, {"fraLinks", ""}};
  const std::span<const std::uint8_t> record =
      preset ? std::span<const std::uint8_t>()
             : RecordBytes(std::as_const(set), Kind::Program, user);
  AddNameAndCategory(m, "fraPrg", Entries(kProgramCategoryName), record, name,
                     ItemCategory(from, Kind::Program, number));
  AddCallers(m, "fraLinks", "Called by", "Items which call this Program", CallerLines(set, number));
  // Alt+C is Cancel's.
  m.controls.push_back(MakeControl(ControlType::Button, "cmdReplPrg", "fraLinks",
                                   "Call another &Program", {}, "Change all call references"));

  // Every call of the Set goes to the Program chosen, at once: Cancel does not take it
  // back, and the callers list is left empty.
  m.onClick = [number](DialogModel& model, std::string_view, Prompter& prompter) {
    const ItemNumber chosen = prompter.Pick({Kind::Program, model.slot(), number, "", ""});
    if (chosen == kNoNumber || chosen == number) return;
    RedirectAllCalls(model.workspace(), model.slot(), Kind::Program, number, chosen);
    model.Find("lstCalled")->lines.clear();
  };
  m.MarkOpened();
  return m;
}

}  // namespace i40
