#pragma once

#include "format/arrangement_record.h"
#include "format/bsq_record.h"
#include "format/global_records.h"
#include "format/kbdset_record.h"
#include "format/program_record.h"
#include "format/style_record.h"

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
