#include "session/save_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string_view>
#include <tuple>

#include "format/component_io.h"
#include "format/set_paths.h"
#include "session/open_set.h"
#include "support/editor.h"
#include "support/faulty_file_ops.h"
#include "support/numbers.h"
#include "support/shown.h"
#include "support/temp_dir.h"
#include "util/windows_api.h"

namespace i40 {
namespace {

namespace fs = std::filesystem;

// The changed flags of a Set with every stored kind changed: all but the Songs'.
constexpr std::array<bool, 8> kAllChanged = {true, true, true, true, false, true, true, true};

class SaveSetTest : public test::WorkspaceTest {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "data" / "I40EMPTY");
    fs::create_directories(dir_ / "sets" / "ONE");
    ws_.templateSet = EmptyTemplatePath(dir_ / "data");
    build::WriteSet(build::TemplateSet(), ws_.templateSet);
    build::WriteSet(build::DemoSet(), OnePath());
    ws_.settings.PathNam = dir_.path();
  }

  fs::path OnePath() const { return dir_ / "sets" / "ONE" / "ONE"; }
  fs::path Component(Kind kind) const { return ComponentPath(OnePath(), kind); }
  SetSlot OpenOne() {
    const SetSlot slot = OpenSet(ws_, prompter_, false, OnePath());
    prompter_.Clear();
    return slot;
  }
  // The seven component files of a Set (ONE unless named) as they are on disk.
  std::vector<std::vector<std::uint8_t>> OnDisk(const fs::path& set = {}) const {
    std::vector<std::vector<std::uint8_t>> files;
    for (Kind kind : kStoredKinds)
      files.push_back(test::ReadFile(ComponentPath(set.empty() ? OnePath() : set, kind)));
    return files;
  }

  test::TempDir dir_;
};

// Only the changed kinds are written, each over the Set's own file, here with a lower-case
// extension, which keeps its name and its permissions.
TEST_F(SaveSetTest, SaveReplacesOnlyTheChangedKindsInTheirOwnFilesKeepingTheirPermissions) {
  const auto file = [&](Kind kind) {
    std::string lower(KindExt(kind));
    for (char& c : lower)
      c = static_cast<char>(std::tolower(c));
    return fs::path(OnePath()).concat(lower);
  };
  // Whole seconds: Windows keeps a file's time in 100 ns steps.
  const auto old = std::chrono::floor<std::chrono::seconds>(fs::file_time_type::clock::now() -
                                                            std::chrono::hours(48));
  for (Kind kind : kStoredKinds) {
    fs::rename(Component(kind), file(kind));
    fs::last_write_time(file(kind), old);
  }
  const SetSlot slot = OpenOne();
  ASSERT_EQ(slot, SetSlot{1});  // they open as they are

  fs::permissions(file(Kind::Program), fs::perms(0640), fs::perm_options::replace);
  ws_.sets.Files(slot).programs.records[5].SetName("Changed");
  ws_.sets.Entry(slot).Modified[KindIndex(Kind::Program)] = true;
  EXPECT_TRUE(SaveCommand(ws_, prompter_, SetSlot{slot}));
  if (!kCaseBlindFileNames) {  // Windows has a read-only attribute, not these bits
    EXPECT_EQ(fs::status(file(Kind::Program)).permissions(), fs::perms(0640));  // kept
  }
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_TRUE(prompter_.fileRequests().empty());
  for (Kind kind : kStoredKinds)
    EXPECT_EQ(fs::last_write_time(file(kind)) == old, kind != Kind::Program) << KindName(kind);
  EXPECT_EQ(test::ReadFile(file(Kind::Program)),
            WriteComponentBytes(Kind::Program, ws_.sets.Files(slot)));
  EXPECT_FALSE(ws_.sets.Entry(slot).AnyModified());
  // No temporary file left, nor a "ONE.PRG" beside "ONE.prg".
  EXPECT_EQ(test::FileNamesIn(dir_ / "sets" / "ONE").size(), 7u);
}

