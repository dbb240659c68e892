#include <QApplication>
#include <QSettings>
#include <QStringList>
#include <cstring>
#include <iostream>

#include "shell/app_icon.h"
#include "shell/main_window.h"
#include "shell/qt_settings_store.h"
#include "shell/qt_text.h"
#include "version.h"

namespace {

constexpr const char* kUsage =
    "Usage: i40seted [SET]\n"
    "       i40seted --version | --help\n"
    "The editor of Korg i40-family arranger keyboard Sets. SET, a Set path without\n"
    "extension or any one of its component files, is opened instead of the last Set.\n"
    "i40set is the command-line companion.\n";

}  // namespace

// i40seted [set]: the editor, opening the Set named by a path or by any one of its
// component files instead of the last Set or the open dialog.
int main(int argc, char** argv) {
  // Answered before any window system is needed (a package check, a terminal).
  if (argc == 2 && (std::strcmp(argv[1], "--version") == 0)) {
    std::cout << "i40seted " << i40::VersionText() << '\n';
    return 0;
  }
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::cout << kUsage;
    return 0;
  }
  QApplication app(argc, argv);
  // No organisation: the per-user data folder is then ".../i40seted", the folder the
  // command-line tool uses too.
  QApplication::setApplicationName("i40seted");
  QApplication::setApplicationVersion(i40::app::FromCore(i40::VersionText()));
  QApplication::setWindowIcon(i40::app::AppIcon());

  QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "i40seted", "i40seted");
  i40::app::QtSettingsStore store(settings);
  i40::app::MainWindow frame(store);

  i40::app::StartOptions options = i40::app::DefaultStartOptions();
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) options.setArgument = i40::app::QStringToPath(arguments.at(1));
  if (!frame.Start(options)) return 1;
  return QApplication::exec();
}
