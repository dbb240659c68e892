#include "arrangements/arrangement_ops.h"

#include "arrangements/arrangement_file.h"
#include "calls/calls_check.h"
#include "calls/duplicate_names.h"
#include "calls/item_numbers.h"
#include "setstore/component_file.h"
#include "setstore/edit_steps.h"
#include "setstore/undo.h"
#include "ui/error_reports.h"
#include "util/text.h"

namespace i40 {
namespace {

constexpr int kLast = kUserArrangementCount - 1;

bool IsUserIndex(int userIndex) {
  return userIndex >= 0 && userIndex <= kLast;
}

ArrangementRecord& Record(Workspace& ws, int slot, int userIndex) {
  return ws.sets.Files(slot).arrangements.records.at(static_cast<std::size_t>(userIndex));
}

void SaveTo(ArrangementBuffer& buffer, Workspace& ws, int slot, int userIndex) {
  buffer.record = Record(ws, slot, userIndex);
  buffer.sourceSet = slot;
  buffer.sourceIndex = userIndex;
}

void Put(Workspace& ws, int slot, int userIndex, const ArrangementRecord& record) {
  Record(ws, slot, userIndex) = record;
  MarkModified(ws, slot, Kind::Arrangement);
}

int Number(int userIndex) {
  return ArrangementNumberOfUserIndex(userIndex);
}

// Moves record j-1 into j for j from `last` down to first+1, the calls following.
void ShiftDown(Workspace& ws, int slot, int first, int last) {
  for (int j = last; j > first; --j) {
    RedirectArrangementReferences(ws, slot, Number(j - 1), Number(j));
    Put(ws, slot, j, Record(ws, slot, j - 1));
  }
}

// Moves record j into j-1 for j from first+1 up to `last`, the calls following.
void ShiftUp(Workspace& ws, int slot, int first, int last) {
  for (int j = first + 1; j <= last; ++j) {
    RedirectArrangementReferences(ws, slot, Number(j), Number(j - 1));
    Put(ws, slot, j - 1, Record(ws, slot, j));
  }
}

void RestoreFrom(Workspace& ws, const ArrangementBuffer& buffer) {
  if (IsOpenSet(ws, buffer.sourceSet) && IsUserIndex(buffer.sourceIndex)) {
    Put(ws, buffer.sourceSet, buffer.sourceIndex, buffer.record);
  }
}

}  // namespace

std::vector<std::string> ArrangementReferences(const FileSet& set, int number) {
  std::vector<std::string> callers;
  for (int i = 0; i < kBsqCount; ++i) {
    const BsqRecord& r = set.backingSequences.records[static_cast<std::size_t>(i)];
    if (!r.IsEmpty() && r.Arrangement() == number) callers.push_back("BSeq " + std::to_string(i));
  }
  return callers;
}

void RedirectArrangementReferences(Workspace& ws, int slot, int oldNumber, int newNumber) {
  for (BsqRecord& r : ws.sets.Files(slot).backingSequences.records) {
    if (!r.IsEmpty() && r.Arrangement() == oldNumber) {
      r.SetArrangement(newNumber);
      MarkModified(ws, slot, Kind::BackingSequence);
    }
  }
}

ReferenceAnswer ConfirmArrangementReferences(Workspace& ws, Prompter& prompter, int slot,
                                             int userIndex) {
  const int number = Number(userIndex);
  return AskToRedirectCallers(
      ws, prompter, slot, !ArrangementReferences(ws.sets.Files(slot), number).empty(),
      TrimSpaces(Record(ws, slot, userIndex).Name()) +
          " Arrangement is referenced by\none or more Backing Sequences.\n"
          "Change references to another Arrangement?",
      Kind::Arrangement, number,
      [&](int chosen) { RedirectArrangementReferences(ws, slot, number, chosen); });
}

void CopyArrangement(Workspace& ws, int slot, int userIndex) {
  if (IsUserIndex(userIndex)) SaveTo(ws.edits.arrangementClip, ws, slot, userIndex);
}

bool CutArrangement(Workspace& ws, Prompter& prompter, int slot, int userIndex,
                    bool skipReferenceQuestion) {
  if (!IsUserIndex(userIndex) || Record(ws, slot, userIndex).IsEmpty()) return false;
  bool undoable = true;
  if (!skipReferenceQuestion) {
    const ReferenceAnswer answer = ConfirmArrangementReferences(ws, prompter, slot, userIndex);
    if (answer == ReferenceAnswer::Cancel) return false;
    undoable = answer != ReferenceAnswer::GoRedirected;
  }
  SaveTo(ws.edits.arrangementClip, ws, slot, userIndex);
  ws.edits.arrangementMoved = ws.edits.arrangementClip;
  ws.edits.arrangementUndo.operation = kUndoCut;
  Put(ws, slot, userIndex, ws.blanks.arrangement);
  SetUndoMenu(ws, slot, undoable);
  return true;
}

bool PasteArrangement(Workspace& ws, Prompter& prompter, int slot, int userIndex,
                      bool moveReferences) {
  const ArrangementBuffer& clip = ws.edits.arrangementClip;
  if (!IsUserIndex(userIndex) || clip.sourceSet == 0) return false;
  bool undoable = true;
  if (!Record(ws, slot, userIndex).IsEmpty()) {
    const ReferenceAnswer answer = ConfirmArrangementReferences(ws, prompter, slot, userIndex);
    if (answer == ReferenceAnswer::Cancel) return false;
    undoable = answer != ReferenceAnswer::GoRedirected;
  }
  if (moveReferences && IsUserIndex(clip.sourceIndex)) {
    RedirectArrangementReferences(ws, slot, Number(clip.sourceIndex), Number(userIndex));
  }
  const ArrangementRecord before = Record(ws, slot, userIndex);
  const bool wasModified = ws.sets.Entry(slot).Modified[KindIndex(Kind::Arrangement)];
  SaveTo(ws.edits.arrangementUndo, ws, slot, userIndex);
  ws.edits.arrangementUndo.operation = kUndoPaste;
  Put(ws, slot, userIndex, clip.record);
  if (clip.sourceSet != slot && clip.sourceSet != ArrangementBuffer::kNotFromASet &&
      !CheckArrangementCalls(ws, prompter, clip.sourceSet, slot, userIndex)) {
    Record(ws, slot, userIndex) = before;
    ws.sets.Entry(slot).Modified[KindIndex(Kind::Arrangement)] = wasModified;
    return false;
  }
  SetUndoMenu(ws, slot, undoable);
  return true;
}

bool DeleteArrangement(Workspace& ws, Prompter& prompter, int slot, int userIndex) {
  if (!IsUserIndex(userIndex)) return false;
  const ReferenceAnswer answer = ConfirmArrangementReferences(ws, prompter, slot, userIndex);
  if (answer == ReferenceAnswer::Cancel) return false;
  SaveTo(ws.edits.arrangementClip, ws, slot, userIndex);
  SaveTo(ws.edits.arrangementUndo, ws, slot, userIndex);
  ShiftUp(ws, slot, userIndex, kLast);
  Put(ws, slot, kLast, ws.blanks.arrangement);
  ws.edits.arrangementUndo.operation = kUndoDelete;
  SetUndoMenu(ws, slot, answer != ReferenceAnswer::GoRedirected);
  return true;
}

bool InsertArrangement(Workspace& ws, Prompter& prompter, int slot, int userIndex) {
  // Nothing to insert until something was copied.
  if (!IsUserIndex(userIndex) || ws.edits.arrangementClip.sourceSet == 0) return false;
  const ReferenceAnswer answer = ConfirmArrangementReferences(ws, prompter, slot, kLast);
  if (answer == ReferenceAnswer::Cancel) return false;
  ArrangementBuffer& undo = ws.edits.arrangementUndo;
  SaveTo(undo, ws, slot, kLast);
  undo.sourceIndex = userIndex;
  ShiftDown(ws, slot, userIndex, kLast);
  Put(ws, slot, userIndex, ws.edits.arrangementClip.record);
  undo.operation = kUndoInsert;
  ws.edits.arrangementClip = undo;  // the pushed-out Arrangement is now on the clipboard
  SetUndoMenu(ws, slot, answer != ReferenceAnswer::GoRedirected);
  return true;
}

void EraseArrangementBank(Workspace& ws, int slot, int bank) {
  if (ArrangementUserIndexOf(bank, 0) < 0) return;
  for (int i = 0; i <= kLast; ++i)
    Record(ws, slot, i) = ws.blanks.arrangement;
  MarkModified(ws, slot, Kind::Arrangement);
  SetUndoMenu(ws, slot, false);
}

bool DragArrangement(Workspace& ws, Prompter& prompter, int fromSlot, int fromIndex, int toSlot,
                     int toIndex) {
  if (!IsUserIndex(fromIndex) || !IsUserIndex(toIndex)) return false;
  if (fromSlot == toSlot && fromIndex == toIndex) return false;
  if (!CanStartDrag(ws, fromSlot, Kind::Arrangement, fromIndex)) return false;
  CopyArrangement(ws, fromSlot, fromIndex);
  return FinishDrag(
      ws, fromSlot == toSlot, toSlot,
      {[&](bool move) { return PasteArrangement(ws, prompter, toSlot, toIndex, move); },
       [&] { return CutArrangement(ws, prompter, fromSlot, fromIndex, true); },
       [&] { CheckArrangementDuplicates(ws, prompter, toSlot); },
       ws.edits.arrangementUndo.operation});
}

bool LoadOneArrangement(Workspace& ws, Prompter& prompter, int slot, int userIndex) {
  if (!IsUserIndex(userIndex)) return false;
  const std::string ext(KindExt(Kind::IStyleArrangement));
  const auto file = AskForComponentFile(
      ws, prompter, "Load one Arrangement from " + ext + " file...", Kind::IStyleArrangement);
  if (!file) return false;
  auto record = ReadIafFile(file->bytes);
  if (auto* problem = std::get_if<ReadResult>(&record)) {
    ReportLoadError(prompter, Kind::Arrangement, problem->detail);
    return false;
  }
  ArrangementBuffer& clip = ws.edits.arrangementClip;
  clip.record = std::get<ArrangementRecord>(record);
  clip.sourceSet = ArrangementBuffer::kNotFromASet;
  clip.sourceIndex = ArrangementBuffer::kNotFromASet;
  if (!PasteArrangement(ws, prompter, slot, userIndex, false)) return false;
  ws.edits.arrangementUndo.operation = kUndoPaste;
  CheckArrangementDuplicates(ws, prompter, slot);
  return true;
}

bool CheckArrangementDuplicates(Workspace& ws, Prompter& prompter, int slot) {
  if (!ws.settings.WarnDupl) return false;
  std::vector<std::string> names;
  for (const auto& r : ws.sets.Files(slot).arrangements.records)
    names.push_back(r.Name());
  return WarnDuplicateNames(prompter, "Arrangement", names,
                            AllEarlierPairs(0, kUserArrangementCount), ArrangementUserLabel);
}

void UndoArrangement(Workspace& ws) {
  ArrangementBuffer& undo = ws.edits.arrangementUndo;
  const ArrangementBuffer& moved = ws.edits.arrangementMoved;
  switch (undo.operation) {
    case kUndoCut:
      RestoreFrom(ws, moved);
      break;
    case kUndoPaste:
    case kUndoCopyByDrag:
      RestoreFrom(ws, undo);
      break;
    case kUndoMoveByDrag:
      RestoreFrom(ws, moved);
      RestoreFrom(ws, undo);
      if (IsOpenSet(ws, undo.sourceSet) && undo.sourceSet == moved.sourceSet) {
        RedirectArrangementReferences(ws, undo.sourceSet, Number(undo.sourceIndex),
                                      Number(moved.sourceIndex));
      }
      break;
    case kUndoDelete:
      if (IsOpenSet(ws, undo.sourceSet) && IsUserIndex(undo.sourceIndex)) {
        ShiftDown(ws, undo.sourceSet, undo.sourceIndex, kLast);
        RestoreFrom(ws, undo);
      }
      break;
    case kUndoInsert:
      if (IsOpenSet(ws, undo.sourceSet) && IsUserIndex(undo.sourceIndex)) {
        ShiftUp(ws, undo.sourceSet, undo.sourceIndex, kLast);
        Put(ws, undo.sourceSet, kLast, undo.record);
      }
      break;
    default:
      break;
  }
  undo.operation = kUndoNone;
}

}  // namespace i40
