#include "shell/midi_wait.h"

#include <QApplication>
#include <QProgressDialog>
#include <algorithm>

namespace i40::app {

MidiWait::MidiWait(QWidget* parent) : QObject(parent), parent_(parent) {}

MidiWait::~MidiWait() {
  Done();
}

bool MidiWait::Waiting(double waited, double longest) {
  if (!cursor_) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    cursor_ = true;
  }
  if (window_.isNull() && waited >= kWindowAfterSeconds) {
    window_ =
        new QProgressDialog(tr("Waiting for the Korg-i40..."), tr("&Cancel"), 0, 1000, parent_);
    window_->setObjectName("FMidWait");
    window_->setWindowTitle(tr("Korg-i40"));
    window_->setWindowModality(Qt::ApplicationModal);
    window_->setMinimumDuration(0);
    window_->setAutoClose(false);
    window_->setAutoReset(false);
    window_->show();
  }
  if (window_.isNull()) {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return true;
  }
  const double fraction = longest > 0 ? std::clamp(waited / longest, 0.0, 1.0) : 0.0;
  window_->setValue(static_cast<int>(fraction * 1000));
  QApplication::processEvents();
  return !window_->wasCanceled();
}

void MidiWait::Done() {
  if (!window_.isNull()) {
    window_->hide();
    window_->deleteLater();
    window_.clear();
  }
  if (cursor_) {
    QApplication::restoreOverrideCursor();
    cursor_ = false;
  }
}

}  // namespace i40::app
