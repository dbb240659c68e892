#pragma once

#include <QObject>
#include <QPointer>
#include <QProgressDialog>

class QWidget;

namespace i40::app {

// What the editor shows while it waits for the instrument: the wait cursor and windows
// that keep painting at once, and after a second a progress window whose Cancel stops
// the wait. While that window is not up, the user's input waits, so that nothing else
// starts in the middle of an exchange.
class MidiWait : public QObject {
  Q_OBJECT

 public:
  static constexpr double kWindowAfterSeconds = 1.0;

  explicit MidiWait(QWidget* parent);
  ~MidiWait() override;

  // The port's wait hook: false when the user pressed Cancel.
  bool Waiting(double waited, double longest);
  // The exchange is over.
  void Done();

  QProgressDialog* window() const { return window_.data(); }

 private:
  QPointer<QWidget> parent_;
  QPointer<QProgressDialog> window_;
  bool cursor_ = false;
};

}  // namespace i40::app
