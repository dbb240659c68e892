#include "reports/subset_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "format/set_paths.h"
#include "support/editor.h"
#include "support/expected_text.h"
#include "support/faulty_file_ops.h"
#include "support/shown.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace i40 {
namespace {

using test::AddSet;
using test::TempDir;

class SubsetReportTest : public test::WorkspaceTest {
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

  TempDir dir_;
};

// A page's rows stop at the first empty slot; the Arrangements may list the presets too.
TEST_F(SubsetReportTest, EachPageListsItsItemsWithTheirCalls) {
  for (const auto& [page, withPresets, file] :
       {std::tuple{Kind::Program, false, "programs"},
        {Kind::Style, false, "styles"},
        {Kind::Arrangement, false, "arrangements"},
        {Kind::Arrangement, true, "arrangements_presets"}}) {
    SCOPED_TRACE(file);
    EXPECT_EQ(test::CrlfLines(Text(page, withPresets)),
              test::ExpectedLines("reports/subset_" + std::string(file) + ".txt"));
  }
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
  // Each answer stands for a question, asked in this order.
  const std::vector<std::string> questions = {"Overwrite existing file?",
                                              "Include Preset Arrangements?"};
  const struct {
    Kind page;
    std::string title;
    std::vector<Answer> answers;
    bool withPresets;
  } cases[] = {
      {Kind::Program, "Save Program Report to File...", {}, false},
      {Kind::Style, "Save Style Report to File...", {Answer::Yes}, false},
      {Kind::Arrangement, "Save Arrangement Report to File...", {Answer::Yes, Answer::No}, false},
      {Kind::Arrangement, "Save Arrangement Report to File...", {Answer::Yes, Answer::Yes}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    prompter_.Clear();
    prompter_.QueueFile(file);
    for (Answer answer : c.answers)
      prompter_.QueueAnswer(answer);
    EXPECT_TRUE(CreateSubsetReportFile(ws_, prompter_, slot_, c.page, "DEMO"));
    EXPECT_EQ(prompter_.texts(),
              std::vector<std::string>(questions.begin(), questions.begin() + c.answers.size()));
    for (const Message& m : prompter_.messages())
      EXPECT_EQ(std::tie(m.icon, m.buttons),
                std::tuple(MessageIcon::Question, MessageButtons::YesNo));
    EXPECT_EQ(test::ReadTextFile(file), Text(c.page, c.withPresets));
    EXPECT_EQ(test::FileNamesIn(dir_.path()), std::vector<std::string>{"report.xls"});

    ASSERT_EQ(prompter_.fileRequests().size(), 1u);
    const FileRequest& request = prompter_.fileRequests()[0];
    EXPECT_EQ(std::tie(request.title, request.initialDir, request.initialName, request.defaultExt),
              std::tuple(c.title, dir_.path(), "*.*", ".XLS"));
    EXPECT_EQ(test::Types(request), (std::vector<std::string>{"Excel (*.XLS)|*.XLS", "All|*.*"}));
  }
}

TEST_F(SubsetReportTest, AFailedWriteOrANoLeavesTheFilesAsTheyWere) {
  test::FaultyFileOps ops;  // a full disk
  ops.failWriteNew = test::FaultyFileOps::Always();
  const fs::path file = dir_ / "full.xls";
  prompter_.QueueFile(file);
  EXPECT_FALSE(CreateSubsetReportFile(ws_, prompter_, slot_, Kind::Style, "DEMO", ops));
  EXPECT_EQ(test::ShownOf(prompter_.messages()),
            std::vector{test::ErrorBox("Error saving Subset Report to file " + PathText(file))});
  EXPECT_TRUE(test::FileNamesIn(dir_.path()).empty());  // neither the file nor a temporary one

  // An existing file survives a No to overwriting it, and a failed write over it.
  test::WriteTextFile(file, "older report");
  prompter_.Clear();
  prompter_.QueueFile(file);
  prompter_.QueueAnswer(Answer::No);
  EXPECT_FALSE(CreateSubsetReportFile(ws_, prompter_, slot_, Kind::Program, "DEMO"));
  EXPECT_EQ(prompter_.messages().at(0).defaultButton, Answer::No);
  prompter_.QueueFile(file);
  prompter_.QueueAnswer(Answer::Yes);
  EXPECT_FALSE(CreateSubsetReportFile(ws_, prompter_, slot_, Kind::Style, "DEMO", ops));
  EXPECT_EQ(prompter_.texts().back(), "Error saving Subset Report to file " + PathText(file));
  EXPECT_EQ(test::ReadTextFile(file), "older report");
  EXPECT_EQ(test::FileNamesIn(dir_.path()), std::vector<std::string>{"full.xls"});
}

}  // namespace
}  // namespace i40
