#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "presets/preset_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto result = i40::ParsePresetList(text);
  if (auto* tables = std::get_if<i40::PresetTables>(&result)) {
    for (const auto& entry : tables->arrangements) {
      if (entry.name.size() != 16) __builtin_trap();
    }
  }
  return 0;
}
