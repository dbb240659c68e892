#pragma once

#include <QDialog>

#include "host/prompter.h"

class QComboBox;
class QLabel;

namespace i40::app {

// A small modal choice from a list (the destination bank of an export). Only OK and
// Cancel end it: the close box is refused.
class ListChoiceDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ListChoiceDialog(const ListChoice& choice, QWidget* parent = nullptr);

  // The index of the entry shown, or -1 when the list is empty.
  int chosen() const;

  QComboBox* list() const { return list_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QLabel* label_;
  QComboBox* list_;
};

}  // namespace i40::app
