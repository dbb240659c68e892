#include "session/save_set.h"

#include "format/component_io.h"
#include "format/set_paths.h"
#include "host/error_reports.h"
#include "session/open_set.h"
#include "version.h"

namespace fs = std::filesystem;

namespace i40 {

std::optional<fs::path> ChooseDestination(Workspace& ws, Prompter& prompter) {
  FileRequest request;
  request.title =
      "Select a " + std::string(kInstrumentName) + " destination file (without extension)";
  request.initialDir = ws.settings.PathNam;
  request.filters = SetFileFilters();
  request.defaultExt = "xxx";
  const auto chosen = prompter.ChooseSaveFile(request);
  if (!chosen || chosen->filename().empty()) return std::nullopt;
  ws.settings.PathNam = ParentDirOf(*chosen);
  // The dialog appends ".xxx" to a name typed without extension; a chosen or typed name
  // brings its own. Either way the Set is the name without it, as when a Set is opened.
  fs::path set = SetPathFromComponent(*chosen);
  if (IsReservedSetName(SetNameOf(set))) {
    prompter.ShowWarning(ReservedSetNameText(SetNameOf(set)));
    return std::nullopt;
  }
  return set;
}

bool SaveSet(Workspace& ws, Prompter& prompter, SetSlot slot, const fs::path& path, bool all,
             FileOps& ops) {
  SetEntry& entry = ws.sets.Entry(slot);
  entry.Dir = ParentDirOf(path);
  entry.Name = SetNameOf(path);
  FileSet& set = ws.sets.Files(slot);
  bool allWritten = true;
  int written = 0;
  for (Kind kind : kSaveOrder) {
    bool& modified = entry.Modified[static_cast<std::size_t>(KindIndex(kind))];
    if (!all && !modified) continue;
    // Write to the component's own file, whatever the case of its extension.
    const fs::path destination =
        FindComponentFile(path, kind, ops).value_or(ComponentPath(path, kind));
    const auto bytes = WriteComponentBytes(kind, set);
    if (const auto problem = ReplaceFileAtomically(ops, destination, bytes)) {
      ReportSaveError(prompter, kind, *problem);
      allWritten = false;
      continue;  // stays marked changed, so closing still asks
    }
    modified = false;
    ++written;
    if (kind == Kind::BackingSequence) set.backingSequences.path = destination;
  }
  if (written > 0 && allWritten)
    prompter.ShowOutcome(entry.Name + " saved" + (all ? " in " + PathText(entry.Dir) : ""));
  return allWritten;
}

bool SaveCommand(Workspace& ws, Prompter& prompter, SetSlot slot, FileOps& ops) {
  const SetEntry& entry = ws.sets.Entry(slot);
  if (IsNewSetName(entry.Name)) {
    const auto destination = ChooseDestination(ws, prompter);
    if (!destination) return false;
    return SaveSet(ws, prompter, slot, *destination, true, ops);
  }
  const fs::path path = entry.Dir / PathOfText(entry.Name);
  if (entry.AnyModified() && !CanCreateFileFor(ops, ComponentPath(path, Kind::Arrangement))) {
    // A folder that takes no files (an installed demo, a write-protected medium): seven
    // error messages would not say what to do about it.
    const Message question{"The folder " + PathText(entry.Dir) + " cannot be written, so " +
                               entry.Name + " cannot be saved there.\nSave it elsewhere?",
                           "Save a Set", MessageIcon::Exclamation, MessageButtons::YesNo,
                           Answer::Yes};
    if (prompter.Ask(question) != Answer::Yes) return false;
    return SaveAsCommand(ws, prompter, slot, ops);
  }
  return SaveSet(ws, prompter, slot, path, false, ops);
}

bool SaveAsCommand(Workspace& ws, Prompter& prompter, SetSlot slot, FileOps& ops) {
  const auto destination = ChooseDestination(ws, prompter);
  if (!destination) return false;
  if (FindComponentFile(*destination, Kind::Style, ops)) {
    const Message question{"This Set already exists.\nOverwrite it?", "Save a Set",
                           MessageIcon::Exclamation, MessageButtons::OkCancel, Answer::Cancel};
    if (prompter.Ask(question) != Answer::Ok) return false;
  }
  return SaveSet(ws, prompter, slot, *destination, true, ops);
}

bool QueryCloseSet(Workspace& ws, Prompter& prompter, SetSlot slot, FileOps& ops) {
  const SetEntry& entry = ws.sets.Entry(slot);
  if (!entry.AnyModified()) return true;
  const Message question{"Save the changes in " + entry.Name + " ?", entry.Name,
                         MessageIcon::Exclamation, MessageButtons::YesNoCancel, Answer::Cancel};
  switch (prompter.Ask(question)) {
    case Answer::Yes:
      // A save that did not happen, or failed in part, keeps the window open: closing it
      // would throw away what could not be written.
      return SaveCommand(ws, prompter, slot, ops);
    case Answer::No:
      return true;
    default:
      return false;
  }
}

void UnloadSet(Workspace& ws, SetSlot slot) {
  ws.edits.ForgetSet(slot);
  ws.sets.Release(slot);
  const SetEntry& entry = ws.sets.Entry(slot);
  if (!IsNewSetName(entry.Name)) ws.settings.OldSetNam = entry.Dir / PathOfText(entry.Name);
}

}  // namespace i40
