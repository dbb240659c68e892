#include "setstore/edit_steps.h"

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
