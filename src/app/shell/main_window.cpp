#include "shell/main_window.h"

#include <QAction>
#include <QKeySequence>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

#include "version.h"

namespace i40::app {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), area_(new QMdiArea(this)) {
  setObjectName("FMain");
  setWindowTitle(
      QString::fromUtf8(kProgramTitle.data(), static_cast<qsizetype>(kProgramTitle.size())));
  area_->setObjectName("mdiSets");
  setCentralWidget(area_);

  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->setObjectName("mnuFile");
  QAction* exit = file->addAction(tr("E&xit"));
  exit->setObjectName("mnuFExit");
  exit->setShortcut(QKeySequence::Quit);
  connect(exit, &QAction::triggered, this, &QWidget::close);
}

}  // namespace i40::app
