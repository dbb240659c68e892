#include "host/settings_store.h"

namespace i40 {

std::optional<std::string> MemorySettingsStore::Get(std::string_view key) const {
  const auto it = values_.find(std::string(key));
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

void MemorySettingsStore::Set(std::string_view key, const std::string& value) {
  values_[std::string(key)] = value;
}

}  // namespace i40
