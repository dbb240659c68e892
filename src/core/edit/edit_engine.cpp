#include "edit/edit_engine.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "calls/callers.h"
#include "calls/calls_check.h"
#include "calls/duplicate_names.h"
#include "edit/called_items.h"
#include "edit/import_all.h"
#include "format/arrangement_file.h"
#include "format/bsq_file.h"
#include "format/item_image.h"
#include "format/item_numbers.h"
#include "format/program_file.h"
#include "format/style_blocks.h"
#include "format/style_file.h"
#include "format/vocabulary.h"
#include "host/error_reports.h"
#include "session/edit_records.h"
#include "session/journal.h"
#include "session/load_component.h"
#include "util/text.h"

namespace i40 {
namespace {

// ---- What each kind brings to the engine -------------------------------------------

struct EditKind {
  Kind kind;
  int shiftLast;    // Delete and Insert move the positions up to this one; -1: neither
  bool cut;         // KBD Sets are only copied and pasted
  bool cutsEmpty;   // an empty Backing Sequence can be cut; an empty item of a named kind not
  bool called;      // other items call this kind: overwriting one asks about its callers
  bool duplicates;  // Set-wide duplicate-name warnings
  bool dragMoves;   // a drag inside a Set moves the item onto the target (Arrangements,
                    // Styles, Programs); otherwise it inserts it before the target
};

constexpr std::array<EditKind, 5> kEditKinds = {{
    {Kind::Arrangement, kUserArrangementCount - 1, true, false, true, true, true},
    {Kind::Style, -1, true, false, true, true, true},
    {Kind::Program, kUserProgramCount - 1, true, false, true, true, true},
    {Kind::BackingSequence, kBsqCount - 1, true, true, false, false, false},
    {Kind::KbdSet, -1, false, false, false, false, false},
}};

const EditKind* EditKindOf(Kind kind) {
  for (const EditKind& k : kEditKinds) {
    if (k.kind == kind) return &k;
  }
  return nullptr;
}

// Asked before an item that others call is overwritten, cut, deleted or pushed out.
std::string CallersQuestion(Kind kind, const std::string& name) {
  switch (kind) {
    case Kind::Arrangement:
      return name +
             " Arrangement is referenced by\none or more Backing Sequences.\n"
             "Change references to another Arrangement?";
    case Kind::Style:
      return name +
             " Style is referenced by one\nor more Arrangements or Backing Sequences.\n"
             "Change references to another Style?";
    default:
      return "Program '" + name +
             "' is referenced by one or more\nArrangements, Styles, Backing Sequences, etc.\n\n"
             "Redirect them to another Program?";
  }
}

// Asked before a drag inside a Set puts an item before another.
std::string MoveQuestion(Kind kind, int from, int to) {
  if (kind == Kind::KbdSet)
    return "Insert KBD Set " + KbdSetLabel(from) + " before " + KbdSetLabel(to);
  return "Insert Backing Sequence " + std::to_string(from) + " before " + std::to_string(to) + " ?";
}

// The one-item file of Edit > Paste from IStyle for a position.
Kind OneItemKind(Kind kind, int index) {
  switch (kind) {
    case Kind::Arrangement:
      return Kind::IStyleArrangement;
    case Kind::Style:
      return Kind::IStyleStyle;
    default:
      return index < kUserProgramCount ? Kind::IStyleProgram : Kind::IStyleDrumKit;
  }
}

// Reads the item of a one-item file as an image of its kind.
std::optional<ItemImage> ReadOneItem(Prompter& prompter, Kind kind, Kind fileKind,
                                     const ComponentFile& file) {
  FileSet scratch;
  ReadOutcome problem;
  switch (fileKind) {
    case Kind::IStyleArrangement:
      problem = ReadIafFile(file.bytes, scratch.arrangements.records[0]);
      break;
    case Kind::IStyleStyle:
      problem = ReadIsfFile(file.bytes, scratch.styles.slots[0]);
      break;
    case Kind::IStyleProgram:
      problem = ReadIpfFile(file.bytes, scratch.programs.records[0]);
      break;
    default: {
      DrumKit kit;
      problem = ReadIdkFile(file.bytes, kit);
      scratch.programs.records[kUserProgramCount] = kit.record;
      scratch.programs.drumKitData[0] = kit.data;
      break;
    }
  }
  if (problem) {
    ReportLoadError(prompter, kind, *problem);
    return std::nullopt;
  }
  return ReadItem(scratch, kind, fileKind == Kind::IStyleDrumKit ? kUserProgramCount : 0);
}

// ---- Backing Sequences must keep fitting their file ---------------------------------

using SequenceLengths = std::array<std::array<std::int16_t, kBsqTrackCount>, kBsqCount>;

constexpr const char* kNoRoomText =
    "The Backing Sequences would no longer fit in their file.\nNothing has been changed.";

// The file keeps every track start and the end as a signed 16-bit number: a layout whose
// starts leave that range could not be written back truthfully.
bool SequencesFit(const BsqData& bsq, const SequenceLengths& lengths) {
  int start = bsq.trackStart[0][0];
  for (const auto& sequence : lengths) {
    for (const std::int16_t length : sequence) {
      start += length;
      if (start > INT16_MAX || start < INT16_MIN) return false;
    }
  }
  return true;
}

// Where the item at `position` goes when the one at `from` is taken out and put back at
// `landing`: those in between move one place to fill the gap.
int NewPosition(int position, int from, int landing) {
  if (position == from) return landing;
  if (landing < from && position >= landing && position < from) return position + 1;
  if (landing > from && position > from && position <= landing) return position - 1;
  return position;
}

// The bits of each patch written into a record; true when a byte changed.
bool PatchBytes(std::span<std::uint8_t> record, std::span<const BytePatch> changes) {
  bool changed = false;
  for (const BytePatch& p : changes) {
    if (p.offset >= record.size()) continue;
    const auto next = static_cast<std::uint8_t>((record[p.offset] & ~p.mask) | (p.value & p.mask));
    changed = changed || next != record[p.offset];
    record[p.offset] = next;
  }
  return changed;
}

// ---- The operations -------------------------------------------------------------

enum class Confirmed { Cancel, Go, GoRedirected };

// One command on one kind in one Set (the target of a drag). The operations change the
// Set freely; RunChange below makes them one transaction.
class Engine {
 public:
  Engine(Workspace& ws, Prompter& prompter, const EditKind& kind, int slot)
      : ws_(ws),
        prompter_(prompter),
        k_(kind),
        kind_(kind.kind),
        slot_(slot),
        set_(ws.sets.Files(slot)) {}

