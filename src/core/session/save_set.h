#pragma once

#include <filesystem>
#include <optional>

#include "format/file_ops.h"
#include "host/prompter.h"
#include "session/workspace.h"

namespace i40 {

// The order in which a Set's components are written.
inline constexpr std::array<Kind, 7> kSaveOrder = {
    Kind::Arrangement,       Kind::Style,  Kind::Program, Kind::BackingSequence, Kind::Global,
    Kind::ArrangementGlobal, Kind::KbdSet,
};

// Asks where to save a Set; the Set path (the chosen name without a component's or the
// dialog's own ".xxx" extension), or nothing when cancelled. The dialogs next open in
// the chosen folder.
std::optional<std::filesystem::path> ChooseDestination(Workspace& ws, Prompter& prompter);

// Writes a Set's components under a Set path: all of them, or only the changed ones.
// Each component replaces its file atomically; one that cannot be written is reported
// with "Error saving <kind> data." and stays marked changed, and the others are still
// written. True when every component written was written.
bool SaveSet(Workspace& ws, Prompter& prompter, SetSlot slot, const std::filesystem::path& path,
             bool all, FileOps& ops = RealFileOps());

// File > Save: a Set never saved asks for a destination first.
bool SaveCommand(Workspace& ws, Prompter& prompter, SetSlot slot, FileOps& ops = RealFileOps());

// File > Save As...: asks before writing over an existing Set (one with a Style file).
bool SaveAsCommand(Workspace& ws, Prompter& prompter, SetSlot slot, FileOps& ops = RealFileOps());

// Asks "Save the changes in <Set> ?" when something changed; false when the window
// stays open: the user cancelled, or chose to save and the save did not complete.
bool QueryCloseSet(Workspace& ws, Prompter& prompter, SetSlot slot, FileOps& ops = RealFileOps());

// The window is gone: the clipboards and undo copies forget the Set, the slot is freed
// and remembered as the last Set unless it was never saved.
void UnloadSet(Workspace& ws, SetSlot slot);

}  // namespace i40
