#include "session/settings.h"

#include <gtest/gtest.h>

namespace i40 {
namespace {

// Every key with its stored text, in one line.
std::string Stored(const SettingsStore& store) {
  std::string text;
  for (const char* key : {"PathNam", "OldSetNam", "WArrangeMode", "ModeId", "Show Tips at Startup",
                          "HighCall", "WarnDupl", "StartOld"})
    text += std::string(key) + "=" + store.Get(key).value_or("?") + ";";
  return text;
}

TEST(Settings, StoredAsDecimalTextUnderTheirKeysAndReadBack) {
  MemorySettingsStore store;
  // Folder, last Set, arrangement mode, tab, tips, highlight, duplicates, open last Set.
  SaveSettings(store, {"/sets", "/sets/ONE/ONE", 0, 3, false, false, false, true});
  const std::string expected =
      "PathNam=/sets;OldSetNam=/sets/ONE/ONE;WArrangeMode=0;ModeId=3;Show Tips at Startup=0;"
      "HighCall=0;WarnDupl=0;StartOld=1;";
  EXPECT_EQ(Stored(store), expected);
  MemorySettingsStore again;
  SaveSettings(again, LoadSettings(store, "/elsewhere"));
  EXPECT_EQ(Stored(again), expected);
}

TEST(Settings, UnreadableNumbersTakeTheirDefaults) {
  MemorySettingsStore store;
  store.Set("ModeId", "two");
  store.Set("HighCall", "");
  store.Set("WArrangeMode", "7");
  const Settings s = LoadSettings(store, "/");
  EXPECT_EQ(s.ModeId, 0);
  EXPECT_TRUE(s.HighCall);
  EXPECT_EQ(s.WArrangeMode, 1);
}

}  // namespace
}  // namespace i40
