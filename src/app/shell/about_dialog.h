#pragma once

#include <QDialog>

namespace i40::app {

// The texts of the About box.
QString AboutCaption();
QString AboutVersionText();
QString AboutDescription();
QString AboutCaution();

// FAbout: the program's name, version and purpose, and the word of caution.
// At start-up it shows over the frame without holding anything up, and goes at a key,
// a click or after a few seconds.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kShownBrieflyMs = 3000;

  explicit AboutDialog(QWidget* parent = nullptr);

  // Shown over its parent, not modal; it deletes itself when it goes.
  void ShowBriefly();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool brief_ = false;
};

}  // namespace i40::app
