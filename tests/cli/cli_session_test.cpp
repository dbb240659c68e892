// End-to-end: edit sessions and commands of i40set over Sets built here, checking the
// events printed and the bytes saved; its usage; i40set diff over the demo Set and edited
// copies of it.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "cli/json_prompter.h"
#include "details/item_details.h"
#include "dialog_model/dialog_model.h"
#include "edit/edit_engine.h"
#include "format/component_io.h"
#include "format/set_paths.h"
#include "host/scripted_prompter.h"
#include "presets/preset_list.h"
#include "reports/set_report.h"
#include "set_builder.h"
#include "support/environment.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"
#include "sysex/dump.h"
#include "util/text.h"
#include "version.h"

namespace i40 {
namespace {

// A build without MIDI devices (Windows from Linux) says so for `ports` and `send` to ports.
#ifdef I40_MIDI_PORTS
constexpr bool kWithPorts = true;
#else
constexpr bool kWithPorts = false;
#endif
constexpr const char* kNoPorts = "i40set: MIDI ports are not part of this build of i40set\n";

namespace fs = std::filesystem;

using Texts = std::vector<std::string>;

Texts Lines(const std::string& text) {
  Texts lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

// An expected file under tests/data/cli, byte for byte.
std::string Expected(const std::string& name) {
  return test::ReadTextFile(fs::path(I40_TEST_DATA_DIR) / "cli" / name);
}

struct Result {
  int code;
  std::string out;
  std::string err;
};

// i40set with these arguments, and with the shipped data unless told otherwise.
Result RunCli(std::vector<std::string> args, bool withData = true) {
  if (withData) args.insert(args.end(), {"--data", I40_SOURCE_DATA_DIR});
  std::ostringstream out, err;
  const int code = cli::Run(args, out, err);
  return {code, out.str(), err.str()};
}

TEST(Cli, VersionAndHelpGoToStandardOutput) {
  Result r = RunCli({"--version"}, false);
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "i40set " + VersionText() + "\n");
  EXPECT_EQ(r.err, "");
  r = RunCli({"--help"}, false);
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out.rfind("Usage: i40set", 0), 0u);
}

TEST(Cli, NoArgumentsOrUnknownOnesFailWithUsageOnStandardError) {
  Result r = RunCli({}, false);
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("Usage: i40set"), std::string::npos);
  r = RunCli({"--bogus"}, false);
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("unknown command or option '--bogus'"), std::string::npos);
  EXPECT_EQ(RunCli({"--version", "extra"}, false).code, 2);
}

class CliTest : public ::testing::Test {
 protected:
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
    return RunCli({"run", (dir_ / "script.txt").string()});
  }

  // Every component of the Set saved as `set` is the expected Set's, byte for byte.
  void ExpectSaved(const std::string& set, const FileSet& expected) {
    for (const Kind kind : kStoredKinds) {
      EXPECT_EQ(test::ReadFile(ComponentPath(dir_ / set, kind)),
                WriteComponentBytes(kind, expected))
          << set << " " << KindName(kind);
    }
  }

  // The exit status and what went to standard error.
  using Status = std::pair<int, std::string>;
  static Status StatusOf(const Result& r) { return {r.code, r.err}; }

  // The result of a status-one or status-two run: its status and a part of its message.
  static void ExpectError(const Result& r, int code, const std::string& message) {
    EXPECT_EQ(r.code, code) << message;
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
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
                             "copy arrangement S C11\n# Lost Bass is not in DST\n"
                             "answer yes\npick F88\npaste arrangement D C15\nsave D\n");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, Expected("paste_arrangement.jsonl"));
  FileSet expected = dst_;
  ArrangementRecord& b = expected.arrangements.records[4] = src_.arrangements.records[0];
  b.SetStyle(263);            // "Swing" is C18 in DST
  b.SetTrackProgram(6, 777);  // "Piano" is F22 in DST
  b.SetTrackProgram(2, 831);
  ExpectSaved("DST", expected);
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

