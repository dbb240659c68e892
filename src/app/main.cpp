#include <QApplication>

#include "shell/main_window.h"
#include "version.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("i40seted");
  QApplication::setApplicationVersion(QString::fromStdString(i40::VersionText()));

  i40::app::MainWindow frame;
  frame.showMaximized();
  return QApplication::exec();
}
