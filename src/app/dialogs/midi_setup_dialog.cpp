#include "dialogs/midi_setup_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

#include "shell/app_icon.h"
#include "shell/dialog_buttons.h"
#include "shell/qt_text.h"

namespace i40::app {

MidiSetupDialog::MidiSetupDialog(const MidiSetupRequest& request, QWidget* parent)
    : QDialog(parent), outputs_(new QComboBox(this)), inputs_(new QComboBox(this)) {
  setObjectName("FMidStup");
  setWindowTitle(tr("MIDI Setup"));
  setWindowIcon(AppIcon());
  setModal(true);

  auto* layout = new QVBoxLayout(this);
  const auto list = [&](QComboBox* box, const char* name, const QString& caption,
                        const std::vector<std::string>& devices, int selected) {
    auto* label = new QLabel(caption, this);
    label->setBuddy(box);
    box->setObjectName(name);
    for (const std::string& device : devices)
      box->addItem(FromCore(device));
    box->setCurrentIndex(selected);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    layout->addWidget(label);
    layout->addWidget(box);
  };
  list(outputs_, "cboMidOut", tr("MIDI Out Device"), request.outputs, request.output);
  list(inputs_, "cboMidIn", tr("MIDI In Device"), request.inputs, request.input);

  layout->addLayout(AddOkCancel(this, tr("&OK")).row);
}

MidiDevices MidiSetupDialog::chosen() const {
  return {outputs_->currentIndex(), inputs_->currentIndex()};
}

void MidiSetupDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
}

}  // namespace i40::app
