#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "setstore/component_file.h"
#include "setstore/workspace.h"
#include "ui/prompter.h"

// Steps that the editing operations of several kinds share.
namespace i40 {

// The open dialog for one file of a kind (title as given, its extension as the only
// filter, starting in the Sets' folder), then the file's header test as that kind.
std::optional<ComponentFile> AskForComponentFile(Workspace& ws, Prompter& prompter,
                                                 const std::string& title, Kind kind);

// A drag starts only on an item of the Set: a user position that holds something
// (every KBD Set holds a set-up).
bool CanStartDrag(const Workspace& ws, int slot, Kind kind, int index);

// The rest of a drag and drop once the source is on the clipboard: in the same Set the
// item moves (paste with its callers following, then a quiet cut of the source); into
// another Set it is copied and the target checked for duplicate names.
struct DragSteps {
  std::function<bool(bool moveCallers)> paste;
  std::function<bool()> cutSource;
  std::function<void()> warnDuplicates;
  std::int32_t& undoOperation;
};
bool FinishDrag(Workspace& ws, bool sameSet, int toSlot, const DragSteps& steps);

}  // namespace i40
