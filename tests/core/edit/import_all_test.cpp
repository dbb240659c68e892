// Edit > Import... on every tab: a whole component of the Set replaced from a file.
#include <gtest/gtest.h>

#include "format/set_paths.h"
#include "support/editor.h"
#include "support/temp_dir.h"

namespace i40 {
namespace {

using test::AddSet;
using test::Images;

class ImportAllTest : public test::WorkspaceTest {
 protected:
  void SetUp() override {
    slot_ = AddSet(ws_, build::TemplateSet(), "ONE");
    ws_.sets.Entry(slot_).UndoEnabled = true;
    ws_.settings.PathNam = dir_.path();
    build::WriteSet(build::DemoSet(), dir_ / "DEMO");
  }
  bool Import(Kind kind) { return ed_.Run(EditCommand::Import, kind, slot_); }

  test::TempDir dir_;
};

// Each Import replaces its own kind's items and nothing else. Undo is unavailable after it,
// and that is the core's state, not only the menu's: the Arrangement cut before cannot come
// back over the imported bank.
TEST_F(ImportAllTest, EveryStoredKindReplacesOnlyItsOwnItemsAndNothingOfBeforeComesBack) {
  ws_.sets.Files(slot_).arrangements.records[0].SetName("Cut me");
  ASSERT_TRUE(ed_.Cut(Kind::Arrangement, slot_, 0));
  for (Kind kind : kStoredKinds) {
    SCOPED_TRACE(std::string(KindName(kind)));
    prompter_.Clear();
    prompter_.QueueFile(ComponentPath(dir_ / "DEMO", kind));
    ASSERT_TRUE(Import(kind));
    const FileRequest& request = prompter_.fileRequests().at(0);
    EXPECT_EQ(request.title, "Import all " + std::string(KindName(kind)) + " from...");
    EXPECT_EQ(request.filters.at(0).pattern, "*" + std::string(KindExt(kind)));
    EXPECT_TRUE(ws_.sets.Entry(slot_).Modified[KindIndex(kind)]);
    EXPECT_FALSE(ws_.sets.Entry(slot_).UndoEnabled);
    EXPECT_TRUE(prompter_.messages().empty());
  }
  ws_.sets.Entry(slot_).UndoEnabled = true;  // another window's entry
  EXPECT_TRUE(ed_.Undo(Kind::Arrangement, slot_));
  EXPECT_EQ(Images(ws_, slot_), Images(build::DemoSet()));
}

TEST_F(ImportAllTest, AFileThatBreaksOffLeavesTheSetAsItWas) {
  const auto before = Images(ws_, slot_);
  auto bytes = WriteComponentBytes(Kind::Style, build::DemoSet());
  bytes.resize(bytes.size() / 2);
  test::WriteFile(dir_ / "HALF.STY", bytes);
  prompter_.QueueFile(dir_ / "HALF.STY");
  EXPECT_FALSE(Import(Kind::Style));
  ASSERT_EQ(prompter_.messages().size(), 1u);
  EXPECT_EQ(prompter_.messages()[0].text.rfind(
                "Error getting Style data.\nThe file ends inside Style", 0),
            0u);
  EXPECT_EQ(Images(ws_, slot_), before);
  EXPECT_FALSE(ws_.sets.Entry(slot_).AnyModified());
}

TEST_F(ImportAllTest, AFileOfAnotherKindIsRefused) {
  prompter_.QueueFile(ComponentPath(dir_ / "DEMO", Kind::Program));
  EXPECT_FALSE(Import(Kind::Arrangement));
  EXPECT_EQ(prompter_.texts(),
            std::vector<std::string>{PathText(ComponentPath(dir_ / "DEMO", Kind::Program)) +
                                     " is not a valid file"});
  prompter_.QueueFile(std::nullopt);
  EXPECT_FALSE(Import(Kind::Arrangement));
  EXPECT_FALSE(Import(Kind::Song));
}

}  // namespace
}  // namespace i40
