#pragma once

#include <QDialog>
#include <QPrinter>
#include <optional>

#include <memory>
#include <string>

#include "host/prompter.h"
#include "session/workspace.h"

class QPlainTextEdit;
class QPushButton;

namespace i40::app {

// FReport: the Set report in a fixed-pitch text box, to print or save as a file.
class ReportWindow : public QDialog {
  Q_OBJECT

 public:
  // `report` is the report as the core made it: single-byte text with CRLF line breaks.
  ReportWindow(Workspace& ws, Prompter& prompter, SetSlot slot, const std::string& setTitle,
               std::string report, QWidget* parent = nullptr);

  QPlainTextEdit* textBox() const { return text_; }
  // Prints the report: a third of an inch from the left, half an inch from the top,
  // four empty lines, then the text in the box's font. What went wrong when the printer
  // did not start.
  std::optional<QString> PrintTo(QPrinter& printer) const;
  // The printer the next Print Report starts from (Printer Setup changes it).
  QPrinter* printer() const { return printer_.get(); }

 private:
  void SetUpPrinter();
  void Print();
  void Save();
  void CloseWindow();

  Workspace& ws_;
  Prompter& prompter_;
  SetSlot slot_;
  std::string report_;
  QPlainTextEdit* text_;
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace i40::app
