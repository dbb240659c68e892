#include "presets/preset_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "calls/item_lookup.h"
#include "format/set_paths.h"
#include "presets/preset_list.h"
#include "presets/preset_list_rewrite.h"
#include "set_builder.h"
#include "support/faulty_file_ops.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"
#include "ui/scripted_prompter.h"

namespace i40 {
namespace {

namespace fs = std::filesystem;

const fs::path kDataDir = I40_SOURCE_DATA_DIR;

constexpr int kBankA = 0, kBankB = 1, kBankC = 2, kBankF = 5, kBankR = 6;
constexpr std::size_t kPresetFileSize = 400000;

// Lines split at "\n" only, so a carriage return stays visible at the end of its line.
std::vector<std::string> RawLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start + 1));
    start = end + 1;
  }
  return lines;
}

template <typename Record>
void AppendRecord(std::vector<std::uint8_t>& out, const Record& record) {
  out.insert(out.end(), record.bytes.begin(), record.bytes.end());
}

// The preset file as it must be after writing these bytes at that offset.
std::vector<std::uint8_t> Patched(std::vector<std::uint8_t> file, std::size_t offset,
                                  const std::vector<std::uint8_t>& bytes) {
  std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(offset));
  return file;
}

// Fails one file step, only for the per-user data folder (the preset file lives elsewhere),
// or fails reading the preset list back once the new one has been renamed into place.
enum class Fault { WriteNew, Rename, RenameList, ReadBackOnce, ReadBackAlways };

std::unique_ptr<test::FaultyFileOps> FaultyOps(Fault fault, const fs::path& userDir) {
  auto ops = std::make_unique<test::FaultyFileOps>();
  const fs::path list = userDir / kPresetListFileName;
  auto listReplaced = std::make_shared<bool>(false);
  auto failedOnce = std::make_shared<bool>(false);
  ops->renamed = [=](const fs::path& to) {
    if (to == list) *listReplaced = true;
  };
  switch (fault) {
    case Fault::WriteNew:
      ops->failWriteNew = [=](const fs::path& p) { return p.parent_path() == userDir; };
      break;
    case Fault::Rename:
      ops->failRename = [=](const fs::path& to) { return to.parent_path() == userDir; };
      break;
    case Fault::RenameList:
      ops->failRename = [=](const fs::path& to) { return to == list; };
      break;
    case Fault::ReadBackOnce:
    case Fault::ReadBackAlways:
      ops->failReadAll = [=](const fs::path& p) {
        if (!*listReplaced || p.filename() != kPresetListFileName) return false;
        if (fault == Fault::ReadBackAlways) return true;
        const bool first = !*failedOnce;
        *failedOnce = true;
        return first;
      };
      break;
  }
  return ops;
}

class PresetExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "shipped");
    fs::create_directories(dir_ / "sets");
    fs::copy_file(kDataDir / kPresetListFileName, ShippedList());
    ws_.data.shippedDirs = {dir_ / "shipped"};
    ws_.data.userDir = dir_ / "user";  // made by the first rewrite
    ws_.presets = std::get<PresetTables>(ReadPresetList(ShippedList()));

    FileSet set = build::TemplateSet();
    build::Rng rng(1740);
    for (int i = 0; i < kUserArrangementCount; ++i) {
      ArrangementRecord& r = set.arrangements.records[static_cast<std::size_t>(i)];
      rng.Fill(r.bytes);
      r.SetName("Exp Arr " + std::to_string(i));
      r.SetCategory(static_cast<std::uint8_t>(i % 16));
      r.SetStyle(i == 3 ? -1 : 256 + i % 16);
    }
    set.arrangements.records[1].SetName("Pad, warm");  // a comma inside the quotes
    for (int i = 0; i < kUserProgramCount; ++i) {
      ProgramRecord& r = set.programs.records[static_cast<std::size_t>(i)];
      rng.Fill(r.bytes);
      r.SetName("Exp Prg " + std::to_string(i));
      r.SetCategory(static_cast<std::uint8_t>((i * 3) % 16));
    }
    for (int k = 0; k < kUserDrumKitCount; ++k) {
      ProgramRecord& r = set.programs.records[static_cast<std::size_t>(kUserProgramCount + k)];
      rng.Fill(r.bytes);
      r.SetName(k == 0 ? "Exp Kit One" : "Exp Kit Two");
      r.SetCategory(static_cast<std::uint8_t>(14 - k));
      rng.Fill(set.programs.drumKitData[static_cast<std::size_t>(k)]);
    }
    slot_ = test::AddSet(ws_, set, "MYSET");
    ws_.sets.Entry(slot_).Dir = dir_ / "sets";

    preset_ = dir_ / "sets" / "FACTORY.PRE";
    presetBytes_ = build::Rng(4040).Bytes(kPresetFileSize);
    test::WriteFile(preset_, presetBytes_);
    shippedText_ = test::ReadTextFile(ShippedList());
  }

  fs::path ShippedList() const { return dir_ / "shipped" / kPresetListFileName; }
  fs::path UserList() const { return dir_ / "user" / kPresetListFileName; }
  fs::path UserBackup() const { return dir_ / "user" / kPresetListBackupName; }
  const FileSet& Set() const { return ws_.sets.Files(slot_); }

  // Answers for a whole export: destination, file, Yes to the export, then the update.
  void QueueExport(int destination, Answer update) {
    prompter_.QueueChoice(destination);
    prompter_.QueueFile(preset_);
    prompter_.QueueAnswer(Answer::Yes);
    prompter_.QueueAnswer(update);
  }

  std::vector<std::uint8_t> UserArrangementBytes() const {
    std::vector<std::uint8_t> bytes;
    for (const ArrangementRecord& r : Set().arrangements.records)
      AppendRecord(bytes, r);
    return bytes;
  }
  std::vector<std::uint8_t> UserProgramBytes() const {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < kUserProgramCount; ++i)
      AppendRecord(bytes, Set().programs.records[static_cast<std::size_t>(i)]);
    return bytes;
  }

  std::string ArrangementLine(int i) const {
    const ArrangementRecord& r = Set().arrangements.records[static_cast<std::size_t>(i)];
    return "\"" + r.Name() + "\"," + std::to_string(r.Category()) + "," +
           std::to_string(r.Style()) + "\r\n";
  }
  std::string ProgramLine(int userIndex) const {
    const ProgramRecord& r = Set().programs.records[static_cast<std::size_t>(userIndex)];
    return "\"" + r.Name() + "\"," + std::to_string(r.Category()) + "\r\n";
  }

  void ExpectShippedListUntouched() {
    EXPECT_EQ(test::ReadTextFile(ShippedList()), shippedText_);
    EXPECT_FALSE(fs::exists(UserList()));
  }

  test::TempDir dir_;
  Workspace ws_;
  ScriptedPrompter prompter_;
  int slot_ = 0;
  fs::path preset_;
  std::vector<std::uint8_t> presetBytes_;
  std::string shippedText_;
};

// ---- The preset data file --------------------------------------------------------------

TEST_F(PresetExportTest, ArrangementsGoToTheChosenBankAndNowhereElse) {
  const struct {
    int destination;
    std::size_t first, last;  // bytes written, inclusive
  } cases[] = {{kBankA, 287004, 297499}, {kBankB, 297500, 307995}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.destination);
    test::WriteFile(preset_, presetBytes_);
    prompter_.Clear();
    QueueExport(c.destination, Answer::No);
    EXPECT_TRUE(ExportArrangementBank(ws_, prompter_, slot_, kBankC));
    EXPECT_EQ(prompter_.unexpectedQuestions(), 0);

    const auto after = test::ReadFile(preset_);
    ASSERT_EQ(after.size(), kPresetFileSize);
    EXPECT_EQ(after, Patched(presetBytes_, c.first, UserArrangementBytes()));
    EXPECT_EQ(c.last - c.first + 1, UserArrangementBytes().size());
    EXPECT_EQ(after[c.first - 1], presetBytes_[c.first - 1]);
    EXPECT_EQ(after[c.last + 1], presetBytes_[c.last + 1]);
    EXPECT_EQ(test::FileNamesIn(dir_ / "sets"),
              std::vector<std::string>{"FACTORY.PRE"});  // no temp left
  }
  ExpectShippedListUntouched();
}

