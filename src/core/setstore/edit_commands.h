#pragma once

#include <string_view>

#include "setstore/edit_steps.h"
#include "setstore/workspace.h"
#include "ui/prompter.h"

// The Edit menu and drag and drop of a Set window, as one entry point per gesture, so
// that the desktop editor and the command line run exactly the same thing.
namespace i40 {

enum class EditCommand {
  Cut,
  Copy,
  Paste,
  Delete,
  Insert,
  PasteFromIStyle,
  EraseBank,
  Import,
  Undo
};

// Runs a command on the tab of `kind`. `index` is the selected position: the user index
// for Arrangements, Styles and Programs (-1 on a preset cell), the sequence (0-9) or the
// KBD Set (0-14). `bank` is the bank the tab shows (Erase Bank). True when something
// was done.
bool RunEditCommand(Workspace& ws, Prompter& prompter, int slot, Kind kind, EditCommand command,
                    int index, int bank);

// A drop on a grid or list of the same kind: a move inside a Set, a copy between Sets.
bool RunDrop(Workspace& ws, Prompter& prompter, Kind kind, int fromSlot, int fromIndex, int toSlot,
             int toIndex);

}  // namespace i40
