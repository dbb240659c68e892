#include "edit/edit_engine.h"

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "calls/callers.h"
#include "calls/calls_check.h"
#include "calls/duplicate_names.h"
#include "edit/batch_prompter.h"
#include "edit/called_items.h"
#include "edit/import_all.h"
#include "format/arrangement_file.h"
#include "format/bsq_file.h"
#include "format/item_image.h"
#include "format/item_numbers.h"
#include "format/kind_table.h"
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

// The edit rules of a kind that has an Edit menu of its own; nothing for another kind.
const EditRules* EditRulesOf(Kind kind) {
  const EditRules& rules = FactsOf(kind).edit;
  return rules.editable ? &rules : nullptr;
}

// "C12", "3", "A1": a position as the questions and messages name it.
std::string PositionLabel(Kind kind, ItemIndex index) {
  return FactsOf(kind).positionLabel(index);
}

// Asked before an item that others call is overwritten, cut, deleted or pushed out.
std::string CallersQuestion(Kind kind, const std::string& name) {
  const KindWords& words = FactsOf(kind).words;
  return std::string(words.callersPrefix) + name + std::string(words.callersSuffix);
}

// Asked before a drag inside a Set puts an item before another.
std::string MoveQuestion(Kind kind, ItemIndex from, ItemIndex to) {
  if (kind == Kind::KbdSet)
    return "Insert KBD Set " + KbdSetLabel(from) + " before " + KbdSetLabel(to);
  return "Insert Backing Sequence " + std::to_string(Value(from)) + " before " +
         std::to_string(Value(to)) + " ?";
}

// The one-item file of Edit > Paste from IStyle for a position: a Drum Kit position
// reads a Drum Kit file.
Kind OneItemKind(Kind kind, ItemIndex index) {
  const Kind file = FactsOf(kind).edit.oneItemFile;
  return file == Kind::IStyleProgram && Value(index) >= kUserProgramCount ? Kind::IStyleDrumKit
                                                                          : file;
}

