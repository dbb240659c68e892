#include "backseqs/bsq_ops.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "backseqs/bsq_file.h"
#include "calls/calls_check.h"
#include "calls/item_lookup.h"
#include "calls/item_numbers.h"
#include "setstore/vocabulary.h"
#include "util/text.h"

namespace i40 {
namespace {

constexpr int kLast = kBsqCount - 1;
// The clipboard's Set when its sequence came from no open Set.
constexpr int kNotFromASet = 65535;

constexpr const char* kNoRoomText =
    "The Backing Sequences would no longer fit in their file.\nNothing has been changed.";

using Lengths = std::array<std::int16_t, kBsqTrackCount>;
// The track lengths each of the ten slots would hold after an operation, to check the
// result before anything is changed.
using Layout = std::array<const Lengths*, kBsqCount>;

bool IsIndex(int index) {
  return index >= 0 && index <= kLast;
}

std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}

BsqData& Bsq(Workspace& ws, int slot) {
  return ws.sets.Files(slot).backingSequences;
}

bool& ModifiedFlag(Workspace& ws, int slot) {
  return ws.sets.Entry(slot).Modified[static_cast<std::size_t>(KindIndex(Kind::BackingSequence))];
}

void CopyToBuffer(BsqBuffer& buffer, Workspace& ws, int slot, int index) {
  const BsqData& bsq = Bsq(ws, slot);
  const std::size_t i = At(index);
  buffer.sourceSet = slot;
  buffer.sourceIndex = index;
  buffer.record = bsq.records[i];
  buffer.lengths = bsq.trackLength[i];
  buffer.size = bsq.size[i];
  buffer.data = bsq.data[i];
}

int WriteFromBuffer(const BsqBuffer& buffer, Workspace& ws, int slot, int index) {
  BsqData& bsq = Bsq(ws, slot);
  const std::size_t i = At(index);
  bsq.records[i] = buffer.record;
  bsq.trackLength[i] = buffer.lengths;
  bsq.size[i] = buffer.size;
  bsq.data[i] = buffer.data;
  MarkModified(ws, slot, Kind::BackingSequence);
  return buffer.sourceIndex;
}

BsqBuffer EmptySequence(const Workspace& ws) {
  BsqBuffer empty;
  empty.record = ws.blanks.bsq;
  return empty;
}

void CopySlot(BsqData& bsq, int from, int to) {
  bsq.records[At(to)] = bsq.records[At(from)];
  bsq.trackLength[At(to)] = bsq.trackLength[At(from)];
  bsq.size[At(to)] = bsq.size[At(from)];
  bsq.data[At(to)] = bsq.data[At(from)];
}

// The sequences from `index` on move one place towards the end; the last one is lost
// and `index` keeps its old content until it is written.
void OpenUp(BsqData& bsq, int index) {
  for (int j = kLast; j > index; --j)
    CopySlot(bsq, j - 1, j);
}

// The sequences after `index` move one place towards the start; the last slot keeps its
// old content until it is written.
void CloseUp(BsqData& bsq, int index) {
  for (int j = index; j < kLast; ++j)
    CopySlot(bsq, j + 1, j);
}

// Where the sequence at `position` goes when the one at `from` is taken out and put back
// at `landing`: those in between move one place to fill the gap. Moving back from
// `landing` to `from` is the exact inverse, so an undone move gives every byte back.
int NewPosition(int position, int from, int landing) {
  if (position == from) return landing;
  if (landing < from && position >= landing && position < from) return position + 1;
  if (landing > from && position > from && position <= landing) return position - 1;
  return position;
}

Layout CurrentLayout(const BsqData& bsq) {
  Layout layout{};
  for (std::size_t i = 0; i < kBsqCount; ++i)
    layout[i] = &bsq.trackLength[i];
  return layout;
}

Layout Replaced(const BsqData& bsq, int index, const Lengths& lengths) {
  Layout layout = CurrentLayout(bsq);
  layout[At(index)] = &lengths;
  return layout;
}

Layout OpenedUp(const BsqData& bsq, int index, const Lengths& lengths) {
  Layout layout = CurrentLayout(bsq);
  for (int j = kLast; j > index; --j)
    layout[At(j)] = &bsq.trackLength[At(j - 1)];
  layout[At(index)] = &lengths;
  return layout;
}

Layout ClosedUp(const BsqData& bsq, int index, const Lengths& lastLengths) {
  Layout layout = CurrentLayout(bsq);
  for (int j = index; j < kLast; ++j)
    layout[At(j)] = &bsq.trackLength[At(j + 1)];
  layout[At(kLast)] = &lastLengths;
  return layout;
}

Layout Relocated(const BsqData& bsq, int from, int landing) {
  Layout layout{};
  for (int k = 0; k < kBsqCount; ++k)
    layout[At(NewPosition(k, from, landing))] = &bsq.trackLength[At(k)];
  return layout;
}

// The file keeps every track start and the end as a signed 16-bit number: a layout whose
// starts leave that range could not be written back truthfully.
bool FitsInFile(const BsqData& bsq, const Layout& layout) {
  int start = bsq.trackStart[0][0];
  for (const Lengths* lengths : layout) {
    for (const std::int16_t length : *lengths) {
      start += length;
      if (start > INT16_MAX || start < INT16_MIN) return false;
    }
  }
  return true;
}

bool RefuseNoRoom(Prompter& prompter) {
  prompter.ShowWarning(kNoRoomText);
  return false;
}

// Takes the sequence at `from` out and puts it at `landing`, and renumbers every next
// field so that each chain still leads to the same sequence.
void Relocate(Workspace& ws, int slot, int from, int landing) {
  BsqData& bsq = Bsq(ws, slot);
  const auto records = bsq.records;
  const auto lengths = bsq.trackLength;
  const auto sizes = bsq.size;
  auto data = bsq.data;
  for (int k = 0; k < kBsqCount; ++k) {
    const std::size_t to = At(NewPosition(k, from, landing));
    bsq.records[to] = records[At(k)];
    bsq.trackLength[to] = lengths[At(k)];
    bsq.size[to] = sizes[At(k)];
    bsq.data[to] = std::move(data[At(k)]);
  }
  for (BsqRecord& r : bsq.records) {
    const int next = r.Next();
    if (next < kBsqCount) r.SetNext(static_cast<std::uint8_t>(NewPosition(next, from, landing)));
  }
  MarkModified(ws, slot, Kind::BackingSequence);
  RebuildTrackStarts(bsq);
}

bool FromAnotherSet(const BsqBuffer& clip, int slot) {
  return clip.sourceSet != slot && clip.sourceSet != kNotFromASet;
}

}  // namespace

