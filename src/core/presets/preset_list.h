#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "format/file_ops.h"
#include "host/prompter.h"
#include "presets/preset_tables.h"

namespace i40 {

inline constexpr std::string_view kPresetListName = "I40PRSTS";
inline constexpr std::string_view kPresetListFileName = "I40PRSTS.TXT";
inline constexpr std::string_view kPresetListBackupName = "I40PRSTS.BAK";

// No preset list comes near this; a larger file is not read into memory.
inline constexpr std::size_t kMaxPresetListSize = 4u * 1024u * 1024u;

// The line that opens the entries (compared without regard to case).
inline constexpr std::string_view kPresetListMarker = "Korg-i40";

enum class PresetListProblem { Unreadable, NoMarkerLine, EndedEarly, NotANumber };

// What went wrong and where: 1-based line of the file, the table entry being read.
struct PresetListError {
  PresetListProblem problem;
  int line = 0;
  int entry = 0;
  std::string field;

  std::string Describe() const;
};

// Reads the text of a preset list: lines up to and including the first one containing
// "Korg-i40" are skipped, then every entry of every table in order. Fields are
// comma-separated; names stand in double quotes. Before each name, empty fields and
// comments (a field beginning with "/", up to the end of its line) are skipped.
std::variant<PresetTables, PresetListError> ParsePresetList(std::string_view text);

// Reads a preset list file.
std::variant<PresetTables, PresetListError> ReadPresetList(const std::filesystem::path& file,
                                                           FileOps& ops = RealFileOps());

// The message shown when the preset list cannot be used; the program ends after it.
std::string PresetListErrorText();

// Reads the preset list, or shows the message and gives nothing: the caller ends.
std::optional<PresetTables> LoadPresetLists(const std::filesystem::path& file, Prompter& prompter);

}  // namespace i40
