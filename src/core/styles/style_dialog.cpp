#include "styles/style_dialog.h"

#include <string>
#include <utility>

#include "calls/callers.h"
#include "calls/item_lookup.h"
#include "dialog_model/dialog_model.h"
#include "format/item_numbers.h"
#include "format/positions.h"
#include "format/style_blocks.h"
#include "format/vocabulary.h"

namespace i40 {

std::optional<DialogModel> StyleDialog(Workspace& ws, int slot, int number) {
  FileSet& set = ws.sets.Files(slot);
  const ItemSources from{ws.presets, set};
  const std::string name = StyleName(from, number);
  const int user = StyleSlotOfNumber(number);
  // An absent user Style shows as an empty cell.
  const bool absent = user >= 0 && set.styles.slots[static_cast<std::size_t>(user)].present == 0;
  if (name.empty() || name == kEmptyName || absent) return std::nullopt;
  const bool preset = user < 0;

  DialogModel m(ws, slot, Kind::Style, user, !preset);
  m.formName = "FParSty";
  m.title = "Style " + StyleLabel(number) + " in " + ws.sets.Entry(slot).Name;
  m.frames = {{"fraSty", ""}, {"fraEvents", "Events", !preset}, {"fraLinks", ""}};
  const std::span<const std::uint8_t> record =
      preset ? std::span<const std::uint8_t>() : RecordBytes(std::as_const(set), Kind::Style, user);
  AddNameAndCategory(m, "fraSty", Entries(kStyleCategoryName), record, name,
                     StyleCategory(from, number));

  DialogControl used = MakeControl(ControlType::Label, "lblUsed", "fraEvents", "");
  DialogControl free = MakeControl(ControlType::Label, "lblFree", "fraEvents", "");
  used.readOnly = free.readOnly = true;
  used.visible = free.visible = !preset;
  if (!preset) {
    used.text = std::to_string(StyleEvents(set.styles, user)) + "  used by this Style";
    free.text = std::to_string(BlockFree(set.styles, user)) + "  free in this Block";
  }
  m.controls.push_back(std::move(used));
  m.controls.push_back(std::move(free));

  DialogControl programs = MakeControl(ControlType::List, "lstPrg", "fraLinks", "Programs called",
                                       {}, "DoubleClick to Edit");
  programs.enabled = !preset;
  FillProgramLines(m, programs, ": ", record);
  m.controls.push_back(std::move(programs));
  AddCallers(m, "fraLinks", "Called by", "Items that call this Style", StyleCallers(set, number));

  m.MarkOpened();
  return m;
}

}  // namespace i40
