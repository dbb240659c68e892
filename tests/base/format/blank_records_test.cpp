#include "format/blank_records.h"

#include <gtest/gtest.h>

#include "format/set_paths.h"
#include "host/scripted_prompter.h"
#include "session/load_component.h"
#include "set_builder.h"
#include "support/temp_dir.h"

namespace i40 {
namespace {

namespace fs = std::filesystem;

class BlankRecordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "I40EMPTY");
    set_ = build::TemplateSet();
    set_.styles.slots[0].record.SetName("Not blank");
    set_.styles.slots[0].record.bytes[30] = 0x42;  // a parameter of the first Style
    set_.styles.slots[0].length = 1176 + 40;
    set_.styles.slots[0].data.assign(1106 + 40, 0x33);
    set_.kbdSets.records[0].bytes[3] = 0x99;
    build::WriteSet(set_, TemplatePath());
  }
  fs::path TemplatePath() const { return EmptyTemplatePath(dir_.path()); }

  test::TempDir dir_;
  FileSet set_;
  ScriptedPrompter prompter_;
};

TEST_F(BlankRecordsTest, BlankStyleAndKbdSetComeFromTheTemplate) {
  const auto blanks = PrepareBlankRecords(TemplatePath(), prompter_);
  ASSERT_TRUE(blanks);
  EXPECT_TRUE(prompter_.messages().empty());
  // The first Style's parameters with an empty name, category and no events.
  StyleRecord style = set_.styles.slots[0].record;
  style.SetName("");
  style.SetCategory(15);
  EXPECT_EQ(std::tie(blanks->style.record, blanks->style.length, blanks->style.data),
            std::tuple(style, 1176, std::vector<std::uint8_t>()));
  EXPECT_EQ(blanks->kbdSet, set_.kbdSets.records[0]);
  EXPECT_TRUE(blanks->arrangement.IsEmpty() && blanks->program.IsEmpty());
  EXPECT_TRUE(blanks->arrangement.Category() == 15 && blanks->program.Category() == 15);
  EXPECT_EQ(blanks->bsq.Name(), std::string(10, ' '));
}

TEST_F(BlankRecordsTest, MissingTemplateKbdSetFileGivesTwoMessages) {
  fs::remove(ComponentPath(TemplatePath(), Kind::KbdSet));
  EXPECT_FALSE(PrepareBlankRecords(TemplatePath(), prompter_));
  EXPECT_EQ(prompter_.texts(),
            (std::vector<std::string>{
                "File " + PathText(ComponentPath(TemplatePath(), Kind::KbdSet)) + " not found",
                "Error getting KBD Set data.\n"}));
  for (const Message& m : prompter_.messages())
    EXPECT_EQ(m.title, "Error");
}

TEST_F(BlankRecordsTest, InvalidOrShortTemplateStyleFileStopsToo) {
  auto bytes = build::ComponentHeader(Kind::Program, 300);  // wrong kind
  test::WriteFile(ComponentPath(TemplatePath(), Kind::Style), bytes);
  EXPECT_FALSE(PrepareBlankRecords(TemplatePath(), prompter_));
  EXPECT_EQ(prompter_.texts(),
            (std::vector<std::string>{
                PathText(ComponentPath(TemplatePath(), Kind::Style)) + " is not a valid file",
                "Error getting Style data.\n"}));

  prompter_.Clear();
  test::WriteFile(ComponentPath(TemplatePath(), Kind::Style),
                  build::ComponentHeader(Kind::Style, 250));
  EXPECT_FALSE(PrepareBlankRecords(TemplatePath(), prompter_));
  ASSERT_EQ(prompter_.texts().size(), 1u);
  EXPECT_EQ(prompter_.texts()[0],
            "Error getting Style data.\nThe template file ends before its first record");
}

}  // namespace
}  // namespace i40
