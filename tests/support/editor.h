#pragma once

#include "edit/edit_engine.h"
#include "session/workspace.h"
#include "ui/prompter.h"

namespace i40::test {

// Runs the edit engine the way a Set window does, with plain numbers: the Set's slot and
// the position its current cell names.
class Editor {
 public:
  Editor(Workspace& ws, Prompter& prompter) : ws_(ws), prompter_(prompter) {}

  bool Run(EditCommand command, Kind kind, int slot, int index = -1, int bank = 0) {
    return RunEditCommand(ws_, prompter_, SetSlot{slot}, kind, command, ItemIndex{index},
                          BankNo{bank});
  }
  bool Copy(Kind kind, int slot, int index) { return Run(EditCommand::Copy, kind, slot, index); }
  bool Cut(Kind kind, int slot, int index) { return Run(EditCommand::Cut, kind, slot, index); }
  bool Paste(Kind kind, int slot, int index) { return Run(EditCommand::Paste, kind, slot, index); }
  bool Delete(Kind kind, int slot, int index) {
    return Run(EditCommand::Delete, kind, slot, index);
  }
  bool Insert(Kind kind, int slot, int index) {
    return Run(EditCommand::Insert, kind, slot, index);
  }
  bool LoadOne(Kind kind, int slot, int index) {
    return Run(EditCommand::PasteFromIStyle, kind, slot, index);
  }
  bool Erase(Kind kind, int slot, int bank) {
    return Run(EditCommand::EraseBank, kind, slot, -1, bank);
  }
  bool Undo(Kind kind, int slot) { return Run(EditCommand::Undo, kind, slot); }
  bool Drop(Kind kind, int fromSlot, int from, int toSlot, int to) {
    return RunDrop(ws_, prompter_, kind, SetSlot{fromSlot}, ItemIndex{from}, SetSlot{toSlot},
                   ItemIndex{to});
  }

 private:
  Workspace& ws_;
  Prompter& prompter_;
};

}  // namespace i40::test
