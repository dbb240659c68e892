#include "setstore/set_paths.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "util/ascii.h"

namespace fs = std::filesystem;

namespace i40 {

std::string SetNameOf(const fs::path& setPath) {
  return PathText(setPath.filename());
}

fs::path ParentDirOf(const fs::path& path) {
  if (!path.has_relative_path() && path.has_root_path()) return path;  // a root is its own parent
  return path.parent_path();
}

fs::path ComponentPath(const fs::path& setPath, Kind kind) {
  fs::path file = setPath;
  file += std::string(KindExt(kind));
  return file;
}

namespace {

bool IsRegularFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

}  // namespace

std::optional<fs::path> FindComponentFile(const fs::path& setPath, Kind kind) {
  const fs::path exact = ComponentPath(setPath, kind);
  if (IsRegularFile(exact)) return exact;

  const std::string stem = setPath.filename().string();
  if (stem.empty()) return std::nullopt;
  const std::string_view ext = KindExt(kind);
  fs::path dir = setPath.parent_path();
  if (dir.empty()) dir = ".";

  std::vector<fs::path> matches;
  std::error_code ec;
  fs::directory_iterator it(dir, ec);
  if (ec) return std::nullopt;
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    const std::string name = it->path().filename().string();
    if (name.size() != stem.size() + ext.size()) continue;
    if (name.compare(0, stem.size(), stem) != 0) continue;
    if (!EqualsIgnoringAsciiCase(std::string_view(name).substr(stem.size()), ext)) continue;
    if (IsRegularFile(it->path())) matches.push_back(setPath.parent_path() / name);
  }
  if (matches.empty()) return std::nullopt;
  std::sort(matches.begin(), matches.end());
  return matches.front();
}

fs::path SetPathFromComponent(const fs::path& componentFile) {
  fs::path setPath = componentFile;
  setPath.replace_extension();
  return setPath;
}

std::string PathText(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

fs::path TempFilePathFor(const fs::path& destination) {
  std::string name = ".";
  name += destination.filename().string();
  name += ".KORGI40.TMP";
  return destination.parent_path() / name;
}

fs::path EmptyTemplatePath(const fs::path& dataDir) {
  return dataDir / "I40EMPTY" / "I40EMPTY";
}

}  // namespace i40
