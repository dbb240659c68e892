#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace i40::app {

// The modeless window shown while a long piece of work runs (loading a Set): a caption,
// a label and a bar. It has no close box: the work ends it, or, for work the person may
// stop (a transfer), its Cancel button.
class ProgressWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kSteps = 1000;

  explicit ProgressWindow(QWidget* parent = nullptr);

  void Setup(const QString& caption, const QString& label);
  // Where the work stands, from 0 (begun) to 1 (done).
  void SetFraction(double fraction);

  // Adds the Cancel button (cmdCancel); Escape presses it.
  void AllowCancel();
  bool cancelled() const { return cancelled_; }
  // Escape is Cancel where there is one, and nothing where the work cannot be stopped.
  void reject() override;

  QLabel* label() const { return label_; }
  QProgressBar* bar() const { return bar_; }

 private:
  QLabel* label_;
  QProgressBar* bar_;
  QPushButton* cancel_ = nullptr;
  bool cancelled_ = false;
};

}  // namespace i40::app
