#include "export/preset_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "export/preset_list_rewrite.h"
#include "format/set_paths.h"
#include "presets/preset_list.h"
#include "support/editor.h"
#include "support/expected_text.h"
#include "support/faulty_file_ops.h"
#include "support/shown.h"
#include "support/temp_dir.h"

namespace i40 {
namespace {

namespace fs = std::filesystem;
using test::Shown;
using test::ShownOf;

const fs::path kDataDir = I40_SOURCE_DATA_DIR;

constexpr int kBankA = 0, kBankB = 1, kBankC = 2, kBankF = 5, kBankR = 6;
const std::string kRewriteError =
    "Error saving Preset names to file I40PRSTS.TXT\nThis file must be restored from I40PRSTS.BAK";

// The bytes of records [first, last), one after the other, as a preset file holds them.
template <typename Records>
std::vector<std::uint8_t> Concat(const Records& records, std::size_t first, std::size_t last) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = first; i < last; ++i)
    bytes.insert(bytes.end(), records[i].bytes.begin(), records[i].bytes.end());
  return bytes;
}

// Fails one file step, only for the per-user data folder (the preset file lives elsewhere),
// or fails reading the preset list back once the new one has been renamed into place.
enum class Fault { WriteNew, Rename, RenameList, ReadBackOnce, ReadBackAlways };

std::unique_ptr<test::FaultyFileOps> FaultyOps(Fault fault, const fs::path& dir) {
  auto ops = std::make_unique<test::FaultyFileOps>();
  const fs::path list = dir / kPresetListFileName;
  auto listReplaced = std::make_shared<bool>(false);
  auto failures = std::make_shared<int>(0);
  ops->renamed = [=](const fs::path& to) { *listReplaced = *listReplaced || to == list; };
  if (fault == Fault::WriteNew)
    ops->failWriteNew = [=](const fs::path& p) { return p.parent_path() == dir; };
  if (fault == Fault::Rename)
    ops->failRename = [=](const fs::path& to) { return to.parent_path() == dir; };
  if (fault == Fault::RenameList) ops->failRename = [=](const fs::path& to) { return to == list; };
  ops->failReadAll = [=](const fs::path& p) {
    if (!*listReplaced || p.filename() != kPresetListFileName) return false;
    return fault == Fault::ReadBackAlways || (fault == Fault::ReadBackOnce && (*failures)++ == 0);
  };
  return ops;
}

class PresetExportTest : public test::WorkspaceTest {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "shipped");
    fs::create_directories(dir_ / "sets");
    fs::copy_file(kDataDir / kPresetListFileName, ShippedList());
    ws_.data.shippedDirs = {dir_ / "shipped"};
    ws_.data.userDir = dir_ / "user";  // made by the first rewrite
    ws_.presets = std::get<PresetTables>(ReadPresetList(ShippedList()));

    FileSet set = build::RandomSet(1740);
    for (int i = 0; i < kUserArrangementCount; ++i) {
      ArrangementRecord& r = set.arrangements.records[i];
      r.SetName("Exp Arr " + std::to_string(i));
      r.SetCategory(static_cast<std::uint8_t>(i % 16));
      r.SetStyle(i == 3 ? -1 : 256 + i % 16);
    }
    set.arrangements.records[1].SetName("Pad, warm");  // a comma inside the quotes
    for (int i = 0; i < kUserProgramCount + kUserDrumKitCount; ++i) {
      ProgramRecord& r = set.programs.records[i];
      r.SetName((i < kUserProgramCount ? "Exp Prg " : "Exp Kit ") + std::to_string(i));
      r.SetCategory(static_cast<std::uint8_t>((i * 3) % 16));
    }
    slot_ = test::AddSet(ws_, set, "MYSET");
    ws_.sets.Entry(slot_).Dir = dir_ / "sets";

    preset_ = dir_ / "sets" / "FACTORY.PRE";
    presetBytes_ = build::Rng(4040).Bytes(400000);
    test::WriteFile(preset_, presetBytes_);
    shippedText_ = test::ReadTextFile(ShippedList());
  }

  fs::path ShippedList() const { return dir_ / "shipped" / kPresetListFileName; }
  fs::path UserList() const { return dir_ / "user" / kPresetListFileName; }
  fs::path UserBackup() const { return dir_ / "user" / kPresetListBackupName; }
  const FileSet& Set() const { return ws_.sets.Files(slot_); }

  // Utilities > Export to Preset File with a user bank shown: C on the Arrangements tab,
  // F or R on the Programs tab.
  bool Export(int shownBank, FileOps& ops = RealFileOps()) {
    return shownBank == kBankC
               ? ExportArrangementBank(ws_, prompter_, slot_, BankNo{shownBank}, ops)
               : ExportProgramBank(ws_, prompter_, slot_, BankNo{shownBank}, ops);
  }

  // Answers for a whole export: destination, file, Yes to the export, then the update.
  void QueueExport(int destination, Answer update) {
    prompter_.Clear();
    prompter_.QueueChoice(destination);
    prompter_.QueueFile(preset_);
    prompter_.QueueAnswer(Answer::Yes);
    prompter_.QueueAnswer(update);
  }

  // The list line of an exported item, without its line end: user Arrangement i, or user
  // Program i (64, 65: the drum kits).
  std::string EntryLine(int shownBank, int i) const {
    if (shownBank != kBankC) {
      const ProgramRecord& r = Set().programs.records[i];
      return "\"" + r.Name() + "\"," + std::to_string(r.Category());
    }
    const ArrangementRecord& r = Set().arrangements.records[i];
    return "\"" + r.Name() + "\"," + std::to_string(r.Category()) + "," + std::to_string(r.Style());
  }

  void ExpectShippedListUntouched() {
    EXPECT_EQ(test::ReadTextFile(ShippedList()), shippedText_);
    EXPECT_FALSE(fs::exists(dir_ / "user"));
    EXPECT_EQ(ws_.presets, std::get<PresetTables>(ReadPresetList(ShippedList())));
  }

  test::TempDir dir_;
  fs::path preset_;
  std::vector<std::uint8_t> presetBytes_;
  std::string shippedText_;
};

