#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "setstore/component_file.h"
#include "setstore/file_set.h"
#include "setstore/kinds.h"
#include "setstore/read_result.h"
#include "ui/prompter.h"

namespace i40 {

// The reader of a stored kind, into that kind's block of a Set.
ReadResult ReadComponentBytes(Kind kind, std::span<const std::uint8_t> bytes, FileSet& set);

// The complete file image of a stored kind.
std::vector<std::uint8_t> WriteComponentBytes(Kind kind, const FileSet& set);

// Reads an opened component into a Set; a problem is shown as "Error getting <kind>
// data." with what and where, and what was read before it stays. True when all was read.
bool LoadComponent(const ComponentFile& file, FileSet& set, Prompter& prompter);

}  // namespace i40
