#include "presets/preset_list.h"

#include <charconv>
#include <iterator>
#include <limits>
#include <span>
#include <system_error>
#include <vector>

#include "host/error_reports.h"
#include "util/ascii.h"
#include "util/bytes.h"
#include "util/text.h"

namespace i40 {
namespace {

// Far above any real preset list (a few tens of kilobytes).

struct Field {
  std::string_view text;  // the value, without quotes and surrounding blanks
  bool quoted = false;
  int line = 0;  // 1-based
  bool endsLine = false;
};

// Splits the text into lines and hands out comma-separated fields one at a time, the
// way the instrument's tools write them: quoted text may hold commas; an empty line is
// one empty field.
class FieldReader {
 public:
  FieldReader(std::string_view text) {
    while (!text.empty()) {
      const std::size_t end = text.find('\n');
      std::string_view line = text.substr(0, end);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      lines_.push_back(line);
      if (end == std::string_view::npos) break;
      text.remove_prefix(end + 1);
    }
  }

  // Moves past the first line containing the marker; false when there is none.
  bool SkipPastMarker() {
    for (; line_ < lines_.size(); ++line_) {
      if (ContainsIgnoringAsciiCase(lines_[line_], kPresetListMarker)) {
        ++line_;
        pos_ = 0;
        return true;
      }
    }
    return false;
  }

  std::optional<Field> Next() {
    if (line_ >= lines_.size()) return std::nullopt;
    const std::string_view line = lines_[line_];
    Field field;
    field.line = static_cast<int>(line_) + 1;

    std::size_t p = pos_;
    while (p < line.size() && (line[p] == ' ' || line[p] == '\t'))
      ++p;
    std::size_t next;  // where the following field starts, npos for the end of the line
    if (p < line.size() && line[p] == '"') {
      const std::size_t close = line.find('"', p + 1);
      const std::size_t valueEnd = close == std::string_view::npos ? line.size() : close;
      field.text = line.substr(p + 1, valueEnd - p - 1);
      field.quoted = true;
      next = line.find(',', valueEnd);
    } else {
      next = line.find(',', p);
      field.text =
          TrimBlanks(line.substr(p, next == std::string_view::npos ? line.npos : next - p));
    }
    if (next == std::string_view::npos) {
      field.endsLine = true;
      SkipLine();
    } else {
      pos_ = next + 1;
    }
    return field;
  }

  void SkipLine() {
    ++line_;
    pos_ = 0;
  }

  int LineNumber() const { return static_cast<int>(line_) + 1; }

 private:
  std::vector<std::string_view> lines_;
  std::size_t line_ = 0;
  std::size_t pos_ = 0;
};

template <typename Int>
bool ParseInteger(std::string_view text, Int& out) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  long long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return false;
  if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max()) {
    return false;
  }
  out = static_cast<Int>(value);
  return true;
}

class PresetParser {
 public:
  explicit PresetParser(std::string_view text) : reader_(text) {}

  std::variant<PresetTables, PresetListError> Run() {
    if (!reader_.SkipPastMarker())
      return PresetListError{PresetListProblem::NoMarkerLine, 0, 0, {}};
    PresetTables tables;
    if (!ReadTable(tables.arrangements, true) || !ReadTable(tables.styles, false) ||
        !ReadTable(tables.programsAB, false) || !ReadTable(tables.programsCD, false) ||
        !ReadTable(tables.programsE, false) || !ReadTable(tables.drumKits, false)) {
      return error_;
    }
    return tables;
  }

 private:
  template <std::size_t N>
  bool ReadTable(std::array<PresetEntry, N>& table, bool withStyle) {
    for (PresetEntry& entry : table) {
      ++entry_;
      if (!ReadEntry(entry, withStyle)) return false;
    }
    return true;
  }

  bool ReadEntry(PresetEntry& entry, bool withStyle) {
    std::optional<Field> name;
    while ((name = reader_.Next())) {
      if (name->text.empty()) continue;
      if (name->text.front() == '/') {
        if (!name->endsLine) reader_.SkipLine();
        continue;
      }
      break;
    }
    if (!name) return Fail(PresetListProblem::EndedEarly, {});
    entry.name = PadText(name->text, 16);
    if (!ReadNumber(entry.category)) return false;
    if (withStyle && !ReadNumber(entry.style)) return false;
    return true;
  }

  template <typename Int>
  bool ReadNumber(Int& out) {
    const std::optional<Field> field = reader_.Next();
    if (!field) return Fail(PresetListProblem::EndedEarly, {});
    if (!ParseInteger(field->text, out)) {
      return Fail(PresetListProblem::NotANumber, std::string(field->text), field->line);
    }
    return true;
  }

  bool Fail(PresetListProblem problem, std::string field, int line = 0) {
    error_ = PresetListError{problem, line ? line : reader_.LineNumber(), entry_, std::move(field)};
    return false;
  }

  FieldReader reader_;
  int entry_ = 0;
  PresetListError error_{PresetListProblem::Unreadable, 0, 0, {}};
};

}  // namespace

std::string PresetListError::Describe() const {
  switch (problem) {
    case PresetListProblem::Unreadable:
      return "the file cannot be read";
    case PresetListProblem::NoMarkerLine:
      return "no line contains \"Korg-i40\"";
    case PresetListProblem::EndedEarly:
      return "the file ends before entry " + std::to_string(entry);
    case PresetListProblem::NotANumber:
      return "line " + std::to_string(line) + ", entry " + std::to_string(entry) + ": \"" + field +
             "\" is not a number";
  }
  return {};
}

std::variant<PresetTables, PresetListError> ParsePresetList(std::string_view text) {
  return PresetParser(text).Run();
}

std::variant<PresetTables, PresetListError> ReadPresetList(const std::filesystem::path& file,
                                                           FileOps& ops) {
  const PresetListError unreadable{PresetListProblem::Unreadable, 0, 0, {}};
  const std::optional<std::uintmax_t> size = ops.SizeOf(file);
  if (!size || *size > kMaxPresetListSize) return unreadable;
  const auto bytes = ops.ReadPrefix(file, static_cast<std::size_t>(*size));
  if (!bytes) return unreadable;
  return ParsePresetList(
      std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

std::string PresetListErrorText() {
  std::string text = "Error getting Preset names from file ";
  text += kPresetListName;
  text += ".TXT";
  text += kLineBreak;
  text += "Ending program!";
  return text;
}

std::optional<PresetTables> LoadPresetLists(const std::filesystem::path& file, Prompter& prompter) {
  auto result = ReadPresetList(file);
  if (std::holds_alternative<PresetListError>(result)) {
    prompter.ShowError(PresetListErrorText());
    return std::nullopt;
  }
  return std::get<PresetTables>(std::move(result));
}

}  // namespace i40
