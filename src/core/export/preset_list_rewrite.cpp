#include "export/preset_list_rewrite.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "format/vocabulary.h"
#include "host/error_reports.h"
#include "presets/preset_banks.h"
#include "presets/preset_list.h"
#include "util/bytes.h"
#include "util/text.h"

namespace fs = std::filesystem;

namespace i40 {
namespace {

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
  PresetSource source = PresetSource::Arrangements;
  int destination = 0;
  std::string marker;
  std::vector<PresetEntry> entries;
};

std::optional<ListTarget> MakeListTarget(const FileSet& set, Kind kind, BankNo sourceBank,
                                         int destination) {
  ListTarget target;
  target.destination = destination;
  if (kind == Kind::Arrangement && sourceBank == kArrangementUserBank && destination >= 0 &&
      destination < kPresetArrangementBanks) {
    const std::string l(BankLetter(Kind::Arrangement, BankNo{destination}));
    target.source = PresetSource::Arrangements;
    target.marker = "/ Arr " + l + "11-" + l + "18";
    for (const ArrangementRecord& r : set.arrangements.records) {
      target.entries.push_back(
          {ListName(r.Name()), r.Category(), static_cast<std::int16_t>(r.Style())});
    }
    return target;
  }
  if (kind != Kind::Program) return std::nullopt;
  if (sourceBank == kProgramUserBank && destination >= 0 && destination < kPresetProgramBanks) {
    const std::string l(BankLetter(Kind::Program, BankNo{destination}));
    target.source = PresetSource::Programs;
    target.marker = "/ Prg " + l + "11-" + l + "18";
    for (const ProgramRecord& r : UserPrograms(set))
      target.entries.push_back({ListName(r.Name()), r.Category(), 0});
    return target;
  }
  if (sourceBank == kProgramDrumKitBank && destination >= 0 && destination < kPresetDrumKitPairs) {
    target.source = PresetSource::DrumKits;
    target.marker = "/ Prg " + std::string(kDrumKitPairName[static_cast<std::size_t>(destination)]);
    for (const ProgramRecord& r : UserDrumKits(set))
      target.entries.push_back({ListName(r.Name()), r.Category(), 0});
    return target;
  }
  return std::nullopt;
}

std::span<PresetEntry> TableRange(PresetTables& tables, PresetSource source, int destination) {
  const auto d = static_cast<std::size_t>(destination);
  switch (source) {
    case PresetSource::Arrangements:
      return std::span(tables.arrangements).subspan(d * 64, 64);
    case PresetSource::Programs:
      if (d < 2) return std::span(tables.programsAB).subspan(d * 64, 64);
      if (d < 4) return std::span(tables.programsCD).subspan((d - 2) * 64, 64);
      return std::span(tables.programsE);
    case PresetSource::DrumKits:
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
  const bool withStyle = target.source == PresetSource::Arrangements;
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
  if (!ops.CreateDirectories(ws.data.userDir)) return false;
  if (ReplaceFileAtomically(ops, ws.data.Writable(kPresetListBackupName), previous)) return false;
  const std::string_view old(reinterpret_cast<const char*>(previous.data()), previous.size());
  const std::optional<std::string> text = RewrittenList(old, target);
  if (!text) return false;
  const std::span<const std::uint8_t> bytes = AsBytes(*text);
  return !ReplaceFileAtomically(ops, ws.data.Writable(kPresetListFileName), bytes);
}

}  // namespace

PresetListUpdate UpdatePresetList(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind,
                                  BankNo sourceBank, int destination, FileOps& ops) {
  if (!ws.sets.InUse(slot)) return PresetListUpdate::NotUpdated;
  const std::optional<ListTarget> target =
      MakeListTarget(ws.sets.Files(slot), kind, sourceBank, destination);
  if (!target) return PresetListUpdate::NotUpdated;

  const fs::path listFile = ws.data.Writable(kPresetListFileName);
  const std::optional<fs::path> inForce = ws.data.Find(kPresetListFileName, ops);
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
  const std::optional<fs::path> restored = ws.data.Find(kPresetListFileName, ops);
  auto tables = restored ? ReadList(ops, *restored) : std::nullopt;
  if (!tables) {
    prompter.ShowError(PresetListErrorText());
    return PresetListUpdate::MustEnd;
  }
  ws.presets = std::move(*tables);
  return PresetListUpdate::NotUpdated;
}

}  // namespace i40
