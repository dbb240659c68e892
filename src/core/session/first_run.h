#pragma once

#include <filesystem>
#include <optional>

#include "format/file_ops.h"
#include "session/data_locations.h"
#include "session/settings.h"

namespace i40 {

// The folder in the user's documents where a first run puts the demo Set.
inline constexpr const char* kSetsFolderName = "i40 Sets";
// The shipped demo Set: data folder "demo", Set name "DEMO".
inline constexpr const char* kDemoFolderName = "demo";
inline constexpr const char* kDemoSetName = "DEMO";

// A first run leads to a Set the user may change: when no Set was ever opened (no recent
// Set) and the documents folder has no "i40 Sets" yet, that folder is made and the
// shipped demo Set copied into it. The copy's Set path, or nothing (not a first run, no
// demo shipped, or a file that could not be written; what was copied stays). Nothing
// that exists is ever written over.
std::optional<std::filesystem::path> PrepareFirstRun(const Settings& settings,
                                                     const DataLocations& data,
                                                     const std::filesystem::path& documentsDir,
                                                     FileOps& ops = RealFileOps());

}  // namespace i40
