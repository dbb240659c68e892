#pragma once

#include <QString>

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace i40::app {

// The OK (cmdOK, the default button) and Cancel (cmdCancel) buttons of a dialog, at the
// right of a row of their own: OK accepts the dialog, Cancel rejects it.
struct OkCancelButtons {
  QPushButton* ok;
  QPushButton* cancel;
  QHBoxLayout* row;
};
OkCancelButtons AddOkCancel(QDialog* dialog, const QString& okCaption);

}  // namespace i40::app