// A Set deep in folders, its path far beyond Windows' old limit of 260 characters, is
// saved, opened again and saved over, like any other.
TEST_F(SaveSetTest, ASetPathBeyondTwoHundredSixtyCharactersWorks) {
  fs::path deep = dir_ / "sets";
  for (int level = 0; level < 8; ++level)
    deep /= std::string(40, static_cast<char>('a' + level));
  fs::create_directories(deep);
  const fs::path set = deep / "LONG";
  ASSERT_GT(PathText(ComponentPath(set, Kind::Arrangement)).size(), 300u);
  const SetSlot slot = OpenOne();
  prompter_.QueueFile(fs::path(set).concat(".xxx"));
  ASSERT_TRUE(SaveAsCommand(ws_, prompter_, slot));
  UnloadSet(ws_, slot);
  const SetSlot again = OpenSet(ws_, prompter_, false, set);
  ASSERT_NE(again, kNoSet);
  ws_.sets.Files(again).arrangements.records[0].SetName("Deep");
  ws_.sets.Entry(again).Modified[KindIndex(Kind::Arrangement)] = true;
  EXPECT_TRUE(SaveCommand(ws_, prompter_, again));
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(test::ReadFile(ComponentPath(set, Kind::Arrangement)),
            WriteComponentBytes(Kind::Arrangement, ws_.sets.Files(again)));
  for (const Kind kind : kStoredKinds)
    EXPECT_TRUE(fs::is_regular_file(ComponentPath(set, kind))) << KindName(kind);
  // MinGW's directory listing stops at the old limit (the program falls back to the exact
  // name there); where it lists, no temporary file is left.
  if (!kCaseBlindFileNames) {
    EXPECT_EQ(test::FileNamesIn(deep).size(), 7u);
  }
}

// Paths are UTF-8 text inside the program: a Set named beyond ASCII, in a folder named
// beyond any ANSI code page (the Omega), saves, lists and opens again under its own name.
TEST_F(SaveSetTest, ASetNamedBeyondAsciiSavesAndOpensUnderItsOwnName) {
  const fs::path folder = dir_ / PathOfText("Gig \u00dcbung \u03a9");
  fs::create_directories(folder);
  const fs::path set = folder / PathOfText("\u00c7A");
  EXPECT_EQ(PathText(set.filename()), "\u00c7A");
  const SetSlot slot = OpenOne();
  prompter_.QueueFile(fs::path(set).concat(".xxx"));
  ASSERT_TRUE(SaveAsCommand(ws_, prompter_, slot));
  EXPECT_EQ(ws_.sets.Entry(slot).Name, "\u00c7A");
  std::vector<std::string> names;
  for (const Kind kind : kStoredKinds)
    names.push_back("\u00c7A" + std::string(KindExt(kind)));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(test::FileNamesIn(folder), names);
  const auto saved = OnDisk(set);
  UnloadSet(ws_, slot);
  const SetSlot again = OpenSet(ws_, prompter_, false, set);
  ASSERT_NE(again, kNoSet);
  EXPECT_EQ(ws_.sets.Entry(again).Name, "\u00c7A");
  EXPECT_EQ(ws_.sets.Entry(again).Dir, folder);
  // Found by the folder's listing too, under a component file's name.
  EXPECT_EQ(FindComponentFile(set, Kind::Program), ComponentPath(set, Kind::Program));
  ws_.sets.Entry(again).Modified[KindIndex(Kind::Program)] = true;
  EXPECT_TRUE(SaveCommand(ws_, prompter_, again));
  EXPECT_EQ(OnDisk(set), saved);
  EXPECT_EQ(test::FileNamesIn(folder), names);  // no temporary file left
}

