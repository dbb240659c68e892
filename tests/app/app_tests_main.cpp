#include "support/app_support.h"

// app_tests [suite] [Qt Test options]: runs one suite, or all of them.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("i40seted");
  // Nothing a test does may reach the real user's folders or settings.
  QStandardPaths::setTestModeEnabled(true);
  QTemporaryDir settingsHome;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsHome.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsHome.path());

  const QStringList arguments = QApplication::arguments();
  const bool named = arguments.size() > 1 && !arguments.at(1).startsWith('-');
  const QString only = named ? arguments.at(1) : QString();
  QStringList testArguments{arguments.first()};
  testArguments += arguments.mid(named ? 2 : 1);

  int failures = 0;
  bool ran = false;
  for (const auto& [name, make] : i40::app::test::Suites()) {
    if (named && only != QString::fromStdString(name)) continue;
    ran = true;
    failures += QTest::qExec(make().get(), testArguments);
  }
  if (!ran) {
    qCritical("No test suite named %s", qPrintable(only));
    return 2;
  }
  return failures;
}
