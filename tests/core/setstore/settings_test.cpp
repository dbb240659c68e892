#include "session/settings.h"

#include <gtest/gtest.h>

namespace i40 {
namespace {

// Every key with its stored text, in one line.
std::string Stored(const SettingsStore& store) {
  std::string text;
  for (const char* key :
       {"PathNam", "OldSetNam", "WArrangeMode", "ModeId", "Show Tips at Startup", "HighCall",
        "WarnDupl", "StartOld", "RecentSet1", "RecentSet2", "RecentSet3", "RecentSet4"})
    text += std::string(key) + "=" + store.Get(key).value_or("?") + ";";
  return text;
}

TEST(Settings, StoredAsDecimalTextUnderTheirKeysAndReadBack) {
  MemorySettingsStore store;
  // Folder, last Set, arrangement mode, tab, tips, highlight, duplicates, open last Set.
  // Recent Sets: the latest first.
  SaveSettings(store, {"/sets",
                       "/sets/ONE/ONE",
                       0,
                       3,
                       false,
                       false,
                       false,
                       true,
                       {"/sets/TWO/TWO", "/sets/ONE/ONE"}});
  const std::string expected =
      "PathNam=/sets;OldSetNam=/sets/ONE/ONE;WArrangeMode=0;ModeId=3;Show Tips at Startup=0;"
      "HighCall=0;WarnDupl=0;StartOld=1;RecentSet1=/sets/TWO/TWO;RecentSet2=/sets/ONE/ONE;"
      "RecentSet3=;RecentSet4=;";
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

TEST(Settings, ARecentSetGoesFirstOnceAndTheListKeepsFour) {
  Settings s;
  for (const char* set : {"/a/A", "/b/B", "/c/C", "/d/D", "/b/B", "/e/E"})
    RememberRecentSet(s, set);
  const std::vector<std::filesystem::path> expected{"/e/E", "/b/B", "/d/D", "/c/C"};
  EXPECT_EQ(s.RecentSets, expected);
  MemorySettingsStore store;
  SaveSettings(store, s);
  EXPECT_EQ(LoadSettings(store, "/").RecentSets, expected);
}

}  // namespace
}  // namespace i40
