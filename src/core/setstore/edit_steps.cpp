#include "setstore/edit_steps.h"

#include "calls/item_lookup.h"
#include "setstore/undo.h"

namespace i40 {

std::optional<ComponentFile> AskForComponentFile(Workspace& ws, Prompter& prompter,
                                                 const std::string& title, Kind kind) {
  const std::string ext(KindExt(kind));
  FileRequest request;
  request.title = title;
  request.initialDir = ws.settings.PathNam;
  request.initialName = "*" + ext;
  request.filters = {{ext.substr(1), "*" + ext}};
  const auto chosen = prompter.ChooseOpenFile(request);
  if (!chosen) return std::nullopt;
  return OpenComponentFile(*chosen, kind, prompter);
}

bool CanStartDrag(const Workspace& ws, int slot, Kind kind, int index) {
  if (!ws.sets.InUse(slot) || index < 0) return false;
  const FileSet& set = ws.sets.Files(slot);
  switch (kind) {
    case Kind::Arrangement:
    case Kind::Style:
    case Kind::Program:
      return index < UserItemCount(kind) && !IsItemSlotEmpty(set, kind, index);
    case Kind::BackingSequence:
      return index < kBsqCount &&
             !set.backingSequences.records[static_cast<std::size_t>(index)].IsEmpty();
    case Kind::KbdSet:
      return index < kKbdSetCount;
    default:
      return false;
  }
}

bool FinishDrag(Workspace& ws, bool sameSet, int toSlot, const DragSteps& steps) {
  if (sameSet) {
    if (!steps.paste(true) || !steps.cutSource()) return false;
    steps.undoOperation = kUndoMoveByDrag;
  } else {
    if (!steps.paste(false)) return false;
    steps.warnDuplicates();
    steps.undoOperation = kUndoCopyByDrag;
  }
  SetUndoMenu(ws, toSlot, true);
  return true;
}

}  // namespace i40
