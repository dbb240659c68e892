#include "shell/progress_window.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "shell/app_icon.h"

namespace i40::app {

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      label_(new QLabel(this)),
      bar_(new QProgressBar(this)) {
  setObjectName("FProgBar");
  setModal(false);
  setWindowIcon(AppIcon());
  label_->setObjectName("lblProgBar");
  bar_->setObjectName("prbProgBar");
  bar_->setRange(0, kSteps);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  bar_->setMinimumWidth(320);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(bar_);
}

void ProgressWindow::Setup(const QString& caption, const QString& label) {
  setWindowTitle(caption);
  label_->setText(label);
  label_->setVisible(!label.isEmpty());
  bar_->setValue(0);
}

void ProgressWindow::SetFraction(double fraction) {
  const double bounded = std::clamp(fraction, 0.0, 1.0);
  bar_->setValue(static_cast<int>(std::lround(bounded * kSteps)));
}

}  // namespace i40::app