// Song calls Piano (F11) and Lost Bass (F12): a Cut of a range and a list asks about both
// at once, and its Yes opens the picker for each, naming it.
TEST_F(CliTest, ASelectionIsARangeAListOrBothOfOneBank) {
  src_.programs.records[3].SetName("Organ");
  build::WriteSet(src_, dir_ / "SRC");
  const Result r = RunScript(Open("S", "SRC") +
                             "answer yes\npick A11\npick A12\ncut program S F11-F12,F14\n"
                             "paste program S F16,F11\nsave S\n");
  ASSERT_EQ(StatusOf(r), Status(0, ""));
  EXPECT_NE(r.out.find("\"text\":\"These Programs are referenced by one or more\\r\\n"
                       "Arrangements, Styles, Backing Sequences, etc.:\\r\\nF11 Piano\\r\\n"
                       "F12 Lost Bass\\r\\n\\r\\nRedirect them to other Programs?\""),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\"answer\":\"A12\",\"item\":\"F12 Lost Bass\""), std::string::npos);
  const FileSet saved = Saved(dir_ / "SRC");
  std::string names;
  for (const int i : {0, 1, 3, 5, 6, 7})
    names += TrimSpaces(saved.programs.records[static_cast<std::size_t>(i)].Name()) + "|";
  EXPECT_EQ(names, "|||Piano|Lost Bass|Organ|");
  EXPECT_EQ(saved.arrangements.records[0].TrackProgram(6), 0);  // A11
  EXPECT_EQ(saved.arrangements.records[0].TrackProgram(2), 1);  // A12

  for (const std::string selection : {"F11,A11", "F11-F88,R27", "F11-A12"}) {
    EXPECT_EQ(
        StatusOf(RunScript(Open("S", "SRC") + "copy program S " + selection + "\n")),
        Status(2, "i40set: line 2: '" + selection + "' takes positions of more than one bank\n"));
  }
  ExpectError(RunScript(Open("S", "SRC") + "cut program S A11-A12\n"), 2,
              "'A11-A12' is no range of the Set's own Programs");
  ExpectError(RunScript(Open("S", "SRC") + "cut program S F11-F9X\n"), 2,
              "'F9X' is no position of Program");
}

// Arguments and script words are UTF-8 text: a Set "\u00c7A" in "Gig \u00dcbung \u03a9" (the
// Omega is in no ANSI code page) is made, checked, opened, saved and reported.
TEST_F(CliTest, SetsInFoldersNamedBeyondAsciiWork) {
  const std::string folder = PathText(dir_.path()) + "/Gig \u00dcbung \u03a9";
  fs::create_directories(PathOfText(folder));
  const std::string set = folder + "/\u00c7A";
  ASSERT_EQ(StatusOf(RunCli({"new", set})), Status(0, ""));
  EXPECT_EQ(StatusOf(RunCli({"check", set + ".ARR"})), Status(0, ""));
  const Result r = RunScript("open S \"" + set + "\"\ndelete program S F11\nsave S\n" +
                             "report S \"" + folder + "/r\u00e9sum\u00e9.txt\"\n");
  ASSERT_EQ(StatusOf(r), Status(0, ""));
  const std::string report = test::ReadTextFile(PathOfText(folder + "/r\u00e9sum\u00e9.txt"));
  EXPECT_NE(report.find("Set Report"), std::string::npos);
  EXPECT_EQ(test::FileNamesIn(PathOfText(folder)).size(), 8u);
}

