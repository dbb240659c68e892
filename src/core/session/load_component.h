#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "format/blank_records.h"
#include "format/component_file.h"
#include "format/file_set.h"
#include "host/prompter.h"
#include "session/workspace.h"

// Taking a component file for a Set, with every failure told to the user.
namespace i40 {

// The message the user sees for a component that could not be taken.
std::string ComponentErrorText(const ComponentError& error);

// ReadComponent, with any failure shown as a critical "Error" box.
std::optional<ComponentFile> OpenComponent(const std::filesystem::path& setPath, Kind kind,
                                           Prompter& prompter, FileOps& ops = RealFileOps());

// ReadComponentAt, with any failure shown as a critical "Error" box.
std::optional<ComponentFile> OpenComponentFile(const std::filesystem::path& file, Kind kind,
                                               Prompter& prompter, FileOps& ops = RealFileOps());

// The open dialog for one file of a kind (title as given, its extension as the only
// filter, starting in the Sets' folder), then the file's header test as that kind.
std::optional<ComponentFile> AskForComponentFile(Workspace& ws, Prompter& prompter,
                                                 const std::string& title, Kind kind);

// Reads an opened component into a Set; a problem is shown as "Error getting <kind>
// data." with what and where, and what was read before it stays. True when all was read.
bool LoadComponent(const ComponentFile& file, FileSet& set, Prompter& prompter);

// The blank records from the template Set. When the template's Style or KBD Set file
// cannot be used, the component's own message and "Error getting <kind> data." are shown
// and nothing is returned: the program cannot go on.
std::optional<BlankRecords> PrepareBlankRecords(const std::filesystem::path& templatePath,
                                                Prompter& prompter, FileOps& ops = RealFileOps());

}  // namespace i40