TEST_F(PresetExportTest, ArrangementExportShowsItsDialogsAndQuestions) {
  QueueExport(kBankB, Answer::No);
  EXPECT_TRUE(ExportArrangementBank(ws_, prompter_, slot_, kBankC));

  ASSERT_EQ(prompter_.listChoices().size(), 1u);
  const ListChoice& choice = prompter_.listChoices()[0];
  EXPECT_EQ(choice.caption, "Select Destination Arrangement Bank");
  EXPECT_EQ(choice.label, "Preset Bank");
  EXPECT_EQ(choice.items, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(choice.selected, 0);

  ASSERT_EQ(prompter_.fileRequests().size(), 1u);
  const FileRequest& request = prompter_.fileRequests()[0];
  EXPECT_EQ(request.title, "Export Bank Arrangement to Preset File...");
  EXPECT_EQ(request.initialDir, dir_ / "sets");
  EXPECT_EQ(request.initialName, "");
  ASSERT_EQ(request.filters.size(), 1u);
  EXPECT_EQ(request.filters[0].name, "Preset Data (*.PRE)");
  EXPECT_EQ(request.filters[0].pattern, "*.PRE");
  EXPECT_EQ(request.defaultExt, ".PRE");

  ASSERT_EQ(prompter_.messages().size(), 2u);
  const Message& ask = prompter_.messages()[0];
  EXPECT_EQ(ask.text, "Export Bank C of MYSET to Bank B of " + PathText(preset_) + "?");
  EXPECT_EQ(ask.title, "Export Bank to Preset File");
  EXPECT_EQ(ask.icon, MessageIcon::Question);
  EXPECT_EQ(ask.buttons, MessageButtons::YesNo);
  EXPECT_EQ(ask.defaultButton, Answer::No);
  const Message& update = prompter_.messages()[1];
  EXPECT_EQ(update.text, "Update the Preset Arrangement list accordingly?");
  EXPECT_EQ(update.title, "");
  EXPECT_EQ(update.icon, MessageIcon::Question);
  EXPECT_EQ(update.buttons, MessageButtons::YesNo);
  EXPECT_EQ(update.defaultButton, Answer::No);
}

TEST_F(PresetExportTest, ProgramBankFGoesToEachPresetBank) {
  for (int bank = 0; bank < 5; ++bank) {
    SCOPED_TRACE(bank);
    test::WriteFile(preset_, presetBytes_);
    prompter_.Clear();
    QueueExport(bank, Answer::No);
    EXPECT_TRUE(ExportProgramBank(ws_, prompter_, slot_, kBankF));
    EXPECT_EQ(
        test::ReadFile(preset_),
        Patched(presetBytes_, 327680 + static_cast<std::size_t>(bank) * 11008, UserProgramBytes()));

    const std::string letter(1, static_cast<char>('A' + bank));
    ASSERT_EQ(prompter_.listChoices().size(), 1u);
    EXPECT_EQ(prompter_.listChoices()[0].caption, "Select Destination Program Bank");
    EXPECT_EQ(prompter_.listChoices()[0].label, "Preset Bank");
    EXPECT_EQ(prompter_.listChoices()[0].items,
              (std::vector<std::string>{"A", "B", "C", "D", "E"}));
    ASSERT_EQ(prompter_.fileRequests().size(), 1u);
    EXPECT_EQ(prompter_.fileRequests()[0].title, "Export Bank F to Preset File...");
    ASSERT_EQ(prompter_.messages().size(), 2u);
    EXPECT_EQ(prompter_.messages()[0].text,
              "Export Bank F of MYSET\nto Bank " + letter + " of " + PathText(preset_) + "?");
    EXPECT_EQ(prompter_.messages()[0].title, "Export Bank to Preset File");
    EXPECT_EQ(prompter_.messages()[0].defaultButton, Answer::No);
    EXPECT_EQ(prompter_.messages()[1].text, "Update the Preset Program list accordingly?");
    EXPECT_EQ(prompter_.messages()[1].defaultButton, Answer::No);
  }
}

TEST_F(PresetExportTest, UserDrumKitsGoToThePairChosenRecordsAndKitData) {
  QueueExport(1, Answer::No);  // R13-R14
  EXPECT_TRUE(ExportProgramBank(ws_, prompter_, slot_, kBankR));

  std::vector<std::uint8_t> records;
  AppendRecord(records, Set().programs.records[64]);
  AppendRecord(records, Set().programs.records[65]);
  std::vector<std::uint8_t> kits(Set().programs.drumKitData[0].begin(),
                                 Set().programs.drumKitData[0].end());
  kits.insert(kits.end(), Set().programs.drumKitData[1].begin(),
              Set().programs.drumKitData[1].end());
  ASSERT_EQ(records.size(), 2u * 172u);
  ASSERT_EQ(kits.size(), 2u * 880u);
  EXPECT_EQ(test::ReadFile(preset_), Patched(Patched(presetBytes_, 308637, records), 312805, kits));

  ASSERT_EQ(prompter_.listChoices().size(), 1u);
  EXPECT_EQ(prompter_.listChoices()[0].caption, "Select Destination Program Bank");
  EXPECT_EQ(prompter_.listChoices()[0].items,
            (std::vector<std::string>{"R11-R12", "R13-R14", "R15-R16", "R17-R18", "R21-R22",
                                      "R23-R24", "R25-R26"}));
  EXPECT_EQ(prompter_.fileRequests()[0].title, "Export Bank R27-R28 to Preset File...");
  EXPECT_EQ(prompter_.messages()[0].text,
            "Export Bank R27-R28 of MYSET\nto Bank R13-R14 of " + PathText(preset_) + "?");
}

TEST_F(PresetExportTest, OnlyTheUserBanksAreExported) {
  for (int bank : {kBankA, kBankB}) {
    EXPECT_TRUE(ExportArrangementBank(ws_, prompter_, slot_, bank));
    EXPECT_FALSE(CanExportBank(Kind::Arrangement, bank));
  }
  for (int bank = 0; bank < 5; ++bank) {
    EXPECT_TRUE(ExportProgramBank(ws_, prompter_, slot_, bank));
    EXPECT_FALSE(CanExportBank(Kind::Program, bank));
  }
  EXPECT_TRUE(prompter_.listChoices().empty());
  EXPECT_TRUE(prompter_.fileRequests().empty());
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(test::ReadFile(preset_), presetBytes_);

  EXPECT_TRUE(CanExportBank(Kind::Arrangement, kBankC));
  EXPECT_TRUE(CanExportBank(Kind::Program, kBankF));
  EXPECT_TRUE(CanExportBank(Kind::Program, kBankR));
  EXPECT_FALSE(CanExportBank(Kind::Style, kBankC));
}

TEST_F(PresetExportTest, CancelAtEachStepWritesNothing) {
  // The list choice, the file dialog, the export question.
  prompter_.QueueChoice(-1);
  EXPECT_TRUE(ExportArrangementBank(ws_, prompter_, slot_, kBankC));
  EXPECT_TRUE(prompter_.fileRequests().empty());

  prompter_.Clear();
  prompter_.QueueChoice(0);
  prompter_.QueueFile(std::nullopt);
  EXPECT_TRUE(ExportProgramBank(ws_, prompter_, slot_, kBankF));
  EXPECT_TRUE(prompter_.messages().empty());

  prompter_.Clear();
  prompter_.QueueChoice(3);
  prompter_.QueueFile(preset_);
  prompter_.QueueAnswer(Answer::No);
  EXPECT_TRUE(ExportProgramBank(ws_, prompter_, slot_, kBankR));
  EXPECT_EQ(prompter_.messages().size(), 1u);  // no update question after No
  EXPECT_EQ(test::ReadFile(preset_), presetBytes_);
  EXPECT_EQ(test::FileNamesIn(dir_ / "sets"), std::vector<std::string>{"FACTORY.PRE"});

  // No at the update question: the preset file is written, the list is not.
  prompter_.Clear();
  QueueExport(kBankA, Answer::No);
  EXPECT_TRUE(ExportArrangementBank(ws_, prompter_, slot_, kBankC));
  EXPECT_NE(test::ReadFile(preset_), presetBytes_);
  ExpectShippedListUntouched();
  EXPECT_FALSE(fs::exists(dir_ / "user"));
  EXPECT_EQ(ws_.presets, std::get<PresetTables>(ReadPresetList(ShippedList())));
  EXPECT_EQ(prompter_.unexpectedQuestions(), 0);
}

TEST_F(PresetExportTest, APresetFileTooShortOrMissingIsRefusedUntouched) {
  const std::string arrangementError = "Error saving Preset Arrangement to\n" + PathText(preset_);

  // One byte short of bank B's end.
  std::vector<std::uint8_t> shortFile(presetBytes_.begin(), presetBytes_.begin() + 307995);
  test::WriteFile(preset_, shortFile);
  QueueExport(kBankB, Answer::Yes);
  EXPECT_TRUE(ExportArrangementBank(ws_, prompter_, slot_, kBankC));
  ASSERT_EQ(prompter_.messages().size(), 2u);  // the question, then the error; no update
  EXPECT_EQ(prompter_.messages()[1].text, arrangementError);
  EXPECT_EQ(prompter_.messages()[1].title, "Error");
  EXPECT_EQ(prompter_.messages()[1].icon, MessageIcon::Critical);
  EXPECT_EQ(test::ReadFile(preset_), shortFile);
  ExpectShippedListUntouched();

  // Just long enough.
  shortFile.push_back(0x5A);
  test::WriteFile(preset_, shortFile);
  prompter_.Clear();
  QueueExport(kBankB, Answer::No);
  EXPECT_TRUE(ExportArrangementBank(ws_, prompter_, slot_, kBankC));
  EXPECT_EQ(test::ReadFile(preset_), Patched(shortFile, 297500, UserArrangementBytes()));

  // Long enough for the kits' records but not their data: neither region is written.
  shortFile.assign(presetBytes_.begin(), presetBytes_.begin() + 312805 + 1760 - 1);
  test::WriteFile(preset_, shortFile);
  prompter_.Clear();
  QueueExport(1, Answer::Yes);
  EXPECT_TRUE(ExportProgramBank(ws_, prompter_, slot_, kBankR));
  ASSERT_EQ(prompter_.messages().size(), 2u);
  EXPECT_EQ(prompter_.messages()[1].text, "Error saving Preset Program to\n" + PathText(preset_));
  EXPECT_EQ(test::ReadFile(preset_), shortFile);

  // A file that is not there is not created.
  fs::remove(preset_);
  prompter_.Clear();
  QueueExport(kBankA, Answer::Yes);
  EXPECT_TRUE(ExportArrangementBank(ws_, prompter_, slot_, kBankC));
  ASSERT_EQ(prompter_.messages().size(), 2u);
  EXPECT_EQ(prompter_.messages()[1].text, arrangementError);
  EXPECT_FALSE(fs::exists(preset_));
  EXPECT_TRUE(test::FileNamesIn(dir_ / "sets").empty());
}

TEST_F(PresetExportTest, AFailedWriteLeavesThePresetFileAsItWas) {
  for (auto fault : {Fault::WriteNew, Fault::Rename}) {
    SCOPED_TRACE(static_cast<int>(fault));
    prompter_.Clear();
    const auto ops = FaultyOps(fault, dir_ / "sets");
    QueueExport(kBankA, Answer::Yes);
    EXPECT_TRUE(ExportProgramBank(ws_, prompter_, slot_, kBankF, *ops));
    ASSERT_EQ(prompter_.messages().size(), 2u);
    EXPECT_EQ(prompter_.messages()[1].text, "Error saving Preset Program to\n" + PathText(preset_));
    EXPECT_EQ(test::ReadFile(preset_), presetBytes_);
    EXPECT_EQ(test::FileNamesIn(dir_ / "sets"), std::vector<std::string>{"FACTORY.PRE"});
  }
}

// ---- The preset list -------------------------------------------------------------------

TEST_F(PresetExportTest, UpdatedListNamesTheExportedArrangementsAndKeepsEveryOtherLine) {
  const PresetTables before = ws_.presets;
  QueueExport(kBankB, Answer::Yes);
  EXPECT_TRUE(ExportArrangementBank(ws_, prompter_, slot_, kBankC));
  EXPECT_EQ(prompter_.messages().size(), 2u);  // no error

  // The shipped list is never written; the backup is the list that was in force.
  EXPECT_EQ(test::ReadTextFile(ShippedList()), shippedText_);
  EXPECT_EQ(test::ReadTextFile(UserBackup()), shippedText_);
  EXPECT_EQ(test::FileNamesIn(dir_ / "user"),
            (std::vector<std::string>{std::string(kPresetListBackupName),
                                      std::string(kPresetListFileName)}));

  const auto oldLines = RawLines(shippedText_);
  const auto newLines = RawLines(test::ReadTextFile(UserList()));
  ASSERT_EQ(newLines.size(), oldLines.size());
  int replaced = 0;
  bool inBankB = false;
  for (std::size_t i = 0; i < oldLines.size(); ++i) {
    if (oldLines[i] == "/ Arr B11-B18\r\n") inBankB = true;
    if (oldLines[i] == "/ Sty A11-A18\r\n") inBankB = false;
    if (inBankB && oldLines[i][0] != '/') {
      EXPECT_EQ(newLines[i], ArrangementLine(replaced)) << "line " << i + 1;
      ++replaced;
    } else {
      EXPECT_EQ(newLines[i], oldLines[i]) << "line " << i + 1;
    }
  }
  EXPECT_EQ(replaced, 64);
  EXPECT_EQ(newLines[78], "\"Exp Arr 0       \",0,256\r\n");
  EXPECT_EQ(newLines[79], "\"Pad, warm       \",1,257\r\n");
  EXPECT_EQ(newLines[81], "\"Exp Arr 3       \",3,-1\r\n");

  // The names shown for bank B are now the Set's; everything else is as before.
  const ItemSources from{ws_.presets, Set()};
  for (int i = 0; i < 64; ++i) {
    const ArrangementRecord& r = Set().arrangements.records[static_cast<std::size_t>(i)];
    EXPECT_EQ(ArrangementName(from, 64 + i), r.Name());
    EXPECT_EQ(ArrangementCategory(from, 64 + i), r.Category());
    EXPECT_EQ(PresetArrangementStyle(ws_.presets, 64 + i), r.Style());
    EXPECT_EQ(ws_.presets.arrangements[static_cast<std::size_t>(i)], before.arrangements[i]);
  }
  EXPECT_EQ(ws_.presets.styles, before.styles);
  EXPECT_EQ(ws_.presets.programsAB, before.programsAB);
  EXPECT_EQ(ws_.presets.drumKits, before.drumKits);
}

TEST_F(PresetExportTest, UpdatedListNamesTheExportedProgramsAndDrumKits) {
  const PresetTables before = ws_.presets;
  QueueExport(3, Answer::Yes);  // bank D
  EXPECT_TRUE(ExportProgramBank(ws_, prompter_, slot_, kBankF));
  const std::string afterPrograms = test::ReadTextFile(UserList());
  const ItemSources from{ws_.presets, Set()};
  for (int i = 0; i < 64; ++i) {
    EXPECT_EQ(ProgramName(from, 320 + i), ProgramUserName(Set(), i));  // D11 is number 320
    EXPECT_EQ(ProgramCategory(from, 320 + i), (i * 3) % 16);
    EXPECT_EQ(ws_.presets.programsCD[static_cast<std::size_t>(i)], before.programsCD[i]);  // C
  }
  EXPECT_EQ(ws_.presets.programsAB, before.programsAB);
  EXPECT_EQ(ws_.presets.programsE, before.programsE);
  const auto lines = RawLines(afterPrograms);
  const auto marker = std::find(lines.begin(), lines.end(), "/ Prg D11-D18\r\n");
  ASSERT_NE(marker, lines.end());
  EXPECT_EQ(*(marker + 1), ProgramLine(0));
  EXPECT_EQ(*(marker + 9), "/ Prg D21-D28\r\n");
  EXPECT_EQ(*(marker + 10), ProgramLine(8));

  // The second rewrite starts from the per-user list, which becomes the backup.
  prompter_.Clear();
  QueueExport(6, Answer::Yes);  // R25-R26
  EXPECT_TRUE(ExportProgramBank(ws_, prompter_, slot_, kBankR));
  EXPECT_EQ(test::ReadTextFile(UserBackup()), afterPrograms);
  EXPECT_EQ(ProgramName(from, 1036), "Exp Kit One     ");  // R25
  EXPECT_EQ(ProgramName(from, 1037), "Exp Kit Two     ");
  EXPECT_EQ(ProgramCategory(from, 1037), 13);
  EXPECT_EQ(ProgramName(from, 320), "Exp Prg 0       ");  // the first export stays
  for (std::size_t k = 0; k < 12; ++k)
    EXPECT_EQ(ws_.presets.drumKits[k], before.drumKits[k]);
  const std::string text = test::ReadTextFile(UserList());
  EXPECT_NE(text.find("/ Prg R25-R26\r\n" + ProgramLine(64) + ProgramLine(65)), std::string::npos);
  EXPECT_EQ(test::ReadTextFile(ShippedList()), shippedText_);
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
  EXPECT_TRUE(ExportArrangementBank(ws_, prompter_, slot_, kBankC));
  EXPECT_EQ(test::ReadTextFile(UserBackup()), own);
  const std::string text = test::ReadTextFile(UserList());
  std::string expected = "/ Arr A11-A18\n" + ArrangementLine(0) +
                         "/ my note, with a comma\n\n   \n,,\n" + ArrangementLine(1);
  expected.erase(std::remove(expected.begin(), expected.end(), '\r'), expected.end());
  EXPECT_NE(text.find(expected), std::string::npos) << text.substr(0, 800);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 0);
  EXPECT_EQ(ws_.presets.arrangements[1].name, "Pad, warm       ");
}

