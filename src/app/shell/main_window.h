#pragma once

#include <QMainWindow>

class QMdiArea;

namespace i40::app {

// The frame window: a multiple-document area that holds one window per open Set.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  QMdiArea* setArea() const { return area_; }

 private:
  QMdiArea* area_;
};

}  // namespace i40::app
