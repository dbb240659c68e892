#pragma once

#include "format/file_ops.h"
#include "format/kinds.h"
#include "host/prompter.h"
#include "session/workspace.h"

// After an export to a preset data file, the preset list learns the new names: the
// lines of the destination bank are rewritten, every other line stays as it was.
namespace i40 {

enum class PresetListUpdate {
  Updated,     // the new list is in force and ws.presets holds it
  NotUpdated,  // the previous list stays in force (the message has been shown)
  MustEnd,     // no list can be read any more: the program must end (message shown)
};

// Writes the names of the items just exported into the preset list under the marker
// line of the destination bank, keeping every other line as it was. The list in force
// is kept as the backup in the per-user data folder and the new list is written there;
// nothing replaces the list in force unless it reads back with exactly the new names.
//   kind Arrangement: sourceBank C, destination bank 0-1;
//   kind Program: sourceBank F with destination bank 0-4, or sourceBank R with
//   destination pair 0-6.
PresetListUpdate UpdatePresetList(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind,
                                  BankNo sourceBank, int destination, FileOps& ops = RealFileOps());

}  // namespace i40
