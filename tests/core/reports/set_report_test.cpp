#include "reports/set_report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "format/set_paths.h"
#include "set_builder.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"
#include "ui/scripted_prompter.h"

namespace i40 {
namespace {

using test::AddSet;

const std::string kRule(100, '_');

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  if (start != text.size()) lines.push_back("<unterminated>" + text.substr(start));
  return lines;
}

// Sunday 6 December 2026, 07:05:09.
std::tm SampleTime(int day = 6) {
  std::tm when{};
  when.tm_year = 126, when.tm_mon = 11, when.tm_mday = day;
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

// clang-format off
const std::vector<std::string> kCallingSetReport = {
    "                                        Korg-i40 Set Report",
    kRule,
    "",
    "DEMO                                                                             6-Dec-2026 07:05:09",
    kRule,
    "",
    "User ARRANGEMENTS in DEMO",
    "",
    "C11 Pop Ballad           C12 Swing Time           C13 Waltz                C14                      ",
    "C15                      C16                      C17                      C18                      ",
    "C21                      C22                      C23                      C24                      ",
    "C25                      C26                      C27                      C28                      ",
    "C31                      C32                      C33                      C34                      ",
    "C35                      C36                      C37                      C38                      ",
    "C41                      C42                      C43                      C44                      ",
    "C45                      C46                      C47                      C48                      ",
    "C51                      C52                      C53                      C54                      ",
    "C55                      C56                      C57                      C58                      ",
    "C61                      C62                      C63                      C64                      ",
    "C65                      C66                      C67                      C68                      ",
    "C71                      C72                      C73                      C74                      ",
    "C75                      C76                      C77                      C78                      ",
    "C81                      C82                      C83                      C84                      ",
    "C85                      C86                      C87                      C88                      ",
    kRule,
    "",
    "User PROGRAMS in DEMO",
    "",
    "F11 Piano                F12 Strings              F13                      F14                      ",
    "F15                      F16                      F17                      F18                      ",
    "F21                      F22                      F23                      F24                      ",
    "F25                      F26                      F27                      F28                      ",
    "F31                      F32                      F33                      F34                      ",
    "F35                      F36                      F37                      F38                      ",
    "F41                      F42                      F43                      F44                      ",
    "F45                      F46                      F47                      F48                      ",
    "F51                      F52                      F53                      F54                      ",
    "F55                      F56                      F57                      F58                      ",
    "F61                      F62                      F63                      F64                      ",
    "F65                      F66                      F67                      F68                      ",
    "F71                      F72                      F73                      F74                      ",
    "F75                      F76                      F77                      F78                      ",
    "F81                      F82                      F83                      F84                      ",
    "F85                      F86                      F87                      F88                      ",
    "R27 Kit A                R28 Kit B                ",
    kRule,
    "",
    "User STYLES in DEMO",
    "",
    "C11 Beat                 C12                      C13                      C14                      ",
    "C15                      C16                      C17                      C18                      ",
    "C21                      C22                      C23                      C24                      ",
    "C25                      C26                      C27                      C28                      ",
    kRule,
    "",
    "BACKING SEQUENCES in DEMO",
    "",
    "0: Intro      1:            2:            3: Verse      4:            ",
    "5:            6:            7:            8:            9:            ",
    kRule,
    "",
    "CALLS to User PROGRAMS in DEMO",
    "",
    "F11: Arr C11, Arr C11, Arr C11, Arr C11, Arr C11, Arr C11, Arr C11, Arr C11, Arr C11, Arr C12, ",
    "     Arr C12, Arr C12, Arr C12, Arr C12, Arr C12, Arr C12, Arr C12, Arr C12, Arr C13, Arr C13, Arr C13, ",
    "     Arr C13, Arr C13",
    "F12: Sty C11, BSeq  0, KSet A1",
    "R27: Sty C11",
    kRule,
    "",
    "CALLS to User STYLES in DEMO",
    "",
    "C11: Arr C11, Arr C12, BSeq  0",
    kRule,
    "",
    "CALLS to User ARRANGEMENTS in DEMO",
    "",
    "C12: BSeq 0, BSeq 3",
    kRule,
};
// clang-format on

TEST_F(SetReportTest, WholeReportOfACallingSet) {
  const int slot = AddSet(ws_, CallingSet(), "DEMO");
  // Every line ends in CRLF, and a stray line end would split a line or show inside one.
  EXPECT_EQ(SplitLines(SetReportText(ws_, slot, "DEMO", SampleTime())), kCallingSetReport);
}

TEST_F(SetReportTest, HeadingPutsTheDateInTheLastColumns) {
  const int slot = AddSet(ws_, build::TemplateSet(), "X");
  const std::string title30 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", title90(90, 'T');
  const auto heading = [&](const std::string& title) {
    return SplitLines(SetReportText(ws_, slot, title, SampleTime(16))).at(3);
  };
  EXPECT_EQ(heading(title30), title30 + std::string(50, ' ') + "16-Dec-2026 07:05:09");
  // A title that leaves no room still keeps the date apart from it.
  EXPECT_EQ(heading(title90), title90 + " 16-Dec-2026 07:05:09");
}

TEST_F(SetReportTest, ASetWithoutCallsHasEmptyCallSectionsAndNone) {
  FileSet s = build::TemplateSet();
  s.programs.records[0].SetName("Uncalled");
  s.arrangements.records[0].SetName("Lonely");
  s.arrangements.records[0].SetStyle(3);  // a preset Style
  s.backingSequences.records[2].SetName("Nowhere");
  s.backingSequences.records[2].SetArrangement(7);  // a preset Arrangement
  const int slot = AddSet(ws_, s, "T");
  const auto lines = SplitLines(SetReportText(ws_, slot, "T", SampleTime()));

  EXPECT_EQ(SectionBody(lines, "CALLS to User PROGRAMS in T"),
            (std::vector<std::string>{"", kRule}));
  EXPECT_EQ(SectionBody(lines, "CALLS to User STYLES in T"), (std::vector<std::string>{"", kRule}));
  EXPECT_EQ(SectionBody(lines, "CALLS to User ARRANGEMENTS in T"),
            (std::vector<std::string>{"", "None", kRule}));
}

TEST_F(SetReportTest, CallerLinesBreakAfterTenThenEveryEleven) {
  // KBD Set sections only, so the count is exact: 10, 11 and 21 calls.
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
  const int slot = AddSet(ws_, s, "K");
  const auto lines = SplitLines(SetReportText(ws_, slot, "K", SampleTime()));

  // clang-format off
  EXPECT_EQ(SectionBody(lines, "CALLS to User PROGRAMS in K"), (std::vector<std::string>{
      "",
      "F11: KSet A1, KSet A1, KSet A1, KSet A2, KSet A2, KSet A2, KSet A3, KSet A3, KSet A3, KSet A4",
      "F12: KSet A4, KSet A4, KSet A5, KSet A5, KSet A5, KSet B1, KSet B1, KSet B1, KSet B2, KSet B2, ",
      "     KSet B2",
      "F13: KSet B3, KSet B3, KSet B3, KSet B4, KSet B4, KSet B4, KSet B5, KSet B5, KSet B5, KSet C1, ",
      "     KSet C1, KSet C1, KSet C2, KSet C2, KSet C2, KSet C3, KSet C3, KSet C3, KSet C4, KSet C4, KSet C4",
      kRule}));
  // clang-format on
}

TEST_F(SetReportTest, ProgressFollowsTheListsThenTheProgramSearch) {
  const int slot = AddSet(ws_, CallingSet(), "DEMO");
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

TEST(ReportCaption, NamesTheSet) {
  EXPECT_EQ(ReportWindowCaption("MYSET"), "Report on MYSET");
}

// Sets SOURCE_DATE_EPOCH for one test (nothing unsets it) and puts back whatever was there.
class ScopedSourceDateEpoch {
 public:
  ScopedSourceDateEpoch() {
    if (const char* old = std::getenv(kName)) old_ = old;
  }
  ~ScopedSourceDateEpoch() { Set(old_); }
  ScopedSourceDateEpoch(const ScopedSourceDateEpoch&) = delete;
  ScopedSourceDateEpoch& operator=(const ScopedSourceDateEpoch&) = delete;

  void Set(const std::optional<std::string>& value) {
#ifdef _WIN32
    _putenv_s(kName, value.value_or("").c_str());
#else
    value ? setenv(kName, value->c_str(), 1) : unsetenv(kName);
#endif
  }

 private:
  static constexpr const char* kName = "SOURCE_DATE_EPOCH";
  std::optional<std::string> old_;
};

TEST(ReportTime, SourceDateEpochGivesThatInstantInUtc) {
  ScopedSourceDateEpoch epoch;
  epoch.Set("1796540709");
  std::tm when = ReportTime();
  EXPECT_EQ(ReportDateText(when), "6-Dec-2026 07:05:09");
  EXPECT_EQ(when.tm_wday, 0);  // a Sunday
  EXPECT_EQ(when.tm_yday, 339);
  EXPECT_EQ(when.tm_isdst, 0);

  epoch.Set("1709251199");
  EXPECT_EQ(ReportDateText(ReportTime()), "29-Feb-2024 23:59:59");
  epoch.Set("0");
  EXPECT_EQ(ReportDateText(ReportTime()), "1-Jan-1970 00:00:00");
  epoch.Set("253402300799");
  EXPECT_EQ(ReportDateText(ReportTime()), "31-Dec-9999 23:59:59");
}

TEST(ReportTime, WithoutAUsableSourceDateEpochItIsLocalTimeNow) {
  ScopedSourceDateEpoch epoch;
  auto isNow = [] {
    const std::time_t before = std::time(nullptr);
    std::tm when = ReportTime();
    const std::time_t after = std::time(nullptr);
    const std::time_t made = std::mktime(&when);  // read back as local time
    return made >= before - 1 && made <= after + 1;
  };
  epoch.Set(std::nullopt);
  EXPECT_TRUE(isNow());
  for (const char* bad :
       {"", "abc", "-1", "12x", " 5", "+5", "1.5", "253402300800", "99999999999999999999999999"}) {
    epoch.Set(bad);
    EXPECT_TRUE(isNow()) << '"' << bad << '"';
  }
}

TEST(SaveReportFile, AsksWhereAndBeforeOverwriting) {
  test::TempDir dir;
  Workspace ws;
  const int slot = test::AddSet(ws, build::TemplateSet(), "MYSET");
  ws.sets.Entry(slot).Dir = dir.path();
  ScriptedPrompter prompter;
  prompter.QueueFile(dir / "R.TXT");
  ASSERT_TRUE(SaveReportFile(ws, prompter, slot, "line 1\r\nline 2"));
  const FileRequest& request = prompter.fileRequests().at(0);
  EXPECT_EQ(request.title, "Save Report to File...");
  EXPECT_EQ(request.initialName, "MYSET.TXT");
  EXPECT_EQ(request.initialDir, dir.path());
  EXPECT_EQ(request.defaultExt, ".TXT");
  EXPECT_EQ(request.filters.at(0).name, "Report (*.TXT)");
  EXPECT_EQ(test::ReadTextFile(dir / "R.TXT"), "line 1\r\nline 2\r\n");

  prompter.QueueFile(dir / "R.TXT");
  prompter.QueueAnswer(Answer::No);
  EXPECT_FALSE(SaveReportFile(ws, prompter, slot, "other"));
  EXPECT_EQ(prompter.messages().back().text, "Overwrite existing file?");
  EXPECT_EQ(prompter.messages().back().defaultButton, Answer::No);
  EXPECT_EQ(test::ReadTextFile(dir / "R.TXT"), "line 1\r\nline 2\r\n");

  prompter.QueueFile(dir / "gone" / "R.TXT");
  EXPECT_FALSE(SaveReportFile(ws, prompter, slot, "x"));
  EXPECT_EQ(prompter.messages().back().text,
            "Error saving Report to file " + PathText(dir / "gone" / "R.TXT"));
  EXPECT_EQ(prompter.messages().back().title, "Error");
}

}  // namespace
}  // namespace i40