// ---- The preset data file --------------------------------------------------------------

TEST_F(PresetExportTest, EachExportWritesItsBankAndNothingElseAfterItsQuestions) {
  const auto& kitData = Set().programs.drumKitData;
  std::vector<std::uint8_t> kits(kitData[0].begin(), kitData[0].end());
  kits.insert(kits.end(), kitData[1].begin(), kitData[1].end());
  // Where each export puts what: the user bank's records and, for the drum kits, their data.
  using Writes = std::vector<std::pair<std::size_t, std::vector<std::uint8_t>>>;
  const auto writes = [&](int source, std::size_t d) -> Writes {
    if (source == kBankC) return {{287004 + d * 10496, Concat(Set().arrangements.records, 0, 64)}};
    if (source == kBankF) return {{327680 + d * 11008, Concat(Set().programs.records, 0, 64)}};
    return {{308293 + d * 344, Concat(Set().programs.records, 64, 66)}, {311045 + d * 1760, kits}};
  };
  const struct {
    int source;
    std::string caption, fileTitle, question, update;
    std::vector<std::string> banks;
  } exports[] = {
      {kBankC,
       "Select Destination Arrangement Bank",
       "Export Bank Arrangement to Preset File...",
       "Export Bank C of MYSET to Bank ",
       "Update the Preset Arrangement list accordingly?",
       {"A", "B"}},
      {kBankF,
       "Select Destination Program Bank",
       "Export Bank F to Preset File...",
       "Export Bank F of MYSET\nto Bank ",
       "Update the Preset Program list accordingly?",
       {"A", "B", "C", "D", "E"}},
      {kBankR,
       "Select Destination Program Bank",
       "Export Bank R27-R28 to Preset File...",
       "Export Bank R27-R28 of MYSET\nto Bank ",
       "Update the Preset Program list accordingly?",
       {"R11-R12", "R13-R14", "R15-R16", "R17-R18", "R21-R22", "R23-R24", "R25-R26"}},
  };
  for (const auto& e : exports) {
    for (std::size_t d = 0; d < e.banks.size(); ++d) {
      const std::string text = e.question + e.banks[d] + " of " + PathText(preset_) + "?";
      SCOPED_TRACE(text);
      test::WriteFile(preset_, presetBytes_);
      QueueExport(static_cast<int>(d), Answer::No);
      EXPECT_TRUE(Export(e.source));
      auto expected = presetBytes_;
      for (const auto& [offset, bytes] : writes(e.source, d))
        std::copy(bytes.begin(), bytes.end(), expected.begin() + std::ptrdiff_t(offset));
      EXPECT_EQ(test::ReadFile(preset_), expected);
      EXPECT_EQ(test::FileNamesIn(dir_ / "sets"), std::vector<std::string>{"FACTORY.PRE"});

      ASSERT_EQ(prompter_.listChoices().size(), 1u);
      const ListChoice& choice = prompter_.listChoices()[0];
      EXPECT_EQ(std::tie(choice.caption, choice.label, choice.items, choice.selected),
                std::tuple(e.caption, "Preset Bank", e.banks, 0));
      ASSERT_EQ(prompter_.fileRequests().size(), 1u);
      const FileRequest& request = prompter_.fileRequests()[0];
      EXPECT_EQ(std::tuple(request.title, request.initialDir, request.initialName,
                           request.defaultExt, test::Types(request)),
                std::tuple(e.fileTitle, dir_ / "sets", "", ".PRE",
                           std::vector<std::string>{"Preset Data (*.PRE)|*.PRE"}));
      const auto question = [](const std::string& shown, const std::string& title) {
        return Shown{shown, title, MessageIcon::Question, MessageButtons::YesNo, Answer::No};
      };
      EXPECT_EQ(
          ShownOf(prompter_.messages()),
          (std::vector{question(text, "Export Bank to Preset File"), question(e.update, "")}));
    }
  }
  ExpectShippedListUntouched();
}

