#include "setstore/preset_export.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <variant>
#include <vector>

#include "setstore/preset_list.h"
#include "setstore/set_paths.h"
#include "setstore/vocabulary.h"
#include "ui/error_reports.h"

namespace fs = std::filesystem;

#include "util/text.h"

namespace i40 {
namespace {

constexpr int kArrangementUserBank = 2;  // C
constexpr int kProgramUserBank = 5;      // F
constexpr int kProgramDrumKitBank = 6;   // R
constexpr int kPresetArrangementBanks = 2;
constexpr int kPresetProgramBanks = 5;
constexpr int kPresetDrumKitPairs = 7;
constexpr std::size_t kUserDrumKitPairLabel = 7;  // "R27-R28" in kDrumKitPairName

constexpr std::size_t kPresetArrangementBankSize = 10496;
constexpr std::size_t kPresetProgramBankSize = 11008;
constexpr std::size_t kPresetDrumKitPairSize = 344;
constexpr std::size_t kPresetDrumKitDataSize = 1760;

// A preset data file fits on the instrument's floppy disk; anything far larger is not one,
// and is not read into memory.
constexpr std::uintmax_t kMaxPresetFileSize = 16u * 1024u * 1024u;
constexpr std::size_t kMaxPresetListSize = 4u * 1024u * 1024u;

enum class Source { Arrangements, Programs, DrumKits };

// What one export command shows and writes.
struct ExportPlan {
  Kind kind;  // the kind named in the texts
  Source source;
  int sourceBank;
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

std::span<const ProgramRecord> UserPrograms(const FileSet& set) {
  return std::span(set.programs.records).first(static_cast<std::size_t>(kUserProgramCount));
}

std::span<const ProgramRecord> UserDrumKits(const FileSet& set) {
  return std::span(set.programs.records)
      .subspan(static_cast<std::size_t>(kUserProgramCount),
               static_cast<std::size_t>(kUserDrumKitCount));
}

template <typename Record>
void AppendRecords(std::vector<std::uint8_t>& out, std::span<const Record> records) {
  for (const Record& r : records)
    out.insert(out.end(), r.bytes.begin(), r.bytes.end());
}

std::vector<Region> RegionsFor(const FileSet& set, Source source, int destination) {
  const auto d = static_cast<std::size_t>(destination);
  std::vector<Region> regions;
  switch (source) {
    case Source::Arrangements: {
      Region r{kPresetArrangementBankOffset + d * kPresetArrangementBankSize, {}};
      AppendRecords(r.bytes, std::span<const ArrangementRecord>(set.arrangements.records));
      regions.push_back(std::move(r));
      break;
    }
    case Source::Programs: {
      Region r{kPresetProgramBankOffset + d * kPresetProgramBankSize, {}};
      AppendRecords(r.bytes, UserPrograms(set));
      regions.push_back(std::move(r));
      break;
    }
    case Source::DrumKits: {
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
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(file, ec);
  if (!ec && size > kMaxPresetFileSize) return false;
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

// ---- Preset list rewrite ----------------------------------------------------------------

// A line that holds no entry: blank, only empty fields, or a comment.
bool IsCommentLine(std::string_view line) {
  const std::string_view t = TrimBlanks(line);
  if (!t.empty() && t.front() == '/') return true;
  return t.find_first_not_of(" \t,") == std::string_view::npos;
}

struct Line {
  std::string_view text;
  std::string_view eol;  // kept as found, so a CRLF list stays CRLF
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      lines.push_back({text, {}});
      break;
    }
    const std::size_t contentEnd = end > 0 && text[end - 1] == '\r' ? end - 1 : end;
    lines.push_back({text.substr(0, contentEnd), text.substr(contentEnd, end + 1 - contentEnd)});
    text.remove_prefix(end + 1);
  }
  return lines;
}

// The list has no escapes: a double quote would end the name early and a control
// character would break the line, so those become a quote mark and a blank.
std::string ListName(const std::string& name) {
  std::string out = PadText(name, kNameWidth);
  for (char& c : out) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) {
      c = ' ';
    } else if (c == '"') {
      c = '\'';
    }
  }
  return out;
}

std::string EntryLine(const PresetEntry& entry, bool withStyle) {
  std::string line = "\"" + entry.name + "\"," + std::to_string(static_cast<int>(entry.category));
  if (withStyle) line += "," + std::to_string(static_cast<int>(entry.style));
  return line;
}

// The new names and where they go, in the list and in the tables.
struct ListTarget {
  Source source = Source::Arrangements;
  int destination = 0;
  std::string marker;
  std::vector<PresetEntry> entries;
};

std::optional<ListTarget> MakeListTarget(const FileSet& set, Kind kind, int sourceBank,
                                         int destination) {
  ListTarget target;
  target.destination = destination;
  if (kind == Kind::Arrangement && sourceBank == kArrangementUserBank && destination >= 0 &&
      destination < kPresetArrangementBanks) {
    const std::string l(BankLetter(Kind::Arrangement, destination));
    target.source = Source::Arrangements;
    target.marker = "/ Arr " + l + "11-" + l + "18";
    for (const ArrangementRecord& r : set.arrangements.records) {
      target.entries.push_back(
          {ListName(r.Name()), r.Category(), static_cast<std::int16_t>(r.Style())});
    }
    return target;
  }
  if (kind != Kind::Program) return std::nullopt;
  if (sourceBank == kProgramUserBank && destination >= 0 && destination < kPresetProgramBanks) {
    const std::string l(BankLetter(Kind::Program, destination));
    target.source = Source::Programs;
    target.marker = "/ Prg " + l + "11-" + l + "18";
    for (const ProgramRecord& r : UserPrograms(set))
      target.entries.push_back({ListName(r.Name()), r.Category(), 0});
    return target;
  }
  if (sourceBank == kProgramDrumKitBank && destination >= 0 && destination < kPresetDrumKitPairs) {
    target.source = Source::DrumKits;
    target.marker = "/ Prg " + std::string(kDrumKitPairName[static_cast<std::size_t>(destination)]);
    for (const ProgramRecord& r : UserDrumKits(set))
      target.entries.push_back({ListName(r.Name()), r.Category(), 0});
    return target;
  }
  return std::nullopt;
}

std::span<PresetEntry> TableRange(PresetTables& tables, Source source, int destination) {
  const auto d = static_cast<std::size_t>(destination);
  switch (source) {
    case Source::Arrangements:
      return std::span(tables.arrangements).subspan(d * 64, 64);
    case Source::Programs:
      if (d < 2) return std::span(tables.programsAB).subspan(d * 64, 64);
      if (d < 4) return std::span(tables.programsCD).subspan((d - 2) * 64, 64);
      return std::span(tables.programsE);
    case Source::DrumKits:
      return std::span(tables.drumKits).subspan(d * 2, 2);
  }
  return {};
}

// The list with the destination's entries replaced, every other line as it was. The
// result must read back as the old tables with exactly the new entries in place: a
// missing marker, an entry spread over several lines or a name the reader would take
// for a comment gives nothing rather than a list that names the wrong items.
std::optional<std::string> RewrittenList(std::string_view old, const ListTarget& target) {
  auto parsed = ParsePresetList(old);
  if (!std::holds_alternative<PresetTables>(parsed)) return std::nullopt;
  PresetTables expected = std::get<PresetTables>(std::move(parsed));
  const std::span<PresetEntry> range = TableRange(expected, target.source, target.destination);
  if (range.size() != target.entries.size()) return std::nullopt;
  std::copy(target.entries.begin(), target.entries.end(), range.begin());

  const std::vector<Line> lines = SplitLines(old);
  std::string out;
  out.reserve(old.size() + 256);
  const auto copyLine = [&](const Line& line) {
    out += line.text;
    out += line.eol;
  };
  std::size_t i = 0;
  for (; i < lines.size(); ++i) {
    copyLine(lines[i]);
    if (TrimBlanks(lines[i].text) == target.marker) break;
  }
  if (i == lines.size()) return std::nullopt;
  ++i;
  const bool withStyle = target.source == Source::Arrangements;
  for (const PresetEntry& entry : target.entries) {
    while (i < lines.size() && IsCommentLine(lines[i].text))
      copyLine(lines[i++]);
    if (i == lines.size()) return std::nullopt;
    out += EntryLine(entry, withStyle);
    out += lines[i].eol;
    ++i;
  }
  for (; i < lines.size(); ++i)
    copyLine(lines[i]);

  const auto check = ParsePresetList(out);
  const auto* tables = std::get_if<PresetTables>(&check);
  if (tables == nullptr || *tables != expected) return std::nullopt;
  return out;
}

std::optional<PresetTables> ReadList(FileOps& ops, const fs::path& file) {
  const auto bytes = ops.ReadAll(file);
  if (!bytes || bytes->size() > kMaxPresetListSize) return std::nullopt;
  const std::string text(bytes->begin(), bytes->end());
  auto parsed = ParsePresetList(text);
  if (!std::holds_alternative<PresetTables>(parsed)) return std::nullopt;
  return std::get<PresetTables>(std::move(parsed));
}

std::string RewriteErrorText() {
  std::string text = "Error saving Preset names to file ";
  text += kPresetListName;
  text += ".TXT";
  text += kLineBreak;
  text += "This file must be restored from ";
  text += kPresetListName;
  text += ".BAK";
  return text;
}

// Keeps the list in force as the backup and writes the new list beside it, both in the
// per-user folder. False when anything failed before the new list replaced the old one:
// the list in force is then untouched.
bool WriteNewList(const Workspace& ws, std::span<const std::uint8_t> previous,
                  const ListTarget& target, FileOps& ops) {
  if (ws.data.userDir.empty()) return false;  // nowhere of our own to write
  std::error_code ec;
  fs::create_directories(ws.data.userDir, ec);
  if (ec) return false;
  if (ReplaceFileAtomically(ops, ws.data.Writable(kPresetListBackupName), previous)) return false;
  const std::string_view old(reinterpret_cast<const char*>(previous.data()), previous.size());
  const std::optional<std::string> text = RewrittenList(old, target);
  if (!text) return false;
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text->data()),
                                            text->size());
  return !ReplaceFileAtomically(ops, ws.data.Writable(kPresetListFileName), bytes);
}

