#include "kbdsets/kbdset_ops.h"

#include "calls/calls_check.h"
#include "setstore/undo.h"

namespace i40 {
namespace {

bool IsIndex(int index) {
  return index >= 0 && index < kKbdSetCount;
}

KbdSetRecord& Record(Workspace& ws, int slot, int index) {
  return ws.sets.Files(slot).kbdSets.records.at(static_cast<std::size_t>(index));
}

void SaveTo(KbdSetBuffer& buffer, Workspace& ws, int slot, int index) {
  buffer.record = Record(ws, slot, index);
  buffer.sourceSet = slot;
  buffer.sourceIndex = index;
}

void Put(Workspace& ws, int slot, int index, const KbdSetRecord& record) {
  Record(ws, slot, index) = record;
  MarkModified(ws, slot, Kind::KbdSet);
}

}  // namespace

void CopyKbdSet(Workspace& ws, int slot, int index) {
  if (IsIndex(index)) SaveTo(ws.edits.kbdSetClip, ws, slot, index);
}

bool PasteKbdSet(Workspace& ws, Prompter& prompter, int slot, int index, std::int32_t operation) {
  const KbdSetBuffer& clip = ws.edits.kbdSetClip;
  if (!IsIndex(index) || clip.sourceSet == 0) return false;
  const KbdSetRecord before = Record(ws, slot, index);
  const bool wasModified = ws.sets.Entry(slot).Modified[KindIndex(Kind::KbdSet)];
  SaveTo(ws.edits.kbdSetUndo, ws, slot, index);
  ws.edits.kbdSetUndo.operation = operation;
  Put(ws, slot, index, clip.record);
  if (clip.sourceSet != slot && !CheckKbdSetCalls(ws, prompter, clip.sourceSet, slot, index)) {
    Record(ws, slot, index) = before;
    ws.sets.Entry(slot).Modified[KindIndex(Kind::KbdSet)] = wasModified;
    return false;
  }
  SetUndoMenu(ws, slot, true);
  return true;
}

bool MoveKbdSet(Workspace& ws, int slot, int from, int before) {
  if (!IsIndex(from) || !IsIndex(before) || from == before) return false;
  SaveTo(ws.edits.kbdSetClip, ws, slot, from);
  ws.edits.kbdSetMoved = ws.edits.kbdSetClip;
  SaveTo(ws.edits.kbdSetUndo, ws, slot, before);
  const KbdSetRecord moving = ws.edits.kbdSetClip.record;
  if (before <= from) {
    for (int j = from; j > before; --j)
      Put(ws, slot, j, Record(ws, slot, j - 1));
    Put(ws, slot, before, moving);
  } else {
    for (int j = from; j <= before - 2; ++j)
      Put(ws, slot, j, Record(ws, slot, j + 1));
    Put(ws, slot, before - 1, moving);
  }
  ws.edits.kbdSetUndo.operation = 4;
  SetUndoMenu(ws, slot, true);
  return true;
}

bool CopyKbdSetByDrag(Workspace& ws, Prompter& prompter, int fromSlot, int from, int toSlot,
                      int to) {
  if (!IsIndex(from) || !IsIndex(to)) return false;
  CopyKbdSet(ws, fromSlot, from);
  return PasteKbdSet(ws, prompter, toSlot, to, 5);
}

void EraseKbdSetBank(Workspace& ws, int slot) {
  for (int i = 0; i < kKbdSetCount; ++i)
    Record(ws, slot, i) = ws.blanks.kbdSet;
  MarkModified(ws, slot, Kind::KbdSet);
  SetUndoMenu(ws, slot, false);
}

void UndoKbdSet(Workspace& ws) {
  KbdSetBuffer& undo = ws.edits.kbdSetUndo;
  const KbdSetBuffer& clip = ws.edits.kbdSetMoved;
  const int slot = undo.sourceSet;
  switch (undo.operation) {
    case 3:
    case 5:
      if (IsOpenSet(ws, slot) && IsIndex(undo.sourceIndex)) {
        Put(ws, slot, undo.sourceIndex, undo.record);
      }
      break;
    case 4:
      // Move the KBD Set back where it came from, the others closing up behind it.
      if (IsOpenSet(ws, slot) && clip.sourceSet == slot && IsIndex(clip.sourceIndex) &&
          IsIndex(undo.sourceIndex)) {
        const int from = clip.sourceIndex;
        const int before = undo.sourceIndex;
        if (before <= from) {
          for (int j = before; j < from; ++j)
            Put(ws, slot, j, Record(ws, slot, j + 1));
        } else {
          for (int j = before - 1; j > from; --j)
            Put(ws, slot, j, Record(ws, slot, j - 1));
        }
        Put(ws, slot, from, clip.record);
      }
      break;
    default:
      break;
  }
  undo.operation = 0;
}

}  // namespace i40