TEST_F(PresetExportTest, OnlyTheUserBanksAreExported) {
  for (int bank = 0; bank < 7; ++bank) {
    SCOPED_TRACE(bank);
    EXPECT_EQ(CanExportBank(Kind::Arrangement, BankNo{bank}), bank == kBankC);
    EXPECT_EQ(CanExportBank(Kind::Program, BankNo{bank}), bank == kBankF || bank == kBankR);
    EXPECT_FALSE(CanExportBank(Kind::Style, BankNo{bank}));
    EXPECT_TRUE(bank >= kBankC || ExportArrangementBank(ws_, prompter_, slot_, BankNo{bank}));
    EXPECT_TRUE(bank >= kBankF || ExportProgramBank(ws_, prompter_, slot_, BankNo{bank}));
  }
  EXPECT_TRUE(prompter_.listChoices().empty());
  EXPECT_TRUE(prompter_.fileRequests().empty());
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(PresetExportTest, CancelAtEachStepWritesNothing) {
  // The list choice, the file dialog, the export question.
  prompter_.QueueChoice(-1);
  EXPECT_TRUE(Export(kBankC));
  EXPECT_TRUE(prompter_.fileRequests().empty());
  prompter_.Clear();
  prompter_.QueueChoice(0);
  prompter_.QueueFile(std::nullopt);
  EXPECT_TRUE(Export(kBankF));
  EXPECT_TRUE(prompter_.messages().empty());
  prompter_.Clear();
  prompter_.QueueChoice(3);
  prompter_.QueueFile(preset_);
  prompter_.QueueAnswer(Answer::No);
  EXPECT_TRUE(Export(kBankR));
  EXPECT_EQ(prompter_.messages().size(), 1u);  // no update question after No
  EXPECT_EQ(test::ReadFile(preset_), presetBytes_);
  EXPECT_EQ(test::FileNamesIn(dir_ / "sets"), std::vector<std::string>{"FACTORY.PRE"});
}

TEST_F(PresetExportTest, ARefusedOrFailedWriteLeavesThePresetFileAsItWas) {
  // One byte short of bank B's end; long enough for the kits' records but not their data,
  // so neither is written; no file at all, which is not created; a write or a rename that
  // fails.
  const std::size_t whole = presetBytes_.size();
  const struct {
    int source, destination;
    std::size_t size;
    std::string error;
    std::optional<Fault> fault;
  } cases[] = {{kBankC, kBankB, 307995, "Error saving Preset Arrangement to\n", {}},
               {kBankR, 1, 312805 + 1760 - 1, "Error saving Preset Program to\n", {}},
               {kBankC, kBankA, 0, "Error saving Preset Arrangement to\n", {}},
               {kBankF, 0, whole, "Error saving Preset Program to\n", Fault::WriteNew},
               {kBankF, 4, whole, "Error saving Preset Program to\n", Fault::Rename}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    const std::vector<std::uint8_t> before(presetBytes_.begin(),
                                           presetBytes_.begin() + std::ptrdiff_t(c.size));
    if (c.size == 0) fs::remove(preset_);
    if (c.size != 0) test::WriteFile(preset_, before);
    const auto ops =
        c.fault ? FaultyOps(*c.fault, dir_ / "sets") : std::make_unique<test::FaultyFileOps>();
    QueueExport(c.destination, Answer::Yes);
    EXPECT_TRUE(Export(c.source, *ops));
    ASSERT_EQ(prompter_.messages().size(), 2u);  // the question, then the error; no update
    EXPECT_EQ(ShownOf(prompter_.messages()[1]), test::ErrorBox(c.error + PathText(preset_)));
    EXPECT_EQ(test::ReadFile(preset_), before);
    EXPECT_EQ(test::FileNamesIn(dir_ / "sets").size(), c.size ? 1u : 0u);  // nor a temporary
    ExpectShippedListUntouched();
  }

  // Just long enough.
  std::vector<std::uint8_t> exact(presetBytes_.begin(), presetBytes_.begin() + 307996);
  test::WriteFile(preset_, exact);
  QueueExport(kBankB, Answer::No);
  EXPECT_TRUE(Export(kBankC));
  const auto arrangements = Concat(Set().arrangements.records, 0, 64);
  std::copy(arrangements.begin(), arrangements.end(), exact.begin() + 297500);
  EXPECT_EQ(test::ReadFile(preset_), exact);
}

// ---- The preset list -------------------------------------------------------------------

TEST_F(PresetExportTest, UpdatedListNamesTheExportedItemsAndKeepsEveryOtherLine) {
  // One after the other: each rewrite starts from the list the one before left in force.
  const struct {
    int source, destination;
    std::string from, to;  // the marker lines around the entries rewritten
    int first, count;      // the exported items
  } cases[] = {{kBankC, kBankB, "/ Arr B11-B18", "/ Sty A11-A18", 0, 64},
               {kBankF, 3, "/ Prg D11-D18", "/ Prg E11-E18", 0, 64},
               {kBankR, 6, "/ Prg R25-R26", "(the end)", 64, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.from);
    const std::string before =
        fs::exists(UserList()) ? test::ReadTextFile(UserList()) : shippedText_;
    QueueExport(c.destination, Answer::Yes);
    EXPECT_TRUE(Export(c.source));
    EXPECT_EQ(prompter_.messages().size(), 2u);  // no error
    EXPECT_EQ(test::ReadTextFile(UserBackup()), before);

    const auto oldLines = test::CrlfLines(before);
    const auto newLines = test::CrlfLines(test::ReadTextFile(UserList()));
    ASSERT_EQ(newLines.size(), oldLines.size());
    int next = c.first;
    bool inBank = false;
    for (std::size_t i = 0; i < oldLines.size(); ++i) {
      inBank = (inBank || oldLines[i] == c.from) && oldLines[i] != c.to;
      const bool entry = inBank && oldLines[i][0] != '/';
      EXPECT_EQ(newLines[i], entry ? EntryLine(c.source, next++) : oldLines[i]) << "line " << i + 1;
    }
    EXPECT_EQ(next, c.first + c.count);
    EXPECT_EQ(ws_.presets, std::get<PresetTables>(ReadPresetList(UserList())));
  }
  EXPECT_EQ(test::ReadTextFile(ShippedList()), shippedText_);  // never written
  EXPECT_EQ(test::FileNamesIn(dir_ / "user"),
            (std::vector<std::string>{std::string(kPresetListBackupName),
                                      std::string(kPresetListFileName)}));
}

TEST_F(PresetExportTest, CommentsAmongTheEntriesStayWhereTheyAre) {
  // A per-user list with notes and blank lines inside bank A, and LF line ends.
  std::string own = shippedText_;
  own.erase(std::remove(own.begin(), own.end(), '\r'), own.end());
  const std::string second = "\"Arr A12         \",0,1\n";
  own.replace(own.find(second), second.size(), "/ my note, with a comma\n\n   \n,,\n" + second);
  fs::create_directories(dir_ / "user");
  test::WriteTextFile(UserList(), own);

  QueueExport(kBankA, Answer::Yes);
  EXPECT_TRUE(Export(kBankC));
  EXPECT_EQ(test::ReadTextFile(UserBackup()), own);
  const std::string text = test::ReadTextFile(UserList());
  const std::string expected = "/ Arr A11-A18\n" + EntryLine(kBankC, 0) +
                               "\n/ my note, with a comma\n\n   \n,,\n" + EntryLine(kBankC, 1) +
                               "\n";
  EXPECT_NE(text.find(expected), std::string::npos) << text.substr(0, 800);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 0);
  EXPECT_EQ(ws_.presets.arrangements[1].name, "Pad, warm       ");
}

