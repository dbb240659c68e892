#include "details/item_details.h"

#include "arrangements/arrangement_dialog.h"
#include "backseqs/bsq_dialog.h"
#include "globals/global_dialogs.h"
#include "programs/program_dialog.h"
#include "styles/style_dialog.h"

namespace i40 {

std::optional<DialogModel> OpenItemDialog(Workspace& ws, int slot, Kind kind, int position) {
  if (!ws.sets.InUse(slot)) return std::nullopt;
  switch (kind) {
    case Kind::Arrangement:
      return ArrangementDialog(ws, slot, position);
    case Kind::Style:
      return StyleDialog(ws, slot, position);
    case Kind::Program:
      return ProgramDialog(ws, slot, position);
    case Kind::BackingSequence:
      return BsqDialog(ws, slot, position);
    case Kind::ArrangementGlobal:
      return ArrangementGlobalDialog(ws, slot);
    case Kind::Global:
      return GlobalDialog(ws, slot);
    default:
      return std::nullopt;
  }
}

}  // namespace i40
