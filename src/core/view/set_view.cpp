#include "view/set_view.h"

#include <algorithm>

#include "arrangements/arrangement_cell.h"
#include "backseqs/bsq_list.h"
#include "calls/callers.h"
#include "edit/edit_engine.h"
#include "format/bsq_file.h"
#include "format/style_blocks.h"
#include "format/vocabulary.h"
#include "kbdsets/kbdset_grid.h"
#include "programs/program_cell.h"
#include "styles/style_cell.h"

namespace i40 {
namespace {

int TabSlotOf(Kind kind) {
  return kind == Kind::Program ? 2 : kind == Kind::Style ? 1 : 0;
}

bool TwinApplies(Kind kind, int bank, bool twin) {
  // Twin View shows banks A and B together; on any other bank it shows that bank alone,
  // so that only positions that belong to a bank are drawn.
  return twin && bank == 0 && (kind == Kind::Arrangement || kind == Kind::Program);
}

}  // namespace

std::vector<int> GridNumbers(Kind kind, int bank, bool twin) {
  std::vector<int> numbers;
  const int banks = TwinApplies(kind, bank, twin) ? 2 : 1;
  for (int b = bank; b < bank + banks; ++b) {
    for (int index = 0; index <= BankLastIndex(kind, b); ++index)
      numbers.push_back(ItemNumber(kind, b, index));
  }
  return numbers;
}

std::vector<CellLook> GridCells(const Workspace& ws, int slot, Kind kind, int bank, bool twin) {
  const FileSet& set = ws.sets.Files(slot);
  const ItemSources from{ws.presets, set};
  const bool highlight = ws.settings.HighCall;
  std::vector<CellLook> cells;
  if (kind == Kind::Program) {
    cells = FillProgramGrid(from, bank, highlight);
    if (TwinApplies(kind, bank, twin)) {
      auto second = FillProgramGrid(from, bank + 1, highlight);
      cells.insert(cells.end(), second.begin(), second.end());
    }
    for (CellLook& c : cells) {
      if (c.background == CellColour::GridDefault()) c.background = kGridBackground;
    }
    return cells;
  }
  std::unordered_set<int> called;
  if (highlight) called = CalledNumbers(set, kind);
  for (const int number : GridNumbers(kind, bank, twin)) {
    const bool isCalled = called.count(number) > 0;
    CellLook look = kind == Kind::Arrangement ? ArrangementCell(from, number, highlight, isCalled)
                                              : StyleCell(from, number, highlight, isCalled);
    if (look.background == CellColour::GridDefault()) look.background = kGridBackground;
    cells.push_back(look);
  }
  return cells;
}

std::vector<std::string> BackingSequenceLines(const Workspace& ws, int slot) {
  std::vector<std::string> lines;
  for (int i = 0; i < kBsqCount; ++i)
    lines.push_back(BsqListEntry(ws.sets.Files(slot).backingSequences, i));
  return lines;
}

std::array<std::string, 5> BackingSequenceCounters(const Workspace& ws, int slot) {
  const BsqData& bsq = ws.sets.Files(slot).backingSequences;
  return {BsqUsedCounterText(bsq), "", "", "", BsqFreeCounterText(bsq)};
}

std::vector<std::array<std::string, 4>> KbdSetRows(const Workspace& ws, int slot) {
  const ItemSources from{ws.presets, ws.sets.Files(slot)};
  std::vector<std::array<std::string, 4>> rows;
  for (int k = 0; k < kKbdSetCount; ++k) {
    rows.push_back({KbdSetLabel(k), KbdSetSectionText(from, k, 0), KbdSetSectionText(from, k, 1),
                    KbdSetSectionText(from, k, 2)});
  }
  return rows;
}

SetViewState ViewOfItem(const SetViewState& view, Kind kind, int index) {
  SetViewState shown = view;
  shown.tab = static_cast<int>(kind);
  int current = index;
  if (kind == Kind::Arrangement || kind == Kind::Style || kind == Kind::Program) {
    const int number = ItemNumberOfUserIndex(kind, index);
    const std::size_t t = static_cast<std::size_t>(TabSlotOf(kind));
    shown.bank[t] = ItemBankIndex(kind, number).bank;
    shown.twin[t] = false;
    const auto numbers = GridNumbers(kind, shown.bank[t], false);
    current = static_cast<int>(std::find(numbers.begin(), numbers.end(), number) - numbers.begin());
  }
  shown.current.at(static_cast<std::size_t>(shown.tab)) = current;
  return shown;
}

Selection SelectionOf(const SetViewState& view) {
  const auto kind = static_cast<Kind>(view.tab);
  const int current = view.current.at(static_cast<std::size_t>(view.tab));
  Selection s;
  switch (kind) {
    case Kind::Arrangement:
    case Kind::Style:
    case Kind::Program: {
      const std::size_t t = static_cast<std::size_t>(TabSlotOf(kind));
      const auto numbers = GridNumbers(kind, view.bank[t], t != 1 && view.twin[t]);
      if (current < 0 || current >= static_cast<int>(numbers.size())) return s;
      s.number = numbers[static_cast<std::size_t>(current)];
      s.index = ItemUserIndex(kind, s.number);
      s.userItem = s.index >= 0;
      return s;
    }
    case Kind::BackingSequence:
      s.index = current >= 0 && current < kBsqCount ? current : -1;
      s.userItem = s.index >= 0;
      return s;
    case Kind::KbdSet:
      s.index = current >= 0 && current < kKbdSetCount ? current : -1;
      s.userItem = s.index >= 0;
      return s;
    default:
      return s;
  }
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
  return "Free events of each Block: the four Styles of a Block (C11-C14, C15-C18, C21-C24, "
         "C25-C28) share " +
         std::to_string(kBlockCapacity) + " events";
}

std::array<bool, kEditEntryCount> EditMenuEnabled(const Workspace& ws, int slot,
                                                  const SetViewState& view) {
  std::array<bool, kEditEntryCount> enabled{};
  const Selection s = SelectionOf(view);
  const auto kind = static_cast<Kind>(view.tab);
  if (s.userItem) {
    for (int e = kCut; e < kEditEntryCount; ++e)
      enabled[static_cast<std::size_t>(e)] = true;
    const bool twinTab = view.tab == 0 || view.tab == 2;
    if (twinTab && view.twin[static_cast<std::size_t>(view.tab)]) {
      enabled[kEraseBank] = false;
      enabled[kImport] = false;
    }
    enabled[kUndo] = ws.sets.Entry(slot).UndoEnabled;
    enabled[kPasteCalls] = CanPasteWithCalls(ws, SetSlot{slot}, kind);
  }
  // The Songs and KBD Sets have no dialog: Details there would do nothing.
  enabled[kDetails] = kind != Kind::Song && kind != Kind::KbdSet;
  return enabled;
}

}  // namespace i40
