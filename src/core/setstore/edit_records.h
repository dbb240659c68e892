#pragma once

#include "arrangements/arrangement_record.h"
#include "backseqs/bsq_record.h"
#include "kbdsets/kbdset_record.h"
#include "programs/program_file.h"
#include "styles/style_file.h"

namespace i40 {

// The clipboard and the undo copy of each editable kind, shared by all open Sets. A cut
// or a move also keeps the item it took away in the kind's `moved` copy, so that a Copy
// made before the Undo (which refills the clipboard) cannot change what Undo puts back.
struct EditRecords {
  ArrangementBuffer arrangementClip, arrangementUndo, arrangementMoved;
  StyleBuffer styleClip, styleUndo, styleMoved;
  ProgramBuffer programClip, programUndo, programMoved;
  BsqBuffer bsqClip, bsqUndo;
  KbdSetBuffer kbdSetClip, kbdSetUndo, kbdSetMoved;

  // A Set's window has closed: no record may lead back into its slot.
  void ForgetSet(int slot) {
    auto forget = [slot](auto& buffer) {
      if (buffer.sourceSet == slot) buffer.sourceSet = 0;
    };
    forget(arrangementClip);
    forget(arrangementUndo);
    forget(arrangementMoved);
    forget(styleClip);
    forget(styleUndo);
    forget(styleMoved);
    forget(programClip);
    forget(programUndo);
    forget(programMoved);
    forget(bsqClip);
    forget(bsqUndo);
    forget(kbdSetClip);
    forget(kbdSetUndo);
    forget(kbdSetMoved);
  }
};

}  // namespace i40
