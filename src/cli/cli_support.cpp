#include "cli/cli_support.h"

#include <charconv>

#include <array>
#include <system_error>

#include "format/blank_records.h"
#include "format/item_numbers.h"
#include "format/kind_table.h"
#include "format/positions.h"
#include "format/set_paths.h"
#include "kbdsets/kbdset_grid.h"
#include "presets/preset_list.h"
#include "session/load_component.h"
#include "util/ascii.h"

namespace fs = std::filesystem;

namespace i40::cli {

bool PrepareWorkspace(Workspace& ws, Prompter& prompter, const fs::path& dataDir,
                      const fs::path& program, std::ostream& err) {
  if (dataDir.empty()) {
    ws.data.userDir = DefaultUserDataDir();
    ws.data.shippedDirs = ShippedDataDirs(program);
  } else {
    ws.data.userDir.clear();
    ws.data.shippedDirs = {dataDir};
  }
  std::error_code ec;
  ws.settings.PathNam = fs::current_path(ec);
  ws.log.SetPath(ws.data.userDir.empty() ? fs::path() : ws.data.Writable(SessionLog::kFileName));

  const auto templateDir = ws.data.Find("I40EMPTY");
  if (!templateDir) {
    err << "i40set: no template Set I40EMPTY in the data folders\n";
    return false;
  }
  ws.templateSet = *templateDir / "I40EMPTY";
  const auto blanks = PrepareBlankRecords(ws.templateSet, prompter);
  if (!blanks) return false;
  ws.blanks = *blanks;

  const auto list = ws.data.Find(std::string(kPresetListFileName));
  const auto presets =
      LoadPresetLists(list.value_or(ws.data.Writable(std::string(kPresetListFileName))), prompter);
  if (!presets) return false;
  ws.presets = *presets;
  return true;
}

fs::path SetPathArgument(const fs::path& argument) {
  const std::string ext = PathText(argument.extension());
  for (Kind kind : kStoredKinds) {
    if (EqualsIgnoringAsciiCase(ext, KindExt(kind))) return SetPathFromComponent(argument);
  }
  if (EqualsIgnoringAsciiCase(ext, ".SNG")) return SetPathFromComponent(argument);
  return argument;
}

std::optional<Kind> ParseKindName(std::string_view name) {
  static constexpr std::array<std::string_view, 8> kNames = {
      "arrangement", "style", "program", "bsq", "song", "kbdset", "arrglobal", "global"};
  for (std::size_t k = 0; k < kNames.size(); ++k) {
    if (kNames[k] == name) return static_cast<Kind>(k);
  }
  return std::nullopt;
}

BankNo UserBankOf(Kind kind) {
  return BankNo{FactsOf(kind).userBank};
}

std::optional<long long> ParseNumber(std::string_view text, long long low, long long high,
                                     int base) {
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, base);
  if (text.empty() || error != std::errc() || stop != end || value < low || value > high)
    return std::nullopt;
  return value;
}

std::optional<Position> ParsePosition(Kind kind, std::string_view text) {
  switch (kind) {
    case Kind::Arrangement:
    case Kind::Style:
    case Kind::Program: {
      const auto at = ParseItemLabel(kind, text);
      if (!at) return std::nullopt;
      return Position{ItemUserIndexOf(kind, *at), at->bank};
    }
    case Kind::BackingSequence:
      if (text.size() == 1 && text[0] >= '0' && text[0] <= '9')
        return Position{ItemIndex{text[0] - '0'}, BankNo{0}};
      return std::nullopt;
    case Kind::KbdSet:
      for (const ItemIndex i : PositionsOf(Kind::KbdSet)) {
        if (EqualsIgnoringAsciiCase(KbdSetLabel(i), text)) return Position{i, BankNo{0}};
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace i40::cli
