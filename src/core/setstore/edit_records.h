#pragma once

#include "arrangements/arrangement_record.h"
#include "backseqs/bsq_record.h"
#include "kbdsets/kbdset_record.h"
#include "programs/program_file.h"
#include "styles/style_file.h"

namespace i40 {

// The clipboard and the undo copy of each editable kind, shared by all open Sets.
struct EditRecords {
  ArrangementBuffer arrangementClip, arrangementUndo;
  StyleBuffer styleClip, styleUndo;
  ProgramBuffer programClip, programUndo;
  BsqBuffer bsqClip, bsqUndo;
  KbdSetBuffer kbdSetClip, kbdSetUndo;

  // A Set's window has closed: no record may lead back into its slot.
  void ForgetSet(int slot) {
    auto forget = [slot](auto& buffer) {
      if (buffer.sourceSet == slot) buffer.sourceSet = 0;
    };
    forget(arrangementClip);
    forget(arrangementUndo);
    forget(styleClip);
    forget(styleUndo);
    forget(programClip);
    forget(programUndo);
    forget(bsqClip);
    forget(bsqUndo);
    forget(kbdSetClip);
    forget(kbdSetUndo);
  }
};

}  // namespace i40
