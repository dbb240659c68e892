#include <cstddef>
#include <cstdint>
#include <span>

#include "setstore/component_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  for (int kind = 0; kind < i40::kKindCount; ++kind) {
    (void)i40::IsValidComponentHeader(bytes, static_cast<i40::Kind>(kind));
  }
  return 0;
}