TEST_F(CliTest, DraggingABackingSequenceMovesIt) {
  src_.backingSequences.records[7].SetName("SEQ 7");
  build::WriteSet(src_, dir_ / "SRC");
  const Result r = RunScript(Open("S", "SRC") + "answer yes\ndrag bsq S 7 S 2\nsave S\n");
  ASSERT_EQ(StatusOf(r), Status(0, ""));
  EXPECT_EQ(Saved(dir_ / "SRC").backingSequences.records[2].Name(), "SEQ 7     ");
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
  test::SetSourceDateEpoch("1700000000");
  Result r = RunCli({"report", (dir_ / "DEMO").string(), "-o", (dir_ / "r.txt").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  Workspace ws;
  ws.presets =
      std::get<PresetTables>(ReadPresetList(fs::path(I40_SOURCE_DATA_DIR) / "I40PRSTS.TXT"));
  const SetSlot slot = test::AddSet(ws, build::DemoSet(), "DEMO");
  const std::string expected = SetReportText(ws, slot, "DEMO", ReportTime());
  test::SetSourceDateEpoch(nullptr);
  EXPECT_EQ(test::ReadFile(dir_ / "r.txt"),
            std::vector<std::uint8_t>(expected.begin(), expected.end()));

  r = RunCli({"syx", (dir_ / "DEMO.STY").string(), "--kind", "style", "--block", "2", "--channel",
              "3", "--model", "39", "-o", (dir_ / "s.syx").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  std::array<std::uint8_t, 6> header = kDefaultSysExHeader;
  header[2] = 0x33;
  header[3] = 0x39;
  EXPECT_EQ(test::ReadFile(dir_ / "s.syx"),
            *DumpMessage(header, ws.sets.Files(slot), Kind::Style, 2));
}

TEST_F(CliTest, BadInputGivesAClearMessageAndAnExitStatus) {
  ExpectError(RunCli({"info", (dir_ / "NOWHERE").string()}), 1, "NOWHERE.ARR not found");
  auto bytes = WriteComponentBytes(Kind::Global, dst_);
  bytes[6] = 0;
  test::WriteFile(ComponentPath(dir_ / "DST", Kind::Global), bytes);
  ExpectError(RunCli({"check", (dir_ / "DST").string()}), 1, "DST.GBL is not a valid file");

  EXPECT_EQ(StatusOf(RunScript("frobnicate\n")),
            Status(2, "i40set: line 1: unknown command 'frobnicate'\n"));
  build::WriteSet(dst_, dir_ / "DST");
  // An error reported on the way ends a script with status 1; a closed Set's name is gone.
  const Result r = RunScript(Open("D", "DST") + "import program D " + (dir_ / "NO.PRG").string());
  EXPECT_EQ(StatusOf(r), Status(1, "")) << r.out;
  EXPECT_EQ(StatusOf(RunScript(Open("D", "DST") + "close D\nsave D\n")),
            Status(2, "i40set: line 3: no open Set 'D'\n"));
  EXPECT_EQ(StatusOf(RunScript(Open("D", "DST") + "copy arrangement D Z99\n")),
            Status(2, "i40set: line 2: 'Z99' is no position of Arrangement\n"));
  ExpectError(RunScript(Open("D", "DST") + "erase program D\n"), 2,
              "no answer queued for the question: Bank Erasing can't be undone");
  EXPECT_EQ(StatusOf(RunScript("answer yes\npick C11\n")),
            Status(0, "i40set: not asked for: answer yes\ni40set: not asked for: pick C11\n"));
  // A Block the Set does not have, a packet or pause out of range: usage errors.
  EXPECT_EQ(
      StatusOf(RunScript(Open("D", "DST") + "syx D style " + (dir_ / "S.SYX").string() + " 4\n")),
      Status(2, "i40set: line 2: '4' is not a Style Block (0 to 3)\n"));
  const std::string set = (dir_ / "DST").string();
  for (const auto& [option, value] : {std::pair("--packet", "15"), std::pair("--packet", "2017"),
                                      std::pair("--pause", "1001"), std::pair("--block", "1")}) {
    const std::string kind = option == std::string_view("--block") ? "all" : "global";
    EXPECT_EQ(RunCli({"send", set, "--kind", kind, "--simulate", option, value}).code, 2)
        << option << value;
  }
}

// Every duplicate name is a finding of `check`, each later item against the first of its
// name, all of them, in text and in JSON (where "messages" keeps what opening said).
TEST_F(CliTest, CheckListsEveryDuplicateName) {
  FileSet set = build::TemplateSet();
  for (const auto& [index, name] : std::initializer_list<std::pair<int, const char*>>{
           {0, "Rock"}, {1, "Rock"}, {2, "Pop"}, {5, "Pop"}, {6, "Jazz"}, {9, "Jazz"}})
    set.arrangements.records[static_cast<std::size_t>(index)].SetName(name);
  for (const auto& [index, name] : std::initializer_list<std::pair<int, const char*>>{
           {0, "Piano"}, {3, "Piano"}, {10, "Bass"}, {11, "Bass"}})
    set.programs.records[static_cast<std::size_t>(index)].SetName(name);
  build::WriteSet(set, dir_ / "DUPS");
  const std::string path = (dir_ / "DUPS").string();
  const Texts found = {"Arrangement C12 'Rock' has the same name as C11",
                       "Arrangement C16 'Pop' has the same name as C13",
                       "Arrangement C22 'Jazz' has the same name as C17",
                       "Program F14 'Piano' has the same name as F11",
                       "Program F24 'Bass' has the same name as F23"};
  Result r = RunCli({"check", path});
  EXPECT_EQ(r.code, 1);
  std::string text;
  for (const std::string& line : found)
    text += path + ": " + line + "\n";
  EXPECT_EQ(r.out + r.err, text);
  r = RunCli({"check", "--json", path});
  const cli::Json json = cli::Json::parse(r.out);
  EXPECT_EQ(json["findings"].get<Texts>(), found);
  EXPECT_TRUE(json["messages"].empty());
}

// pastecalls that cannot act (nothing copied from another open Set) says why and the
// script goes on.
TEST_F(CliTest, PasteWithCallsThatCannotActSaysWhy) {
  const Result r = RunScript(Open("D", "DST") + "pastecalls arrangement D C11\nsave D\n");
  EXPECT_EQ(StatusOf(r), Status(0, ""));
  EXPECT_NE(
      r.out.find(R"("icon":"information","buttons":"ok","default":"ok","text":"Paste with )"
                 R"(Calls takes an Arrangement, Style, KBD Set or Backing Sequence copied from )"
                 R"(another open Set.")"),
      std::string::npos)
      << r.out;
}

// A number out of any range a line means is a script error at that line, never an end
// of the program (these four once aborted it).
TEST_F(CliTest, NumbersOutOfRangeAreUsageErrors) {
  const std::string big = "99999999999";
  const std::pair<std::string, std::string> scripts[] = {
      {"details arrangement S C11\nset lstPrg(" + big + ") F11\n",
       "i40set: line 3: '" + big + "' is not a line of a list (0 to 9999)\n"},
      {"choose " + big + "\n", "i40set: line 2: '" + big + "' is not a list entry (-1 to 65535)\n"},
      {"syx S style o.syx " + big + "\n",
       "i40set: line 2: '" + big + "' is not a Style Block (0 to 3)\n"}};
  for (const auto& [script, said] : scripts)
    EXPECT_EQ(StatusOf(RunScript(Open("S", "SRC") + script)), Status(2, said)) << script;
  const Result r = RunCli({"send", (dir_ / "SRC").string(), "--kind", "global", "--out",
                           "99999999999999999999999", "--in", "0"});
  ExpectError(r, 2, kWithPorts ? "no single MIDI output '99999999999999999999999'" : kNoPorts);
}

// Names are single-byte text: every byte is one character, in what `details` shows as in
// the saved file; an OK that changed another control leaves the name's bytes as they
// were, and a blank VALUE clears a name.
TEST_F(CliTest, NamesAreShownByteForByte) {
  const std::string bytes =
      "Caf\xC3\xA9 A\nB\rC\xE2\x82\xAC"
      "D ";
  ASSERT_EQ(bytes.size(), 16u);
  src_.arrangements.records[1].SetName(bytes);
  src_.arrangements.records[2].SetName("D\xE9j\xE0 vu");  // Latin-1 on its own
  src_.arrangements.records[3].SetName("D\xE9j\xE0 vu");
  build::WriteSet(src_, dir_ / "SRC");
  Result r = RunScript(Open("S", "SRC") +
                       "details arrangement S C12\nset txtTempo 96\nok\n"
                       "details arrangement S C13\ncancel\nsaveas S " +
                       (dir_ / "OUT").string() + "\n");
  ASSERT_EQ(r.code, 0) << r.err;
  // C3 A9 are two characters, the line breaks their pictures, E2 82 AC three characters.
  const std::string shown =  // U+00C3 U+00A9, U+240A U+240D, U+00E2 U+0082 U+00AC
      "\"txtNam\":\"Caf\xC3\x83\xC2\xA9 A\xE2\x90\x8A"
      "B\xE2\x90\x8D"
      "C\xC3\xA2\xC2\x82\xC2\xAC"
      "D \"";
  EXPECT_NE(r.out.find(shown), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"txtNam\":\"D\xC3\xA9j\xC3\xA0 vu         \""), std::string::npos)
      << r.out;
  FileSet saved = Saved(dir_ / "OUT");
  EXPECT_EQ(saved.arrangements.records[1].Name(), bytes);
  // Findings name items the same way.
  EXPECT_NE(RunCli({"check", (dir_ / "OUT").string()})
                .out.find("Arrangement C14 'D\xC3\xA9j\xC3\xA0 vu' has the same name as C13"),
            std::string::npos);

  r = RunScript(Open("S", "OUT") + "details arrangement S C12\nset txtNam    \nok\nsave S\n");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(Saved(dir_ / "OUT").arrangements.records[1].Name(), std::string(16, ' '));
}

// pastecalls: the Arrangement comes with the Program DST lacks (into the first free
// position); undo takes all of it back.
TEST_F(CliTest, PasteWithCallsBringsWhatDstLacks) {
  const std::string script = Open("S", "SRC") + Open("D", "DST") +
                             "copy arrangement S C11\npastecalls arrangement D C14\n";
  ASSERT_EQ(StatusOf(RunScript(script + "save D\n")), Status(0, ""));
  const FileSet saved = Saved(dir_ / "DST");
  EXPECT_EQ(saved.programs.records[0].Name(), src_.programs.records[1].Name());  // Lost Bass
  EXPECT_EQ(saved.arrangements.records[3].TrackProgram(2), 768);                 // the copy at F11
  build::WriteSet(dst_, dir_ / "DST");
  ASSERT_EQ(StatusOf(RunScript(script + "undo arrangement D\nsave D\n")), Status(0, ""));
  ExpectSaved("DST", dst_);
}

// One Set, one slot: opening it again, by any path to its folder, says where it is open
// and opens nothing; a Set of the same name from another folder opens.
TEST_F(CliTest, AnOpenSetIsNotOpenedASecondTime) {
  fs::create_directories(dir_ / "other");
  build::WriteSet(dst_, dir_ / "other" / "SRC");
  const Result r =
      RunScript(Open("S", "SRC") + "open T " + (dir_ / "other" / ".." / "SRC").string() +
                "\nopen U " + (dir_ / "other" / "SRC").string() + "\nclose U\n");
  ASSERT_EQ(r.code, 0) << r.err;
  const std::string loading =
      "{\"event\":\"progress\",\"title\":\"Loading SRC Files...\",\"text\":\"\"}\n";
  EXPECT_EQ(r.out, loading +
                       "{\"event\":\"message\",\"title\":\"\",\"icon\":\"information\","
                       "\"buttons\":\"ok\",\"default\":\"ok\",\"text\":\"SRC is already open "
                       "as S\",\"answer\":\"ok\"}\n" +
                       loading);
  EXPECT_EQ(StatusOf(RunScript(Open("S", "SRC") + Open("T", "SRC") + "close T\n")),
            Status(2, "i40set: line 3: no open Set 'T'\n"));
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
  ExpectSaved("COPY", src_);
  EXPECT_EQ(r.err, "i40set: not asked for: file " + PathText(iaf) + "\n");
}

// The dry run hears the identity request, then the very dump `syx` writes for the Set.
TEST_F(CliTest, SendToTheDryRunIsTheIdentityRequestThenTheSysExFile) {
  const std::string set = (dir_ / "SRC").string();
  Result r = RunCli({"send", set, "--kind", "style", "--block", "0", "--simulate", "--capture",
                     (dir_ / "CAP.SYX").string()});
  ASSERT_EQ(r.code, 0) << r.out << r.err;
  EXPECT_EQ(r.out, "Style Block 1 sent to the iS40 and acknowledged\n");
  ASSERT_EQ(RunCli({"syx", set, "--kind", "style", "-o", (dir_ / "STY.SYX").string()}).code, 0);
  std::vector<std::uint8_t> expected = {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};
  const auto file = test::ReadFile(dir_ / "STY.SYX");
  expected.insert(expected.end(), file.begin(), file.end());
  EXPECT_EQ(test::ReadFile(dir_ / "CAP.SYX"), expected);

  EXPECT_EQ(RunCli({"send", set, "--kind", "style"}).code, 2);
  ExpectError(RunCli({"send", set, "--kind", "style", "--out", "999", "--in", "0"}), 2,
              kWithPorts ? "no single MIDI output '999'" : kNoPorts);
  if (!kWithPorts) ExpectError(RunCli({"ports"}), 2, kNoPorts);
}

// ---- The item dialogs ---------------------------------------------------------------

// Each dialog driven as a user would, saved elsewhere: every component is the source Set
// with exactly the changes made, byte for byte.
TEST_F(CliTest, DialogSessionsSaveExactlyWhatWasChanged) {
  src_.arrangements.records[0].bytes[24] = 60;  // a split key no list offers
  src_.backingSequences.records[4].SetName("VERSE");
  src_.backingSequences.records[4].bytes[BsqRecord::kFlagsOffset] = 0xF0;
  build::WriteSet(src_, dir_ / "SRC");
  const auto session = [&](const std::string& script, const char* out) {
    return RunScript(Open("S", "SRC") + script + "saveas S " + (dir_ / out).string() + "\n");
  };

  Result r = session(
      "details arrangement S C11\nset txtNam   Evening Song\nset txtTempo 300\nset chkSw(6) 1\n"
      "set cboDrMap(2) #7\nset lstPrg(6) F12\nok\n",
      "OUT1");
  ASSERT_EQ(r.code, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 9u) << r.out;
  EXPECT_EQ(lines[1].substr(0, 71),
            R"j({"event":"dialog","title":"Arrangement C11 in SRC","controls":{"txtNam")j");
  EXPECT_NE(lines[1].find(R"j("cboSplit":"",)j"), std::string::npos);
  EXPECT_EQ(Texts(lines.begin() + 2, lines.end() - 1), Lines(Expected("dialog_arrangement.jsonl")));
  FileSet expected = src_;
  ArrangementRecord& a = expected.arrangements.records[0];
  a.SetName("Evening Song");
  a.bytes[22] = 90;
  a.bytes[28] |= 0x02;
  a.bytes[32] = 7;
  a.SetTrackProgram(6, 769);
  ExpectSaved("OUT1", expected);

  // Cancel writes nothing; a list is printed as its lines.
  r = session("details program S F12\nset txtNam Found Bass\ncancel\n", "OUT2");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(
      Lines(r.out).at(1),
      R"j({"event":"dialog","title":"Program F12 in SRC","controls":{"txtNam":"Lost Bass       ","cboCat":"User","lstCalled":["Arr C11: BASS   "]},"disabled":[]})j");
  ExpectSaved("OUT2", src_);

  // A refused OK is told, and the dialog stays open for another try.
  r = session(
      "details bsq S 4\nset chkChain 1\nset txtNxt 12\nok\nset txtNxt 3\nset lblArr C11\nok\n",
      "OUT3");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(
      r.out.find(
          R"j({"event":"message","title":"","icon":"exclamation","buttons":"ok","default":"ok","text":"Next Backing Sequence must be a number from 0 to 9","answer":"ok"})j"),
      std::string::npos);
  expected = src_;
  BsqRecord& b = expected.backingSequences.records[4];
  b.bytes[BsqRecord::kFlagsOffset] = 0xF2;
  b.SetNext(3);
  b.SetArrangement(256);
  ExpectSaved("OUT3", expected);
}

TEST_F(CliTest, GlobalDialogSessionsSaveExactlyWhatWasChanged) {
  src_.arrangementGlobal.record[38] = 0xFE;  // bits 1-7 of Chord Memory's byte stay
  build::WriteSet(src_, dir_ / "SRC");
  const Result r =
      RunScript(Open("S", "SRC") +
                "details arrglobal S\nset lstMidi(3) 5\nset lstMidi(12) OFF\nset cboSplit G 3\n"
                "set optRecog 2\nset chkChMem 1\nok\n"
                "details global S\nset cboPeds(0) START/STOP\nset cboCurv(1) 3\nfile " +
                (dir_ / "GBL.SYX").string() + "\nclick cmdSysex2File\nsaveas S " +
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
  ExpectSaved("OUT", expected);
  // The button's file is the command line's dump of the same Global.
  const Result syx = RunCli(
      {"syx", (dir_ / "OUT").string(), "--kind", "global", "-o", (dir_ / "CLI.SYX").string()});
  ASSERT_EQ(syx.code, 0) << syx.err;
  EXPECT_EQ(test::ReadFile(dir_ / "GBL.SYX"), test::ReadFile(dir_ / "CLI.SYX"));
}

// Each case of tests/data/cli/dialog_script_errors.txt: the lines of a script run on an
// open Set (so its first line is line 2), then "=> " and all that goes to standard error.
// An empty slot (C12) opens no dialog to set anything in.
TEST_F(CliTest, DialogScriptErrorsStopWithStatusTwo) {
  std::string script;
  int cases = 0;
  for (const std::string& line : Lines(Expected("dialog_script_errors.txt"))) {
    if (!line.starts_with("=> ")) {
      script += line.empty() ? "" : line + "\n";
      continue;
    }
    EXPECT_EQ(StatusOf(RunScript(Open("S", "SRC") + script)), Status(2, line.substr(3) + "\n"))
        << script;
    script.clear();
    ++cases;
  }
  EXPECT_EQ(cases, 11);
}

// check and info, as text and as one JSON object per Set: a good Set, a Set with a call
// into an emptied Program, and a Set whose Arrangement file ends early.
TEST_F(CliTest, CheckAndInfoAsTextAndJson) {
  const std::string demo = (dir_ / "DEMO").string();
  build::WriteSet(build::DemoSet(), dir_ / "DEMO");
  Result r = RunCli({"info", demo});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("\nStyle Block 1 (C11-C14): 50 events free\n"), std::string::npos);
  EXPECT_EQ(RunCli({"info", "--json", demo}).out,
            "{\"set\":\"DEMO\",\"arrangements\":20,\"styles\":15,\"programs\":42,"
            "\"drumKits\":2,\"backingSequences\":5,\"styleBlocks\":[{\"block\":1,\"styles\":"
            "\"C11-C14\",\"freeEvents\":50},{\"block\":2,\"styles\":\"C15-C18\",\"freeEvents\":"
            "5600},{\"block\":3,\"styles\":\"C21-C24\",\"freeEvents\":8950},{\"block\":4,"
            "\"styles\":\"C25-C28\",\"freeEvents\":8900}],\"sequenceEvents\":5340,"
            "\"sequenceEventsFree\":60196}\n");
  EXPECT_EQ(StatusOf(RunCli({"check", demo})), Status(0, ""));

  FileSet broken = build::TemplateSet();
  broken.arrangements.records[0].SetName("Song");
  broken.arrangements.records[0].SetTrackProgram(0, 771);  // the empty Program F14
  build::WriteSet(broken, dir_ / "CALLS");
  build::WriteSet(build::TemplateSet(), dir_ / "SHORT");
  auto arr = test::ReadFile(ComponentPath(dir_ / "SHORT", Kind::Arrangement));
  arr.resize(534);
  test::WriteFile(ComponentPath(dir_ / "SHORT", Kind::Arrangement), arr);
  const std::string calls = (dir_ / "CALLS").string(), shortSet = (dir_ / "SHORT").string();
  // A path in JSON: its backslashes (Windows) escaped.
  const auto json = [](std::string text) {
    for (std::size_t at = text.find('\\'); at != std::string::npos; at = text.find('\\', at + 2))
      text.insert(at, 1, '\\');
    return text;
  };
  r = RunCli({"check", calls, shortSet, demo});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out + r.err, calls + ": Arrangement C11 'Song' DRUMS calls the empty Program F14\n" +
                               shortSet +
                               ": Error getting Arrangement data.\nThe file ends inside "
                               "Arrangement 4 (byte 524)\n");
  r = RunCli({"check", "--json", calls, shortSet, demo});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "{\"set\":\"" + json(calls) +
                       "\",\"messages\":[],\"findings\":[\"Arrangement C11 'Song' DRUMS calls the "
                       "empty Program F14\"]}\n{\"set\":\"" +
                       json(shortSet) +
                       "\",\"messages\":[\"Error getting Arrangement data.\\r\\nThe file ends "
                       "inside Arrangement 4 (byte 524)\"],\"findings\":[]}\n{\"set\":\"" +
                       json(demo) + "\",\"messages\":[],\"findings\":[]}\n");

  ASSERT_EQ(StatusOf(RunCli({"new", (dir_ / "FRESH").string()})), Status(0, ""));
  EXPECT_EQ(test::ReadFile(dir_ / "FRESH.KBS"),
            WriteComponentBytes(Kind::KbdSet, build::TemplateSet()));
}