  // What the Set window's Undo entry becomes (nothing: left as it is) and the undo code
  // a completed operation leaves.
  std::optional<bool> entry;
  UndoOp op = UndoOp::None;

  void Copy(int fromSlot, int index) {
    ItemBuffer& clip = Clip();
    TakeIntoClipboard(kind_, clip.image, ReadItem(ws_.sets.Files(fromSlot), kind_, index));
    clip.sourceSet = fromSlot;
    clip.sourceIndex = index;
  }

  bool Cut(int i, bool quiet) {
    if (!k_.cut || !IsPosition(kind_, i)) return false;
    if (!k_.cutsEmpty && IsEmptyPosition(set_, kind_, i)) return false;
    Confirmed answer = Confirmed::Go;
    if (!quiet) {
      answer = ConfirmCallers(i);
      if (answer == Confirmed::Cancel) return false;
    }
    Copy(slot_, i);
    WriteItem(set_, kind_, i, Blank(i));
    LayOutSequences();
    op = UndoOp::Cut;
    entry = answer != Confirmed::GoRedirected;
    return true;
  }

  bool Paste(int i, bool move) {
    const ItemBuffer& clip = Clip();
    if (!IsPosition(kind_, i) || !clip.Filled()) return false;
    if (!RoomForPaste(i, move)) return false;
    Confirmed answer = Confirmed::Go;
    const bool asked = k_.called && !IsEmptyPosition(set_, kind_, i);
    if (asked) {
      answer = ConfirmCallers(i);
      if (answer == Confirmed::Cancel) return false;
    }
    if (move && k_.called && IsPosition(kind_, clip.sourceIndex)) {
      RedirectCalls(set_, kind_, Number(clip.sourceIndex), Number(i));
    }
    WriteItem(set_, kind_, i, clip.image);
    if (!CheckCallsFrom(clip, i)) {
      entry = asked ? std::optional<bool>(true) : std::nullopt;
      return false;
    }
    LayOutSequences();
    op = UndoOp::Paste;
    entry = answer != Confirmed::GoRedirected;
    return true;
  }

