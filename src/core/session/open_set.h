#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "format/file_ops.h"
#include "host/prompter.h"
#include "session/workspace.h"

namespace i40 {

// Every component of a Set ("Korg-i40 Sets"), "All", then each stored kind by name and
// extension: the open and save dialogs' list.
std::vector<FileFilter> SetFileFilters();

// Asks for a Set by any one of its component files (in the folder of the file dialogs);
// its Set path, or nothing when the user cancelled.
std::optional<std::filesystem::path> AskForSet(const Workspace& ws, Prompter& prompter,
                                               std::string title = {});

// A Set that has never been saved is named "NEWSET" and its slot as two digits.
std::string NewSetName(SetSlot slot);
bool IsNewSetName(const std::string& name);

// The slot of the open Set whose components are those of `setPath` (the same folder
// however it is reached, the same Set name), or kNoSet. A Set never saved has no files.
SetSlot FindOpenSet(const Workspace& ws, const std::filesystem::path& setPath);

// Brings a Set into a free slot and returns the slot, or kNoSet when nothing was opened.
// New Sets (isNew) are made from the template; otherwise the path names the Set, or,
// when empty, the user picks any one of its component files. Every stored component's
// header is tested before any is read; missing components may be created from the
// template first. Everything the user is told or asked goes through the prompter. The
// duplicate names of an opened Set are the caller's to warn about (once the Set is on
// screen: WarnDuplicatesAfterOpening). With `alreadyOpen`, a Set that is open
// already is not opened a second time: its slot goes there, nothing is said, and kNoSet is
// returned (an editor shows the Set's window instead; a second copy would let one
// window's save undo the other's). Without it (a read-only look at the files on disk),
// the Set opens again.
SetSlot OpenSet(Workspace& ws, Prompter& prompter, bool isNew, const std::filesystem::path& path,
                FileOps& ops = RealFileOps(), SetSlot* alreadyOpen = nullptr);

// File > Recent Sets: a Set whose folder or Arrangement file has gone is not opened (and
// nothing is created); the user may take it off the list. Otherwise as OpenSet.
SetSlot OpenRecentSet(Workspace& ws, Prompter& prompter, const std::filesystem::path& setPath,
                      SetSlot* alreadyOpen);

// Opens a Set for reading only when every stored component file is there; each missing
// one is reported ("File PATH not found") and nothing is asked. The slot, or kNoSet.
SetSlot OpenCompleteSet(Workspace& ws, Prompter& prompter, const std::filesystem::path& setPath);

}  // namespace i40
