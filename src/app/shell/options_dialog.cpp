#include "shell/options_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/app_icon.h"

namespace i40::app {

OptionsDialog::OptionsDialog(const Settings& settings, QWidget* parent)
    : QDialog(parent),
      highCall_(new QCheckBox(tr("Highlight called Items"), this)),
      warnDupl_(new QCheckBox(tr("Duplicate name warning"), this)),
      startOld_(new QCheckBox(tr("Open last Set at Start-up"), this)),
      close_(new QPushButton(tr("&Close"), this)) {
  setObjectName("FOptions");
  setWindowTitle(tr("Options"));
  setWindowIcon(AppIcon());
  setModal(true);

  highCall_->setObjectName("chkHighCall");
  warnDupl_->setObjectName("chkWarnDupl");
  startOld_->setObjectName("chkStartOld");
  close_->setObjectName("cmdClose");
  close_->setDefault(true);
  highCall_->setChecked(settings.HighCall);
  warnDupl_->setChecked(settings.WarnDupl);
  startOld_->setChecked(settings.StartOld);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(highCall_);
  layout->addWidget(warnDupl_);
  layout->addWidget(startOld_);
  layout->addLayout(buttons);
}

void OptionsDialog::CopyTo(Settings& settings) const {
  settings.HighCall = highCall_->isChecked();
  settings.WarnDupl = warnDupl_->isChecked();
  settings.StartOld = startOld_->isChecked();
}

void OptionsDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  close_->click();
}

void RunOptions(Settings& settings, QWidget* parent) {
  OptionsDialog dialog(settings, parent);
  dialog.exec();
  dialog.CopyTo(settings);
}

}  // namespace i40::app
