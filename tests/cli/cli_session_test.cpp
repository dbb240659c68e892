// End-to-end: edit sessions and commands of i40set over Sets built here, checking the
// events printed and the bytes saved.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/cli.h"
#include "format/component_io.h"
#include "format/set_paths.h"
#include "presets/preset_list.h"
#include "reports/set_report.h"
#include "set_builder.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"
#include "sysex/dump.h"

namespace i40 {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

class CliTest : public ::testing::Test {
 protected:
  struct Result {
    int code;
    std::string out;
    std::string err;
  };

  void SetUp() override {
    src_ = build::TemplateSet();
    src_.styles.slots[2].record.SetName("Swing");
    src_.programs.records[0].SetName("Piano");
    src_.programs.records[1].SetName("Lost Bass");
    ArrangementRecord& a = src_.arrangements.records[0];
    a.SetName("Song");
    a.SetStyle(258);
    a.SetTrackProgram(6, 768);
    a.SetTrackProgram(2, 769);
    dst_ = build::TemplateSet();
    dst_.styles.slots[7].record.SetName("Swing");
    dst_.programs.records[9].SetName("Piano");
    build::WriteSet(src_, dir_ / "SRC");
    build::WriteSet(dst_, dir_ / "DST");
  }

  // The script line that opens one of the Sets written in the test's folder.
  std::string Open(const std::string& name, const std::string& set) {
    return "open " + name + " " + (dir_ / set).string() + "\n";
  }

  Result RunScript(const std::string& script) {
    test::WriteTextFile(dir_ / "script.txt", script);
    return RunArgs({"run", (dir_ / "script.txt").string()});
  }

  Result RunArgs(std::vector<std::string> args) {
    args.push_back("--data");
    args.push_back(I40_SOURCE_DATA_DIR);
    std::ostringstream out, err;
    const int code = cli::Run(args, out, err);
    return {code, out.str(), err.str()};
  }

  FileSet Saved(const fs::path& setPath) {
    FileSet set;
    for (Kind kind : kStoredKinds)
      ReadComponentBytes(kind, test::ReadFile(ComponentPath(setPath, kind)), set);
    return set;
  }

