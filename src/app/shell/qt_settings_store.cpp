#include "shell/qt_settings_store.h"

#include "shell/qt_text.h"

namespace i40::app {

QString QtSettingsStore::KeyOf(std::string_view key) {
  return QString::fromLatin1(kGroup) + '/' + FromCore(key);
}

std::optional<std::string> QtSettingsStore::Get(std::string_view key) const {
  const QString full = KeyOf(key);
  if (!settings_.contains(full)) return std::nullopt;
  return ToCore(settings_.value(full).toString());
}

void QtSettingsStore::Set(std::string_view key, const std::string& value) {
  settings_.setValue(KeyOf(key), FromCore(value));
}

}  // namespace i40::app