TEST_F(SaveSetTest, NewSetAsksForADestinationAndWritesAllSeven) {
  const SetSlot slot = OpenSet(ws_, prompter_, true, {});
  prompter_.QueueFile(dir_ / "sets" / "MYSET.xxx");  // typed without extension
  EXPECT_TRUE(SaveCommand(ws_, prompter_, slot));
  ASSERT_EQ(prompter_.fileRequests().size(), 1u);
  const FileRequest& request = prompter_.fileRequests()[0];
  EXPECT_EQ(
      std::tuple(request.title, request.defaultExt, request.initialDir, request.filters.size()),
      std::tuple("Select a Korg-i40 destination file (without extension)", "xxx", dir_.path(), 9u));
  EXPECT_EQ(std::tie(ws_.sets.Entry(slot).Name, ws_.sets.Entry(slot).Dir),
            std::tuple("MYSET", dir_ / "sets"));
  EXPECT_EQ(ws_.settings.PathNam, dir_ / "sets");
  EXPECT_EQ(OnDisk(dir_ / "sets" / "MYSET"), OnDisk(ws_.templateSet));
  EXPECT_FALSE(fs::exists(dir_ / "sets" / "MYSET.SNG"));
  EXPECT_FALSE(ws_.sets.Entry(slot).AnyModified());
  EXPECT_EQ(ws_.sets.Files(slot).backingSequences.path, dir_ / "sets" / "MYSET.BSQ");
}

// The Set is the name the user chose without its extension, whatever that is; a name
// without any is kept whole.
TEST_F(SaveSetTest, TheDestinationsExtensionIsDroppedWhateverItIs) {
  for (const auto& [chosen, set] : std::vector<std::pair<std::string, std::string>>{
           {"D.SNG", "D"}, {"E.arr", "E"}, {"F.SNG.ARR", "F.SNG"}, {"PLAIN", "PLAIN"}}) {
    SCOPED_TRACE(chosen);
    prompter_.QueueFile(dir_ / "sets" / chosen);
    EXPECT_EQ(ChooseDestination(ws_, prompter_), dir_ / "sets" / set);
  }
}

// Device names and the characters Windows forbids are refused before anything is written;
// names that only look like them are Set names like any other.
TEST_F(SaveSetTest, SaveAsRefusesTheNamesWindowsAndDosDisksReserve) {
  const SetSlot slot = OpenOne();
  const fs::path folder = dir_ / "new";
  fs::create_directories(folder);
  for (const std::string chosen :
       {"CON.xxx", "con", "Aux.txt.xxx", "NUL .ARR", "com1.xxx", "LPT9.STY", "A<B.xxx", "WHAT?.xxx",
        "a|b", "x*y.ARR", "say\"hi\".xxx", "c:d.xxx"}) {
    SCOPED_TRACE(chosen);
    if (kCaseBlindFileNames && chosen == "c:d.xxx") continue;  // a drive there, not a name
    prompter_.Clear();
    prompter_.QueueFile(folder / chosen);
    EXPECT_FALSE(SaveAsCommand(ws_, prompter_, slot));
    const std::string name = SetNameOf(SetPathFromComponent(folder / chosen));
    EXPECT_EQ(test::ShownOf(prompter_.messages()),
              (std::vector<test::Shown>{{name + " cannot be a Set name: Windows and the "
                                                "instrument's disks reserve it.",
                                         "Warning", MessageIcon::Exclamation, MessageButtons::Ok,
                                         Answer::Ok}}));
    EXPECT_TRUE(test::FileNamesIn(folder).empty());
  }
  EXPECT_EQ(ws_.sets.Entry(slot).Name, "ONE");
  for (const std::string_view name : {"CONSOLE", "COM10", "LPT0", "NULL", "AUXI", "CON1", "PRN_"})
    EXPECT_FALSE(IsReservedSetName(name)) << name;
  prompter_.Clear();
  prompter_.QueueFile(folder / "COM10.xxx");
  EXPECT_TRUE(SaveAsCommand(ws_, prompter_, slot));
  EXPECT_EQ(test::FileNamesIn(folder).size(), 7u);
}

