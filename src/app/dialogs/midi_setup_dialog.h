#pragma once

#include <QDialog>

#include "host/prompter.h"

class QComboBox;

namespace i40::app {

// The MIDI setup (FMidStup): one output and one input device. Only OK and Cancel end
// it: the close box is refused.
class MidiSetupDialog : public QDialog {
  Q_OBJECT

 public:
  explicit MidiSetupDialog(const MidiSetupRequest& request, QWidget* parent = nullptr);

  MidiDevices chosen() const;
  QComboBox* outputs() const { return outputs_; }
  QComboBox* inputs() const { return inputs_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QComboBox* outputs_;
  QComboBox* inputs_;
};

}  // namespace i40::app