  test::TempDir dir_;
  FileSet src_;
  FileSet dst_;
};

TEST_F(CliTest, PastingAnArrangementAcrossSetsReResolvesItsCalls) {
  const Result r = RunScript(Open("S", "SRC") + Open("D", "DST") +
                             "copy arrangement S C11\n"
                             "# Lost Bass is not in DST\n"
                             "answer yes\n"
                             "pick F88\n"
                             "paste arrangement D C15\n"
                             "save D\n");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(
      Lines(r.out),
      (std::vector<std::string>{
          R"({"event":"progress","title":"Loading SRC Files...","text":""})",
          R"({"event":"progress","title":"Loading DST Files...","text":""})",
          R"({"event":"question","title":"","icon":"exclamation","buttons":"yesnocancel","default":"cancel","text":"Track 'BASS' of Arrangement 'Song' calls Program 'Lost Bass' non-existent in 'DST'\r\n\r\nRedirect this track to an existing Program?","answer":"yes"})",
          R"({"event":"pick","kind":"Program","caption":"for track 'BASS'","start":"F11","answer":"F88"})",
      }));
  const FileSet saved = Saved(dir_ / "DST");
  const ArrangementRecord& b = saved.arrangements.records[4];
  EXPECT_EQ(b.Name(), "Song            ");
  EXPECT_EQ(b.Style(), 263);          // "Swing" is C18 in DST
  EXPECT_EQ(b.TrackProgram(6), 777);  // "Piano" is F22 in DST
  EXPECT_EQ(b.TrackProgram(2), 831);
  EXPECT_EQ(test::ReadFile(ComponentPath(dir_ / "DST", Kind::Program)),
            WriteComponentBytes(Kind::Program, dst_));  // only the changed kind is written
}

// Song calls Piano (F11) and Lost Bass (F12): every edit command reaches the saved calls.
TEST_F(CliTest, DeleteInsertAndUndoOfProgramsRenumberTheCalls) {
  const auto calls = [this] {
    const FileSet saved = Saved(dir_ / "SRC");
    const ArrangementRecord& a = saved.arrangements.records[0];
    return std::vector<int>{a.TrackProgram(2), a.TrackProgram(6)};
  };
  ASSERT_EQ(RunScript(Open("S", "SRC") + "answer no\ndelete program S F11\nsave S\n").code, 0);
  EXPECT_EQ(calls(), (std::vector<int>{768, 768}));  // Lost Bass moved up, Piano's caller kept
  ASSERT_EQ(RunScript(Open("S", "SRC") + "copy program S F11\ninsert program S F11\nsave S\n").code,
            0);
  EXPECT_EQ(calls(), (std::vector<int>{769, 769}));
  const auto before = test::ReadFile(ComponentPath(dir_ / "SRC", Kind::Arrangement));
  ASSERT_EQ(RunScript(Open("S", "SRC") + "delete program S F11\nundo program S\nsave S\n").code, 0);
  EXPECT_EQ(test::ReadFile(ComponentPath(dir_ / "SRC", Kind::Arrangement)), before);
}

TEST_F(CliTest, MovingABackingSequenceRenumbersTheChains) {
  for (int i = 0; i < 10; ++i) {
    BsqRecord& r = src_.backingSequences.records[static_cast<std::size_t>(i)];
    r.SetName("SEQ " + std::to_string(i));
    r.SetNext(static_cast<std::uint8_t>((i + 1) % 10));
  }
  build::WriteSet(src_, dir_ / "SRC");
  const Result r = RunScript(Open("S", "SRC") + "answer yes\ndrag bsq S 7 S 2\nsave S\n");
  ASSERT_EQ(r.code, 0) << r.err;
  const BsqData saved = Saved(dir_ / "SRC").backingSequences;
  EXPECT_EQ(saved.records[2].Name(), "SEQ 7     ");
  EXPECT_EQ(saved.records[2].Next(), 8);  // SEQ 8 stays at 8
  EXPECT_EQ(saved.records[7].Next(), 2);  // SEQ 6 chained to SEQ 7
}

TEST_F(CliTest, ImportReplacesAllItemsOfAKind) {
  build::WriteSet(build::DemoSet(), dir_ / "DEMO");
  const Result r = RunScript(Open("D", "DST") + "import program D " +
                             ComponentPath(dir_ / "DEMO", Kind::Program).string() + "\nsave D\n");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(test::ReadFile(ComponentPath(dir_ / "DST", Kind::Program)),
            test::ReadFile(ComponentPath(dir_ / "DEMO", Kind::Program)));
}

TEST_F(CliTest, ReportAndSysExFilesAreTheLibrarys) {
  build::WriteSet(build::DemoSet(), dir_ / "DEMO");
  setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
  Result r = RunArgs({"report", (dir_ / "DEMO").string(), "-o", (dir_ / "r.txt").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  Workspace ws;
  ws.presets =
      std::get<PresetTables>(ReadPresetList(fs::path(I40_SOURCE_DATA_DIR) / "I40PRSTS.TXT"));
  const int slot = test::AddSet(ws, build::DemoSet(), "DEMO");
  const std::string expected = SetReportText(ws, slot, "DEMO", ReportTime());
  unsetenv("SOURCE_DATE_EPOCH");
  EXPECT_EQ(test::ReadFile(dir_ / "r.txt"),
            std::vector<std::uint8_t>(expected.begin(), expected.end()));

  r = RunArgs({"syx", (dir_ / "DEMO.STY").string(), "--kind", "style", "--block", "2", "--channel",
               "3", "--model", "39", "-o", (dir_ / "s.syx").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  std::array<std::uint8_t, 6> header = kDefaultSysExHeader;
  header[2] = 0x33;
  header[3] = 0x39;
  EXPECT_EQ(test::ReadFile(dir_ / "s.syx"),
            *DumpMessage(header, ws.sets.Files(slot), Kind::Style, 2));
}

TEST_F(CliTest, BadInputGivesAClearMessageAndAnExitStatus) {
  Result r = RunArgs({"info", (dir_ / "NOWHERE").string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("NOWHERE.ARR not found"), std::string::npos) << r.err;

  auto bytes = WriteComponentBytes(Kind::Global, dst_);
  bytes[6] = 0;
  test::WriteFile(ComponentPath(dir_ / "DST", Kind::Global), bytes);
  r = RunArgs({"check", (dir_ / "DST").string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("DST.GBL is not a valid file"), std::string::npos) << r.err;

  auto style = WriteComponentBytes(Kind::Style, src_);
  style.resize(style.size() - 10);
  test::WriteFile(ComponentPath(dir_ / "SRC", Kind::Style), style);
  r = RunArgs({"info", (dir_ / "SRC").string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("Error getting Style data.\nThe file ends inside Style 16"),
            std::string::npos)
      << r.err;

  r = RunScript("frobnicate\n");
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "i40set: line 1: unknown command 'frobnicate'\n");
  build::WriteSet(dst_, dir_ / "DST");
  r = RunScript(Open("D", "DST") + "copy arrangement D Z99\n");
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "i40set: line 2: 'Z99' is no position of Arrangement\n");
  r = RunScript(Open("D", "DST") + "erase program D\n");
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("no answer queued for the question: Bank Erasing can't be undone"),
            std::string::npos);
  r = RunArgs({"report"});
  EXPECT_EQ(r.code, 2);
  r = RunScript("answer yes\npick C11\n");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.err, "i40set: not asked for: answer yes\ni40set: not asked for: pick C11\n");
}

// A Set opened into the slot of a closed one holds nothing of it: the issue's own script,
// with an Arrangement file that ends inside Arrangement 4.
TEST_F(CliTest, ASetOpenedIntoAFreedSlotHoldsNothingOfTheClosedOne) {
  build::WriteSet(build::DemoSet(), dir_ / "A");
  build::WriteSet(build::TemplateSet(), dir_ / "B");
  auto arr = test::ReadFile(ComponentPath(dir_ / "B", Kind::Arrangement));
  arr.resize(534);
  test::WriteFile(ComponentPath(dir_ / "B", Kind::Arrangement), arr);
  const Result r = RunScript(Open("A", "A") + "close A\n" + Open("B", "B") +
                             "copy arrangement B C11\npaste arrangement B C14\nsave B\n");
  EXPECT_EQ(r.code, 1) << r.err;  // the short file was reported
  const FileSet saved = Saved(dir_ / "B");
  const FileSet blank = build::TemplateSet();
  for (std::size_t i = 3; i < 64; ++i)
    EXPECT_EQ(saved.arrangements.records[i], blank.arrangements.records[i]) << i;
}

// Names are Latin-1 bytes in the files; every line printed is UTF-8 JSON all the same.
TEST_F(CliTest, NamesWithLatin1LettersArePrintedAsUtf8) {
  src_.arrangements.records[0].SetName("Caf\xE9 Song");
  src_.backingSequences.records[0].SetName("VERSE");
  src_.backingSequences.records[0].SetArrangement(256);
  build::WriteSet(src_, dir_ / "SRC");
  const Result r = RunScript(Open("S", "SRC") + "answer cancel\ncut arrangement S C11\n");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("\"text\":\"Caf\xC3\xA9 Song Arrangement is referenced by"),
            std::string::npos)
      << r.out;
}

// A command's own file goes to that command only: `saveas` saves where it says even after
// a `loadone` on a preset cell asked for no file.
TEST_F(CliTest, SaveAsSavesWhereItSays) {
  const fs::path iaf = dir_ / "ONE.IAF";
  const Result r = RunScript(Open("S", "SRC") + "loadone arrangement S A11 " + iaf.string() +
                             "\nsaveas S " + (dir_ / "COPY").string() + "\n");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(test::ReadFile(ComponentPath(dir_ / "COPY", Kind::Arrangement)),
            WriteComponentBytes(Kind::Arrangement, src_));
  EXPECT_EQ(r.err, "i40set: not asked for: file " + PathText(iaf) + "\n");
}

// The dry run hears the identity request, then the very dump `syx` writes for the Set.
TEST_F(CliTest, SendToTheDryRunIsTheIdentityRequestThenTheSysExFile) {
  const std::string set = (dir_ / "SRC").string();
  Result r = RunArgs({"send", set, "--kind", "style", "--block", "0", "--simulate", "--capture",
                      (dir_ / "CAP.SYX").string()});
  ASSERT_EQ(r.code, 0) << r.out << r.err;
  EXPECT_EQ(r.out, "");
  ASSERT_EQ(RunArgs({"syx", set, "--kind", "style", "-o", (dir_ / "STY.SYX").string()}).code, 0);
  std::vector<std::uint8_t> expected = {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};
  const auto file = test::ReadFile(dir_ / "STY.SYX");
  expected.insert(expected.end(), file.begin(), file.end());
  EXPECT_EQ(test::ReadFile(dir_ / "CAP.SYX"), expected);

  EXPECT_EQ(RunArgs({"send", set, "--kind", "style"}).code, 2);
  r = RunArgs({"send", set, "--kind", "style", "--out", "999", "--in", "0"});
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("no single MIDI output '999'"), std::string::npos) << r.err;
}

// ---- The item dialogs ---------------------------------------------------------------

// Each dialog driven as a user would, saved elsewhere: every component is the source Set
// with exactly the changes made, byte for byte.
TEST_F(CliTest, DialogSessionsSaveExactlyWhatWasChanged) {
  src_.arrangements.records[0].bytes[24] = 60;  // a split key no list offers
  src_.backingSequences.records[4].SetName("VERSE");
  src_.backingSequences.records[4].bytes[BsqRecord::kFlagsOffset] = 0xF0;
  build::WriteSet(src_, dir_ / "SRC");
  const std::string open = "open S " + (dir_ / "SRC").string() + "\n";
  std::string out = "OUT1";
  const auto saveAs = [&](const char* name) {
    out = name;
    return "saveas S " + (dir_ / out).string() + "\n";
  };
  FileSet expected = src_;
  const auto savedAsExpected = [&] {
    for (const Kind kind : kStoredKinds) {
      EXPECT_EQ(test::ReadFile(ComponentPath(dir_ / out, kind)),
                WriteComponentBytes(kind, expected))
          << KindName(kind);
    }
  };

  Result r = RunScript(open +
                       "details arrangement S C11\n"
                       "set txtNam   Evening Song\n"
                       "set txtTempo 300\n"
                       "set chkSw(6) 1\n"
                       "set cboDrMap(2) #7\n"
                       "set lstPrg(6) F12\n"
                       "ok\n" +
                       saveAs("OUT1"));
  ASSERT_EQ(r.code, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 9u) << r.out;
  EXPECT_EQ(lines[1].substr(0, 71),
            R"j({"event":"dialog","title":"Arrangement C11 in SRC","controls":{"txtNam")j");
  EXPECT_NE(lines[1].find(R"j("cboSplit":"",)j"), std::string::npos);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end() - 1),
            (std::vector<std::string>{
                R"j({"event":"control","name":"txtNam","value":"Evening Song"})j",
                R"j({"event":"control","name":"txtTempo","value":"120"})j",
                R"j({"event":"control","name":"chkSw(6)","value":"1"})j",
                R"j({"event":"control","name":"cboDrMap(2)","value":"8"})j",
                R"j({"event":"pick","kind":"Program","caption":"","start":"F11","answer":"F12"})j",
                R"j({"event":"control","name":"lstPrg(6)","value":"Upper1 F12 Lost Bass       "})j",
            }));
  ArrangementRecord& a = expected.arrangements.records[0];
  a.SetName("Evening Song");
  a.bytes[22] = 90;
  a.bytes[28] |= 0x02;
  a.bytes[32] = 7;
  a.SetTrackProgram(6, 769);
  savedAsExpected();

