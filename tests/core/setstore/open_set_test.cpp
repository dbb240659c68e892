#include "session/open_set.h"

#include <gtest/gtest.h>

#include "format/blank_records.h"
#include "format/component_io.h"
#include "format/set_paths.h"
#include "session/save_set.h"
#include "set_builder.h"
#include "support/temp_dir.h"

#include <algorithm>
#include "ui/scripted_prompter.h"

namespace i40 {
namespace {

namespace fs = std::filesystem;

class OpenSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "data" / "I40EMPTY");
    fs::create_directories(dir_ / "sets" / "ONE");
    ws_.templateSet = EmptyTemplatePath(dir_ / "data");
    build::WriteSet(build::TemplateSet(), ws_.templateSet);
    one_ = build::DemoSet();
    build::WriteSet(one_, OnePath());
    ws_.settings.PathNam = dir_.path();
    ws_.settings.WarnDupl = false;  // the demo Set has duplicate names on purpose
  }

  fs::path OnePath() const { return dir_ / "sets" / "ONE" / "ONE"; }

  test::TempDir dir_;
  Workspace ws_;
  ScriptedPrompter prompter_;
  FileSet one_;
};

TEST_F(OpenSetTest, OpensAGivenSetAndReadsAllItsComponents) {
  const int slot = OpenSet(ws_, prompter_, false, OnePath());
  ASSERT_EQ(slot, 1);
  EXPECT_TRUE(prompter_.messages().empty());
  const SetEntry& entry = ws_.sets.Entry(slot);
  EXPECT_FALSE(entry.Free);
  EXPECT_EQ(entry.Name, "ONE");
  EXPECT_EQ(entry.Dir, dir_ / "sets" / "ONE");
  EXPECT_FALSE(entry.AnyModified());
  EXPECT_FALSE(entry.UndoEnabled);
  EXPECT_EQ(ws_.settings.PathNam, dir_ / "sets");  // the parent of the Set's folder
  const FileSet& set = ws_.sets.Files(slot);
  for (Kind kind : kStoredKinds) {
    EXPECT_EQ(WriteComponentBytes(kind, set), WriteComponentBytes(kind, one_)) << KindName(kind);
  }
  EXPECT_EQ(set.backingSequences.path, ComponentPath(OnePath(), Kind::BackingSequence));
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
    // Past the header, inside the items: Arrangement 4, say, for the 534 bytes.
    const std::size_t cut = kind == Kind::Arrangement ? 534 : 40 + (bytes.size() - 40) / 2;
    bytes.resize(std::min(cut, bytes.size() - 1));
    test::WriteFile(ComponentPath(shortPath, kind), bytes);

    ws_.sets.Reset();
    const int first = OpenSet(ws_, prompter_, false, OnePath());
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

TEST_F(OpenSetTest, OpeningWarnsOfDuplicateNamesUnlessNew) {
  ws_.settings.WarnDupl = true;
  ASSERT_EQ(OpenSet(ws_, prompter_, false, OnePath()), 1);
  EXPECT_EQ(prompter_.texts(), (std::vector<std::string>{
                                   "Arrangement duplicate name\nC25 - C11  (Pop Ballad)",
                                   "Style duplicate name\nC25 - C11  (Ballad Style)",
                                   "Program duplicate name\nF45 - F11  (Grand Piano)",
                               }));
  EXPECT_EQ(prompter_.messages()[0].title, "");
  prompter_.Clear();
  ws_.sets.Files(1).arrangements.records[1].SetName("Same");
  ws_.sets.Files(1).arrangements.records[2].SetName("Same");
  ASSERT_EQ(OpenSet(ws_, prompter_, true, {}), 2);
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(OpenSetTest, ProgressRunsFromTheHeaderTestsToFifteen) {
  OpenSet(ws_, prompter_, false, OnePath());
  const auto& steps = prompter_.progress();
  ASSERT_EQ(steps.size(), 8u);
  EXPECT_EQ(steps.front().caption, "Loading ONE Files...");
  const double expected[] = {0.001, 1, 3, 9, 11, 13, 14, 15};
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_DOUBLE_EQ(steps[i].value, expected[i]) << i;
  }
  EXPECT_FALSE(prompter_.progressShown());
}

TEST_F(OpenSetTest, MissingComponentIsCreatedFromTheTemplateOnOk) {
  fs::remove(ComponentPath(OnePath(), Kind::KbdSet));
  prompter_.QueueAnswer(Answer::Ok);
  const int slot = OpenSet(ws_, prompter_, false, OnePath());
  ASSERT_EQ(slot, 1);
  ASSERT_EQ(prompter_.messages().size(), 1u);
  const Message& m = prompter_.messages()[0];
  EXPECT_EQ(m.text, "ONE.KBS is missing.\nCreate it?");
  EXPECT_EQ(m.title, "Open a Set");
  EXPECT_EQ(m.icon, MessageIcon::Exclamation);
  EXPECT_EQ(m.buttons, MessageButtons::OkCancel);
  EXPECT_EQ(m.defaultButton, Answer::Cancel);
  EXPECT_EQ(ws_.sets.Files(slot).kbdSets.records, build::TemplateSet().kbdSets.records);
  EXPECT_TRUE(fs::exists(ComponentPath(OnePath(), Kind::KbdSet)));
}

TEST_F(OpenSetTest, MissingComponentOnCancelCreatesNothingAndTakesNoSlot) {
  fs::remove(ComponentPath(OnePath(), Kind::KbdSet));
  prompter_.QueueAnswer(Answer::Cancel);
  EXPECT_EQ(OpenSet(ws_, prompter_, false, OnePath()), 0);
  EXPECT_FALSE(fs::exists(ComponentPath(OnePath(), Kind::KbdSet)));
  EXPECT_FALSE(ws_.sets.AnySetOpen());
  EXPECT_TRUE(prompter_.progress().empty());
}

TEST_F(OpenSetTest, TemplateComponentMissingToo) {
  fs::remove(ComponentPath(OnePath(), Kind::Global));
  fs::remove(ComponentPath(ws_.templateSet, Kind::Global));
  prompter_.QueueAnswer(Answer::Ok);
  EXPECT_EQ(OpenSet(ws_, prompter_, false, OnePath()), 0);
  ASSERT_EQ(prompter_.messages().size(), 2u);
  EXPECT_EQ(prompter_.messages()[1].text, "Unable to create file!");
  EXPECT_EQ(prompter_.messages()[1].title, "Create file");
  EXPECT_EQ(prompter_.messages()[1].icon, MessageIcon::Exclamation);
  EXPECT_FALSE(fs::exists(ComponentPath(OnePath(), Kind::Global)));
}

TEST_F(OpenSetTest, WrongKindByteGivesOneMessageAndNoSlot) {
  auto bytes = WriteComponentBytes(Kind::Arrangement, one_);
  bytes[6] = 4;
  test::WriteFile(ComponentPath(OnePath(), Kind::Arrangement), bytes);
  EXPECT_EQ(OpenSet(ws_, prompter_, false, OnePath()), 0);
  ASSERT_EQ(prompter_.messages().size(), 1u);
  EXPECT_EQ(prompter_.messages()[0].text,
            PathText(ComponentPath(OnePath(), Kind::Arrangement)) + " is not a valid file");
  EXPECT_FALSE(ws_.sets.AnySetOpen());
  EXPECT_EQ(ws_.sets.SlotCount(), 1);
  EXPECT_FALSE(prompter_.progressShown());
  EXPECT_EQ(ws_.settings.PathNam, dir_.path());  // unchanged
}

TEST_F(OpenSetTest, EveryBadComponentIsReportedBeforeGivingUp) {
  test::WriteFile(ComponentPath(OnePath(), Kind::Style), {'K', 'O'});
  test::WriteFile(ComponentPath(OnePath(), Kind::Global), build::ComponentHeader(Kind::KbdSet, 40));
  EXPECT_EQ(OpenSet(ws_, prompter_, false, OnePath()), 0);
  EXPECT_EQ(prompter_.texts(),
            (std::vector<std::string>{
                "Error reading " + PathText(ComponentPath(OnePath(), Kind::Style)) + " file header",
                PathText(ComponentPath(OnePath(), Kind::Global)) + " is not a valid file"}));
}

TEST_F(OpenSetTest, NewSetsAreNamedAfterTheirSlotAndMarkedChanged) {
  const int first = OpenSet(ws_, prompter_, true, {});
  const int second = OpenSet(ws_, prompter_, true, {});
  ASSERT_EQ(first, 1);
  ASSERT_EQ(second, 2);
  EXPECT_EQ(ws_.sets.Entry(1).Name, "NEWSET01");
  EXPECT_EQ(ws_.sets.Entry(2).Name, "NEWSET02");
  EXPECT_EQ(ws_.sets.Entry(2).Dir, dir_.path());
  for (Kind kind : kStoredKinds) {
    EXPECT_TRUE(ws_.sets.Entry(1).Modified[static_cast<std::size_t>(KindIndex(kind))]);
  }
  EXPECT_FALSE(ws_.sets.Entry(1).Modified[4]);  // Songs are never written
  EXPECT_EQ(ws_.sets.Files(2).kbdSets.records, build::TemplateSet().kbdSets.records);
  EXPECT_EQ(ws_.sets.Files(2).backingSequences.path,
            ComponentPath(ws_.templateSet, Kind::BackingSequence));
  EXPECT_EQ(ws_.settings.PathNam, dir_.path());  // a new Set does not move the dialogs
  EXPECT_EQ(NewSetName(12), "NEWSET12");
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
  EXPECT_EQ(request.title, "Select a Korg-i40 Set");
  EXPECT_EQ(request.initialDir, dir_ / "sets");
  ASSERT_EQ(request.filters.size(), 8u);
  EXPECT_EQ(request.filters[0].name, "All");
  EXPECT_EQ(request.filters[0].pattern, "*.*");
  EXPECT_EQ(request.filters[4].name, "Backing Sequence");
  EXPECT_EQ(request.filters[4].pattern, "*.BSQ");
  EXPECT_EQ(request.filters[5].pattern, "*.KBS");
  EXPECT_EQ(request.filters[7].pattern, "*.GBL");
  const Message& warning = prompter_.messages().back();
  EXPECT_EQ(warning.text, "Name ONE is already in use.\nContinue anyway?");
  EXPECT_EQ(warning.title, "Warning");
  EXPECT_EQ(warning.buttons, MessageButtons::OkCancel);

  prompter_.QueueFile(dir_ / "other" / "ONE" / "ONE.prg");
  prompter_.QueueAnswer(Answer::Ok);
  EXPECT_EQ(OpenSet(ws_, prompter_, false, {}), 2);
  EXPECT_EQ(ws_.sets.Entry(2).Name, "ONE");
  EXPECT_EQ(ws_.settings.PathNam, dir_ / "other");
}

TEST_F(OpenSetTest, CancelledDialogOpensNothing) {
  prompter_.QueueFile(std::nullopt);
  EXPECT_EQ(OpenSet(ws_, prompter_, false, {}), 0);
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_FALSE(ws_.sets.AnySetOpen());
}

TEST_F(OpenSetTest, GivenPathWhoseFolderIsGoneOpensNothingAndSaysNothing) {
  EXPECT_EQ(OpenSet(ws_, prompter_, false, dir_ / "gone" / "ONE"), 0);
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_TRUE(prompter_.fileRequests().empty());
  // A folder name that is a file falls back to the dialog.
  test::WriteFile(dir_ / "afile", {1});
  prompter_.QueueFile(std::nullopt);
  EXPECT_EQ(OpenSet(ws_, prompter_, false, dir_ / "afile" / "ONE"), 0);
  EXPECT_EQ(prompter_.fileRequests().size(), 1u);
}

TEST_F(OpenSetTest, ComponentsWithLowerCaseExtensionsOpen) {
  for (Kind kind : kStoredKinds) {
    std::string lower(KindExt(kind));
    for (char& c : lower)
      c = static_cast<char>(std::tolower(c));
    fs::rename(ComponentPath(OnePath(), kind), fs::path(OnePath()).concat(lower));
  }
  ASSERT_EQ(OpenSet(ws_, prompter_, false, OnePath()), 1);
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(ws_.sets.Files(1).programs.records, one_.programs.records);
}

}  // namespace
}  // namespace i40
