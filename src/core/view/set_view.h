#pragma once

#include <array>
#include <string>
#include <vector>

#include "format/ids.h"
#include "host/cell_colour.h"
#include "session/workspace.h"

// What a Set window shows and which of its Edit entries are enabled, worked out from
// the Set and the window's own choices (tab, bank, Twin View, current cell) without any
// widget, so the desktop only draws it.
namespace i40 {

inline constexpr std::array<const char*, 6> kSetWindowTabCaptions = {
    "&Arrangements", "&Styles", "&Programs", "&Backing Seq", "S&ongs", "&KBD Sets"};

inline constexpr CellColour kGridBackground = CellColour::Of(224, 255, 224);

// The choices of one Set window.
struct SetViewState {
  Kind tab = Kind::Arrangement;  // the kind shown
  // Per item grid (Arrangements, Styles, Programs): the bank shown and Twin View.
  std::array<BankNo, 3> banks{BankNo{2}, BankNo{2}, BankNo{5}};
  std::array<bool, 3> twins{};
  std::array<int, 6> cells{};  // current cell (or line) per tab, in grid order
  // The cells (or lines) selected per tab, in grid order, when more than the current one is.
  std::array<std::vector<int>, 6> selected{};

  BankNo& Bank(Kind kind) { return banks.at(GridOf(kind)); }
  BankNo Bank(Kind kind) const { return banks.at(GridOf(kind)); }
  bool& Twin(Kind kind) { return twins.at(GridOf(kind)); }
  bool Twin(Kind kind) const { return twins.at(GridOf(kind)); }
  int& Current(Kind kind) { return cells.at(static_cast<std::size_t>(KindIndex(kind))); }
  int Current(Kind kind) const { return cells.at(static_cast<std::size_t>(KindIndex(kind))); }
  std::vector<int>& Selected(Kind kind) {
    return selected.at(static_cast<std::size_t>(KindIndex(kind)));
  }
  const std::vector<int>& Selected(Kind kind) const {
    return selected.at(static_cast<std::size_t>(KindIndex(kind)));
  }

 private:
  static std::size_t GridOf(Kind kind) {
    return kind == Kind::Program ? 2 : kind == Kind::Style ? 1 : 0;
  }
};

// The tabs of a Set window: a grid of item numbers in banks (Arrangements, Styles,
// Programs), a list (Backing Sequences, Songs) or the KBD Set grid.
bool ShowsItemGrid(Kind tab);
// Twin View (banks A and B side by side) exists on the Arrangement and Program tabs.
bool HasTwinView(Kind tab);

// The numbers a grid shows in cell order: one bank (64 or 16), or with Twin View on
// bank A of Arrangements or Programs, banks A and B (128 cells).
std::vector<ItemNumber> GridNumbers(Kind kind, BankNo bank, bool twin);

// The cells of the grid of an item tab with their texts and colours.
std::vector<CellLook> GridCells(const Workspace& ws, SetSlot slot, Kind kind, BankNo bank,
                                bool twin);

// What the colours (and, for Styles, the numbers) of a kind's grid mean, one line each,
// as "Highlight called Items" has them.
std::string GridLegend(Kind kind, bool highlightCalls);
// What the column beside the Style grid shows.
std::string FreeEventsLegend();

// The lines of the Backing Sequence list and its five counters.
std::vector<std::string> BackingSequenceLines(const Workspace& ws, SetSlot slot);
std::array<std::string, 5> BackingSequenceCounters(const Workspace& ws, SetSlot slot);

// The KBD Set grid: 15 rows of label and three section texts.
std::vector<std::array<std::string, 4>> KbdSetRows(const Workspace& ws, SetSlot slot);

// What the current cell of the shown tab holds: its number (Arrangements, Styles and
// Programs) and the position an Edit command takes (the user index, the sequence or the
// KBD Set; -1 on a preset), and whether it is the Set's own.
struct Selection {
  ItemRef item;
  bool userItem = false;
};
Selection SelectionOf(const SetViewState& view);

// The positions the Edit commands act on: those of the selected cells of the shown tab
// (the current cell's alone when no more are selected), in position order; presets left
// out.
std::vector<ItemIndex> SelectedItems(const SetViewState& view);
// What the status bar says of a selection of several cells: "3 items selected"; nothing
// for one.
std::string SelectionCountText(const SetViewState& view);

// The Style Block a dump of the shown tab sends: that of the selected Style (the first
// Block on any other tab, which sends no Blocks).
int DumpBlockOf(const SetViewState& view);

// The view that shows an item of a kind selected: its tab, the bank that holds it (Twin
// View off there) and its cell. `index` is a user index, a sequence or a KBD Set.
SetViewState ViewOfItem(const SetViewState& view, Kind kind, ItemIndex index);

// The Edit menu entries, in menu order, with their object names and captions.
enum EditEntry {
  kUndo,
  kCut,
  kCopy,
  kPaste,
  kPasteCalls,
  kDelete,
  kInsert,
  kIStyle,
  kDetails,
  kEraseBank,
  kImport,
  kEditEntryCount
};
inline constexpr std::array<const char*, kEditEntryCount> kEditEntryNames = {
    "mnuEUndo",   "mnuECut",    "mnuECopy",    "mnuEPaste",    "mnuEPasteCalls", "mnuEDelete",
    "mnuEInsert", "mnuEIStyle", "mnuEDetails", "mnuEEraseBnk", "mnuEImport"};
inline constexpr std::array<const char*, kEditEntryCount> kEditEntryCaptions = {
    "&Undo",
    "Cu&t",
    "&Copy",
    "&Paste",
    "Paste &with Calls",
    "&Delete",
    "In&sert",
    "Paste from &IStyle...",
    "Detai&ls",
    "&Erase Bank",
    "I&mport..."};

// Which entries are enabled: all of them on a user item (but Erase Bank and Import with
// Twin View ticked); only Details on a preset. Undo follows the Set's Undo state and
// reads "&Undo" or "Can't Undo".
std::array<bool, kEditEntryCount> EditMenuEnabled(const Workspace& ws, SetSlot slot,
                                                  const SetViewState& view);

}  // namespace i40
