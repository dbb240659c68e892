#include <QApplication>
#include <QSettings>
#include <QStringList>
#include <csignal>
#include <cstring>
#include <iostream>

#include "shell/app_icon.h"
#include "shell/main_window.h"
#include "shell/qt_settings_store.h"
#include "shell/qt_text.h"
#include "shell/single_instance.h"
#include "version.h"

namespace {

constexpr const char* kUsage =
    "Usage: i40seted [SET...]\n"
    "       i40seted --version | --help\n"
    "The editor of Korg i40-family arranger keyboard Sets. SET, a Set path without\n"
    "extension or any one of its component files, is opened instead of the last Set.\n"
    "When the editor is running already, it opens the Sets and this start ends.\n"
    "i40set is the command-line companion.\n";

}  // namespace

// i40seted [set]: the editor, opening the Set named by a path or by any one of its
// component files instead of the last Set or the open dialog.
int main(int argc, char** argv) {
  // A MIDI server that goes away mid-exchange must not end the editor with every open Set:
  // a write to it fails with an error the MIDI layer reports.
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif
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

  // An editor of this user's is running: it takes the Sets, and this start ends.
  const QStringList files = QApplication::arguments().mid(1);
  const QString instance = i40::app::SingleInstance::DefaultName();
  if (i40::app::SingleInstance::HandOff(instance, files)) return 0;
  i40::app::SingleInstance server;
  server.Listen(instance);

  QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "i40seted", "i40seted");
  i40::app::QtSettingsStore store(settings);
  i40::app::MainWindow frame(store);
  QObject::connect(&server, &i40::app::SingleInstance::filesReceived, &frame,
                   &i40::app::MainWindow::OpenFiles);

  i40::app::StartOptions options = i40::app::DefaultStartOptions();
  if (!files.isEmpty()) options.setArgument = i40::app::QStringToPath(files.first());
  // Whatever escapes the editor's own handling ends it with a word, not an abort.
  try {
    if (!frame.Start(options)) return 1;
    if (files.size() > 1) frame.OpenFiles(files.mid(1));
    return QApplication::exec();
  } catch (const std::exception& e) {
    std::cerr << "i40seted: " << e.what() << '\n';
  } catch (...) {
    std::cerr << "i40seted: an unexpected error\n";
  }
  return 2;
}
