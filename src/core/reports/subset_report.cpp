#include "reports/subset_report.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>

#include "format/call_table.h"
#include "format/kind_table.h"
#include "format/positions.h"
#include "format/set_paths.h"
#include "format/vocabulary.h"
#include "util/bytes.h"
#include "util/text.h"

namespace i40 {
namespace {

constexpr const char* kCrLf = "\r\n";
constexpr int kPresetArrangementCount = 128;

// Columns joined by tabs, rows closed by CRLF.
class Table {
 public:
  Table& Add(std::string_view column) {
    if (columns_ > 0) text_ += '\t';
    text_ += column;
    ++columns_;
    return *this;
  }
  void EndRow() {
    text_ += kCrLf;
    columns_ = 0;
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
  int columns_ = 0;
};

// Category bytes of 16 and more name no category: the cell stays empty.
std::string_view CategoryText(Kind kind, int category) {
  const auto names = FactsOf(kind).categories;
  if (category < 0 || static_cast<std::size_t>(category) >= names.size()) return {};
  return names[static_cast<std::size_t>(category)];
}

bool HasName(const std::string& name) {
  return !TrimSpaces(name).empty();
}

// An empty column over each track's Program label, the track name over its Program name.
void AddTrackHeaders(Table& table, int trackCount) {
  for (int t = 0; t < trackCount; ++t)
    table.Add("").Add(kStyleTrackName[static_cast<std::size_t>(t)]);
}

// The label, name (and category) of a called item.
void AddCalled(Table& table, const ItemSources& from, Kind kind, ItemNumber number) {
  table.Add(ItemNumberLabel(kind, number)).Add(ItemName(from, kind, number));
  if (kind == Kind::Style) table.Add(CategoryText(kind, ItemCategory(from, kind, number)));
}

// The columns of what a user item calls, in the order of its calls.
void AddCalls(Table& table, const ItemSources& from, Kind kind, ItemIndex index) {
  const auto record = RecordBytes(from.set, kind, index);
  for (const CallField& field : CallFieldsOf(kind)) {
    const ItemNumber number = ReadCall(record, field);
    AddCalled(table, from, field.called, number);
  }
}

std::string ArrangementsPage(const ItemSources& from, const std::string& setTitle,
                             bool withPresets) {
  Table table;
  table.Add("Set").Add("Arr").Add("Arr Name").Add("Arr Cat").Add("Sty").Add("Sty Name");
  table.Add("Sty Cat");
  AddTrackHeaders(table, kArrangementTrackCount);
  table.EndRow();
  if (withPresets) {
    for (int n = 0; n < kPresetArrangementCount; ++n) {
      const ItemNumber number{n};
      table.Add(setTitle)
          .Add(ItemNumberLabel(Kind::Arrangement, number))
          .Add(ItemName(from, Kind::Arrangement, number));
      table.Add(CategoryText(Kind::Arrangement, ItemCategory(from, Kind::Arrangement, number)));
      AddCalled(table, from, Kind::Style, PresetArrangementStyle(from.presets, number));
      table.EndRow();
    }
  }
  for (int i = 0; i < kUserArrangementCount; ++i) {
    const ArrangementRecord& r = from.set.arrangements.records[static_cast<std::size_t>(i)];
    table.Add(setTitle).Add(ItemUserLabel(Kind::Arrangement, ItemIndex{i}));
    if (HasName(r.Name())) {
      table.Add(r.Name()).Add(CategoryText(Kind::Arrangement, r.Category()));
      AddCalls(table, from, Kind::Arrangement, ItemIndex{i});
    }
    table.EndRow();
  }
  return table.Take();
}

std::string StylesPage(const ItemSources& from, const std::string& setTitle) {
  Table table;
  table.Add("Set").Add("Sty").Add("Sty Name").Add("Sty Cat");
  AddTrackHeaders(table, kStyleTrackCallCount);
  table.EndRow();
  for (int s = 0; s < kUserStyleCount; ++s) {
    const StyleRecord& r = from.set.styles.slots[static_cast<std::size_t>(s)].record;
    table.Add(setTitle).Add(ItemUserLabel(Kind::Style, ItemIndex{s}));
    if (HasName(r.Name())) {
      table.Add(r.Name()).Add(CategoryText(Kind::Style, r.Category()));
      AddCalls(table, from, Kind::Style, ItemIndex{s});
    }
    table.EndRow();
  }
  return table.Take();
}

std::string ProgramsPage(const ItemSources& from, const std::string& setTitle) {
  Table table;
  table.Add("Set").Add("Prg").Add("Prg Name").Add("Prg Cat");
  table.EndRow();
  for (int i = 0; i < kUserProgramSlots; ++i) {
    const ProgramRecord& r = from.set.programs.records[static_cast<std::size_t>(i)];
    table.Add(setTitle).Add(ItemUserLabel(Kind::Program, ItemIndex{i}));
    if (HasName(r.Name())) table.Add(r.Name()).Add(CategoryText(Kind::Program, r.Category()));
    table.EndRow();
  }
  return table.Take();
}

}  // namespace

bool HasSubsetReport(Kind page) {
  return page == Kind::Arrangement || page == Kind::Style || page == Kind::Program;
}

std::string SubsetReportText(const ItemSources& from, Kind page, const std::string& setTitle,
                             bool withPresetArrangements) {
  switch (page) {
    case Kind::Arrangement:
      return ArrangementsPage(from, setTitle, withPresetArrangements);
    case Kind::Style:
      return StylesPage(from, setTitle);
    case Kind::Program:
      return ProgramsPage(from, setTitle);
    default:
      return {};
  }
}

bool CreateSubsetReportFile(const Workspace& ws, Prompter& prompter, SetSlot slot, Kind page,
                            const std::string& setTitle, FileOps& ops) {
  if (!HasSubsetReport(page)) return false;
  const std::string ext = kSubsetReportExt;
  FileRequest request;
  request.title = "Save " + std::string(KindName(page)) + " Report to File...";
  request.initialDir = ws.sets.Entry(slot).Dir;
  request.initialName = "*.*";
  request.filters = {{"Excel (*" + ext + ")", "*" + ext}, {"All", "*.*"}};
  request.defaultExt = ext;
  const auto chosen = prompter.ChooseSaveFile(request);
  if (!chosen || chosen->empty()) return false;

  if (ops.Exists(*chosen)) {
    const Message overwrite{"Overwrite existing file?", "", MessageIcon::Question,
                            MessageButtons::YesNo, Answer::No};
    if (prompter.Ask(overwrite) != Answer::Yes) return false;
  }
  bool withPresets = false;
  if (page == Kind::Arrangement) {
    const Message presets{"Include Preset Arrangements?", "", MessageIcon::Question,
                          MessageButtons::YesNo, Answer::Yes};
    withPresets = prompter.Ask(presets) == Answer::Yes;
  }

  const std::string text =
      SubsetReportText(ItemSources{ws.presets, ws.sets.Files(slot)}, page, setTitle, withPresets);
  const std::span<const std::uint8_t> bytes = AsBytes(text);
  // Written beside and renamed over: a failed write leaves any earlier file as it was.
  if (ReplaceFileAtomically(ops, *chosen, bytes)) {
    prompter.ShowError("Error saving Subset Report to file " + PathText(*chosen));
    return false;
  }
  prompter.ShowOutcome(std::string(KindName(page)) + " Subset Report saved as " +
                       PathText(*chosen));
  return true;
}

}  // namespace i40
