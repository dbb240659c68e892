#include "reports/set_report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <tuple>
#include <vector>

#include "format/set_paths.h"
#include "host/scripted_prompter.h"
#include "set_builder.h"
#include "support/environment.h"
#include "support/expected_text.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"

namespace i40 {
namespace {

using test::AddSet;
using test::CrlfLines;
using test::ExpectedLines;

const std::string kRule(100, '_');

// Sunday 6 December 2026, 07:05:09.
std::tm SampleTime() {
  std::tm when{};
  when.tm_year = 126, when.tm_mon = 11, when.tm_mday = 6;
  when.tm_hour = 7, when.tm_min = 5, when.tm_sec = 9;
  return when;
}

// The lines that follow a section's header up to and including its closing rule.
std::vector<std::string> SectionBody(const std::vector<std::string>& lines,
                                     const std::string& header) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] != header) continue;
    std::vector<std::string> body;
    for (std::size_t j = i + 1; j < lines.size(); ++j) {
      body.push_back(lines[j]);
      if (lines[j] == kRule) break;
    }
    return body;
  }
  return {"<no section " + header + ">"};
}

class SetReportTest : public ::testing::Test {
 protected:
  // Three Arrangements, two Programs and two Drum Kits, one Style and two Backing
  // Sequences, calling each other.
  static FileSet CallingSet() {
    FileSet s = build::TemplateSet();
    auto& arr = s.arrangements.records;
    arr[0].SetName("Pop Ballad");
    arr[1].SetName("Swing Time");
    arr[2].SetName("Waltz");
    for (int t = 0; t < 9; ++t) {
      arr[0].SetTrackProgram(t, 768);  // F11
      arr[1].SetTrackProgram(t, 768);
      arr[2].SetTrackProgram(t, t < 5 ? 768 : 1);  // the rest on preset A12
    }
    arr[0].SetStyle(256);  // C11
    arr[1].SetStyle(256);
    arr[2].SetStyle(5);
    auto& prg = s.programs.records;
    prg[0].SetName("Piano");
    prg[1].SetName("Strings");
    prg[64].SetName("Kit A");
    prg[65].SetName("Kit B");
    StyleRecord& sty = s.styles.slots[0].record;
    sty.SetName("Beat");
    for (int t = 0; t < 6; ++t)
      sty.SetTrackProgram(t, 0);
    sty.SetTrackProgram(0, 1038);  // R27
    sty.SetTrackProgram(1, 1024);  // preset kit R11
    sty.SetTrackProgram(2, 769);   // F12
    BsqRecord& intro = s.backingSequences.records[0];
    intro.SetName("Intro");
    intro.SetArrangement(257);  // C12
    intro.SetStyle(256);
    intro.SetTrackProgram(0, 769);
    BsqRecord& verse = s.backingSequences.records[3];
    verse.SetName("Verse");
    verse.SetArrangement(257);
    verse.SetStyle(5);
    s.kbdSets.records[0].SetSectionProgram(1, 769);
    return s;
  }

  Workspace ws_;
};

TEST_F(SetReportTest, WholeReportOfACallingSetAndTheCaptionOfItsWindow) {
  const SetSlot slot = AddSet(ws_, CallingSet(), "DEMO");
  // Every line ends in CRLF, and a stray line end would split a line or show inside one.
  EXPECT_EQ(CrlfLines(SetReportText(ws_, slot, "DEMO", SampleTime())),
            ExpectedLines("reports/calling_set.txt"));
  EXPECT_EQ(ReportWindowCaption("DEMO"), "Report on DEMO");
}

// A title that leaves no room for the date still keeps the date apart from it.
TEST_F(SetReportTest, ALongTitleKeepsOneSpaceBeforeTheDate) {
  const SetSlot slot = AddSet(ws_, build::TemplateSet(), "X");
  const std::string title(90, 'T');
  EXPECT_EQ(CrlfLines(SetReportText(ws_, slot, title, SampleTime())).at(3),
            title + " 6-Dec-2026 07:05:09");
}

// KBD Set sections only, so the count is exact: 10, 11 and 21 calls. Nothing calls a
// user Style or Arrangement (a Backing Sequence calls a preset one): their sections are
// empty, the Arrangements' saying so.
TEST_F(SetReportTest, CallerLinesBreakAfterTenThenEveryElevenAndUncalledSectionsAreEmpty) {
  FileSet s = build::TemplateSet();
  int section = 0;
  auto call = [&](int program, int count) {
    for (int c = 0; c < count; ++c, ++section) {
      s.kbdSets.records[static_cast<std::size_t>(section / 3)].SetSectionProgram(section % 3,
                                                                                 program);
    }
  };
  call(768, 10);  // F11: A1 x3, A2 x3, A3 x3, A4
  call(769, 11);  // F12: A4 x2, A5 x3, B1 x3, B2 x3
  call(770, 21);  // F13: B3 .. C5 x3
  s.backingSequences.records[2].SetName("Nowhere");
  s.backingSequences.records[2].SetArrangement(7);
  const SetSlot slot = AddSet(ws_, s, "K");
  const auto lines = CrlfLines(SetReportText(ws_, slot, "K", SampleTime()));

  EXPECT_EQ(SectionBody(lines, "CALLS to User PROGRAMS in K"),
            ExpectedLines("reports/caller_lines.txt"));
  EXPECT_EQ(SectionBody(lines, "CALLS to User STYLES in K"), (std::vector<std::string>{"", kRule}));
  EXPECT_EQ(SectionBody(lines, "CALLS to User ARRANGEMENTS in K"),
            (std::vector<std::string>{"", "None", kRule}));
}

