#pragma once

#include <QDialog>

namespace i40::app {

// The texts of the About box.
QString AboutCaption();
QString AboutVersionText();
QString AboutDescription();
QString AboutCaution();

// FAbout: the program's name, version and purpose, and the word of caution.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace i40::app