// Reads the item of a one-item file as an image of its kind.
std::optional<ItemImage> ReadOneItem(Prompter& prompter, Kind kind, Kind fileKind,
                                     const ComponentFile& file) {
  FileSet scratch;
  const KindFacts& facts = FactsOf(fileKind);
  if (const ReadOutcome problem = facts.read(file.bytes, scratch)) {
    ReportLoadError(prompter, kind, *problem);
    return std::nullopt;
  }
  return ReadItem(scratch, kind, ItemIndex{facts.oneItemIndex});
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

// What one operation did: whether it changed the Set, the undo it leaves, and what the
// Set window's Undo entry becomes (nothing: left as it is), whether it was done or not.
struct Step {
  bool done = false;
  UndoOp undo = UndoOp::None;
  std::optional<bool> entry;
};

// Done, leaving `undo`; the entry off when a redirect went out, which cannot be undone.
Step Done(UndoOp undo, Confirmed answer = Confirmed::Go) {
  return {true, undo, answer != Confirmed::GoRedirected};
}

Step NotDone(std::optional<bool> entry = std::nullopt) {
  return {false, UndoOp::None, entry};
}

// One command on one kind in one Set (the target of a drag). The operations change the
// Set freely; RunChange below makes them one transaction.
class Engine {
 public:
  // `batch`: the prompter of a command on several items, which this one runs item by item.
  Engine(Workspace& ws, Prompter& prompter, Kind kind, SetSlot slot, BatchPrompter* batch = nullptr)
      : ws_(ws),
        prompter_(batch != nullptr ? *batch : prompter),
        batch_(batch),
        k_(FactsOf(kind).edit),
        kind_(kind),
        slot_(slot),
        set_(ws.sets.Files(slot)) {}

  SetSlot Slot() const { return slot_; }

  void Copy(SetSlot fromSlot, ItemIndex index) {
    ItemBuffer& clip = Clip();
    TakeIntoClipboard(kind_, clip.image, ReadItem(ws_.sets.Files(fromSlot), kind_, index));
    clip.sourceSet = fromSlot;
    clip.sourceIndex = index;
    clip.more.clear();
  }

  Step Cut(ItemIndex i, bool quiet) {
    if (!k_.cut || !IsPosition(kind_, i)) return NotDone();
    if (!k_.cutsEmpty && IsEmptyPosition(set_, kind_, i)) return NotDone();
    Confirmed answer = Confirmed::Go;
    if (!quiet) {
      answer = ConfirmCallers(i);
      if (answer == Confirmed::Cancel) return NotDone(EntryAfter(answer));
    }
    Copy(slot_, i);
    WriteItem(set_, kind_, i, Blank(i));
    LayOutSequences();
    return Done(UndoOp::Cut, answer);
  }

  Step Paste(ItemIndex i, bool move) {
    const ItemBuffer& clip = Clip();
    if (!IsPosition(kind_, i) || !clip.Filled()) return NotDone();
    if (!RoomForPaste(i, move)) return NotDone();
    Confirmed answer = Confirmed::Go;
    const bool asked = k_.called && !IsEmptyPosition(set_, kind_, i);
    if (asked) {
      answer = ConfirmCallers(i);
      if (answer == Confirmed::Cancel) return NotDone(EntryAfter(answer));
    }
    if (move && k_.called && IsPosition(kind_, clip.sourceIndex)) {
      RedirectCalls(set_, kind_, Number(clip.sourceIndex), Number(i));
    }
    WriteItem(set_, kind_, i, clip.image);
    // A cancelled calls check undoes the whole paste, a redirect of the callers included.
    if (!CheckCallsFrom(clip, i)) return NotDone(asked ? std::optional<bool>(true) : std::nullopt);
    LayOutSequences();
    return Done(UndoOp::Paste, answer);
  }

  // The copies of what the item calls go in first, so that the paste finds each by name.
  Step PasteWithCalls(ItemIndex i) {
    if (!IsPosition(kind_, i) || !CanPasteWithCalls(ws_, slot_, kind_)) return NotDone();
    const ItemBuffer& clip = Clip();
    const auto missing = CopyCalledItems(ws_.sets.Files(clip.sourceSet), set_, kind_,
                                         std::span(clip.image).first(RecordSize(kind_)));
    if (!missing.empty()) {
      std::string text = "Paste with Calls needs room for:";
      for (const std::string& item : missing)
        text += "\n" + item;
      prompter_.Ask({text + "\nNothing has been changed.", "", MessageIcon::Exclamation,
                     MessageButtons::Ok, Answer::Ok});
      return NotDone();
    }
    return Paste(i, false);
  }

  Step Delete(ItemIndex i) {
    if (k_.shiftLast < 0 || Value(i) < 0 || Value(i) > k_.shiftLast) return NotDone();
    if (k_.sequences && !Fits(LengthsAfterDelete(i))) return RefuseNoRoom();
    const Confirmed answer = ConfirmCallers(i);
    if (answer == Confirmed::Cancel) return NotDone(EntryAfter(answer));
    Copy(slot_, i);
    for (int j = Value(i) + 1; j <= k_.shiftLast; ++j)
      MoveItem(ItemIndex{j}, ItemIndex{j - 1});
    WriteItem(set_, kind_, Last(), Blank(Last()));
    LayOutSequences();
    return Done(UndoOp::Delete, answer);
  }

  Step Insert(ItemIndex i) {
    ItemBuffer& clip = Clip();
    // Nothing to insert until something was copied.
    if (k_.shiftLast < 0 || Value(i) < 0 || Value(i) > k_.shiftLast || !clip.Filled())
      return NotDone();
    if (k_.sequences && !Fits(LengthsAfterInsert(i, clip.image))) return RefuseNoRoom();
    const Confirmed answer = ConfirmCallers(Last());  // the item pushed out
    if (answer == Confirmed::Cancel) return NotDone(EntryAfter(answer));
    const ItemImage pushedOut = ReadItem(set_, kind_, Last());
    for (int j = k_.shiftLast; j > Value(i); --j)
      MoveItem(ItemIndex{j - 1}, ItemIndex{j});
    WriteItem(set_, kind_, i, clip.image);
    // An item from another Set brings calls numbered for that Set: settled as a paste's.
    if (!CheckCallsFrom(clip, i)) return NotDone(EntryAfter(answer));
    // The item pushed out of the last position can now be pasted elsewhere.
    TakeIntoClipboard(kind_, clip.image, pushedOut);
    clip.sourceSet = slot_;
    clip.sourceIndex = i;
    clip.more.clear();
    LayOutSequences();
    return Done(UndoOp::Insert, answer);
  }

  Step LoadOne(ItemIndex i) {
    if (k_.oneItemFile == Kind::Song || !IsPosition(kind_, i)) return NotDone();
    const Kind fileKind = OneItemKind(kind_, i);
    const std::string title = "Load one " + std::string(KindName(kind_)) + " from " +
                              std::string(KindExt(fileKind)) + " file...";
    const auto file = AskForComponentFile(ws_, prompter_, title, fileKind);
    if (!file) return NotDone();
    const auto item = ReadOneItem(prompter_, kind_, fileKind, *file);
    if (!item) return NotDone();
    ItemBuffer& clip = Clip();
    TakeIntoClipboard(kind_, clip.image, *item);
    clip.sourceSet = ItemBuffer::kNotFromASet;
    clip.sourceIndex = kNoIndex;
    const Step pasted = Paste(i, false);
    if (pasted.done) CheckDuplicateNames(ws_, prompter_, slot_, kind_);
    return pasted;
  }

  // A drop on the target position of this Set from a position of the same Set or another.
  Step Drop(SetSlot fromSlot, ItemIndex from, ItemIndex to, bool withCalls) {
    if (!IsPosition(kind_, from) || !IsPosition(kind_, to)) return NotDone();
    if (!CanStartDrag(ws_, fromSlot, kind_, from)) return NotDone();
    if (fromSlot != slot_) return CopyByDrag(fromSlot, from, to, withCalls);
    return k_.dragMoves ? MoveOnto(from, to) : MoveBefore(from, to);
  }

  // The bytes a dialog changed, in one record or in every record of the kind; nothing
  // done when the records already held them.
  Step Patch(ItemIndex i, std::span<const BytePatch> changes) {
    if (!PatchBytes(RecordBytes(set_, kind_, i), changes)) return NotDone();
    return Done(UndoOp::Details);
  }
  Step PatchEvery(std::span<const BytePatch> changes) {
    bool changed = false;
    for (int i = 0; i < PositionCount(kind_); ++i)
      changed = PatchBytes(RecordBytes(set_, kind_, ItemIndex{i}), changes) || changed;
    return changed ? Done(UndoOp::Details) : NotDone();
  }

 private:
  ItemBuffer& Clip() { return ws_.edits.Clipboard(kind_); }
  ItemNumber Number(ItemIndex index) const { return ItemNumberOfUserIndex(kind_, index); }
  ItemImage Blank(ItemIndex index) const { return BlankItem(ws_.blanks, kind_, index); }
  // The last position Delete and Insert move.
  ItemIndex Last() const { return ItemIndex{k_.shiftLast}; }
  static std::size_t At(ItemIndex index) { return static_cast<std::size_t>(Value(index)); }

  // The item at `from` moves to `to`; the calls of the kind's callers follow it.
  void MoveItem(ItemIndex from, ItemIndex to) {
    if (k_.called) RedirectCalls(set_, kind_, Number(from), Number(to));
    WriteItem(set_, kind_, to, ReadItem(set_, kind_, from));
  }

  void LayOutSequences() {
    if (k_.sequences) RebuildTrackStarts(set_.backingSequences);
  }

  // The Undo entry once the callers were asked about: off after a redirect, which cannot
  // be undone, on otherwise; left as it is for a kind nobody calls.
  std::optional<bool> EntryAfter(Confirmed answer) const {
    if (!k_.called) return std::nullopt;
    return answer != Confirmed::GoRedirected;
  }

  // Cancel stops; No goes on and leaves the callers on the position; Yes opens the
  // picker on the item, and a different choice redirects the callers there. A
  // redirection cannot be undone, so it leaves the Undo entry disabled.
  Confirmed ConfirmCallers(ItemIndex i) {
    if (!k_.called) return Confirmed::Go;
    const ItemNumber number = Number(i);
    Confirmed answer = Confirmed::Go;
    if (!CallersOf(set_, kind_, number).empty()) {
      const std::string name = ShownName(kind_, RecordBytes(set_, kind_, i));
      if (batch_ != nullptr)
        batch_->Expect(QuestionTopic::Callers, PositionLabel(kind_, i) + " " + name, Value(i));
      switch (prompter_.Ask({CallersQuestion(kind_, name), "", MessageIcon::Exclamation,
                             MessageButtons::YesNoCancel, Answer::Cancel})) {
        case Answer::Yes: {
          const ItemNumber chosen = prompter_.Pick({kind_, slot_, number, "", ""});
          if (chosen != kNoNumber && chosen != number) {
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
    return answer;
  }

  // An item that came from another open Set has its calls re-pointed by name.
  bool CheckCallsFrom(const ItemBuffer& clip, ItemIndex i) {
    if (!clip.FromASet() || clip.sourceSet == slot_) return true;
    return CheckPastedCalls(ws_, prompter_, kind_, clip.sourceSet, slot_, i,
                            std::span(clip.image).first(RecordSize(kind_)));
  }

  // Styles share the events of their Block; Backing Sequences must fit their file.
  bool RoomForPaste(ItemIndex i, bool move) {
    const ItemBuffer& clip = Clip();
    if (k_.sequences) {
      SequenceLengths lengths = set_.backingSequences.trackLength;
      lengths[At(i)] = BsqImageLengths(clip.image);
      return Fits(lengths) || RefuseNoRoom().done;
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
  Step RefuseNoRoom() {
    prompter_.ShowWarning(kNoRoomText);
    return NotDone();
  }
  SequenceLengths LengthsAfterDelete(ItemIndex i) const {
    SequenceLengths lengths = set_.backingSequences.trackLength;
    for (int j = Value(i); j < kBsqCount - 1; ++j)
      lengths[static_cast<std::size_t>(j)] = lengths[static_cast<std::size_t>(j) + 1];
    lengths[kBsqCount - 1] = {};
    return lengths;
  }
  SequenceLengths LengthsAfterInsert(ItemIndex i, const ItemImage& item) const {
    SequenceLengths lengths = set_.backingSequences.trackLength;
    for (int j = kBsqCount - 1; j > Value(i); --j)
      lengths[static_cast<std::size_t>(j)] = lengths[static_cast<std::size_t>(j) - 1];
    lengths[At(i)] = BsqImageLengths(item);
    return lengths;
  }

  Step CopyByDrag(SetSlot fromSlot, ItemIndex from, ItemIndex to, bool withCalls) {
    if (k_.sequences) {
      // Checked before the copy, so that a refused drop leaves the clipboard alone too.
      SequenceLengths lengths = set_.backingSequences.trackLength;
      lengths[At(to)] = ws_.sets.Files(fromSlot).backingSequences.trackLength[At(from)];
      if (!Fits(lengths)) return RefuseNoRoom();
    }
    Copy(fromSlot, from);
    const Step pasted =
        withCalls && CanPasteWithCalls(ws_, slot_, kind_) ? PasteWithCalls(to) : Paste(to, false);
    if (!pasted.done) return pasted;
    // A drag of several items warns once, after the last.
    if (k_.duplicates && batch_ == nullptr) CheckDuplicateNames(ws_, prompter_, slot_, kind_);
    return Done(UndoOp::CopyByDrag);
  }

  // Arrangements, Styles and Programs: the item goes onto the target and its callers
  // follow it; the source becomes empty.
  Step MoveOnto(ItemIndex from, ItemIndex to) {
    if (from == to) return NotDone();
    Copy(slot_, from);
    const Step pasted = Paste(to, true);
    if (!pasted.done) return pasted;
    if (!Cut(from, true).done) return NotDone(pasted.entry);
    return Done(UndoOp::MoveByDrag);
  }

  // Backing Sequences and KBD Sets: the item is taken out and put back before the target,
  // those in between closing up. A Backing Sequence's chaining follows the sequences.
  Step MoveBefore(ItemIndex fromIndex, ItemIndex toIndex) {
    const int from = Value(fromIndex);
    const int to = Value(toIndex);
    // Dropping a Backing Sequence on itself or on the one after it leaves it where it is.
    if (to == from || (k_.sequences && to == from + 1)) return NotDone();
    if (batch_ != nullptr)
      batch_->Expect(QuestionTopic::Move, PositionLabel(kind_, fromIndex), from);
    if (prompter_.Ask({MoveQuestion(kind_, fromIndex, toIndex), "", MessageIcon::Question,
                       MessageButtons::YesNo, Answer::Yes}) != Answer::Yes) {
      return NotDone();
    }
    const int landing = to > from ? to - 1 : to;
    const int count = PositionCount(kind_);
    if (k_.sequences) {
      SequenceLengths lengths{};
      for (int p = 0; p < count; ++p) {
        lengths[static_cast<std::size_t>(NewPosition(p, from, landing))] =
            set_.backingSequences.trackLength[static_cast<std::size_t>(p)];
      }
      if (!Fits(lengths)) return RefuseNoRoom();
    }
    Copy(slot_, fromIndex);
    std::vector<ItemImage> items;
    for (int p = 0; p < count; ++p)
      items.push_back(ReadItem(set_, kind_, ItemIndex{p}));
    for (int p = 0; p < count; ++p) {
      WriteItem(set_, kind_, ItemIndex{NewPosition(p, from, landing)},
                items[static_cast<std::size_t>(p)]);
    }
    if (k_.sequences) {
      for (BsqRecord& r : set_.backingSequences.records) {
        const int next = r.Next();
        if (next < kBsqCount)
          r.SetNext(static_cast<std::uint8_t>(NewPosition(next, from, landing)));
      }
    }
    LayOutSequences();
    return Done(UndoOp::MoveByDrag);
  }

  Workspace& ws_;
  Prompter& prompter_;
  BatchPrompter* batch_;
  const EditRules& k_;
  Kind kind_;
  SetSlot slot_;
  FileSet& set_;
};

// ---- Commands as transactions ----------------------------------------------------

void MarkModified(Workspace& ws, SetSlot slot, Kind kind) {
  ws.sets.Entry(slot).Modified[static_cast<std::size_t>(KindIndex(kind))] = true;
}

// Marks every kind of `changed` modified, and returns what the command did.
EditOutcome Outcome(Workspace& ws, SetSlot slot, const ChangedKinds& changed) {
  EditOutcome outcome{true, changed, false};
  for (const Kind kind : kStoredKinds) {
    if (changed[static_cast<std::size_t>(KindIndex(kind))]) MarkModified(ws, slot, kind);
  }
  outcome.undoAvailable = ws.sets.Entry(slot).UndoEnabled;
  return outcome;
}

ChangedKinds Only(Kind kind) {
  ChangedKinds changed{};
  changed[static_cast<std::size_t>(KindIndex(kind))] = true;
  return changed;
}

EditOutcome NothingDone(const Workspace& ws, SetSlot slot) {
  return {false, {}, ws.sets.InUse(slot) && ws.sets.Entry(slot).UndoEnabled};
}

// Runs an operation that may change the Set in `slot` as one transaction: done, it marks
// its own kind and every kind it changed as modified and, when undoable, becomes the
// kind's undo; not done, it leaves the Set exactly as it was.
template <typename Operation>
EditOutcome RunChange(Workspace& ws, Prompter& prompter, Kind kind, SetSlot slot, Operation&& run,
                      BatchPrompter* batch = nullptr) {
  EditTransaction transaction(ws.sets.Files(slot), slot);
  Engine engine(ws, prompter, kind, slot, batch);
  const Step step = run(engine);
  if (step.entry) ws.sets.Entry(slot).UndoEnabled = *step.entry;
  if (!step.done) {
    transaction.Abandon();
    return NothingDone(ws, slot);
  }
  Journal journal = transaction.Changes();
  ChangedKinds changed = KindsOf(journal);
  changed[static_cast<std::size_t>(KindIndex(kind))] = true;
  if (step.undo != UndoOp::None) ws.edits.Undo(kind) = {step.undo, std::move(journal)};
  return Outcome(ws, slot, changed);
}

// Erase Bank and Import replace what Undo would put back: an undo left for this Set and
// kind is dropped, and the Set window's Undo entry disabled.
void ForgetUndo(Workspace& ws, SetSlot slot, Kind kind) {
  if (EditRulesOf(kind) != nullptr && ws.edits.Undo(kind).journal.slot == slot) {
    ws.edits.Undo(kind) = {};
  }
  ws.sets.Entry(slot).UndoEnabled = false;
}

EditOutcome EraseBank(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind, BankNo bank) {
  if (prompter.Ask({"Bank Erasing can't be undone\nContinue?", "", MessageIcon::Exclamation,
                    MessageButtons::OkCancel, Answer::Ok}) != Answer::Ok) {
    return NothingDone(ws, slot);
  }
  std::vector<ItemIndex> positions;
  if (FactsOf(kind).banks.empty()) {
    for (int i = 0; i < PositionCount(kind); ++i)
      positions.push_back(ItemIndex{i});
  } else {
    // Only the user positions of the bank shown: bank C, bank F, or the Drum Kits of R.
    for (int index = 0; index <= BankLastIndex(kind, bank); ++index) {
      const ItemIndex user = ItemUserIndexOf(kind, {bank, index});
      if (user != kNoIndex) positions.push_back(user);
    }
  }
  if (positions.empty()) return {true, {}, ws.sets.Entry(slot).UndoEnabled};
  FileSet& set = ws.sets.Files(slot);
  for (const ItemIndex i : positions)
    WriteItem(set, kind, i, BlankItem(ws.blanks, kind, i));
  if (FactsOf(kind).edit.sequences) {
    set.backingSequences.trackStart[0][0] = kBsqBase;
    RebuildTrackStarts(set.backingSequences);
  }
  ForgetUndo(ws, slot, kind);
  return Outcome(ws, slot, Only(kind));
}

EditOutcome Undo(Workspace& ws, SetSlot slot, Kind kind) {
  if (!UndoAvailable(ws, slot)) return NothingDone(ws, slot);
  ChangedKinds restored{};
  SetSlot where = slot;
  if (EditRulesOf(kind) != nullptr) {
    UndoState& state = ws.edits.Undo(kind);
    where = state.journal.slot;
    if (state.op != UndoOp::None && ws.sets.InUse(where)) {
      restored = RevertJournal(state.journal, ws.sets.Files(where));
      restored[static_cast<std::size_t>(KindIndex(kind))] = true;
      for (const Kind k : kStoredKinds) {
        if (restored[static_cast<std::size_t>(KindIndex(k))]) MarkModified(ws, where, k);
      }
    }
    state = {};
  }
  ws.sets.Entry(slot).UndoEnabled = false;
  // What changed is in the Set the undo went back to (this one, as a rule).
  return {true, where == slot ? restored : ChangedKinds{}, false};
}

// ---- Commands on several items ----------------------------------------------------

// A command on several items: the one-item command on each, in the order given.
struct Batch {
  std::vector<ItemIndex> items;  // the item of each step, in the order the steps run
  std::function<Step(Engine&, std::size_t step)> step;
  std::function<void()> begin;   // before the rehearsal and before the real run
  std::function<void()> finish;  // after a real run that did something
  std::string moveQuestion;      // the one question of a drag of several inside a Set
};

// A refusal as one line of the list of what does not fit.
std::string RefusalLine(Kind kind, const NotedRefusal& refusal) {
  std::string text = refusal.text;
  const std::string nothing = "Nothing has been changed.";
  if (const auto at = text.rfind(nothing); at != std::string::npos) text.erase(at);
  while (!text.empty() && text.back() == '\n')
    text.pop_back();
  std::replace(text.begin(), text.end(), '\n', ' ');
  return PositionLabel(kind, ItemIndex{refusal.position}) + ": " + text;
}

// Everything the rehearsal refused, in one message; true when there was something.
bool RefuseWhatDoesNotFit(Prompter& prompter, Kind kind, std::vector<NotedRefusal> refusals) {
  if (refusals.empty()) return false;
  std::stable_sort(
      refusals.begin(), refusals.end(),
      [](const NotedRefusal& a, const NotedRefusal& b) { return a.position < b.position; });
  std::string text = "These items do not fit:";
  std::string last;
  for (const NotedRefusal& refusal : refusals) {
    const std::string line = RefusalLine(kind, refusal);
    if (line != last) text += "\n" + line;
    last = line;
  }
  prompter.Ask({text + "\nNothing has been changed.", "", MessageIcon::Exclamation,
                MessageButtons::Ok, Answer::Ok});
  return true;
}

std::string CombinedQuestion(Kind kind, QuestionTopic topic,
                             const std::vector<NotedQuestion*>& asked, const Batch& batch) {
  std::string lines;
  for (const NotedQuestion* q : asked)
    lines += "\n" + q->line;
  const KindWords& words = FactsOf(kind).words;
  switch (topic) {
    case QuestionTopic::Callers:
      return std::string(words.callersManyHead) + lines + "\n" +
             std::string(words.callersManyQuestion);
    case QuestionTopic::Move:
      return batch.moveQuestion;
    default:
      return "These calls go to items the Set lacks:" + lines +
             "\n\nRedirect each of them to an existing item?";
  }
}

// Each topic of question once, for every item it concerns; Yes opens the picker once per
// item, in position order. False at a Cancel (or a No to a drag), anywhere.
bool AskOnceForAll(Prompter& prompter, BatchPrompter& batch, Kind kind, const Batch& plan) {
  for (const QuestionTopic topic :
       {QuestionTopic::Callers, QuestionTopic::MissingCall, QuestionTopic::Move}) {
    std::vector<NotedQuestion*> asked;
    for (NotedQuestion& q : batch.questions()) {
      if (q.topic == topic) asked.push_back(&q);
    }
    if (asked.empty()) continue;
    std::stable_sort(
        asked.begin(), asked.end(),
        [](const NotedQuestion* a, const NotedQuestion* b) { return a->position < b->position; });
    Message question = asked.front()->message;
    if (asked.size() > 1) question.text = CombinedQuestion(kind, topic, asked, plan);
    const Answer answer = prompter.Ask(question);
    if (answer == Answer::Cancel || (topic == QuestionTopic::Move && answer != Answer::Yes))
      return false;
    batch.Answer(topic, answer);
    if (answer != Answer::Yes) continue;
    for (NotedQuestion* q : asked) {
      if (!q->pick) continue;
      PickRequest request = *q->pick;
      if (asked.size() > 1) request.item = q->line;
      q->chosen = prompter.Pick(request);
      if (Value(q->chosen) < 0) return false;
    }
  }
  return true;
}

// Runs a command on several items as one transaction: a rehearsal on the Set finds what
// would not fit and what would be asked; then each kind of question is asked once, and
// the real run gives those answers. Anything refused or cancelled changes nothing, the
// clipboard and the Undo entry included.
EditOutcome RunBatch(Workspace& ws, Prompter& prompter, Kind kind, SetSlot slot,
                     const Batch& plan) {
  const ItemBuffer clipboard = ws.edits.Clipboard(kind);
  BatchPrompter batch(prompter);
  std::vector<bool> rehearsed(plan.items.size(), false);
  batch.Rehearse();
  {
    EditTransaction rehearsal(ws.sets.Files(slot), slot);
    Engine engine(ws, prompter, kind, slot, &batch);
    if (plan.begin) plan.begin();
    for (std::size_t s = 0; s < plan.items.size(); ++s) {
      batch.BeginStep(s, Value(plan.items[s]));
      rehearsed[s] = plan.step(engine, s).done;
    }
    rehearsal.Abandon();
  }
  ws.edits.Clipboard(kind) = clipboard;
  if (RefuseWhatDoesNotFit(prompter, kind, batch.refusals()) ||
      !AskOnceForAll(prompter, batch, kind, plan)) {
    return NothingDone(ws, slot);
  }
  batch.Perform();
  const EditOutcome outcome = RunChange(
      ws, prompter, kind, slot,
      [&](Engine& engine) {
        if (plan.begin) plan.begin();
        Step all{false, UndoOp::None, true};
        for (std::size_t s = 0; s < plan.items.size(); ++s) {
          batch.BeginStep(s, Value(plan.items[s]));
          const Step step = plan.step(engine, s);
          // What the rehearsal did and the real run did not was cancelled on the way.
          if (!step.done) {
            if (rehearsed[s]) return NotDone();
            continue;
          }
          all.done = true;
          if (all.undo == UndoOp::None) all.undo = step.undo;
          if (step.entry == false) all.entry = false;
        }
        return all;
      },
      &batch);
  if (outcome.done && plan.finish) {
    plan.finish();
  } else if (!outcome.done) {
    ws.edits.Clipboard(kind) = clipboard;
  }
  return outcome;
}

// The positions of a selection the kind has, in position order, each once.
std::vector<ItemIndex> InPositionOrder(Kind kind, std::span<const ItemIndex> selection) {
  std::vector<ItemIndex> items;
  for (const ItemIndex i : selection) {
    if (IsPosition(kind, i)) items.push_back(i);
  }
  std::sort(items.begin(), items.end());
  items.erase(std::unique(items.begin(), items.end()), items.end());
  return items;
}

// The last position that `count` items from `first` on may reach: the end of the bank
// of `first` (Programs and Drum Kits are banks of their own), or the last one Insert moves.
ItemIndex LastReachable(Kind kind, ItemIndex first, bool inserting) {
  const KindFacts& facts = FactsOf(kind);
  if (inserting) return ItemIndex{facts.edit.shiftLast};
  const int inUserBank = facts.userCount - facts.extraUserCount;
  if (facts.userCount > 0 && Value(first) < inUserBank) return ItemIndex{inUserBank - 1};
  return ItemIndex{PositionCount(kind) - 1};
}

// True, after saying so, when `count` items from `first` on would run past the last
// position they may take.
bool RunsPastTheEnd(Prompter& prompter, Kind kind, ItemIndex first, std::size_t count,
                    bool inserting) {
  const ItemIndex last = LastReachable(kind, first, inserting);
  if (Value(first) + static_cast<int>(count) - 1 <= Value(last)) return false;
  prompter.Ask({std::to_string(count) + " " + std::string(FactsOf(kind).words.plural) + " from " +
                    PositionLabel(kind, first) + " on would run past " + PositionLabel(kind, last) +
                    ", the last position.\nNothing has been changed.",
                "", MessageIcon::Exclamation, MessageButtons::Ok, Answer::Ok});
  return true;
}

void CopySeveral(Workspace& ws, SetSlot slot, Kind kind, const std::vector<ItemIndex>& items) {
  ItemBuffer& clip = ws.edits.Clipboard(kind);
  std::vector<ClipItem> copied;
  ItemImage image = clip.image;  // a Program keeps the Drum Kit block that it does not hold
  for (const ItemIndex i : items) {
    TakeIntoClipboard(kind, image, ReadItem(ws.sets.Files(slot), kind, i));
    copied.push_back({i, image});
  }
  clip.Hold(slot, std::move(copied));
}

// Cut and Delete of several: from the highest position to the lowest, so that each
// leaves the positions of those still to go as they were; the clipboard then holds what
// went, in position order.
EditOutcome TakeOutSeveral(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind,
                           EditCommand command, std::vector<ItemIndex> items) {
  std::reverse(items.begin(), items.end());
  auto taken = std::make_shared<std::vector<ClipItem>>();
  Batch plan;
  plan.items = items;
  plan.begin = [taken] { taken->clear(); };
  plan.step = [&, taken](Engine& engine, std::size_t s) {
    const ItemIndex i = plan.items[s];
    const Step step = command == EditCommand::Cut ? engine.Cut(i, false) : engine.Delete(i);
    if (step.done) taken->push_back({i, ws.edits.Clipboard(kind).image});
    return step;
  };
  plan.finish = [&, taken] {
    std::reverse(taken->begin(), taken->end());
    ws.edits.Clipboard(kind).Hold(slot, std::move(*taken));
  };
  return RunBatch(ws, prompter, kind, slot, plan);
}

// Paste, Paste with Calls and Insert of a clipboard of several items at `at`: Paste puts
// item i at `at` + i; Insert puts each at `at`, from the last to the first, so that they
// land in order, and leaves on the clipboard what they pushed out of the end.
EditOutcome PutSeveral(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind,
                       EditCommand command, ItemIndex at) {
  const ItemBuffer whole = ws.edits.Clipboard(kind);
  const std::size_t count = whole.Count();
  const bool inserting = command == EditCommand::Insert;
  // KBD Sets have no Insert, as for one item.
  if (inserting && FactsOf(kind).edit.shiftLast < 0) return NothingDone(ws, slot);
  if (!IsPosition(kind, at) || RunsPastTheEnd(prompter, kind, at, count, inserting))
    return NothingDone(ws, slot);
  auto pushedOut = std::make_shared<std::vector<ClipItem>>();
  Batch plan;
  for (std::size_t n = 0; n < count; ++n) {
    const std::size_t item = inserting ? count - 1 - n : n;
    plan.items.push_back(ItemIndex{Value(at) + static_cast<int>(item)});
  }
  plan.begin = [pushedOut] { pushedOut->clear(); };
  plan.step = [&, pushedOut](Engine& engine, std::size_t s) {
    const std::size_t item = inserting ? count - 1 - s : s;
    ItemBuffer& clip = ws.edits.Clipboard(kind);
    clip = whole.Only(item);
    if (command == EditCommand::PasteWithCalls) return engine.PasteWithCalls(plan.items[s]);
    if (command == EditCommand::Paste) return engine.Paste(plan.items[s], false);
    const Step step = engine.Insert(at);
    if (step.done) pushedOut->push_back(clip.Item(0));
    return step;
  };
  plan.finish = [&, pushedOut] {
    ItemBuffer& clip = ws.edits.Clipboard(kind);
    if (!inserting || pushedOut->empty()) {
      clip = whole;
      return;
    }
    std::reverse(pushedOut->begin(), pushedOut->end());
    clip.Hold(slot, std::move(*pushedOut));
  };
  return RunBatch(ws, prompter, kind, slot, plan);
}

// The order in which items move onto positions of their own Set without one landing on
// another still to move: in position order, else from the last; nothing when neither.
std::optional<std::vector<std::size_t>> SafeMoveOrder(const std::vector<ItemIndex>& from,
                                                      ItemIndex to) {
  std::vector<std::size_t> order(from.size());
  for (std::size_t n = 0; n < order.size(); ++n)
    order[n] = n;
  for (int attempt = 0; attempt < 2; ++attempt) {
    std::vector<bool> moved(from.size(), false);
    bool safe = true;
    for (const std::size_t n : order) {
      const ItemIndex target{Value(to) + static_cast<int>(n)};
      for (std::size_t other = 0; other < from.size(); ++other) {
        if (other != n && !moved[other] && from[other] == target) safe = false;
      }
      moved[n] = true;
    }
    if (safe) return order;
    std::reverse(order.begin(), order.end());
  }
  return std::nullopt;
}

// A drag of several Backing Sequences or KBD Sets inside their Set: the first goes
// before the target, each next one after the one before it, so that they keep their order.
Batch MoveSeveralBefore(Kind kind, const std::vector<ItemIndex>& from, ItemIndex to) {
  struct Places {
    std::vector<int> now;  // where each item is as the moves go on
    int landed = 0;
  };
  auto places = std::make_shared<Places>();
  Batch plan;
  plan.items = from;
  plan.begin = [places, from] {
    places->now.clear();
    for (const ItemIndex i : from)
      places->now.push_back(Value(i));
  };
  plan.step = [places, to](Engine& engine, std::size_t s) {
    const int at = places->now[s];
    const int before = s == 0 ? Value(to) : places->landed + 1;
    const Step step = engine.Drop(engine.Slot(), ItemIndex{at}, ItemIndex{before}, false);
    places->landed = step.done ? (before > at ? before - 1 : before) : at;
    for (std::size_t n = s + 1; n < places->now.size(); ++n)
      places->now[n] = NewPosition(places->now[n], at, places->landed);
    return step;
  };
  std::string labels;
  for (const ItemIndex i : from)
    labels += (labels.empty() ? "" : ", ") + PositionLabel(kind, i);
  plan.moveQuestion =
      kind == Kind::KbdSet
          ? "Insert KBD Sets " + labels + " before " + KbdSetLabel(to)
          : "Insert Backing Sequences " + labels + " before " + std::to_string(Value(to)) + " ?";
  return plan;
}

EditOutcome DropSeveral(Workspace& ws, Prompter& prompter, Kind kind, SetSlot fromSlot,
                        const std::vector<ItemIndex>& from, SetSlot toSlot, ItemIndex to,
                        bool withCalls) {
  const bool moves = fromSlot == toSlot;
  if (moves && !FactsOf(kind).edit.dragMoves) {
    return RunBatch(ws, prompter, kind, toSlot, MoveSeveralBefore(kind, from, to));
  }
  if (RunsPastTheEnd(prompter, kind, to, from.size(), false)) return NothingDone(ws, toSlot);
  std::vector<std::size_t> order(from.size());
  for (std::size_t n = 0; n < order.size(); ++n)
    order[n] = n;
  if (moves) {
    const auto safe = SafeMoveOrder(from, to);
    if (!safe) {
      prompter.Ask(
          {"The items cannot be moved onto positions that they partly hold.\n"
           "Nothing has been changed.",
           "", MessageIcon::Exclamation, MessageButtons::Ok, Answer::Ok});
      return NothingDone(ws, toSlot);
    }
    order = *safe;
  }
  Batch plan;
  for (const std::size_t n : order)
    plan.items.push_back(ItemIndex{Value(to) + static_cast<int>(n)});
  plan.step = [&, order](Engine& engine, std::size_t s) {
    return engine.Drop(fromSlot, from[order[s]], plan.items[s], withCalls);
  };
  const EditOutcome outcome = RunBatch(ws, prompter, kind, toSlot, plan);
  if (outcome.done && !moves && FactsOf(kind).edit.duplicates)
    CheckDuplicateNames(ws, prompter, toSlot, kind);
  return outcome;
}

}  // namespace

EditOutcome RunEditCommand(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind,
                           EditCommand command, ItemIndex i, BankNo bank) {
  if (!ws.sets.InUse(slot)) return {};
  if (command == EditCommand::Undo) return Undo(ws, slot, kind);
  if (command == EditCommand::Import) {
    if (!ImportAllItems(ws, prompter, slot, kind)) return NothingDone(ws, slot);
    ForgetUndo(ws, slot, kind);
    return Outcome(ws, slot, Only(kind));
  }
  const EditRules* k = EditRulesOf(kind);
  if (k == nullptr) return NothingDone(ws, slot);
  // Paste and Insert warn about duplicate names whatever they did: the names may have
  // been equal before.
  const auto warnDuplicates = [&](EditOutcome outcome) {
    if (k->duplicates) CheckDuplicateNames(ws, prompter, slot, kind);
    return outcome;
  };
  // A clipboard of several items is put in item by item.
  const bool several = ws.edits.Clipboard(kind).Count() > 1;
  switch (command) {
    case EditCommand::Copy: {
      if (!IsPosition(kind, i)) return NothingDone(ws, slot);
      Engine(ws, prompter, kind, slot).Copy(slot, i);
      return {true, {}, ws.sets.Entry(slot).UndoEnabled};
    }
    case EditCommand::Cut:
      return RunChange(ws, prompter, kind, slot, [i](Engine& e) { return e.Cut(i, false); });
    case EditCommand::Paste:
      if (several) return warnDuplicates(PutSeveral(ws, prompter, slot, kind, command, i));
      return warnDuplicates(
          RunChange(ws, prompter, kind, slot, [i](Engine& e) { return e.Paste(i, false); }));
    case EditCommand::PasteWithCalls: {
      const EditOutcome outcome =
          several && CanPasteWithCalls(ws, slot, kind)
              ? PutSeveral(ws, prompter, slot, kind, command, i)
              : RunChange(ws, prompter, kind, slot, [i](Engine& e) { return e.PasteWithCalls(i); });
      return outcome.done ? warnDuplicates(outcome) : outcome;
    }
    case EditCommand::Delete:
      return RunChange(ws, prompter, kind, slot, [i](Engine& e) { return e.Delete(i); });
    case EditCommand::Insert:
      if (several) return warnDuplicates(PutSeveral(ws, prompter, slot, kind, command, i));
      return warnDuplicates(
          RunChange(ws, prompter, kind, slot, [i](Engine& e) { return e.Insert(i); }));
    case EditCommand::PasteFromIStyle:
      return RunChange(ws, prompter, kind, slot, [i](Engine& e) { return e.LoadOne(i); });
    case EditCommand::EraseBank:
      return EraseBank(ws, prompter, slot, kind, bank);
    default:
      return NothingDone(ws, slot);
  }
}

EditOutcome RunSelectionCommand(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind,
                                EditCommand command, std::span<const ItemIndex> selection,
                                ItemIndex current, BankNo bank) {
  const bool takesSelection =
      command == EditCommand::Copy || command == EditCommand::Cut || command == EditCommand::Delete;
  const std::vector<ItemIndex> items = InPositionOrder(kind, selection);
  if (!takesSelection || items.size() < 2 || !ws.sets.InUse(slot) || EditRulesOf(kind) == nullptr)
    return RunEditCommand(ws, prompter, slot, kind, command, items.size() == 1 ? items[0] : current,
                          bank);
  if (command == EditCommand::Copy) {
    CopySeveral(ws, slot, kind, items);
    return {true, {}, ws.sets.Entry(slot).UndoEnabled};
  }
  return TakeOutSeveral(ws, prompter, slot, kind, command, items);
}

EditOutcome RunSelectionDrop(Workspace& ws, Prompter& prompter, Kind kind, SetSlot fromSlot,
                             std::span<const ItemIndex> from, SetSlot toSlot, ItemIndex to,
                             bool withCalls) {
  if (EditRulesOf(kind) == nullptr || !ws.sets.InUse(fromSlot) || !ws.sets.InUse(toSlot)) return {};
  std::vector<ItemIndex> items;
  for (const ItemIndex i : InPositionOrder(kind, from)) {
    if (CanStartDrag(ws, fromSlot, kind, i)) items.push_back(i);
  }
  if (items.empty()) return NothingDone(ws, toSlot);
  if (items.size() == 1 || !IsPosition(kind, to))
    return RunDrop(ws, prompter, kind, fromSlot, items[0], toSlot, to, withCalls);
  return DropSeveral(ws, prompter, kind, fromSlot, items, toSlot, to, withCalls);
}

EditOutcome RunDrop(Workspace& ws, Prompter& prompter, Kind kind, SetSlot fromSlot, ItemIndex from,
                    SetSlot toSlot, ItemIndex to, bool withCalls) {
  if (EditRulesOf(kind) == nullptr || !ws.sets.InUse(fromSlot) || !ws.sets.InUse(toSlot)) return {};
  return RunChange(ws, prompter, kind, toSlot,
                   [&](Engine& e) { return e.Drop(fromSlot, from, to, withCalls); });
}

EditOutcome ApplyRecordChanges(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind,
                               ItemIndex index, std::span<const BytePatch> changes) {
  if (!ws.sets.InUse(slot)) return {};
  if (kind == Kind::ArrangementGlobal || kind == Kind::Global) {
    // The Set's two settings records have no undo, as an import of them has none.
    FileSet& set = ws.sets.Files(slot);
    if (!PatchBytes(kind == Kind::Global ? std::span<std::uint8_t>(set.global.record)
                                         : std::span<std::uint8_t>(set.arrangementGlobal.record),
                    changes)) {
      return NothingDone(ws, slot);
    }
    return Outcome(ws, slot, Only(kind));
  }
  const EditRules* k = EditRulesOf(kind);
  if (k == nullptr || !IsPosition(kind, index)) return NothingDone(ws, slot);
  const EditOutcome outcome =
      RunChange(ws, prompter, kind, slot, [&](Engine& e) { return e.Patch(index, changes); });
  if (outcome.done && k->duplicates) CheckDuplicateNames(ws, prompter, slot, kind);
  return outcome;
}

EditOutcome ApplyToEveryRecord(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind,
                               std::span<const BytePatch> changes) {
  if (EditRulesOf(kind) == nullptr || !ws.sets.InUse(slot)) return {};
  return RunChange(ws, prompter, kind, slot, [&](Engine& e) { return e.PatchEvery(changes); });
}

EditOutcome RedirectAllCalls(Workspace& ws, SetSlot slot, Kind kind, ItemNumber from,
                             ItemNumber to) {
  if (!ws.sets.InUse(slot) || from == to) return NothingDone(ws, slot);
  const ChangedKinds changed = RedirectCalls(ws.sets.Files(slot), kind, from, to);
  if (changed == ChangedKinds{}) return NothingDone(ws, slot);
  ForgetUndo(ws, slot, kind);
  return Outcome(ws, slot, changed);
}

bool CanStartDrag(const Workspace& ws, SetSlot slot, Kind kind, ItemIndex index) {
  return EditRulesOf(kind) != nullptr && ws.sets.InUse(slot) && IsPosition(kind, index) &&
         !IsEmptyPosition(ws.sets.Files(slot), kind, index);
}

bool CanPasteWithCalls(const Workspace& ws, SetSlot slot, Kind kind) {
  if (!FactsOf(kind).edit.pasteWithCalls) return false;
  const ItemBuffer& clip = ws.edits.Clipboard(kind);
  return clip.FromASet() && clip.sourceSet != slot && ws.sets.InUse(clip.sourceSet) &&
         ws.sets.InUse(slot);
}

bool UndoAvailable(const Workspace& ws, SetSlot slot) {
  return ws.sets.InUse(slot) && ws.sets.Entry(slot).UndoEnabled;
}

std::string UndoMenuCaption(const SetEntry& entry) {
  return entry.UndoEnabled ? "&Undo" : "Can't Undo";
}

bool CheckDuplicateNames(Workspace& ws, Prompter& prompter, SetSlot slot, Kind kind) {
  if (!ws.settings.WarnDupl || !FactsOf(kind).edit.duplicates) return false;
  const FileSet& set = ws.sets.Files(slot);
  std::vector<std::string> names;
  for (int i = 0; i < PositionCount(kind); ++i)
    names.push_back(RecordName(kind, RecordBytes(set, kind, ItemIndex{i})));
  // The items of the user bank with each other, and those of a preset bank (the two Drum
  // Kits) with each other.
  const KindFacts& facts = FactsOf(kind);
  const int inUserBank = facts.userCount - facts.extraUserCount;
  std::vector<std::pair<int, int>> pairs = AllEarlierPairs(0, inUserBank);
  for (const auto& pair : AllEarlierPairs(inUserBank, facts.extraUserCount))
    pairs.push_back(pair);
  return WarnDuplicateNames(prompter, std::string(KindName(kind)), names, pairs,
                            [kind](int i) { return ItemUserLabel(kind, ItemIndex{i}); });
}

void WarnDuplicatesAfterOpening(Workspace& ws, Prompter& prompter, SetSlot slot) {
  for (const Kind kind : {Kind::Arrangement, Kind::Style, Kind::Program})
    CheckDuplicateNames(ws, prompter, slot, kind);
}

}  // namespace i40