TEST_F(SetReportTest, ProgressFollowsTheListsThenTheProgramSearch) {
  const SetSlot slot = AddSet(ws_, CallingSet(), "DEMO");
  ScriptedPrompter prompter;
  EXPECT_EQ(SetReportText(ws_, slot, "DEMO", SampleTime(), &prompter),
            SetReportText(ws_, slot, "DEMO", SampleTime()));
  EXPECT_FALSE(prompter.progressShown());
  EXPECT_TRUE(prompter.messages().empty());

  // The opening and three lists, 0 to 3, then one even step per Program up to 18.
  const auto& steps = prompter.progress();
  ASSERT_EQ(steps.size(), 1u + 3u + 66u);
  for (std::size_t i = 0; i < steps.size(); ++i) {
    EXPECT_EQ(std::tie(steps[i].caption, steps[i].label), std::tuple("Creating Set Report...", ""));
    EXPECT_NEAR(steps[i].value, i < 4 ? double(i) : 3 + 15.0 * double(i - 3) / 66, 1e-12) << i;
  }
}

// The instant SOURCE_DATE_EPOCH gives, in UTC; without a usable one, local time now.
TEST(ReportTime, SourceDateEpochInUtcOrElseLocalTimeNow) {
  test::SetSourceDateEpoch("1796540709");
  std::tm when = ReportTime();
  EXPECT_EQ(std::tie(when.tm_wday, when.tm_yday, when.tm_isdst), std::tuple(0, 339, 0));  // Sunday
  for (const auto& [seconds, date] : {std::pair{"1796540709", "6-Dec-2026 07:05:09"},
                                      {"1709251199", "29-Feb-2024 23:59:59"},
                                      {"0", "1-Jan-1970 00:00:00"},
                                      {"253402300799", "31-Dec-9999 23:59:59"}}) {
    test::SetSourceDateEpoch(seconds);
    EXPECT_EQ(ReportDateText(ReportTime()), date);
  }

  auto isNow = [] {
    const std::time_t before = std::time(nullptr);
    std::tm local = ReportTime();
    const std::time_t after = std::time(nullptr);
    const std::time_t made = std::mktime(&local);  // read back as local time
    return made >= before - 1 && made <= after + 1;
  };
  for (const char* bad : {"", "abc", "-1", "12x", " 5", "+5", "1.5", "253402300800",
                          "99999999999999999999999999", static_cast<const char*>(nullptr)}) {
    test::SetSourceDateEpoch(bad);
    EXPECT_TRUE(isNow()) << (bad ? bad : "unset");
  }
}

TEST(SaveReportFile, AsksWhereAndBeforeOverwriting) {
  test::TempDir dir;
  Workspace ws;
  const SetSlot slot = test::AddSet(ws, build::TemplateSet(), "MYSET");
  ws.sets.Entry(slot).Dir = dir.path();
  ScriptedPrompter prompter;
  prompter.QueueFile(dir / "R.TXT");
  ASSERT_TRUE(SaveReportFile(ws, prompter, SetSlot{slot}, "line 1\r\nline 2"));
  const FileRequest& request = prompter.fileRequests().at(0);
  EXPECT_EQ(
      std::tie(request.title, request.initialName, request.initialDir, request.defaultExt,
               request.filters.at(0).name),
      std::tuple("Save Report to File...", "MYSET.TXT", dir.path(), ".TXT", "Report (*.TXT)"));
  EXPECT_EQ(test::ReadTextFile(dir / "R.TXT"), "line 1\r\nline 2\r\n");

  prompter.QueueFile(dir / "R.TXT");
  prompter.QueueAnswer(Answer::No);
  EXPECT_FALSE(SaveReportFile(ws, prompter, SetSlot{slot}, "other"));
  const Message& question = prompter.messages().back();
  EXPECT_EQ(std::tie(question.text, question.defaultButton),
            std::tuple("Overwrite existing file?", Answer::No));
  EXPECT_EQ(test::ReadTextFile(dir / "R.TXT"), "line 1\r\nline 2\r\n");

  prompter.QueueFile(dir / "gone" / "R.TXT");
  EXPECT_FALSE(SaveReportFile(ws, prompter, SetSlot{slot}, "x"));
  const Message& error = prompter.messages().back();
  EXPECT_EQ(std::tie(error.text, error.title),
            std::tuple("Error saving Report to file " + PathText(dir / "gone" / "R.TXT"), "Error"));
}

}  // namespace
}  // namespace i40
