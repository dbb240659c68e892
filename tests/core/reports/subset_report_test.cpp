#include "reports/subset_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "format/set_paths.h"
#include "set_builder.h"
#include "support/faulty_file_ops.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"
#include "ui/scripted_prompter.h"

namespace fs = std::filesystem;

namespace i40 {
namespace {

using test::AddSet;
using test::TempDir;

std::vector<std::string> SplitRows(const std::string& text) {
  std::vector<std::string> rows;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    rows.push_back(text.substr(start, end - start));
  if (start != text.size()) rows.push_back("<unterminated>" + text.substr(start));
  return rows;
}

const std::string kStyleTrackHeaders =
    "\t\tDRUMS  \t\tPERC   \t\tBASS   \t\tACC1   \t\tACC2   \t\tACC3   ";
const std::string kArrangementTrackHeaders =
    kStyleTrackHeaders + "\t\tUpper1 \t\tUpper2 \t\tLower  ";

class SubsetReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ws_.presets.arrangements[0] = {"Preset Arr One  ", 1, 64};  // calls Style B11
    ws_.presets.styles[64] = {"Preset Style    ", 3, 0};
    ws_.presets.programsAB[0] = {"Grand Piano     ", 0, 0};

    FileSet s = build::TemplateSet();
    auto& prg = s.programs.records;
    prg[0].SetName("Piano");
    prg[0].SetCategory(0);
    prg[1].SetName("Odd");
    prg[1].SetCategory(16);  // no category has this number
    prg[64].SetName("Kit A");
    prg[64].SetCategory(14);

    StyleRecord& sty = s.styles.slots[0].record;
    sty.SetName("Beat");
    sty.SetCategory(1);
    const int styleTracks[6] = {1038, 1024, 768, 0, 769, 2000};  // 2000 is in no bank
    for (int t = 0; t < 6; ++t)
      sty.SetTrackProgram(t, styleTracks[t]);

    ArrangementRecord& arr = s.arrangements.records[0];
    arr.SetName("Pop Ballad");
    arr.SetCategory(0);
    arr.SetStyle(256);  // C11
    const int arrTracks[9] = {1038, 1024, 768, 0, 0, 0, 769, 768, 1039};
    for (int t = 0; t < 9; ++t)
      arr.SetTrackProgram(t, arrTracks[t]);

    slot_ = AddSet(ws_, s, "DEMO");
    ws_.sets.Entry(slot_).Dir = dir_.path();
  }

  std::string Text(Kind page, bool withPresets = false) const {
    return SubsetReportText(ItemSources{ws_.presets, ws_.sets.Files(slot_)}, page, "DEMO",
                            withPresets);
  }

  Workspace ws_;
  ScriptedPrompter prompter_;
  TempDir dir_;
  int slot_ = 0;
};

TEST_F(SubsetReportTest, ProgramsPageHasTheHeaderAndSixtySixRows) {
  const auto rows = SplitRows(Text(Kind::Program));
  ASSERT_EQ(rows.size(), 67u);
  EXPECT_EQ(rows[0], "Set\tPrg\tPrg Name\tPrg Cat");
  EXPECT_EQ(rows[1], "DEMO\tF11\tPiano           \tKeyboard");
  EXPECT_EQ(rows[2], "DEMO\tF12\tOdd             \t");
  EXPECT_EQ(rows[3], "DEMO\tF13");
  EXPECT_EQ(rows[64], "DEMO\tF88");
  EXPECT_EQ(rows[65], "DEMO\tR27\tKit A           \tDrum/Perc.");
  EXPECT_EQ(rows[66], "DEMO\tR28");
}

TEST_F(SubsetReportTest, StylesPageListsTrackProgramsAndStopsAtEmptySlots) {
  const auto rows = SplitRows(Text(Kind::Style));
  ASSERT_EQ(rows.size(), 17u);
  EXPECT_EQ(rows[0], "Set\tSty\tSty Name\tSty Cat" + kStyleTrackHeaders);
  EXPECT_EQ(rows[1],
            "DEMO\tC11\tBeat            \t16 Beat"
            "\tR27\tKit A           \tR11\t                \tF11\tPiano           "
            "\tA11\tGrand Piano     \tF12\tOdd             \t\t");
  EXPECT_EQ(rows[2], "DEMO\tC12");
  EXPECT_EQ(rows[16], "DEMO\tC28");
}

TEST_F(SubsetReportTest, ArrangementsPageWithAndWithoutThePresets) {
  const std::string userRow =
      "DEMO\tC11\tPop Ballad      \t8 Beat\tC11\tBeat            \t16 Beat"
      "\tR27\tKit A           \tR11\t                \tF11\tPiano           "
      "\tA11\tGrand Piano     \tA11\tGrand Piano     \tA11\tGrand Piano     "
      "\tF12\tOdd             \tF11\tPiano           \tR28\t                ";
  const std::string header =
      "Set\tArr\tArr Name\tArr Cat\tSty\tSty Name\tSty Cat" + kArrangementTrackHeaders;

  const auto users = SplitRows(Text(Kind::Arrangement, false));
  ASSERT_EQ(users.size(), 65u);
  EXPECT_EQ(users[0], header);
  EXPECT_EQ(users[1], userRow);
  EXPECT_EQ(users[2], "DEMO\tC12");
  EXPECT_EQ(users[64], "DEMO\tC88");

  const auto all = SplitRows(Text(Kind::Arrangement, true));
  ASSERT_EQ(all.size(), 1u + 128u + 64u);
  EXPECT_EQ(all[0], header);
  EXPECT_EQ(all[1], "DEMO\tA11\tPreset Arr One  \t16 Beat\tB11\tPreset Style    \tDance");
  EXPECT_EQ(all[2], "DEMO\tA12\t                \t8 Beat\tA11\t                \t8 Beat");
  EXPECT_EQ(all[65].substr(0, 9), "DEMO\tB11\t");
  EXPECT_EQ(all[128].substr(0, 9), "DEMO\tB88\t");
  EXPECT_EQ(std::vector<std::string>(all.begin() + 129, all.end()),
            std::vector<std::string>(users.begin() + 1, users.end()));
}