  // The copies of what the item calls go in first, so that the paste finds each by name.
  bool PasteWithCalls(int i) {
    if (!IsPosition(kind_, i) || !CanPasteWithCalls(ws_, SetSlot{slot_}, kind_)) return false;
    const ItemBuffer& clip = Clip();
    const auto missing = CopyCalledItems(ws_.sets.Files(clip.sourceSet), set_, kind_,
                                         std::span(clip.image).first(RecordSize(kind_)));
    if (!missing.empty()) {
      std::string text = "Paste with Calls needs room for:";
      for (const std::string& item : missing)
        text += "\n" + item;
      prompter_.Ask({text + "\nNothing has been changed.", "", MessageIcon::Exclamation,
                     MessageButtons::Ok, Answer::Ok});
      return false;
    }
    return Paste(i, false);
  }

  bool Delete(int i) {
    if (k_.shiftLast < 0 || i < 0 || i > k_.shiftLast) return false;
    if (kind_ == Kind::BackingSequence && !Fits(LengthsAfterDelete(i))) return RefuseNoRoom();
    const Confirmed answer = ConfirmCallers(i);
    if (answer == Confirmed::Cancel) return false;
    Copy(slot_, i);
    for (int j = i + 1; j <= k_.shiftLast; ++j)
      MoveItem(j, j - 1);
    WriteItem(set_, kind_, k_.shiftLast, Blank(k_.shiftLast));
    LayOutSequences();
    op = UndoOp::Delete;
    entry = answer != Confirmed::GoRedirected;
    return true;
  }

  bool Insert(int i) {
    ItemBuffer& clip = Clip();
    // Nothing to insert until something was copied.
    if (k_.shiftLast < 0 || i < 0 || i > k_.shiftLast || !clip.Filled()) return false;
    if (kind_ == Kind::BackingSequence && !Fits(LengthsAfterInsert(i, clip.image))) {
      return RefuseNoRoom();
    }
    const Confirmed answer = ConfirmCallers(k_.shiftLast);  // the item pushed out
    if (answer == Confirmed::Cancel) return false;
    const ItemImage pushedOut = ReadItem(set_, kind_, k_.shiftLast);
    for (int j = k_.shiftLast; j > i; --j)
      MoveItem(j - 1, j);
    WriteItem(set_, kind_, i, clip.image);
    // An item from another Set brings calls numbered for that Set: settled as a paste's.
    if (!CheckCallsFrom(clip, i)) return false;
    // The item pushed out of the last position can now be pasted elsewhere.
    TakeIntoClipboard(kind_, clip.image, pushedOut);
    clip.sourceSet = slot_;
    clip.sourceIndex = i;
    LayOutSequences();
    op = UndoOp::Insert;
    entry = answer != Confirmed::GoRedirected;
    return true;
  }

  bool LoadOne(int i) {
    if (kind_ != Kind::Arrangement && kind_ != Kind::Style && kind_ != Kind::Program) return false;
    if (!IsPosition(kind_, i)) return false;
    const Kind fileKind = OneItemKind(kind_, i);
    const std::string title = "Load one " + std::string(KindName(kind_)) + " from " +
                              std::string(KindExt(fileKind)) + " file...";
    const auto file = AskForComponentFile(ws_, prompter_, title, fileKind);
    if (!file) return false;
    const auto item = ReadOneItem(prompter_, kind_, fileKind, *file);
    if (!item) return false;
    ItemBuffer& clip = Clip();
    TakeIntoClipboard(kind_, clip.image, *item);
    clip.sourceSet = ItemBuffer::kNotFromASet;
    clip.sourceIndex = -1;
    if (!Paste(i, false)) return false;
    CheckDuplicateNames(ws_, prompter_, slot_, kind_);
    return true;
  }

