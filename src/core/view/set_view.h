#pragma once

#include <array>
#include <string>
#include <vector>

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
  int tab = 0;                       // the kind shown, 0-5
  std::array<int, 3> bank{2, 2, 5};  // bank shown on the Arrangement, Style and Program tabs
  std::array<bool, 3> twin{};        // Twin View on the Arrangement and Program tabs
  std::array<int, 6> current{};      // current cell (or line) per tab, in grid order
};

// The numbers a grid shows in cell order: one bank (64 or 16), or with Twin View on
// bank A of Arrangements or Programs, banks A and B (128 cells).
std::vector<int> GridNumbers(Kind kind, int bank, bool twin);

// The cells of the grid of an item tab with their texts and colours.
std::vector<CellLook> GridCells(const Workspace& ws, int slot, Kind kind, int bank, bool twin);

// What the colours (and, for Styles, the numbers) of a kind's grid mean, one line each,
// as "Highlight called Items" has them.
std::string GridLegend(Kind kind, bool highlightCalls);
// What the column beside the Style grid shows.
std::string FreeEventsLegend();

// The lines of the Backing Sequence list and its five counters.
std::vector<std::string> BackingSequenceLines(const Workspace& ws, int slot);
std::array<std::string, 5> BackingSequenceCounters(const Workspace& ws, int slot);

// The KBD Set grid: 15 rows of label and three section texts.
std::vector<std::array<std::string, 4>> KbdSetRows(const Workspace& ws, int slot);

// What the current cell of the shown tab holds: the position an Edit command takes
// (user index, sequence or KBD Set; -1 for a preset) and whether it is the Set's own.
struct Selection {
  int number = -1;  // item number for Arrangements, Styles and Programs
  int index = -1;   // what the edit commands take
  bool userItem = false;
};
Selection SelectionOf(const SetViewState& view);

// The view that shows an item of a kind selected: its tab, the bank that holds it (Twin
// View off there) and its cell. `index` is a user index, a sequence or a KBD Set.
SetViewState ViewOfItem(const SetViewState& view, Kind kind, int index);

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
std::array<bool, kEditEntryCount> EditMenuEnabled(const Workspace& ws, int slot,
                                                  const SetViewState& view);

}  // namespace i40
