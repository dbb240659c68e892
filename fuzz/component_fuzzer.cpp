// One reader of a stored kind, fed arbitrary bytes. It must never crash or read out of
// bounds, and whatever it read must write out and read back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <span>

#include "format/component_file.h"
#include "format/component_io.h"

#ifndef I40_FUZZ_KIND
#error "I40_FUZZ_KIND names the kind whose reader is fuzzed"
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr auto kind = static_cast<i40::Kind>(I40_FUZZ_KIND);
  const std::span<const std::uint8_t> bytes(data, size);
  (void)i40::IsValidComponentHeader(bytes, kind);
  i40::FileSet set;
  const i40::ReadOutcome problem = i40::ReadComponentBytes(kind, bytes, set);
  const auto written = i40::WriteComponentBytes(kind, set);
  if (!problem) {
    i40::FileSet again;
    if (i40::ReadComponentBytes(kind, written, again)) __builtin_trap();
    if (i40::WriteComponentBytes(kind, again) != written) __builtin_trap();
  }
  return 0;
}
