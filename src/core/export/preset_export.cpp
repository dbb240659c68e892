#include "export/preset_export.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "export/preset_list_rewrite.h"
#include "format/set_paths.h"
#include "format/vocabulary.h"
#include "host/error_reports.h"
#include "presets/preset_banks.h"
#include "presets/preset_list.h"

namespace fs = std::filesystem;

#include "util/text.h"

namespace i40 {
namespace {

constexpr std::size_t kUserDrumKitPairLabel = 7;  // "R27-R28" in kDrumKitPairName

constexpr std::size_t kPresetArrangementBankSize = 10496;
constexpr std::size_t kPresetProgramBankSize = 11008;
constexpr std::size_t kPresetDrumKitPairSize = 344;
constexpr std::size_t kPresetDrumKitDataSize = 1760;

// A preset data file fits on the instrument's floppy disk; anything far larger is not one,
// and is not read into memory.
constexpr std::uintmax_t kMaxPresetFileSize = 16u * 1024u * 1024u;

// What one export command shows and writes.
struct ExportPlan {
  Kind kind;  // the kind named in the texts
  PresetSource source;
  BankNo sourceBank;
  std::string sourceLabel;
  std::string caption;
  std::vector<std::string> destinations;
  std::string fileTitle;
  bool questionBreaksLine;
};

// Bytes that go to one place of the preset data file.
struct Region {
  std::size_t offset;
  std::vector<std::uint8_t> bytes;
};

template <typename Record>
void AppendRecords(std::vector<std::uint8_t>& out, std::span<const Record> records) {
  for (const Record& r : records)
    out.insert(out.end(), r.bytes.begin(), r.bytes.end());
}

std::vector<Region> RegionsFor(const FileSet& set, PresetSource source, int destination) {
  const auto d = static_cast<std::size_t>(destination);
  std::vector<Region> regions;
  switch (source) {
    case PresetSource::Arrangements: {
      Region r{kPresetArrangementBankOffset + d * kPresetArrangementBankSize, {}};
      AppendRecords(r.bytes, std::span<const ArrangementRecord>(set.arrangements.records));
      regions.push_back(std::move(r));
      break;
    }
    case PresetSource::Programs: {
      Region r{kPresetProgramBankOffset + d * kPresetProgramBankSize, {}};
      AppendRecords(r.bytes, UserPrograms(set));
      regions.push_back(std::move(r));
      break;
    }
    case PresetSource::DrumKits: {
      Region kits{kPresetDrumKitPairOffset + d * kPresetDrumKitPairSize, {}};
      AppendRecords(kits.bytes, UserDrumKits(set));
      Region data{kPresetDrumKitDataOffset + d * kPresetDrumKitDataSize, {}};
      for (const DrumKitData& block : set.programs.drumKitData)
        data.bytes.insert(data.bytes.end(), block.begin(), block.end());
      regions.push_back(std::move(kits));
      regions.push_back(std::move(data));
      break;
    }
  }
  return regions;
}

// The preset file belongs to the instrument: only the regions change, and the file is
// replaced in one step so that a failure leaves it exactly as it was. A file too short
// to hold every region is not one we understand and is refused untouched.
bool WriteRegions(FileOps& ops, const fs::path& file, const std::vector<Region>& regions) {
  if (!ops.Exists(file)) return false;
  const std::optional<std::uintmax_t> size = ops.SizeOf(file);
  if (size && *size > kMaxPresetFileSize) return false;
  std::optional<std::vector<std::uint8_t>> bytes = ops.ReadAll(file);
  if (!bytes) return false;
  for (const Region& r : regions) {
    if (r.offset > bytes->size() || r.bytes.size() > bytes->size() - r.offset) return false;
  }
  for (const Region& r : regions) {
    std::copy(r.bytes.begin(), r.bytes.end(),
              bytes->begin() + static_cast<std::ptrdiff_t>(r.offset));
  }
  return !ReplaceFileAtomically(ops, file, *bytes);
}

bool ChooseToExport(Workspace& ws, Prompter& prompter, SetSlot slot, const ExportPlan& plan,
                    FileOps& ops) {
  const SetEntry& entry = ws.sets.Entry(slot);
  const int destination =
      prompter.ChooseFromList({plan.caption, "Preset Bank", plan.destinations, 0});
  if (destination < 0 || destination >= static_cast<int>(plan.destinations.size())) return true;

  FileRequest request;
  request.title = plan.fileTitle;
  request.initialDir = entry.Dir;
  request.filters = {{"Preset Data (*.PRE)", "*.PRE"}};
  request.defaultExt = ".PRE";
  const std::optional<fs::path> file = prompter.ChooseSaveFile(request);
  if (!file) return true;

  const std::string fileName = PathText(*file);
  const std::string question =
      "Export Bank " + plan.sourceLabel + " of " + entry.Name +
      (plan.questionBreaksLine ? std::string(kLineBreak) : " ") + "to Bank " +
      plan.destinations[static_cast<std::size_t>(destination)] + " of " + fileName + "?";
  if (prompter.Ask({question, "Export Bank to Preset File", MessageIcon::Question,
                    MessageButtons::YesNo, Answer::No}) != Answer::Yes) {
    return true;
  }

  const std::string kindName(KindName(plan.kind));
  if (!WriteRegions(ops, *file, RegionsFor(ws.sets.Files(slot), plan.source, destination))) {
    prompter.ShowError("Error saving Preset " + kindName + " to" + std::string(kLineBreak) +
                       fileName);
    return true;
  }
  prompter.ShowOutcome("Bank " + plan.sourceLabel + " of " + entry.Name + " exported to Bank " +
                       plan.destinations[static_cast<std::size_t>(destination)] + " of " +
                       fileName);

  if (prompter.Ask({"Update the Preset " + kindName + " list accordingly?", "",
                    MessageIcon::Question, MessageButtons::YesNo, Answer::No}) != Answer::Yes) {
    return true;
  }
  return UpdatePresetList(ws, prompter, slot, plan.kind, plan.sourceBank, destination, ops) !=
         PresetListUpdate::MustEnd;
}

}  // namespace

bool CanExportBank(Kind kind, BankNo shownBank) {
  if (kind == Kind::Arrangement) return shownBank == kArrangementUserBank;
  if (kind == Kind::Program)
    return shownBank == kProgramUserBank || shownBank == kProgramDrumKitBank;
  return false;
}

bool ExportArrangementBank(Workspace& ws, Prompter& prompter, SetSlot slot, BankNo shownBank,
                           FileOps& ops) {
  if (!ws.sets.InUse(slot) || !CanExportBank(Kind::Arrangement, shownBank)) return true;
  ExportPlan plan{Kind::Arrangement,
                  PresetSource::Arrangements,
                  shownBank,
                  std::string(BankLetter(Kind::Arrangement, shownBank)),
                  "Select Destination Arrangement Bank",
                  {},
                  "Export Bank " + std::string(KindName(Kind::Arrangement)) + " to Preset File...",
                  false};
  for (int b = 0; b < kPresetArrangementBanks; ++b)
    plan.destinations.emplace_back(BankLetter(Kind::Arrangement, BankNo{b}));
  return ChooseToExport(ws, prompter, slot, plan, ops);
}

bool ExportProgramBank(Workspace& ws, Prompter& prompter, SetSlot slot, BankNo shownBank,
                       FileOps& ops) {
  if (!ws.sets.InUse(slot) || !CanExportBank(Kind::Program, shownBank)) return true;
  const bool drumKits = shownBank == kProgramDrumKitBank;
  ExportPlan plan{Kind::Program,
                  drumKits ? PresetSource::DrumKits : PresetSource::Programs,
                  shownBank,
                  drumKits ? std::string(kDrumKitPairName[kUserDrumKitPairLabel])
                           : std::string(BankLetter(Kind::Program, shownBank)),
                  "Select Destination Program Bank",
                  {},
                  {},
                  true};
  plan.fileTitle = "Export Bank " + plan.sourceLabel + " to Preset File...";
  if (drumKits) {
    for (int p = 0; p < kPresetDrumKitPairs; ++p)
      plan.destinations.emplace_back(kDrumKitPairName[static_cast<std::size_t>(p)]);
  } else {
    for (int b = 0; b < kPresetProgramBanks; ++b)
      plan.destinations.emplace_back(BankLetter(Kind::Program, BankNo{b}));
  }
  return ChooseToExport(ws, prompter, slot, plan, ops);
}

}  // namespace i40
