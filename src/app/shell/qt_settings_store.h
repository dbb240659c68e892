#pragma once

#include <QSettings>

#include "session/settings.h"

namespace i40::app {

// The options of a run kept in QSettings, group "Options", every value as text.
class QtSettingsStore : public SettingsStore {
 public:
  static constexpr const char* kGroup = "Options";

  explicit QtSettingsStore(QSettings& settings) : settings_(settings) {}

  std::optional<std::string> Get(std::string_view key) const override;
  void Set(std::string_view key, const std::string& value) override;
  void Flush() override { settings_.sync(); }

  // The full QSettings key of an option: "Options/<key>".
  static QString KeyOf(std::string_view key);

 private:
  QSettings& settings_;
};

}  // namespace i40::app