TEST_F(PresetExportTest, NamesTheListCannotHoldAreMadeSafe) {
  ws_.sets.Files(slot_).programs.records[65].SetName("Say \"Hi\"\tnow");
  QueueExport(0, Answer::Yes);
  EXPECT_TRUE(Export(kBankR));
  EXPECT_EQ(ws_.presets.drumKits[1].name, "Say 'Hi' now    ");
  EXPECT_NE(test::ReadTextFile(UserList()).find("\"Say 'Hi' now    \",3\r\n"), std::string::npos);
}

TEST_F(PresetExportTest, AFailedRewriteKeepsThePreviousListInForce) {
  fs::create_directories(dir_ / "user");
  const std::string own = shippedText_ + "/ the user's own copy\r\n";
  test::WriteTextFile(UserList(), own);
  const PresetTables before = ws_.presets;

  for (Fault fault : {Fault::WriteNew, Fault::Rename, Fault::RenameList}) {
    SCOPED_TRACE(static_cast<int>(fault));
    const auto ops = FaultyOps(fault, dir_ / "user");
    QueueExport(kBankA, Answer::Yes);
    EXPECT_TRUE(Export(kBankC, *ops));
    ASSERT_EQ(prompter_.messages().size(), 3u);
    EXPECT_EQ(ShownOf(prompter_.messages()[2]), test::ErrorBox(kRewriteError));
    EXPECT_EQ(test::ReadTextFile(UserList()), own);
    EXPECT_EQ(ws_.presets, before);
    if (fault == Fault::RenameList) {
      EXPECT_EQ(test::ReadTextFile(UserBackup()), own);  // it can be restored
    }
    for (const std::string& f : test::FileNamesIn(dir_ / "user"))  // no temporary file left
      EXPECT_TRUE(f == kPresetListFileName || f == kPresetListBackupName) << f;
  }
  EXPECT_EQ(test::ReadTextFile(ShippedList()), shippedText_);

  // Nor is a list whose bank cannot be found, or whose entry stands on two lines (dropping
  // one line would shift every name after it).
  for (auto [from, to] :
       {std::pair<std::string, std::string>{"\r\n/ Arr A11-A18\r\n", "\r\n/ Arr bank A\r\n"},
        {"\"Arr A11         \",0,0\r\n", "\"Arr A11         \"\r\n0,0\r\n"}}) {
    std::string bad = own;
    bad.replace(bad.find(from), from.size(), to);
    test::WriteTextFile(UserList(), bad);
    QueueExport(kBankA, Answer::Yes);
    EXPECT_TRUE(Export(kBankC));
    ASSERT_EQ(prompter_.messages().size(), 3u);
    EXPECT_EQ(prompter_.messages()[2].text, kRewriteError);
    EXPECT_EQ(test::ReadTextFile(UserList()), bad);
    EXPECT_EQ(ws_.presets, before);
  }
}