  r = RunScript(open +
                "details style S C13\n"
                "set cboCat Jazz\n"
                "set lstPrg(2) F11\n"
                "ok\n" +
                saveAs("OUT2"));
  ASSERT_EQ(r.code, 0) << r.err;
  expected = src_;
  expected.styles.slots[2].record.SetCategory(7);
  expected.styles.slots[2].record.SetTrackProgram(2, 768);
  savedAsExpected();

  r = RunScript(open +
                "details program S F12\n"
                "pick F88\n"
                "click cmdReplPrg\n"
                "set txtNam Found Bass\n"
                "cancel\n" +
                saveAs("OUT3"));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(
      Lines(r.out).at(1),
      R"j({"event":"dialog","title":"Program F12 in SRC","controls":{"txtNam":"Lost Bass       ","cboCat":"User","lstCalled":["Arr C11: BASS   "]},"disabled":[]})j");
  expected = src_;
  expected.arrangements.records[0].SetTrackProgram(2, 831);  // the redirection stays
  savedAsExpected();

  r = RunScript(open +
                "details bsq S 4\n"
                "set txtNxt 3\n"  // greyed while not chained
                + saveAs("OUT4"));
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "i40set: line 3: 'txtNxt' is disabled\n");
  r = RunScript(open +
                "details bsq S 4\n"
                "set chkChain 1\n"
                "set txtNxt 12\n"
                "ok\n"
                "set txtNxt 3\n"
                "set txtNam Chorus and more\n"
                "set lblArr C11\n"
                "ok\n" +
                saveAs("OUT5"));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(
      r.out.find(
          R"j({"event":"message","title":"","icon":"exclamation","buttons":"ok","default":"ok","text":"Next Backing Sequence must be a number from 0 to 9","answer":"ok"})j"),
      std::string::npos);
  expected = src_;
  BsqRecord& b = expected.backingSequences.records[4];
  b.SetName("Chorus and");
  b.bytes[BsqRecord::kFlagsOffset] = 0xF2;
  b.SetNext(3);
  b.SetArrangement(256);
  savedAsExpected();
}