  // A drop on the target position of this Set from a position of the same Set or another.
  bool Drop(int fromSlot, int from, int to, bool withCalls) {
    if (!IsPosition(kind_, from) || !IsPosition(kind_, to)) return false;
    if (!CanStartDrag(ws_, SetSlot{fromSlot}, kind_, ItemIndex{from})) return false;
    if (fromSlot != slot_) return CopyByDrag(fromSlot, from, to, withCalls);
    return k_.dragMoves ? MoveOnto(from, to) : MoveBefore(from, to);
  }

  // The bytes a dialog changed, in one record or in every record of the kind; nothing
  // done when the records already held them.
  bool Patch(int i, std::span<const BytePatch> changes) {
    if (!PatchBytes(RecordBytes(set_, kind_, i), changes)) return false;
    op = UndoOp::Details;
    entry = true;
    return true;
  }
  bool PatchEvery(std::span<const BytePatch> changes) {
    bool changed = false;
    for (int i = 0; i < PositionCount(kind_); ++i)
      changed = PatchBytes(RecordBytes(set_, kind_, i), changes) || changed;
    if (!changed) return false;
    op = UndoOp::Details;
    entry = true;
    return true;
  }

 private:
  ItemBuffer& Clip() { return ws_.edits.Clipboard(kind_); }
  int Number(int index) const { return ItemNumberOfUserIndex(kind_, index); }
  ItemImage Blank(int index) const { return BlankItem(ws_.blanks, kind_, index); }

  // The item at `from` moves to `to`; the calls of the kind's callers follow it.
  void MoveItem(int from, int to) {
    if (k_.called) RedirectCalls(set_, kind_, Number(from), Number(to));
    WriteItem(set_, kind_, to, ReadItem(set_, kind_, from));
  }

  void LayOutSequences() {
    if (kind_ == Kind::BackingSequence) RebuildTrackStarts(set_.backingSequences);
  }

  // Cancel stops; No goes on and leaves the callers on the position; Yes opens the
  // picker on the item, and a different choice redirects the callers there. A
  // redirection cannot be undone, so it leaves the Undo entry disabled.
  Confirmed ConfirmCallers(int i) {
    if (!k_.called) return Confirmed::Go;
    const int number = Number(i);
    Confirmed answer = Confirmed::Go;
    if (!CallersOf(set_, kind_, number).empty()) {
      const std::string name = ShownName(kind_, RecordBytes(set_, kind_, i));
      switch (prompter_.Ask({CallersQuestion(kind_, name), "", MessageIcon::Exclamation,
                             MessageButtons::YesNoCancel, Answer::Cancel})) {
        case Answer::Yes: {
          const int chosen = prompter_.Pick({kind_, slot_, number, ""});
          if (chosen != -1 && chosen != number) {
            RedirectCalls(set_, kind_, number, chosen);
            answer = Confirmed::GoRedirected;
          }
          break;
        }
        case Answer::No:
          break;
        default:
          answer = Confirmed::Cancel;
      }
    }
    entry = answer != Confirmed::GoRedirected;
    return answer;
  }

  // An item that came from another open Set has its calls re-pointed by name.
  bool CheckCallsFrom(const ItemBuffer& clip, int i) {
    if (!clip.FromASet() || clip.sourceSet == slot_) return true;
    return CheckPastedCalls(ws_, prompter_, kind_, clip.sourceSet, slot_, i,
                            std::span(clip.image).first(RecordSize(kind_)));
  }