TEST_F(SaveSetTest, ReadOnlyArrangementFileIsLeftAloneAndTheRestWritten) {
  const SetSlot slot = OpenOne();
  const auto arrBefore = test::ReadFile(Component(Kind::Arrangement));
  fs::permissions(Component(Kind::Arrangement),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  ws_.sets.Files(slot).arrangements.records[0].SetName("New name");
  ws_.sets.Files(slot).styles.slots[0].record.SetName("New style");
  ws_.sets.Entry(slot).Modified = kAllChanged;

  EXPECT_FALSE(SaveCommand(ws_, prompter_, SetSlot{slot}));
  EXPECT_EQ(test::ShownOf(prompter_.messages()),
            std::vector{
                test::ErrorBox("Error saving Arrangement data.\nDestination file is Read-Only!")});
  EXPECT_EQ(test::ReadFile(Component(Kind::Arrangement)), arrBefore);
  EXPECT_EQ(test::ReadFile(Component(Kind::Style)),
            WriteComponentBytes(Kind::Style, ws_.sets.Files(slot)));
  EXPECT_EQ(ws_.sets.Entry(slot).Modified, (std::array<bool, 8>{true}));  // only the Arrangements
  EXPECT_EQ(test::FileNamesIn(dir_ / "sets" / "ONE").size(), 7u);
}

TEST_F(SaveSetTest, SaveAsAsksOnlyWhenTheDestinationHasAStyleFile) {
  const SetSlot slot = OpenOne();
  fs::create_directories(dir_ / "two");
  test::WriteFile(dir_ / "two" / "TWO.ARR", {1, 2, 3});
  prompter_.QueueFile(dir_ / "two" / "TWO.ARR");
  EXPECT_TRUE(SaveAsCommand(ws_, prompter_, SetSlot{slot}));
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(ws_.sets.Entry(slot).Name, "TWO");
  EXPECT_EQ(test::ReadFile(dir_ / "two" / "TWO.STY"), test::ReadFile(Component(Kind::Style)));

  prompter_.QueueFile(dir_ / "two" / "TWO.xxx");
  prompter_.QueueAnswer(Answer::Cancel);
  EXPECT_FALSE(SaveAsCommand(ws_, prompter_, SetSlot{slot}));
  EXPECT_EQ(test::ShownOf(prompter_.messages()),
            (std::vector<test::Shown>{{"This Set already exists.\nOverwrite it?", "Save a Set",
                                       MessageIcon::Exclamation, MessageButtons::OkCancel,
                                       Answer::Cancel}}));
}

TEST_F(SaveSetTest, ClosingAsksOnlyWhenSomethingChanged) {
  const SetSlot slot = OpenOne();
  EXPECT_TRUE(QueryCloseSet(ws_, prompter_, SetSlot{slot}));
  EXPECT_TRUE(prompter_.messages().empty());

  ws_.sets.Entry(slot).Modified[KindIndex(Kind::Style)] = true;
  prompter_.QueueAnswer(Answer::Cancel);
  EXPECT_FALSE(QueryCloseSet(ws_, prompter_, SetSlot{slot}));
  EXPECT_EQ(test::ShownOf(prompter_.messages()),
            (std::vector<test::Shown>{{"Save the changes in ONE ?", "ONE", MessageIcon::Exclamation,
                                       MessageButtons::YesNoCancel, Answer::Cancel}}));

  prompter_.QueueAnswer(Answer::No);
  EXPECT_TRUE(QueryCloseSet(ws_, prompter_, SetSlot{slot}));
  EXPECT_TRUE(ws_.sets.Entry(slot).Modified[KindIndex(Kind::Style)]);

  prompter_.QueueAnswer(Answer::Yes);
  EXPECT_TRUE(QueryCloseSet(ws_, prompter_, SetSlot{slot}));
  EXPECT_FALSE(ws_.sets.Entry(slot).AnyModified());
}

TEST_F(SaveSetTest, ANewSetWhoseDialogIsCancelledStaysUnsavedAndOpen) {
  const SetSlot slot = OpenSet(ws_, prompter_, true, {});
  prompter_.QueueFile(std::nullopt);
  EXPECT_FALSE(SaveCommand(ws_, prompter_, slot));
  prompter_.QueueAnswer(Answer::Yes);  // to saving while closing
  prompter_.QueueFile(std::nullopt);
  EXPECT_FALSE(QueryCloseSet(ws_, prompter_, slot));
  EXPECT_EQ(ws_.sets.Entry(slot).Name, "NEWSET01");
  EXPECT_TRUE(ws_.sets.Entry(slot).AnyModified());
}

TEST_F(SaveSetTest, UnloadingForgetsTheSetAndRemembersItUnlessNew) {
  const SetSlot one = OpenOne();
  const SetSlot fresh = OpenSet(ws_, prompter_, true, {});
  ws_.edits.Clipboard(Kind::Arrangement).sourceSet = SetSlot{one};
  ws_.edits.Undo(Kind::Style) = {UndoOp::Cut, {one, {}}};
  ws_.edits.Clipboard(Kind::KbdSet).sourceSet = fresh;
  UnloadSet(ws_, SetSlot{one});
  EXPECT_TRUE(ws_.sets.Entry(one).Free);
  EXPECT_EQ(ws_.edits.Clipboard(Kind::Arrangement).sourceSet, 0);
  EXPECT_EQ(ws_.edits.Undo(Kind::Style).op, UndoOp::None);
  EXPECT_EQ(ws_.edits.Clipboard(Kind::KbdSet).sourceSet, fresh);
  EXPECT_EQ(ws_.settings.OldSetNam, OnePath());
  UnloadSet(ws_, fresh);
  EXPECT_EQ(ws_.settings.OldSetNam, OnePath());  // a never saved Set is not remembered
  EXPECT_FALSE(ws_.sets.AnySetOpen());
}

// A folder that takes no new file at all (an installed demo, a write-protected medium) is
// said once, with Save As offered in its place; No writes nothing.
TEST_F(SaveSetTest, AFolderThatTakesNoFilesOffersSaveAs) {
  const SetSlot slot = OpenOne();
  const auto before = OnDisk();
  ws_.sets.Files(slot).programs.records[0].SetName("Moved");
  ws_.sets.Entry(slot).Modified[static_cast<std::size_t>(Kind::Program)] = true;
  test::FaultyFileOps ops;
  ops.failWriteNew = test::FaultyFileOps::Always();
  prompter_.QueueAnswer(Answer::No);
  EXPECT_FALSE(SaveCommand(ws_, prompter_, SetSlot{slot}, ops));
  const std::string folder = (dir_ / "sets" / "ONE").string();
  const test::Shown question{"The folder " + folder +
                                 " cannot be written, so ONE cannot be saved there.\n"
                                 "Save it elsewhere?",
                             "Save a Set", MessageIcon::Exclamation, MessageButtons::YesNo,
                             Answer::Yes};
  EXPECT_EQ(test::ShownOf(prompter_.messages()), std::vector{question});
  EXPECT_EQ(OnDisk(), before);

  // Yes: Save As, to a folder that takes files.
  prompter_.Clear();
  prompter_.QueueAnswer(Answer::Yes);
  prompter_.QueueFile(dir_ / "sets" / "TWO.xxx");
  ops.failWriteNew = [&](const fs::path& path) {
    return path.parent_path() == dir_ / "sets" / "ONE";
  };
  EXPECT_TRUE(SaveCommand(ws_, prompter_, SetSlot{slot}, ops));
  EXPECT_EQ(ws_.sets.Entry(slot).Name, "TWO");
  EXPECT_EQ(prompter_.fileRequests().size(), 1u);
  EXPECT_EQ(OnDisk(), before);
}

TEST_F(SaveSetTest, AWriteThatFailsAnywhereLeavesTheDestinationAsItWas) {
  const SetSlot slot = OpenOne();
  const auto before = OnDisk();
  ws_.sets.Files(slot).arrangements.records[0].SetName("Lost?");
  ws_.sets.Files(slot).backingSequences.records[0].SetName("Lost?");

  // A full disk, writes cut short, nothing read back, permissions not copied, a refused
  // rename.
  using Ops = test::FaultyFileOps;
  const std::function<void(Ops&)> faults[] = {
      [](Ops& ops) { ops.failWriteNew = Ops::AllButFirst(); },
      [](Ops& ops) { ops.shortWrites = true; }, [](Ops& ops) { ops.failReadAll = Ops::Always(); },
      [](Ops& ops) { ops.failCopyPermissions = Ops::Always(); },
      [](Ops& ops) { ops.failRename = Ops::Always(); }};
  for (std::size_t fault = 0; fault < std::size(faults); ++fault) {
    SCOPED_TRACE(fault);
    prompter_.Clear();
    ws_.sets.Entry(slot).Modified = kAllChanged;
    Ops ops;
    faults[fault](ops);
    EXPECT_FALSE(SaveCommand(ws_, prompter_, SetSlot{slot}, ops));
    // Every component tried and reported.
    std::vector<std::string> reports;
    for (const std::string& text : prompter_.texts())
      reports.push_back(text.substr(0, text.find('\n')));
    std::sort(reports.begin(), reports.end());
    EXPECT_EQ(reports, (std::vector<std::string>{
                           "Error saving Arrangement Global data.",
                           "Error saving Arrangement data.", "Error saving Backing Sequence data.",
                           "Error saving Global data.", "Error saving KBD Set data.",
                           "Error saving Program data.", "Error saving Style data."}));
    EXPECT_EQ(OnDisk(), before);
    EXPECT_EQ(ws_.sets.Entry(slot).Modified, kAllChanged);
    EXPECT_EQ(test::FileNamesIn(dir_ / "sets" / "ONE").size(), 7u);  // no temporary file left
  }
}

#ifdef _WIN32
// Another program holds the Arrangement file open without delete sharing: that component
// is not saved and says so, its file keeps its bytes, the others are saved, and no
// temporary file is left.
TEST_F(SaveSetTest, AFileHeldOpenByAnotherProgramIsNotReplaced) {
  const SetSlot slot = OpenOne();
  const auto before = test::ReadFile(Component(Kind::Arrangement));
  ws_.sets.Files(slot).arrangements.records[0].SetName("Held");
  ws_.sets.Files(slot).programs.records[0].SetName("Free");
  ws_.sets.Entry(slot).Modified[KindIndex(Kind::Arrangement)] = true;
  ws_.sets.Entry(slot).Modified[KindIndex(Kind::Program)] = true;
  const HANDLE held = CreateFileW(Component(Kind::Arrangement).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(SaveCommand(ws_, prompter_, SetSlot{slot}));
  CloseHandle(held);
  ASSERT_EQ(prompter_.texts().size(), 1u);
  // With the system's reason, whatever words this Windows has for it.
  const std::string said = "Error saving Arrangement data.\nCannot replace " +
                           PathText(Component(Kind::Arrangement)) + ": ";
  EXPECT_EQ(prompter_.texts()[0].rfind(said, 0), 0u) << prompter_.texts()[0];
  EXPECT_GT(prompter_.texts()[0].size(), said.size());
  EXPECT_EQ(test::ReadFile(Component(Kind::Arrangement)), before);
  EXPECT_EQ(test::ReadFile(Component(Kind::Program)),
            WriteComponentBytes(Kind::Program, ws_.sets.Files(slot)));
  EXPECT_EQ(test::FileNamesIn(dir_ / "sets" / "ONE").size(), 7u);
}
#endif

// The new files are in place, but their folder did not reach the device: the save is not
// called done. Every component says so, the Set stays modified, no temporary file is left.
TEST_F(SaveSetTest, AFolderThatCannotBeSyncedFailsTheSave) {
  const SetSlot slot = OpenOne();
  ws_.sets.Files(slot).arrangements.records[0].SetName("Synced?");
  ws_.sets.Entry(slot).Modified = kAllChanged;
  test::FaultyFileOps ops;
  ops.failSyncFolder = test::FaultyFileOps::Always();
  EXPECT_FALSE(SaveCommand(ws_, prompter_, SetSlot{slot}, ops));
  ASSERT_EQ(prompter_.texts().size(), 7u);
  const fs::path arr = Component(Kind::Arrangement);
  EXPECT_EQ(prompter_.texts()[0], "Error saving Arrangement data.\nCannot write the folder of " +
                                      PathText(arr) + " to the disk");
  EXPECT_EQ(ws_.sets.Entry(slot).Modified, kAllChanged);
  EXPECT_EQ(test::FileNamesIn(dir_ / "sets" / "ONE").size(), 7u);
}

}  // namespace
}  // namespace i40
