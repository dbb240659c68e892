#include "edit/import_all.h"

#include <memory>

#include "format/component_file.h"
#include "format/component_io.h"
#include "host/error_reports.h"
#include "session/load_component.h"

namespace i40 {
namespace {

// Moves the block of one kind from one Set's data to another's.
void TakeKind(Kind kind, FileSet& to, FileSet& from) {
  switch (kind) {
    case Kind::Arrangement:
      to.arrangements = std::move(from.arrangements);
      break;
    case Kind::Style:
      to.styles = std::move(from.styles);
      break;
    case Kind::Program:
      to.programs = std::move(from.programs);
      break;
    case Kind::BackingSequence: {
      const auto path = to.backingSequences.path;  // where this Set's sequences are saved
      to.backingSequences = std::move(from.backingSequences);
      to.backingSequences.path = path;
      break;
    }
    case Kind::KbdSet:
      to.kbdSets = std::move(from.kbdSets);
      break;
    case Kind::ArrangementGlobal:
      to.arrangementGlobal = std::move(from.arrangementGlobal);
      break;
    case Kind::Global:
      to.global = std::move(from.global);
      break;
    default:
      break;
  }
}

}  // namespace

bool ImportAllItems(Workspace& ws, Prompter& prompter, int slot, Kind kind) {
  if (!IsStoredKind(kind)) return false;
  const auto file = AskForComponentFile(
      ws, prompter, "Import all " + std::string(KindName(kind)) + " from...", kind);
  if (!file) return false;

  auto copy = std::make_unique<FileSet>(ws.sets.Files(slot));
  if (const ReadOutcome problem = ReadComponentBytes(kind, file->bytes, *copy)) {
    ReportLoadError(prompter, kind, *problem);
    return false;
  }
  TakeKind(kind, ws.sets.Files(slot), *copy);
  ws.sets.Entry(slot).Modified[static_cast<std::size_t>(KindIndex(kind))] = true;
  return true;
}

}  // namespace i40
