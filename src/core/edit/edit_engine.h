#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "format/ids.h"
#include "format/kinds.h"
#include "host/prompter.h"
#include "session/workspace.h"

// The Edit menu, drag and drop and Undo of a Set window, written once for every kind
// that holds items (Arrangements, Styles, Programs, Backing Sequences, KBD Sets) over
// the kinds' descriptions and the calls table. The desktop editor and the command line
// run exactly these.
//
// Every command that changes a Set runs as one transaction: it sets the Modified flags
// of what it changed and the Set window's Undo entry, and keeps a journal of what it
// replaced, so that Undo gives back every byte whatever the user answered. A command
// the user cancels leaves the Set, and the last undo, as they were.
namespace i40 {

enum class EditCommand {
  Cut,
  Copy,
  Paste,
  PasteWithCalls,
  Delete,
  Insert,
  PasteFromIStyle,
  EraseBank,
  Import,
  Undo
};

// What a command did: whether it changed anything, which kinds of the Set's data it
// changed (what a window shows again), and whether Undo of the Set's window now does
// anything. True when something was done.
struct EditOutcome {
  bool done = false;
  ChangedKinds changed{};
  bool undoAvailable = false;

  explicit operator bool() const { return done; }
};

// Runs a command on the tab of `kind`. `index` is the selected position: the user index
// for Arrangements, Styles and Programs (-1 on a preset cell), the sequence (0-9) or the
// KBD Set (0-14). `bank` is the bank the tab shows (Erase Bank).
EditOutcome RunEditCommand(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind,
                           EditCommand command, ItemIndex index, BankNo bank = BankNo{0});

// The same on a selection of several items of the kind (user positions, in any order;
// what a command cannot act on is left out). Copy, Cut and Delete act on the selected
// items; Paste, Paste with Calls and Insert put the clipboard's items at `current`.
// Every question is asked once for all the items, anything that does not fit or a Cancel
// changes nothing, and one Undo takes the whole command back. With one item selected and
// one on the clipboard, exactly RunEditCommand on it.
EditOutcome RunSelectionCommand(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind,
                                EditCommand command, std::span<const ItemIndex> selection,
                                ItemIndex current, BankNo bank = BankNo{0});

// A drop on a grid or list of the same kind: a move inside a Set, a copy between Sets
// (with the items it calls when `withCalls`, as Paste with Calls).
EditOutcome RunDrop(Workspace& ws, Prompter& prompter, Kind kind, SetSlot fromSlot, ItemIndex from,
                    SetSlot toSlot, ItemIndex to, bool withCalls = false);
// A drop of several items: they land on `to` and the positions after it in their order
// (Backing Sequences and KBD Sets moved inside a Set: before `to`, in their order).
EditOutcome RunSelectionDrop(Workspace& ws, Prompter& prompter, Kind kind, SetSlot fromSlot,
                             std::span<const ItemIndex> from, SetSlot toSlot, ItemIndex to,
                             bool withCalls = false);

// Paste with Calls: the clipboard's Arrangement, Style, Backing Sequence or KBD Set,
// copied from another open Set, is pasted together with every user item it calls (from
// item to item) that this Set does not hold under the same name, each into a free
// position of its kind (see CopyCalledItems). When anything finds no room, nothing
// changes and one message lists what did not fit. One Undo of the pasted kind takes it
// all back. Whether the clipboard holds such an item for this Set:
bool CanPasteWithCalls(const Workspace& ws, SetSlot slot, Kind kind);

// A drag starts only on an item of the Set: a user position that holds something (every
// KBD Set holds a set-up).
bool CanStartDrag(const Workspace& ws, SetSlot slot, Kind kind, ItemIndex index);

// Whether Edit > Undo of the Set's window would do anything: its Undo entry.
bool UndoAvailable(const Workspace& ws, SetSlot slot);
// "&Undo" when available, else "Can't Undo".
std::string UndoMenuCaption(const SetEntry& entry);

// One changed byte of a record: the bits of `mask` take those of `value`, the others stay.
struct BytePatch {
  std::size_t offset = 0;
  std::uint8_t mask = 0xFF;
  std::uint8_t value = 0;

  bool operator==(const BytePatch&) const = default;
};

// What an item dialog changed, written into the record at `index` of `kind` as one
// undoable edit of that kind, followed by the kind's duplicate-name warnings. False,
// and nothing marked, when the record already held those bytes. The Arrangement Global
// and the Global (index 0) are written and marked modified, with no undo.
EditOutcome ApplyRecordChanges(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind,
                               ItemIndex index, std::span<const BytePatch> changes);

// The same changes in every record of a kind (the split key of every Arrangement), as
// one undoable edit.
EditOutcome ApplyToEveryRecord(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind,
                               std::span<const BytePatch> changes);

// Every call in the Set to item `from` of `kind` goes to `to`, at once. Like every
// redirection it cannot be undone: when it changed anything, the kind's undo for this
// Set is dropped and the Undo entry disabled. Done when a call changed.
EditOutcome RedirectAllCalls(Workspace& ws, SetSlot slot, Kind kind, ItemNumber from,
                             ItemNumber to);

// The duplicate-name warnings of a kind (Arrangements, Styles, Programs), when the
// option is on: a message per pair of equal names, at most three, then "More than 4
// ... duplicate names !". True when a pair was found.
bool CheckDuplicateNames(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind);
// The duplicate-name warnings of a Set just opened: Arrangements, Styles, then Programs.
// Whoever opens a Set calls it, once the Set is on screen.
void WarnDuplicatesAfterOpening(Workspace& ws, Prompter& prompter, SetSlot slot);

}  // namespace i40