  // Styles share the events of their Block; Backing Sequences must fit their file.
  bool RoomForPaste(int i, bool move) {
    const ItemBuffer& clip = Clip();
    if (kind_ == Kind::BackingSequence) {
      SequenceLengths lengths = set_.backingSequences.trackLength;
      lengths[static_cast<std::size_t>(i)] = BsqImageLengths(clip.image);
      return Fits(lengths) || RefuseNoRoom();
    }
    if (kind_ != Kind::Style) return true;
    // A Style moved inside its own Block takes no room it did not have.
    if (move && IsPosition(kind_, clip.sourceIndex) &&
        BlockOfSlot(clip.sourceIndex) == BlockOfSlot(i)) {
      return true;
    }
    const int needed = NeededEventsOfLength(StyleImageLength(clip.image));
    const int available = StyleEvents(set_.styles, i) + BlockFree(set_.styles, i);
    if (needed <= available) return true;
    prompter_.Ask({"Pasted Style (" + std::to_string(needed) +
                       " events) is too big for destination\nBlock, where only " +
                       std::to_string(available) + " events are available.",
                   "", MessageIcon::Exclamation, MessageButtons::Ok, Answer::Ok});
    return false;
  }

  bool Fits(const SequenceLengths& lengths) const {
    return SequencesFit(set_.backingSequences, lengths);
  }
  bool RefuseNoRoom() {
    prompter_.ShowWarning(kNoRoomText);
    return false;
  }
  SequenceLengths LengthsAfterDelete(int i) const {
    SequenceLengths lengths = set_.backingSequences.trackLength;
    for (int j = i; j < kBsqCount - 1; ++j)
      lengths[static_cast<std::size_t>(j)] = lengths[static_cast<std::size_t>(j) + 1];
    lengths[kBsqCount - 1] = {};
    return lengths;
  }
  SequenceLengths LengthsAfterInsert(int i, const ItemImage& item) const {
    SequenceLengths lengths = set_.backingSequences.trackLength;
    for (int j = kBsqCount - 1; j > i; --j)
      lengths[static_cast<std::size_t>(j)] = lengths[static_cast<std::size_t>(j) - 1];
    lengths[static_cast<std::size_t>(i)] = BsqImageLengths(item);
    return lengths;
  }

  bool CopyByDrag(int fromSlot, int from, int to, bool withCalls) {
    if (kind_ == Kind::BackingSequence) {
      // Checked before the copy, so that a refused drop leaves the clipboard alone too.
      SequenceLengths lengths = set_.backingSequences.trackLength;
      lengths[static_cast<std::size_t>(to)] =
          ws_.sets.Files(fromSlot).backingSequences.trackLength[static_cast<std::size_t>(from)];
      if (!Fits(lengths)) return RefuseNoRoom();
    }
    Copy(fromSlot, from);
    if (!(withCalls && CanPasteWithCalls(ws_, SetSlot{slot_}, kind_) ? PasteWithCalls(to)
                                                                     : Paste(to, false))) {
      return false;
    }
    if (k_.duplicates) CheckDuplicateNames(ws_, prompter_, slot_, kind_);
    op = UndoOp::CopyByDrag;
    entry = true;
    return true;
  }

  // Arrangements, Styles and Programs: the item goes onto the target and its callers
  // follow it; the source becomes empty.
  bool MoveOnto(int from, int to) {
    if (from == to) return false;
    Copy(slot_, from);
    if (!Paste(to, true) || !Cut(from, true)) return false;
    op = UndoOp::MoveByDrag;
    entry = true;
    return true;
  }

  // Backing Sequences and KBD Sets: the item is taken out and put back before the target,
  // those in between closing up. A Backing Sequence's chaining follows the sequences.
  bool MoveBefore(int from, int to) {
    // Dropping a Backing Sequence on itself or on the one after it leaves it where it is.
    if (to == from || (kind_ == Kind::BackingSequence && to == from + 1)) return false;
    if (prompter_.Ask({MoveQuestion(kind_, from, to), "", MessageIcon::Question,
                       MessageButtons::YesNo, Answer::Yes}) != Answer::Yes) {
      return false;
    }
    const int landing = to > from ? to - 1 : to;
    const int count = PositionCount(kind_);
    if (kind_ == Kind::BackingSequence) {
      SequenceLengths lengths{};
      for (int p = 0; p < count; ++p) {
        lengths[static_cast<std::size_t>(NewPosition(p, from, landing))] =
            set_.backingSequences.trackLength[static_cast<std::size_t>(p)];
      }
      if (!Fits(lengths)) return RefuseNoRoom();
    }
    Copy(slot_, from);
    std::vector<ItemImage> items;
    for (int p = 0; p < count; ++p)
      items.push_back(ReadItem(set_, kind_, p));
    for (int p = 0; p < count; ++p)
      WriteItem(set_, kind_, NewPosition(p, from, landing), items[static_cast<std::size_t>(p)]);
    if (kind_ == Kind::BackingSequence) {
      for (BsqRecord& r : set_.backingSequences.records) {
        const int next = r.Next();
        if (next < kBsqCount)
          r.SetNext(static_cast<std::uint8_t>(NewPosition(next, from, landing)));
      }
    }
    LayOutSequences();
    op = UndoOp::MoveByDrag;
    entry = true;
    return true;
  }

