#include "session/open_set.h"

#include <gtest/gtest.h>

#include "format/blank_records.h"
#include "format/component_io.h"
#include "format/set_paths.h"
#include "session/first_run.h"
#include "session/save_set.h"
#include "support/editor.h"
#include "support/faulty_file_ops.h"
#include "support/shown.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <tuple>
#include "session/open_sets.h"
#include "support/numbers.h"

namespace i40 {
namespace {

namespace fs = std::filesystem;

class OpenSetTest : public test::WorkspaceTest {
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

  test::TempDir dir_;
};

TEST_F(OpenSetTest, OpensAGivenSetAndReadsAllItsComponents) {
  const SetSlot slot = OpenSet(ws_, prompter_, false, OnePath());
  ASSERT_EQ(slot, SetSlot{1});
  EXPECT_TRUE(prompter_.messages().empty());
  const SetEntry& entry = ws_.sets.Entry(slot);
  EXPECT_EQ(std::tie(entry.Name, entry.Dir, entry.UndoEnabled),
            std::tuple("ONE", dir_ / "sets" / "ONE", false));
  EXPECT_EQ(ws_.settings.PathNam, dir_ / "sets");  // the parent of the Set's folder
  EXPECT_EQ(test::Images(ws_, slot), test::Images(build::DemoSet()));
  EXPECT_EQ(ws_.sets.Files(slot).backingSequences.path,
            ComponentPath(OnePath(), Kind::BackingSequence));

  // The progress runs from the header tests to fifteen, the window never shown.
  std::vector<double> values;
  for (const auto& step : prompter_.progress())
    values.push_back(step.value);
  EXPECT_EQ(values, (std::vector<double>{0.001, 1, 3, 9, 11, 13, 14, 15}));
  EXPECT_EQ(prompter_.progress().at(0).caption, "Loading ONE Files...");
  EXPECT_FALSE(prompter_.progressShown());
}

// A slot freed by a closed Set starts from nothing when the next Set comes in: what a
// file that breaks off does not hold is blank, never the closed Set's.
TEST_F(OpenSetTest, AShortFileInAReusedSlotLeavesTheRestBlank) {
  const FileSet demo = build::DemoSet();
  for (const Kind kind : kStoredKinds) {
    SCOPED_TRACE(std::string(KindName(kind)));
    const fs::path shortPath = dir_ / "sets" / "SHORT";
    build::WriteSet(build::TemplateSet(), shortPath);
    auto bytes = WriteComponentBytes(kind, build::TemplateSet());
    // Past the header, inside the items: Arrangement 4 for 534 bytes.
    const std::size_t cut = kind == Kind::Arrangement ? 534 : 40 + (bytes.size() - 40) / 2;
    bytes.resize(std::min(cut, bytes.size() - 1));
    test::WriteFile(ComponentPath(shortPath, kind), bytes);

    ws_.sets.Reset();
    const SetSlot first = OpenSet(ws_, prompter_, false, OnePath());
    ASSERT_EQ(first, 1);
    UnloadSet(ws_, first);
    prompter_.Clear();
    ASSERT_EQ(OpenSet(ws_, prompter_, false, shortPath), first);
    EXPECT_EQ(prompter_.messages().size(), 1u);  // the reader's own report

    FileSet fresh = BlankFileSet(ws_.blanks);
    ReadComponentBytes(kind, bytes, fresh);
    FileSet overDemo = demo;
    ReadComponentBytes(kind, bytes, overDemo);
    ASSERT_NE(WriteComponentBytes(kind, fresh), WriteComponentBytes(kind, overDemo));
    EXPECT_EQ(WriteComponentBytes(kind, ws_.sets.Files(first)), WriteComponentBytes(kind, fresh));
  }
}

// Opening says nothing of duplicate names; the warnings after it name every kind's.
TEST_F(OpenSetTest, DuplicateNamesAreWarnedAfterOpening) {
  build::WriteSet(build::DemoSetWithDuplicates(), OnePath());
  ASSERT_EQ(OpenSet(ws_, prompter_, false, OnePath()), 1);
  EXPECT_TRUE(prompter_.messages().empty());
  WarnDuplicatesAfterOpening(ws_, prompter_, SetSlot{1});
  EXPECT_EQ(prompter_.texts(), (std::vector<std::string>{
                                   "Arrangement duplicate name\nC25 - C11  (Pop Ballad)",
                                   "Style duplicate name\nC25 - C11  (Ballad Style)",
                                   "Program duplicate name\nF45 - F11  (Grand Piano)",
                               }));
  EXPECT_EQ(prompter_.messages()[0].title, "");
}

TEST_F(OpenSetTest, MissingComponentIsCreatedFromTheTemplateOnOkOnly) {
  const fs::path kbs = ComponentPath(OnePath(), Kind::KbdSet);
  fs::remove(kbs);
  prompter_.QueueAnswer(Answer::Cancel);
  EXPECT_EQ(OpenSet(ws_, prompter_, false, OnePath()), 0);
  EXPECT_FALSE(fs::exists(kbs));
  EXPECT_FALSE(ws_.sets.AnySetOpen());
  EXPECT_TRUE(prompter_.progress().empty());

  prompter_.Clear();
  prompter_.QueueAnswer(Answer::Ok);
  ASSERT_EQ(OpenSet(ws_, prompter_, false, OnePath()), 1);
  EXPECT_EQ(test::ShownOf(prompter_.messages()),
            (std::vector<test::Shown>{{"ONE.KBS is missing.\nCreate it?", "Open a Set",
                                       MessageIcon::Exclamation, MessageButtons::OkCancel,
                                       Answer::Cancel}}));
  EXPECT_EQ(ws_.sets.Files(SetSlot{1}).kbdSets.records, build::TemplateSet().kbdSets.records);
  EXPECT_EQ(test::ReadFile(kbs), test::ReadFile(ComponentPath(ws_.templateSet, Kind::KbdSet)));

  // Without the template's component either, nothing can be made.
  UnloadSet(ws_, SetSlot{1});
  fs::remove(ComponentPath(OnePath(), Kind::Global));
  fs::remove(ComponentPath(ws_.templateSet, Kind::Global));
  prompter_.Clear();
  prompter_.QueueAnswer(Answer::Ok);
  EXPECT_EQ(OpenSet(ws_, prompter_, false, OnePath()), 0);
  ASSERT_EQ(prompter_.messages().size(), 2u);
  EXPECT_EQ(test::ShownOf(prompter_.messages()[1]),
            (test::Shown{"Unable to create file!", "Create file", MessageIcon::Exclamation,
                         MessageButtons::Ok, Answer::Ok}));
  EXPECT_FALSE(fs::exists(ComponentPath(OnePath(), Kind::Global)));
}

TEST_F(OpenSetTest, EveryBadComponentIsReportedBeforeGivingUp) {
  test::WriteFile(ComponentPath(OnePath(), Kind::Style), {'K', 'O'});
  auto bytes = WriteComponentBytes(Kind::Global, build::DemoSet());
  bytes[6] = static_cast<std::uint8_t>(KindCode(Kind::KbdSet));  // the wrong kind
  test::WriteFile(ComponentPath(OnePath(), Kind::Global), bytes);
  EXPECT_EQ(OpenSet(ws_, prompter_, false, OnePath()), 0);
  EXPECT_EQ(prompter_.texts(),
            (std::vector<std::string>{
                "Error reading " + PathText(ComponentPath(OnePath(), Kind::Style)) + " file header",
                PathText(ComponentPath(OnePath(), Kind::Global)) + " is not a valid file"}));
  EXPECT_FALSE(ws_.sets.AnySetOpen());
  EXPECT_EQ(ws_.sets.SlotCount(), 1);
  EXPECT_FALSE(prompter_.progressShown());
  EXPECT_EQ(ws_.settings.PathNam, dir_.path());  // unchanged
}

TEST_F(OpenSetTest, NewSetsAreNamedAfterTheirSlotAndMarkedChanged) {
  ASSERT_EQ(OpenSet(ws_, prompter_, true, {}), 1);
  ASSERT_EQ(OpenSet(ws_, prompter_, true, {}), 2);
  EXPECT_EQ(std::tie(ws_.sets.Entry(SetSlot{2}).Name, ws_.sets.Entry(SetSlot{2}).Dir),
            std::tuple("NEWSET02", dir_.path()));
  // Every kind changed but the Songs, which are never written.
  EXPECT_EQ(ws_.sets.Entry(SetSlot{1}).Modified,
            (std::array<bool, 8>{true, true, true, true, false, true, true, true}));
  EXPECT_EQ(ws_.sets.Files(SetSlot{2}).backingSequences.path,
            ComponentPath(ws_.templateSet, Kind::BackingSequence));
  EXPECT_EQ(ws_.settings.PathNam, dir_.path());  // a new Set does not move the dialogs
  EXPECT_EQ(NewSetName(SetSlot{12}), "NEWSET12");
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(OpenSetTest, PickedSetAsksWhenItsNameIsInUse) {
  ASSERT_EQ(OpenSet(ws_, prompter_, false, OnePath()), 1);
  fs::create_directories(dir_ / "other" / "ONE");
  build::WriteSet(build::TemplateSet(), dir_ / "other" / "ONE" / "ONE");

  prompter_.QueueFile(dir_ / "other" / "ONE" / "ONE.prg");
  prompter_.QueueAnswer(Answer::Cancel);
  EXPECT_EQ(OpenSet(ws_, prompter_, false, {}), 0);
  ASSERT_EQ(prompter_.fileRequests().size(), 1u);
  const FileRequest& request = prompter_.fileRequests()[0];
  EXPECT_EQ(std::tie(request.title, request.initialDir),
            std::tuple("Select a Korg-i40 Set", dir_ / "sets"));
  const auto types = test::Types(request);  // every component, "All", then one a kind
  ASSERT_EQ(types.size(), 9u);
  EXPECT_EQ(types[0] + ", " + types[1] + ", " + types[5],
            "Korg-i40 Sets|*.ARR *.STY *.PRG *.BSQ *.KBS *.ARG *.GBL, All|*.*, "
            "Backing Sequence|*.BSQ");
  EXPECT_EQ(test::ShownOf(prompter_.messages().back()),
            (test::Shown{"Name ONE is already in use.\nContinue anyway?", "Warning",
                         MessageIcon::Exclamation, MessageButtons::OkCancel, Answer::Ok}));

  prompter_.QueueFile(dir_ / "other" / "ONE" / "ONE.prg");
  prompter_.QueueAnswer(Answer::Ok);
  EXPECT_EQ(OpenSet(ws_, prompter_, false, {}), 2);
  EXPECT_EQ(ws_.sets.Entry(SetSlot{2}).Name, "ONE");
  EXPECT_EQ(ws_.settings.PathNam, dir_ / "other");
}

TEST_F(OpenSetTest, CancelledDialogOrAGoneFolderOpensNothingAndSaysNothing) {
  prompter_.QueueFile(std::nullopt);
  EXPECT_EQ(OpenSet(ws_, prompter_, false, {}), 0);
  EXPECT_EQ(OpenSet(ws_, prompter_, false, dir_ / "gone" / "ONE"), 0);
  EXPECT_EQ(prompter_.fileRequests().size(), 1u);
  // A folder name that is a file falls back to the dialog.
  test::WriteFile(dir_ / "afile", {1});
  prompter_.QueueFile(std::nullopt);
  EXPECT_EQ(OpenSet(ws_, prompter_, false, dir_ / "afile" / "ONE"), 0);
  EXPECT_EQ(prompter_.fileRequests().size(), 2u);
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_FALSE(ws_.sets.AnySetOpen());
}

TEST(OpenSets, TakesTheLowestFreeSlotBeforeGrowingByOne) {
  OpenSets sets;
  EXPECT_EQ(sets.FindFreeSlot(), 1);
  EXPECT_EQ(sets.FindFreeSlot(), 2);
  EXPECT_EQ(sets.FindFreeSlot(), 3);
  EXPECT_EQ(std::tuple(sets.SlotCount(), sets.AnySetOpen()), std::tuple(3, true));

  sets.Release(SetSlot{2});
  sets.Release(SetSlot{1});
  EXPECT_EQ(sets.FindFreeSlot(), 1);
  EXPECT_EQ(sets.FindFreeSlot(), 2);
  EXPECT_EQ(sets.FindFreeSlot(), 4);
  EXPECT_EQ(sets.SlotCount(), 4);  // never shrinks
}

}  // namespace
}  // namespace i40

namespace i40 {
namespace {

// A first run copies the shipped demo into a new "i40 Sets" folder, and only then: a
// recent Set, an "i40 Sets" that is there already or no shipped demo leaves everything
// alone, and a copy that fails leaves no half-written file.
TEST(FirstRun, CopiesTheDemoIntoANewSetsFolderOnly) {
  test::TempDir dir;
  DataLocations data{dir / "user", {dir / "shipped"}};
  fs::create_directories(dir / "shipped" / "demo");
  build::WriteSet(build::DemoSet(), dir / "shipped" / "demo" / "DEMO");
  const fs::path documents = dir / "Documents";
  const fs::path sets = documents / "i40 Sets";

  Settings used;
  used.RecentSets = {dir / "elsewhere" / "SET"};
  EXPECT_EQ(PrepareFirstRun(used, data, documents), std::nullopt);
  EXPECT_EQ(PrepareFirstRun(Settings{}, DataLocations{dir / "user", {dir.path()}}, documents),
            std::nullopt);
  EXPECT_FALSE(fs::exists(sets));

  test::FaultyFileOps faulty;
  faulty.failWriteNew = [](const fs::path& file) { return file.extension() == ".PRG"; };
  EXPECT_EQ(PrepareFirstRun(Settings{}, data, documents, faulty), std::nullopt);
  EXPECT_FALSE(fs::exists(sets / "DEMO.PRG"));
  fs::remove_all(sets);

  EXPECT_EQ(PrepareFirstRun(Settings{}, data, documents), sets / "DEMO");
  for (const Kind kind : kStoredKinds) {
    EXPECT_EQ(test::ReadFile(ComponentPath(sets / "DEMO", kind)),
              test::ReadFile(ComponentPath(dir / "shipped" / "demo" / "DEMO", kind)));
  }
  // The folder is the user's now: a second run leaves it as it is.
  fs::remove(ComponentPath(sets / "DEMO", Kind::Global));
  EXPECT_EQ(PrepareFirstRun(Settings{}, data, documents), std::nullopt);
  EXPECT_FALSE(fs::exists(ComponentPath(sets / "DEMO", Kind::Global)));
}

}  // namespace
}  // namespace i40
