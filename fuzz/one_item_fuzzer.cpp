// The reader of one of the one-item files (".IAF", ".ISF", ".IPF", ".IDK"), fed
// arbitrary bytes: it must never crash or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <span>
#include <variant>

#include "arrangements/arrangement_file.h"
#include "programs/program_file.h"
#include "styles/style_file.h"

#ifndef I40_FUZZ_ONE_ITEM
#error "I40_FUZZ_ONE_ITEM names the reader"
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  auto result = I40_FUZZ_ONE_ITEM(bytes);
  if (result.index() == 0 && size < 5) __builtin_trap();  // nothing fits in five bytes
  return 0;
}
