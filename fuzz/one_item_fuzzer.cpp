// The reader of one of the one-item files (".IAF", ".ISF", ".IPF", ".IDK"), fed
// arbitrary bytes: it must never crash or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <span>

#include "format/arrangement_file.h"
#include "format/program_file.h"
#include "format/style_file.h"

#ifndef I40_FUZZ_ONE_ITEM
#error "I40_FUZZ_ONE_ITEM names the reader"
#endif

namespace {

// Every one-item reader takes the bytes and the item it fills.
template <typename Item>
bool ReadsItem(i40::ReadOutcome (*reader)(std::span<const std::uint8_t>, Item&),
               std::span<const std::uint8_t> bytes) {
  Item item{};
  return !reader(bytes, item).has_value();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  if (ReadsItem(&I40_FUZZ_ONE_ITEM, bytes) && size < 5) __builtin_trap();  // nothing fits in 5
  return 0;
}
