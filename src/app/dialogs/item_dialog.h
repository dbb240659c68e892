#pragma once

#include <QDialog>
#include <QLabel>
#include <QSpinBox>
#include <map>

#include "dialog_model/dialog_model.h"
#include "host/prompter.h"

class QGroupBox;
class QPushButton;

namespace i40::app {

// The parameter dialogs of the items (FParArr, FParSty, FParPrg, FParBsq): the model's
// controls as widgets named as the controls, laid out in the model's frames. Every
// change goes to the model, and every widget shows what the model then holds. OK runs
// the model's OK, which may refuse and keep the dialog open; Cancel, Escape and the
// close box leave everything as it was (but what a button already did at once).
class ItemDialog : public QDialog {
  Q_OBJECT

 public:
  ItemDialog(DialogModel& model, Prompter& prompter, QWidget* parent = nullptr);

  DialogModel& model() { return model_; }
  // The widget of a control, by its name ("chkSw(3)").
  QWidget* control(const QString& name) const;

  void accept() override;

 protected:
  // Enter on a line of a list that opens a picker opens it, and does not press OK too.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* MakeWidget(const DialogControl& control, QWidget* parent);
  void LayOut();
  void Show();
  // Hands a text box's text to the model when it differs from what the model holds.
  void CommitText(const QString& name, const QString& text);
  void Act(ControlRefusal refusal);

  DialogModel& model_;
  Prompter& prompter_;
  std::map<QString, QWidget*> widgets_;
  std::map<QString, QGroupBox*> frames_;
  bool showing_ = false;
};

// The value label of a picker: a double click, Enter or the space bar opens the picker.
class PickLabel : public QLabel {
  Q_OBJECT

 public:
  explicit PickLabel(QWidget* parent = nullptr);

 Q_SIGNALS:
  void activated();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

// A number box with an up-down control that takes any whole number typed (the model
// replaces one outside the range) and steps within the range.
class StepBox : public QSpinBox {
  Q_OBJECT

 public:
  explicit StepBox(QWidget* parent = nullptr);
  void stepBy(int steps) override;

 Q_SIGNALS:
  void stepped(int steps);

 protected:
  QValidator::State validate(QString& input, int& pos) const override;
};

}  // namespace i40::app
