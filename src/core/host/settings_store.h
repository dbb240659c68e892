#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace i40 {

// A per-user store of text values under the application "i40seted", group "Options".
// The desktop keeps them in QSettings; tests and the command line keep them in memory.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<std::string> Get(std::string_view key) const = 0;
  virtual void Set(std::string_view key, const std::string& value) = 0;
  // Puts what was set where it lasts (a store that writes later writes now).
  virtual void Flush() {}
};

class MemorySettingsStore : public SettingsStore {
 public:
  std::optional<std::string> Get(std::string_view key) const override;
  void Set(std::string_view key, const std::string& value) override;

 private:
  std::unordered_map<std::string, std::string> values_;
};

}  // namespace i40