// ---- i40set diff ------------------------------------------------------------------

class DiffTest : public ::testing::Test {
 protected:
  void SetUp() override {
    build::WriteSet(build::DemoSet(), dir_ / "DEMO");
    demo_ = (dir_ / "DEMO").string();
  }

  // The demo Set with a tempo changed, an Arrangement renamed and Grand Piano dragged
  // from F11 to F73, written as EDITED.
  std::string Edited() {
    Workspace ws;
    ws.settings.WarnDupl = false;
    ScriptedPrompter prompter;
    const SetSlot slot = test::AddSet(ws, build::DemoSet(), "EDITED");
    auto arrangement = OpenItemDialog(ws, slot, Kind::Arrangement, {ItemNumber{256}, ItemIndex{0}});
    arrangement->SetText("txtTempo", "90");
    arrangement->Ok(prompter);
    arrangement = OpenItemDialog(ws, slot, Kind::Arrangement, {ItemNumber{257}, ItemIndex{1}});
    arrangement->SetText("txtNam", "Swing Time 2");
    arrangement->Ok(prompter);
    RunDrop(ws, prompter, Kind::Program, slot, ItemIndex{0}, slot, ItemIndex{50});
    build::WriteSet(ws.sets.Files(slot), dir_ / "EDITED");
    return (dir_ / "EDITED").string();
  }