TEST_F(PresetExportTest, NamesTheListCannotHoldAreMadeSafe) {
  ws_.sets.Files(slot_).programs.records[65].SetName("Say \"Hi\"\tnow");
  QueueExport(0, Answer::Yes);
  EXPECT_TRUE(ExportProgramBank(ws_, prompter_, slot_, kBankR));
  EXPECT_EQ(ws_.presets.drumKits[1].name, "Say 'Hi' now    ");
  EXPECT_NE(test::ReadTextFile(UserList()).find("\"Say 'Hi' now    \",13\r\n"), std::string::npos);
}

TEST_F(PresetExportTest, AFailedRewriteKeepsThePreviousListInForce) {
  const std::string rewriteError =
      "Error saving Preset names to file I40PRSTS.TXT\nThis file must be restored from "
      "I40PRSTS.BAK";
  fs::create_directories(dir_ / "user");
  const std::string own = shippedText_ + "/ the user's own copy\r\n";
  test::WriteTextFile(UserList(), own);
  const PresetTables before = ws_.presets;

  for (Fault fault : {Fault::WriteNew, Fault::Rename, Fault::RenameList}) {
    SCOPED_TRACE(static_cast<int>(fault));
    prompter_.Clear();
    const auto ops = FaultyOps(fault, dir_ / "user");
    QueueExport(kBankA, Answer::Yes);
    EXPECT_TRUE(ExportArrangementBank(ws_, prompter_, slot_, kBankC, *ops));
    ASSERT_EQ(prompter_.messages().size(), 3u);
    EXPECT_EQ(prompter_.messages()[2].text, rewriteError);
    EXPECT_EQ(prompter_.messages()[2].title, "Error");
    EXPECT_EQ(prompter_.messages()[2].icon, MessageIcon::Critical);
    EXPECT_EQ(test::ReadTextFile(UserList()), own);
    EXPECT_EQ(ws_.presets, before);
    if (fault == Fault::RenameList) {
      EXPECT_EQ(test::ReadTextFile(UserBackup()), own);  // it can be restored
    }
    for (const std::string& f : test::FileNamesIn(dir_ / "user"))  // no temporary file left
      EXPECT_TRUE(f == kPresetListFileName || f == kPresetListBackupName) << f;
  }
  EXPECT_EQ(test::ReadTextFile(ShippedList()), shippedText_);

  // A list whose bank cannot be found is not rewritten.
  std::string noMarker = own;
  const std::string marker = "\r\n/ Arr A11-A18\r\n";  // not the mention in the header
  noMarker.replace(noMarker.find(marker), marker.size(), "\r\n/ Arr bank A\r\n");
  test::WriteTextFile(UserList(), noMarker);
  prompter_.Clear();
  QueueExport(kBankA, Answer::Yes);
  EXPECT_TRUE(ExportArrangementBank(ws_, prompter_, slot_, kBankC));
  ASSERT_EQ(prompter_.messages().size(), 3u) << ::testing::PrintToString(prompter_.texts());
  EXPECT_EQ(prompter_.messages()[2].text, rewriteError);
  EXPECT_EQ(test::ReadTextFile(UserList()), noMarker);

  // Nor one whose entry stands on two lines: dropping one line would shift every name.
  std::string split = own;
  const std::string first = "\"Arr A11         \",0,0\r\n";
  split.replace(split.find(first), first.size(), "\"Arr A11         \"\r\n0,0\r\n");
  ASSERT_TRUE(std::holds_alternative<PresetTables>(ParsePresetList(split)));
  test::WriteTextFile(UserList(), split);
  prompter_.Clear();
  QueueExport(kBankA, Answer::Yes);
  EXPECT_TRUE(ExportArrangementBank(ws_, prompter_, slot_, kBankC));
  ASSERT_EQ(prompter_.messages().size(), 3u);
  EXPECT_EQ(prompter_.messages()[2].text, rewriteError);
  EXPECT_EQ(test::ReadTextFile(UserList()), split);
  EXPECT_EQ(ws_.presets, before);
}

