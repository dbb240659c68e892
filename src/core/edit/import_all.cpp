#include "edit/import_all.h"

#include <memory>

#include "format/component_file.h"
#include "format/component_io.h"
#include "format/kind_table.h"
#include "host/error_reports.h"
#include "session/load_component.h"

namespace i40 {

bool ImportAllItems(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind) {
  if (!IsStoredKind(kind)) return false;
  const auto file = AskForComponentFile(
      ws, prompter, "Import all " + std::string(KindName(kind)) + " from...", kind);
  if (!file) return false;

  auto copy = std::make_unique<FileSet>(ws.sets.Files(slot));
  if (const ReadOutcome problem = ReadComponentBytes(kind, file->bytes, *copy)) {
    ReportLoadError(prompter, kind, *problem);
    return false;
  }
  FactsOf(kind).take(ws.sets.Files(slot), *copy);
  ws.sets.Entry(slot).Modified[static_cast<std::size_t>(KindIndex(kind))] = true;
  return true;
}

}  // namespace i40