TEST_F(PresetExportTest, AListThatDoesNotReadBackIsPutBack) {
  const PresetTables before = ws_.presets;
  // With the shipped list in force the per-user copy goes again; a per-user list in force
  // gets its old text back.
  for (const std::string own : {"", "/ mine\r\n"}) {
    if (!own.empty()) test::WriteTextFile(UserList(), shippedText_ + own);
    const auto ops = FaultyOps(Fault::ReadBackOnce, dir_ / "user");
    QueueExport(kBankB, Answer::Yes);
    EXPECT_TRUE(Export(kBankC, *ops));
    EXPECT_EQ(prompter_.texts().back(), kRewriteError);
    EXPECT_EQ(fs::exists(UserList()), !own.empty());
    EXPECT_EQ(test::ReadTextFile(UserList()), own.empty() ? "" : shippedText_ + own);
    EXPECT_EQ(test::ReadTextFile(UserBackup()), shippedText_ + own);
    EXPECT_EQ(ws_.presets, before);
  }

  // Nothing can be read any more: the program must end.
  const auto ops = FaultyOps(Fault::ReadBackAlways, dir_ / "user");
  QueueExport(kBankB, Answer::Yes);
  EXPECT_FALSE(Export(kBankC, *ops));
  ASSERT_EQ(prompter_.messages().size(), 4u);
  EXPECT_EQ(prompter_.messages()[2].text, kRewriteError);
  EXPECT_EQ(prompter_.messages()[3].text, PresetListErrorText());
  EXPECT_EQ(prompter_.messages()[3].icon, MessageIcon::Critical);
}

}  // namespace
}  // namespace i40
