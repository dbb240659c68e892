#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>

// The suites of app_tests, each registered by its own file under its name; each runs as
// its own ctest entry.
namespace i40::app::test {

inline std::map<std::string, std::function<std::unique_ptr<QObject>()>>& Suites() {
  static std::map<std::string, std::function<std::unique_ptr<QObject>()>> suites;
  return suites;
}

template <typename Suite>
bool RegisterSuite(const char* name) {
  Suites()[name] = [] { return std::make_unique<Suite>(); };
  return true;
}

}  // namespace i40::app::test