bool ChooseToExport(Workspace& ws, Prompter& prompter, int slot, const ExportPlan& plan,
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

  if (prompter.Ask({"Update the Preset " + kindName + " list accordingly?", "",
                    MessageIcon::Question, MessageButtons::YesNo, Answer::No}) != Answer::Yes) {
    return true;
  }
  return UpdatePresetList(ws, prompter, slot, plan.kind, plan.sourceBank, destination, ops) !=
         PresetListUpdate::MustEnd;
}

}  // namespace

bool CanExportBank(Kind kind, int shownBank) {
  if (kind == Kind::Arrangement) return shownBank == kArrangementUserBank;
  if (kind == Kind::Program)
    return shownBank == kProgramUserBank || shownBank == kProgramDrumKitBank;
  return false;
}

bool ExportArrangementBank(Workspace& ws, Prompter& prompter, int slot, int shownBank,
                           FileOps& ops) {
  if (!ws.sets.InUse(slot) || !CanExportBank(Kind::Arrangement, shownBank)) return true;
  ExportPlan plan{Kind::Arrangement,
                  Source::Arrangements,
                  shownBank,
                  std::string(BankLetter(Kind::Arrangement, shownBank)),
                  "Select Destination Arrangement Bank",
                  {},
                  "Export Bank " + std::string(KindName(Kind::Arrangement)) + " to Preset File...",
                  false};
  for (int b = 0; b < kPresetArrangementBanks; ++b)
    plan.destinations.emplace_back(BankLetter(Kind::Arrangement, b));
  return ChooseToExport(ws, prompter, slot, plan, ops);
}

