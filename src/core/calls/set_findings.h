#pragma once

#include <string>
#include <vector>

#include "format/file_set.h"
#include "format/ids.h"
#include "format/kinds.h"

namespace i40 {

// One thing found wrong in a Set, and the item it concerns: a caller, the first Style
// of a Block, a Backing Sequence.
struct SetFinding {
  Kind kind = Kind::Arrangement;
  ItemIndex index{0};  // user index, Style slot, sequence or KBD Set
  std::string text;

  bool operator==(const SetFinding&) const = default;
};

// What a musician wants to know before a gig, one line per finding: calls into empty
// user positions (naming the calling field), Backing Sequences chained to an empty one,
// every duplicate name, Style Blocks and Backing Sequence memory over capacity. (Read
// problems come from the checks made while the Set opens.)
std::vector<SetFinding> SetFindings(const FileSet& set);

}  // namespace i40
