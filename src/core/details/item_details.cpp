#include "details/item_details.h"

#include "arrangements/arrangement_dialog.h"
#include "backseqs/bsq_dialog.h"
#include "globals/global_dialogs.h"
#include "programs/program_dialog.h"
#include "styles/style_dialog.h"

namespace i40 {

std::optional<DialogModel> OpenItemDialog(Workspace& ws, SetSlot slot, Kind kind, ItemRef item) {
  if (!ws.sets.InUse(slot)) return std::nullopt;
  switch (kind) {
    case Kind::Arrangement:
      return ArrangementDialog(ws, slot, item.number);
    case Kind::Style:
      return StyleDialog(ws, slot, item.number);
    case Kind::Program:
      return ProgramDialog(ws, slot, item.number);
    case Kind::BackingSequence:
      return BsqDialog(ws, slot, item.index);
    case Kind::ArrangementGlobal:
      return ArrangementGlobalDialog(ws, slot);
    case Kind::Global:
      return GlobalDialog(ws, slot);
    default:
      return std::nullopt;
  }
}

}  // namespace i40