  Workspace& ws_;
  Prompter& prompter_;
  const EditKind& k_;
  Kind kind_;
  int slot_;
  FileSet& set_;
};

// ---- Commands as transactions ----------------------------------------------------

void MarkModified(Workspace& ws, int slot, Kind kind) {
  ws.sets.Entry(slot).Modified[static_cast<std::size_t>(KindIndex(kind))] = true;
}

// Runs an operation that may change the Set in `slot` as one transaction: done, it marks
// its own kind and every kind it changed as modified and, when undoable, becomes the
// kind's undo; not done, it leaves the Set exactly as it was.
template <typename Operation>
bool RunChange(Workspace& ws, Prompter& prompter, const EditKind& k, int slot, Operation&& run) {
  EditTransaction transaction(ws.sets.Files(slot), slot);
  Engine engine(ws, prompter, k, slot);
  const bool done = run(engine);
  if (done) {
    Journal journal = transaction.Changes();
    const ChangedKinds changed = KindsOf(journal);
    for (const Kind kind : kStoredKinds) {
      if (changed[static_cast<std::size_t>(KindIndex(kind))]) MarkModified(ws, slot, kind);
    }
    MarkModified(ws, slot, k.kind);
    if (engine.op != UndoOp::None) ws.edits.Undo(k.kind) = {engine.op, std::move(journal)};
  } else {
    transaction.Abandon();
  }
  if (engine.entry) ws.sets.Entry(slot).UndoEnabled = *engine.entry;
  return done;
}

// Erase Bank and Import replace what Undo would put back: an undo left for this Set and
// kind is dropped, and the Set window's Undo entry disabled.
void ForgetUndo(Workspace& ws, int slot, Kind kind) {
  if (const EditKind* k = EditKindOf(kind);
      k != nullptr && ws.edits.Undo(kind).journal.slot == slot) {
    ws.edits.Undo(kind) = {};
  }
  ws.sets.Entry(slot).UndoEnabled = false;
}

bool EraseBank(Workspace& ws, Prompter& prompter, int slot, const EditKind& k, int bank) {
  if (prompter.Ask({"Bank Erasing can't be undone\nContinue?", "", MessageIcon::Exclamation,
                    MessageButtons::OkCancel, Answer::Ok}) != Answer::Ok) {
    return false;
  }
  std::vector<int> positions;
  if (k.kind == Kind::BackingSequence || k.kind == Kind::KbdSet) {
    for (int i = 0; i < PositionCount(k.kind); ++i)
      positions.push_back(i);
  } else {
    // Only the user positions of the bank shown: bank C, bank F, or the Drum Kits of R.
    for (int index = 0; index <= BankLastIndex(k.kind, bank); ++index) {
      const int user = ItemUserIndexOf(k.kind, bank, index);
      if (user >= 0) positions.push_back(user);
    }
  }
  if (positions.empty()) return true;
  FileSet& set = ws.sets.Files(slot);
  for (const int i : positions)
    WriteItem(set, k.kind, i, BlankItem(ws.blanks, k.kind, i));
  if (k.kind == Kind::BackingSequence) {
    set.backingSequences.trackStart[0][0] = kBsqBase;
    RebuildTrackStarts(set.backingSequences);
  }
  MarkModified(ws, slot, k.kind);
  ForgetUndo(ws, slot, k.kind);
  return true;
}

bool Undo(Workspace& ws, int slot, Kind kind) {
  if (!UndoAvailable(ws, SetSlot{slot})) return false;
  if (EditKindOf(kind) != nullptr) {
    UndoState& state = ws.edits.Undo(kind);
    const int where = state.journal.slot;
    if (state.op != UndoOp::None && ws.sets.InUse(where)) {
      const ChangedKinds restored = RevertJournal(state.journal, ws.sets.Files(where));
      for (const Kind k : kStoredKinds) {
        if (restored[static_cast<std::size_t>(KindIndex(k))]) MarkModified(ws, where, k);
      }
      MarkModified(ws, where, kind);
    }
    state = {};
  }
  ws.sets.Entry(slot).UndoEnabled = false;
  return true;
}

}  // namespace

bool RunEditCommand(Workspace& ws, Prompter& prompter, SetSlot setSlot, Kind kind,
                    EditCommand command, ItemIndex itemIndex, BankNo bank) {
  const int slot = Value(setSlot);
  const int i = Value(itemIndex);
  if (!ws.sets.InUse(slot)) return false;
  if (command == EditCommand::Undo) return Undo(ws, slot, kind);
  if (command == EditCommand::Import) {
    if (!ImportAllItems(ws, prompter, slot, kind)) return false;
    ForgetUndo(ws, slot, kind);
    return true;
  }
  const EditKind* k = EditKindOf(kind);
  if (k == nullptr) return false;
  switch (command) {
    case EditCommand::Copy: {
      if (!IsPosition(kind, i)) return false;
      Engine(ws, prompter, *k, slot).Copy(slot, i);
      return true;
    }
    case EditCommand::Cut:
      return RunChange(ws, prompter, *k, slot, [i](Engine& e) { return e.Cut(i, false); });
    case EditCommand::Paste: {
      const bool done =
          RunChange(ws, prompter, *k, slot, [i](Engine& e) { return e.Paste(i, false); });
      // Warned about whatever the paste did: the names may have been equal before it.
      if (k->duplicates) CheckDuplicateNames(ws, prompter, slot, kind);
      return done;
    }
    case EditCommand::PasteWithCalls: {
      const bool done =
          RunChange(ws, prompter, *k, slot, [i](Engine& e) { return e.PasteWithCalls(i); });
      if (done && k->duplicates) CheckDuplicateNames(ws, prompter, slot, kind);
      return done;
    }
    case EditCommand::Delete:
      return RunChange(ws, prompter, *k, slot, [i](Engine& e) { return e.Delete(i); });
    case EditCommand::Insert: {
      const bool done = RunChange(ws, prompter, *k, slot, [i](Engine& e) { return e.Insert(i); });
      if (done && k->duplicates) CheckDuplicateNames(ws, prompter, slot, kind);
      return done;
    }
    case EditCommand::PasteFromIStyle:
      return RunChange(ws, prompter, *k, slot, [i](Engine& e) { return e.LoadOne(i); });
    case EditCommand::EraseBank:
      return EraseBank(ws, prompter, slot, *k, Value(bank));
    default:
      return false;
  }
}

bool RunDrop(Workspace& ws, Prompter& prompter, Kind kind, SetSlot fromSlot, ItemIndex from,
             SetSlot toSlot, ItemIndex to, bool withCalls) {
  const EditKind* k = EditKindOf(kind);
  if (k == nullptr || !ws.sets.InUse(Value(fromSlot)) || !ws.sets.InUse(Value(toSlot))) {
    return false;
  }
  return RunChange(ws, prompter, *k, Value(toSlot), [&](Engine& e) {
    return e.Drop(Value(fromSlot), Value(from), Value(to), withCalls);
  });
}

bool ApplyRecordChanges(Workspace& ws, Prompter& prompter, SetSlot setSlot, Kind kind,
                        ItemIndex index, std::span<const BytePatch> changes) {
  const int slot = Value(setSlot);
  if (!ws.sets.InUse(slot)) return false;
  if (kind == Kind::ArrangementGlobal || kind == Kind::Global) {
    // The Set's two settings records have no undo, as an import of them has none.
    FileSet& set = ws.sets.Files(slot);
    if (!PatchBytes(kind == Kind::Global ? std::span<std::uint8_t>(set.global.record)
                                         : std::span<std::uint8_t>(set.arrangementGlobal.record),
                    changes)) {
      return false;
    }
    MarkModified(ws, slot, kind);
    return true;
  }
  const EditKind* k = EditKindOf(kind);
  if (k == nullptr || !IsPosition(kind, Value(index))) return false;
  const bool done =
      RunChange(ws, prompter, *k, slot, [&](Engine& e) { return e.Patch(Value(index), changes); });
  if (done && k->duplicates) CheckDuplicateNames(ws, prompter, slot, kind);
  return done;
}

bool ApplyToEveryRecord(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind,
                        std::span<const BytePatch> changes) {
  const EditKind* k = EditKindOf(kind);
  if (k == nullptr || !ws.sets.InUse(Value(slot))) return false;
  return RunChange(ws, prompter, *k, Value(slot), [&](Engine& e) { return e.PatchEvery(changes); });
}

bool RedirectAllCalls(Workspace& ws, SetSlot setSlot, Kind kind, int from, int to) {
  const int slot = Value(setSlot);
  if (!ws.sets.InUse(slot) || from == to) return false;
  const auto changed = RedirectCalls(ws.sets.Files(slot), kind, from, to);
  bool any = false;
  for (const Kind k : kStoredKinds) {
    if (changed[static_cast<std::size_t>(KindIndex(k))]) {
      MarkModified(ws, slot, k);
      any = true;
    }
  }
  if (any) ForgetUndo(ws, slot, kind);
  return any;
}

bool CanStartDrag(const Workspace& ws, SetSlot slot, Kind kind, ItemIndex index) {
  return EditKindOf(kind) != nullptr && ws.sets.InUse(Value(slot)) &&
         IsPosition(kind, Value(index)) &&
         !IsEmptyPosition(ws.sets.Files(Value(slot)), kind, Value(index));
}

bool CanPasteWithCalls(const Workspace& ws, SetSlot slot, Kind kind) {
  if (kind != Kind::Arrangement && kind != Kind::Style && kind != Kind::BackingSequence &&
      kind != Kind::KbdSet) {
    return false;
  }
  const ItemBuffer& clip = ws.edits.Clipboard(kind);
  return clip.FromASet() && clip.sourceSet != Value(slot) && ws.sets.InUse(clip.sourceSet) &&
         ws.sets.InUse(Value(slot));
}

bool UndoAvailable(const Workspace& ws, SetSlot slot) {
  return ws.sets.InUse(Value(slot)) && ws.sets.Entry(Value(slot)).UndoEnabled;
}

std::string UndoMenuCaption(const SetEntry& entry) {
  return entry.UndoEnabled ? "&Undo" : "Can't Undo";
}

bool CheckDuplicateNames(Workspace& ws, Prompter& prompter, int slot, Kind kind) {
  if (!ws.settings.WarnDupl) return false;
  const EditKind* k = EditKindOf(kind);
  if (k == nullptr || !k->duplicates) return false;
  const FileSet& set = ws.sets.Files(slot);
  std::vector<std::string> names;
  for (int i = 0; i < PositionCount(kind); ++i)
    names.push_back(RecordName(kind, RecordBytes(set, kind, i)));
  std::vector<std::pair<int, int>> pairs;
  if (kind == Kind::Program) {
    pairs = AllEarlierPairs(0, kUserProgramCount);
    pairs.emplace_back(kUserProgramCount + 1, kUserProgramCount);  // the two Drum Kits
  } else {
    pairs = AllEarlierPairs(0, PositionCount(kind));
  }
  return WarnDuplicateNames(prompter, std::string(KindName(kind)), names, pairs,
                            [kind](int i) { return ItemUserLabel(kind, i); });
}

void WarnDuplicatesAfterOpening(Workspace& ws, Prompter& prompter, int slot) {
  for (const Kind kind : {Kind::Arrangement, Kind::Style, Kind::Program})
    CheckDuplicateNames(ws, prompter, slot, kind);
}

}  // namespace i40