void CopySequence(Workspace& ws, int slot, int index) {
  if (!IsIndex(index)) return;
  CopyToBuffer(ws.edits.bsqClip, ws, slot, index);
  // No longer the clipboard a pending move needs to be undone (see MoveSequence).
  ws.edits.bsqClip.operation = kUndoNone;
}

bool CutSequence(Workspace& ws, int slot, int index) {
  if (!IsIndex(index)) return false;
  CopySequence(ws, slot, index);
  // The undo copy keeps the sequence too, so that copying something else before Undo
  // cannot lose the cut one.
  CopyToBuffer(ws.edits.bsqUndo, ws, slot, index);
  ws.edits.bsqUndo.operation = kUndoCut;
  WriteFromBuffer(EmptySequence(ws), ws, slot, index);
  RebuildTrackStarts(Bsq(ws, slot));
  SetUndoMenu(ws, slot, true);
  return true;
}

bool PasteSequence(Workspace& ws, Prompter& prompter, int slot, int index, std::int32_t operation) {
  const BsqBuffer& clip = ws.edits.bsqClip;
  if (!IsIndex(index) || clip.sourceSet == 0) return false;
  BsqData& bsq = Bsq(ws, slot);
  if (!FitsInFile(bsq, Replaced(bsq, index, clip.lengths))) return RefuseNoRoom(prompter);
  // A cancelled calls check must leave everything as it was, the last undo included.
  const BsqBuffer previousUndo = ws.edits.bsqUndo;
  const bool wasModified = ModifiedFlag(ws, slot);
  BsqBuffer& undo = ws.edits.bsqUndo;
  CopyToBuffer(undo, ws, slot, index);
  undo.operation = operation;
  WriteFromBuffer(clip, ws, slot, index);
  if (FromAnotherSet(clip, slot) &&
      !CheckSequenceCalls(ws, prompter, clip.sourceSet, slot, index)) {
    WriteFromBuffer(undo, ws, slot, index);
    ModifiedFlag(ws, slot) = wasModified;
    undo = previousUndo;
    return false;
  }
  RebuildTrackStarts(bsq);
  SetUndoMenu(ws, slot, true);
  return true;
}

bool DeleteSequence(Workspace& ws, Prompter& prompter, int slot, int index) {
  if (!IsIndex(index)) return false;
  BsqData& bsq = Bsq(ws, slot);
  const BsqBuffer empty = EmptySequence(ws);
  if (!FitsInFile(bsq, ClosedUp(bsq, index, empty.lengths))) return RefuseNoRoom(prompter);
  CopySequence(ws, slot, index);
  CopyToBuffer(ws.edits.bsqUndo, ws, slot, index);
  ws.edits.bsqUndo.operation = kUndoDelete;
  CloseUp(bsq, index);
  WriteFromBuffer(empty, ws, slot, kLast);
  RebuildTrackStarts(bsq);
  SetUndoMenu(ws, slot, true);
  return true;
}

