#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "format/file_ops.h"

namespace i40 {

// Where the program's own files live: the template Set, the preset list, the tips and
// the help. A copy in the per-user folder wins over the shipped one, and everything the
// program writes goes to the per-user folder.
struct DataLocations {
  std::filesystem::path userDir;
  std::vector<std::filesystem::path> shippedDirs;

  // The first existing file or folder of that relative name, user folder first.
  std::optional<std::filesystem::path> Find(const std::filesystem::path& relative,
                                            FileOps& ops = RealFileOps()) const;

  // Where the program writes a file of that name.
  std::filesystem::path Writable(const std::filesystem::path& relative) const;
};

// The shipped data folders for a program at this path: "data" beside it (a build
// tree), then "../share/i40seted" (an installed program).
std::vector<std::filesystem::path> ShippedDataDirs(const std::filesystem::path& executable);

// The per-user data folder of a program without Qt: $XDG_DATA_HOME/i40seted, else
// ~/.local/share/i40seted (on Windows %APPDATA%\i40seted). Matches what the desktop
// editor uses, so both tools share the per-user copies.
std::filesystem::path DefaultUserDataDir();

}  // namespace i40