bool ExportProgramBank(Workspace& ws, Prompter& prompter, int slot, int shownBank, FileOps& ops) {
  if (!ws.sets.InUse(slot) || !CanExportBank(Kind::Program, shownBank)) return true;
  const bool drumKits = shownBank == kProgramDrumKitBank;
  ExportPlan plan{Kind::Program,
                  drumKits ? Source::DrumKits : Source::Programs,
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
      plan.destinations.emplace_back(BankLetter(Kind::Program, b));
  }
  return ChooseToExport(ws, prompter, slot, plan, ops);
}

PresetListUpdate UpdatePresetList(Workspace& ws, Prompter& prompter, int slot, Kind kind,
                                  int sourceBank, int destination, FileOps& ops) {
  if (!ws.sets.InUse(slot)) return PresetListUpdate::NotUpdated;
  const std::optional<ListTarget> target =
      MakeListTarget(ws.sets.Files(slot), kind, sourceBank, destination);
  if (!target) return PresetListUpdate::NotUpdated;

  const fs::path listFile = ws.data.Writable(kPresetListFileName);
  const std::optional<fs::path> inForce = ws.data.Find(kPresetListFileName);
  const bool hadOwnList = inForce && *inForce == listFile;
  std::optional<std::vector<std::uint8_t>> previous;
  if (inForce) previous = ops.ReadAll(*inForce);
  if (!previous || previous->size() > kMaxPresetListSize ||
      !WriteNewList(ws, *previous, *target, ops)) {
    prompter.ShowError(RewriteErrorText());
    return PresetListUpdate::NotUpdated;
  }
  if (auto tables = ReadList(ops, listFile)) {
    ws.presets = std::move(*tables);
    return PresetListUpdate::Updated;
  }

  // The new list does not read back: put the previous one in force again. Should even
  // that fail, the reading below finds no usable list and the program ends.
  if (hadOwnList) {
    ReplaceFileAtomically(ops, listFile, *previous);
  } else {
    ops.Remove(listFile);
  }
  prompter.ShowError(RewriteErrorText());
  const std::optional<fs::path> restored = ws.data.Find(kPresetListFileName);
  auto tables = restored ? ReadList(ops, *restored) : std::nullopt;
  if (!tables) {
    prompter.ShowError(PresetListErrorText());
    return PresetListUpdate::MustEnd;
  }
  ws.presets = std::move(*tables);
  return PresetListUpdate::NotUpdated;
}

}  // namespace i40