  test::TempDir dir_;
  std::string demo_;
};

TEST_F(DiffTest, EqualSetsSayNothing) {
  build::WriteSet(build::DemoSet(), dir_ / "COPY");
  for (const auto& args : {std::vector<std::string>{"diff", demo_, demo_},
                           std::vector<std::string>{"diff", demo_, (dir_ / "COPY.GBL").string()},
                           std::vector<std::string>{"diff", "--json", demo_, demo_}}) {
    const Result r = RunCli(args);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");
  }
}

TEST_F(DiffTest, EachDifferenceIsOneLine) {
  const std::string edited = Edited();
  Result r = RunCli({"diff", demo_, edited});
  EXPECT_EQ(r.code, 1) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "Arrangements C11 'Pop Ballad': changed: Tempo 72 -> 90\n"
            "Arrangements C12 'Swing Time': renamed to 'Swing Time 2'\n"
            "Programs F11 'Grand Piano': moved to F73\n"
            "Backing Sequences 2 'CHORUS': changed: Arrangement C12 Swing Time -> C12 Swing "
            "Time 2\n");

  r = RunCli({"diff", "--json", demo_, edited});
  EXPECT_EQ(r.code, 1) << r.err;
  EXPECT_EQ(r.out,
            R"({"kind":"Arrangements","what":"changed","position":"C11","name":"Pop Ballad",)"
            R"("newPosition":"C11","newName":"Pop Ballad","fields":[{"field":"Tempo",)"
            R"("before":"72","after":"90"}]})"
            "\n"
            R"({"kind":"Arrangements","what":"renamed","position":"C12","name":"Swing Time",)"
            R"("newPosition":"C12","newName":"Swing Time 2","fields":[]})"
            "\n"
            R"({"kind":"Programs","what":"moved","position":"F11","name":"Grand Piano",)"
            R"("newPosition":"F73","newName":"Grand Piano","fields":[]})"
            "\n"
            R"({"kind":"Backing Sequences","what":"changed","position":"2","name":"CHORUS",)"
            R"("newPosition":"2","newName":"CHORUS","fields":[{"field":"Arrangement",)"
            R"("before":"C12 Swing Time","after":"C12 Swing Time 2"}]})"
            "\n");
}

TEST_F(DiffTest, UnreadableSetsAndUsageExitWithTwo) {
  Result r = RunCli({"diff", demo_, (dir_ / "NOWHERE").string()});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("NOWHERE.ARR not found"), std::string::npos) << r.err;

  build::WriteSet(build::DemoSet(), dir_ / "SHORT");
  auto arr = test::ReadFile(ComponentPath(dir_ / "SHORT", Kind::Arrangement));
  arr.resize(534);
  test::WriteFile(ComponentPath(dir_ / "SHORT", Kind::Arrangement), arr);
  r = RunCli({"diff", (dir_ / "SHORT").string(), demo_});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("The file ends inside Arrangement 4"), std::string::npos) << r.err;

  EXPECT_EQ(RunCli({"diff", demo_}).code, 2);
  EXPECT_EQ(RunCli({"diff", demo_, demo_, demo_}).code, 2);
}

}  // namespace
}  // namespace i40
