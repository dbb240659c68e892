#include "session/data_locations.h"

#include <cstdlib>

namespace fs = std::filesystem;

namespace i40 {

std::optional<fs::path> DataLocations::Find(const fs::path& relative, FileOps& ops) const {
  if (!userDir.empty() && ops.Exists(userDir / relative)) return userDir / relative;
  for (const fs::path& dir : shippedDirs) {
    if (ops.Exists(dir / relative)) return dir / relative;
  }
  return std::nullopt;
}

fs::path DataLocations::Writable(const fs::path& relative) const {
  return userDir / relative;
}

std::vector<fs::path> ShippedDataDirs(const fs::path& executable) {
  const fs::path dir = executable.parent_path();
  return {dir / "data", dir.parent_path() / "share" / "i40seted"};
}

fs::path DefaultUserDataDir() {
#ifdef _WIN32
  // The wide variable: a user name outside the ANSI code page stays whole.
  if (const wchar_t* appData = _wgetenv(L"APPDATA"); appData && *appData) {
    return fs::path(appData) / "i40seted";
  }
  return fs::path("i40seted");
#else
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    return fs::path(xdg) / "i40seted";
  }
  if (const char* home = std::getenv("HOME"); home && *home) {
    return fs::path(home) / ".local" / "share" / "i40seted";
  }
  return fs::path(".i40seted");
#endif
}

}  // namespace i40
