#include "shell/options_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "shell/app_icon.h"

namespace i40::app {

OptionsDialog::OptionsDialog(const Settings& settings, QWidget* parent)
    : QDialog(parent),
      highCall_(new QCheckBox(tr("Highlight called Items"), this)),
      warnDupl_(new QCheckBox(tr("Duplicate name warning"), this)),
      startOld_(new QCheckBox(tr("Open last Set at Start-up"), this)),
      packetBytes_(new QSpinBox(this)),
      packetPause_(new QSpinBox(this)),
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

  // How a dump leaves for the instrument: small packets and a pause for interfaces that
  // cannot take more at once.
  packetBytes_->setObjectName("txtPacket");
  packetBytes_->setRange(16, 2016);
  packetBytes_->setSuffix(tr(" bytes"));
  packetBytes_->setValue(settings.MidiPacketBytes);
  packetBytes_->setToolTip(tr("A dump leaves in packets of this size"));
  packetPause_->setObjectName("txtPause");
  packetPause_->setRange(0, 1000);
  packetPause_->setSuffix(tr(" ms"));
  packetPause_->setValue(settings.MidiPacketPauseMs);
  packetPause_->setToolTip(tr("A wait after each packet, for interfaces that need it"));
  auto* midi = new QGroupBox(tr("Sending to the instrument"), this);
  midi->setObjectName("fraMidi");
  auto* form = new QFormLayout(midi);
  auto* packetLabel = new QLabel(tr("SysEx &packet size"), midi);
  packetLabel->setBuddy(packetBytes_);
  auto* pauseLabel = new QLabel(tr("Pa&use between packets"), midi);
  pauseLabel->setBuddy(packetPause_);
  form->addRow(packetLabel, packetBytes_);
  form->addRow(pauseLabel, packetPause_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(highCall_);
  layout->addWidget(warnDupl_);
  layout->addWidget(startOld_);
  layout->addWidget(midi);
  layout->addLayout(buttons);
}

void OptionsDialog::CopyTo(Settings& settings) const {
  settings.HighCall = highCall_->isChecked();
  settings.WarnDupl = warnDupl_->isChecked();
  settings.StartOld = startOld_->isChecked();
  settings.MidiPacketBytes = packetBytes_->value();
  settings.MidiPacketPauseMs = packetPause_->value();
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
