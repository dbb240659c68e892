#include "view/set_view.h"

#include <algorithm>

#include "arrangements/arrangement_cell.h"
#include "backseqs/bsq_list.h"
#include "calls/callers.h"
#include "edit/edit_engine.h"
#include "format/bsq_file.h"
#include "format/kind_table.h"
#include "format/style_blocks.h"
#include "format/vocabulary.h"
#include "kbdsets/kbdset_grid.h"
#include "programs/program_cell.h"
#include "reports/set_statistics.h"
#include "styles/style_cell.h"

namespace i40 {
namespace {

bool TwinApplies(Kind kind, BankNo bank, bool twin) {
  // Twin View shows banks A and B together; on any other bank it shows that bank alone,
  // so that only positions that belong to a bank are drawn.
  return twin && Value(bank) == 0 && HasTwinView(kind);
}

}  // namespace

bool ShowsItemGrid(Kind tab) {
  return !FactsOf(tab).banks.empty();
}

bool HasTwinView(Kind tab) {
  return tab == Kind::Arrangement || tab == Kind::Program;
}

std::vector<ItemNumber> GridNumbers(Kind kind, BankNo bank, bool twin) {
  std::vector<ItemNumber> numbers;
  const int banks = TwinApplies(kind, bank, twin) ? 2 : 1;
  for (int b = Value(bank); b < Value(bank) + banks; ++b) {
    for (int index = 0; index <= BankLastIndex(kind, BankNo{b}); ++index)
      numbers.push_back(NumberAt(kind, {BankNo{b}, index}));
  }
  return numbers;
}

std::vector<CellLook> GridCells(const Workspace& ws, SetSlot slot, Kind kind, BankNo bank,
                                bool twin) {
  const FileSet& set = ws.sets.Files(slot);
  const ItemSources from{ws.presets, set};
  const bool highlight = ws.settings.HighCall;
  std::vector<CellLook> cells;
  if (kind == Kind::Program) {
    cells = FillProgramGrid(from, bank, highlight);
    if (TwinApplies(kind, bank, twin)) {
      auto second = FillProgramGrid(from, BankNo{Value(bank) + 1}, highlight);
      cells.insert(cells.end(), second.begin(), second.end());
    }
    for (CellLook& c : cells) {
      if (c.background == CellColour::GridDefault()) c.background = kGridBackground;
    }
    return cells;
  }
  std::unordered_set<ItemNumber> called;
  if (highlight) called = CalledNumbers(set, kind);
  for (const ItemNumber number : GridNumbers(kind, bank, twin)) {
    const bool isCalled = called.contains(number);
    CellLook look = kind == Kind::Arrangement ? ArrangementCell(from, number, highlight, isCalled)
                                              : StyleCell(from, number, highlight, isCalled);
    if (look.background == CellColour::GridDefault()) look.background = kGridBackground;
    cells.push_back(look);
  }
  return cells;
}

std::vector<std::string> BackingSequenceLines(const Workspace& ws, SetSlot slot) {
  std::vector<std::string> lines;
  for (const ItemIndex i : PositionsOf(Kind::BackingSequence))
    lines.push_back(BsqListEntry(ws.sets.Files(slot).backingSequences, i));
  return lines;
}

std::array<std::string, 5> BackingSequenceCounters(const Workspace& ws, SetSlot slot) {
  const BsqData& bsq = ws.sets.Files(slot).backingSequences;
  return {BsqUsedCounterText(bsq), "", "", "", BsqFreeCounterText(bsq)};
}

std::vector<std::array<std::string, 4>> KbdSetRows(const Workspace& ws, SetSlot slot) {
  const ItemSources from{ws.presets, ws.sets.Files(slot)};
  std::vector<std::array<std::string, 4>> rows;
  for (const ItemIndex k : PositionsOf(Kind::KbdSet)) {
    rows.push_back({KbdSetLabel(k), KbdSetSectionText(from, k, 0), KbdSetSectionText(from, k, 1),
                    KbdSetSectionText(from, k, 2)});
  }
  return rows;
}

SetViewState ViewOfItem(const SetViewState& view, Kind kind, ItemIndex index) {
  SetViewState shown = view;
  shown.tab = kind;
  int current = Value(index);
  if (ShowsItemGrid(kind)) {
    const ItemNumber number = ItemNumberOfUserIndex(kind, index);
    shown.Bank(kind) = ItemBankIndex(kind, number).bank;
    shown.Twin(kind) = false;
    const auto numbers = GridNumbers(kind, shown.Bank(kind), false);
    current = static_cast<int>(std::find(numbers.begin(), numbers.end(), number) - numbers.begin());
  }
  shown.Current(kind) = current;
  return shown;
}

Selection SelectionOf(const SetViewState& view) {
  const Kind kind = view.tab;
  const int current = view.Current(kind);
  Selection s;
  if (ShowsItemGrid(kind)) {
    const auto numbers = GridNumbers(kind, view.Bank(kind), view.Twin(kind));
    if (current < 0 || current >= static_cast<int>(numbers.size())) return s;
    s.item.number = numbers[static_cast<std::size_t>(current)];
    s.item.index = ItemUserIndex(kind, s.item.number);
  } else if (IsPosition(kind, ItemIndex{current})) {
    s.item.index = ItemIndex{current};
  }
  s.userItem = s.item.index != kNoIndex;
  return s;
}

std::vector<ItemIndex> SelectedItems(const SetViewState& view) {
  const std::vector<int>& cells = view.Selected(view.tab);
  if (cells.size() < 2) {
    const Selection s = SelectionOf(view);
    return s.userItem ? std::vector<ItemIndex>{s.item.index} : std::vector<ItemIndex>{};
  }
  SetViewState one = view;
  std::vector<ItemIndex> items;
  for (const int cell : cells) {
    one.Current(view.tab) = cell;
    if (const Selection s = SelectionOf(one); s.userItem) items.push_back(s.item.index);
  }
  std::sort(items.begin(), items.end());
  items.erase(std::unique(items.begin(), items.end()), items.end());
  return items;
}

std::string SelectionCountText(const SetViewState& view) {
  const std::size_t count = view.Selected(view.tab).size();
  return count < 2 ? std::string() : std::to_string(count) + " items selected";
}

int DumpBlockOf(const SetViewState& view) {
  const Selection s = SelectionOf(view);
  return view.tab == Kind::Style && s.userItem ? BlockOfSlot(s.item.index) : 0;
}

std::string GridLegend(Kind kind, bool highlightCalls) {
  std::string legend = highlightCalls
                           ? "Red: a user item that an item of the Set calls\n"
                             "Blue: a user item nothing calls, or an empty position\n"
                             "Dark red: a preset that an item of the Set calls\n"
                             "Teal: a preset nothing calls"
                           : "Black: a user item\nGrey: a preset\nBlue: an empty position";
  if (kind == Kind::Style) {
    legend +=
        "\nAfter the colon: the events the Style uses\n"
        "Grey background: no Style in that position";
  }
  return legend;
}

std::string FreeEventsLegend() {
  std::string blocks;
  for (int b = 0; b < kStyleBlockCount; ++b)
    blocks += (b > 0 ? ", " : "") + BlockStyles(b);
  return "Free events of each Block: the four Styles of a Block (" + blocks + ") share " +
         std::to_string(kBlockCapacity) + " events";
}

std::array<bool, kEditEntryCount> EditMenuEnabled(const Workspace& ws, SetSlot slot,
                                                  const SetViewState& view) {
  std::array<bool, kEditEntryCount> enabled{};
  const Selection s = SelectionOf(view);
  const Kind kind = view.tab;
  // A selection of several acts on its user items, whatever the current cell holds.
  if (s.userItem || !SelectedItems(view).empty()) {
    for (int e = kCut; e < kEditEntryCount; ++e)
      enabled[static_cast<std::size_t>(e)] = true;
    if (HasTwinView(kind) && view.Twin(kind)) {
      enabled[kEraseBank] = false;
      enabled[kImport] = false;
    }
    enabled[kUndo] = ws.sets.Entry(slot).UndoEnabled;
    enabled[kPasteCalls] = CanPasteWithCalls(ws, slot, kind);
  }
  // The Songs and KBD Sets have no dialog: Details there would do nothing.
  enabled[kDetails] = kind != Kind::Song && kind != Kind::KbdSet;
  return enabled;
}

}  // namespace i40
