#include "session/open_set.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <system_error>

#include "format/component_file.h"
#include "format/component_io.h"
#include "format/set_paths.h"
#include "host/error_reports.h"
#include "session/load_component.h"
#include "version.h"

namespace fs = std::filesystem;

namespace i40 {
namespace {

// Closes the progress window on every way out.
class ProgressWindow {
 public:
  explicit ProgressWindow(Prompter& prompter) : prompter_(prompter) {}
  ~ProgressWindow() {
    if (shown_) prompter_.EndProgress();
  }
  void Show(const std::string& caption, double minimum, double maximum) {
    prompter_.BeginProgress(caption, "", minimum, maximum);
    shown_ = true;
  }
  void Advance(double by) {
    value_ += by;
    prompter_.SetProgress(value_);
  }

 private:
  Prompter& prompter_;
  bool shown_ = false;
  double value_ = 0;
};

// "Name X is already in use. Continue anyway?" once for every open Set of that name.
bool AcceptNameInUse(const Workspace& ws, Prompter& prompter, const std::string& name) {
  for (const SetSlot slot : ws.sets.Slots()) {
    if (!ws.sets.InUse(slot) || ws.sets.Entry(slot).Name != name) continue;
    const Message question{"Name " + name + " is already in use.\nContinue anyway?", "Warning",
                           MessageIcon::Exclamation, MessageButtons::OkCancel, Answer::Ok};
    if (prompter.Ask(question) == Answer::Cancel) return false;
  }
  return true;
}

// Offers to create each missing component from the template.
bool CompleteComponents(Workspace& ws, Prompter& prompter, const fs::path& path,
                        const std::string& name, FileOps& ops) {
  for (Kind kind : kStoredKinds) {
    if (FindComponentFile(path, kind, ops)) continue;
    const Message question{name + std::string(KindExt(kind)) + " is missing.\nCreate it?",
                           "Open a Set", MessageIcon::Exclamation, MessageButtons::OkCancel,
                           Answer::Cancel};
    if (prompter.Ask(question) != Answer::Ok) return false;
    const auto source = FindComponentFile(ws.templateSet, kind, ops);
    const auto bytes = source ? ops.ReadAll(*source) : std::nullopt;
    if (!bytes || ReplaceFileAtomically(ops, ComponentPath(path, kind), *bytes)) {
      prompter.Ask({"Unable to create file!", "Create file", MessageIcon::Exclamation,
                    MessageButtons::Ok, Answer::Ok});
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<fs::path> AskForSet(const Workspace& ws, Prompter& prompter, std::string title) {
  FileRequest request;
  request.title =
      title.empty() ? "Select a " + std::string(kInstrumentName) + " Set" : std::move(title);
  request.initialDir = ws.settings.PathNam;
  request.initialName = "*.*";
  request.filters = SetFileFilters();
  request.defaultExt = std::string(KindExt(Kind::Arrangement));
  const auto chosen = prompter.ChooseOpenFile(request);
  if (!chosen || chosen->empty()) return std::nullopt;
  return SetPathFromComponent(*chosen);
}

std::vector<FileFilter> SetFileFilters() {
  // Any component names its Set, so the first entry shows them all.
  FileFilter sets{std::string(kInstrumentName) + " Sets", ""};
  for (Kind kind : kStoredKinds)
    sets.pattern += (sets.pattern.empty() ? "*" : " *") + std::string(KindExt(kind));
  std::vector<FileFilter> filters = {sets, {"All", "*.*"}};
  for (Kind kind : kStoredKinds) {
    filters.push_back({std::string(KindName(kind)), "*" + std::string(KindExt(kind))});
  }
  return filters;
}

std::string NewSetName(SetSlot slot) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%02d", Value(slot));
  return "NEWSET" + std::string(digits);
}

bool IsNewSetName(const std::string& name) {
  return name.rfind("NEWSET", 0) == 0;
}

namespace {

// The folder as the file system resolves it (links, "..", a relative path); the path
// as given when it cannot be resolved.
fs::path ResolvedDir(const fs::path& dir) {
  std::error_code ec;
  fs::path resolved = fs::weakly_canonical(dir.empty() ? fs::path(".") : dir, ec);
  return ec ? dir : resolved;
}

// Two Set paths name the same files: the Arrangement files are one file (a folder reached
// through a link, a case-blind file system), or the folders resolve alike and the names
// are equal.
bool SameSet(const fs::path& a, const fs::path& b) {
  if (SetNameOf(a).empty() || SetNameOf(b).empty()) return false;
  const auto fileA = FindComponentFile(a, Kind::Arrangement);
  const auto fileB = FindComponentFile(b, Kind::Arrangement);
  std::error_code ec;
  if (fileA && fileB && fs::equivalent(*fileA, *fileB, ec) && !ec) return true;
  return SetNameOf(a) == SetNameOf(b) && ResolvedDir(ParentDirOf(a)) == ResolvedDir(ParentDirOf(b));
}

}  // namespace

SetSlot FindOpenSet(const Workspace& ws, const fs::path& setPath) {
  for (const SetSlot slot : ws.sets.Slots()) {
    if (!ws.sets.InUse(slot)) continue;
    const SetEntry& entry = ws.sets.Entry(slot);
    if (IsNewSetName(entry.Name)) continue;
    if (SameSet(entry.Dir / PathOfText(entry.Name), setPath)) return slot;
  }
  return kNoSet;
}

SetSlot OpenSet(Workspace& ws, Prompter& prompter, bool isNew, const fs::path& given, FileOps& ops,
                SetSlot* alreadyOpen) {
  const auto refuseOpenSet = [&](const fs::path& setPath) {
    if (alreadyOpen == nullptr) return false;
    *alreadyOpen = FindOpenSet(ws, setPath);
    return *alreadyOpen != kNoSet;
  };
  fs::path path = given;
  std::string name;
  if (!path.empty()) {
    name = SetNameOf(path);
    fs::path dir = ParentDirOf(path);
    if (dir.empty()) dir = ".";
    const FileType type = ops.TypeOf(dir);
    if (type == FileType::None) return kNoSet;  // the folder has gone: open nothing, say nothing
    if (type != FileType::Directory) path.clear();
    if (!path.empty() && !isNew && refuseOpenSet(path)) return kNoSet;
  }
  if (isNew) {
    path = ws.templateSet;
    name = SetNameOf(path);
  }
  if (path.empty()) {
    const auto chosen = AskForSet(ws, prompter);
    if (!chosen) return kNoSet;
    path = *chosen;
    name = SetNameOf(path);
    if (name.empty() || refuseOpenSet(path) || !AcceptNameInUse(ws, prompter, name)) return kNoSet;
  }
  if (!CompleteComponents(ws, prompter, path, name, ops)) return kNoSet;

  const SetSlot slot = ws.sets.FindFreeSlot();
  SetEntry& entry = ws.sets.Entry(slot);
  ProgressWindow progress(prompter);
  progress.Show("Loading " + name + " Files...", 0.001, 15.001);

  // Every component is tested, and each failure shown, before anything is read.
  std::vector<std::optional<ComponentFile>> files;
  bool allValid = true;
  for (Kind kind : kStoredKinds) {
    files.push_back(OpenComponent(path, kind, prompter, ops));
    entry.Modified[static_cast<std::size_t>(KindIndex(kind))] = isNew;
    allValid = allValid && files.back().has_value();
  }
  progress.Advance(1);
  if (!allValid) {
    ws.sets.Release(slot);
    return kNoSet;
  }

  if (isNew) {
    name = NewSetName(slot);
    path = ws.settings.PathNam / PathOfText(name);
  }
  entry.Dir = ParentDirOf(path);
  // The dialogs next open beside the Set's folder; a new Set has no folder of its own yet.
  if (!isNew) ws.settings.PathNam = ParentDirOf(entry.Dir);
  entry.Name = name;

  // The slot may have held a closed Set: what this Set's files do not hold (a file that
  // breaks off) must be blank, never that Set's items.
  FileSet& set = ws.sets.Files(slot);
  set = BlankFileSet(ws.blanks);
  auto load = [&](Kind kind, double step) {
    for (const auto& file : files) {
      if (file->kind == kind) LoadComponent(*file, set, prompter);
    }
    if (step > 0) progress.Advance(step);
  };
  load(Kind::Arrangement, 2);
  load(Kind::Style, 6);
  load(Kind::Program, 2);
  load(Kind::BackingSequence, 2);
  progress.Advance(1);
  load(Kind::Global, 0);
  load(Kind::KbdSet, 0);
  load(Kind::ArrangementGlobal, 0);
  progress.Advance(1);
  entry.UndoEnabled = false;
  return slot;
}

SetSlot OpenRecentSet(Workspace& ws, Prompter& prompter, const fs::path& setPath,
                      SetSlot* alreadyOpen) {
  FileOps& ops = RealFileOps();
  const fs::path dir = ParentDirOf(setPath);
  const bool gone = ops.TypeOf(dir.empty() ? fs::path(".") : dir) != FileType::Directory ||
                    !FindComponentFile(setPath, Kind::Arrangement, ops);
  if (!gone) return OpenSet(ws, prompter, false, setPath, ops, alreadyOpen);
  const Message question{"The Set " + SetNameOf(setPath) + " is no longer in " + PathText(dir) +
                             ". Remove it from the list?",
                         "", MessageIcon::Question, MessageButtons::YesNo, Answer::Yes};
  if (prompter.Ask(question) == Answer::Yes) {
    auto& recent = ws.settings.RecentSets;
    recent.erase(std::remove(recent.begin(), recent.end(), setPath), recent.end());
  }
  return kNoSet;
}

SetSlot OpenCompleteSet(Workspace& ws, Prompter& prompter, const fs::path& setPath) {
  bool complete = true;
  for (const Kind kind : kStoredKinds) {
    if (FindComponentFile(setPath, kind)) continue;
    prompter.ShowError(
        ComponentErrorText({ComponentProblem::NotFound, ComponentPath(setPath, kind)}));
    complete = false;
  }
  return complete ? OpenSet(ws, prompter, false, setPath) : kNoSet;
}

}  // namespace i40