bool InsertSequence(Workspace& ws, Prompter& prompter, int slot, int index) {
  BsqBuffer& clip = ws.edits.bsqClip;
  // Nothing to insert until something was copied.
  if (!IsIndex(index) || clip.sourceSet == 0) return false;
  BsqData& bsq = Bsq(ws, slot);
  if (!FitsInFile(bsq, OpenedUp(bsq, index, clip.lengths))) return RefuseNoRoom(prompter);
  const BsqBuffer previousUndo = ws.edits.bsqUndo;
  const bool wasModified = ModifiedFlag(ws, slot);
  BsqBuffer& undo = ws.edits.bsqUndo;
  CopyToBuffer(undo, ws, slot, kLast);
  undo.sourceIndex = index;
  undo.operation = kUndoInsert;
  OpenUp(bsq, index);
  WriteFromBuffer(clip, ws, slot, index);
  // A sequence from another Set brings calls numbered for that Set: settled as a paste's.
  if (FromAnotherSet(clip, slot) &&
      !CheckSequenceCalls(ws, prompter, clip.sourceSet, slot, index)) {
    CloseUp(bsq, index);
    WriteFromBuffer(undo, ws, slot, kLast);
    ModifiedFlag(ws, slot) = wasModified;
    undo = previousUndo;
    return false;
  }
  clip = undo;  // the sequence pushed out of the last slot can now be pasted elsewhere
  RebuildTrackStarts(bsq);
  SetUndoMenu(ws, slot, true);
  return true;
}

void EraseSequences(Workspace& ws, int slot) {
  BsqData& bsq = Bsq(ws, slot);
  const BsqBuffer empty = EmptySequence(ws);
  for (int i = 0; i < kBsqCount; ++i)
    WriteFromBuffer(empty, ws, slot, i);
  bsq.trackStart[0][0] = kBsqBase;
  RebuildTrackStarts(bsq);
  // What was last done to these sequences cannot be undone into an erased bank.
  if (ws.edits.bsqUndo.sourceSet == slot) ws.edits.bsqUndo.operation = kUndoNone;
  SetUndoMenu(ws, slot, false);
}

bool MoveSequence(Workspace& ws, Prompter& prompter, int slot, int from, int to) {
  // Dropping a sequence on itself or on the one after it leaves it where it is.
  if (!IsIndex(from) || !IsIndex(to) || to == from || to == from + 1) return false;
  const int landing = to > from ? to - 1 : to;
  BsqData& bsq = Bsq(ws, slot);
  if (!FitsInFile(bsq, Relocated(bsq, from, landing))) return RefuseNoRoom(prompter);
  // The clipboard keeps where the sequence came from, the undo copy where it went. The
  // mark on the clipboard tells Undo that a later Copy has not replaced it.
  BsqBuffer& clip = ws.edits.bsqClip;
  CopyToBuffer(clip, ws, slot, from);
  clip.operation = kUndoMoveByDrag;
  BsqBuffer& undo = ws.edits.bsqUndo;
  CopyToBuffer(undo, ws, slot, landing);
  undo.operation = kUndoMoveByDrag;
  Relocate(ws, slot, from, landing);
  SetUndoMenu(ws, slot, true);
  return true;
}

bool CopySequenceByDrag(Workspace& ws, Prompter& prompter, int fromSlot, int from, int toSlot,
                        int to) {
  if (!IsIndex(from) || !IsIndex(to)) return false;
  // Checked before the copy, so that a refused drop leaves the clipboard alone too.
  const BsqData& target = Bsq(ws, toSlot);
  if (!FitsInFile(target, Replaced(target, to, Bsq(ws, fromSlot).trackLength[At(from)]))) {
    return RefuseNoRoom(prompter);
  }
  CopySequence(ws, fromSlot, from);
  return PasteSequence(ws, prompter, toSlot, to, kUndoCopyByDrag);
}

