#include "format/component_io.h"

#include <stdexcept>
#include <string>

#include "format/kind_table.h"

namespace i40 {

ReadOutcome ReadComponentBytes(Kind kind, std::span<const std::uint8_t> bytes, FileSet& set) {
  if (!IsStoredKind(kind))
    throw std::invalid_argument("not a stored kind: " + std::string(KindName(kind)));
  return FactsOf(kind).read(bytes, set);
}

std::vector<std::uint8_t> WriteComponentBytes(Kind kind, const FileSet& set) {
  if (!IsStoredKind(kind))
    throw std::invalid_argument("not a stored kind: " + std::string(KindName(kind)));
  return FactsOf(kind).write(set);
}

}  // namespace i40
