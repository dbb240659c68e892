#include "setstore/import_all.h"

#include <gtest/gtest.h>

#include "set_builder.h"
#include "setstore/set_paths.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"
#include "ui/scripted_prompter.h"

namespace i40 {
namespace {

using test::AddSet;
using test::Images;

class ImportAllTest : public ::testing::Test {
 protected:
  void SetUp() override {
    slot_ = AddSet(ws_, build::TemplateSet(), "ONE");
    ws_.sets.Entry(slot_).UndoEnabled = true;
    ws_.settings.PathNam = dir_.path();
    build::WriteSet(build::DemoSet(), dir_ / "DEMO");
  }
  test::TempDir dir_;
  Workspace ws_;
  ScriptedPrompter prompter_;
  int slot_ = 0;
};

TEST_F(ImportAllTest, EveryStoredKindReplacesOnlyItsOwnItems) {
  const FileSet demo = build::DemoSet();
  for (Kind kind : kStoredKinds) {
    SCOPED_TRACE(std::string(KindName(kind)));
    prompter_.Clear();
    prompter_.QueueFile(ComponentPath(dir_ / "DEMO", kind));
    ASSERT_TRUE(ImportAllItems(ws_, prompter_, slot_, kind));
    const FileRequest& request = prompter_.fileRequests().at(0);
    EXPECT_EQ(request.title, "Import all " + std::string(KindName(kind)) + " from...");
    EXPECT_EQ(request.initialName, "*" + std::string(KindExt(kind)));
    EXPECT_EQ(request.filters.at(0).name, std::string(KindExt(kind)).substr(1));
    EXPECT_EQ(WriteComponentBytes(kind, ws_.sets.Files(slot_)), WriteComponentBytes(kind, demo));
    EXPECT_TRUE(ws_.sets.Entry(slot_).Modified[KindIndex(kind)]);
    EXPECT_FALSE(ws_.sets.Entry(slot_).UndoEnabled);
    EXPECT_TRUE(prompter_.messages().empty());
  }
  EXPECT_EQ(Images(ws_, slot_), Images(ws_, AddSet(ws_, demo, "DEMO")));
}

TEST_F(ImportAllTest, AFileThatBreaksOffLeavesTheSetAsItWas) {
  const auto before = Images(ws_, slot_);
  auto bytes = WriteComponentBytes(Kind::Style, build::DemoSet());
  bytes.resize(bytes.size() / 2);
  test::WriteFile(dir_ / "HALF.STY", bytes);
  prompter_.QueueFile(dir_ / "HALF.STY");
  EXPECT_FALSE(ImportAllItems(ws_, prompter_, slot_, Kind::Style));
  ASSERT_EQ(prompter_.messages().size(), 1u);
  EXPECT_EQ(prompter_.messages()[0].text.rfind(
                "Error getting Style data.\nThe file ends inside Style", 0),
            0u);
  EXPECT_EQ(Images(ws_, slot_), before);
  EXPECT_FALSE(ws_.sets.Entry(slot_).AnyModified());
}

TEST_F(ImportAllTest, AFileOfAnotherKindIsRefused) {
  prompter_.QueueFile(ComponentPath(dir_ / "DEMO", Kind::Program));
  EXPECT_FALSE(ImportAllItems(ws_, prompter_, slot_, Kind::Arrangement));
  EXPECT_EQ(prompter_.texts(),
            std::vector<std::string>{PathText(ComponentPath(dir_ / "DEMO", Kind::Program)) +
                                     " is not a valid file"});
  prompter_.QueueFile(std::nullopt);
  EXPECT_FALSE(ImportAllItems(ws_, prompter_, slot_, Kind::Arrangement));
  EXPECT_FALSE(ImportAllItems(ws_, prompter_, slot_, Kind::Song));
}

}  // namespace
}  // namespace i40
