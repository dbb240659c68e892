#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include "test_suites.h"

// app_tests [suite] [Qt Test options]: runs one suite, or all of them.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("i40seted");
  // Nothing a test does may reach the real user's folders or settings.
  QStandardPaths::setTestModeEnabled(true);
  QTemporaryDir settingsHome;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsHome.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsHome.path());

  struct Suite {
    const char* name;
    std::unique_ptr<QObject> (*make)();
  };
  const Suite suites[] = {
      {"MainWindow", i40::app::test::MakeMainWindowTest},
      {"Prompter", i40::app::test::MakePrompterTest},
      {"Pickers", i40::app::test::MakePickerTest},
      {"ShellDialogs", i40::app::test::MakeShellDialogsTest},
      {"SetWindow", i40::app::test::MakeSetWindowTest},
      {"ItemDialogs", i40::app::test::MakeItemDialogsTest},
      {"Midi", i40::app::test::MakeMidiTest},
  };

  const QStringList arguments = QApplication::arguments();
  const bool named = arguments.size() > 1 && !arguments.at(1).startsWith('-');
  const QString only = named ? arguments.at(1) : QString();
  QStringList testArguments{arguments.first()};
  testArguments += arguments.mid(named ? 2 : 1);

  int failures = 0;
  bool ran = false;
  for (const Suite& suite : suites) {
    if (named && only != QLatin1String(suite.name)) continue;
    ran = true;
    const std::unique_ptr<QObject> tests = suite.make();
    failures += QTest::qExec(tests.get(), testArguments);
  }
  if (!ran) {
    qCritical("No test suite named %s", qPrintable(only));
    return 2;
  }
  return failures;
}
