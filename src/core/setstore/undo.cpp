#include "setstore/undo.h"

#include "arrangements/arrangement_ops.h"
#include "backseqs/bsq_ops.h"
#include "kbdsets/kbdset_ops.h"
#include "programs/program_ops.h"
#include "styles/style_ops.h"

namespace i40 {

void SetUndoMenu(Workspace& ws, int slot, bool enabled) {
  if (ws.sets.IsSlot(slot)) ws.sets.Entry(slot).UndoEnabled = enabled;
}

std::string UndoMenuCaption(const SetEntry& entry) {
  return entry.UndoEnabled ? "&Undo" : "Can't Undo";
}

void MarkModified(Workspace& ws, int slot, Kind kind) {
  ws.sets.Entry(slot).Modified[static_cast<std::size_t>(KindIndex(kind))] = true;
}

bool IsOpenSet(const Workspace& ws, int slot) {
  return ws.sets.InUse(slot);
}

void UndoLastEdit(Workspace& ws, int slot, Kind tabKind) {
  switch (tabKind) {
    case Kind::Arrangement:
      UndoArrangement(ws);
      break;
    case Kind::Style:
      UndoStyle(ws);
      break;
    case Kind::Program:
      UndoProgram(ws);
      break;
    case Kind::BackingSequence:
      UndoSequence(ws);
      break;
    case Kind::KbdSet:
      UndoKbdSet(ws);
      break;
    default:
      break;
  }
  SetUndoMenu(ws, slot, false);
}

}  // namespace i40
