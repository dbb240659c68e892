#pragma once

#include <QDialog>

#include "session/settings.h"

class QCheckBox;
class QSpinBox;
class QPushButton;

namespace i40::app {

// FOptions: the three options of the Set windows. Close and the close box both keep
// what the boxes show.
class OptionsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit OptionsDialog(const Settings& settings, QWidget* parent = nullptr);

  void CopyTo(Settings& settings) const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QCheckBox* highCall_;
  QCheckBox* warnDupl_;
  QCheckBox* startOld_;
  QSpinBox* packetBytes_;
  QSpinBox* packetPause_;
  QPushButton* close_;
};

// Shows the options modally and keeps what the user left in them.
void RunOptions(Settings& settings, QWidget* parent);

}  // namespace i40::app