TEST_F(CliTest, GlobalDialogSessionsSaveExactlyWhatWasChanged) {
  src_.arrangementGlobal.record[38] = 0xFE;  // bits 1-7 of Chord Memory's byte stay
  build::WriteSet(src_, dir_ / "SRC");
  const Result r = RunScript("open S " + (dir_ / "SRC").string() +
                             "\n"
                             "details arrglobal S\n"
                             "set lstMidi(3) 5\n"
                             "set lstMidi(12) OFF\n"
                             "set cboSplit G 3\n"
                             "set optRecog 2\n"
                             "set chkChMem 1\n"
                             "ok\n"
                             "details global S\n"
                             "set cboPeds(0) START/STOP\n"
                             "set cboCurv(1) 3\n"
                             "file " +
                             (dir_ / "GBL.SYX").string() +
                             "\n"
                             "click cmdSysex2File\n"
                             "saveas S " +
                             (dir_ / "OUT").string() + "\n");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find(R"j({"event":"control","name":"lstMidi(3)","value":"Drums : 5"})j"),
            std::string::npos);
  FileSet expected = src_;
  expected.arrangementGlobal.record[3] = 4;
  expected.arrangementGlobal.record[12] = 0xFF;
  expected.arrangementGlobal.record[36] = 2;
  expected.arrangementGlobal.record[38] = 0xFF;
  for (ArrangementRecord& a : expected.arrangements.records)
    a.bytes[24] = 55;
  expected.global.record[224] = 1;
  expected.global.record[18] = 2;
  for (const Kind kind : kStoredKinds) {
    EXPECT_EQ(test::ReadFile(ComponentPath(dir_ / "OUT", kind)),
              WriteComponentBytes(kind, expected))
        << KindName(kind);
  }
  // The button's file is the command line's dump of the same Global.
  const Result syx = RunArgs(
      {"syx", (dir_ / "OUT").string(), "--kind", "global", "-o", (dir_ / "CLI.SYX").string()});
  ASSERT_EQ(syx.code, 0) << syx.err;
  EXPECT_EQ(test::ReadFile(dir_ / "GBL.SYX"), test::ReadFile(dir_ / "CLI.SYX"));
}

