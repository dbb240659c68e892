#pragma once

#include <string>
#include <vector>

#include "format/file_set.h"

namespace i40 {

// What a musician wants to know before a gig, one line per finding: calls into empty
// user positions, Style Blocks and Backing Sequence memory over capacity. (Duplicate
// names and read problems come from the checks made while the Set opens.)
std::vector<std::string> SetFindings(const FileSet& set);

}  // namespace i40
