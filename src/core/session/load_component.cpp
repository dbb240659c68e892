#include "session/load_component.h"

#include "format/component_io.h"
#include "format/set_paths.h"
#include "host/error_reports.h"

namespace fs = std::filesystem;

namespace i40 {
namespace {

std::optional<ComponentFile> ShowingErrors(std::variant<ComponentFile, ComponentError> result,
                                           Prompter& prompter) {
  if (auto* error = std::get_if<ComponentError>(&result)) {
    prompter.ShowError(ComponentErrorText(*error));
    return std::nullopt;
  }
  return std::get<ComponentFile>(std::move(result));
}

}  // namespace

std::string ComponentErrorText(const ComponentError& error) {
  const std::string name = PathText(error.path);
  switch (error.problem) {
    case ComponentProblem::NotFound:
      return "File " + name + " not found";
    case ComponentProblem::CantOpen:
      return "Can't open file " + name;
    case ComponentProblem::HeaderUnreadable:
      return "Error reading " + name + " file header";
    case ComponentProblem::NotValid:
      return name + " is not a valid file";
  }
  return {};
}

std::optional<ComponentFile> OpenComponent(const fs::path& setPath, Kind kind, Prompter& prompter,
                                           FileOps& ops) {
  return ShowingErrors(ReadComponent(setPath, kind, ops), prompter);
}

std::optional<ComponentFile> OpenComponentFile(const fs::path& file, Kind kind, Prompter& prompter,
                                               FileOps& ops) {
  return ShowingErrors(ReadComponentAt(file, kind, ops), prompter);
}

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

bool LoadComponent(const ComponentFile& file, FileSet& set, Prompter& prompter) {
  const ReadOutcome problem = ReadComponentBytes(file.kind, file.bytes, set);
  if (file.kind == Kind::BackingSequence) set.backingSequences.path = file.path;
  if (problem) ReportLoadError(prompter, file.kind, *problem);
  return !problem;
}

std::optional<BlankRecords> PrepareBlankRecords(const fs::path& templatePath, Prompter& prompter,
                                                FileOps& ops) {
  auto blanks = ReadBlankRecords(templatePath, ops);
  if (auto* error = std::get_if<BlankRecordsError>(&blanks)) {
    if (error->component) {
      prompter.ShowError(ComponentErrorText(*error->component));
      ReportLoadError(prompter, error->kind, "");
    } else {
      ReportLoadError(prompter, error->kind, "The template file ends before its first record");
    }
    return std::nullopt;
  }
  return std::get<BlankRecords>(std::move(blanks));
}

}  // namespace i40
