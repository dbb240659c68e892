#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "format/file_set.h"
#include "format/kinds.h"

namespace i40 {

// Brings into `dest` the user items that an item of `source` calls, following calls
// from item to item (a Backing Sequence's Arrangement, Style and Programs, an
// Arrangement's Style and Programs, a Style's Programs). An item `dest` already holds
// under the same name is used as it is; any other is copied into the first free position
// of its kind: empty and called by nothing in `dest`, a Style only into a Block with room
// for its events, a user Drum Kit only into one of the two Drum Kit positions. The
// copies' own calls then name the items `dest` holds (a call into an empty position of
// `source` is left as it was).
//
// The items that found no room, as "Style C11 'Ballad Style'" with their labels in
// `source`; when there are any, `dest` holds part of the copies and is to be abandoned.
std::vector<std::string> CopyCalledItems(const FileSet& source, FileSet& dest, Kind kind,
                                         std::span<const std::uint8_t> record);

}  // namespace i40
