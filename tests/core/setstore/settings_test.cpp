#include "session/settings.h"

#include <gtest/gtest.h>

namespace i40 {
namespace {

TEST(Settings, StoredAsDecimalTextUnderTheirKeys) {
  MemorySettingsStore store;
  Settings s;
  s.PathNam = "/sets";
  s.OldSetNam = "/sets/ONE/ONE";
  s.WArrangeMode = 0;
  s.ModeId = 3;
  s.ShowTips = false;
  s.HighCall = false;
  s.WarnDupl = false;
  s.StartOld = true;
  SaveSettings(store, s);
  EXPECT_EQ(store.Get("PathNam"), "/sets");
  EXPECT_EQ(store.Get("OldSetNam"), "/sets/ONE/ONE");
  EXPECT_EQ(store.Get("WArrangeMode"), "0");
  EXPECT_EQ(store.Get("ModeId"), "3");
  EXPECT_EQ(store.Get("Show Tips at Startup"), "0");
  EXPECT_EQ(store.Get("HighCall"), "0");
  EXPECT_EQ(store.Get("WarnDupl"), "0");
  EXPECT_EQ(store.Get("StartOld"), "1");
  const Settings back = LoadSettings(store, "/elsewhere");
  EXPECT_EQ(back.PathNam, s.PathNam);
  EXPECT_EQ(back.OldSetNam, s.OldSetNam);
  EXPECT_EQ(back.ModeId, 3);
  EXPECT_TRUE(back.StartOld);
  EXPECT_FALSE(back.HighCall);
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
