#include "shell/progress_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
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

void ProgressWindow::AllowCancel() {
  if (cancel_ != nullptr) return;
  cancel_ = new QPushButton(tr("&Cancel"), this);
  cancel_->setObjectName("cmdCancel");
  connect(cancel_, &QPushButton::clicked, this, [this] {
    cancelled_ = true;
    cancel_->setEnabled(false);  // the packet under way finishes first
  });
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(cancel_);
  static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void ProgressWindow::reject() {
  if (cancel_ != nullptr && cancel_->isEnabled()) cancel_->click();
}

void ProgressWindow::SetFraction(double fraction) {
  const double bounded = std::clamp(fraction, 0.0, 1.0);
  bar_->setValue(static_cast<int>(std::lround(bounded * kSteps)));
}

}  // namespace i40::app
