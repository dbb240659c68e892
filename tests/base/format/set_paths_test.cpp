#include "format/set_paths.h"

#include <gtest/gtest.h>

#include <vector>

#include "session/data_locations.h"
#include "session/settings.h"
#include "support/temp_dir.h"

namespace i40 {
namespace {

namespace fs = std::filesystem;

TEST(SetPaths, NameAndFolderOfASetPath) {
  EXPECT_EQ(SetNameOf("/sets/ONE/MYSET"), "MYSET");
  EXPECT_EQ(SetNameOf("/sets/ONE/My Set"), "My Set");
  EXPECT_EQ(ParentDirOf("/sets/ONE/MYSET"), fs::path("/sets/ONE"));
  // A path without any separator has no folder; the root stays the root.
  EXPECT_EQ(ParentDirOf("MYSET"), fs::path());
  EXPECT_EQ(ParentDirOf("/"), fs::path("/"));
  EXPECT_EQ(ParentDirOf("/MYSET"), fs::path("/"));
}

// A write that fails says why, in the system's words, after what it was doing.
TEST(SetPaths, AFailedReplaceGivesTheSystemsReason) {
  test::TempDir dir;
  const std::vector<std::uint8_t> bytes{1, 2, 3};
  const auto detail = ReplaceFileAtomically(RealFileOps(), dir.path() / "none" / "X.ARR", bytes);
  ASSERT_TRUE(detail);
  EXPECT_EQ(detail->rfind("Cannot write the file " + PathText(dir.path() / "none" / ".X.ARR"), 0),
            0u)
      << *detail;
  EXPECT_TRUE(detail->ends_with(": No such file or directory")) << *detail;
}

TEST(SetPaths, ComponentNamesAndSetPathFromAComponent) {
  EXPECT_EQ(ComponentPath("/sets/v1.2/MYSET", Kind::Global), fs::path("/sets/v1.2/MYSET.GBL"));
  EXPECT_EQ(SetPathFromComponent("/sets/ONE/MYSET.arr"), fs::path("/sets/ONE/MYSET"));
  EXPECT_EQ(SetPathFromComponent("/sets/v1.2/MY.SET.PRG"), fs::path("/sets/v1.2/MY.SET"));
}

TEST(SetPaths, ExactComponentNameWinsOverOtherCases) {
  test::TempDir dir;
  test::WriteFile(dir / "S.arr", {1});
  EXPECT_EQ(FindComponentFile(dir / "S", Kind::Arrangement), dir / "S.arr");
  test::WriteFile(dir / "S.ARR", {1});  // on Windows the same file, still named "S.arr"
  EXPECT_EQ(FindComponentFile(dir / "S", Kind::Arrangement),
            dir / (kCaseBlindFileNames ? "S.arr" : "S.ARR"));
  EXPECT_FALSE(FindComponentFile(dir / "S", Kind::Style));
  EXPECT_FALSE(FindComponentFile(dir / "NOWHERE" / "S", Kind::Arrangement));
}

TEST(SetPaths, TemporaryFileSitsBesideItsDestination) {
  const fs::path temp = TempFilePathFor("/sets/ONE/MYSET.ARR");
  EXPECT_EQ(temp.parent_path(), fs::path("/sets/ONE"));
  EXPECT_NE(temp.filename(), fs::path("MYSET.ARR"));
  EXPECT_NE(temp.filename().string().find("KORGI40.TMP"), std::string::npos);
}

TEST(DataLocations, UserCopyIsReadFirstThenShippedFoldersInOrder) {
  test::TempDir dir;
  DataLocations data{dir / "user", {dir / "build", dir / "share"}};
  for (const char* folder : {"user", "build", "share"})
    fs::create_directories(dir / folder);
  EXPECT_FALSE(data.Find("I40TIPS.TXT"));
  test::WriteTextFile(dir / "share" / "I40TIPS.TXT", "x");
  EXPECT_EQ(data.Find("I40TIPS.TXT"), dir / "share" / "I40TIPS.TXT");
  test::WriteTextFile(dir / "build" / "I40TIPS.TXT", "x");
  EXPECT_EQ(data.Find("I40TIPS.TXT"), dir / "build" / "I40TIPS.TXT");
  test::WriteTextFile(dir / "user" / "I40TIPS.TXT", "x");
  EXPECT_EQ(data.Find("I40TIPS.TXT"), dir / "user" / "I40TIPS.TXT");
  EXPECT_EQ(data.Writable("I40SETED.LOG"), dir / "user" / "I40SETED.LOG");
}

TEST(DataLocations, ShippedFoldersOfAProgram) {
  EXPECT_EQ(ShippedDataDirs("/opt/i40/bin/i40seted"),
            (std::vector<fs::path>{"/opt/i40/bin/data", "/opt/i40/share/i40seted"}));
}

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