bool CheckSequenceCalls(Workspace& ws, Prompter& prompter, int sourceSlot, int destSlot,
                        int index) {
  if (!IsIndex(index)) return false;
  const BsqRecord& a = ws.edits.bsqClip.record;
  BsqRecord b = Bsq(ws, destSlot).records[At(index)];
  const ItemSources source{ws.presets, ws.sets.Files(sourceSlot)};
  const std::string name = TrimSpaces(a.Name());
  const std::string dest = ws.sets.Entry(destSlot).Name;
  auto notInDest = [&dest](const std::string& calledKind, const std::string& calledName) {
    return "' calls " + calledKind + " '" + TrimSpaces(calledName) + "' non-existent in '" + dest +
           "'\n\n";
  };

  const int arrangement = a.Arrangement();
  if (ArrangementUserIndex(arrangement) >= 0) {
    const std::string arrangementName = ArrangementName(source, arrangement);
    const CallResolution resolved =
        ResolveCallByName(ws, prompter, destSlot, Kind::Arrangement, arrangementName,
                          "Backing Sequence '" + name + notInDest("Arrangement", arrangementName) +
                              "Redirect this Backing Sequence to an existing Arrangement?",
                          {Kind::Arrangement, destSlot, ArrangementNumber(0, 0), ""});
    if (resolved.outcome == CallResolution::Cancelled) return false;
    if (resolved.outcome == CallResolution::Redirected) b.SetArrangement(resolved.number);
  }

  const int style = a.Style();
  if (StyleSlotOfNumber(style) >= 0) {
    const std::string styleName = StyleName(source, style);
    const CallResolution resolved =
        ResolveCallByName(ws, prompter, destSlot, Kind::Style, styleName,
                          "Backing Sequence '" + name + notInDest("Style", styleName) +
                              "Redirect this Backing Sequence to an existing Style?",
                          {Kind::Style, destSlot, StyleNumber(0, 0), ""});
    if (resolved.outcome == CallResolution::Cancelled) return false;
    if (resolved.outcome == CallResolution::Redirected) b.SetStyle(resolved.number);
  }

  for (int t = 0; t < kBsqProgramTrackCount; ++t) {
    const int program = a.TrackProgram(t);
    if (ProgramUserIndex(program) < 0) continue;
    const std::string programName = ProgramName(source, program);
    const std::string track = TrimSpaces(kBsqTrackName[At(t)]);
    // The picker opens on R11 for Upper1 and Upper2, on F11 for the other tracks.
    const int pickStart = t < 2 ? ProgramNumber(6, 0) : ProgramNumber(5, 0);
    const CallResolution resolved = ResolveCallByName(
        ws, prompter, destSlot, Kind::Program, programName,
        "Track '" + track + "' of BackSeq '" + name + notInDest("Program", programName) +
            "Redirect this track to an existing Program?",
        {Kind::Program, destSlot, pickStart, "for track '" + track + "'"});
    if (resolved.outcome == CallResolution::Cancelled) return false;
    if (resolved.outcome == CallResolution::Redirected) b.SetTrackProgram(t, resolved.number);
  }
  Bsq(ws, destSlot).records[At(index)] = b;
  return true;
}

void UndoSequence(Workspace& ws) {
  BsqBuffer& undo = ws.edits.bsqUndo;
  const BsqBuffer& clip = ws.edits.bsqClip;
  const int slot = undo.sourceSet;
  const int index = undo.sourceIndex;
  if (undo.operation != kUndoNone && IsOpenSet(ws, slot) && IsIndex(index)) {
    BsqData& bsq = Bsq(ws, slot);
    // The Set may have been changed since in ways Undo cannot know of (an import); what
    // no longer fits is left alone rather than written wrong.
    switch (undo.operation) {
      case kUndoCut:
      case kUndoPaste:
      case kUndoCopyByDrag:
        if (FitsInFile(bsq, Replaced(bsq, index, undo.lengths))) {
          WriteFromBuffer(undo, ws, slot, index);
          RebuildTrackStarts(bsq);
        }
        break;
      case kUndoMoveByDrag:
        if (clip.operation == kUndoMoveByDrag && clip.sourceSet == slot &&
            IsIndex(clip.sourceIndex) && FitsInFile(bsq, Relocated(bsq, index, clip.sourceIndex))) {
          Relocate(ws, slot, index, clip.sourceIndex);
        }
        break;
      case kUndoDelete:
        if (FitsInFile(bsq, OpenedUp(bsq, index, undo.lengths))) {
          OpenUp(bsq, index);
          WriteFromBuffer(undo, ws, slot, index);
          RebuildTrackStarts(bsq);
        }
        break;
      case kUndoInsert:
        if (FitsInFile(bsq, ClosedUp(bsq, index, undo.lengths))) {
          CloseUp(bsq, index);
          WriteFromBuffer(undo, ws, slot, kLast);
          RebuildTrackStarts(bsq);
        }
        break;
      default:
        break;
    }
  }
  undo.operation = kUndoNone;
}

}  // namespace i40
