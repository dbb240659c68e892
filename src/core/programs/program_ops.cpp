#include "programs/program_ops.h"

#include "calls/duplicate_names.h"
#include "calls/item_numbers.h"
#include "programs/program_calls.h"
#include "setstore/component_file.h"
#include "setstore/edit_steps.h"
#include "setstore/undo.h"
#include "ui/error_reports.h"
#include "util/text.h"

namespace i40 {
namespace {

constexpr int kLastProgram = kUserProgramCount - 1;

bool IsUserIndex(int userIndex) {
  return userIndex >= 0 && userIndex < kUserProgramSlots;
}
bool IsDrumKit(int userIndex) {
  return userIndex >= kUserProgramCount && userIndex < kUserProgramSlots;
}

ProgramRecord& Record(Workspace& ws, int slot, int userIndex) {
  return ws.sets.Files(slot).programs.records.at(static_cast<std::size_t>(userIndex));
}

DrumKitData& KitData(Workspace& ws, int slot, int userIndex) {
  return ws.sets.Files(slot).programs.drumKitData.at(
      static_cast<std::size_t>(userIndex - kUserProgramCount));
}

int Number(int userIndex) {
  return ProgramNumberOfUserIndex(userIndex);
}

void CopyProgramToBuffer(ProgramBuffer& buffer, Workspace& ws, int slot, int userIndex) {
  buffer.record = Record(ws, slot, userIndex);
  buffer.drumKit = IsDrumKit(userIndex) ? KitData(ws, slot, userIndex) : DrumKitData{};
  buffer.sourceSet = slot;
  buffer.sourceIndex = userIndex;
}

void CopyBufferToProgram(const ProgramBuffer& buffer, Workspace& ws, int slot, int userIndex) {
  Record(ws, slot, userIndex) = buffer.record;
  if (IsDrumKit(userIndex)) KitData(ws, slot, userIndex) = buffer.drumKit;
  MarkModified(ws, slot, Kind::Program);
}

void PutEmpty(Workspace& ws, int slot, int userIndex) {
  ProgramBuffer empty;
  empty.record = ws.blanks.program;
  CopyBufferToProgram(empty, ws, slot, userIndex);
}

// Program i moves to i - 1 for i = first + 1 .. last, its callers following.
void ShiftUp(Workspace& ws, int slot, int first, int last) {
  for (int i = first + 1; i <= last; ++i) {
    RedirectProgramCalls(ws, slot, Number(i), Number(i - 1));
    Record(ws, slot, i - 1) = Record(ws, slot, i);
  }
  MarkModified(ws, slot, Kind::Program);
}

// Program i - 1 moves to i for i = last .. first + 1, its callers following.
void ShiftDown(Workspace& ws, int slot, int first, int last) {
  for (int i = last; i > first; --i) {
    RedirectProgramCalls(ws, slot, Number(i - 1), Number(i));
    Record(ws, slot, i) = Record(ws, slot, i - 1);
  }
  MarkModified(ws, slot, Kind::Program);
}

void RestoreFrom(Workspace& ws, const ProgramBuffer& buffer) {
  if (IsOpenSet(ws, buffer.sourceSet) && IsUserIndex(buffer.sourceIndex)) {
    CopyBufferToProgram(buffer, ws, buffer.sourceSet, buffer.sourceIndex);
  }
}

}  // namespace

ReferenceAnswer ConfirmProgramOverwrite(Workspace& ws, Prompter& prompter, int slot,
                                        int userIndex) {
  const int number = Number(userIndex);
  return AskToRedirectCallers(
      ws, prompter, slot, !ProgramCallers(ws.sets.Files(slot), number).empty(),
      "Program '" + TrimSpaces(Record(ws, slot, userIndex).Name()) +
          "' is referenced by one or more\nArrangements, Styles, Backing Sequences, etc.\n\n"
          "Redirect them to another Program?",
      Kind::Program, number, [&](int chosen) { RedirectProgramCalls(ws, slot, number, chosen); });
}

void CopyProgram(Workspace& ws, int slot, int userIndex) {
  if (IsUserIndex(userIndex)) CopyProgramToBuffer(ws.edits.programClip, ws, slot, userIndex);
}

bool CutProgram(Workspace& ws, Prompter& prompter, int slot, int userIndex, bool quiet) {
  if (!IsUserIndex(userIndex) || Record(ws, slot, userIndex).IsEmpty()) return false;
  if (!quiet && ConfirmProgramOverwrite(ws, prompter, slot, userIndex) == ReferenceAnswer::Cancel) {
    return false;
  }
  CopyProgramToBuffer(ws.edits.programClip, ws, slot, userIndex);
  ws.edits.programMoved = ws.edits.programClip;
  ws.edits.programUndo.operation = kUndoCut;
  PutEmpty(ws, slot, userIndex);
  if (quiet) SetUndoMenu(ws, slot, true);
  return true;
}

bool PasteProgram(Workspace& ws, Prompter& prompter, int slot, int userIndex, bool move) {
  const ProgramBuffer& clip = ws.edits.programClip;
  if (!IsUserIndex(userIndex) || clip.sourceSet == 0) return false;
  bool undoable = true;
  if (!Record(ws, slot, userIndex).IsEmpty()) {
    const ReferenceAnswer answer = ConfirmProgramOverwrite(ws, prompter, slot, userIndex);
    if (answer == ReferenceAnswer::Cancel) return false;
    undoable = answer != ReferenceAnswer::GoRedirected;
  }
  if (move && IsUserIndex(clip.sourceIndex)) {
    RedirectProgramCalls(ws, slot, Number(clip.sourceIndex), Number(userIndex));
  }
  CopyProgramToBuffer(ws.edits.programUndo, ws, slot, userIndex);
  ws.edits.programUndo.operation = kUndoPaste;
  CopyBufferToProgram(clip, ws, slot, userIndex);
  SetUndoMenu(ws, slot, undoable);
  return true;
}

bool DeleteProgram(Workspace& ws, Prompter& prompter, int slot, int userIndex) {
  if (userIndex < 0 || userIndex > kLastProgram) return false;  // Drum Kits stay put
  const ReferenceAnswer answer = ConfirmProgramOverwrite(ws, prompter, slot, userIndex);
  if (answer == ReferenceAnswer::Cancel) return false;
  const bool undoable = answer != ReferenceAnswer::GoRedirected;
  CopyProgramToBuffer(ws.edits.programClip, ws, slot, userIndex);
  CopyProgramToBuffer(ws.edits.programUndo, ws, slot, userIndex);
  ShiftUp(ws, slot, userIndex, kLastProgram);
  PutEmpty(ws, slot, kLastProgram);
  ws.edits.programUndo.operation = kUndoDelete;
  SetUndoMenu(ws, slot, undoable);
  return true;
}

bool InsertProgram(Workspace& ws, Prompter& prompter, int slot, int userIndex) {
  if (userIndex < 0 || userIndex > kLastProgram) return false;
  if (ws.edits.programClip.sourceSet == 0) return false;  // nothing to insert
  const ReferenceAnswer answer = ConfirmProgramOverwrite(ws, prompter, slot, kLastProgram);
  if (answer == ReferenceAnswer::Cancel) return false;
  const bool undoable = answer != ReferenceAnswer::GoRedirected;
  ProgramBuffer& undo = ws.edits.programUndo;
  CopyProgramToBuffer(undo, ws, slot, kLastProgram);
  undo.sourceIndex = userIndex;
  ShiftDown(ws, slot, userIndex, kLastProgram);
  CopyBufferToProgram(ws.edits.programClip, ws, slot, userIndex);
  undo.operation = kUndoInsert;
  ws.edits.programClip = undo;  // the Program pushed out of F88 is now on the clipboard
  SetUndoMenu(ws, slot, undoable);
  return true;
}

void EraseProgramBank(Workspace& ws, int slot, int bank) {
  const int count = BankLastIndex(Kind::Program, bank) + 1;
  bool erased = false;
  for (int index = 0; index < count; ++index) {
    const int user = ProgramUserIndexOf(bank, index);
    if (!IsUserIndex(user)) continue;
    PutEmpty(ws, slot, user);
    erased = true;
  }
  if (erased) SetUndoMenu(ws, slot, false);
}

bool DragProgram(Workspace& ws, Prompter& prompter, int fromSlot, int fromIndex, int toSlot,
                 int toIndex) {
  if (!IsUserIndex(fromIndex) || !IsUserIndex(toIndex)) return false;
  if (fromSlot == toSlot && fromIndex == toIndex) return false;
  if (!CanStartDrag(ws, fromSlot, Kind::Program, fromIndex)) return false;
  CopyProgram(ws, fromSlot, fromIndex);
  return FinishDrag(
      ws, fromSlot == toSlot, toSlot,
      {[&](bool move) { return PasteProgram(ws, prompter, toSlot, toIndex, move); },
       [&] { return CutProgram(ws, prompter, fromSlot, fromIndex, true); },
       [&] { WarnDuplicateProgramNames(ws, prompter, toSlot); }, ws.edits.programUndo.operation});
}

bool LoadOneProgram(Workspace& ws, Prompter& prompter, int slot, int userIndex) {
  if (!IsUserIndex(userIndex)) return false;
  const Kind kind = IsDrumKit(userIndex) ? Kind::IStyleDrumKit : Kind::IStyleProgram;
  const std::string ext(KindExt(kind));
  const auto file =
      AskForComponentFile(ws, prompter, "Load one Program from " + ext + " file...", kind);
  if (!file) return false;
  auto program = kind == Kind::IStyleDrumKit ? ReadIdkFile(file->bytes) : ReadIpfFile(file->bytes);
  if (auto* problem = std::get_if<ReadResult>(&program)) {
    ReportLoadError(prompter, Kind::Program, problem->detail);
    return false;
  }
  ws.edits.programClip = std::get<ProgramBuffer>(std::move(program));
  if (!PasteProgram(ws, prompter, slot, userIndex, false)) return false;
  ws.edits.programUndo.operation = kUndoPaste;
  WarnDuplicateProgramNames(ws, prompter, slot);
  return true;
}

bool WarnDuplicateProgramNames(Workspace& ws, Prompter& prompter, int slot) {
  if (!ws.settings.WarnDupl) return false;
  std::vector<std::string> names;
  for (const auto& r : ws.sets.Files(slot).programs.records)
    names.push_back(r.Name());
  auto pairs = AllEarlierPairs(0, kUserProgramCount);
  pairs.emplace_back(kUserProgramCount + 1, kUserProgramCount);  // the two Drum Kits
  return WarnDuplicateNames(prompter, "Program", names, pairs, ProgramUserLabel);
}

void UndoProgram(Workspace& ws) {
  ProgramBuffer& undo = ws.edits.programUndo;
  const ProgramBuffer& moved = ws.edits.programMoved;
  const bool open = IsOpenSet(ws, undo.sourceSet) && IsUserIndex(undo.sourceIndex);
  switch (undo.operation) {
    case kUndoCut:
      RestoreFrom(ws, moved);
      break;
    case kUndoPaste:
    case kUndoCopyByDrag:
      RestoreFrom(ws, undo);
      break;
    case kUndoMoveByDrag:
      RestoreFrom(ws, undo);
      RestoreFrom(ws, moved);
      if (open && undo.sourceSet == moved.sourceSet && IsUserIndex(moved.sourceIndex)) {
        RedirectProgramCalls(ws, undo.sourceSet, Number(undo.sourceIndex),
                             Number(moved.sourceIndex));
      }
      break;
    case kUndoDelete:
      if (open && undo.sourceIndex <= kLastProgram) {
        ShiftDown(ws, undo.sourceSet, undo.sourceIndex, kLastProgram);
        RestoreFrom(ws, undo);
      }
      break;
    case kUndoInsert:
      if (open && undo.sourceIndex <= kLastProgram) {
        ShiftUp(ws, undo.sourceSet, undo.sourceIndex, kLastProgram);
        ProgramBuffer last = undo;
        last.sourceIndex = kLastProgram;
        RestoreFrom(ws, last);
      }
      break;
    default:
      break;
  }
  undo.operation = kUndoNone;
}

}  // namespace i40
