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

std::optional<DialogModel> StyleDialog(Workspace& ws, SetSlot slot, ItemNumber number) {
  FileSet& set = ws.sets.Files(slot);
  const ItemSources from{ws.presets, set};
  const std::string name = ItemName(from, Kind::Style, number);
  const ItemIndex user = ItemUserIndex(Kind::Style, number);
  // An absent user Style shows as an empty cell.
  const bool absent =
      user != kNoIndex && set.styles.slots[static_cast<std::size_t>(Value(user))].present == 0;
  if (name.empty() || name == kEmptyName || absent) return std::nullopt;
  const bool preset = user == kNoIndex;

  DialogModel m(ws, slot, Kind::Style, user, !preset);
  m.formName = "FParSty";
  m.title = "Style " + ItemNumberLabel(Kind::Style, number) + " in " + ws.sets.Entry(slot).Name;
  m.frames = {{"fraSty", ""}, {"fraEvents", "Events", !preset}, {"fraLinks", ""}};
  const std::span<const std::uint8_t> record =
      preset ? std::span<const std::uint8_t>() : RecordBytes(std::as_const(set), Kind::Style, user);
  AddNameAndCategory(m, "fraSty", Entries(kStyleCategoryName), record, name,
                     ItemCategory(from, Kind::Style, number));

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
  AddCallers(m, "fraLinks", "Called by", "Items that call this Style",
             CallerTexts(set, Kind::Style, number));

  m.MarkOpened();
  return m;
}

}  // namespace i40