TEST_F(CliTest, DialogScriptErrorsStopWithStatusTwo) {
  const std::string open = "open S " + (dir_ / "SRC").string() + "\n";
  const auto error = [&](const std::string& body) {
    const Result r = RunScript(open + body);
    EXPECT_EQ(r.code, 2) << body;
    return r.err;
  };
  EXPECT_EQ(error("details arrangement S C11\nset cboSplit C#9\n"),
            "i40set: line 3: 'C#9' is not listed in 'cboSplit'\n");
  EXPECT_EQ(error("details arrangement S C11\nset chkSw(7) 1\n"),
            "i40set: line 3: the dialog has no control 'chkSw(7)'\n");
  EXPECT_EQ(error("details arrangement S C11\nset lstCalled(0) C12\n"),
            "i40set: line 3: 'lstCalled(0)' cannot be changed\n");
  EXPECT_EQ(error("details arrangement S A11\nset txtNam Mine\n"),
            "i40set: line 3: 'txtNam' is disabled\n");
  EXPECT_EQ(error("details arrangement S C11\nset chkSw(0) yes\n"),
            "i40set: line 3: 'yes' is not listed in 'chkSw(0)'\n");
  EXPECT_EQ(error("details arrangement S C11\nsave S\n"),
            "i40set: line 3: 'save' while the dialog FParArr is open\n");
  EXPECT_EQ(error("details arrangement S C11\nset cboSplit C#2\n"),
            "i40set: the dialog FParArr is still open at the end\n");
  EXPECT_EQ(error("details kbdset S A1\n"), "i40set: line 2: no dialog for KBD Set\n");
  EXPECT_EQ(error("details arrglobal S\nset lstMidi(3) OFF\n"),
            "i40set: line 3: 'OFF' is not listed in 'lstMidi(3)'\n");
  EXPECT_EQ(error("details arrglobal S\nset optRecog 3\n"),
            "i40set: line 3: '3' is not listed in 'optRecog'\n");
  // An empty slot opens nothing: there is no dialog to set anything in.
  EXPECT_EQ(error("details arrangement S C12\nset txtNam x\n"),
            "i40set: line 3: 'set' with no dialog open\n");
}

TEST_F(CliTest, CheckAndInfoOfAGoodSet) {
  build::WriteSet(build::DemoSet(), dir_ / "DEMO");
  Result r = RunArgs({"info", (dir_ / "DEMO").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("Arrangements: 20 of 64\n"), std::string::npos);
  EXPECT_NE(r.out.find("Style Block 1 (C11-C14): 50 events free\n"), std::string::npos);
  r = RunArgs({"check", (dir_ / "DST").string()});
  EXPECT_EQ(r.code, 0) << r.out << r.err;
  r = RunArgs({"new", (dir_ / "FRESH").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(test::ReadFile(dir_ / "FRESH.KBS"),
            WriteComponentBytes(Kind::KbdSet, build::TemplateSet()));
}

}  // namespace
}  // namespace i40
