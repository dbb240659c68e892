#include "session/first_run.h"

#include <algorithm>
#include <string>

#include "format/set_paths.h"

namespace fs = std::filesystem;

namespace i40 {

std::optional<fs::path> PrepareFirstRun(const Settings& settings, const DataLocations& data,
                                        const fs::path& documentsDir, FileOps& ops) {
  if (!settings.RecentSets.empty() || documentsDir.empty()) return std::nullopt;
  const fs::path folder = documentsDir / kSetsFolderName;
  if (ops.TypeOf(folder) != FileType::None) return std::nullopt;
  const auto demo = data.Find(kDemoFolderName, ops);
  if (!demo) return std::nullopt;
  std::vector<std::string> names = ops.List(*demo);
  std::sort(names.begin(), names.end());
  const std::string prefix = std::string(kDemoSetName) + ".";
  if (std::none_of(names.begin(), names.end(),
                   [&](const std::string& name) { return name.rfind(prefix, 0) == 0; })) {
    return std::nullopt;
  }
  if (!ops.CreateDirectories(folder)) return std::nullopt;
  for (const std::string& name : names) {
    if (ops.TypeOf(*demo / PathOfText(name)) != FileType::Regular) continue;
    const fs::path target = folder / PathOfText(name);
    const auto bytes = ops.ReadAll(*demo / PathOfText(name));
    if (!bytes || ops.Exists(target)) return std::nullopt;  // nothing is written over
    if (!ops.WriteNew(target, *bytes)) {
      ops.Remove(target);  // no half-written copy
      return std::nullopt;
    }
  }
  return folder / kDemoSetName;
}

}  // namespace i40
