#include "session/settings.h"

#include <charconv>

#include "format/set_paths.h"

namespace i40 {

namespace {

int ReadNumber(const SettingsStore& store, std::string_view key, int fallback) {
  const auto text = store.Get(key);
  if (!text) return fallback;
  int value = 0;
  const char* begin = text->data();
  const char* end = begin + text->size();
  while (begin < end && *begin == ' ')
    ++begin;
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  return ec == std::errc() && ptr == end ? value : fallback;
}

// A number within its range; anything else is the default.
int ReadInRange(const SettingsStore& store, std::string_view key, int fallback, int low, int high) {
  const int value = ReadNumber(store, key, fallback);
  return value >= low && value <= high ? value : fallback;
}

bool ReadFlag(const SettingsStore& store, std::string_view key, bool fallback) {
  return ReadNumber(store, key, fallback ? 1 : 0) != 0;
}

std::filesystem::path ReadPath(const SettingsStore& store, std::string_view key,
                               const std::filesystem::path& fallback) {
  const auto text = store.Get(key);
  if (!text) return fallback;
  return std::filesystem::path(std::u8string(text->begin(), text->end()));
}

}  // namespace

Settings LoadSettings(const SettingsStore& store, const std::filesystem::path& dialogDir) {
  using namespace setting_keys;
  Settings s;
  s.PathNam = ReadPath(store, kPathNam, dialogDir);
  s.OldSetNam = ReadPath(store, kOldSetNam, {});
  s.WArrangeMode = ReadNumber(store, kWArrangeMode, 1) == 0 ? 0 : 1;
  s.ModeId = ReadNumber(store, kModeId, 0);
  s.ShowTips = ReadFlag(store, kShowTips, true);
  s.HighCall = ReadFlag(store, kHighCall, true);
  s.WarnDupl = ReadFlag(store, kWarnDupl, true);
  s.StartOld = ReadFlag(store, kStartOld, false);
  s.MidiPacketBytes = ReadInRange(store, kMidiPacketBytes, 256, 16, 2016);
  s.MidiPacketPauseMs = ReadInRange(store, kMidiPacketPauseMs, 0, 0, 1000);
  for (std::size_t i = 1; i <= kRecentSetCount; ++i) {
    const auto path = ReadPath(store, std::string(kRecentSet) + std::to_string(i), {});
    if (!path.empty()) s.RecentSets.push_back(path);
  }
  return s;
}

void RememberRecentSet(Settings& settings, const std::filesystem::path& setPath) {
  auto& recent = settings.RecentSets;
  std::erase(recent, setPath);
  recent.insert(recent.begin(), setPath);
  if (recent.size() > kRecentSetCount) recent.resize(kRecentSetCount);
}

void SaveSettings(SettingsStore& store, const Settings& s) {
  using namespace setting_keys;
  store.Set(kPathNam, PathText(s.PathNam));
  store.Set(kOldSetNam, PathText(s.OldSetNam));
  store.Set(kWArrangeMode, std::to_string(s.WArrangeMode));
  store.Set(kModeId, std::to_string(s.ModeId));
  store.Set(kShowTips, s.ShowTips ? "1" : "0");
  store.Set(kHighCall, s.HighCall ? "1" : "0");
  store.Set(kWarnDupl, s.WarnDupl ? "1" : "0");
  store.Set(kStartOld, s.StartOld ? "1" : "0");
  store.Set(kMidiPacketBytes, std::to_string(s.MidiPacketBytes));
  store.Set(kMidiPacketPauseMs, std::to_string(s.MidiPacketPauseMs));
  for (std::size_t i = 0; i < kRecentSetCount; ++i) {
    store.Set(std::string(kRecentSet) + std::to_string(i + 1),
              i < s.RecentSets.size() ? PathText(s.RecentSets[i]) : std::string());
  }
}

}  // namespace i40
