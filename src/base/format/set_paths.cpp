#include "format/set_paths.h"

#include <algorithm>
#include <vector>

#include "util/ascii.h"

namespace fs = std::filesystem;

namespace i40 {

std::string SetNameOf(const fs::path& setPath) {
  return PathText(setPath.filename());
}

bool IsReservedSetName(std::string_view name) {
  if (name.find_first_of("<>:\"/\\|?*") != std::string_view::npos) return true;
  // Windows reads "CON.txt" and "CON " as the device too.
  std::string_view device = name.substr(0, name.find('.'));
  while (!device.empty() && device.back() == ' ')
    device.remove_suffix(1);
  for (const std::string_view reserved : {"CON", "PRN", "AUX", "NUL"}) {
    if (EqualsIgnoringAsciiCase(device, reserved)) return true;
  }
  return device.size() == 4 &&
         (EqualsIgnoringAsciiCase(device.substr(0, 3), "COM") ||
          EqualsIgnoringAsciiCase(device.substr(0, 3), "LPT")) &&
         device[3] >= '1' && device[3] <= '9';
}

std::string ReservedSetNameText(const std::string& name) {
  return name + " cannot be a Set name: Windows and the instrument's disks reserve it.";
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

std::optional<fs::path> FindComponentFile(const fs::path& setPath, Kind kind, FileOps& ops) {
  const fs::path exact = ComponentPath(setPath, kind);
  const std::string stem = PathText(setPath.filename());
  if (stem.empty()) return std::nullopt;
  const std::string_view ext = KindExt(kind);
  fs::path dir = setPath.parent_path();
  if (dir.empty()) dir = ".";

  // The folder's listing gives each name as the disk spells it: on Windows, whose names
  // ignore case, the exact name would be found under any spelling, and messages would
  // name a file that is not there as such.
  std::vector<fs::path> matches;
  for (const std::string& name : ops.List(dir)) {
    if (name.size() != stem.size() + ext.size()) continue;
    const std::string_view nameStem = std::string_view(name).substr(0, stem.size());
    if (kCaseBlindFileNames ? !EqualsIgnoringAsciiCase(nameStem, stem) : nameStem != stem) {
      continue;
    }
    if (!EqualsIgnoringAsciiCase(std::string_view(name).substr(stem.size()), ext)) continue;
    const fs::path candidate = setPath.parent_path() / PathOfText(name);
    if (ops.TypeOf(candidate) != FileType::Regular) continue;
    if (candidate.filename() == exact.filename()) return candidate;
    matches.push_back(candidate);
  }
  if (matches.empty()) {
    // A folder that cannot be listed may still hold the file.
    if (ops.TypeOf(exact) == FileType::Regular) return exact;
    return std::nullopt;
  }
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

fs::path PathOfText(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

fs::path TempFilePathFor(const fs::path& destination) {
  fs::path name(".");
  name += destination.filename();
  name += ".KORGI40.TMP";
  return destination.parent_path() / name;
}

fs::path EmptyTemplatePath(const fs::path& dataDir) {
  return dataDir / "I40EMPTY" / "I40EMPTY";
}

}  // namespace i40
