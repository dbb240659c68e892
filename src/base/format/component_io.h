#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "format/file_set.h"
#include "format/kinds.h"
#include "format/read_error.h"

namespace i40 {

// The reader of a stored kind, into that kind's block of a Set.
ReadOutcome ReadComponentBytes(Kind kind, std::span<const std::uint8_t> bytes, FileSet& set);

// The complete file image of a stored kind.
std::vector<std::uint8_t> WriteComponentBytes(Kind kind, const FileSet& set);

}  // namespace i40