TEST_F(SubsetReportTest, OtherPagesAndACancelledDialogWriteNothing) {
  EXPECT_EQ(Text(Kind::BackingSequence), "");
  EXPECT_EQ(Text(Kind::KbdSet), "");
  EXPECT_FALSE(CreateSubsetReportFile(ws_, prompter_, slot_, Kind::KbdSet, "DEMO"));
  EXPECT_TRUE(prompter_.fileRequests().empty());
  prompter_.QueueFile(std::nullopt);
  EXPECT_FALSE(CreateSubsetReportFile(ws_, prompter_, slot_, Kind::Arrangement, "DEMO"));
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_TRUE(test::FileNamesIn(dir_.path()).empty());
}

TEST_F(SubsetReportTest, WritesThePageToTheChosenFile) {
  // One file written over and over: all but the first ask before overwriting it, and the
  // Arrangements then ask about the presets.
  const fs::path file = dir_ / "report.xls";
  const std::string overwrite = "Overwrite existing file?",
                    presets = "Include Preset Arrangements?";
  const struct {
    Kind page;
    std::string title;
    std::vector<Answer> answers;
    std::vector<std::string> questions;
    bool withPresets;
  } cases[] = {
      {Kind::Program, "Save Program Report to File...", {}, {}, false},
      {Kind::Style, "Save Style Report to File...", {Answer::Yes}, {overwrite}, false},
      {Kind::Arrangement,
       "Save Arrangement Report to File...",
       {Answer::Yes, Answer::No},
       {overwrite, presets},
       false},
      {Kind::Arrangement,
       "Save Arrangement Report to File...",
       {Answer::Yes, Answer::Yes},
       {overwrite, presets},
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    prompter_.Clear();
    prompter_.QueueFile(file);
    for (Answer answer : c.answers)
      prompter_.QueueAnswer(answer);
    EXPECT_TRUE(CreateSubsetReportFile(ws_, prompter_, slot_, c.page, "DEMO"));
    EXPECT_EQ(prompter_.unexpectedQuestions(), 0);
    EXPECT_EQ(prompter_.texts(), c.questions);
    for (const Message& m : prompter_.messages())
      EXPECT_EQ(std::tie(m.icon, m.buttons),
                std::tuple(MessageIcon::Question, MessageButtons::YesNo));
    EXPECT_EQ(test::ReadTextFile(file), Text(c.page, c.withPresets));
    EXPECT_EQ(test::FileNamesIn(dir_.path()), std::vector<std::string>{"report.xls"});

    ASSERT_EQ(prompter_.fileRequests().size(), 1u);
    const FileRequest& request = prompter_.fileRequests()[0];
    EXPECT_EQ(request.title, c.title);
    EXPECT_EQ(std::tie(request.initialDir, request.initialName, request.defaultExt),
              std::tuple(dir_.path(), "*.*", ".XLS"));
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(std::tie(request.filters[0].name, request.filters[0].pattern),
              std::tuple("Excel (*.XLS)", "*.XLS"));
    EXPECT_EQ(std::tie(request.filters[1].name, request.filters[1].pattern),
              std::tuple("All", "*.*"));
  }
}

TEST_F(SubsetReportTest, AnExistingFileIsKeptUnlessTheAnswerIsYes) {
  const fs::path file = dir_ / "old.xls";
  test::WriteTextFile(file, "keep me");
  prompter_.QueueFile(file);
  prompter_.QueueAnswer(Answer::No);
  EXPECT_FALSE(CreateSubsetReportFile(ws_, prompter_, slot_, Kind::Program, "DEMO"));
  ASSERT_EQ(prompter_.messages().size(), 1u);
  EXPECT_EQ(prompter_.messages()[0].defaultButton, Answer::No);
  EXPECT_EQ(test::ReadTextFile(file), "keep me");
}

TEST_F(SubsetReportTest, AFailedWriteIsReportedAndLeavesNoFile) {
  test::FaultyFileOps ops;  // a full disk
  ops.failWriteNew = test::FaultyFileOps::Always();
  const fs::path file = dir_ / "full.xls";
  prompter_.QueueFile(file);
  EXPECT_FALSE(CreateSubsetReportFile(ws_, prompter_, slot_, Kind::Style, "DEMO", ops));
  ASSERT_EQ(prompter_.messages().size(), 1u);
  const Message& error = prompter_.messages()[0];
  EXPECT_EQ(std::tie(error.text, error.title, error.icon, error.buttons),
            std::tuple("Error saving Subset Report to file " + PathText(file), "Error",
                       MessageIcon::Critical, MessageButtons::Ok));
  EXPECT_TRUE(test::FileNamesIn(dir_.path()).empty());  // neither the file nor a temporary one

  // Over an existing file the old contents survive.
  test::WriteTextFile(file, "older report");
  prompter_.Clear();
  prompter_.QueueFile(file);
  prompter_.QueueAnswer(Answer::Yes);
  EXPECT_FALSE(CreateSubsetReportFile(ws_, prompter_, slot_, Kind::Style, "DEMO", ops));
  EXPECT_EQ(prompter_.texts().back(), "Error saving Subset Report to file " + PathText(file));
  EXPECT_EQ(test::ReadTextFile(file), "older report");
  EXPECT_EQ(test::FileNamesIn(dir_.path()), std::vector<std::string>{"full.xls"});
}

}  // namespace
}  // namespace i40
