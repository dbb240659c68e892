#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/settings_store.h"

namespace i40 {

namespace setting_keys {
inline constexpr std::string_view kPathNam = "PathNam";
inline constexpr std::string_view kOldSetNam = "OldSetNam";
inline constexpr std::string_view kWArrangeMode = "WArrangeMode";
inline constexpr std::string_view kModeId = "ModeId";
inline constexpr std::string_view kShowTips = "Show Tips at Startup";
inline constexpr std::string_view kHighCall = "HighCall";
inline constexpr std::string_view kWarnDupl = "WarnDupl";
inline constexpr std::string_view kStartOld = "StartOld";
// How a dump leaves for the instrument: packet size and pause between packets.
inline constexpr std::string_view kMidiPacketBytes = "MidiPacketBytes";
inline constexpr std::string_view kMidiPacketPauseMs = "MidiPacketPauseMs";
// The File menu's recent Sets: "RecentSet1" (the latest) to "RecentSet4".
inline constexpr std::string_view kRecentSet = "RecentSet";
}  // namespace setting_keys

inline constexpr std::size_t kRecentSetCount = 4;

// The options of a run, read once at start-up and written once at the end.
struct Settings {
  std::filesystem::path PathNam;    // folder the file dialogs open in
  std::filesystem::path OldSetNam;  // the last Set whose window closed, without extension
  int WArrangeMode = 1;             // 0 cascade, 1 tile
  int ModeId = 0;                   // tab a Set window opens on
  bool ShowTips = true;
  bool HighCall = true;                           // "Highlight called Items"
  bool WarnDupl = true;                           // "Duplicate name warning"
  bool StartOld = false;                          // "Open last Set at Start-up"
  std::vector<std::filesystem::path> RecentSets;  // the latest first, Set paths
  int MidiPacketBytes = 256;                      // "SysEx packet size", 16-2016
  int MidiPacketPauseMs = 0;                      // "Pause between packets", 0-1000
};

// A Set opened or saved under a new name goes first in the recent Sets, once.
void RememberRecentSet(Settings& settings, const std::filesystem::path& setPath);

// Absent or unreadable values take their defaults; the file dialogs start in the folder
// given.
Settings LoadSettings(const SettingsStore& store, const std::filesystem::path& dialogDir);
void SaveSettings(SettingsStore& store, const Settings& settings);

}  // namespace i40
