// The arrows between the rooms of the program, read from the sources themselves: the core
// and its base include no widget or device library, and no two folders of them include
// each other (the format library's own include root already stops it reaching up).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Include {
  std::string file;  // relative to src/
  std::string line;
  std::string target;
};

// Every #include of the sources under src/<layer>, with the folder of the including file.
std::map<std::string, std::vector<Include>> IncludesByFolder(const std::string& layer) {
  std::map<std::string, std::vector<Include>> byFolder;
  const fs::path root = fs::path(I40_SOURCE_DIR) / "src";
  for (const auto& entry : fs::recursive_directory_iterator(root / layer)) {
    const std::string ext = entry.path().extension().string();
    if (ext != ".h" && ext != ".cpp") continue;
    const fs::path relative = entry.path().lexically_relative(root / layer);
    const std::string folder = relative.has_parent_path() ? relative.begin()->string() : ".";
    std::ifstream in(entry.path());
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("#include", 0) != 0) continue;
      const std::size_t open = line.find_first_of("\"<");
      const std::size_t close = line.find_first_of("\">", open + 1);
      if (open == std::string::npos || close == std::string::npos) continue;
      byFolder[folder].push_back({entry.path().lexically_relative(root).generic_string(), line,
                                  line.substr(open + 1, close - open - 1)});
    }
  }
  return byFolder;
}

TEST(Layers, TheCoreIncludesNoWidgetOrDeviceLibrary) {
  for (const std::string layer : {"base", "core"}) {
    for (const auto& [folder, includes] : IncludesByFolder(layer)) {
      for (const Include& i : includes) {
        const std::string& t = i.target;
        const bool foreign = t.rfind("Q", 0) == 0 || t.rfind("qt", 0) == 0 ||
                             t.find("RtMidi") != std::string::npos ||
                             t.find("rtmidi") != std::string::npos || t.rfind("jack/", 0) == 0 ||
                             t.rfind("alsa/", 0) == 0;
        EXPECT_FALSE(foreign) << i.file << ": " << i.line;
      }
    }
  }
}

TEST(Layers, NoTwoFoldersIncludeEachOther) {
  std::map<std::string, std::map<std::string, std::string>> uses;  // folder -> folder -> where
  for (const std::string layer : {"base", "core"}) {
    for (const auto& [folder, includes] : IncludesByFolder(layer)) {
      for (const Include& i : includes) {
        const std::size_t slash = i.target.find('/');
        if (slash == std::string::npos) continue;
        const std::string used = i.target.substr(0, slash);
        if (used != folder) uses[folder].emplace(used, i.file + ": " + i.line);
      }
    }
  }
  for (const auto& [folder, used] : uses) {
    for (const auto& [other, where] : used) {
      if (folder >= other || !uses.contains(other) || !uses[other].contains(folder)) continue;
      ADD_FAILURE() << folder << " and " << other << " include each other:\n  " << where << "\n  "
                    << uses[other][folder];
    }
  }
}

}  // namespace