TEST_F(PresetExportTest, AListThatDoesNotReadBackIsPutBack) {
  const std::string rewriteError =
      "Error saving Preset names to file I40PRSTS.TXT\nThis file must be restored from "
      "I40PRSTS.BAK";
  const PresetTables before = ws_.presets;

  // The shipped list was in force: the per-user copy goes again.
  {
    const auto ops = FaultyOps(Fault::ReadBackOnce, dir_ / "user");
    QueueExport(kBankB, Answer::Yes);
    EXPECT_TRUE(ExportArrangementBank(ws_, prompter_, slot_, kBankC, *ops));
    ASSERT_EQ(prompter_.messages().size(), 3u);
    EXPECT_EQ(prompter_.messages()[2].text, rewriteError);
    EXPECT_FALSE(fs::exists(UserList()));
    EXPECT_EQ(test::ReadTextFile(UserBackup()), shippedText_);
    EXPECT_EQ(ws_.presets, before);
  }

  // A per-user list was in force: its old text is written back.
  const std::string own = shippedText_ + "/ mine\r\n";
  test::WriteTextFile(UserList(), own);
  {
    prompter_.Clear();
    const auto ops = FaultyOps(Fault::ReadBackOnce, dir_ / "user");
    QueueExport(kBankB, Answer::Yes);
    EXPECT_TRUE(ExportArrangementBank(ws_, prompter_, slot_, kBankC, *ops));
    ASSERT_EQ(prompter_.messages().size(), 3u);
    EXPECT_EQ(prompter_.messages()[2].text, rewriteError);
    EXPECT_EQ(test::ReadTextFile(UserList()), own);
    EXPECT_EQ(ws_.presets, before);
  }

  // Nothing can be read any more: the program must end.
  {
    prompter_.Clear();
    const auto ops = FaultyOps(Fault::ReadBackAlways, dir_ / "user");
    QueueExport(kBankB, Answer::Yes);
    EXPECT_FALSE(ExportArrangementBank(ws_, prompter_, slot_, kBankC, *ops));
    ASSERT_EQ(prompter_.messages().size(), 4u);
    EXPECT_EQ(prompter_.messages()[2].text, rewriteError);
    EXPECT_EQ(prompter_.messages()[3].text, PresetListErrorText());
    EXPECT_EQ(prompter_.messages()[3].icon, MessageIcon::Critical);
  }
}

