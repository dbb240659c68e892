#include "setstore/edit_commands.h"

#include "arrangements/arrangement_ops.h"
#include "backseqs/bsq_ops.h"
#include "kbdsets/kbdset_grid.h"
#include "kbdsets/kbdset_ops.h"
#include "programs/program_ops.h"
#include "setstore/import_all.h"
#include "setstore/undo.h"
#include "styles/style_ops.h"

namespace i40 {
namespace {

bool ConfirmErase(Prompter& prompter) {
  return prompter.Ask({"Bank Erasing can't be undone\nContinue?", "", MessageIcon::Exclamation,
                       MessageButtons::OkCancel, Answer::Ok}) == Answer::Ok;
}

bool YesTo(Prompter& prompter, const std::string& question) {
  return prompter.Ask({question, "", MessageIcon::Question, MessageButtons::YesNo, Answer::Yes}) ==
         Answer::Yes;
}

bool Arrangements(Workspace& ws, Prompter& p, int slot, EditCommand command, int i, int bank) {
  switch (command) {
    case EditCommand::Cut:
      return CutArrangement(ws, p, slot, i);
    case EditCommand::Copy:
      CopyArrangement(ws, slot, i);
      return i >= 0;
    case EditCommand::Paste: {
      const bool done = PasteArrangement(ws, p, slot, i);
      if (done) CheckArrangementDuplicates(ws, p, slot);
      return done;
    }
    case EditCommand::Delete:
      return DeleteArrangement(ws, p, slot, i);
    case EditCommand::Insert: {
      const bool done = InsertArrangement(ws, p, slot, i);
      if (done) CheckArrangementDuplicates(ws, p, slot);
      return done;
    }
    case EditCommand::PasteFromIStyle:
      return LoadOneArrangement(ws, p, slot, i);
    case EditCommand::EraseBank:
      if (!ConfirmErase(p)) return false;
      EraseArrangementBank(ws, slot, bank);
      return true;
    default:
      return false;
  }
}

bool Styles(Workspace& ws, Prompter& p, int slot, EditCommand command, int i, int bank) {
  switch (command) {
    case EditCommand::Cut:
      return CutStyle(ws, p, slot, i);
    case EditCommand::Copy:
      CopyStyle(ws, slot, i);
      return i >= 0;
    case EditCommand::Paste: {
      const bool done = PasteStyle(ws, p, slot, i);
      WarnDuplicateStyleNames(ws, p, slot);
      return done;
    }
    case EditCommand::PasteFromIStyle:
      return LoadOneStyle(ws, p, slot, i);
    case EditCommand::EraseBank:
      if (!ConfirmErase(p)) return false;
      EraseStyleBank(ws, slot, bank);
      return true;
    default:
      return false;  // Styles are neither deleted nor inserted
  }
}

bool Programs(Workspace& ws, Prompter& p, int slot, EditCommand command, int i, int bank) {
  switch (command) {
    case EditCommand::Cut:
      return CutProgram(ws, p, slot, i);
    case EditCommand::Copy:
      CopyProgram(ws, slot, i);
      return i >= 0;
    case EditCommand::Paste: {
      const bool done = PasteProgram(ws, p, slot, i);
      if (done) WarnDuplicateProgramNames(ws, p, slot);
      return done;
    }
    case EditCommand::Delete:
      return DeleteProgram(ws, p, slot, i);
    case EditCommand::Insert: {
      const bool done = InsertProgram(ws, p, slot, i);
      if (done) WarnDuplicateProgramNames(ws, p, slot);
      return done;
    }
    case EditCommand::PasteFromIStyle:
      return LoadOneProgram(ws, p, slot, i);
    case EditCommand::EraseBank:
      if (!ConfirmErase(p)) return false;
      EraseProgramBank(ws, slot, bank);
      return true;
    default:
      return false;
  }
}

bool Sequences(Workspace& ws, Prompter& p, int slot, EditCommand command, int i) {
  switch (command) {
    case EditCommand::Cut:
      return CutSequence(ws, slot, i);
    case EditCommand::Copy:
      CopySequence(ws, slot, i);
      return i >= 0;
    case EditCommand::Paste:
      return PasteSequence(ws, p, slot, i);
    case EditCommand::Delete:
      return DeleteSequence(ws, p, slot, i);
    case EditCommand::Insert:
      return InsertSequence(ws, p, slot, i);
    case EditCommand::EraseBank:
      if (!ConfirmErase(p)) return false;
      EraseSequences(ws, slot);
      return true;
    default:
      return false;
  }
}

bool KbdSets(Workspace& ws, Prompter& p, int slot, EditCommand command, int i) {
  switch (command) {
    case EditCommand::Copy:
      CopyKbdSet(ws, slot, i);
      return i >= 0;
    case EditCommand::Paste:
      return PasteKbdSet(ws, p, slot, i);
    case EditCommand::EraseBank:
      if (!ConfirmErase(p)) return false;
      EraseKbdSetBank(ws, slot);
      return true;
    default:
      return false;
  }
}

}  // namespace

bool RunEditCommand(Workspace& ws, Prompter& prompter, int slot, Kind kind, EditCommand command,
                    int index, int bank) {
  if (command == EditCommand::Undo) {
    UndoLastEdit(ws, slot, kind);
    return true;
  }
  if (command == EditCommand::Import) return ImportAllItems(ws, prompter, slot, kind);
  switch (kind) {
    case Kind::Arrangement:
      return Arrangements(ws, prompter, slot, command, index, bank);
    case Kind::Style:
      return Styles(ws, prompter, slot, command, index, bank);
    case Kind::Program:
      return Programs(ws, prompter, slot, command, index, bank);
    case Kind::BackingSequence:
      return Sequences(ws, prompter, slot, command, index);
    case Kind::KbdSet:
      return KbdSets(ws, prompter, slot, command, index);
    default:
      return false;
  }
}

bool RunDrop(Workspace& ws, Prompter& prompter, Kind kind, int fromSlot, int fromIndex, int toSlot,
             int toIndex) {
  switch (kind) {
    case Kind::Arrangement:
      return DragArrangement(ws, prompter, fromSlot, fromIndex, toSlot, toIndex);
    case Kind::Style:
      return DragStyle(ws, prompter, fromSlot, fromIndex, toSlot, toIndex);
    case Kind::Program:
      return DragProgram(ws, prompter, fromSlot, fromIndex, toSlot, toIndex);
    case Kind::BackingSequence:
      if (fromSlot != toSlot)
        return CopySequenceByDrag(ws, prompter, fromSlot, fromIndex, toSlot, toIndex);
      if (toIndex == fromIndex || toIndex == fromIndex + 1) return false;
      if (!YesTo(prompter, "Insert Backing Sequence " + std::to_string(fromIndex) + " before " +
                               std::to_string(toIndex) + " ?")) {
        return false;
      }
      return MoveSequence(ws, prompter, fromSlot, fromIndex, toIndex);
    case Kind::KbdSet:
      if (fromSlot != toSlot)
        return CopyKbdSetByDrag(ws, prompter, fromSlot, fromIndex, toSlot, toIndex);
      if (fromIndex == toIndex) return false;
      if (!YesTo(prompter,
                 "Insert KBD Set " + KbdSetLabel(fromIndex) + " before " + KbdSetLabel(toIndex))) {
        return false;
      }
      return MoveKbdSet(ws, fromSlot, fromIndex, toIndex);
    default:
      return false;
  }
}

}  // namespace i40
