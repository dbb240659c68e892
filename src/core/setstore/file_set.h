#pragma once

#include "arrangements/arrangement_record.h"
#include "backseqs/bsq_record.h"
#include "globals/global_records.h"
#include "kbdsets/kbdset_record.h"
#include "programs/program_record.h"
#include "styles/style_record.h"

namespace i40 {

// The data of one open Set, one fixed-size block per stored kind. Nothing in it grows
// or shrinks while the Set is open.
struct FileSet {
  ArrangementData arrangements;
  StyleData styles;
  ProgramData programs;
  BsqData backingSequences;
  KbdSetData kbdSets;
  ArrangementGlobalData arrangementGlobal;
  GlobalData global;
};

}  // namespace i40