TEST_F(PresetExportTest, UpdateCallsOutsideTheExportsChangeNothing) {
  // Source banks that no export writes, destinations out of range.
  EXPECT_EQ(UpdatePresetList(ws_, prompter_, slot_, Kind::Arrangement, kBankA, 0),
            PresetListUpdate::NotUpdated);
  EXPECT_EQ(UpdatePresetList(ws_, prompter_, slot_, Kind::Arrangement, kBankC, 2),
            PresetListUpdate::NotUpdated);
  EXPECT_EQ(UpdatePresetList(ws_, prompter_, slot_, Kind::Program, kBankF, 5),
            PresetListUpdate::NotUpdated);
  EXPECT_EQ(UpdatePresetList(ws_, prompter_, slot_, Kind::Program, kBankR, 7),
            PresetListUpdate::NotUpdated);
  EXPECT_EQ(UpdatePresetList(ws_, prompter_, slot_, Kind::Style, kBankC, 0),
            PresetListUpdate::NotUpdated);
  EXPECT_TRUE(prompter_.messages().empty());
  ExpectShippedListUntouched();

  EXPECT_EQ(UpdatePresetList(ws_, prompter_, slot_, Kind::Program, kBankR, 0),
            PresetListUpdate::Updated);
  EXPECT_EQ(ws_.presets.drumKits[0].name, "Exp Kit One     ");
}

}  // namespace
}  // namespace i40
